// Each form's document at three sizes, each operation beside its floor from the same run.
//
// A document is made as the shell makes one: the form's plug-in and its request form's
// loaded from their shared objects, the windows made by their registered names over copies
// of the built templates and the seeded main database, set up in the shell's order. It is
// then filled through its description: every table of its own holds N rows (the stand
// numbers 1..N in a `num` column), every detail table K rows per master row (Dalu: P plots
// per stand and T trees per plot), and the datasets are read again as after loading.
//
// Operations and floors (counters "floor_ms" and "x_floor"):
//   Xml     the exchange XML of every form of the document  | copying the same bytes + MD5
//   Print   the printout to PDF                             | a bare SQLite scan of the
//                                                             form's rows + zlib of the PDF
//   Pages   every page shown in turn (window on screen), the slowest one | 50 ms
// Run one form and size per process to keep them apart, e.g.
//   bench_formularios --benchmark_filter='Coba/Xml/1000'
// Sizes: Coba, Lumo, Zuri 10 / 100 / 1,000 stands; Dalu 5x4x3 / 20x10x10 / 50x40x30
// stands x plots x trees; Wiro 2 / 20 / 200 properties.
#include "entornobenchmark.h"
#include "silenciobenchmark.h"

#include "builtform.h"
#include "classregistry.h"
#include "connection.h"
#include "dataset.h"
#include "formdescription.h"
#include "tcustommdichild.h"
#include "tformdescrito.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>
#include <QMdiArea>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <zlib.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

struct Forma
{
    const char *nombre;
    const char *codigo;
    const char *plugin;
    const char *padre; // the request form beside it; null for a request form alone
    const char *pluginPadre;
    int tiso;
    int tag;
    bool padrePrimero; // the request form is the document's principal form
};

const Forma kFormas[] = {
    {"Coba", "COBA", BRENVIK_COBA_PLUGIN, "DORVO", BRENVIK_DORVO_PLUGIN, 42, 0, true},
    {"Lumo", "LUMO", BRENVIK_LUMO_PLUGIN, "DORVO", BRENVIK_DORVO_PLUGIN, 999, 31, false},
    {"Zuri", "ZURI", BRENVIK_ZURI_PLUGIN, "FERUN", BRENVIK_FERUN_PLUGIN, 50, 0, true},
    {"Dalu", "DALU", BRENVIK_DALU_PLUGIN, "DORVO", BRENVIK_DORVO_PLUGIN, 12, 0, false},
    {"Wiro", "WIRO", BRENVIK_WIRO_PLUGIN, nullptr, nullptr, 1, 0, false},
};

// Rows of a detail table per master row: Dalu's plots per stand and trees per plot, two
// elsewhere.
int filasPorMaestro(const QString &tabla, int plots, int arboles)
{
    if (tabla == QLatin1String("dalu_tab_rod"))
        return plots;
    if (tabla == QLatin1String("dalu_tab_rod_det"))
        return arboles;
    return 2;
}

// A plausible value of a column for row `i` of its table.
QVariant valor(const ColumnDescription &c, int i)
{
    if (c.name.compare(QLatin1String("num"), Qt::CaseInsensitive) == 0)
        return c.type == FieldType::Text || c.type == FieldType::Memo ? QVariant(QString::number(i)) : QVariant(i);
    switch (c.type) {
    case FieldType::Integer:
    case FieldType::SmallInt:
        return 1 + i % 3;
    case FieldType::Float:
        return 1.5 + i % 7;
    case FieldType::Text:
        return QStringLiteral("Texto %1").arg(i).left(std::max(c.size, 1));
    case FieldType::Memo:
        return QStringLiteral("Observación del registro %1 con algunas palabras más").arg(i);
    case FieldType::Boolean:
        return i % 2;
    case FieldType::DateTime:
        return QStringLiteral("2026-06-02 00:00:00");
    case FieldType::AutoInc:
        break;
    }
    return QVariant();
}

