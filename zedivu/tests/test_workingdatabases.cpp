#include "workingdatabases.h"

#include "util_archivo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void escribir(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray leer(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// A working database took over a file of the same name instead of copying the template.
TEST(WorkingDatabases, CreateNeverReusesAnExistingFile)
{
    QTemporaryDir dir;
    const QString plantilla = dir.filePath(QStringLiteral("KELU.db"));
    escribir(plantilla, "template");
    const QString carpeta = dir.filePath(QStringLiteral("Formularios/temporal"));
    ASSERT_TRUE(QDir().mkpath(carpeta));
    // Occupy the names the next few milliseconds would give.
    const qint64 ahora = MilisegundosAno().toLongLong();
    for (qint64 n = ahora; n < ahora + 50; ++n)
        escribir(carpeta + QStringLiteral("/%1.db").arg(n), "someone else's");

    QString error;
    const QString a = WorkingDatabases::create(plantilla, carpeta, &error);
    const QString b = WorkingDatabases::create(plantilla, carpeta, &error);
    ASSERT_FALSE(a.isEmpty()) << error.toStdString();
    ASSERT_FALSE(b.isEmpty());
    EXPECT_NE(a, b);
    EXPECT_EQ(leer(a), QByteArray("template"));
    EXPECT_EQ(leer(b), QByteArray("template"));
    EXPECT_EQ(leer(carpeta + QStringLiteral("/%1.db").arg(ahora)), QByteArray("someone else's"));
    EXPECT_TRUE(WorkingDatabases::paths().contains(a));
    WorkingDatabases::deleteAll();
    EXPECT_FALSE(QFile::exists(a));
}

TEST(WorkingDatabases, MissingTemplateIsReported)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_TRUE(WorkingDatabases::create(dir.filePath(QStringLiteral("ZURI.db")), dir.path(), &error).isEmpty());
    EXPECT_EQ(error, QStringLiteral("Falta uno de los archivos requeridos por la aplicación (ZURI.DB)."));
}
