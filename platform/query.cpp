#include "query.h"

#include "sqlidentifier.h"

#include <QRegularExpression>

namespace {

struct Plain
{
    QString columns;
    QString table;
    QString rest;
};

bool parsePlain(const QString &sql, Plain &out)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*select\\s+(\\*|[A-Za-z_]\\w*(?:\\s*,\\s*[A-Za-z_]\\w*)*)\\s+from\\s+([A-Za-z_]\\w*)\\s*((?:where|order\\s+by)\\b.*)?;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression complex(QStringLiteral("\\b(join|union|group\\s+by|having|intersect|except)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(sql);
    if (!m.hasMatch() || complex.match(sql).hasMatch())
        return false;
    out.columns = m.captured(1).simplified();
    out.table = m.captured(2);
    out.rest = m.captured(3).trimmed();
    if (out.rest.endsWith(QLatin1Char(';')))
        out.rest.chop(1);
    return SqlIdentifier::isValid(out.table);
}

} // namespace

Query::Query(QObject *parent)
    : Dataset(parent)
{
}

void Query::setSQL(const QString &sql, const QVariantList &params)
{
    m_sql = sql;
    m_params = params;
}

QString Query::editableTable() const
{
    Plain p;
    return parsePlain(m_sql, p) ? p.table : QString();
}

Dataset::Source Query::source() const
{
    Source s;
    s.params = m_params;
    Plain p;
    if (parsePlain(m_sql, p)) {
        s.sql = QStringLiteral("SELECT rowid, ") + p.columns + QStringLiteral(" FROM ") + SqlIdentifier::quoted(p.table)
                + (p.rest.isEmpty() ? QString() : QStringLiteral(" ") + p.rest);
        s.keySql = QStringLiteral("SELECT rowid FROM ") + SqlIdentifier::quoted(p.table)
                   + (p.rest.isEmpty() ? QString() : QStringLiteral(" ") + p.rest);
        s.table = p.table;
        s.columnList = p.columns;
    } else {
        s.sql = m_sql;
    }
    if (m_sql.trimmed().isEmpty())
        s.error = QStringLiteral("DataSet \"%1\": consulta vacía").arg(displayName());
    return s;
}
