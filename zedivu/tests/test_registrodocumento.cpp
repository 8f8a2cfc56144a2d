#include "registrodocumento.h"

#include "connection.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <array>

namespace {

// A small working database holding one marker row, as bytes.
QByteArray baseDeTrabajo(const QString &marca)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.db"));
    {
        Connection c;
        EXPECT_TRUE(c.open(path, Connection::ReadWriteCreate));
        EXPECT_TRUE(c.execScript(QStringLiteral("CREATE TABLE marca (texto VARCHAR(40));")));
        EXPECT_TRUE(c.exec(QStringLiteral("INSERT INTO marca VALUES (?)"), {marca}));
    }
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

QByteArray registro(const QString &version, const QString &codigo, const QByteArray &base)
{
    QByteArray r;
    EXPECT_TRUE(RegistroDocumento::escribir(version, codigo, base, r));
    return r;
}

// A record of the old form: the code, the length and the stream, no version tag.
QByteArray registroSinEtiqueta(const QString &codigo, const QByteArray &base)
{
    return registro(QStringLiteral("2.5"), codigo, base).mid(6);
}

QByteArray largo(qint32 n)
{
    char b[4];
    qToLittleEndian<qint32>(n, b);
    return QByteArray(b, 4);
}

QByteArray zlib(const QByteArray &datos, int nivel = 9)
{
    uLongf n = compressBound(uLong(datos.size()));
    QByteArray out(qsizetype(n), Qt::Uninitialized);
    EXPECT_EQ(compress2(reinterpret_cast<Bytef *>(out.data()), &n, reinterpret_cast<const Bytef *>(datos.constData()),
                        uLong(datos.size()), nivel),
              Z_OK);
    out.truncate(qsizetype(n));
    return out;
}

QString marcaDe(const QByteArray &base)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.db"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(base);
    f.close();
    Connection c;
    EXPECT_TRUE(c.open(path, Connection::ReadOnly));
    const QueryResult r = c.select(QStringLiteral("SELECT texto FROM marca"));
    return r.rows.isEmpty() ? QString() : r.rows.first().value(0).toString();
}

} // namespace

TEST(RegistroDocumento, HeaderIsByteExactAndDataIsZlibLevel9)
{
    const QByteArray base = baseDeTrabajo(QStringLiteral("kelu"));
    const QByteArray r = registro(QStringLiteral("2.5"), QStringLiteral("KELU"), base);
    EXPECT_EQ(r.left(12), QByteArray("v2.5  KELU  "));
    const QByteArray esperado = zlib(base);
    EXPECT_EQ(r.mid(12, 4), largo(qint32(esperado.size())));
    EXPECT_EQ(r.mid(16), esperado);
}

struct CampoCase
{
    const char *entrada;
    const char *version;
    const char *codigo;
};

class CamposDeCabecera : public ::testing::TestWithParam<CampoCase>
{
};

TEST_P(CamposDeCabecera, PaddedOrCutToSixBytes)
{
    const CampoCase &c = GetParam();
    EXPECT_EQ(RegistroDocumento::etiquetaVersion(QString::fromLatin1(c.entrada)), QByteArray(c.version));
    EXPECT_EQ(RegistroDocumento::campoCodigo(QString::fromLatin1(c.entrada)), QByteArray(c.codigo));
}

INSTANTIATE_TEST_SUITE_P(Cases, CamposDeCabecera,
                         ::testing::Values(CampoCase{"2.5", "v2.5  ", "2.5   "}, CampoCase{"Unknown", "vUnkno", "Unknow"},
                                           CampoCase{"QUIREL", "vQUIRE", "QUIREL"}, CampoCase{"", "v     ", "      "}));

TEST(RegistroDocumento, EachFormFindsItsOwnRecordInAnyOrder)
{
    const std::array<QString, 3> codigos = {QStringLiteral("DORVO"), QStringLiteral("KELU"), QStringLiteral("QUIREL")};
    std::array<int, 3> orden = {0, 1, 2};
    do {
        QByteArray documento;
        for (int i : orden)
            documento += registro(QStringLiteral("2.5"), codigos[i], baseDeTrabajo(codigos[i]));
        for (const QString &codigo : codigos) {
            const RegistroDocumento::Lectura l = RegistroDocumento::leer(documento, codigo);
            ASSERT_EQ(l.resultado, RegistroDocumento::Lectura::Encontrado) << l.error.toStdString();
            EXPECT_EQ(l.version, QStringLiteral("v2.5"));
            EXPECT_EQ(marcaDe(l.base), codigo);
        }
        EXPECT_EQ(RegistroDocumento::leer(documento, QStringLiteral("ZURI")).resultado,
                  RegistroDocumento::Lectura::NoEncontrado);
    } while (std::next_permutation(orden.begin(), orden.end()));
}

