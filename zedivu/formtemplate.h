#pragma once
// The template database of a form (bbdd/<CODE>.db) made from its description: one table
// per described table, its data columns with the declared types the dataset layer reads
// (INTEGER, SMALLINT, DOUBLE, VARCHAR(n), TEXT, BOOLEAN, DATETIME, INTEGER PRIMARY KEY
// AUTOINCREMENT), the defaults, and the rows the description gives; the main table gets
// one row even when the description gives none, since the form's set-up edits it.
#include "formdescription.h"

#include <QString>
#include <QVariantList>

class FormTemplate
{
public:
    struct Statement
    {
        QString sql;
        QVariantList params;
    };

    // The statements that fill an empty database, in order; false (with `error`) when a
    // default or a row value does not fit its column.
    static bool statements(const FormDescription &form, QList<Statement> &out, QString *error);
    // Writes the template to `path` whole or not at all: built in a temporary file of the
    // same folder, then renamed over `path`.
    static bool write(const FormDescription &form, const QString &path, QString *error);
    // An index on every detail table's link columns, so that a master move reads only its
    // own rows; IF NOT EXISTS, so that the same statements complete a database made before.
    static QList<Statement> indexes(const FormDescription &form);
    // Adds the indexes missing from the working database at `path` in one transaction;
    // false (with `error`) when the file does not open or a statement fails.
    static bool addIndexes(const FormDescription &form, const QString &path, QString *error);
    // "VARCHAR(20)", "DOUBLE", ... for a data column.
    static QString declaredType(const ColumnDescription &column);
};
