#include "statement.h"

#include "chileantext.h"

#include <QDateTime>
#include <sqlite3.h>

Statement::Statement(sqlite3 *db, const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

bool Statement::bind(const QVariantList &params)
{
    if (params.size() != sqlite3_bind_parameter_count(m_stmt))
        return false;
    for (int i = 0; i < params.size(); ++i) {
        const QVariant &v = params.at(i);
        const int idx = i + 1;
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(m_stmt, idx);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int(m_stmt, idx, v.toBool() ? 1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Char:
            case QMetaType::SChar:
            case QMetaType::UChar:
                rc = sqlite3_bind_int64(m_stmt, idx, v.toLongLong());
                break;
            case QMetaType::ULongLong:
            case QMetaType::ULong:
                rc = sqlite3_bind_int64(m_stmt, idx, qint64(v.toULongLong()));
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, idx, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob64(m_stmt, idx, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDateTime: {
                const QByteArray t = ChileanText::toStorage(v.toDateTime()).toUtf8();
                rc = sqlite3_bind_text64(m_stmt, idx, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            case QMetaType::QDate: {
                const QByteArray t = ChileanText::toStorage(QDateTime(v.toDate(), QTime(0, 0), Qt::UTC)).toUtf8();
                rc = sqlite3_bind_text64(m_stmt, idx, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text64(m_stmt, idx, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            }
        }
        if (rc != SQLITE_OK)
            return false;
    }
    return true;
}

int Statement::step()
{
    return sqlite3_step(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QString Statement::declaredType(int i) const
{
    return QString::fromUtf8(sqlite3_column_decltype(m_stmt, i));
}

QVariant Statement::value(int i) const
{
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, i));
    case SQLITE_TEXT: {
        const char *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, i)));
    }
    case SQLITE_BLOB: {
        const char *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, i));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, i)));
    }
    default:
        return QVariant();
    }
}

qint64 Statement::int64(int i) const
{
    return sqlite3_column_int64(m_stmt, i);
}
