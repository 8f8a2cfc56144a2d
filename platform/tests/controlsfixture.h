#pragma once
// A small open table and a list table for the data-aware control tests.
#include "datasource.h"
#include "table.h"
#include "testdb.h"

struct ControlsFixture : public ::testing::Test
{
    TestDb db;
    Table table;
    DataSource source;
    Table list;
    DataSource listSource;

    void SetUp() override
    {
        db.create(QStringLiteral(
            "CREATE TABLE t (Id INTEGER PRIMARY KEY AUTOINCREMENT, nom VARCHAR(5), sup DOUBLE, ok BOOLEAN,"
            " fec DATETIME, cod INTEGER, obs TEXT);"
            "INSERT INTO t (nom, sup, ok, fec, cod, obs) VALUES (NULL, 12.5, 1, '2024-12-31 00:00:00', 2, '');"
            "INSERT INTO t (nom, sup, ok, fec, cod, obs) VALUES ('AB', NULL, 0, NULL, NULL, NULL);"
            "CREATE TABLE l (cod INTEGER, des VARCHAR(20));"
            "INSERT INTO l VALUES (1, 'Uno'); INSERT INTO l VALUES (2, 'Dos'); INSERT INTO l VALUES (3, 'Tres');"));
        table.setObjectName(QStringLiteral("adtT"));
        table.setTableName(QStringLiteral("t"));
        table.setConnection(&db.conn);
        source.setDataSet(&table);
        list.setTableName(QStringLiteral("l"));
        list.setConnection(&db.conn);
        listSource.setDataSet(&list);
        ASSERT_TRUE(list.Open());
        ASSERT_TRUE(table.Open());
    }

    QVariant stored(const QString &column, int id)
    {
        return db.scalar(QStringLiteral("SELECT %1 FROM t WHERE Id = ?").arg(column), {id});
    }
};
