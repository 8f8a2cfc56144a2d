#include "abort.h"
#include "dataseterror.h"
#include "datasource.h"
#include "query.h"
#include "table.h"
#include "testdb.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const char *schema = R"(
CREATE TABLE rodal (id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(10), sup DOUBLE, obs TEXT,
                    fecha DATETIME, firm BOOLEAN, cant SMALLINT DEFAULT 7, req INTEGER NOT NULL DEFAULT 0);
INSERT INTO rodal (num, sup, obs, fecha, firm) VALUES ('1', 12.5, 'uno', '2024-03-07 00:00:00', 1);
INSERT INTO rodal (num, sup, obs, fecha, firm) VALUES ('2', 0, NULL, NULL, 0);
INSERT INTO rodal (num, sup, obs, fecha, firm) VALUES ('3', 0.001, 'tres', '2024-12-31 10:30:00', 1);
INSERT INTO rodal (num, sup, obs, fecha, firm) VALUES ('12', 7, 'doce', NULL, 0);
INSERT INTO rodal (num, sup, obs, fecha, firm) VALUES ('20', 3.25, 'veinte', NULL, 1);
CREATE TABLE det (id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(10), esp INTEGER, vol DOUBLE);
INSERT INTO det (num, esp, vol) VALUES ('1', 10, 1.5);
INSERT INTO det (num, esp, vol) VALUES ('1', 20, 2.5);
INSERT INTO det (num, esp, vol) VALUES ('3', 10, 4);
INSERT INTO det (num, esp, vol) VALUES ('12', 30, 8);
CREATE TABLE especie (espe_codigo INTEGER, espe_descripcion VARCHAR(50));
INSERT INTO especie VALUES (10, 'Pino radiata');
INSERT INTO especie VALUES (20, 'Eucalipto');
INSERT INTO especie VALUES (30, 'Raulí');
)";

class DatasetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.create(QString::fromUtf8(schema));
        rodal.setObjectName(QStringLiteral("adtRodal"));
        rodal.setConnection(&db.conn);
        rodal.setTableName(QStringLiteral("rodal"));
    }

    // The rows of a column, read through a second connection to the file.
    QStringList column(const QString &sql)
    {
        Connection other;
        EXPECT_TRUE(other.open(db.path(), Connection::ReadOnly));
        QStringList out;
        for (const QVariantList &r : other.select(sql).rows)
            out.append(r.value(0).isNull() ? QStringLiteral("<null>") : r.value(0).toString());
        return out;
    }

    QStringList walk(Dataset &ds, const QString &field)
    {
        QStringList out;
        for (ds.First(); !ds.Eof(); ds.Next())
            out.append(ds.FieldByName(field)->AsString());
        return out;
    }

    TestDb db;
    Table rodal;
};

} // namespace

TEST_F(DatasetTest, FieldsFollowTheSchema)
{
    ASSERT_TRUE(rodal.Open()) << rodal.lastError().text().toStdString();
    ASSERT_EQ(rodal.FieldCount(), 8);
    const struct
    {
        const char *name;
        FieldType type;
        int size;
    } expected[] = {{"id", FieldType::AutoInc, 0},   {"num", FieldType::Text, 10},    {"sup", FieldType::Float, 0},
                    {"obs", FieldType::Memo, 0},     {"fecha", FieldType::DateTime, 0}, {"firm", FieldType::Boolean, 0},
                    {"cant", FieldType::SmallInt, 0}, {"req", FieldType::Integer, 0}};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(rodal.Fields(i)->FieldName(), QString::fromLatin1(expected[i].name));
        EXPECT_EQ(rodal.Fields(i)->DataType(), expected[i].type);
        EXPECT_EQ(rodal.Fields(i)->Size(), expected[i].size);
        EXPECT_EQ(rodal.Fields(i)->Index(), i);
    }
    EXPECT_TRUE(rodal.FieldByName(QStringLiteral("id"))->ReadOnly());
    EXPECT_TRUE(rodal.FieldByName(QStringLiteral("req"))->Required());
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("NUM")), rodal.Fields(1));
    EXPECT_EQ(rodal.FindField(QStringLiteral("nada")), nullptr);
    try {
        rodal.FieldByName(QStringLiteral("nada"));
        FAIL() << "no exception";
    } catch (const DatasetError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Campo \"nada\" no existe en DataSet \"adtRodal\""));
    }
    EXPECT_EQ(rodal.Fields(1)->DisplayLabel(), QStringLiteral("num"));
}

TEST_F(DatasetTest, FieldsSurviveReopenSoBindingsStayValid)
{
    ASSERT_TRUE(rodal.Open());
    Field *num = rodal.FieldByName(QStringLiteral("num"));
    num->setDisplayLabel(QStringLiteral("Rodal"));
    rodal.Close();
    EXPECT_EQ(rodal.State(), DatasetState::Inactive);
    EXPECT_TRUE(num->IsNull());
    ASSERT_TRUE(rodal.Open());
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("num")), num);
    EXPECT_EQ(num->DisplayLabel(), QStringLiteral("Rodal"));
    EXPECT_EQ(num->AsString(), QStringLiteral("1"));
}

