#include "registrodocumento.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <sqlite3.h>
#include <zlib.h>

#include <cstring>
#include <limits>

namespace {

constexpr int kCampo = 6;
constexpr int kLargo = 4;
constexpr char kVersionSinEtiqueta[] = "v1.3";
constexpr int kCabeceraSQLite = 100;

// The page size of an SQLite header (1 stands for 65536); 0 when it is not a valid one.
qint64 tamanoPagina(const QByteArray &cabecera)
{
    const qint64 p = qFromBigEndian<quint16>(cabecera.constData() + 16);
    const qint64 tamano = p == 1 ? 65536 : p;
    return tamano >= 512 && (tamano & (tamano - 1)) == 0 ? tamano : 0;
}

// The file size an SQLite header announces (page size times page count); 0 when unknown.
qint64 tamanoAnunciado(const QByteArray &cabecera)
{
    if (cabecera.size() < kCabeceraSQLite || !cabecera.startsWith("SQLite format 3"))
        return 0;
    return tamanoPagina(cabecera) * qint64(qFromBigEndian<quint32>(cabecera.constData() + 28));
}

QByteArray campo(const QByteArray &texto)
{
    return (texto + QByteArray(kCampo, ' ')).left(kCampo);
}

void fijar(QString *destino, const QString &texto)
{
    if (destino)
        *destino = texto;
}

// The schema of an open database can be read; otherwise `causa` says why not.
bool esquemaLegible(sqlite3 *db, QString *causa)
{
    sqlite3_stmt *st = nullptr;
    const bool ok = sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM sqlite_master", -1, &st, nullptr) == SQLITE_OK
                    && sqlite3_step(st) == SQLITE_ROW;
    if (!ok)
        fijar(causa, QStringLiteral("la base de datos está dañada: ") + QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_finalize(st);
    return ok;
}

struct Expansion
{
    bool ok = false;
    qint64 total = 0; // bytes that came out of the stream
    QString error;
};

// Expands `largo` bytes of one zlib stream read from `entrada` into `salida`, never more
// than `maximo` bytes. With `comoBase` the output must be an SQLite database file: its
// first 100 bytes are its header, checked before anything more is expanded, and the size
// the header announces bounds the rest, so a hostile stream costs little beyond the few
// bytes that give it away. Memory stays at two buffers whatever the stream holds.
Expansion expandir(QIODevice &entrada, qint64 largo, QIODevice &salida, qint64 maximo, bool comoBase)
{
    constexpr qint64 kEntrada = 256 * 1024;
    // Large enough that zlib seldom has to keep its own copy of the last 32 KiB.
    constexpr qint64 kSalida = 256 * 1024;
    Expansion e;
    z_stream z;
    std::memset(&z, 0, sizeof z);
    if (inflateInit(&z) != Z_OK) {
        e.error = QStringLiteral("zlib no pudo iniciar");
        return e;
    }
    QByteArray in(qsizetype(qMin(largo, kEntrada)), Qt::Uninitialized);
    qint64 porLeer = largo;
    // One byte past the limit tells a stream that keeps going from one that ends there.
    qint64 limite = maximo + 1;
    qint64 pagina = 0;
    qint64 anunciado = 0;
    bool cabeceraVista = !comoBase;
    QByteArray out(qsizetype(qMin(limite, comoBase ? qint64(kCabeceraSQLite) : kSalida)), Qt::Uninitialized);
    qint64 lleno = 0;
    int rc = Z_OK;
    auto fallar = [&](const QString &error) {
        e.total = qint64(z.total_out);
        inflateEnd(&z);
        e.error = error;
        return e;
    };
    while (true) {
        if (z.avail_in == 0 && porLeer > 0) {
            const qint64 n = entrada.read(in.data(), qMin<qint64>(porLeer, in.size()));
            if (n <= 0)
                return fallar(QStringLiteral("no se pudo leer el documento: %1").arg(entrada.errorString()));
            porLeer -= n;
            z.next_in = reinterpret_cast<Bytef *>(in.data());
            z.avail_in = uInt(n);
        }
        z.next_out = reinterpret_cast<Bytef *>(out.data()) + lleno;
        z.avail_out = uInt(qMin<qint64>(out.size() - lleno, limite - qint64(z.total_out)));
        rc = inflate(&z, Z_NO_FLUSH);
        lleno = reinterpret_cast<char *>(z.next_out) - out.data();
        const bool fin = rc != Z_OK;
        if (!cabeceraVista && (lleno == kCabeceraSQLite || fin)) {
            if (lleno < kCabeceraSQLite || !out.startsWith(QByteArrayView("SQLite format 3", 16))
                || tamanoPagina(out) == 0)
                return fallar(QStringLiteral("no es una base de datos"));
            pagina = tamanoPagina(out);
            anunciado = tamanoAnunciado(out);
            if (anunciado > maximo)
                return fallar(QStringLiteral("la base de datos anuncia %1 bytes, más de %2").arg(anunciado).arg(maximo));
            if (anunciado > 0)
                limite = anunciado + 1;
            cabeceraVista = true;
            out.resize(qsizetype(qMin(limite, kSalida)));
        }
        if (lleno > 0 && (lleno == out.size() || fin)) {
            if (salida.write(out.constData(), lleno) != lleno)
                return fallar(QStringLiteral("no se pudo escribir la base de datos: %1").arg(salida.errorString()));
            lleno = 0;
        }
        if (qint64(z.total_out) >= limite) {
            if (anunciado > 0)
                return fallar(QStringLiteral("los datos descomprimidos superan los %1 bytes que anuncia la base").arg(anunciado));
            return fallar(QStringLiteral("los datos descomprimidos superan %1 bytes").arg(maximo));
        }
        if (rc == Z_STREAM_END)
            break;
        if (rc == Z_BUF_ERROR && z.avail_in == 0 && porLeer == 0)
            return fallar(QStringLiteral("datos comprimidos dañados o incompletos"));
        if (rc != Z_OK && rc != Z_BUF_ERROR)
            return fallar(QStringLiteral("datos comprimidos dañados o incompletos"));
    }
    if (z.avail_in > 0 || porLeer > 0)
        return fallar(QStringLiteral("hay datos después del final de la compresión"));
    e.total = qint64(z.total_out);
    inflateEnd(&z);
    if (comoBase && (e.total % pagina != 0 || (anunciado != 0 && anunciado != e.total))) {
        e.error = QStringLiteral("la base de datos está incompleta");
        return e;
    }
    e.ok = true;
    return e;
}

} // namespace

QByteArray RegistroDocumento::etiquetaVersion(const QString &version)
{
    return campo("v" + version.toLatin1());
}

QByteArray RegistroDocumento::campoCodigo(const QString &codigo)
{
    return campo(codigo.toLatin1());
}

bool RegistroDocumento::escribir(const QString &version, const QString &codigo, const QByteArray &base,
                                 QByteArray &registro, QString *error)
{
    uLongf largo = compressBound(uLong(base.size()));
    QByteArray comprimido(qsizetype(largo), Qt::Uninitialized);
    const int rc = compress2(reinterpret_cast<Bytef *>(comprimido.data()), &largo,
                             reinterpret_cast<const Bytef *>(base.constData()), uLong(base.size()), Z_BEST_COMPRESSION);
    if (rc != Z_OK) {
        fijar(error, QStringLiteral("No se pudo comprimir la base de datos del formulario %1 (zlib %2).").arg(codigo).arg(rc));
        return false;
    }
    if (largo > uLongf(std::numeric_limits<qint32>::max())) {
        fijar(error, QStringLiteral("La base de datos del formulario %1 es demasiado grande para el documento.").arg(codigo));
        return false;
    }
    comprimido.truncate(qsizetype(largo));

    registro.clear();
    registro.reserve(2 * kCampo + kLargo + comprimido.size());
    registro += etiquetaVersion(version);
    registro += campoCodigo(codigo);
    char n[kLargo];
    qToLittleEndian<qint32>(qint32(largo), n);
    registro.append(n, kLargo);
    registro += comprimido;
    return true;
}

RegistroDocumento::Lectura RegistroDocumento::leer(QIODevice &documento, const QString &codigo, QIODevice &destino,
                                                   qint64 maximo)
{
    Lectura lectura;
    const QByteArray buscado = campoCodigo(codigo).trimmed();
    const qint64 tamano = documento.size();
    if (tamano > kTamanoMaximoDocumento) {
        lectura.resultado = Lectura::Danado;
        lectura.error = QStringLiteral("el archivo (%1 bytes) es mayor que cualquier documento").arg(tamano);
        return lectura;
    }
    QByteArray version = kVersionSinEtiqueta;
    qint64 pos = 0;
    // Each pass reads one header; a header or a length that runs past the end stops the
    // search, which is what a file cut short or a damaged length gives.
    while (true) {
        if (tamano - pos < kCampo + kLargo) {
            lectura.error = QStringLiteral("no hay registro del formulario %1").arg(codigo);
            return lectura;
        }
        const qint64 esperado = qMin<qint64>(tamano - pos, 2 * kCampo + kLargo);
        QByteArray cabecera;
        if (documento.seek(pos))
            cabecera = documento.read(esperado);
        if (cabecera.size() != esperado) {
            lectura.error = QStringLiteral("no se pudo leer el documento: %1").arg(documento.errorString());
            return lectura;
        }
        const char *h = cabecera.constData();
        QByteArray actual(h, kCampo);
        h += kCampo;
        if (actual.startsWith('v')) {
            version = actual;
            if (esperado < 2 * kCampo + kLargo) {
                lectura.error = QStringLiteral("registro incompleto al final del documento");
                return lectura;
            }
            actual = QByteArray(h, kCampo);
            h += kCampo;
        }
        const qint32 n = qFromLittleEndian<qint32>(h);
        h += kLargo;
        pos += h - cabecera.constData();
        if (n < 0 || n > tamano - pos) {
            lectura.error = QStringLiteral("el largo de un registro (%1) excede el documento").arg(n);
            return lectura;
        }
        if (actual.trimmed() == buscado) {
            lectura.version = QString::fromLatin1(version.trimmed());
            lectura.resultado = Lectura::Danado;
            if (!documento.seek(pos)) {
                lectura.error = QStringLiteral("no se pudo leer el documento: %1").arg(documento.errorString());
                return lectura;
            }
            const Expansion e = expandir(documento, n, destino, maximo, true);
            lectura.expandidos = e.total;
            lectura.error = e.error;
            if (e.ok)
                lectura.resultado = Lectura::Encontrado;
            return lectura;
        }
        pos += n;
    }
}

RegistroDocumento::Lectura RegistroDocumento::leer(const QByteArray &documento, const QString &codigo, qint64 maximo)
{
    QBuffer entrada;
    entrada.setData(documento);
    entrada.open(QIODevice::ReadOnly);
    QByteArray base;
    QBuffer salida(&base);
    salida.open(QIODevice::WriteOnly);
    Lectura lectura = leer(entrada, codigo, salida, maximo);
    salida.close();
    if (lectura.resultado == Lectura::Encontrado && !esBaseSQLite(base, &lectura.error))
        lectura.resultado = Lectura::Danado;
    if (lectura.resultado == Lectura::Encontrado)
        lectura.base = base;
    return lectura;
}

bool RegistroDocumento::descomprimir(const QByteArray &comprimido, qint64 maximo, QByteArray &salida, QString *error)
{
    QBuffer entrada;
    entrada.setData(comprimido);
    entrada.open(QIODevice::ReadOnly);
    salida.clear();
    QBuffer destino(&salida);
    destino.open(QIODevice::WriteOnly);
    const Expansion e = expandir(entrada, comprimido.size(), destino, maximo, false);
    destino.close();
    if (!e.ok) {
        salida.clear();
        fijar(error, e.error);
    }
    return e.ok;
}

bool RegistroDocumento::esBaseSQLite(const QByteArray &bytes, QString *error)
{
    // The zlib stream's checksum already vouches for the bytes; what is left to check is
    // that they are a whole database: its header, a size of whole pages as the header
    // announces, and a schema SQLite can read.
    static const char cabecera[] = "SQLite format 3";
    if (bytes.size() < kCabeceraSQLite || std::memcmp(bytes.constData(), cabecera, sizeof cabecera) != 0) {
        fijar(error, QStringLiteral("no es una base de datos"));
        return false;
    }
    const qint64 pagina = tamanoPagina(bytes);
    const qint64 anunciado = tamanoAnunciado(bytes);
    if (pagina == 0 || bytes.size() % pagina != 0 || (anunciado != 0 && anunciado != bytes.size())) {
        fijar(error, QStringLiteral("la base de datos está incompleta"));
        return false;
    }
    // SQLite reads the schema from a private copy in memory, never touching a file.
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        fijar(error, QStringLiteral("SQLite no pudo abrir una base en memoria"));
        return false;
    }
    auto *copia = static_cast<unsigned char *>(sqlite3_malloc64(sqlite3_uint64(bytes.size())));
    if (!copia) {
        sqlite3_close(db);
        fijar(error, QStringLiteral("memoria insuficiente"));
        return false;
    }
    std::memcpy(copia, bytes.constData(), size_t(bytes.size()));
    const bool abierta = sqlite3_deserialize(db, "main", copia, bytes.size(), bytes.size(),
                                             SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY)
                         == SQLITE_OK;
    if (!abierta)
        fijar(error, QStringLiteral("la base de datos está dañada"));
    const bool ok = abierta && esquemaLegible(db, error);
    sqlite3_close(db);
    return ok;
}

bool RegistroDocumento::esBaseSQLite(const QString &archivo, QString *error)
{
    // Only the header and the schema's pages are read; the rest stays on disk.
    sqlite3 *db = nullptr;
    const bool abierta =
        sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    if (!abierta)
        fijar(error, QStringLiteral("la base de datos está dañada: ") + QString::fromUtf8(sqlite3_errmsg(db)));
    const bool ok = abierta && esquemaLegible(db, error);
    sqlite3_close(db);
    return ok;
}
