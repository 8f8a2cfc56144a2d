#include "workingdatabases.h"

#include "util_archivo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QStringList &registered()
{
    static QStringList files;
    return files;
}

QString normalized(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QString WorkingDatabases::create(const QString &templatePath, const QString &folder, QString *error)
{
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return QString();
    };
    if (!QFileInfo(templatePath).isFile())
        return fail(QStringLiteral("Falta uno de los archivos requeridos por la aplicación (%1).")
                        .arg(QFileInfo(templatePath).fileName().toUpper()));
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("No se pudo crear la carpeta %1.").arg(folder));
    const QString dir = QDir(folder).absolutePath() + QLatin1Char('/');
    qint64 number = MilisegundosAno().toLongLong();
    // Creating the file exclusively reserves the name against every other writer.
    QFile reserved;
    for (int attempt = 0; attempt < 1000; ++attempt, ++number) {
        reserved.setFileName(dir + QString::number(number) + QStringLiteral(".db"));
        if (reserved.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
    }
    if (!reserved.isOpen())
        return fail(QStringLiteral("No se pudo crear una base de datos de trabajo en %1.").arg(folder));
    reserved.close();
    const QString path = reserved.fileName();
    QString copyError;
    if (!CopiarArchivo(templatePath, path, &copyError)) {
        QFile::remove(path);
        return fail(copyError);
    }
    add(path);
    return path;
}

void WorkingDatabases::add(const QString &path)
{
    const QString file = normalized(path);
    if (!registered().contains(file))
        registered() << file;
}

void WorkingDatabases::remove(const QString &path)
{
    registered().removeAll(normalized(path));
}

QStringList WorkingDatabases::paths()
{
    return registered();
}

QStringList WorkingDatabases::deleteAll()
{
    QStringList failed;
    for (const QString &file : std::as_const(registered())) {
        bool ok = true;
        for (const QString &suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
            const QString name = file + suffix;
            if (QFileInfo::exists(name) && !QFile::remove(name))
                ok = false;
        }
        if (!ok)
            failed << file;
    }
    registered() = failed;
    return failed;
}
