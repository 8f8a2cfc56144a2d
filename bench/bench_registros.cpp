// The registers and the document index over a large main database (100,000 properties
// with 200,000 rolls and 100,000 UTM points, 300,000 persons, 200,000 owner links,
// 10,000 indexed documents), each operation ("op_ms") beside the bare SQLite read of what
// it shows ("bare_ms", "ratio") and the resident memory once it is done ("rss_MB"); a
// window opened also beside the same window over the seeded database ("seeded_ms",
// "vs_seeded"), which is what building and painting it costs without data.
//
// The database is built once, in one transaction with prepared statements, and kept
// beside this program (registros_grande.db); every run works on a copy of it.
#include "entornobenchmark.h"
#include "silenciobenchmark.h"
#include "memoriaproceso.h"

#include "connection.h"
#include "dataset.h"
#include "dialogservice.h"
#include "field.h"
#include "ordenlistas.h"
#include "tformpersonas.h"
#include "tformppalforms.h"
#include "tformpredios.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kPredios = 100000;
constexpr int kPersonas = 300000;
constexpr int kDocumentos = 10000;
// Rows of one screen of a list.
constexpr int kPantalla = 40;
// Changes when the data below change, so that an old cached file is built again.
constexpr int kVersionDatos = 2; // 2: names indexed in Spanish order

// A name that sorts apart from the code, so that the lists' order is not the rowid's.
QByteArray nombre(const char *prefijo, int i)
{
    const unsigned h = unsigned(i) * 2654435761u;
    return QByteArray(prefijo) + ' ' + QByteArray::number(h % 1000000u).rightJustified(6, '0') + ' ' + QByteArray::number(i);
}

