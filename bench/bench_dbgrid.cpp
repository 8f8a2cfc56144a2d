// Scrolling a data grid over 10,000 rows: painting one screen of cells after a jump of
// the scroll bar, and moving the dataset's cursor one row with the grid following.
// Both must cost only the rows on screen, whatever the size of the dataset.
#include "connection.h"
#include "datasource.h"
#include "dbgrid.h"
#include "table.h"
#include "transaction.h"

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct GridFixture
{
    QTemporaryDir dir;
    Connection connection;
    Table table;
    DataSource source;
    DBGrid grid;

    explicit GridFixture(int rows)
    {
        connection.open(dir.filePath(QStringLiteral("bench.db")), Connection::ReadWriteCreate);
        connection.execScript(QStringLiteral("CREATE TABLE rodal (id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(10),"
                                             " sup DOUBLE, est INTEGER, obs TEXT)"));
        Transaction tr(connection);
        for (int i = 0; i < rows; ++i)
            connection.exec(QStringLiteral("INSERT INTO rodal (num, sup, est, obs) VALUES (?, ?, ?, ?)"),
                            {QString::number(i), i * 0.25, i % 3, QStringLiteral("rodal %1").arg(i)});
        tr.commit();
        table.setConnection(&connection);
        table.setTableName(QStringLiteral("rodal"));
        table.Open();
        source.setDataSet(&table);
        grid.addColumn(QStringLiteral("num"));
        grid.addColumn(QStringLiteral("sup"))->Footer().valueType = GridFooter::ValueType::Sum;
        GridColumn *est = grid.addColumn(QStringLiteral("est"));
        est->setKeyList({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
        est->setPickList({QStringLiteral("Bueno"), QStringLiteral("Regular"), QStringLiteral("Malo")});
        grid.addColumn(QStringLiteral("obs"));
        grid.setFooterRowCount(1);
        grid.setDataSource(&source);
        grid.resize(600, 400);
        grid.show();
        QApplication::processEvents();
    }
};

void BM_PaintAfterScroll(benchmark::State &state)
{
    GridFixture f(int(state.range(0)));
    QScrollBar *bar = f.grid.view()->verticalScrollBar();
    QPixmap pixmap(f.grid.size());
    int step = 0;
    for (auto _ : state) {
        bar->setValue((step++ * 997) % std::max(bar->maximum(), 1));
        f.grid.view()->viewport()->render(&pixmap);
    }
}
BENCHMARK(BM_PaintAfterScroll)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_CursorMove(benchmark::State &state)
{
    GridFixture f(int(state.range(0)));
    int row = 1;
    for (auto _ : state) {
        f.table.setRecNo(row);
        row = row % f.table.RecordCount() + 1;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_CursorMove)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
