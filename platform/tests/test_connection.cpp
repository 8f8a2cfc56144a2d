#include "table.h"
#include "testdb.h"
#include "transaction.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(Connection, MissingFileIsAnErrorNotANewDatabase)
{
    QTemporaryDir dir;
    Connection c;
    const QString path = dir.filePath(QStringLiteral("nada.db"));
    EXPECT_FALSE(c.open(path));
    EXPECT_FALSE(c.open(path, Connection::ReadOnly));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(c.lastError().file, path);
    EXPECT_FALSE(c.isOpen());
}

TEST(Connection, FileThatIsNotADatabaseIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("texto.db"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    Connection c;
    EXPECT_FALSE(c.open(path));
    EXPECT_FALSE(c.lastError().message.isEmpty());
}

TEST(Connection, BoundValuesRoundTrip)
{
    TestDb db;
    db.create(QStringLiteral("CREATE TABLE t (a VARCHAR(50), b DOUBLE, c INTEGER, d DATETIME, e BOOLEAN);"));
    const QString text = QStringLiteral("D'Agostini, Ñuñoa 'á' \"é\"");
    const QDateTime when(QDate(2025, 1, 2), QTime(3, 4, 5), Qt::UTC);
    ASSERT_TRUE(db.conn.exec(QStringLiteral("INSERT INTO t VALUES (?, ?, ?, ?, ?)"), {text, 2.5, qlonglong(1) << 40, when, true}));
    EXPECT_EQ(db.conn.changes(), 1);
    const QueryResult r = db.conn.select(QStringLiteral("SELECT a, b, c, d, e FROM t WHERE a = ?"), {text});
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_EQ(r.rows[0][0].toString(), text);
    EXPECT_EQ(r.rows[0][1].toDouble(), 2.5);
    EXPECT_EQ(r.rows[0][2].toLongLong(), qlonglong(1) << 40);
    EXPECT_EQ(r.rows[0][3].toString(), QStringLiteral("2025-01-02 03:04:05"));
    EXPECT_EQ(r.rows[0][4].toInt(), 1);
    EXPECT_EQ(r.columns, (QStringList{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(r.declaredTypes.at(0), QStringLiteral("VARCHAR(50)"));
}

TEST(Connection, ErrorsCarryMessageSqlAndFile)
{
    TestDb db;
    db.create(QStringLiteral("CREATE TABLE t (a INTEGER);"));
    EXPECT_FALSE(db.conn.exec(QStringLiteral("SELEC 1")));
    EXPECT_TRUE(db.conn.lastError().message.contains(QStringLiteral("syntax")));
    EXPECT_EQ(db.conn.lastError().sql, QStringLiteral("SELEC 1"));
    EXPECT_EQ(db.conn.lastError().file, db.path());
    EXPECT_FALSE(db.conn.select(QStringLiteral("SELECT * FROM nada")).ok);
    EXPECT_FALSE(db.conn.exec(QStringLiteral("INSERT INTO t VALUES (?)"), {1, 2}));
    EXPECT_TRUE(db.conn.exec(QStringLiteral("INSERT INTO t VALUES (?)"), {1}));
    EXPECT_FALSE(db.conn.lastError().isValid());
}

TEST(Connection, TransactionGuardRollsBackUnlessCommitted)
{
    TestDb db;
    db.create(QStringLiteral("CREATE TABLE t (a INTEGER);"));
    {
        Transaction tr(db.conn);
        ASSERT_TRUE(tr.isActive());
        ASSERT_TRUE(db.conn.exec(QStringLiteral("INSERT INTO t VALUES (1)")));
        EXPECT_FALSE(db.conn.exec(QStringLiteral("INSERT INTO nada VALUES (1)")));
    }
    EXPECT_TRUE(db.conn.lastError().message.contains(QStringLiteral("nada"))) << "the rollback keeps the cause";
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM t")).toInt(), 0);
    {
        Transaction outer(db.conn);
        ASSERT_TRUE(db.conn.exec(QStringLiteral("INSERT INTO t VALUES (1)")));
        {
            Transaction inner(db.conn);
            ASSERT_TRUE(db.conn.exec(QStringLiteral("INSERT INTO t VALUES (2)")));
        }
        EXPECT_TRUE(outer.commit());
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT group_concat(a) FROM t")).toString(), QStringLiteral("1"));
    EXPECT_FALSE(db.conn.inTransaction());
}

TEST(Connection, ReadOnlyConnectionRefusesWrites)
{
    TestDb db;
    db.create(QStringLiteral("CREATE TABLE t (a INTEGER);"));
    Connection ro;
    ASSERT_TRUE(ro.open(db.path(), Connection::ReadOnly));
    EXPECT_FALSE(ro.exec(QStringLiteral("INSERT INTO t VALUES (1)")));
    EXPECT_TRUE(ro.lastError().message.contains(QStringLiteral("readonly")));
}

TEST(Connection, SetFileRepointsAndReopensAttachedDatasetsInOrder)
{
    TestDb db;
    db.create(QStringLiteral("CREATE TABLE a (x INTEGER); CREATE TABLE b (y INTEGER); INSERT INTO a VALUES (1);"), QStringLiteral("one.db"));
    db.create(QStringLiteral("CREATE TABLE a (x INTEGER); CREATE TABLE b (y INTEGER); INSERT INTO a VALUES (2); INSERT INTO a VALUES (3);"),
              QStringLiteral("two.db"));
    Connection conn;
    Table ta, tb;
    ta.setTableName(QStringLiteral("a"));
    tb.setTableName(QStringLiteral("b"));
    tb.setConnection(&conn);
    ta.setConnection(&conn);
    QStringList opened;
    ta.AfterOpen = [&opened](Dataset *) { opened.append(QStringLiteral("a")); };
    tb.AfterOpen = [&opened](Dataset *) { opened.append(QStringLiteral("b")); };
    ASSERT_TRUE(conn.setFile(db.path(QStringLiteral("one.db"))));
    EXPECT_EQ(opened, (QStringList{"b", "a"}));
    EXPECT_EQ(ta.FieldByName(QStringLiteral("x"))->AsInteger(), 1);
    Field *x = ta.FieldByName(QStringLiteral("x"));
    ASSERT_TRUE(conn.setFile(db.path(QStringLiteral("two.db"))));
    EXPECT_EQ(conn.fileName(), db.path(QStringLiteral("two.db")));
    EXPECT_EQ(ta.RecordCount(), 2);
    EXPECT_EQ(x->AsInteger(), 2);
    conn.close();
    EXPECT_FALSE(ta.Active());
    EXPECT_FALSE(tb.Active());
    EXPECT_FALSE(conn.setFile(db.path(QStringLiteral("three.db"))));
    EXPECT_FALSE(ta.Active());
}

TEST(Connection, DestroyingTheConnectionClosesDatasetsWithoutHandlers)
{
    TestDb db;
    db.create(QStringLiteral("CREATE TABLE a (x INTEGER);"));
    Table t;
    bool called = false;
    t.BeforeClose = [&called](Dataset *) { called = true; };
    {
        Connection conn;
        ASSERT_TRUE(conn.open(db.path()));
        t.setTableName(QStringLiteral("a"));
        t.setConnection(&conn);
        ASSERT_TRUE(t.Open());
    }
    EXPECT_FALSE(t.Active());
    EXPECT_FALSE(called);
    EXPECT_EQ(t.connection(), nullptr);
}