QStringList separar(const QString &campos)
{
    QStringList r;
    for (const QString &c : campos.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        r << c.trimmed();
    return r;
}

// Fills the form's working database through its description, in one transaction.
void llenar(TFormDescrito *form, int filas, int plots, int arboles)
{
    const FormDescription &d = form->Formulario()->description();
    Connection *c = form->ConexionBD;
    c->exec(QStringLiteral("BEGIN"));
    for (const TableDescription &t : d.tables) {
        if (t.main)
            continue;
        QList<const ColumnDescription *> columnas;
        for (const ColumnDescription &col : t.columns)
            if (col.kind == ColumnDescription::Kind::Data && col.type != FieldType::AutoInc)
                columnas << &col;
        if (columnas.isEmpty())
            continue;
        // The master's rows give the link values; a table of its own, the numbers 1..N.
        QList<QVariantList> enlaces;
        QStringList detalle;
        int porFila = 1;
        if (!t.master.isEmpty()) {
            const TableDescription *m = d.tableBySourceName(t.master);
            if (!m)
                continue;
            const QStringList maestro = separar(t.masterFields);
            detalle = separar(t.detailFields);
            for (const QVariantList &r : c->select(QStringLiteral("SELECT %1 FROM %2").arg(maestro.join(QStringLiteral(", ")), m->name)).rows)
                enlaces << r;
            porFila = filasPorMaestro(t.name, plots, arboles);
        } else {
            for (int i = 1; i <= filas; ++i)
                enlaces << QVariantList();
        }
        QStringList nombres, marcas;
        for (const ColumnDescription *col : std::as_const(columnas)) {
            nombres << col->name;
            marcas << QStringLiteral("?");
        }
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(t.name, nombres.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", ")));
        int i = 0;
        for (const QVariantList &enlace : std::as_const(enlaces)) {
            for (int k = 0; k < porFila; ++k) {
                ++i;
                QVariantList valores;
                for (const ColumnDescription *col : std::as_const(columnas)) {
                    const qsizetype e = detalle.indexOf(col->name);
                    valores << (e >= 0 ? enlace.value(e) : valor(*col, t.master.isEmpty() ? i : k + 1));
                }
                c->exec(sql, valores);
            }
        }
    }
    c->exec(QStringLiteral("COMMIT"));
    for (Dataset *ds : c->datasets()) {
        ds->Close();
        ds->Open();
    }
}

// One document of a form at one size, kept for the benchmarks of that size.
struct Documento
{
    QTemporaryDir dir;
    QString app;
    std::unique_ptr<QMdiArea> area = std::make_unique<QMdiArea>();
    QList<QPointer<TCustomMDIChild>> formas; // the form first, then its request form
    QList<QString> tablas;                     // the form's tables, for the bare scan

