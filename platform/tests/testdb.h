#pragma once
// A throw-away database file for the dataset tests.
#include "connection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

struct TestDb
{
    QTemporaryDir dir;
    Connection conn;

    QString path(const QString &name = QStringLiteral("test.db")) const { return dir.filePath(name); }

    // Creates (or opens) `name` in the temporary folder and runs `script` on it.
    void create(const QString &script, const QString &name = QStringLiteral("test.db"))
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(conn.open(path(name), Connection::ReadWriteCreate)) << conn.lastError().text().toStdString();
        ASSERT_TRUE(conn.execScript(script)) << conn.lastError().text().toStdString();
    }

    QVariant scalar(const QString &sql, const QVariantList &params = {})
    {
        const QueryResult r = conn.select(sql, params);
        EXPECT_TRUE(r.ok) << r.error.text().toStdString();
        return r.rows.isEmpty() ? QVariant() : r.rows.first().value(0);
    }
};