TEST_F(DatasetTest, StatesAndTransitions)
{
    EXPECT_EQ(rodal.State(), DatasetState::Inactive);
    EXPECT_THROW(rodal.Edit(), DatasetError);
    ASSERT_TRUE(rodal.Open());
    EXPECT_EQ(rodal.State(), DatasetState::Browse);
    Field *num = rodal.FieldByName(QStringLiteral("num"));
    EXPECT_THROW(num->setAsString(QStringLiteral("x")), DatasetError);
    EXPECT_TRUE(rodal.Edit());
    EXPECT_EQ(rodal.State(), DatasetState::Edit);
    EXPECT_FALSE(rodal.Modified());
    EXPECT_TRUE(num->setAsString(QStringLiteral("1b")));
    EXPECT_TRUE(rodal.Modified());
    EXPECT_THROW(rodal.FieldByName(QStringLiteral("id"))->setAsInteger(5), DatasetError);
    rodal.Cancel();
    EXPECT_EQ(rodal.State(), DatasetState::Browse);
    EXPECT_EQ(num->AsString(), QStringLiteral("1"));
    EXPECT_TRUE(rodal.Insert());
    EXPECT_EQ(rodal.State(), DatasetState::Insert);
    EXPECT_TRUE(num->IsNull());
    // Scrolling cancels an untouched insert and posts a modified edit.
    rodal.Next();
    EXPECT_EQ(rodal.State(), DatasetState::Browse);
    EXPECT_EQ(rodal.RecordCount(), 5);
    rodal.Edit();
    num->setAsString(QStringLiteral("2b"));
    rodal.Next();
    EXPECT_EQ(column(QStringLiteral("SELECT num FROM rodal WHERE id = 2")), QStringList{QStringLiteral("2b")});
    rodal.Close();
    EXPECT_EQ(rodal.State(), DatasetState::Inactive);
}

TEST_F(DatasetTest, EditOnEmptyDatasetAppends)
{
    Table det;
    det.setConnection(&db.conn);
    det.setTableName(QStringLiteral("det"));
    ASSERT_TRUE(db.conn.exec(QStringLiteral("DELETE FROM det")));
    ASSERT_TRUE(det.Open());
    EXPECT_TRUE(det.IsEmpty());
    EXPECT_TRUE(det.Edit());
    EXPECT_EQ(det.State(), DatasetState::Insert);
}

TEST_F(DatasetTest, EventsFireInOrder)
{
    QStringList log;
    auto rec = [&log](const char *name) { return [&log, name](Dataset *) { log.append(QString::fromLatin1(name)); }; };
    rodal.AfterOpen = rec("AfterOpen");
    rodal.BeforeClose = rec("BeforeClose");
    rodal.BeforeInsert = rec("BeforeInsert");
    rodal.AfterInsert = rec("AfterInsert");
    rodal.OnNewRecord = rec("OnNewRecord");
    rodal.BeforeEdit = rec("BeforeEdit");
    rodal.AfterEdit = rec("AfterEdit");
    rodal.BeforePost = rec("BeforePost");
    rodal.AfterPost = rec("AfterPost");
    rodal.BeforeCancel = rec("BeforeCancel");
    rodal.AfterCancel = rec("AfterCancel");
    rodal.BeforeDelete = rec("BeforeDelete");
    rodal.AfterDelete = rec("AfterDelete");
    rodal.BeforeScroll = rec("BeforeScroll");
    rodal.AfterScroll = rec("AfterScroll");
    Field *num = nullptr;

    const auto step = [&](const std::function<void()> &f) {
        log.clear();
        f();
        return log.join(QLatin1Char(' ')).toStdString();
    };
    EXPECT_EQ(step([&] { rodal.Open(); }), "AfterOpen AfterScroll");
    num = rodal.FieldByName(QStringLiteral("num"));
    EXPECT_EQ(step([&] { rodal.Next(); }), "BeforeScroll AfterScroll");
    EXPECT_EQ(step([&] { rodal.Append(); }), "BeforeInsert BeforeScroll OnNewRecord AfterInsert AfterScroll");
    EXPECT_EQ(step([&] {
                  num->setAsString(QStringLiteral("30"));
                  rodal.Post();
              }),
              "BeforePost AfterPost");
    EXPECT_EQ(step([&] { rodal.Edit(); }), "BeforeEdit AfterEdit");
    EXPECT_EQ(step([&] { rodal.Cancel(); }), "BeforeCancel AfterCancel");
    EXPECT_EQ(step([&] { rodal.Delete(); }), "BeforeDelete BeforeScroll AfterDelete AfterScroll");
    EXPECT_EQ(step([&] {
                  rodal.Edit();
                  num->setAsString(QStringLiteral("x"));
                  rodal.Prior();
              }),
              "BeforeEdit AfterEdit BeforePost AfterPost BeforeScroll AfterScroll");
    EXPECT_EQ(step([&] { rodal.Close(); }), "BeforeClose");
}

TEST_F(DatasetTest, AbortInBeforeHandlersCancelsTheOperation)
{
    ASSERT_TRUE(rodal.Open());
    Field *num = rodal.FieldByName(QStringLiteral("num"));

    rodal.BeforePost = [](Dataset *) { Abort(); };
    rodal.Edit();
    num->setAsString(QStringLiteral("zz"));
    EXPECT_THROW(rodal.Post(), EAbort);
    EXPECT_EQ(rodal.State(), DatasetState::Edit);
    EXPECT_EQ(num->AsString(), QStringLiteral("zz"));
    EXPECT_EQ(column(QStringLiteral("SELECT num FROM rodal WHERE id = 1")), QStringList{QStringLiteral("1")});
    // Scrolling must post first, so the abort stops the scroll too.
    EXPECT_THROW(rodal.Next(), EAbort);
    EXPECT_EQ(rodal.RecNo(), 1);
    rodal.BeforePost = nullptr;
    rodal.Cancel();

    rodal.BeforeDelete = [](Dataset *) { Abort(); };
    EXPECT_FALSE(catchAbort([&] { rodal.Delete(); }));
    EXPECT_EQ(rodal.RecordCount(), 5);
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM rodal")), QStringList{QStringLiteral("5")});

    rodal.BeforeInsert = [](Dataset *) { Abort(); };
    EXPECT_THROW(rodal.Append(), EAbort);
    EXPECT_EQ(rodal.State(), DatasetState::Browse);
    rodal.BeforeInsert = nullptr;

    rodal.OnNewRecord = [](Dataset *) { Abort(); };
    EXPECT_THROW(rodal.Append(), EAbort);
    EXPECT_EQ(rodal.State(), DatasetState::Browse);
    EXPECT_EQ(rodal.RecNo(), 1);

    rodal.BeforeEdit = [](Dataset *) { Abort(); };
    EXPECT_THROW(rodal.Edit(), EAbort);
    EXPECT_EQ(rodal.State(), DatasetState::Browse);
}

