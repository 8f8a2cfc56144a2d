#pragma once
// Read-only access to the generated main database for the data tests, with the
// program's collations registered as on the program's connections.
#include "spanishcollation.h"

#include <sqlite3.h>

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class MainDb
{
public:
    explicit MainDb(const QString &path = QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db"))
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            error_ = QString::fromUtf8(sqlite3_errmsg(db_));
            sqlite3_close(db_);
            db_ = nullptr;
        } else if (!registerSpanishCollation(db_)) {
            error_ = QStringLiteral("the collation ESPANOL cannot be registered");
        }
    }
    ~MainDb() { sqlite3_close(db_); }
    MainDb(const MainDb &) = delete;
    MainDb &operator=(const MainDb &) = delete;

    bool isOpen() const { return db_ != nullptr; }
    QString error() const { return error_; }

    // All rows of `sql` with `params` bound in order; on failure an empty result and error().
    QVector<QVariantList> rows(const QString &sql, const QVariantList &params = {})
    {
        QVector<QVariantList> result;
        error_.clear();
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            error_ = QString::fromUtf8(sqlite3_errmsg(db_));
            return result;
        }
        for (int i = 0; i < params.size(); ++i) {
            const QVariant &p = params.at(i);
            if (p.typeId() == QMetaType::Int || p.typeId() == QMetaType::LongLong)
                sqlite3_bind_int64(stmt, i + 1, p.toLongLong());
            else
                sqlite3_bind_text(stmt, i + 1, p.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
        }
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            QVariantList row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_NULL:
                    row << QVariant();
                    break;
                case SQLITE_INTEGER:
                    row << QVariant(qlonglong(sqlite3_column_int64(stmt, c)));
                    break;
                case SQLITE_FLOAT:
                    row << QVariant(sqlite3_column_double(stmt, c));
                    break;
                default:
                    row << QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c))));
                }
            }
            result << row;
        }
        if (rc != SQLITE_DONE)
            error_ = QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_finalize(stmt);
        return result;
    }

    QVariant value(const QString &sql, const QVariantList &params = {})
    {
        const auto r = rows(sql, params);
        return r.isEmpty() || r.first().isEmpty() ? QVariant() : r.first().first();
    }

private:
    sqlite3 *db_ = nullptr;
    QString error_;
};
