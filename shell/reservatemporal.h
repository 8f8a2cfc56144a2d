#pragma once
// Several running copies of the program share one folder of working databases
// (Documents/Formularios/temporal). Each copy lists the working databases it uses in a
// file of its own there ("brenvik-<pid>-<random>.lista") and holds a lock on that file
// while it runs; the lock goes when the process ends, however it ends. The list appears
// under its name already locked, so no other copy ever takes it for abandoned. A copy may then delete the
// files of lists nobody holds (copies that crashed) and working databases that no list
// names and that nobody touched for a while, never what a running copy uses.
#include <QString>
#include <QStringList>

#include <chrono>

class ReservaTemporal
{
public:
    // Takes this copy's list in `carpeta` (created when missing). A claim that cannot be
    // taken leaves the object inactive: it then lists and deletes nothing.
    explicit ReservaTemporal(const QString &carpeta);
    // Removes the list; this copy's files are its owner's to delete.
    ~ReservaTemporal();
    ReservaTemporal(const ReservaTemporal &) = delete;
    ReservaTemporal &operator=(const ReservaTemporal &) = delete;

    bool activa() const { return m_fd >= 0; }
    QString carpeta() const { return m_carpeta; }
    QString archivoLista() const { return m_lista; }

    // Replaces the list with `archivos`, the working databases this copy uses now.
    void Anotar(const QStringList &archivos);

    // Deletes the files named by lists that no running copy holds (and those lists), and
    // working databases ("<digits>.db", the files a load expands beside one, and their
    // journals, also left alone) that no list names and that
    // were last changed more than `gracia` ago; a younger one may belong to a copy that is
    // building a document and has not listed it yet. Returns the files deleted.
    QStringList LimpiarAbandonados(std::chrono::seconds gracia = std::chrono::minutes(10));

private:
    QString m_carpeta; // ends without "/"
    QString m_lista;
    int m_fd = -1;
};