TEST_F(DatasetTest, PostCancelDeleteWriteThroughToTheFile)
{
    ASSERT_TRUE(rodal.Open());
    rodal.setRecNo(2);
    rodal.Edit();
    rodal.FieldByName(QStringLiteral("sup"))->setAsString(QStringLiteral("4,75"));
    rodal.FieldByName(QStringLiteral("fecha"))->setAsString(QStringLiteral("01-02-2025"));
    rodal.FieldByName(QStringLiteral("firm"))->setAsBoolean(true);
    ASSERT_TRUE(rodal.Post()) << rodal.lastError().text().toStdString();
    EXPECT_EQ(column(QStringLiteral("SELECT sup || '|' || fecha || '|' || firm FROM rodal WHERE id = 2")),
              QStringList{QStringLiteral("4.75|2025-02-01 00:00:00|1")});

    rodal.Append();
    rodal.FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("40"));
    ASSERT_TRUE(rodal.Post());
    // The new row shows what the file holds: its id and the column default.
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("id"))->AsInteger(), 6);
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("cant"))->AsInteger(), 7);
    EXPECT_EQ(rodal.RecNo(), 6);
    EXPECT_EQ(column(QStringLiteral("SELECT num FROM rodal WHERE id = 6")), QStringList{QStringLiteral("40")});

    rodal.Edit();
    rodal.FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("41"));
    rodal.Cancel();
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("40"));
    EXPECT_EQ(column(QStringLiteral("SELECT num FROM rodal WHERE id = 6")), QStringList{QStringLiteral("40")});

    rodal.setRecNo(3);
    ASSERT_TRUE(rodal.Delete());
    EXPECT_EQ(rodal.RecordCount(), 5);
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("12")); // the next row
    EXPECT_EQ(column(QStringLiteral("SELECT num FROM rodal ORDER BY id")),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("12"), QStringLiteral("20"), QStringLiteral("40")}));
    rodal.Last();
    ASSERT_TRUE(rodal.Delete());
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("20"));
}

TEST_F(DatasetTest, InsertPutsTheRowBeforeTheCurrentOne)
{
    ASSERT_TRUE(rodal.Open());
    rodal.setRecNo(2);
    rodal.Insert();
    EXPECT_EQ(rodal.RecNo(), 2);
    EXPECT_EQ(rodal.rowCount(), 6);
    rodal.FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("1a"));
    EXPECT_EQ(rodal.displayTextAt(1, rodal.FieldByName(QStringLiteral("num"))), QStringLiteral("1a"));
    EXPECT_EQ(rodal.displayTextAt(2, rodal.FieldByName(QStringLiteral("num"))), QStringLiteral("2"));
    ASSERT_TRUE(rodal.Post());
    EXPECT_EQ(rodal.RecNo(), 2);
    EXPECT_EQ(walk(rodal, QStringLiteral("num")),
              (QStringList{QStringLiteral("1"), QStringLiteral("1a"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("12"),
                           QStringLiteral("20")}));
}

TEST_F(DatasetTest, FailedPostKeepsTheEditAndNamesTheCause)
{
    ASSERT_TRUE(rodal.Open());
    rodal.Edit();
    rodal.FieldByName(QStringLiteral("req"))->Clear();
    EXPECT_FALSE(rodal.Post());
    EXPECT_EQ(rodal.State(), DatasetState::Edit);
    EXPECT_TRUE(rodal.lastError().message.contains(QStringLiteral("NOT NULL")));
    EXPECT_EQ(rodal.lastError().file, db.path());
    EXPECT_TRUE(rodal.lastError().sql.startsWith(QStringLiteral("UPDATE")));
    // A scroll cannot leave the unposted record behind.
    rodal.Next();
    EXPECT_EQ(rodal.RecNo(), 1);
    EXPECT_EQ(rodal.State(), DatasetState::Edit);
    rodal.Cancel();
}

TEST_F(DatasetTest, NavigationEofBofAndRecNo)
{
    ASSERT_TRUE(rodal.Open());
    EXPECT_TRUE(rodal.Bof());
    EXPECT_FALSE(rodal.Eof());
    EXPECT_EQ(rodal.RecNo(), 1);
    EXPECT_EQ(walk(rodal, QStringLiteral("num")),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("12"), QStringLiteral("20")}));
    EXPECT_TRUE(rodal.Eof());
    EXPECT_EQ(rodal.RecNo(), 5);
    rodal.Prior();
    EXPECT_FALSE(rodal.Eof());
    EXPECT_EQ(rodal.RecNo(), 4);
    EXPECT_EQ(rodal.MoveBy(-10), -3);
    EXPECT_TRUE(rodal.Bof());
    EXPECT_EQ(rodal.MoveBy(2), 2);
    EXPECT_EQ(rodal.RecNo(), 3);
    rodal.Last();
    EXPECT_TRUE(rodal.Eof());
    EXPECT_EQ(rodal.RecNo(), 5);
    rodal.setRecNo(2);
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("2"));
    rodal.setRecNo(99);
    EXPECT_EQ(rodal.RecNo(), 5);
}

