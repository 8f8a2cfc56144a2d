#include "registrodocumento.h"

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

RegistroDocumento::Lectura RegistroDocumento::leer(const QByteArray &documento, const QString &codigo, qint64 maximo)
{
    Lectura lectura;
    const QByteArray buscado = campoCodigo(codigo).trimmed();
    const qint64 tamano = documento.size();
    const char *bytes = documento.constData();
    QByteArray version = kVersionSinEtiqueta;
    qint64 pos = 0;
    // Each pass reads one header; a header or a length that runs past the end stops the
    // search, which is what a file cut short or a damaged length gives.
    while (true) {
        if (tamano - pos < kCampo + kLargo) {
            lectura.error = QStringLiteral("no hay registro del formulario %1").arg(codigo);
            return lectura;
        }
        QByteArray actual(bytes + pos, kCampo);
        pos += kCampo;
        if (actual.startsWith('v')) {
            version = actual;
            if (tamano - pos < kCampo + kLargo) {
                lectura.error = QStringLiteral("registro incompleto al final del documento");
                return lectura;
            }
            actual = QByteArray(bytes + pos, kCampo);
            pos += kCampo;
        }
        const qint32 n = qFromLittleEndian<qint32>(bytes + pos);
        pos += kLargo;
        if (n < 0 || n > tamano - pos) {
            lectura.error = QStringLiteral("el largo de un registro (%1) excede el documento").arg(n);
            return lectura;
        }
        if (actual.trimmed() == buscado) {
            lectura.version = QString::fromLatin1(version.trimmed());
            QByteArray base;
            QString causa;
            if (!descomprimir(QByteArray::fromRawData(bytes + pos, n), maximo, base, &causa)
                || !esBaseSQLite(base, &causa)) {
                lectura.resultado = Lectura::Danado;
                lectura.error = causa;
                return lectura;
            }
            lectura.resultado = Lectura::Encontrado;
            lectura.base = base;
            return lectura;
        }
        pos += n;
    }
}

bool RegistroDocumento::descomprimir(const QByteArray &comprimido, qint64 maximo, QByteArray &salida, QString *error)
{
    salida.clear();
    z_stream z;
    std::memset(&z, 0, sizeof z);
    if (inflateInit(&z) != Z_OK) {
        fijar(error, QStringLiteral("zlib no pudo iniciar"));
        return false;
    }
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(comprimido.constData()));
    z.avail_in = uInt(comprimido.size());
    // Grow the output as it comes; one byte more than `maximo` is room enough to tell a
    // stream that keeps going from one that ends exactly there, and it is refused before
    // it can exhaust memory. A database says its size in its first 100 bytes: those come
    // first, so that the buffer is usually allocated once at the right size.
    const qint64 limite = maximo + 1;
    qint64 capacidad = qMin<qint64>(limite, kCabeceraSQLite);
    salida.resize(qsizetype(capacidad));
    bool cabeceraLeida = false;
    int rc = Z_OK;
    while (true) {
        if (qint64(z.total_out) == capacidad) {
            if (capacidad >= limite)
                break;
            qint64 siguiente = capacidad * 2;
            if (!cabeceraLeida) {
                cabeceraLeida = true;
                const qint64 anunciado = tamanoAnunciado(salida);
                siguiente = anunciado > capacidad ? anunciado + 1
                                                  : qMax<qint64>(qint64(comprimido.size()) * 4, 64 * 1024);
            }
            capacidad = qMin<qint64>(limite, siguiente);
            salida.resize(qsizetype(capacidad));
        }
        z.next_out = reinterpret_cast<Bytef *>(salida.data()) + z.total_out;
        z.avail_out = uInt(qMin<qint64>(capacidad - qint64(z.total_out), std::numeric_limits<uInt>::max()));
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc == Z_STREAM_END || (rc != Z_OK && rc != Z_BUF_ERROR))
            break;
        if (rc == Z_BUF_ERROR && z.avail_out > 0)
            break; // no more input: the stream is incomplete
    }
    const qint64 total = qint64(z.total_out);
    const bool completo = rc == Z_STREAM_END && z.avail_in == 0 && total <= maximo;
    inflateEnd(&z);
    if (!completo) {
        salida.clear();
        if (total > maximo)
            fijar(error, QStringLiteral("los datos descomprimidos superan %1 bytes").arg(maximo));
        else if (rc == Z_STREAM_END)
            fijar(error, QStringLiteral("hay datos después del final de la compresión"));
        else
            fijar(error, QStringLiteral("datos comprimidos dañados o incompletos"));
        return false;
    }
    salida.truncate(qsizetype(total));
    return true;
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
    bool ok = sqlite3_deserialize(db, "main", copia, bytes.size(), bytes.size(),
                                  SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY)
              == SQLITE_OK;
    QString causa = QStringLiteral("la base de datos está dañada");
    if (ok) {
        sqlite3_stmt *st = nullptr;
        ok = sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM sqlite_master", -1, &st, nullptr) == SQLITE_OK
             && sqlite3_step(st) == SQLITE_ROW;
        if (!ok)
            causa += QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    if (!ok)
        fijar(error, causa);
    return ok;
}
