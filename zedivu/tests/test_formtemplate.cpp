#include "connection.h"
#include "formdescriptionparser.h"
#include "formtemplate.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

FormDescription parse(const QString &text)
{
    QStringList errors;
    const auto f = FormDescriptionParser::parse(text, QStringLiteral("t.form"), &errors);
    EXPECT_TRUE(f) << errors.join(QLatin1Char('\n')).toStdString();
    return f.value_or(FormDescription());
}

const char *const kForm = R"FORM(form TPL
title "T"
table tpl main
  Id       autoinc
  cod_pre  integer default=-1
  sup      float
  n        smallint
  nom      text 12 default="O'Higgins"
  obs      memo
  ok       boolean default=0
  fec      datetime
table tpl_det
  id       autoinc
  num      text
  look     lookup num=tpl_det.num result=num
  row num=A1
  row num=B2
page
)FORM";

} // namespace

TEST(FormTemplate, DeclaresTheColumnTypesTheDatasetsRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TPL.db"));
    QString error;
    ASSERT_TRUE(FormTemplate::write(parse(QString::fromUtf8(kForm)), path, &error)) << error.toStdString();
    Connection c;
    ASSERT_TRUE(c.open(path, Connection::ReadOnly));
    QStringList declared;
    for (const QVariantList &row : c.select(QStringLiteral("PRAGMA table_info(tpl)")).rows)
        declared << row.value(1).toString() + QLatin1Char(' ') + row.value(2).toString();
    EXPECT_EQ(declared, QStringList({QStringLiteral("Id INTEGER"), QStringLiteral("cod_pre INTEGER"), QStringLiteral("sup DOUBLE"),
                                     QStringLiteral("n SMALLINT"), QStringLiteral("nom VARCHAR(12)"), QStringLiteral("obs TEXT"),
                                     QStringLiteral("ok BOOLEAN"), QStringLiteral("fec DATETIME")}));
    const QString ddl = c.select(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'tpl'")).rows.value(0).value(0).toString();
    EXPECT_TRUE(ddl.contains(QStringLiteral("\"Id\" INTEGER PRIMARY KEY AUTOINCREMENT"))) << ddl.toStdString();
    // The main table's one row, with the defaults.
    const QueryResult main = c.select(QStringLiteral("SELECT cod_pre, nom, ok, sup FROM tpl"));
    ASSERT_EQ(main.rows.size(), 1);
    EXPECT_EQ(main.rows[0], QVariantList({qlonglong(-1), QStringLiteral("O'Higgins"), qlonglong(0), QVariant()}));
    // Lookup fields are not columns; the described rows are there.
    EXPECT_EQ(c.select(QStringLiteral("PRAGMA table_info(tpl_det)")).rows.size(), 2);
    EXPECT_EQ(c.select(QStringLiteral("SELECT num FROM tpl_det ORDER BY id")).rows,
              QList<QVariantList>({{QStringLiteral("A1")}, {QStringLiteral("B2")}}));
}

TEST(FormTemplate, AFailedGenerationLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TPL.db"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QString text = QString::fromUtf8(kForm);
    text.replace(QStringLiteral("row num=B2"), QStringLiteral("row num=ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    QString error;
    EXPECT_FALSE(FormTemplate::write(parse(text), path, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no corresponde a la columna \"num\""))) << error.toStdString();
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(FormTemplate, BuildStepGeneratedTheDemoTemplate)
{
    Connection c;
    ASSERT_TRUE(c.open(QStringLiteral(BRENVIK_DEMO_TEMPLATE), Connection::ReadOnly));
    EXPECT_EQ(c.select(QStringLiteral("SELECT cod_pre FROM demo")).rows, QList<QVariantList>({{qlonglong(-1)}}));
    EXPECT_EQ(c.select(QStringLiteral("SELECT COUNT(*) FROM demo_desc")).rows, QList<QVariantList>({{qlonglong(2)}}));
}

TEST(FormTemplate, PluginCarriesItsDescriptionWhileLoaded)
{
    const QString resource = QStringLiteral(":/forms/DEMO.form");
    EXPECT_FALSE(QFile::exists(resource));
    QLibrary plugin(QStringLiteral(BRENVIK_DEMO_PLUGIN));
    ASSERT_TRUE(plugin.load()) << plugin.errorString().toStdString();
    QStringList errors;
    const auto form = FormDescriptionParser::parseFile(resource, &errors);
    ASSERT_TRUE(form) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(form->code, QStringLiteral("DEMO"));
    ASSERT_TRUE(plugin.unload());
    EXPECT_FALSE(QFile::exists(resource));
}