class Insercion
{
public:
    Insercion(sqlite3 *db, const char *sql) { sqlite3_prepare_v2(db, sql, -1, &m_st, nullptr); }
    ~Insercion() { sqlite3_finalize(m_st); }
    Insercion &entero(int i, qint64 v)
    {
        sqlite3_bind_int64(m_st, i, v);
        return *this;
    }
    Insercion &real(int i, double v)
    {
        sqlite3_bind_double(m_st, i, v);
        return *this;
    }
    Insercion &texto(int i, const QByteArray &v)
    {
        sqlite3_bind_text(m_st, i, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    bool paso()
    {
        const bool ok = sqlite3_step(m_st) == SQLITE_DONE;
        sqlite3_reset(m_st);
        return ok;
    }

private:
    sqlite3_stmt *m_st = nullptr;
};

bool llenar(const QString &archivo)
{
    Connection c;
    if (!c.open(archivo))
        return false;
    sqlite3 *db = c.handle();
    bool ok = c.exec(QStringLiteral("BEGIN"));
    {
        Insercion predio(db, "INSERT INTO predio (pred_codigo, pred_nombre, pred_superficie, pred_ubicacion, pred_comuna,"
                             " pred_provincia, pred_region) VALUES (?, ?, ?, ?, '11302', '113', '11')");
        Insercion rol(db, "INSERT INTO rol (rol_numero, pred_codigo, rol_comuna) VALUES (?, ?, '11302')");
        Insercion coordenada(db, "INSERT INTO coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este)"
                                 " VALUES (?, 'PUNTO', ?, ?)");
        for (int i = 1; ok && i <= kPredios; ++i) {
            ok = predio.entero(1, i).texto(2, nombre("PREDIO", i)).real(3, 10 + i % 500).texto(4, "CAMINO A " + nombre("", i)).paso()
                 && rol.texto(1, QByteArray::number(i) + "-1").entero(2, i).paso()
                 && rol.texto(1, QByteArray::number(i) + "-2").entero(2, i).paso()
                 && coordenada.entero(1, i).entero(2, 4500000 + i).entero(3, 650000 + i).paso();
        }
        Insercion persona(db, "INSERT INTO persona (pers_codigo, pers_rut, pers_dv, pers_paterno, pers_materno, pers_nombre)"
                              " VALUES (?, ?, '1', ?, ?, ?)");
        for (int i = 1; ok && i <= kPersonas; ++i)
            ok = persona.entero(1, i).entero(2, 1000000 + i).texto(3, nombre("PATERNO", i)).texto(4, nombre("MATERNO", i * 7))
                     .texto(5, "NOMBRE " + QByteArray::number(i % 977))
                     .paso();
        Insercion propietario(db, "INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (?, ?)");
        for (int i = 1; ok && i <= kPredios; ++i)
            ok = propietario.entero(1, (i * 3) % kPersonas + 1).entero(2, i).paso()
                 && propietario.entero(1, (i * 3 + 1) % kPersonas + 1).entero(2, i).paso();
        Insercion documento(db, "INSERT INTO formPredio (pred_codigo, form_id, foco_estado, foco_fecha, foco_archivo)"
                                " VALUES (?, 1, 0, '2026-01-02 10:00:00', ?)");
        for (int i = 1; ok && i <= kDocumentos; ++i)
            ok = documento.entero(1, (i * 10) % kPredios + 1).texto(2, "/documentos/doc" + QByteArray::number(i) + ".kel").paso();
    }
    ok = ok && c.exec(QStringLiteral("COMMIT")) && c.exec(QStringLiteral("ANALYZE"));
    return ok;
}

// The large database, built on first use and kept beside the program.
QString baseGrande()
{
    const QString cache = QCoreApplication::applicationDirPath() + QStringLiteral("/registros_grande_v%1.db").arg(kVersionDatos);
    if (QFileInfo::exists(cache))
        return cache;
    const QString parcial = cache + QStringLiteral(".parcial");
    QFile::remove(parcial);
    if (!QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db"), parcial)) {
        qWarning("cannot copy the main database");
        return {};
    }
    QFile(parcial).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QElapsedTimer t;
    t.start();
    if (!llenar(parcial) || !QFile::rename(parcial, cache)) {
        qWarning("cannot build the large database");
        return {};
    }
    qInfo("large database built in %lld ms", t.elapsed());
    return cache;
}

// A program folder around a copy of a main database (the large one, or the built one
// with only its seed, which gives what a window costs by itself).
struct Programa
{
    QTemporaryDir dir;
    bool listo = false;
    QString dirAplicacion;

    explicit Programa(const QString &fuente)
    {
        dirAplicacion = dir.path() + QLatin1Char('/');
        QDir().mkpath(dirAplicacion + QStringLiteral("bbdd"));
        listo = !fuente.isEmpty() && QFile::copy(fuente, dirAplicacion + QStringLiteral("bbdd/bd.db"));
        QFile(dirAplicacion + QStringLiteral("bbdd/bd.db")).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
};

Programa *g_programa = nullptr;
Programa *g_sembrado = nullptr;

// The median time in milliseconds of `veces` runs of a bare read.
double mediana(int veces, const std::function<void()> &lectura)
{
    std::vector<double> t;
    for (int i = 0; i < veces; ++i) {
        QElapsedTimer reloj;
        reloj.start();
        lectura();
        t.push_back(double(reloj.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// Steps through the rows of `sql`, reading every column as the datasets do.
int leer(const QString &sql, const QVariantList &params = {})
{
    static Connection c;
    if (!c.isOpen())
        c.open(g_programa->dirAplicacion + QStringLiteral("bbdd/bd.db"), Connection::ReadOnly);
    return int(c.select(sql, params).rows.size());
}

// Times what the benchmark loop times, for the ratio to the bare read.
class Cronometro
{
public:
    void iniciar() { m_reloj.start(); }
    void parar() { m_tiempos.push_back(double(m_reloj.nsecsElapsed()) / 1e6); }
    double mediana() const
    {
        std::vector<double> t = m_tiempos;
        std::sort(t.begin(), t.end());
        return t.empty() ? 0 : t[t.size() / 2];
    }

private:
    QElapsedTimer m_reloj;
    std::vector<double> m_tiempos;
};

void informar(benchmark::State &state, const Cronometro &operacion, double desnudo)
{
    state.counters["op_ms"] = operacion.mediana();
    state.counters["bare_ms"] = desnudo;
    state.counters["ratio"] = desnudo > 0 ? operacion.mediana() / desnudo : 0;
    state.counters["rss_MB"] = memoria("VmRSS");
}

const QString kPantallaPredios = (QStringLiteral("SELECT * FROM predio ORDER BY ") + QLatin1String(kOrdenPredios) + QStringLiteral(" LIMIT %1")).arg(kPantalla);
const QString kPantallaPersonas = (QStringLiteral("SELECT * FROM persona ORDER BY ") + QLatin1String(kOrdenPersonas) + QStringLiteral(" LIMIT %1")).arg(kPantalla);

std::unique_ptr<TFormPredios> abrirPredios(const Programa *programa = g_programa)
{
    auto ventana = std::make_unique<TFormPredios>();
    ventana->DirAplicacion = programa->dirAplicacion;
    ventana->resize(980, 600);
    if (!ventana->Abrir())
        return nullptr;
    ventana->show();
    QApplication::processEvents();
    return ventana;
}

void mostrarPropietarios(TFormPredios *ventana, bool mostrar)
{
    auto *pestanas = ventana->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    pestanas->setCurrentWidget(mostrar ? ventana->findChild<QWidget *>(QStringLiteral("tabPropietarios")) : pestanas->widget(0));
    QApplication::processEvents();
}

void BM_PrediosAbre(benchmark::State &state)
{
    const double desnudo = mediana(5, [] { leer(kPantallaPredios); });
    Cronometro c;
    double rss = 0;
    for (auto _ : state) {
        c.iniciar();
        auto ventana = abrirPredios();
        c.parar();
        if (!ventana) {
            state.SkipWithError("the register did not open");
            return;
        }
        state.PauseTiming();
        rss = memoria("VmRSS");
        ventana.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    informar(state, c, desnudo);
    state.counters["rss_MB"] = rss; // with the register open
    const double sembrado = mediana(3, [] { abrirPredios(g_sembrado); });
    state.counters["seeded_ms"] = sembrado;
    state.counters["vs_seeded"] = c.mediana() / sembrado;
}

// The owners page shown: the screen of owners and other persons.
void BM_PrediosPropietariosMostrar(benchmark::State &state)
{
    const double desnudo = mediana(5, [] {
        leer(QStringLiteral("SELECT p.* FROM persona p, propietario r WHERE p.pers_codigo=r.pers_codigo AND r.pred_codigo=?"), {5});
        leer(kPantallaPersonas);
    });
    auto ventana = abrirPredios();
    if (!ventana) {
        state.SkipWithError("the register did not open");
        return;
    }
    Cronometro c;
    for (auto _ : state) {
        c.iniciar();
        mostrarPropietarios(ventana.get(), true);
        c.parar();
        state.PauseTiming();
        mostrarPropietarios(ventana.get(), false);
        state.ResumeTiming();
    }
    informar(state, c, desnudo);
}

// The bare read of one property with its rows: what a move shows.
double lecturaDeUnPredio(bool propietarios)
{
    return mediana(21, [propietarios] {
        leer(QStringLiteral("SELECT * FROM predio WHERE pred_codigo=?"), {777});
        for (const char *tabla : {"rol", "rol_contiguo", "conservador", "ministerio", "coordenada"})
            leer(QStringLiteral("SELECT * FROM %1 WHERE pred_codigo=?").arg(QLatin1String(tabla)), {777});
        if (propietarios) {
            leer(QStringLiteral("SELECT p.* FROM persona p, propietario r WHERE p.pers_codigo=r.pers_codigo AND r.pred_codigo=?"),
                 {777});
            leer(kPantallaPersonas);
        }
    });
}

void moverse(benchmark::State &state, bool propietarios)
{
    const double desnudo = lecturaDeUnPredio(propietarios);
    auto ventana = abrirPredios();
    if (!ventana) {
        state.SkipWithError("the register did not open");
        return;
    }
    mostrarPropietarios(ventana.get(), propietarios);
    Dataset *lista = ventana->findChild<Dataset *>(QStringLiteral("adsPredios"));
    int paso = 1;
    Cronometro c;
    for (auto _ : state) {
        c.iniciar();
        lista->MoveBy(paso);
        QApplication::processEvents();
        c.parar();
        if (lista->Eof() || lista->Bof())
            paso = -paso;
    }
    informar(state, c, desnudo);
}

void BM_PrediosSiguiente(benchmark::State &state)
{
    moverse(state, false);
}

void BM_PrediosSiguienteConPropietarios(benchmark::State &state)
{
    moverse(state, true);
}

bool abrirPersonas(const Programa *programa)
{
    TFormPersonas ventana;
    ventana.DirAplicacion = programa->dirAplicacion;
    if (!ventana.Abrir())
        return false;
    ventana.show();
    QApplication::processEvents();
    return true;
}

// The persons register opened: its first screen in surname order.
void BM_PersonasAbre(benchmark::State &state)
{
    const double desnudo = mediana(5, [] {
        leer(kPantallaPersonas);
    });
    Cronometro c;
    for (auto _ : state) {
        c.iniciar();
        const bool abierto = abrirPersonas(g_programa);
        c.parar();
        if (!abierto) {
            state.SkipWithError("the register did not open");
            return;
        }
    }
    informar(state, c, desnudo);
    const double sembrado = mediana(3, [] { abrirPersonas(g_sembrado); });
    state.counters["seeded_ms"] = sembrado;
    state.counters["vs_seeded"] = c.mediana() / sembrado;
}

// The document index shown again (it is built once, shown many times).
void BM_IndiceDocumentosMostrar(benchmark::State &state)
{
    const double desnudo = mediana(5, [] {
        leer(kPantallaPredios);
        leer(QStringLiteral("SELECT * FROM formPredio WHERE pred_codigo=?"), {1});
    });
    TFormPpalForms indice(g_programa->dirAplicacion);
    Cronometro c;
    for (auto _ : state) {
        c.iniciar();
        indice.show();
        QApplication::processEvents();
        c.parar();
        state.PauseTiming();
        indice.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    informar(state, c, desnudo);
}

BENCHMARK(BM_PrediosAbre)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PrediosPropietariosMostrar)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PrediosSiguiente)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_PrediosSiguienteConPropietarios)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_PersonasAbre)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_IndiceDocumentosMostrar)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    EntornoBenchmark entorno;
    QApplication app(argc, argv);
    SilencioBenchmark silencio;
    DialogService::setInstance(&silencio);
    Programa programa(baseGrande());
    Programa sembrado(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db"));
    if (!programa.listo || !sembrado.listo)
        return 1;
    g_programa = &programa;
    g_sembrado = &sembrado;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
