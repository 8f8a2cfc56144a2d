// The program's start-up up to its main window on screen, and New of a three-form
// document, beside a minimal Qt Widgets program that shows one empty main window, in one
// run. The program directory is a copy of the built one's main database with the test
// plug-ins: register windows that answer at once and the forms PRUEBA, TESTG, TESTF.
#include "entornobenchmark.h"
#include "silenciobenchmark.h"
#include "connection.h"
#include "tformppal.h"
#include "tformppalacercade.h"
#include "tformppalforms.h"
#include "tformppalnuevo.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

bool copiar(const QString &desde, const QString &hasta)
{
    if (QFile::copy(desde, hasta))
        return true;
    qWarning("cannot copy %s", qPrintable(desde));
    return false;
}

// A program directory with a consultant in its settings, so that start-up asks nothing.
struct Programa
{
    QTemporaryDir dir;
    bool listo = false;

    Programa()
    {
        const QString tests = QStringLiteral(BRENVIK_TESTS_DIR);
        const QString base = dir.path() + QStringLiteral("/bbdd/");
        QDir().mkpath(base);
        bool ok = copiar(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db"), base + QStringLiteral("bd.db"))
                  && copiar(tests + QStringLiteral("/forms/PRUEBA.db"), base + QStringLiteral("PRUEBA.db"))
                  && copiar(tests + QStringLiteral("/plugins/prueba.so"), dir.filePath(QStringLiteral("prueba.so")));
        for (const char *nombre : {"gavrel.so", "sotrel.so", "nudrel.so", "testf.so", "testg.so"})
            ok = ok && copiar(tests + QStringLiteral("/testplugins/") + QLatin1String(nombre), dir.filePath(QLatin1String(nombre)));
        Connection bd;
        ok = ok && bd.open(base + QStringLiteral("bd.db"))
             && bd.execScript(QStringLiteral(
                 "INSERT INTO consultor (cons_id, cons_paterno, cons_materno, cons_nombre) VALUES (1, 'Rojas', 'Soto', 'Ana');"
                 "INSERT INTO tiposolicitud (tiso_numero, tiso_codigo, tiso_abreviacion, tiso_descripcion, tiso_desccompleta)"
                 " VALUES (90, 990, 'PRUEBA', 'Prueba', 'Prueba'), (91, 991, 'TESTF', 'F', 'F'), (92, 992, 'TESTG', 'G', 'G');"
                 "INSERT INTO formularios (form_id, form_principal, form_solicitud, form_opcional1, form_extension,"
                 " form_descripcion, form_titulo, form_sigla) VALUES (90, 'PRUEBA', 'TESTG', 'TESTF', 'pru', 'Prueba', 'PRUEBA', 'PRU');"));
        for (const char *codigo : {"TESTF", "TESTG"}) {
            Connection plantilla;
            ok = ok && plantilla.open(base + QLatin1String(codigo) + QStringLiteral(".db"), Connection::ReadWriteCreate)
                 && plantilla.execScript(QStringLiteral("CREATE TABLE vacia (id INTEGER);"));
        }
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath(QStringLiteral("ajustes")));
        QSettings(QStringLiteral("Varno"), QStringLiteral("Brenvik")).setValue(QStringLiteral("Consultor_Id"), 1);
        listo = ok;
    }
};

Programa *g_programa = nullptr;

void BM_VentanaMinima(benchmark::State &state)
{
    for (auto _ : state) {
        QMainWindow ventana;
        ventana.resize(783, 583);
        ventana.show();
        if (!QTest::qWaitForWindowExposed(&ventana))
            state.SkipWithError("window not shown");
        state.PauseTiming();
        ventana.close();
        state.ResumeTiming();
    }
}

// As the program starts: the main window, the three dialogs, then the window shown.
void BM_ArranqueBrenvik(benchmark::State &state)
{
    if (!g_programa->listo) {
        state.SkipWithError("program directory not ready");
        return;
    }
    for (auto _ : state) {
        auto ppal = std::make_unique<TformPpal>(g_programa->dir.path());
        if (ppal->terminado()) {
            state.SkipWithError("start-up failed");
            break;
        }
        TformPpalNuevo nuevo(ppal->DirAplicacion);
        TformPpalAcercade acercaDe;
        TFormPpalForms forms(ppal->DirAplicacion);
        ppal->setDialogos(&nuevo, &acercaDe, &forms);
        ppal->show();
        if (!QTest::qWaitForWindowExposed(ppal.get()))
            state.SkipWithError("window not shown");
        state.PauseTiming();
        ppal->close();
        ppal.reset();
        state.ResumeTiming();
    }
}

// New of the combination PRUEBA, request TESTG, optional TESTF: three form windows, the
// tree and three working databases.
void BM_NuevoTresFormularios(benchmark::State &state)
{
    if (!g_programa->listo) {
        state.SkipWithError("program directory not ready");
        return;
    }
    TformPpal ppal(g_programa->dir.path());
    ppal.show();
    if (!QTest::qWaitForWindowExposed(&ppal))
        state.SkipWithError("window not shown");
    for (auto _ : state) {
        ppal.Combinacion = 90;
        ppal.CodigoPpal = QStringLiteral("PRUEBA");
        if (!ppal.SubNuevo()) {
            state.SkipWithError("document not created");
            break;
        }
        state.PauseTiming();
        ppal.archCerrarExecute();
        state.ResumeTiming();
    }
    ppal.close();
}

BENCHMARK(BM_VentanaMinima)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArranqueBrenvik)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NuevoTresFormularios)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    EntornoBenchmark entorno;
    QApplication app(argc, argv);
    SilencioBenchmark silencio;
    DialogService::setInstance(&silencio);
    benchmark::Initialize(&argc, argv);
    g_programa = new Programa;
    benchmark::RunSpecifiedBenchmarks();
    delete g_programa;
    DialogService::setInstance(nullptr);
    benchmark::Shutdown();
    return 0;
}
