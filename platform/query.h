#pragma once
// The rows of an SQL SELECT with bound values (? placeholders, params in order).
// A plain single-table select, "SELECT * | col, col FROM table [WHERE ...] [ORDER BY ...]"
// without joins, grouping, unions or expressions in the column list, is editable: its
// rows are written back to that table by rowid. Any other query is read-only.
// Changing the SQL takes effect at the next Open or Refresh.
#include "dataset.h"

class Query : public Dataset
{
    Q_OBJECT

public:
    explicit Query(QObject *parent = nullptr);

    QString SQL() const { return m_sql; }
    void setSQL(const QString &sql, const QVariantList &params = {});
    QVariantList Params() const { return m_params; }
    void setParams(const QVariantList &params) { m_params = params; }
    // The table written back, or "" when the query is read-only.
    QString editableTable() const;

protected:
    Source source() const override;

private:
    QString m_sql;
    QVariantList m_params;
};
