// Resident memory of the program with a Kelu document open (the plan and its request,
// DORVO): the real plug-ins and main database of the build, a document saved, closed and
// opened again as the consultant does. Reported as counters in megabytes: the process
// before the main window, with the document open, and its peak.
#include "silenciobenchmark.h"
#include "memoriaproceso.h"
#include "connection.h"
#include "tcustommdichild.h"
#include "tformppal.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// A copy of the built program's folder (main database, templates, plug-ins, images, help)
// with a consultant in its settings, so that start-up asks nothing.
bool prepararPrograma(const QString &destino)
{
    const QDir origen(QStringLiteral(BRENVIK_BIN_DIR));
    QDirIterator it(origen.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString archivo = it.next();
        if (archivo.endsWith(QLatin1String("/brenvik")))
            continue;
        const QString copia = destino + QLatin1Char('/') + origen.relativeFilePath(archivo);
        QDir().mkpath(QFileInfo(copia).path());
        if (!QFile::copy(archivo, copia))
            return false;
    }
    Connection bd;
    if (!bd.open(destino + QStringLiteral("/bbdd/bd.db"))
        || !bd.execScript(QStringLiteral("INSERT INTO consultor (cons_id, cons_paterno, cons_materno, cons_nombre)"
                                         " VALUES (1, 'Rojas', 'Soto', 'Ana');")))
        return false;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, destino + QStringLiteral("/ajustes"));
    QSettings(QStringLiteral("Varno"), QStringLiteral("Brenvik")).setValue(QStringLiteral("Consultor_Id"), 1);
    return true;
}

void BM_MemoriaDocumentoKelu(benchmark::State &state)
{
    SilencioBenchmark silencio;
    DialogService::setInstance(&silencio);
    QTemporaryDir dir;
    const double inicio = memoria("VmRSS");
    if (!prepararPrograma(dir.path())) {
        state.SkipWithError("program folder not ready");
        return;
    }
    for (auto _ : state) {
        TformPpal ppal(dir.path());
        ppal.show();
        if (!QTest::qWaitForWindowExposed(&ppal)) {
            state.SkipWithError("window not shown");
            break;
        }
        ppal.Combinacion = 1;
        ppal.CodigoPpal = QStringLiteral("KELU");
        if (!ppal.SubNuevo()) {
            state.SkipWithError("document not created");
            break;
        }
        const QList<TCustomMDIChild *> formas = ppal.findChildren<TCustomMDIChild *>();
        const QString archivo = dir.filePath(QStringLiteral("documento.fkel"));
        if (!TCustomMDIChild::GuardarDocumento(archivo, formas)) {
            state.SkipWithError("document not saved");
            break;
        }
        for (TCustomMDIChild *f : formas)
            f->Modificado = false;
        ppal.archCerrarExecute();
        if (!ppal.AbreArchivo(archivo, -1, QString())) {
            state.SkipWithError("document not opened");
            break;
        }
        QTest::qWait(200);
        state.counters["formas"] = double(ppal.findChildren<TCustomMDIChild *>().size());
        state.counters["inicio_MB"] = inicio;
        state.counters["abierto_MB"] = memoria("VmRSS");
        state.counters["pico_MB"] = memoria("VmHWM");
        for (TCustomMDIChild *f : ppal.findChildren<TCustomMDIChild *>())
            f->Modificado = false;
        ppal.archCerrarExecute();
    }
    DialogService::setInstance(nullptr);
}

BENCHMARK(BM_MemoriaDocumentoKelu)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
