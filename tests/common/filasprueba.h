#pragma once
// Rows typed into a form's dataset as a consultant types them, and read back from its
// working database, for tests of form plug-ins.
#include "abort.h"
#include "connection.h"
#include "dataset.h"
#include "field.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

using ValoresFila = QList<std::pair<const char *, QString>>;

// Sets the fields (as typed; a null text clears) and posts.
inline void EscribirFila(Dataset *ds, const ValoresFila &valores)
{
    for (const auto &[campo, valor] : valores) {
        Field *f = ds->FieldByName(QLatin1String(campo));
        if (valor.isNull())
            f->Clear();
        else
            f->setAsString(valor);
    }
    ds->Post();
}

// Appends a row and posts it; false when a check refused the post (the row is then cancelled).
inline bool AgregarFila(Dataset *ds, const ValoresFila &valores)
{
    return catchAbort([&] {
        ds->Append();
        EscribirFila(ds, valores);
    }) || (ds->Cancel(), false);
}

// Edits the row whose `clave` is `valor` and posts it; false when refused or not found.
inline bool ModificarFila(Dataset *ds, const char *clave, const QString &valor, const ValoresFila &valores)
{
    if (!ds->Locate(QLatin1String(clave), valor))
        return false;
    return catchAbort([&] {
        ds->Edit();
        EscribirFila(ds, valores);
    }) || (ds->Cancel(), false);
}

// Rows of a query, each row's columns joined with "|" (null as "null").
inline QStringList FilasSql(Connection *conexion, const QString &sql)
{
    QStringList r;
    for (const QVariantList &fila : conexion->select(sql).rows) {
        QStringList valores;
        for (const QVariant &v : fila)
            valores << (v.isNull() ? QStringLiteral("null") : v.toString());
        r << valores.join(QLatin1Char('|'));
    }
    return r;
}

// Every row of each table, in `FilasSql`'s form: what a saved document must bring back.
inline QStringList ContenidoTablas(Connection *conexion, const QStringList &tablas)
{
    QStringList r;
    for (const QString &t : tablas)
        r << FilasSql(conexion, QStringLiteral("SELECT * FROM ") + t);
    return r;
}
