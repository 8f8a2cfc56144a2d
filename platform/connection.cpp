#include "connection.h"

#include "dataset.h"
#include "spanishcollation.h"
#include "statement.h"

#include <QFileInfo>
#include <sqlite3.h>

Connection::Connection(QObject *parent)
    : QObject(parent)
{
}

Connection::~Connection()
{
    for (const QPointer<Dataset> &ds : std::as_const(m_datasets))
        if (ds)
            ds->connectionDestroyed();
    m_datasets.clear();
    if (m_db)
        sqlite3_close_v2(m_db);
}

bool Connection::open(const QString &path, OpenMode mode)
{
    close();
    m_error = SqlError();
    m_fileName = path;
    m_mode = mode;
    // One connection is used by one thread (the GUI thread): no per-call locking.
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case ReadWriteCreate:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        m_error = SqlError{msg, QString(), path, rc};
        return false;
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, m_busyTimeout);
    sqlite3_extended_result_codes(m_db, 1);
    registerSpanishCollation(m_db);
    // A file that is not a database opens fine; the first read tells.
    if (!exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const SqlError err = m_error;
        close();
        m_error = err;
        return false;
    }
    return true;
}

void Connection::close()
{
    if (!m_db)
        return;
    closeDatasets();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool Connection::setFile(const QString &path)
{
    close();
    if (!open(path, ReadWrite))
        return false;
    return openDatasets();
}

bool Connection::openDatasets()
{
    const auto list = m_datasets;
    for (const QPointer<Dataset> &ds : list) {
        if (ds && !ds->Active() && !ds->Open()) {
            if (!m_error.isValid())
                m_error = ds->lastError();
            return false;
        }
    }
    return true;
}

void Connection::closeDatasets()
{
    const auto list = m_datasets;
    for (const QPointer<Dataset> &ds : list)
        if (ds)
            ds->Close();
}

QList<Dataset *> Connection::datasets() const
{
    QList<Dataset *> out;
    for (const QPointer<Dataset> &ds : m_datasets)
        if (ds)
            out.append(ds.data());
    return out;
}

namespace {

// The statement prepared and bound; false, the failure kept in the connection, otherwise.
bool ready(Connection &connection, Statement &st, const QString &sql, const QVariantList &params)
{
    if (!st.isValid()) {
        sqlite3 *db = connection.handle();
        connection.setError(QString::fromUtf8(sqlite3_errmsg(db)), sql, sqlite3_extended_errcode(db));
        return false;
    }
    if (!st.bind(params)) {
        connection.setError(QStringLiteral("cantidad de parámetros incorrecta"), sql, SQLITE_RANGE);
        return false;
    }
    return true;
}

} // namespace

bool Connection::failed(const QString &sql)
{
    m_error = SqlError{QString::fromUtf8(sqlite3_errmsg(m_db)), sql, m_fileName, sqlite3_extended_errcode(m_db)};
    return false;
}

void Connection::setError(const QString &message, const QString &sql, int code)
{
    m_error = SqlError{message, sql, m_fileName, code};
}

bool Connection::exec(const QString &sql, const QVariantList &params)
{
    if (!m_db) {
        m_error = SqlError{QStringLiteral("la conexión no está abierta"), sql, m_fileName, SQLITE_MISUSE};
        return false;
    }
    Statement st(m_db, sql);
    if (!ready(*this, st, sql, params))
        return false;
    int rc;
    while ((rc = st.step()) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        return failed(sql);
    m_error = SqlError();
    return true;
}

bool Connection::execScript(const QString &sql)
{
    if (!m_db) {
        m_error = SqlError{QStringLiteral("la conexión no está abierta"), sql, m_fileName, SQLITE_MISUSE};
        return false;
    }
    char *msg = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &msg) != SQLITE_OK) {
        m_error = SqlError{QString::fromUtf8(msg), sql, m_fileName, sqlite3_extended_errcode(m_db)};
        sqlite3_free(msg);
        return false;
    }
    m_error = SqlError();
    return true;
}

bool Connection::selectKeys(const QString &sql, const QVariantList &params, std::vector<qint64> &keys)
{
    keys.clear();
    if (!m_db) {
        m_error = SqlError{QStringLiteral("la conexión no está abierta"), sql, m_fileName, SQLITE_MISUSE};
        return false;
    }
    Statement st(m_db, sql);
    if (!ready(*this, st, sql, params))
        return false;
    int rc;
    while ((rc = st.step()) == SQLITE_ROW)
        keys.push_back(st.int64(0));
    if (rc != SQLITE_DONE) {
        keys.clear();
        return failed(sql);
    }
    m_error = SqlError();
    return true;
}

QueryResult Connection::select(const QString &sql, const QVariantList &params)
{
    QueryResult result;
    if (!m_db) {
        m_error = SqlError{QStringLiteral("la conexión no está abierta"), sql, m_fileName, SQLITE_MISUSE};
        result.error = m_error;
        return result;
    }
    Statement st(m_db, sql);
    if (!st.isValid()) {
        failed(sql);
        result.error = m_error;
        return result;
    }
    if (!st.bind(params)) {
        setError(QStringLiteral("cantidad de parámetros incorrecta"), sql, SQLITE_RANGE);
        result.error = m_error;
        return result;
    }
    const int n = st.columnCount();
    for (int i = 0; i < n; ++i) {
        result.columns.append(st.columnName(i));
        result.declaredTypes.append(st.declaredType(i));
    }
    int rc;
    while ((rc = st.step()) == SQLITE_ROW) {
        QVariantList row;
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.append(st.value(i));
        result.rows.append(row);
    }
    if (rc != SQLITE_DONE) {
        failed(sql);
        result.error = m_error;
        result.rows.clear();
        return result;
    }
    m_error = SqlError();
    result.ok = true;
    return result;
}

int Connection::changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

qint64 Connection::lastInsertRowId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

bool Connection::begin()
{
    return exec(QStringLiteral("BEGIN"));
}

bool Connection::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

bool Connection::rollback()
{
    return exec(QStringLiteral("ROLLBACK"));
}

bool Connection::inTransaction() const
{
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}

void Connection::setBusyTimeout(int milliseconds)
{
    m_busyTimeout = milliseconds;
    if (m_db)
        sqlite3_busy_timeout(m_db, milliseconds);
}

void Connection::attach(Dataset *dataset)
{
    for (const QPointer<Dataset> &ds : std::as_const(m_datasets))
        if (ds == dataset)
            return;
    m_datasets.append(dataset);
}

void Connection::detach(Dataset *dataset)
{
    m_datasets.removeIf([dataset](const QPointer<Dataset> &ds) { return ds.isNull() || ds == dataset; });
}