TEST(RegistroDocumento, UntaggedRecordsReadAsV13AndATagHoldsForLaterRecords)
{
    const QByteArray viejo = registroSinEtiqueta(QStringLiteral("DORVO"), baseDeTrabajo(QStringLiteral("dorvo")))
                             + registroSinEtiqueta(QStringLiteral("KELU"), baseDeTrabajo(QStringLiteral("kelu")));
    EXPECT_EQ(RegistroDocumento::leer(viejo, QStringLiteral("DORVO")).version, QStringLiteral("v1.3"));
    const RegistroDocumento::Lectura kelu = RegistroDocumento::leer(viejo, QStringLiteral("KELU"));
    ASSERT_EQ(kelu.resultado, RegistroDocumento::Lectura::Encontrado);
    EXPECT_EQ(kelu.version, QStringLiteral("v1.3"));
    EXPECT_EQ(marcaDe(kelu.base), QStringLiteral("kelu"));

    const QByteArray mixto = registro(QStringLiteral("2.0"), QStringLiteral("DORVO"), baseDeTrabajo(QStringLiteral("d")))
                             + registroSinEtiqueta(QStringLiteral("KELU"), baseDeTrabajo(QStringLiteral("k")));
    EXPECT_EQ(RegistroDocumento::leer(mixto, QStringLiteral("KELU")).version, QStringLiteral("v2.0"));
}

// A code longer than the field was written cut and could never be read back.
TEST(RegistroDocumento, LongCodeIsReadBackOnItsFirstSixCharacters)
{
    const QByteArray doc = registro(QStringLiteral("2.5"), QStringLiteral("ABCDEFGH"), baseDeTrabajo(QStringLiteral("x")));
    EXPECT_EQ(RegistroDocumento::leer(doc, QStringLiteral("ABCDEFGH")).resultado, RegistroDocumento::Lectura::Encontrado);
}

struct DanadoCase
{
    const char *nombre;
    QByteArray (*documento)(const QByteArray &sano);
    RegistroDocumento::Lectura::Resultado resultado;
};

class DocumentoDanado : public ::testing::TestWithParam<DanadoCase>
{
};

TEST_P(DocumentoDanado, IsRefusedWithoutReadingPastTheBytes)
{
    const QByteArray sano = registro(QStringLiteral("2.5"), QStringLiteral("KELU"), baseDeTrabajo(QStringLiteral("k")));
    const RegistroDocumento::Lectura l = RegistroDocumento::leer(GetParam().documento(sano), QStringLiteral("KELU"));
    EXPECT_EQ(l.resultado, GetParam().resultado) << l.error.toStdString();
    EXPECT_TRUE(l.base.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentoDanado,
    ::testing::Values(
        DanadoCase{"Empty", [](const QByteArray &) { return QByteArray(); }, RegistroDocumento::Lectura::NoEncontrado},
        DanadoCase{"EightBytes", [](const QByteArray &s) { return s.left(8); }, RegistroDocumento::Lectura::NoEncontrado},
        DanadoCase{"HeaderOnly", [](const QByteArray &s) { return s.left(16); }, RegistroDocumento::Lectura::NoEncontrado},
        DanadoCase{"CutShort", [](const QByteArray &s) { return s.left(s.size() - 1); },
                   RegistroDocumento::Lectura::NoEncontrado},
        DanadoCase{"NegativeLength", [](const QByteArray &s) { return s.left(12) + largo(-5) + s.mid(16); },
                   RegistroDocumento::Lectura::NoEncontrado},
        DanadoCase{"HugeLength", [](const QByteArray &s) { return s.left(12) + largo(0x7fffffff) + s.mid(16); },
                   RegistroDocumento::Lectura::NoEncontrado},
        DanadoCase{"CorruptStream",
                   [](const QByteArray &s) {
                       QByteArray d = s;
                       for (qsizetype i = 40; i < d.size() - 8; i += 7)
                           d[i] = char(d[i] ^ 0x5a);
                       return d;
                   },
                   RegistroDocumento::Lectura::Danado},
        DanadoCase{"NotADatabase",
                   [](const QByteArray &) {
                       const QByteArray z = zlib(QByteArray(4096, 'x'));
                       return QByteArray("v2.5  KELU  ") + largo(qint32(z.size())) + z;
                   },
                   RegistroDocumento::Lectura::Danado},
        DanadoCase{"TruncatedDatabase",
                   [](const QByteArray &) {
                       const QByteArray z = zlib(baseDeTrabajo(QStringLiteral("k")).left(1500));
                       return QByteArray("v2.5  KELU  ") + largo(qint32(z.size())) + z;
                   },
                   RegistroDocumento::Lectura::Danado},
        DanadoCase{"TrailingBytesInRecord",
                   [](const QByteArray &) {
                       const QByteArray z = zlib(baseDeTrabajo(QStringLiteral("k"))) + "zz";
                       return QByteArray("v2.5  KELU  ") + largo(qint32(z.size())) + z;
                   },
                   RegistroDocumento::Lectura::Danado}),
    [](const auto &info) { return std::string(info.param.nombre); });

TEST(RegistroDocumento, ExpansionStopsAtTheLimit)
{
    const QByteArray grande(1 << 20, '\0');
    const QByteArray z = zlib(grande);
    QByteArray out;
    QString error;
    EXPECT_FALSE(RegistroDocumento::descomprimir(z, (1 << 20) - 1, out, &error));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("superan"))) << error.toStdString();
    ASSERT_TRUE(RegistroDocumento::descomprimir(z, 1 << 20, out));
    EXPECT_EQ(out, grande);
}

