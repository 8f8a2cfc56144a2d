#pragma once
// One prepared SQLite statement with its values bound; finalized on destruction.
// Used by Connection and the datasets; callers outside platform/ go through Connection.
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    // Binds positional values (?); QDateTime/QDate as stored date text, bool as 0/1.
    bool bind(const QVariantList &params);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    int columnCount() const;
    QString columnName(int i) const;
    QString declaredType(int i) const;
    QVariant value(int i) const;
    qint64 int64(int i) const;
    sqlite3_stmt *handle() const { return m_stmt; }

private:
    sqlite3_stmt *m_stmt = nullptr;
};
