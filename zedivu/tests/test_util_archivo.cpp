#include "util_archivo.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

class Files : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    QTemporaryDir dir;
};

TEST_F(Files, TamanoArchivo)
{
    EXPECT_EQ(TamanoArchivo(dir.filePath("missing")), -1);
    EXPECT_EQ(TamanoArchivo(write("empty", "")), 0);
    EXPECT_EQ(TamanoArchivo(write("five", "12345")), 5);
    EXPECT_EQ(TamanoArchivo(dir.path()), -1);
}

TEST_F(Files, CopiarArchivoCreatesAndReplaces)
{
    QByteArray big(300 * 1024, 'x');
    big[12345] = 'y';
    const QString from = write("from.fkel", big);
    const QString to = dir.filePath("to.fkel");
    EXPECT_TRUE(CopiarArchivo(from, to));
    EXPECT_EQ(read(to), big);
    write("other", "old content");
    EXPECT_TRUE(CopiarArchivo(write("small", "new"), dir.filePath("other")));
    EXPECT_EQ(read(dir.filePath("other")), "new");
}

TEST_F(Files, CopiarArchivoFailureLeavesTheDestination)
{
    const QString to = write("to", "keep");
    QString error;
    EXPECT_FALSE(CopiarArchivo(dir.filePath("missing"), to, &error));
    EXPECT_TRUE(error.contains("missing")) << qPrintable(error);
    EXPECT_EQ(read(to), "keep");
    EXPECT_FALSE(CopiarArchivo(write("from", "x"), dir.filePath("no/such/folder/to"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary left behind
}

// Copying a document onto its own path must not empty it.
TEST_F(Files, CopiarArchivoOntoItselfKeepsTheFile)
{
    const QString path = write("doc.fkel", "contenido");
    EXPECT_TRUE(CopiarArchivo(path, path));
    EXPECT_TRUE(CopiarArchivo(path, dir.path() + "/./doc.fkel"));
    EXPECT_EQ(read(path), "contenido");
}

TEST(MilisegundosAno, IsTheDecimalTimeSinceNewYear)
{
    const QString a = MilisegundosAno();
    EXPECT_TRUE(QRegularExpression("^[0-9]+$").match(a).hasMatch()) << qPrintable(a);
    const qint64 max = qint64(QDate::currentDate().daysInYear() + 1) * 24 * 3600 * 1000;
    EXPECT_LT(a.toLongLong(), max);
    EXPECT_GE(MilisegundosAno().toLongLong(), a.toLongLong());
}

TEST(GetMisDocumentos, EndsWithASlash)
{
    const QString docs = GetMisDocumentos();
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (expected.isEmpty()) {
        EXPECT_EQ(docs, "");
    } else {
        EXPECT_TRUE(docs.endsWith('/'));
        EXPECT_EQ(QDir(docs).absolutePath(), QDir(expected).absolutePath());
    }
}

} // namespace