TEST_F(DatasetTest, BookmarksAndLocate)
{
    ASSERT_TRUE(rodal.Open());
    rodal.setRecNo(4);
    const Bookmark mark = rodal.GetBookmark();
    rodal.First();
    EXPECT_TRUE(rodal.BookmarkValid(mark));
    EXPECT_TRUE(rodal.GotoBookmark(mark));
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("12"));

    EXPECT_TRUE(rodal.Locate(QStringLiteral("obs"), QStringLiteral("TRES"), Dataset::CaseInsensitive));
    EXPECT_EQ(rodal.RecNo(), 3);
    EXPECT_FALSE(rodal.Locate(QStringLiteral("obs"), QStringLiteral("TRES")));
    EXPECT_EQ(rodal.RecNo(), 3);
    EXPECT_TRUE(rodal.Locate(QStringLiteral("obs"), QStringLiteral("vei"), Dataset::PartialKey));
    EXPECT_EQ(rodal.RecNo(), 5);
    EXPECT_TRUE(rodal.Locate(QStringLiteral("num;firm"), {QStringLiteral("12"), false}));
    EXPECT_EQ(rodal.RecNo(), 4);
    EXPECT_TRUE(rodal.Locate(QStringLiteral("sup"), 0.001));
    EXPECT_EQ(rodal.RecNo(), 3);
    EXPECT_TRUE(rodal.Locate(QStringLiteral("obs"), QVariant()));
    EXPECT_EQ(rodal.RecNo(), 2);
    EXPECT_EQ(rodal.Lookup(QStringLiteral("num"), {QStringLiteral("20")}, QStringLiteral("sup")).toDouble(), 3.25);
    EXPECT_EQ(rodal.RecNo(), 2);
    EXPECT_TRUE(rodal.Lookup(QStringLiteral("num"), {QStringLiteral("99")}, QStringLiteral("sup")).isNull());

    // A row filtered out is no valid bookmark.
    rodal.setRecNo(2);
    const Bookmark second = rodal.GetBookmark();
    ASSERT_TRUE(rodal.setFilter(QStringLiteral("sup <> 0")));
    rodal.setFiltered(true);
    EXPECT_FALSE(rodal.BookmarkValid(second));
    EXPECT_FALSE(rodal.GotoBookmark(second));
    EXPECT_TRUE(rodal.GotoBookmark(mark));
}

struct FilterCase
{
    const char *filter;
    const char *nums;
};

class DatasetFilter : public DatasetTest, public ::testing::WithParamInterface<FilterCase>
{
};

TEST_P(DatasetFilter, ShowsMatchingRows)
{
    ASSERT_TRUE(rodal.Open());
    ASSERT_TRUE(rodal.setFilter(QString::fromUtf8(GetParam().filter))) << rodal.lastError().text().toStdString();
    rodal.setFiltered(true);
    EXPECT_EQ(walk(rodal, QStringLiteral("num")).join(QLatin1Char(',')).toStdString(), GetParam().nums);
    EXPECT_EQ(rodal.RecordCount(), walk(rodal, QStringLiteral("num")).size());
    rodal.setFiltered(false);
    EXPECT_EQ(rodal.RecordCount(), 5);
}

INSTANTIATE_TEST_SUITE_P(Cases, DatasetFilter,
                         ::testing::Values(FilterCase{"num = '12'", "12"}, FilterCase{"sup <> 0", "1,3,12,20"},
                                           FilterCase{"firm=true", "1,3,20"}, FilterCase{"firm = false AND sup > 1", "12"},
                                           FilterCase{"num = '1' OR num = '20' AND firm = true", "1,20"},
                                           FilterCase{"(num = '1' OR num = '2') AND firm = true", "1"},
                                           FilterCase{"obs = NULL", "2"}, FilterCase{"obs <> null", "1,3,12,20"},
                                           FilterCase{"sup >= 3,25", "1,12,20"}, FilterCase{"obs = 'DOCE'", "12"},
                                           FilterCase{"sup < 0", ""}, FilterCase{"[num] <= '12'", "1,12"}));

TEST_F(DatasetTest, BadFilterIsRefusedWithAMessage)
{
    ASSERT_TRUE(rodal.Open());
    for (const char *bad : {"num = ", "num == 1", "num = 'abc", "(num = 1", "num ~ 1", "sup > null", "nada = 1"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(rodal.setFilter(QString::fromLatin1(bad)));
        EXPECT_FALSE(rodal.lastError().message.isEmpty());
    }
    EXPECT_TRUE(rodal.Filter().isEmpty());
}

// Rows kept in a column's order (ties in entry order) stay in it after a reopen; a column
// name that is no identifier is refused instead of reaching the SQL.
TEST_F(DatasetTest, OrderFieldSortsTheRowsAndRefusesABadName)
{
    ASSERT_TRUE(db.conn.exec(QStringLiteral("INSERT INTO det (num, esp, vol) VALUES ('1', 40, 9)")));
    Table det;
    det.setConnection(&db.conn);
    det.setTableName(QStringLiteral("det"));
    det.setOrderField(QStringLiteral("esp"));
    ASSERT_TRUE(det.Open()) << det.lastError().text().toStdString();
    EXPECT_EQ(walk(det, QStringLiteral("esp")), QStringList({"10", "10", "20", "30", "40"}));
    EXPECT_EQ(walk(det, QStringLiteral("num")), QStringList({"1", "3", "1", "12", "1"}));

    det.Close();
    det.setOrderField(QStringLiteral("esp; DROP TABLE det"));
    EXPECT_FALSE(det.Open());
    EXPECT_TRUE(det.lastError().text().contains(QStringLiteral("columna de orden"))) << det.lastError().text().toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM det")).toInt(), 5);
}

TEST_F(DatasetTest, PredicateFilter)
{
    ASSERT_TRUE(rodal.Open());
    rodal.setFilterPredicate([](const RecordRef &r) { return r.value(QStringLiteral("num")).toString().size() == 2; });
    rodal.setFiltered(true);
    EXPECT_EQ(walk(rodal, QStringLiteral("num")), (QStringList{QStringLiteral("12"), QStringLiteral("20")}));
}

TEST_F(DatasetTest, RefreshKeepsTheCurrentRow)
{
    ASSERT_TRUE(rodal.Open());
    rodal.setRecNo(4); // num 12, id 4
    Connection other;
    ASSERT_TRUE(other.open(db.path()));
    ASSERT_TRUE(other.exec(QStringLiteral("DELETE FROM rodal WHERE id = 1")));
    ASSERT_TRUE(other.exec(QStringLiteral("UPDATE rodal SET obs = 'cambiado' WHERE id = 4")));
    ASSERT_TRUE(rodal.Refresh());
    EXPECT_EQ(rodal.RecordCount(), 4);
    EXPECT_EQ(rodal.RecNo(), 3);
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("obs"))->AsString(), QStringLiteral("cambiado"));
    // The current row itself gone: the same position.
    ASSERT_TRUE(other.exec(QStringLiteral("DELETE FROM rodal WHERE id = 4")));
    ASSERT_TRUE(rodal.Refresh());
    EXPECT_EQ(rodal.RecNo(), 3);
    EXPECT_EQ(rodal.FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("20"));
}

