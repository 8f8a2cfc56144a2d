#include "baserecibida.h"

#include "actualizacionmdb.h"
#include "chileantext.h"
#include "connection.h"
#include "field.h"
#include "spanishcollation.h"
#include "sqlidentifier.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <sqlite3.h>

#include <limits>

namespace {

constexpr int kCabeceraSQLite = 100;
// Work SQLite may do reading a document, in virtual-machine steps per byte of its file,
// plus a fixed allowance: copying real data costs a fraction of it, and a damaged file
// cannot keep the program busy beyond it.
constexpr qint64 kPasosPorByte = 16;
constexpr qint64 kPasosFijos = 20'000'000;
constexpr int kPasosPorLlamada = 1000;

bool fallo(QString *error, const QString &texto)
{
    if (error)
        *error = texto;
    return false;
}

class Sentencia
{
public:
    Sentencia(sqlite3 *db, const QString &sql)
    {
        const QByteArray texto = sql.toUtf8();
        if (sqlite3_prepare_v2(db, texto.constData(), int(texto.size()), &m_st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_st);
            m_st = nullptr;
        }
    }
    ~Sentencia() { sqlite3_finalize(m_st); }
    Sentencia(const Sentencia &) = delete;
    Sentencia &operator=(const Sentencia &) = delete;

    explicit operator bool() const { return m_st != nullptr; }
    sqlite3_stmt *st() const { return m_st; }
    QString texto(int i) const
    {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_st, i));
        return QString::fromUtf8(p, sqlite3_column_bytes(m_st, i));
    }
    void enlazar(int i, const QString &valor)
    {
        const QByteArray b = valor.toUtf8();
        sqlite3_bind_text(m_st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }

private:
    sqlite3_stmt *m_st = nullptr;
};

QString mensaje(sqlite3 *db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// A database in write-ahead-log mode says so in bytes 18 and 19 of its header; set back
// to the rollback journal, SQLite reads the file alone, as the whole database it is.
bool sinRegistroPrevio(const QString &archivo, QString *error)
{
    QFile f(archivo);
    if (!f.open(QIODevice::ReadWrite))
        return fallo(error, QStringLiteral("no se pudo abrir la base recibida: %1").arg(f.errorString()));
    const QByteArray cabecera = f.read(kCabeceraSQLite);
    if (cabecera.size() < kCabeceraSQLite || !cabecera.startsWith(QByteArrayView("SQLite format 3", 16)))
        return fallo(error, QStringLiteral("no es una base de datos"));
    if (cabecera[18] == 2 || cabecera[19] == 2) {
        const char rollback[2] = {cabecera[18] == 2 ? char(1) : cabecera[18], cabecera[19] == 2 ? char(1) : cabecera[19]};
        if (!f.seek(18) || f.write(rollback, 2) != 2)
            return fallo(error, QStringLiteral("no se pudo escribir la base recibida: %1").arg(f.errorString()));
    }
    return true;
}

// The document's database, read-only and defended: no view, trigger or function of its
// schema runs, no value longer than the longest memo is ever read, and its work is bounded.
class Origen
{
public:
    bool abrir(const QString &archivo, QString *error)
    {
        const QByteArray ruta = QFile::encodeName(archivo);
        if (sqlite3_open_v2(ruta.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            return fallo(error, QStringLiteral("la base de datos está dañada: ") + mensaje(m_db));
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
        sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, BaseRecibida::kLargoMaximoMemo);
        registerSpanishCollation(m_db);
        m_presupuesto = (kPasosPorByte * QFileInfo(archivo).size() + kPasosFijos) / kPasosPorLlamada;
        sqlite3_progress_handler(m_db, kPasosPorLlamada, &Origen::agotado, this);
        return sqlite3_exec(m_db, "PRAGMA cell_size_check = ON", nullptr, nullptr, nullptr) == SQLITE_OK
               || fallo(error, QStringLiteral("la base de datos está dañada: ") + mensaje(m_db));
    }
    ~Origen() { sqlite3_close_v2(m_db); }

    sqlite3 *db() const { return m_db; }
    QString causa() const
    {
        return m_presupuesto < 0 ? QStringLiteral("leerla excede el trabajo que su tamaño justifica") : mensaje(m_db);
    }

private:
    static int agotado(void *yo)
    {
        return --static_cast<Origen *>(yo)->m_presupuesto < 0 ? 1 : 0;
    }

    sqlite3 *m_db = nullptr;
    qint64 m_presupuesto = 0;
};

struct Columna
{
    QString nombre;
    FieldType tipo = FieldType::Memo;
    int largo = 0;
    bool conTipo = false;
};

// The value at `i` of the row fits the template's column.
bool cabe(sqlite3_stmt *st, int i, const Columna &c)
{
    const int t = sqlite3_column_type(st, i);
    if (t == SQLITE_NULL)
        return true;
    if (!c.conTipo)
        return t != SQLITE_BLOB;
    switch (c.tipo) {
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::AutoInc:
    case FieldType::Boolean:
        return t == SQLITE_INTEGER;
    case FieldType::Float:
        return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
    case FieldType::DateTime: {
        if (t != SQLITE_TEXT || sqlite3_column_bytes(st, i) > 64)
            return false;
        const QString texto = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
        return texto.isEmpty() || ChileanText::fromStorage(texto).has_value();
    }
    case FieldType::Text: {
        if (t != SQLITE_TEXT)
            return false;
        const int bytes = sqlite3_column_bytes(st, i);
        if (bytes <= c.largo)
            return true;
        // A character takes at most 4 bytes and counts at most 2 in a QString.
        return bytes <= 4 * c.largo
               && QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)), bytes).size() <= c.largo;
    }
    case FieldType::Memo:
        return t == SQLITE_TEXT && sqlite3_column_bytes(st, i) <= BaseRecibida::kLargoMaximoMemo;
    }
    return false;
}

