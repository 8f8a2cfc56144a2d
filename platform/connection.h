#pragma once
// A connection to one SQLite database file, the counterpart of a form's database
// connection component. Datasets attach to it (Dataset::setConnection) and are kept in
// attachment order: closing the connection closes them, setFile reopens them all.
//
// Errors: every call returns success (bool) or a QueryResult, and keeps the failure in
// lastError() with SQLite's message, the SQL text and the file name. Nothing here throws.
// Values always travel as bound parameters (? placeholders, QVariantList in order).
#include "queryresult.h"
#include "sqlerror.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <vector>

struct sqlite3;
class Dataset;

class Connection : public QObject
{
    Q_OBJECT

public:
    enum OpenMode {
        ReadOnly,        // look-ups; the file must exist
        ReadWrite,       // the file must exist: a wrong path is an error, never a new empty database
        ReadWriteCreate, // creates the file when missing (templates, tests)
    };

    explicit Connection(QObject *parent = nullptr);
    ~Connection() override;

    // Opens `path` (closing any open file first). Busy timeout 5 s by default.
    bool open(const QString &path, OpenMode mode = ReadWrite);
    // Closes every attached dataset (pending edits discarded), then the file.
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString fileName() const { return m_fileName; }
    OpenMode openMode() const { return m_mode; }

    // Points the connection at another file: closes it, opens `path` in read-write mode
    // and opens every attached dataset in attachment order. False at the first failure.
    bool setFile(const QString &path);
    // Opens every attached dataset in attachment order (those already open are left).
    bool openDatasets();
    void closeDatasets();
    QList<Dataset *> datasets() const;

    // Runs one statement. changes() is then the number of rows it changed.
    bool exec(const QString &sql, const QVariantList &params = {});
    // Runs several statements without parameters (schema scripts).
    bool execScript(const QString &sql);
    QueryResult select(const QString &sql, const QVariantList &params = {});
    // The first column of every row as an integer, in the order read (keys of big
    // tables, without a QVariant per row). False, keys cleared, on failure.
    bool selectKeys(const QString &sql, const QVariantList &params, std::vector<qint64> &keys);
    int changes() const;
    qint64 lastInsertRowId() const;

    // Plain transaction control. Prefer the Transaction guard, which nests.
    bool begin();
    bool commit();
    bool rollback();
    bool inTransaction() const;

    void setBusyTimeout(int milliseconds);
    const SqlError &lastError() const { return m_error; }
    // For platform code (datasets, benchmarks): the raw handle, null when closed.
    sqlite3 *handle() const { return m_db; }

    // Called by Dataset::setConnection.
    void attach(Dataset *dataset);
    void detach(Dataset *dataset);
    // Records a failure (used by the datasets to report through the same channel).
    void setError(const QString &message, const QString &sql, int code = 0);
    void clearError() { m_error = SqlError(); }

private:
    bool failed(const QString &sql);

    sqlite3 *m_db = nullptr;
    QString m_fileName;
    OpenMode m_mode = ReadWrite;
    int m_busyTimeout = 5000;
    SqlError m_error;
    QList<QPointer<Dataset>> m_datasets;
};
