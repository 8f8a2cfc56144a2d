#include "workingdatabases.h"

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