// A zlib bomb in a record was expanded to its full size (hundreds of MiB) before the
// reader found out it was no database.
struct BombaCase
{
    const char *nombre;
    // The stream's first bytes, before 16 MiB of zeros.
    QByteArray (*comienzo)(const QByteArray &base);
    qint64 (*maximoExpandido)(qint64 base); // what the reader may expand before refusing
};

class Bomba : public ::testing::TestWithParam<BombaCase>
{
};

TEST_P(Bomba, IsRefusedAfterTheFewBytesThatGiveItAway)
{
    const QByteArray base = baseDeTrabajo(QStringLiteral("k"));
    const QByteArray z = zlib(GetParam().comienzo(base) + QByteArray(16 << 20, '\0'));
    const QByteArray documento = QByteArray("v2.5  KELU  ") + largo(qint32(z.size())) + z;
    const RegistroDocumento::Lectura l = RegistroDocumento::leer(documento, QStringLiteral("KELU"), 64 << 20);
    EXPECT_EQ(l.resultado, RegistroDocumento::Lectura::Danado) << l.error.toStdString();
    EXPECT_GT(l.expandidos, 0);
    EXPECT_LE(l.expandidos, GetParam().maximoExpandido(base.size())) << l.error.toStdString();
    EXPECT_TRUE(l.base.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Bomba,
    ::testing::Values(
        BombaCase{"NoHeader", [](const QByteArray &) { return QByteArray(); }, [](qint64) { return qint64(100); }},
        // A sound database followed by more bytes than its header announces.
        BombaCase{"PastTheAnnouncedSize", [](const QByteArray &b) { return b; }, [](qint64 base) { return base + 1; }},
        BombaCase{"AnnouncesMoreThanTheLimit",
                  [](const QByteArray &b) {
                      QByteArray h = b.left(100);
                      qToBigEndian<quint32>(0x00ffffff, h.data() + 28); // pages
                      return h;
                  },
                  [](qint64) { return qint64(100); }}),
    [](const auto &info) { return std::string(info.param.nombre); });

// A device that says it is larger than any document and counts what is read from it.
class DocumentoEnorme : public QBuffer
{
public:
    qint64 size() const override { return RegistroDocumento::kTamanoMaximoDocumento + 1; }
    qint64 leidos = 0;

protected:
    qint64 readData(char *data, qint64 n) override
    {
        const qint64 r = QBuffer::readData(data, n);
        leidos += qMax<qint64>(r, 0);
        return r;
    }
};

TEST(RegistroDocumento, AFileLargerThanAnyDocumentIsNotRead)
{
    DocumentoEnorme documento;
    documento.setData(registro(QStringLiteral("2.5"), QStringLiteral("KELU"), baseDeTrabajo(QStringLiteral("k"))));
    ASSERT_TRUE(documento.open(QIODevice::ReadOnly));
    QByteArray base;
    QBuffer destino(&base);
    destino.open(QIODevice::WriteOnly);
    const RegistroDocumento::Lectura l = RegistroDocumento::leer(documento, QStringLiteral("KELU"), destino);
    EXPECT_NE(l.resultado, RegistroDocumento::Lectura::Encontrado);
    EXPECT_EQ(documento.leidos, 0);
    EXPECT_TRUE(base.isEmpty());
}