    Documento(const Forma &f, int filas, int plots, int arboles)
    {
        app = dir.path() + QStringLiteral("/");
        QDir().mkpath(app + QStringLiteral("bbdd"));
        QStringList codigos{QLatin1String(f.codigo)};
        if (f.padre)
            codigos.insert(f.padrePrimero ? 0 : 1, QLatin1String(f.padre));
        for (const QString &base : QStringList(codigos) << QStringLiteral("bd"))
            QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/") + base + QStringLiteral(".db"),
                        app + QStringLiteral("bbdd/") + base + QStringLiteral(".db"));
        area->resize(1100, 800);
        const QString principal = codigos.first();
        for (const QString &codigo : std::as_const(codigos)) {
            auto *w = qobject_cast<TCustomMDIChild *>(ClassRegistry::instance().create(QStringLiteral("TForm") + codigo, nullptr));
            if (!w)
                qFatal("no form %s", qPrintable(codigo));
            area->addSubWindow(w);
            w->DirAplicacion = app;
            w->Codigo = codigo;
            w->CodigoPpal = principal;
            w->TisoCodigo = codigo == QLatin1String(f.codigo) ? f.tiso : 1;
            if (codigo == QLatin1String(f.codigo) && f.tag)
                w->Tag = f.tag;
            w->Nuevo();
            if (codigo == QLatin1String(f.codigo))
                formas.prepend(w);
            else
                formas << w;
        }
        for (TCustomMDIChild *a : std::as_const(formas))
            for (TCustomMDIChild *b : std::as_const(formas))
                if (a != b)
                    a->Hermanos << b;
        for (TCustomMDIChild *w : std::as_const(formas)) {
            w->ConexionesExternas();
            w->EstablecerBBDD();
            w->InicializarDatasetPpal(QStringLiteral("Documento de banco"));
        }
        auto *form = qobject_cast<TFormDescrito *>(formas.first().data());
        if (!form || !form->Formulario())
            qFatal("%s is no described form", f.codigo);
        llenar(form, filas, plots, arboles);
        for (const TableDescription &t : form->Formulario()->description().tables)
            tablas << t.name;
    }

    ~Documento()
    {
        for (TCustomMDIChild *w : std::as_const(formas)) {
            if (w) {
                w->Modificado = false;
                w->Respondido = true;
            }
        }
    }

    TCustomMDIChild *form() const { return formas.first(); }
};

std::unique_ptr<SilencioBenchmark> g_silencio;
std::unique_ptr<Documento> g_documento;
QString g_clave;

Documento &documento(const Forma &f, int filas, int plots, int arboles)
{
    const QString clave = QStringLiteral("%1/%2/%3/%4").arg(QLatin1String(f.codigo)).arg(filas).arg(plots).arg(arboles);
    if (g_clave != clave) {
        g_documento.reset();
        QLibrary(QLatin1String(f.plugin)).load();
        if (f.pluginPadre)
            QLibrary(QLatin1String(f.pluginPadre)).load();
        g_documento = std::make_unique<Documento>(f, filas, plots, arboles);
        g_clave = clave;
    }
    return *g_documento;
}