QString tipoTexto(int t)
{
    switch (t) {
    case SQLITE_INTEGER: return QStringLiteral("entero");
    case SQLITE_FLOAT: return QStringLiteral("real");
    case SQLITE_TEXT: return QStringLiteral("texto");
    case SQLITE_BLOB: return QStringLiteral("binario");
    default: return QStringLiteral("nulo");
    }
}

struct TablaDestino
{
    QString nombre;
    QList<Columna> columnas;
    QString clave; // the INTEGER PRIMARY KEY column (the rowid), if any
};

bool leerDestino(sqlite3 *db, QList<TablaDestino> &tablas, QString *error)
{
    Sentencia lista(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                                       "ESCAPE '\\' ORDER BY rowid"));
    Sentencia info(db, QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?1) ORDER BY cid"));
    if (!lista || !info)
        return fallo(error, QStringLiteral("no se pudo leer la plantilla: ") + mensaje(db));
    while (sqlite3_step(lista.st()) == SQLITE_ROW)
        tablas.append({lista.texto(0), {}, {}});
    for (TablaDestino &t : tablas) {
        sqlite3_reset(info.st());
        info.enlazar(1, t.nombre);
        QStringList claves;
        QString tipoClave;
        while (sqlite3_step(info.st()) == SQLITE_ROW) {
            Columna c;
            c.nombre = info.texto(0);
            const QString declarado = info.texto(1);
            c.conTipo = Field::typeFromDeclared(declarado, c.tipo, c.largo);
            if (sqlite3_column_int(info.st(), 2) > 0) {
                claves << c.nombre;
                tipoClave = declarado;
            }
            t.columnas << c;
        }
        if (claves.size() == 1 && tipoClave.trimmed().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
            t.clave = claves.first();
    }
    return true;
}

bool ejecutar(sqlite3 *db, const char *sql, QString *error)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK
           || fallo(error, QStringLiteral("no se pudo escribir la base de trabajo: ") + mensaje(db));
}

class Copia
{
public:
    Copia(Origen &origen, Connection &destino, const BaseRecibida::Formulario &formulario)
        : m_origen(origen), m_destino(destino), m_formulario(formulario)
    {
    }

