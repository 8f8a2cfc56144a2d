// A form of 15 pages and 20 grids: built from its description (parse, build, open the
// datasets), from the parsed model, and the same widgets and datasets constructed by hand.
#include "builtform.h"
#include "connection.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "formbuilder.h"
#include "formdescriptionparser.h"
#include "formtemplate.h"
#include "table.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

namespace {

constexpr int kPages = 15;
constexpr int kGrids = 20;
constexpr int kRows = 20; // rows per detail table

QString description()
{
    QString d = QStringLiteral("form BENCH\ncaption \"Formulario BENCH\"\ntitle \"BANCO\"\nsize 705 580\n"
                               "table bench main\n  Id autoinc\n  sup float \"Superficie\"\n  obs memo \"Observaciones\"\n");
    for (int g = 0; g < kGrids; ++g) {
        d += QStringLiteral("table bench_t%1\n  Id autoinc\n  num text 6 \"Rodal\\nNº\"\n  sup float \"Superficie\\n(ha)\"\n"
                            "  ano smallint \"Año\"\n  n integer \"Coordenadas UTM | N\"\n  e integer \"Coordenadas UTM | E\"\n"
                            "  esp memo \"Especie(s)\"\n").arg(g);
        for (int r = 0; r < kRows; ++r)
            d += QStringLiteral("  row num=%1 sup=%2,5 ano=2001 n=5900000 e=700000 esp=PINO\n").arg(r).arg(r);
    }
    d += QStringLiteral("page\n  edit sup hidden\n");
    int grid = 0;
    for (int p = 1; p < kPages; ++p) {
        d += QStringLiteral("page \"Sección %1\"\n  group \" Sección %1 \"\n").arg(p);
        const int here = p <= kGrids - (kPages - 1) ? 2 : 1; // 20 grids over 14 pages
        for (int i = 0; i < here && grid < kGrids; ++i, ++grid)
            d += QStringLiteral("    grid dbgBENCH_t%1 bench_t%1 \"Tabla %1\"\n      num\n      sup\n      ano\n      n\n      e\n      esp\n"
                                "      footer \"Total:\" sup\n").arg(grid);
        d += QStringLiteral("    edit sup \"Superficie:\"\n");
    }
    return d;
}

struct Fixture
{
    QTemporaryDir dir;
    QString text = description();
    FormDescription model;
    QString path;

    Fixture()
    {
        QStringList errors;
        model = *FormDescriptionParser::parse(text, QStringLiteral("bench.form"), &errors);
        path = dir.filePath(QStringLiteral("BENCH.db"));
        QString error;
        FormTemplate::write(model, path, &error);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// Argument 1: the description is parsed each time; 0: the parsed model is built.
void BM_FormFromDescription(benchmark::State &state)
{
    Fixture &f = fixture();
    const bool parse = state.range(0) != 0;
    for (auto _ : state) {
        Connection working;
        working.open(f.path);
        QWidget window;
        QStringList errors;
        const auto model = parse ? FormDescriptionParser::parse(f.text, QStringLiteral("bench.form"), &errors) : std::optional(f.model);
        BuiltForm *built = FormBuilder::build(*model, &window, &working, nullptr);
        if (!built->openDatasets())
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(built);
    }
}
BENCHMARK(BM_FormFromDescription)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The same components written out in code, as a form would without a description.
void BM_FormByHand(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        Connection working;
        working.open(f.path);
        QWidget window;
        auto *main = new Table(&window);
        main->setObjectName(QStringLiteral("adsPpal"));
        main->setTableName(QStringLiteral("bench"));
        main->setConnection(&working);
        auto *mainSource = new DataSource(&window);
        mainSource->setDataSet(main);
        QList<DataSource *> sources;
        for (int g = 0; g < kGrids; ++g) {
            auto *t = new Table(&window);
            t->setObjectName(QStringLiteral("adtBENCH_t%1").arg(g));
            t->setTableName(QStringLiteral("bench_t%1").arg(g));
            t->setConnection(&working);
            auto *s = new DataSource(&window);
            s->setDataSet(t);
            sources << s;
        }
        auto *pages = new QTabWidget(&window);
        pages->tabBar()->hide();
        (new QVBoxLayout(&window))->addWidget(pages);
        auto *first = new QWidget(pages);
        auto *hidden = new DBEdit(first);
        hidden->setDataSource(mainSource, QStringLiteral("sup"));
        hidden->hide();
        pages->addTab(first, QString());
        int grid = 0;
        for (int p = 1; p < kPages; ++p) {
            auto *page = new QWidget(pages);
            auto *layout = new QVBoxLayout(page);
            auto *box = new QGroupBox(QStringLiteral(" Sección %1 ").arg(p), page);
            auto *inner = new QVBoxLayout(box);
            layout->addWidget(box);
            const int here = p <= kGrids - (kPages - 1) ? 2 : 1;
            for (int i = 0; i < here && grid < kGrids; ++i, ++grid) {
                inner->addWidget(new QLabel(QStringLiteral("Tabla %1").arg(grid), box));
                auto *g = new DBGrid(box);
                for (const char *field : {"num", "sup", "ano", "n", "e", "esp"})
                    g->addColumn(QString::fromLatin1(field));
                g->setFooterRowCount(1);
                g->setSumListActive(true);
                g->Columns(0)->Footer(0).valueType = GridFooter::ValueType::StaticText;
                g->Columns(0)->Footer(0).value = QStringLiteral("Total:");
                g->Columns(1)->Footer(0).valueType = GridFooter::ValueType::Sum;
                g->setDataSource(sources[grid]);
                inner->addWidget(g);
            }
            auto *form = new QFormLayout;
            auto *edit = new DBEdit(box);
            edit->setDataSource(mainSource, QStringLiteral("sup"));
            form->addRow(new QLabel(QStringLiteral("Superficie:"), box), edit);
            inner->addLayout(form);
            pages->addTab(page, QString());
        }
        main->Open();
        for (DataSource *s : std::as_const(sources))
            s->DataSet()->Open();
        benchmark::DoNotOptimize(pages);
    }
}
BENCHMARK(BM_FormByHand)->Unit(benchmark::kMillisecond);

} // namespace
