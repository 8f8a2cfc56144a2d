#include "table.h"

#include "sqlidentifier.h"

Table::Table(QObject *parent)
    : Dataset(parent)
{
}

Dataset::Source Table::source() const
{
    Source s;
    if (!SqlIdentifier::isValid(m_tableName)) {
        s.error = QStringLiteral("DataSet \"%1\": nombre de tabla no válido \"%2\"").arg(displayName(), m_tableName);
        return s;
    }
    const QString t = SqlIdentifier::quoted(m_tableName);
    s.sql = QStringLiteral("SELECT rowid, * FROM ") + t + QStringLiteral(" ORDER BY rowid");
    s.table = m_tableName;
    s.columnList = QStringLiteral("*");
    return s;
}
