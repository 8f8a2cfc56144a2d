// The document cycle of three form windows whose working databases hold about 5 MB of
// rows together (2.5, 1.5 and 1 MB): Save (GuardarDocumento) and Load (Cargar on each
// form), beside zlib's compress2 (level 9) of all three and of the largest alone, and
// uncompress, on the same database bytes, in one run; the ratios are printed after the
// table.
#include "entornobenchmark.h"
#include "silenciobenchmark.h"
#include "connection.h"
#include "tcustommdichild.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>

namespace {

class FormaBanco : public TCustomMDIChild
{
public:
    void Nuevo() override
    {
        ConexionBD = &conexion;
        HojaActual = 0;
    }
    void ComponerImpresion(TImpresion *) override {}
    QByteArray PrepararXML() override { return QByteArray(); }
    Connection conexion;
};

// Rows like a form's: numbers, codes and a few words of free text.
void llenarPlantilla(const QString &path, qint64 bytes)
{
    Connection c;
    c.open(path, Connection::ReadWriteCreate);
    c.execScript(QStringLiteral("CREATE TABLE datos (id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(10), sup DOUBLE,"
                                " especie INTEGER, obs TEXT);"));
    static const char *const palabras[] = {"rodal", "pino", "eucalipto", "plantación", "raleo", "poda", "cosecha",
                                           "quebrada", "camino", "cerco", "suelo", "erosión", "nativo", "franja"};
    std::mt19937 azar(7);
    c.begin();
    for (int i = 0; QFile(path).size() < bytes || i % 1000 != 0; ++i) {
        QString obs;
        for (int p = 0; p < 8; ++p)
            obs += QLatin1String(palabras[azar() % 14]) + QLatin1Char(' ');
        c.exec(QStringLiteral("INSERT INTO datos (num, sup, especie, obs) VALUES (?, ?, ?, ?)"),
               {QString::number(i), double(azar() % 100000) / 100.0, int(azar() % 300), obs});
        if (i % 1000 == 999) {
            c.commit();
            c.begin();
        }
    }
    c.commit();
}

struct Documento
{
    QTemporaryDir dir;
    QList<TCustomMDIChild *> formas;
    QList<QByteArray> bases;
    QString archivo;
    std::unique_ptr<SilencioBenchmark> silencio = std::make_unique<SilencioBenchmark>();

