#pragma once
// All rows of one named table, in rowid order, editable.
#include "dataset.h"

class Table : public Dataset
{
    Q_OBJECT

public:
    explicit Table(QObject *parent = nullptr);

    QString TableName() const { return m_tableName; }
    // Letters, digits and underscore only; any other name makes Open fail.
    void setTableName(const QString &name) { m_tableName = name; }

protected:
    Source source() const override;

private:
    QString m_tableName;
};
