// Big tables: details that read their master's rows by the indexed link, and lists read
// on demand with navigation, Locate, Lookup, bookmarks and editing over every row.
#include "datasource.h"
#include "query.h"
#include "table.h"
#include "testdb.h"

#include <gtest/gtest.h>

namespace {

// More rows than the pages read at once and than the rows kept read.
constexpr int kFilas = 6000;

class Grande : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.create(QStringLiteral("CREATE TABLE predio (cod INTEGER PRIMARY KEY AUTOINCREMENT, nombre VARCHAR(40) COLLATE NOCASE,"
                                 " sup DOUBLE);"
                                 "CREATE INDEX predio_nombre ON predio (nombre);"
                                 "CREATE TABLE rol (num VARCHAR(10), cod INTEGER);"
                                 "CREATE INDEX rol_cod ON rol (cod);"
                                 "CREATE TABLE punto (id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(10), cod INTEGER, norte INTEGER);"));
        ASSERT_TRUE(db.conn.begin());
        // Names sort apart from the codes: the list's order is not the table's.
        for (int i = 1; i <= kFilas; ++i)
            ASSERT_TRUE(db.conn.exec(QStringLiteral("INSERT INTO predio (cod, nombre, sup) VALUES (?, ?, ?)"),
                                     {i, nombre(i), i * 0.5}));
        for (int i = 1; i <= 300; ++i)
            for (int j = 0; j < i % 3; ++j)
                ASSERT_TRUE(db.conn.exec(QStringLiteral("INSERT INTO rol (num, cod) VALUES (?, ?)"),
                                         {QStringLiteral("%1-%2").arg(i).arg(j), i}));
        ASSERT_TRUE(db.conn.commit());
    }

    static QString nombre(int i) { return QStringLiteral("Predio %1 %2").arg((i * 7919) % kFilas, 5, 10, QLatin1Char('0')).arg(i); }

    QStringList nums(Dataset &ds)
    {
        QStringList out;
        for (ds.First(); !ds.Eof(); ds.Next())
            out << ds.FieldByName(QStringLiteral("num"))->AsString();
        return out;
    }

    TestDb db;
};

} // namespace

TEST_F(Grande, DetailReadsItsMastersRowsOnEachMove)
{
    Table predio;
    predio.setConnection(&db.conn);
    predio.setTableName(QStringLiteral("predio"));
    DataSource fuente;
    fuente.setDataSet(&predio);
    Table rol;
    rol.setConnection(&db.conn);
    rol.setTableName(QStringLiteral("rol"));
    rol.setMasterSource(&fuente, QStringLiteral("cod"), QStringLiteral("cod"));
    // The detail opened first has no master row yet: no rows, fields defined.
    ASSERT_TRUE(rol.Open());
    EXPECT_TRUE(rol.IsEmpty());
    EXPECT_NE(rol.FindField(QStringLiteral("num")), nullptr);
    ASSERT_TRUE(predio.Open());
    EXPECT_EQ(nums(rol), QStringList{QStringLiteral("1-0")});
    predio.Next(); // 2
    EXPECT_EQ(nums(rol), (QStringList{QStringLiteral("2-0"), QStringLiteral("2-1")}));
    predio.Next(); // 3: none
    EXPECT_TRUE(rol.IsEmpty());

    // Rows another connection stored meanwhile are there on the next move.
    Connection otra;
    ASSERT_TRUE(otra.open(db.path()));
    ASSERT_TRUE(otra.exec(QStringLiteral("INSERT INTO rol (num, cod) VALUES ('1-9', 1)")));
    predio.First();
    EXPECT_EQ(nums(rol), (QStringList{QStringLiteral("1-0"), QStringLiteral("1-9")}));

    // A new detail row takes the master's code and stays after moving away and back.
    predio.setRecNo(3);
    ASSERT_TRUE(rol.Append());
    rol.FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("3-n"));
    ASSERT_TRUE(rol.Post());
    predio.Last();
    EXPECT_TRUE(rol.IsEmpty());
    predio.setRecNo(3);
    EXPECT_EQ(nums(rol), QStringList{QStringLiteral("3-n")});
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT cod FROM rol WHERE num = '3-n'")).toInt(), 3);

    // A modified detail row is posted before the master moves.
    rol.Edit();
    rol.FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("3-m"));
    predio.Next();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM rol WHERE num = '3-m' AND cod = 3")).toInt(), 1);

    // A master row being inserted has no rows; unlinked the detail holds every row.
    predio.Append();
    EXPECT_TRUE(rol.IsEmpty());
    predio.Cancel();
    rol.setMasterSource(nullptr, QString(), QString());
    EXPECT_EQ(rol.RecordCount(), db.scalar(QStringLiteral("SELECT COUNT(*) FROM rol")).toInt());
}

