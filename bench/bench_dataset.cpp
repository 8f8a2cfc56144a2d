// Walking an opened 100,000-row table through the dataset layer against a bare
// sqlite3_step loop over the same columns, and posting 10,000 rows in one transaction.
#include "connection.h"
#include "table.h"
#include "transaction.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kRows = 100000;

const QString &databasePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("bench.db"));
        Connection c;
        c.open(p, Connection::ReadWriteCreate);
        c.execScript(QStringLiteral("CREATE TABLE rodal (id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(10), sup DOUBLE,"
                                    " cant INTEGER, obs TEXT);"
                                    "CREATE TABLE vacia (id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(10), sup DOUBLE,"
                                    " cant INTEGER, obs TEXT);"));
        Transaction tr(c);
        for (int i = 0; i < kRows; ++i)
            c.exec(QStringLiteral("INSERT INTO rodal (num, sup, cant, obs) VALUES (?, ?, ?, ?)"),
                   {QString::number(i), i * 0.25, i % 97, QStringLiteral("rodal número %1 del predio").arg(i)});
        tr.commit();
        return p;
    }();
    return path;
}

void BM_BareStep(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(databasePath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "SELECT rowid, * FROM rodal ORDER BY rowid", -1, &st, nullptr);
        qint64 sum = 0;
        double total = 0;
        std::size_t chars = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            sum += sqlite3_column_int64(st, 1);
            chars += std::size_t(sqlite3_column_bytes(st, 2)) + reinterpret_cast<const char *>(sqlite3_column_text(st, 2))[0];
            total += sqlite3_column_double(st, 3);
            sum += sqlite3_column_int64(st, 4);
            chars += std::size_t(sqlite3_column_bytes(st, 5)) + reinterpret_cast<const char *>(sqlite3_column_text(st, 5))[0];
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(chars);
    }
    sqlite3_close_v2(db);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BareStep)->Unit(benchmark::kMillisecond);

void BM_DatasetOpenAndWalk(benchmark::State &state)
{
    Connection conn;
    conn.open(databasePath(), Connection::ReadOnly);
    Table t;
    t.setTableName(QStringLiteral("rodal"));
    t.setConnection(&conn);
    for (auto _ : state) {
        t.Open();
        Field *id = t.FieldByName(QStringLiteral("id"));
        Field *num = t.FieldByName(QStringLiteral("num"));
        Field *sup = t.FieldByName(QStringLiteral("sup"));
        Field *cant = t.FieldByName(QStringLiteral("cant"));
        Field *obs = t.FieldByName(QStringLiteral("obs"));
        qint64 sum = 0;
        double total = 0;
        std::size_t chars = 0;
        for (t.First(); !t.Eof(); t.Next()) {
            sum += id->AsInteger();
            chars += std::size_t(num->AsString().size());
            total += sup->AsFloat();
            sum += cant->AsInteger();
            chars += std::size_t(obs->AsString().size());
        }
        t.Close();
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(chars);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_DatasetOpenAndWalk)->Unit(benchmark::kMillisecond);

void BM_DatasetOpenOnly(benchmark::State &state)
{
    Connection conn;
    conn.open(databasePath(), Connection::ReadOnly);
    Table t;
    t.setTableName(QStringLiteral("rodal"));
    t.setConnection(&conn);
    for (auto _ : state) {
        t.Open();
        t.Close();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_DatasetOpenOnly)->Unit(benchmark::kMillisecond);

void BM_Post10000InOneTransaction(benchmark::State &state)
{
    Connection conn;
    conn.open(databasePath());
    Table t;
    t.setTableName(QStringLiteral("vacia"));
    t.setConnection(&conn);
    for (auto _ : state) {
        state.PauseTiming();
        conn.exec(QStringLiteral("DELETE FROM vacia"));
        t.Open();
        state.ResumeTiming();
        Transaction tr(conn);
        Field *num = t.FieldByName(QStringLiteral("num"));
        Field *sup = t.FieldByName(QStringLiteral("sup"));
        Field *obs = t.FieldByName(QStringLiteral("obs"));
        for (int i = 0; i < 10000; ++i) {
            t.Append();
            num->setAsInteger(i);
            sup->setAsFloat(i * 0.5);
            obs->setAsString(QStringLiteral("fila O'Higgins %1").arg(i));
            t.Post();
        }
        tr.commit();
        state.PauseTiming();
        t.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_Post10000InOneTransaction)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    databasePath();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
