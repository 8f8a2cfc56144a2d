#pragma once
// Rows returned by Connection::select. Values are QVariant: qlonglong for integers, double
// for reals, QString for text, QByteArray for blobs and a null QVariant for NULL.
// declaredTypes holds each column's declared type in the schema ("" for expressions).
#include "sqlerror.h"

#include <QList>
#include <QStringList>
#include <QVariant>

struct QueryResult
{
    bool ok = false;
    QStringList columns;
    QStringList declaredTypes;
    QList<QVariantList> rows;
    SqlError error;

    bool isEmpty() const { return rows.isEmpty(); }
};