TEST_F(Grande, DetailOfADetailFollowsBothMoves)
{
    ASSERT_TRUE(db.conn.execScript(QStringLiteral("INSERT INTO punto (num, cod, norte) VALUES ('a', 1, 10), ('b', 2, 20), ('c', 2, 30);")));
    Table predio, rol, punto;
    DataSource fPredio, fRol;
    for (Table *t : {&predio, &rol, &punto})
        t->setConnection(&db.conn);
    predio.setTableName(QStringLiteral("predio"));
    rol.setTableName(QStringLiteral("rol"));
    punto.setTableName(QStringLiteral("punto"));
    fPredio.setDataSet(&predio);
    fRol.setDataSet(&rol);
    rol.setMasterSource(&fPredio, QStringLiteral("cod"), QStringLiteral("cod"));
    punto.setMasterSource(&fRol, QStringLiteral("cod"), QStringLiteral("cod"));
    ASSERT_TRUE(predio.Open() && rol.Open() && punto.Open());
    EXPECT_EQ(nums(punto), QStringList{QStringLiteral("a")});
    predio.Next();
    rol.Last();
    EXPECT_EQ(nums(punto), (QStringList{QStringLiteral("b"), QStringLiteral("c")}));
    predio.Next(); // no rolls: no points
    EXPECT_TRUE(punto.IsEmpty());
}

TEST_F(Grande, OnDemandListNavigatesLocatesAndKeepsBookmarksOverEveryRow)
{
    Query todo, lista;
    for (Query *q : {&todo, &lista}) {
        q->setConnection(&db.conn);
        q->setSQL(QStringLiteral("SELECT * FROM predio ORDER BY nombre"));
    }
    lista.setReadOnDemand(true);
    ASSERT_TRUE(todo.Open());
    ASSERT_TRUE(lista.Open());
    ASSERT_EQ(lista.RecordCount(), kFilas);
    EXPECT_TRUE(lista.CanModify());

    // Every row, in the list's order, with the values a full read gives (the walk goes
    // past the rows kept read, so rows are let go and read again).
    int diferencias = 0;
    for (todo.First(), lista.First(); !todo.Eof(); todo.Next(), lista.Next()) {
        if (lista.FieldByName(QStringLiteral("cod"))->AsInteger() != todo.FieldByName(QStringLiteral("cod"))->AsInteger()
            || lista.FieldByName(QStringLiteral("sup"))->AsFloat() != todo.FieldByName(QStringLiteral("sup"))->AsFloat())
            ++diferencias;
    }
    EXPECT_EQ(diferencias, 0);
    EXPECT_TRUE(lista.Eof());
    lista.Last();
    todo.Last();
    EXPECT_EQ(lista.FieldByName(QStringLiteral("nombre"))->AsString(), todo.FieldByName(QStringLiteral("nombre"))->AsString());
    EXPECT_EQ(lista.valueAt(10, lista.FieldByName(QStringLiteral("cod"))), todo.valueAt(10, todo.FieldByName(QStringLiteral("cod"))));

    // Locate: case and partial key as on a list held in memory; a miss leaves the cursor.
    const struct
    {
        QString valor;
        Dataset::LocateOptions opciones;
    } casos[] = {
        {nombre(5999), Dataset::NoLocateOptions},
        {nombre(4321).toUpper(), Dataset::CaseInsensitive},
        {nombre(17).left(nombre(17).size() - 1), Dataset::PartialKey},
        {QStringLiteral("predio 0"), Dataset::PartialKey | Dataset::CaseInsensitive},
        {QStringLiteral("nadie"), Dataset::PartialKey},
        {nombre(12).toUpper(), Dataset::NoLocateOptions},
    };
    for (const auto &c : casos) {
        todo.setRecNo(77);
        lista.setRecNo(77);
        EXPECT_EQ(lista.Locate(QStringLiteral("nombre"), c.valor, c.opciones), todo.Locate(QStringLiteral("nombre"), c.valor, c.opciones))
            << c.valor.toStdString();
        EXPECT_EQ(lista.RecNo(), todo.RecNo()) << c.valor.toStdString();
    }
    EXPECT_TRUE(lista.Locate(QStringLiteral("cod;sup"), {4000, 2000.0}));
    EXPECT_EQ(lista.FieldByName(QStringLiteral("nombre"))->AsString(), nombre(4000));
    EXPECT_EQ(lista.Lookup(QStringLiteral("cod"), {5000}, QStringLiteral("nombre")).toString(), nombre(5000));
    EXPECT_TRUE(lista.Lookup(QStringLiteral("cod"), {kFilas + 1}, QStringLiteral("nombre")).isNull());

    // Bookmarks hold across moves and a Refresh.
    lista.setRecNo(5500);
    const Bookmark marca = lista.GetBookmark();
    const QString nombreMarcado = lista.FieldByName(QStringLiteral("nombre"))->AsString();
    lista.First();
    ASSERT_TRUE(lista.BookmarkValid(marca));
    ASSERT_TRUE(lista.GotoBookmark(marca));
    EXPECT_EQ(lista.RecNo(), 5500);
    ASSERT_TRUE(lista.Refresh());
    EXPECT_EQ(lista.RecNo(), 5500);
    EXPECT_EQ(lista.FieldByName(QStringLiteral("nombre"))->AsString(), nombreMarcado);
}