TEST_F(DatasetTest, MasterDetail)
{
    ASSERT_TRUE(rodal.Open());
    DataSource master;
    master.setDataSet(&rodal);
    Table det;
    det.setConnection(&db.conn);
    det.setTableName(QStringLiteral("det"));
    det.setMasterSource(&master, QStringLiteral("num"), QStringLiteral("num"));
    ASSERT_TRUE(det.Open());
    EXPECT_EQ(walk(det, QStringLiteral("esp")), (QStringList{QStringLiteral("10"), QStringLiteral("20")}));
    rodal.Next(); // num 2: no rows
    EXPECT_TRUE(det.IsEmpty());
    rodal.Next(); // num 3
    EXPECT_EQ(walk(det, QStringLiteral("esp")), QStringList{QStringLiteral("10")});

    det.Append();
    EXPECT_EQ(det.FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("3"));
    det.FieldByName(QStringLiteral("esp"))->setAsInteger(30);
    ASSERT_TRUE(det.Post());
    EXPECT_EQ(det.RecordCount(), 2);
    EXPECT_EQ(column(QStringLiteral("SELECT num FROM det WHERE esp = 30 ORDER BY id")),
              (QStringList{QStringLiteral("12"), QStringLiteral("3")}));

    // Moving the master while the detail holds a modified edit posts it first.
    det.Edit();
    det.FieldByName(QStringLiteral("vol"))->setAsFloat(9.5);
    rodal.Next(); // num 12
    EXPECT_EQ(det.State(), DatasetState::Browse);
    EXPECT_EQ(column(QStringLiteral("SELECT vol FROM det WHERE num = '3' AND esp = 30")), QStringList{QStringLiteral("9.5")});
    EXPECT_EQ(walk(det, QStringLiteral("esp")), QStringList{QStringLiteral("30")});

    // A master row being inserted has no detail rows yet.
    rodal.Append();
    EXPECT_TRUE(det.IsEmpty());
    rodal.Cancel();
    EXPECT_EQ(det.RecordCount(), 1);

    // The detail follows the master even while the master's controls are disabled.
    rodal.DisableControls();
    rodal.First();
    EXPECT_EQ(det.RecordCount(), 2);
    rodal.EnableControls();
}

// Regression: the master moved before its detail's post was refused, and the window then
// showed the next master over this one's detail rows.
TEST_F(DatasetTest, ADetailRowThatCannotPostKeepsTheMasterWhereItIs)
{
    const QList<std::pair<const char *, std::function<void(Dataset &)>>> movimientos = {
        {"Next", [](Dataset &m) { m.Next(); }},
        {"Prior", [](Dataset &m) { m.Prior(); }},
        {"First", [](Dataset &m) { m.First(); }},
        {"Last", [](Dataset &m) { m.Last(); }},
        {"RecNo", [](Dataset &m) { m.setRecNo(1); }},
        {"Locate", [](Dataset &m) { m.Locate(QStringLiteral("num"), QStringLiteral("12")); }},
        {"Append", [](Dataset &m) { m.Append(); }},
    };
    ASSERT_TRUE(rodal.Open());
    DataSource master;
    master.setDataSet(&rodal);
    Table det;
    det.setConnection(&db.conn);
    det.setTableName(QStringLiteral("det"));
    det.setMasterSource(&master, QStringLiteral("num"), QStringLiteral("num"));
    ASSERT_TRUE(det.Open());
    det.BeforePost = [](Dataset *d) {
        if (d->FieldByName(QStringLiteral("esp"))->IsNull())
            Abort();
    };
    for (const auto &[nombre, mover] : movimientos) {
        SCOPED_TRACE(nombre);
        rodal.setRecNo(3); // num 3
        ASSERT_TRUE(det.Append());
        det.FieldByName(QStringLiteral("vol"))->setAsFloat(7);
        EXPECT_FALSE(catchAbort([&, &mover = mover] { mover(rodal); }));
        EXPECT_EQ(rodal.State(), DatasetState::Browse);
        EXPECT_EQ(rodal.FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("3"));
        EXPECT_EQ(det.State(), DatasetState::Insert);
        EXPECT_EQ(det.FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("3"));
        det.Cancel();
        EXPECT_EQ(walk(det, QStringLiteral("esp")), QStringList{QStringLiteral("10")});
    }
    // Staying on the row leaves the detail's edit alone.
    det.Edit();
    det.FieldByName(QStringLiteral("esp"))->Clear();
    EXPECT_TRUE(catchAbort([&] { rodal.setRecNo(3); }));
    EXPECT_EQ(det.State(), DatasetState::Edit);
    det.Cancel();
}

