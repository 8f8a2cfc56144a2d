#pragma once
// The record of one form in a document file, as bytes: a 6-byte version tag ("v2.5  "),
// the 6-byte form code ("KELU  "), the little-endian signed 32-bit length N of what
// follows and N bytes of one zlib stream (level 9) holding the whole working database.
// A document is its records one after the other. Records of old versions have no tag
// and begin with the code; they read as version "v1.3".
//
// Functions over bytes and devices, with no windows or dialogs, so that the reader can be
// fuzzed and the framework (TCustomMDIChild::Guardar/Cargar) only moves bytes around.
#include <QByteArray>
#include <QString>

class QIODevice;

class RegistroDocumento
{
public:
    // The largest working database a record may expand to; a record that would expand
    // beyond it is damaged (or hostile) and is not read.
    static constexpr qint64 kTamanoMaximoBase = qint64(512) * 1024 * 1024;
    // The largest document: a record for each of the three forms a document may hold (main
    // form, request, optional form), each of the largest database that zlib may leave as
    // it is. A larger file is not a document and is not read.
    static constexpr qint64 kTamanoMaximoRegistro =
        16 + kTamanoMaximoBase + (kTamanoMaximoBase >> 12) + (kTamanoMaximoBase >> 14) + (kTamanoMaximoBase >> 25) + 13;
    static constexpr qint64 kTamanoMaximoDocumento = 3 * kTamanoMaximoRegistro;

    // "v" + version, padded with blanks or cut to 6 characters ("2.5" gives "v2.5  ").
    static QByteArray etiquetaVersion(const QString &version);
    // The code padded with blanks or cut to 6 characters ("KELU" gives "KELU  ").
    static QByteArray campoCodigo(const QString &codigo);

    // The record of a working database (`base`, the file's bytes). False (with a
    // Spanish `error`) when the data do not compress or do not fit a record.
    static bool escribir(const QString &version, const QString &codigo, const QByteArray &base,
                         QByteArray &registro, QString *error = nullptr);

    struct Lectura
    {
        enum Resultado {
            Encontrado, // `version` and `base` hold the record's version tag and database
            NoEncontrado, // no record of the code before the end (or a cut-short record)
            Danado,       // the record exists but is not a sound working database
        };
        Resultado resultado = NoEncontrado;
        QString version; // trimmed tag of the record ("v2.5", "v1.3" when untagged)
        QByteArray base; // the working database's bytes (reading from bytes only)
        QString error;   // why it was not read, for logs
        qint64 expandidos = 0; // bytes that came out of the record's stream
    };

    // Finds the first record of `codigo` (compared on its first 6 characters, blanks
    // trimmed) in a document's bytes, expands it (never beyond `maximo` bytes) and checks
    // that the result is an SQLite database. A length that points past the end of the
    // document ends the search, so records cut short are never read.
    static Lectura leer(const QByteArray &documento, const QString &codigo,
                        qint64 maximo = kTamanoMaximoBase);
    // The same, reading the document from a random-access device and writing the database
    // into `destino` as it expands, so that only the record's headers and a few buffers
    // are ever in memory. Expansion stops at the first bytes that are not an SQLite header
    // and never goes past the size that header announces; a document larger than
    // kTamanoMaximoDocumento is not read at all. The schema is left to the caller
    // (esBaseSQLite on the written file): `destino` holds garbage unless Encontrado.
    static Lectura leer(QIODevice &documento, const QString &codigo, QIODevice &destino,
                        qint64 maximo = kTamanoMaximoBase);

    // Expands one whole zlib stream into at most `maximo` bytes. False when the stream is
    // damaged, incomplete, followed by other bytes or larger than `maximo`.
    static bool descomprimir(const QByteArray &comprimido, qint64 maximo, QByteArray &salida,
                             QString *error = nullptr);
    // The bytes are a whole SQLite database file: its header, whole pages as many as the
    // header announces, and a schema SQLite can read.
    static bool esBaseSQLite(const QByteArray &bytes, QString *error = nullptr);
    // The file holds a schema SQLite can read (its header and pages already checked).
    static bool esBaseSQLite(const QString &archivo, QString *error = nullptr);
};