TEST_F(Grande, OnDemandListWritesBack)
{
    Query lista;
    lista.setConnection(&db.conn);
    lista.setSQL(QStringLiteral("SELECT * FROM predio ORDER BY nombre"));
    lista.setReadOnDemand(true);
    ASSERT_TRUE(lista.Open());
    lista.setRecNo(3000);
    const qint64 cod = lista.FieldByName(QStringLiteral("cod"))->AsInteger();
    ASSERT_TRUE(lista.Edit());
    lista.FieldByName(QStringLiteral("sup"))->setAsFloat(1.25);
    ASSERT_TRUE(lista.Post());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT sup FROM predio WHERE cod = ?"), {cod}).toDouble(), 1.25);
    EXPECT_EQ(lista.FieldByName(QStringLiteral("sup"))->AsFloat(), 1.25);

    ASSERT_TRUE(lista.Append());
    lista.FieldByName(QStringLiteral("nombre"))->setAsString(QStringLiteral("AAA nuevo"));
    ASSERT_TRUE(lista.Post());
    EXPECT_EQ(lista.RecordCount(), kFilas + 1);
    EXPECT_EQ(lista.FieldByName(QStringLiteral("nombre"))->AsString(), QStringLiteral("AAA nuevo"));
    ASSERT_TRUE(lista.Refresh());
    lista.First();
    EXPECT_EQ(lista.FieldByName(QStringLiteral("nombre"))->AsString(), QStringLiteral("AAA nuevo"));
    ASSERT_TRUE(lista.Delete());
    EXPECT_EQ(lista.RecordCount(), kFilas);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM predio")).toInt(), kFilas);

    // A row deleted by another connection reads as empty, it does not fail.
    Connection otra;
    ASSERT_TRUE(otra.open(db.path()));
    lista.setRecNo(10);
    ASSERT_TRUE(otra.exec(QStringLiteral("DELETE FROM predio WHERE cod IN (SELECT cod FROM predio ORDER BY nombre LIMIT 20 OFFSET 4000)")));
    lista.setRecNo(4005);
    EXPECT_TRUE(lista.FieldByName(QStringLiteral("nombre"))->IsNull());
}
