#pragma once
// All rows of one named table, in rowid order, editable. As a detail linked by integer
// columns (codes) it reads only the master's current rows, through their index.
#include "dataset.h"

class Table : public Dataset
{
    Q_OBJECT

public:
    explicit Table(QObject *parent = nullptr);

    QString TableName() const { return m_tableName; }
    // Letters, digits and underscore only; any other name makes Open fail.
    void setTableName(const QString &name) { m_tableName = name; }
    // The key field that checks of unique values exclude the row by; empty: the first field.
    QString IndexName() const { return m_indexName; }
    void setIndexName(const QString &name) { m_indexName = name; }
    // Rows in the order of this column (then rowid) when read; empty: rowid order alone.
    // Not a valid column name: Open fails, naming it.
    QString OrderField() const { return m_orderField; }
    void setOrderField(const QString &field) { m_orderField = field; }

protected:
    Source source() const override;

private:
    bool integerColumns(const QStringList &names) const;

    QString m_tableName;
    // Declared column types (lower-case names) of m_tableName in m_typesFile.
    mutable QHash<QString, QString> m_types;
    mutable QString m_typesTable;
    mutable QString m_typesFile;
    QString m_indexName;
    QString m_orderField;
};