TEST_F(DatasetTest, LookupField)
{
    Table especie;
    especie.setConnection(&db.conn);
    especie.setTableName(QStringLiteral("especie"));
    Table det;
    det.setConnection(&db.conn);
    det.setTableName(QStringLiteral("det"));
    Field *look = det.addLookupField(QStringLiteral("esp_look"), QStringLiteral("esp"), &especie, QStringLiteral("espe_codigo"),
                                     QStringLiteral("espe_descripcion"));
    // The lookup dataset may open after the dataset that uses it.
    ASSERT_TRUE(det.Open());
    EXPECT_TRUE(look->IsNull());
    ASSERT_TRUE(especie.Open());
    EXPECT_EQ(look->Size(), 50);
    EXPECT_EQ(look->Kind(), FieldKind::Lookup);
    EXPECT_EQ(look->DataType(), FieldType::Text);
    EXPECT_EQ(det.FieldCount(), 5);
    EXPECT_EQ(det.Fields(4), look);
    EXPECT_EQ(walk(det, QStringLiteral("esp_look")),
              (QStringList{QStringLiteral("Pino radiata"), QStringLiteral("Eucalipto"), QStringLiteral("Pino radiata"),
                           QStringLiteral("Raulí")}));
    EXPECT_EQ(det.displayTextAt(1, look), QStringLiteral("Eucalipto"));
    // Writing the lookup field writes the key.
    det.First();
    det.Edit();
    EXPECT_TRUE(look->setValue(QStringLiteral("Raulí")));
    EXPECT_EQ(det.FieldByName(QStringLiteral("esp"))->AsInteger(), 30);
    EXPECT_FALSE(look->setValue(QStringLiteral("Alerce")));
    EXPECT_EQ(det.FieldByName(QStringLiteral("esp"))->AsInteger(), 30);
    ASSERT_TRUE(det.Post());
    EXPECT_EQ(look->AsString(), QStringLiteral("Raulí"));
    // A key without a lookup row gives NULL.
    det.Edit();
    det.FieldByName(QStringLiteral("esp"))->setAsInteger(99);
    EXPECT_TRUE(look->IsNull());
    det.Cancel();
}

// Rows found by key stay right as the rows change: posted, appended, deleted, refreshed,
// filtered; the first of two equal keys is the one found; a key compares as Locate
// compares it (a number against its text).
TEST_F(DatasetTest, LookupFollowsItsRowsAsTheyChange)
{
    Table especie;
    especie.setConnection(&db.conn);
    especie.setTableName(QStringLiteral("especie"));
    ASSERT_TRUE(especie.Open());
    Table det;
    det.setConnection(&db.conn);
    det.setTableName(QStringLiteral("det"));
    Field *look = det.addLookupField(QStringLiteral("esp_look"), QStringLiteral("esp"), &especie, QStringLiteral("espe_codigo"),
                                     QStringLiteral("espe_descripcion"));
    ASSERT_TRUE(det.Open());
    const auto nombre = [&especie](const QVariant &codigo) {
        return especie.Lookup(QStringLiteral("espe_codigo"), {codigo}, QStringLiteral("espe_descripcion")).toString();
    };
    const auto poner = [&especie](int codigo, const QString &descripcion) {
        especie.FieldByName(QStringLiteral("espe_codigo"))->setAsInteger(codigo);
        especie.FieldByName(QStringLiteral("espe_descripcion"))->setAsString(descripcion);
        return especie.Post();
    };
    const QList<std::pair<QVariant, QString>> claves = {
        {20, QStringLiteral("Eucalipto")}, {QStringLiteral("20"), QStringLiteral("Eucalipto")},
        {20.0, QStringLiteral("Eucalipto")}, {QStringLiteral("20,0"), QStringLiteral("Eucalipto")},
        {-0.0, QString()}, {QStringLiteral("veinte"), QString()}, {40, QString()}};
    for (const auto &[codigo, esperado] : claves)
        EXPECT_EQ(nombre(codigo), esperado) << codigo.toString().toStdString();

    ASSERT_TRUE(especie.Locate(QStringLiteral("espe_codigo"), 20));
    especie.Edit();
    ASSERT_TRUE(poner(40, QStringLiteral("Eucalipto globulus")));
    EXPECT_EQ(nombre(20), QString());
    EXPECT_EQ(nombre(40), QStringLiteral("Eucalipto globulus"));
    especie.Append();
    ASSERT_TRUE(poner(50, QStringLiteral("Alerce")));
    especie.Append();
    ASSERT_TRUE(poner(10, QStringLiteral("Otro pino")));
    EXPECT_EQ(nombre(50), QStringLiteral("Alerce"));
    EXPECT_EQ(nombre(10), QStringLiteral("Pino radiata"));
    ASSERT_TRUE(especie.Locate(QStringLiteral("espe_codigo"), 10));
    EXPECT_EQ(especie.RecNo(), 1);
    ASSERT_TRUE(especie.Delete());
    EXPECT_EQ(nombre(10), QStringLiteral("Otro pino"));
    EXPECT_EQ(det.displayTextAt(0, look), QStringLiteral("Otro pino"));

    ASSERT_TRUE(db.conn.exec(QStringLiteral("UPDATE especie SET espe_descripcion = 'Roble' WHERE espe_codigo = 30")));
    EXPECT_EQ(nombre(30), QStringLiteral("Raulí"));
    ASSERT_TRUE(especie.Refresh());
    EXPECT_EQ(nombre(30), QStringLiteral("Roble"));
    EXPECT_EQ(det.displayTextAt(3, look), QStringLiteral("Roble"));
    ASSERT_TRUE(especie.setFilter(QStringLiteral("espe_codigo <> 30")));
    especie.setFiltered(true);
    EXPECT_EQ(nombre(30), QString());
    EXPECT_FALSE(especie.Locate(QStringLiteral("espe_codigo"), 30));
    EXPECT_EQ(det.displayTextAt(3, look), QString());
}