    BaseRecibida::Resultado copiar(const QList<TablaDestino> &tablas, QString *error)
    {
        for (const TablaDestino &t : tablas) {
            if (!copiarTabla(t, error))
                return BaseRecibida::Resultado::Danada;
        }
        if (!secuencias(tablas, error))
            return BaseRecibida::Resultado::Danada;
        return completarVersion(tablas, error);
    }

private:
    // The source holds `tabla` as a plain table (true, `existe` set) or not at all.
    bool tablaOrigen(const QString &tabla, bool &existe, QString *error)
    {
        Sentencia s(m_origen.db(), QStringLiteral("SELECT type, sql FROM sqlite_master WHERE name = ?1 COLLATE NOCASE"));
        if (!s)
            return fallo(error, QStringLiteral("la base de datos está dañada: ") + m_origen.causa());
        s.enlazar(1, tabla);
        existe = false;
        int rc;
        while ((rc = sqlite3_step(s.st())) == SQLITE_ROW) {
            if (existe || s.texto(0) != QLatin1String("table")
                || s.texto(1).simplified().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive))
                return fallo(error, QStringLiteral("la tabla %1 no es una tabla de datos").arg(tabla));
            existe = true;
        }
        return rc == SQLITE_DONE || fallo(error, QStringLiteral("la base de datos está dañada: ") + m_origen.causa());
    }

    // The source's columns of `tabla` by lower-case name; a computed one is refused.
    bool columnasOrigen(const QString &tabla, QHash<QString, QString> &columnas, QString *error)
    {
        Sentencia s(m_origen.db(), QStringLiteral("SELECT name, hidden FROM pragma_table_xinfo(?1)"));
        if (!s)
            return fallo(error, QStringLiteral("la base de datos está dañada: ") + m_origen.causa());
        s.enlazar(1, tabla);
        int rc;
        while ((rc = sqlite3_step(s.st())) == SQLITE_ROW) {
            if (sqlite3_column_int(s.st(), 1) != 0)
                return fallo(error, QStringLiteral("la columna %1.%2 no es de datos").arg(tabla, s.texto(0)));
            columnas.insert(s.texto(0).toLower(), s.texto(0));
        }
        return rc == SQLITE_DONE || fallo(error, QStringLiteral("la base de datos está dañada: ") + m_origen.causa());
    }

    bool copiarTabla(const TablaDestino &t, QString *error)
    {
        bool existe = false;
        if (!tablaOrigen(t.nombre, existe, error))
            return false;
        if (!existe)
            return true; // an older document: the template's table stays as it is
        QHash<QString, QString> origen;
        if (!columnasOrigen(t.nombre, origen, error))
            return false;

        // Column 0 of the source's rows is its rowid, which keeps the rows' order and
        // identity; it goes into the key column when the source has none of that name.
        QStringList leidas{QStringLiteral("rowid")};
        QStringList escritas;
        QList<Columna> tipos;
        QList<int> desde;
        const bool claveDelRowid = t.clave.isEmpty() || !origen.contains(t.clave.toLower());
        if (claveDelRowid) {
            escritas << (t.clave.isEmpty() ? QStringLiteral("rowid") : SqlIdentifier::quoted(t.clave));
            tipos << Columna{QStringLiteral("rowid"), FieldType::Integer, 0, true};
            desde << 0;
        }
        QSet<QString> faltan;
        for (const Columna &c : t.columnas) {
            const auto nombre = origen.constFind(c.nombre.toLower());
            if (nombre == origen.constEnd()) {
                faltan.insert(c.nombre.toLower());
                continue;
            }
            desde << int(leidas.size());
            leidas << SqlIdentifier::quoted(*nombre);
            escritas << SqlIdentifier::quoted(c.nombre);
            tipos << c;
        }
        m_faltan.insert(t.nombre.toLower(), faltan);

        Sentencia lectura(m_origen.db(), QStringLiteral("SELECT %1 FROM main.%2 ORDER BY rowid")
                                              .arg(leidas.join(QStringLiteral(", ")), SqlIdentifier::quoted(t.nombre)));
        if (!lectura)
            return fallo(error, QStringLiteral("no se puede leer la tabla %1: %2").arg(t.nombre, m_origen.causa()));
        QStringList marcas;
        for (qsizetype i = 0; i < escritas.size(); ++i)
            marcas << QStringLiteral("?");
        sqlite3 *db = m_destino.handle();
        Sentencia escritura(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(SqlIdentifier::quoted(t.nombre), escritas.join(QStringLiteral(", ")),
                                         marcas.join(QStringLiteral(", "))));
        if (!escritura || !ejecutar(db, QStringLiteral("DELETE FROM %1").arg(SqlIdentifier::quoted(t.nombre)).toUtf8().constData(), error))
            return fallo(error, QStringLiteral("no se pudo escribir la tabla %1: %2").arg(t.nombre, mensaje(db)));

        const bool unaFila = m_formulario.tablasUnaFila.contains(t.nombre, Qt::CaseInsensitive);
        qint64 filas = 0;
        int rc;
        while ((rc = sqlite3_step(lectura.st())) == SQLITE_ROW) {
            if (unaFila && ++filas > 1)
                return fallo(error, QStringLiteral("la tabla %1 tiene más de una fila").arg(t.nombre));
            for (qsizetype i = 0; i < tipos.size(); ++i) {
                const int j = desde[i];
                if (!cabe(lectura.st(), j, tipos[i]))
                    return fallo(error, QStringLiteral("un valor %1 de %2 bytes no corresponde a la columna %3.%4")
                                            .arg(tipoTexto(sqlite3_column_type(lectura.st(), j)))
                                            .arg(sqlite3_column_bytes(lectura.st(), j))
                                            .arg(t.nombre, tipos[i].nombre));
                sqlite3_bind_value(escritura.st(), int(i) + 1, sqlite3_column_value(lectura.st(), j));
            }
            if (sqlite3_step(escritura.st()) != SQLITE_DONE)
                return fallo(error, QStringLiteral("una fila de la tabla %1 no se pudo copiar: %2").arg(t.nombre, mensaje(db)));
            sqlite3_reset(escritura.st());
        }
        if (rc != SQLITE_DONE)
            return fallo(error, QStringLiteral("no se puede leer la tabla %1: %2").arg(t.nombre, m_origen.causa()));
        return true;
    }

    // The last key each table gave out, so that a deleted row's key is not given again.
    bool secuencias(const QList<TablaDestino> &tablas, QString *error)
    {
        bool existe = false;
        if (!tablaOrigen(QStringLiteral("sqlite_sequence"), existe, error))
            return false;
        sqlite3 *db = m_destino.handle();
        if (!existe
            || sqlite3_table_column_metadata(db, "main", "sqlite_sequence", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)
                   != SQLITE_OK)
            return true;
        QHash<QString, QString> nombres;
        for (const TablaDestino &t : tablas) {
            if (!m_faltan.contains(t.nombre.toLower()))
                continue;
            nombres.insert(t.nombre.toLower(), t.nombre);
        }
        Sentencia lectura(m_origen.db(), QStringLiteral("SELECT name, seq FROM main.sqlite_sequence"));
        Sentencia subir(db, QStringLiteral("UPDATE sqlite_sequence SET seq = ?2 WHERE name = ?1 AND seq < ?2"));
        Sentencia agregar(db, QStringLiteral("INSERT INTO sqlite_sequence (name, seq) SELECT ?1, ?2 "
                                             "WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = ?1)"));
        if (!lectura)
            return fallo(error, QStringLiteral("no se puede leer sqlite_sequence: %1").arg(m_origen.causa()));
        if (!subir || !agregar)
            return fallo(error, QStringLiteral("no se pudo escribir sqlite_sequence: %1").arg(mensaje(db)));
        int rc;
        while ((rc = sqlite3_step(lectura.st())) == SQLITE_ROW) {
            const auto nombre = nombres.constFind(lectura.texto(0).toLower());
            if (nombre == nombres.constEnd() || sqlite3_column_type(lectura.st(), 1) != SQLITE_INTEGER)
                continue;
            const sqlite3_int64 seq = sqlite3_column_int64(lectura.st(), 1);
            if (seq < 0 || seq > std::numeric_limits<qint32>::max())
                continue;
            for (Sentencia *s : {&subir, &agregar}) {
                s->enlazar(1, *nombre);
                sqlite3_bind_int64(s->st(), 2, seq);
                const int paso = sqlite3_step(s->st());
                sqlite3_reset(s->st());
                if (paso != SQLITE_DONE)
                    return fallo(error, QStringLiteral("no se pudo escribir sqlite_sequence: %1").arg(mensaje(db)));
            }
        }
        return rc == SQLITE_DONE || fallo(error, QStringLiteral("no se puede leer sqlite_sequence: %1").arg(m_origen.causa()));
    }

    // What the schema upgrade of the record's version gives a table or column the
    // document lacks; columns and tables it has keep their data. As the upgrade itself, it
    // fails when a table it adds columns to is missing.
    BaseRecibida::Resultado completarVersion(const QList<TablaDestino> &tablas, QString *error)
    {
        QSet<QString> enDestino;
        for (const TablaDestino &t : tablas)
            enDestino.insert(t.nombre.toLower());
        const QList<ActualizacionMDB::Paso> pasos = ActualizacionMDB::pasos(m_formulario.codigo, m_formulario.version);
        for (const ActualizacionMDB::Paso &p : pasos) {
            const QString tabla = p.tabla.toLower();
            if (!enDestino.contains(tabla))
                continue;
            const bool enOrigen = m_faltan.contains(tabla);
            bool ok = true;
            if (p.tipo == ActualizacionMDB::Paso::AgregarColumna) {
                if (!enOrigen) {
                    fallo(error, QStringLiteral("falta la tabla %1, que la versión %2 actualiza").arg(p.tabla, m_formulario.version));
                    return BaseRecibida::Resultado::SinActualizar;
                }
                if (p.inicial.isValid() && m_faltan.value(tabla).contains(p.columna.toLower()))
                    ok = m_destino.exec(QStringLiteral("UPDATE %1 SET %2 = ?")
                                            .arg(SqlIdentifier::quoted(p.tabla), SqlIdentifier::quoted(p.columna)),
                                        {p.inicial});
            } else if (p.tipo == ActualizacionMDB::Paso::CrearTabla && !enOrigen) {
                ok = m_destino.exec(QStringLiteral("DELETE FROM %1").arg(SqlIdentifier::quoted(p.tabla)))
                     && (p.copia.isEmpty() || m_destino.exec(p.copia));
            }
            if (!ok) {
                fallo(error, QStringLiteral("no se pudo actualizar la versión: ") + m_destino.lastError().message);
                return BaseRecibida::Resultado::SinActualizar;
            }
        }
        return BaseRecibida::Resultado::Copiada;
    }

    Origen &m_origen;
    Connection &m_destino;
    const BaseRecibida::Formulario &m_formulario;
    // By lower-case name of each table the source holds: the template's columns it lacks.
    QHash<QString, QSet<QString>> m_faltan;
};

} // namespace

BaseRecibida::Resultado BaseRecibida::copiar(const QString &origen, const QString &destino, const Formulario &formulario,
                                             QString *error)
{
    if (!sinRegistroPrevio(origen, error))
        return Resultado::Danada;
    Origen fuente;
    if (!fuente.abrir(origen, error))
        return Resultado::Danada;
    Connection base;
    if (!base.open(destino, Connection::ReadWrite)) {
        fallo(error, QStringLiteral("no se pudo abrir la base de trabajo: ") + base.lastError().message);
        return Resultado::Danada;
    }
    sqlite3 *db = base.handle();
    QList<TablaDestino> tablas;
    if (!leerDestino(db, tablas, error) || !ejecutar(db, "PRAGMA journal_mode = MEMORY", error)
        || !ejecutar(db, "PRAGMA synchronous = OFF", error) || !ejecutar(db, "BEGIN", error))
        return Resultado::Danada;
    Copia copia(fuente, base, formulario);
    const Resultado r = copia.copiar(tablas, error);
    if (r != Resultado::Copiada) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return r;
    }
    return ejecutar(db, "COMMIT", error) ? Resultado::Copiada : Resultado::Danada;
}
