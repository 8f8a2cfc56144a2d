#include "util_archivo.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

qint64 TamanoArchivo(const QString &archivo)
{
    const QFileInfo info(archivo);
    return info.isFile() ? info.size() : -1;
}

bool CopiarArchivo(const QString &origen, const QString &destino, QString *error)
{
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    const QFileInfo from(origen);
    if (!from.isFile())
        return fail(QStringLiteral("No existe el archivo %1.").arg(origen));
    if (QFileInfo(destino).exists() && from.canonicalFilePath() == QFileInfo(destino).canonicalFilePath())
        return true;

    QFile in(origen);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("No se pudo leer el archivo %1: %2").arg(origen, in.errorString()));
    QSaveFile out(destino);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("No se pudo crear el archivo %1: %2").arg(destino, out.errorString()));
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            return fail(QStringLiteral("No se pudo leer el archivo %1: %2").arg(origen, in.errorString()));
        }
        if (n == 0)
            break;
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            return fail(QStringLiteral("No se pudo escribir el archivo %1: %2").arg(destino, out.errorString()));
        }
    }
    if (!out.commit())
        return fail(QStringLiteral("No se pudo escribir el archivo %1: %2").arg(destino, out.errorString()));
    return true;
}

QString MilisegundosAno()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime yearStart(QDate(now.date().year(), 1, 1), QTime(0, 0));
    return QString::number(yearStart.msecsTo(now));
}

QString GetMisDocumentos()
{
    QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (path.isEmpty())
        return QString();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
