#pragma once
// Lists read in Spanish order: the names a test adds in scrambled order, and the order a
// list must show them in. Byte order would put every accented or "ñ" name last.
#include "connection.h"
#include "dataset.h"
#include "field.h"

#include <QStringList>

// Surnames inserted out of order; the second and third differ only in their second
// part, where "ñ" follows every "n".
inline const QStringList &nombresDesordenados()
{
    static const QStringList nombres{QStringLiteral("Oyarzún"), QStringLiteral("Nuñez Ñanco"), QStringLiteral("Ñuñez"),
                                     QStringLiteral("Nuñez Nilo"), QStringLiteral("Álvarez")};
    return nombres;
}
inline const QStringList &nombresEnOrden()
{
    static const QStringList nombres{QStringLiteral("Álvarez"), QStringLiteral("Nuñez Nilo"), QStringLiteral("Nuñez Ñanco"),
                                     QStringLiteral("Ñuñez"), QStringLiteral("Oyarzún")};
    return nombres;
}

// Inserts the names of nombresDesordenados() with `insert`, whose ?1 is a number of its
// own for each (from 20 on), ?2 the first word and ?3 the second (Null without one).
inline bool insertarDesordenados(Connection &bd, const QString &insert)
{
    int numero = 20;
    for (const QString &nombre : nombresDesordenados()) {
        const QStringList partes = nombre.split(QLatin1Char(' '));
        if (!bd.exec(insert, {numero++, partes.value(0), partes.size() > 1 ? QVariant(partes.value(1)) : QVariant()}))
            return false;
    }
    return true;
}

// The `campos` of every row of `ds` from its first to its last, each row's non-empty
// values joined by a blank; the dataset is left on its first row.
inline QStringList filasEnOrden(Dataset *ds, const QStringList &campos)
{
    QStringList filas;
    for (ds->First(); !ds->Eof(); ds->Next()) {
        QStringList partes;
        for (const QString &campo : campos)
            if (!ds->FieldByName(campo)->AsString().isEmpty())
                partes << ds->FieldByName(campo)->AsString();
        filas << partes.join(QLatin1Char(' '));
    }
    ds->First();
    return filas;
}

// The list of a register window of type `Ventana` opened over the program in `dir`, as
// filasEnOrden reads it.
template <class Ventana>
QStringList registroEnOrden(const QString &dir, const QStringList &campos)
{
    Ventana ventana;
    ventana.DirAplicacion = dir;
    if (!ventana.Abrir())
        return {QStringLiteral("(the register did not open)")};
    return filasEnOrden(ventana.Datos(), campos);
}