// A described calculated field becomes a lookup on a dataset found at run time: the same
// Field, so what shows it stays bound; refused while open or for any other field.
TEST_F(DatasetTest, CalculatedFieldBecomesALookupWhileClosed)
{
    Table especie;
    especie.setConnection(&db.conn);
    especie.setTableName(QStringLiteral("especie"));
    ASSERT_TRUE(especie.Open());
    Table det;
    det.setConnection(&db.conn);
    det.setTableName(QStringLiteral("det"));
    Field *antes = det.addCalculatedField(QStringLiteral("esp_look"), FieldType::Text, 50);
    Field *otro = det.addCalculatedField(QStringLiteral("doble"), FieldType::Float);
    det.OnCalcFields = [](Dataset *ds) {
        ds->FieldByName(QStringLiteral("doble"))->setAsFloat(ds->FieldByName(QStringLiteral("vol"))->AsFloat() * 2);
    };
    ASSERT_TRUE(det.Open());
    EXPECT_THROW(det.makeLookupField(QStringLiteral("esp_look"), QStringLiteral("esp"), &especie, QStringLiteral("espe_codigo"),
                                     QStringLiteral("espe_descripcion")),
                 DatasetError);
    det.Close();
    EXPECT_THROW(det.makeLookupField(QStringLiteral("vol"), QStringLiteral("esp"), &especie, QStringLiteral("espe_codigo"),
                                     QStringLiteral("espe_descripcion")),
                 DatasetError);
    EXPECT_THROW(det.makeLookupField(QStringLiteral("nada"), QStringLiteral("esp"), &especie, QStringLiteral("espe_codigo"),
                                     QStringLiteral("espe_descripcion")),
                 DatasetError);
    Field *look = det.makeLookupField(QStringLiteral("esp_look"), QStringLiteral("esp"), &especie,
                                      QStringLiteral("espe_codigo"), QStringLiteral("espe_descripcion"));
    EXPECT_EQ(look, antes);
    ASSERT_TRUE(det.Open());
    EXPECT_EQ(look->Kind(), FieldKind::Lookup);
    EXPECT_EQ(det.FindField(QStringLiteral("esp_look")), look);
    EXPECT_EQ(walk(det, QStringLiteral("esp_look")),
              (QStringList{QStringLiteral("Pino radiata"), QStringLiteral("Eucalipto"), QStringLiteral("Pino radiata"),
                           QStringLiteral("Raulí")}));
    // The calculated field left keeps its value.
    EXPECT_EQ(walk(det, QStringLiteral("doble")),
              (QStringList{QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("8"), QStringLiteral("16")}));
    EXPECT_EQ(otro->Kind(), FieldKind::Calculated);
    det.Last();
    det.Edit();
    EXPECT_TRUE(look->setValue(QStringLiteral("Eucalipto")));
    ASSERT_TRUE(det.Post());
    EXPECT_EQ(det.FieldByName(QStringLiteral("esp"))->AsInteger(), 20);
    EXPECT_EQ(otro->AsFloat(), 16);
}

TEST_F(DatasetTest, CalculatedFieldsFollowTheRow)
{
    Field *calc = rodal.addCalculatedField(QStringLiteral("sup_calc"), FieldType::Float);
    int calls = 0;
    rodal.OnCalcFields = [&calls](Dataset *ds) {
        ++calls;
        EXPECT_EQ(ds->State(), DatasetState::CalcFields);
        ds->FieldByName(QStringLiteral("sup_calc"))->setAsFloat(ds->FieldByName(QStringLiteral("sup"))->AsFloat() * 2);
    };
    ASSERT_TRUE(rodal.Open());
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(calc->DisplayText(), QStringLiteral("25"));
    EXPECT_EQ(rodal.displayTextAt(4, calc), QStringLiteral("6,5"));
    rodal.Edit();
    rodal.FieldByName(QStringLiteral("sup"))->setAsFloat(1.25);
    EXPECT_EQ(calc->AsFloat(), 2.5);
    rodal.Cancel();
    EXPECT_EQ(calc->AsFloat(), 25);
    rodal.Append();
    EXPECT_EQ(calc->AsFloat(), 0);
    rodal.FieldByName(QStringLiteral("sup"))->setAsFloat(4);
    ASSERT_TRUE(rodal.Post());
    EXPECT_EQ(calc->AsFloat(), 8);
    // A data field cannot be written while calculating.
    rodal.OnCalcFields = [](Dataset *ds) { ds->FieldByName(QStringLiteral("sup"))->setAsFloat(1); };
    EXPECT_THROW(rodal.Refresh(), DatasetError);
}

TEST_F(DatasetTest, ApostrophesAndAccentsRoundTrip)
{
    const QString text = QStringLiteral("O'Higgins \"Ñuble\" cañón ü; DROP TABLE rodal; --");
    ASSERT_TRUE(rodal.Open());
    rodal.Edit();
    rodal.FieldByName(QStringLiteral("obs"))->setAsString(text);
    ASSERT_TRUE(rodal.Post());
    EXPECT_EQ(column(QStringLiteral("SELECT obs FROM rodal WHERE id = 1")), QStringList{text});
    ASSERT_TRUE(rodal.setFilter(QStringLiteral("obs = 'o''higgins \"ñuble\" cañón ü; drop table rodal; --'")));
    rodal.setFiltered(true);
    EXPECT_EQ(rodal.RecordCount(), 1);
    rodal.setFiltered(false);
    rodal.Last();
    EXPECT_TRUE(rodal.Locate(QStringLiteral("obs"), text));
    EXPECT_EQ(rodal.RecNo(), 1);

    Query q;
    q.setConnection(&db.conn);
    q.setSQL(QStringLiteral("SELECT id FROM rodal WHERE obs = ?"), {text});
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.RecordCount(), 1);
}

TEST_F(DatasetTest, PlainSingleTableQueryIsEditable)
{
    Query q;
    q.setObjectName(QStringLiteral("adsRodal"));
    q.setConnection(&db.conn);
    q.setSQL(QStringLiteral("select * from rodal where sup > ? order by num desc"), {1});
    EXPECT_EQ(q.editableTable(), QStringLiteral("rodal"));
    ASSERT_TRUE(q.Open()) << q.lastError().text().toStdString();
    EXPECT_TRUE(q.CanModify());
    EXPECT_EQ(walk(q, QStringLiteral("num")), (QStringList{QStringLiteral("20"), QStringLiteral("12"), QStringLiteral("1")}));
    q.First();
    q.Edit();
    q.FieldByName(QStringLiteral("obs"))->setAsString(QStringLiteral("editado"));
    ASSERT_TRUE(q.Post());
    EXPECT_EQ(column(QStringLiteral("SELECT obs FROM rodal WHERE num = '20'")), QStringList{QStringLiteral("editado")});
}

