#pragma once
// An open document belongs to one running copy of the program at a time, so that two
// copies never save over each other's work. The copy holds a lock on a small file of its
// own in the folder the copies share (Documents/Formularios/temporal), named after the
// document's path. The lock is the kernel's: it goes when the process ends, however it
// ends, so a copy that crashed never blocks the document; its file left behind is taken
// over by the next copy that opens the document.
#include <QString>

#include <memory>

class BloqueoDocumento
{
public:
    // Takes `documento` for this copy; null when another copy holds it (`ocupado` true)
    // or the lock cannot be made (`ocupado` false: the document is not held then).
    static std::unique_ptr<BloqueoDocumento> Tomar(const QString &carpeta, const QString &documento, bool *ocupado);
    // Releases the document and removes the lock's file.
    ~BloqueoDocumento();
    BloqueoDocumento(const BloqueoDocumento &) = delete;
    BloqueoDocumento &operator=(const BloqueoDocumento &) = delete;

    // The document held, as given to Tomar.
    QString documento() const { return m_documento; }
    // The lock's file for `documento` in `carpeta`; one document, one file, whichever
    // spelling of its path names it.
    static QString ArchivoBloqueo(const QString &carpeta, const QString &documento);

private:
    BloqueoDocumento(const QString &documento, const QString &archivo, int fd);

    QString m_documento;
    QString m_archivo;
    int m_fd = -1;
};
