#include "tfrmayuda.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

TfrmAyuda::TfrmAyuda(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAyuda"));
    setWindowTitle(QStringLiteral("Ayuda en Línea"));
    resize(593, 457);
    auto *capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    wbrPauta = new QTextBrowser(this);
    wbrPauta->setObjectName(QStringLiteral("wbrPauta"));
    wbrPauta->setOpenExternalLinks(true);
    capa->addWidget(wbrPauta);
}

QString TfrmAyuda::ArchivoPagina() const
{
    const QString carpeta = DirAplicacion + QStringLiteral("pres/");
    const QString propia = carpeta + Pagina;
    if (!Pagina.isEmpty() && QFileInfo(propia).isFile())
        return propia;
    return carpeta + QStringLiteral("default.html");
}

void TfrmAyuda::FormActivate()
{
    wbrPauta->setSource(QUrl::fromLocalFile(ArchivoPagina()));
}

void TfrmAyuda::showEvent(QShowEvent *event)
{
    FormActivate();
    QDialog::showEvent(event);
}
