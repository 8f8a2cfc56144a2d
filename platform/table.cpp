#include "table.h"

#include "connection.h"
#include "sqlidentifier.h"
#include "valuecompare.h"

Table::Table(QObject *parent)
    : Dataset(parent)
{
}

bool Table::integerColumns(const QStringList &names) const
{
    Connection *c = connection();
    if (!c || !c->isOpen())
        return false;
    if (m_typesTable != m_tableName || m_typesFile != c->fileName() || m_types.isEmpty()) {
        m_types.clear();
        const QueryResult info = c->select(QStringLiteral("PRAGMA table_info(") + SqlIdentifier::quoted(m_tableName) + QLatin1Char(')'));
        for (const QVariantList &r : info.rows)
            m_types.insert(r.value(1).toString().toLower(), r.value(2).toString());
        m_typesTable = m_tableName;
        m_typesFile = c->fileName();
    }
    for (const QString &n : names) {
        // Integer affinity: stored numbers are numbers, so "=" matches as the in-memory
        // comparison of a number does.
        const auto t = m_types.constFind(n.toLower());
        if (t == m_types.constEnd() || !t->contains(QLatin1String("INT"), Qt::CaseInsensitive))
            return false;
    }
    return !names.isEmpty();
}

Dataset::Source Table::source() const
{
    Source s;
    if (!SqlIdentifier::isValid(m_tableName)) {
        s.error = QStringLiteral("DataSet \"%1\": nombre de tabla no válido \"%2\"").arg(displayName(), m_tableName);
        return s;
    }
    if (!m_orderField.isEmpty() && !SqlIdentifier::isValid(m_orderField)) {
        s.error = QStringLiteral("DataSet \"%1\": nombre de columna de orden no válido \"%2\"").arg(displayName(), m_orderField);
        return s;
    }
    const QString t = SqlIdentifier::quoted(m_tableName);
    s.sql = QStringLiteral("SELECT rowid, * FROM ") + t;
    QString where;
    QStringList detail;
    QVariantList values;
    bool numbers = true;
    if (masterLink(&detail, &values)) {
        for (const QVariant &v : std::as_const(values))
            numbers = numbers && ValueCompare::isNumber(v);
    }
    if (!detail.isEmpty() && numbers && integerColumns(detail)) {
        QStringList conditions;
        for (int i = 0; i < detail.size(); ++i) {
            conditions << SqlIdentifier::quoted(detail.at(i)) + QStringLiteral(" = ?");
            // No master row: NULL matches nothing, and the fields are still defined.
            s.params << values.value(i);
        }
        where = QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
        s.linked = true;
    }
    const QString orden = m_orderField.isEmpty() ? QStringLiteral(" ORDER BY rowid")
                                                 : QStringLiteral(" ORDER BY %1, rowid").arg(SqlIdentifier::quoted(m_orderField));
    s.sql += where + orden;
    s.keySql = QStringLiteral("SELECT rowid FROM ") + t + where + orden;
    s.table = m_tableName;
    s.columnList = QStringLiteral("*");
    return s;
}
