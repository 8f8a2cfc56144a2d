// The exchange-XML writer over a repeating node with six children per record, for 5,000
// and 50,000 records (the time should grow linearly), against writing the same text with
// a plain string builder over the same dataset and hashing it.
#include "query.h"
#include "util_texto.h"
#include "xml/txml.h"

#include "connection.h"
#include "transaction.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 50000;

struct Datos
{
    QTemporaryDir dir;
    Connection conexion;
    std::map<int, std::unique_ptr<Query>> consultas;

    Datos()
    {
        Datos &d = *this;
        d.conexion.open(d.dir.filePath(QStringLiteral("bench.db")), Connection::ReadWriteCreate);
        d.conexion.execScript(QStringLiteral("CREATE TABLE rodal (id INTEGER PRIMARY KEY, num VARCHAR(10), sup DOUBLE, ano INTEGER,"
                                             " fecha DATETIME, obs TEXT, activo BOOLEAN);"));
        Transaction tr(d.conexion);
        for (int i = 1; i <= kRows; ++i)
            d.conexion.exec(QStringLiteral("INSERT INTO rodal VALUES (?, ?, ?, ?, ?, ?, ?)"),
                            {i, QStringLiteral("r-%1").arg(i), i * 0.25, 1990 + i % 30,
                             QStringLiteral("2024-%1-%2 00:00:00").arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                             QStringLiteral("rodal de araucaria y ñirre & lenga nº %1").arg(i), i % 2});
        tr.commit();
    }
};

Datos &datos()
{
    static Datos d;
    return d;
}

Query &rodales(int registros)
{
    std::unique_ptr<Query> &q = datos().consultas[registros];
    if (!q) {
        q = std::make_unique<Query>();
        q->setObjectName(QStringLiteral("adsRodal"));
        q->setConnection(&datos().conexion);
        q->setSQL(QStringLiteral("SELECT * FROM rodal WHERE id <= ? ORDER BY id"), {registros});
        q->Open();
    }
    return *q;
}

void conTxml(TXML &xml, Query &ds)
{
    xml.Limpiar();
    xml.AbrirNodo(QStringLiteral("RODAL"), &ds);
    xml.HijoCampo(QStringLiteral("NUMERO"), QStringLiteral("num"));
    xml.HijoCampo(QStringLiteral("SUPERFICIE"), QStringLiteral("sup"));
    xml.HijoCampo(QStringLiteral("ANO_PLANTACION"), QStringLiteral("ano"));
    xml.HijoCampo(QStringLiteral("FECHA"), QStringLiteral("fecha"));
    xml.HijoCampo(QStringLiteral("OBSERVACION"), QStringLiteral("obs"));
    xml.HijoCampo(QStringLiteral("ACTIVO"), QStringLiteral("activo"));
    xml.CerrarNodo();
}

// The same text written directly: fields read once per record, upper-cased, escaped,
// appended to one string and converted to ISO-8859-1.
QByteArray aMano(Query &ds)
{
    static const char *const tags[] = {"NUMERO", "SUPERFICIE", "ANO_PLANTACION", "FECHA", "OBSERVACION", "ACTIVO"};
    static const char *const campos[] = {"num", "sup", "ano", "fecha", "obs", "activo"};
    std::vector<Field *> f;
    for (const char *c : campos)
        f.push_back(ds.FieldByName(QLatin1String(c)));
    QString s;
    for (ds.First(); !ds.Eof(); ds.Next()) {
        s += QLatin1String("<RODAL>\r\n");
        for (std::size_t i = 0; i < f.size(); ++i) {
            QString v = f[i]->DataType() == FieldType::DateTime ? f[i]->AsDateTime().date().toString(QStringLiteral("dd/MM/yyyy"))
                                                                : f[i]->AsString();
            v = Mayusculas(v.trimmed());
            v.replace(QLatin1Char('&'), QLatin1String("&amp;")).replace(QLatin1Char('<'), QLatin1String("&lt;")).replace(QLatin1Char('>'), QLatin1String("&gt;"));
            s += QLatin1String("    <RODAL.") + QLatin1String(tags[i]) + QLatin1Char('>') + v + QLatin1String("</RODAL.")
                 + QLatin1String(tags[i]) + QLatin1String(">\r\n");
        }
        s += QLatin1String("</RODAL>\r\n");
    }
    return s.toLatin1();
}

void BM_Txml(benchmark::State &state)
{
    Query &ds = rodales(int(state.range(0)));
    TXML xml;
    conTxml(xml, ds);
    if (xml.Texto() != aMano(ds)) {
        state.SkipWithError("the writer and the plain builder disagree");
        return;
    }
    for (auto _ : state) {
        conTxml(xml, ds);
        benchmark::DoNotOptimize(xml.Hash());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Txml)->Arg(5000)->Arg(kRows)->Unit(benchmark::kMillisecond);

void BM_PlainBuilder(benchmark::State &state)
{
    Query &ds = rodales(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(TXML::HashDe(aMano(ds)));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PlainBuilder)->Arg(5000)->Arg(kRows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