    Documento()
    {
        DialogService::setInstance(silencio.get());
        const QString app = dir.path() + QStringLiteral("/");
        QDir().mkpath(app + QStringLiteral("bbdd"));
        const std::pair<const char *, qint64> tamanos[] = {{"DORVO", 2560}, {"KELU", 1536}, {"VORDA", 1024}};
        for (const auto &[codigo, kib] : tamanos) {
            llenarPlantilla(app + QStringLiteral("bbdd/%1.db").arg(QLatin1String(codigo)), kib * 1024);
            auto *f = new FormaBanco;
            f->DirAplicacion = app;
            f->Codigo = QLatin1String(codigo);
            f->Nuevo();
            f->EstablecerBBDD();
            formas << f;
            QFile base(f->ArchivoMDB);
            base.open(QIODevice::ReadOnly);
            bases << base.readAll();
        }
        archivo = app + QStringLiteral("documento.fkelu");
    }
    ~Documento()
    {
        qDeleteAll(formas);
        DialogService::setInstance(nullptr);
    }
    qint64 bytes() const
    {
        qint64 n = 0;
        for (const QByteArray &b : bases)
            n += b.size();
        return n;
    }
};

// Made after the QApplication and gone before it: form windows need one.
Documento *g_documento = nullptr;

Documento &documento()
{
    return *g_documento;
}

void BM_GuardarDocumento(benchmark::State &state)
{
    Documento &d = documento();
    for (auto _ : state) {
        if (!TCustomMDIChild::GuardarDocumento(d.archivo, d.formas))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * d.bytes());
}

void BM_CargarDocumento(benchmark::State &state)
{
    Documento &d = documento();
    TCustomMDIChild::GuardarDocumento(d.archivo, d.formas);
    for (auto _ : state) {
        for (TCustomMDIChild *f : d.formas) {
            if (!f->Cargar(d.archivo))
                state.SkipWithError("load failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * d.bytes());
}

void comprimir(const QByteArray &b)
{
    uLongf n = compressBound(uLong(b.size()));
    QByteArray out(qsizetype(n), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef *>(out.data()), &n, reinterpret_cast<const Bytef *>(b.constData()), uLong(b.size()),
              Z_BEST_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
}

void BM_Compress2(benchmark::State &state)
{
    Documento &d = documento();
    for (auto _ : state) {
        for (const QByteArray &b : d.bases)
            comprimir(b);
    }
    state.SetBytesProcessed(state.iterations() * d.bytes());
}

// What a save on every core can come down to.
void BM_Compress2Mayor(benchmark::State &state)
{
    Documento &d = documento();
    const QByteArray &mayor = *std::max_element(d.bases.cbegin(), d.bases.cend(),
                                                [](const QByteArray &a, const QByteArray &b) { return a.size() < b.size(); });
    for (auto _ : state)
        comprimir(mayor);
    state.SetBytesProcessed(state.iterations() * mayor.size());
}

void BM_Uncompress(benchmark::State &state)
{
    Documento &d = documento();
    QList<QByteArray> comprimidas;
    for (const QByteArray &b : d.bases) {
        uLongf n = compressBound(uLong(b.size()));
        QByteArray out(qsizetype(n), Qt::Uninitialized);
        compress2(reinterpret_cast<Bytef *>(out.data()), &n, reinterpret_cast<const Bytef *>(b.constData()), uLong(b.size()),
                  Z_BEST_COMPRESSION);
        out.truncate(qsizetype(n));
        comprimidas << out;
    }
    for (auto _ : state) {
        for (int i = 0; i < comprimidas.size(); ++i) {
            uLongf n = uLongf(d.bases[i].size());
            QByteArray out(qsizetype(n), Qt::Uninitialized);
            uncompress(reinterpret_cast<Bytef *>(out.data()), &n,
                       reinterpret_cast<const Bytef *>(comprimidas[i].constData()), uLong(comprimidas[i].size()));
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetBytesProcessed(state.iterations() * d.bytes());
}

BENCHMARK(BM_GuardarDocumento)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Compress2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compress2Mayor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CargarDocumento)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Uncompress)->Unit(benchmark::kMillisecond);

// The usual table, then each measure over its zlib reference (medians when repeated).
class Cocientes : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs) {
            if (r.error_occurred)
                continue;
            const bool mediana = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            if (mediana || (r.run_type == Run::RT_Iteration && !m_medianas.count(r.run_name.function_name)))
                m_tiempos[r.run_name.function_name] = r.GetAdjustedRealTime();
            if (mediana)
                m_medianas[r.run_name.function_name] = true;
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        cociente("BM_CargarDocumento", "BM_Uncompress");
        cociente("BM_GuardarDocumento", "BM_Compress2Mayor");
        cociente("BM_GuardarDocumento", "BM_Compress2");
    }

private:
    void cociente(const std::string &medida, const std::string &referencia)
    {
        if (m_tiempos.count(medida) && m_tiempos.count(referencia) && m_tiempos[referencia] > 0)
            std::printf("%s / %s = %.2fx\n", medida.c_str(), referencia.c_str(), m_tiempos[medida] / m_tiempos[referencia]);
    }
    std::map<std::string, double> m_tiempos;
    std::map<std::string, bool> m_medianas;
};

} // namespace

int main(int argc, char **argv)
{
    EntornoBenchmark entorno;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    g_documento = new Documento;
    Cocientes informe;
    benchmark::RunSpecifiedBenchmarks(&informe);
    delete g_documento;
    benchmark::Shutdown();
    return 0;
}