double msDesde(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void suelo(benchmark::State &state, double op, double piso)
{
    state.counters["floor_ms"] = piso;
    state.counters["x_floor"] = piso > 0 ? op / piso : 0;
}

// The size of a case: rows of the form's own tables, and for Dalu plots and trees.
struct Tamano
{
    int filas, plots, arboles;
};
Tamano tamano(const benchmark::State &state)
{
    return {int(state.range(0)), int(state.range(1)), int(state.range(2))};
}

void BM_Xml(benchmark::State &state, const Forma &f)
{
    const Tamano t = tamano(state);
    Documento &d = documento(f, t.filas, t.plots, t.arboles);
    QByteArray xml;
    double op = 0;
    for (auto _ : state) {
        QElapsedTimer reloj;
        reloj.start();
        xml.clear();
        for (TCustomMDIChild *w : std::as_const(d.formas))
            xml += w->PrepararXML();
        op = msDesde(reloj);
        state.SetIterationTime(op / 1000);
    }
    QElapsedTimer reloj;
    reloj.start();
    QByteArray copia;
    for (qsizetype i = 0; i < xml.size(); i += 4096)
        copia.append(xml.mid(i, 4096));
    benchmark::DoNotOptimize(QCryptographicHash::hash(copia, QCryptographicHash::Md5));
    suelo(state, op, msDesde(reloj));
    state.counters["bytes"] = double(xml.size());
}

void BM_Print(benchmark::State &state, const Forma &f)
{
    const Tamano t = tamano(state);
    Documento &d = documento(f, t.filas, t.plots, t.arboles);
    const QString pdf = d.dir.filePath(QStringLiteral("banco.pdf"));
    double op = 0;
    for (auto _ : state) {
        TCustomMDIChild::setPapelImpresora(QStringLiteral("Legal"), 0, 0);
        QPrinter impresora;
        impresora.setOutputFileName(pdf);
        QPrintDialog dialogo(&impresora);
        d.form()->DialogoImpresion = &dialogo;
        QElapsedTimer reloj;
        reloj.start();
        QString error;
        if (!d.form()->Imprimir(&error))
            state.SkipWithError(qPrintable(error));
        op = msDesde(reloj);
        d.form()->DialogoImpresion = nullptr;
        state.SetIterationTime(op / 1000);
    }
    QFile archivo(pdf);
    archivo.open(QIODevice::ReadOnly);
    const QByteArray bytes = archivo.readAll();
    QElapsedTimer reloj;
    reloj.start();
    qint64 celdas = 0;
    for (const QString &tabla : std::as_const(d.tablas)) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(d.form()->ConexionBD->handle(), QStringLiteral("SELECT * FROM %1").arg(tabla).toUtf8().constData(), -1, &st, nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW)
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                celdas += sqlite3_column_bytes(st, i);
        sqlite3_finalize(st);
    }
    uLongf n = compressBound(uLong(bytes.size()));
    QByteArray comprimido(qsizetype(n), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef *>(comprimido.data()), &n, reinterpret_cast<const Bytef *>(bytes.constData()),
              uLong(bytes.size()), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(celdas);
    suelo(state, op, msDesde(reloj));
    state.counters["pdf_bytes"] = double(bytes.size());
}

void BM_Pages(benchmark::State &state, const Forma &f)
{
    const Tamano t = tamano(state);
    Documento &d = documento(f, t.filas, t.plots, t.arboles);
    TCustomMDIChild *form = d.form();
    d.area->show();
    QCoreApplication::processEvents();
    double peor = 0;
    int peorPagina = -1;
    for (auto _ : state) {
        QElapsedTimer total;
        total.start();
        for (int i = 0; i < form->Paginas->count(); ++i) {
            QElapsedTimer reloj;
            reloj.start();
            form->CambiarHoja(i);
            QCoreApplication::processEvents();
            if (const double ms = msDesde(reloj); ms > peor) {
                peor = ms;
                peorPagina = i;
            }
        }
        form->CambiarHoja(0);
        QCoreApplication::processEvents();
        state.SetIterationTime(msDesde(total) / 1000);
    }
    state.counters["slowest_page_ms"] = peor;
    state.counters["slowest_page"] = peorPagina;
    suelo(state, peor, 50);
}

void registrar()
{
    for (const Forma &f : kFormas) {
        const bool dalu = QLatin1String(f.codigo) == QLatin1String("DALU");
        const bool wiro = QLatin1String(f.codigo) == QLatin1String("WIRO");
        const QList<std::vector<int64_t>> tamanos = dalu ? QList<std::vector<int64_t>>{{5, 4, 3}, {20, 10, 10}, {50, 40, 30}}
                                                   : wiro ? QList<std::vector<int64_t>>{{2, 1, 1}, {20, 1, 1}, {200, 1, 1}}
                                                          : QList<std::vector<int64_t>>{{10, 1, 1}, {100, 1, 1}, {1000, 1, 1}};
        for (const auto &[op, fn] : {std::pair{"Xml", &BM_Xml}, std::pair{"Print", &BM_Print}, std::pair{"Pages", &BM_Pages}}) {
            auto *b = benchmark::RegisterBenchmark((std::string(f.nombre) + "/" + op).c_str(), fn, f);
            for (const std::vector<int64_t> &t : tamanos)
                b->Args(t);
            b->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    EntornoBenchmark entorno;
    QApplication app(argc, argv);
    g_silencio = std::make_unique<SilencioBenchmark>();
    DialogService::setInstance(g_silencio.get());
    benchmark::Initialize(&argc, argv);
    registrar();
    benchmark::RunSpecifiedBenchmarks();
    g_documento.reset();
    benchmark::Shutdown();
    return 0;
}
