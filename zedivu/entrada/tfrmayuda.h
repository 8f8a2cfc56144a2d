#pragma once
// The help window of a form page: the HTML page pres/<Pagina> of the program directory,
// or pres/default.html when the page has no file of its own. The form window opens it
// on F1 (TCustomMDIChild::MostrarAyuda).
#include <QDialog>
#include <QString>

class QTextBrowser;

class TfrmAyuda : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmAyuda(QWidget *parent = nullptr);

    QString DirAplicacion; // program directory ending in "/"
    QString Pagina;        // "KELU_03.html"

    // The file shown for DirAplicacion and Pagina.
    QString ArchivoPagina() const;
    // Shows ArchivoPagina(); called when the window is shown.
    void FormActivate();

    QTextBrowser *wbrPauta = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};