TEST_F(DatasetTest, OtherQueriesAreReadOnly)
{
    for (const char *sql : {"SELECT r.num, d.esp FROM rodal r JOIN det d ON d.num = r.num",
                            "SELECT num, count(*) FROM det GROUP BY num", "SELECT 0+SUM(sup) FROM rodal",
                            "SELECT num AS n FROM rodal", "SELECT * FROM rodal, det"}) {
        SCOPED_TRACE(sql);
        Query q;
        q.setConnection(&db.conn);
        q.setSQL(QString::fromLatin1(sql));
        ASSERT_TRUE(q.Open()) << q.lastError().text().toStdString();
        EXPECT_FALSE(q.CanModify());
        EXPECT_THROW(q.Edit(), DatasetError);
        EXPECT_THROW(q.Append(), DatasetError);
    }
    Query sum;
    sum.setConnection(&db.conn);
    sum.setSQL(QStringLiteral("SELECT 0+SUM(sup) FROM rodal"));
    ASSERT_TRUE(sum.Open());
    EXPECT_EQ(sum.Fields(0)->DataType(), FieldType::Float);
    EXPECT_EQ(sum.Fields(0)->AsString(), QStringLiteral("22,751"));
}

TEST_F(DatasetTest, OpenFailuresAreReported)
{
    Table missing;
    missing.setConnection(&db.conn);
    missing.setTableName(QStringLiteral("nada"));
    EXPECT_FALSE(missing.Open());
    EXPECT_TRUE(missing.lastError().message.contains(QStringLiteral("nada")));
    EXPECT_FALSE(missing.Active());

    Table bad;
    bad.setConnection(&db.conn);
    bad.setTableName(QStringLiteral("rodal; DROP TABLE rodal"));
    EXPECT_FALSE(bad.Open());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM rodal")).toInt(), 5);

    Table noConnection;
    noConnection.setTableName(QStringLiteral("rodal"));
    EXPECT_FALSE(noConnection.Open());
}

TEST_F(DatasetTest, DataSourceNotificationsAndDisableControls)
{
    DataSource src;
    QSignalSpy state(&src, &DataSource::stateChanged);
    QSignalSpy layout(&src, &DataSource::layoutChanged);
    QSignalSpy data(&src, &DataSource::dataChanged);
    src.setDataSet(&rodal);
    DataSource second;
    second.setDataSet(&rodal);
    QSignalSpy secondData(&second, &DataSource::dataChanged);
    state.clear();
    layout.clear();
    ASSERT_TRUE(rodal.Open());
    EXPECT_EQ(state.count(), 1);
    EXPECT_EQ(layout.count(), 1);
    EXPECT_EQ(src.State(), DatasetState::Browse);

    data.clear();
    rodal.Next();
    ASSERT_EQ(data.count(), 1);
    EXPECT_EQ(data.at(0).at(0).value<Field *>(), nullptr);
    EXPECT_EQ(secondData.count(), 1);

    data.clear();
    state.clear();
    rodal.Edit();
    Field *num = rodal.FieldByName(QStringLiteral("num"));
    int changes = 0;
    num->OnChange = [&changes](Field *) { ++changes; };
    num->setAsString(QStringLiteral("x"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(state.count(), 1);
    ASSERT_EQ(data.count(), 1);
    EXPECT_EQ(data.at(0).at(0).value<Field *>(), num);
    rodal.Cancel();

    std::vector<Field *> seen;
    src.OnDataChange = [&seen](DataSource *, Field *f) { seen.push_back(f); };
    state.clear();
    layout.clear();
    data.clear();
    rodal.DisableControls();
    rodal.DisableControls();
    for (rodal.First(); !rodal.Eof(); rodal.Next()) {
    }
    rodal.EnableControls();
    EXPECT_EQ(data.count(), 0);
    EXPECT_TRUE(seen.empty());
    rodal.EnableControls();
    EXPECT_EQ(state.count(), 1);
    EXPECT_EQ(layout.count(), 1);
    EXPECT_EQ(data.count(), 1);
    EXPECT_EQ(seen.size(), 2u); // layout and record, both as "whole record"

    src.setEnabled(false);
    data.clear();
    rodal.First();
    EXPECT_EQ(data.count(), 0);
}

TEST_F(DatasetTest, DeletingADataSourceOrDatasetLeavesNoDanglingLinks)
{
    auto *src = new DataSource;
    src->setDataSet(&rodal);
    ASSERT_TRUE(rodal.Open());
    delete src;
    rodal.Next();
    EXPECT_TRUE(rodal.dataSources().isEmpty());

    DataSource keep;
    auto *t = new Table;
    t->setConnection(&db.conn);
    t->setTableName(QStringLiteral("det"));
    keep.setDataSet(t);
    ASSERT_TRUE(t->Open());
    bool notified = false;
    keep.OnDataChange = [&notified](DataSource *, Field *) { notified = true; };
    QSignalSpy layout(&keep, &DataSource::layoutChanged);
    delete t;
    EXPECT_EQ(keep.DataSet(), nullptr);
    EXPECT_EQ(db.conn.datasets().size(), 1);
    // A handler of the owning window must not run while the window is being destroyed.
    EXPECT_FALSE(notified);
    EXPECT_EQ(layout.count(), 0);
}

// A plain INTEGER PRIMARY KEY (an agency code) was taken for an auto-increment and refused writes.
TEST_F(DatasetTest, OnlyAutoincrementKeysAreReadOnly)
{
    ASSERT_TRUE(db.conn.exec(QStringLiteral("CREATE TABLE tipo (tiso_codigo INTEGER PRIMARY KEY, d VARCHAR(20))")));
    Table tipo;
    tipo.setConnection(&db.conn);
    tipo.setTableName(QStringLiteral("tipo"));
    ASSERT_TRUE(tipo.Open());
    Field *code = tipo.FieldByName(QStringLiteral("tiso_codigo"));
    EXPECT_EQ(code->DataType(), FieldType::Integer);
    EXPECT_FALSE(code->ReadOnly());
    tipo.Append();
    code->setAsInteger(301);
    ASSERT_TRUE(tipo.Post());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT tiso_codigo FROM tipo")).toInt(), 301);
}
