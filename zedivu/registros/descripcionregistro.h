#pragma once
// What a simple register window (TRegistroTabla) shows and checks: one table of the main
// database, the columns of its list, the labelled controls of its edit panel and the
// checks run before a row is saved. Registers are described as data; TRegistroTabla does
// the rest.
#include "ttipovalidacion.h"

#include <QList>
#include <QString>
#include <QStringList>

struct CampoRegistro
{
    enum class Control {
        Edit,   // a data-aware edit
        Combo,  // a fixed list: `items` shown, `claves` stored
        Lookup, // the rows of the query `lista`: `textoLista` shown, `claveLista` stored
    };

    QString campo;    // column of the table
    QString etiqueta; // "Apellido Paterno:"; without the colon it names the field in messages
    TTipoValidaciones validaciones;
    bool enLista = false; // also a column of the list
    Control control = Control::Edit;
    QStringList items;
    QStringList claves;
    QString lista;
    QString claveLista;
    QString textoLista;
    // Text that goes into the exchange file: only characters its ISO-8859-1 can carry,
    // and none of `separadores`, which the file puts between this field and the next.
    bool exportable = false;
    QString separadores;

    static CampoRegistro Edit(const QString &campo, const QString &etiqueta, TTipoValidaciones validaciones = {},
                              bool enLista = false)
    {
        CampoRegistro c;
        c.campo = campo;
        c.etiqueta = etiqueta;
        c.validaciones = validaciones;
        c.enLista = enLista;
        return c;
    }
    static CampoRegistro Combo(const QString &campo, const QString &etiqueta, const QStringList &items,
                               const QStringList &claves, TTipoValidaciones validaciones = {})
    {
        CampoRegistro c = Edit(campo, etiqueta, validaciones);
        c.control = Control::Combo;
        c.items = items;
        c.claves = claves;
        return c;
    }
    static CampoRegistro Lookup(const QString &campo, const QString &etiqueta, const QString &lista,
                                const QString &claveLista, const QString &textoLista)
    {
        CampoRegistro c = Edit(campo, etiqueta);
        c.control = Control::Lookup;
        c.lista = lista;
        c.claveLista = claveLista;
        c.textoLista = textoLista;
        return c;
    }
    CampoRegistro exportado(const QString &separadoresCampo) const
    {
        CampoRegistro c = *this;
        c.exportable = true;
        c.separadores = separadoresCampo;
        return c;
    }
};

struct DescripcionRegistro
{
    QString nombre;      // objectName of the window ("FormConsultores")
    QString titulo;      // caption ("Base de Datos de Consultores")
    QString tabla;       // "consultor"
    QString clave;       // the integer key returned in choose mode ("cons_id")
    QString orden;       // ORDER BY of the list, the order of its index (ordenlistas.h)
    QString tituloLista; // "Consultores existentes:"
    QString tituloGrupo; // " Información del Consultor "
    // The RUT and its check digit (shown side by side, the digit checked, the RUT unique
    // in the table); empty when the register has none.
    QString campoRut;
    QString campoDv;
    QList<CampoRegistro> campos;
    // Tables whose rows hold the key (same column name) and go with a deleted row.
    QStringList tablasHijas;
    // Shown over the edit panel when the register is opened to choose on an empty table,
    // so that the user creates the first row at once.
    QString avisoSinFilas;
};
