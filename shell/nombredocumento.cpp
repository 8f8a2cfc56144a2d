#include "nombredocumento.h"

#include <QFileDialog>
#include <QFileInfo>

QString NombreDocumentoPorDefecto(const QString &predNombre, const QString &parteCodigo, const QString &carpeta,
                                  const QString &extension)
{
    static const QString prohibidos = QStringLiteral("/\\:*?\"<>|");
    QString base;
    for (const QChar c : predNombre)
        if (!prohibidos.contains(c))
            base += c;
    base = base.left(50);
    for (int n = 1;; ++n) {
        const QString nombre =
            QStringLiteral("%1_%2_%3").arg(base, parteCodigo).arg(n, 3, 10, QLatin1Char('0')).toLower();
        const QString ruta = carpeta + nombre + QLatin1Char('.') + extension;
        if (!QFileInfo::exists(ruta))
            return ruta;
    }
}

QString ParteCodigoDocumento(const QString &codigoPpal, int tag)
{
    if (codigoPpal.compare(QStringLiteral("LUMO"), Qt::CaseInsensitive) != 0)
        return codigoPpal;
    switch (tag) {
    case 31:
        return QStringLiteral("bqmd");
    case 32:
        return QStringLiteral("srex");
    case 33:
        return QStringLiteral("plga");
    default:
        return QString();
    }
}

QString ConExtension(const QString &archivo, const QString &extension)
{
    if (archivo.isEmpty() || extension.isEmpty())
        return archivo;
    const QString final = QLatin1Char('.') + extension;
    return QFileInfo(archivo).fileName().endsWith(final, Qt::CaseInsensitive) ? archivo : archivo + final;
}

QString PedirArchivoGuardar(QWidget *padre, const QString &inicial, const QString &filtro, const QString &extension)
{
    QFileDialog dialogo(padre, QString(), inicial, filtro);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setDefaultSuffix(extension);
    dialogo.selectFile(inicial);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return QString();
    return dialogo.selectedFiles().first();
}
