#pragma once
// What one property section of a request form holds and writes: the names of its
// main-table fields, which property tables it has and what of them goes back into the
// main database. A form with two properties (an origin and a destination) configures
// two sections that differ in `sufijo` and the main-table field names.
#include <QString>

struct ConfiguracionPredio
{
    // The form code in lower case: the prefix of the property tables ("dorvo_rol").
    QString codigo;
    // Appended to every property table name ("fenra_rol2"); empty for the first property.
    QString sufijo;

    // Main-table fields; an empty name means the form has no such field, and then the
    // matching `predio` column is neither filled from nor written to the register.
    QString campoCodigo = QStringLiteral("cod_pre");
    QString campoNombre = QStringLiteral("nom_pre");
    QString campoSuperficie = QStringLiteral("sup");
    QString campoSuperficieSii;     // pred_superficie_sii
    QString campoSuperficieTitulo;  // pred_superficie_et
    QString campoUbicacion;         // pred_ubicacion (access routes)
    QString campoComuna = QStringLiteral("com");
    QString campoProvincia = QStringLiteral("prv");
    QString campoRegion = QStringLiteral("reg");
    QString campoCiudad = QStringLiteral("ciu");
    QString campoFecha = QStringLiteral("fec");
    QString campoFirmante = QStringLiteral("fir"); // empty: the section has no signatory

    // Property tables beyond rolls, inscriptions, certificates, owners and representatives.
    bool coordenadas = false;       // <codigo>_coo
    bool rolesContiguos = false;    // <codigo>_rol_con
    // Coordinates checked as UTM north and east (else: zero or positive).
    bool coordenadasUTM = false;

    // Ticking an owner's `usuf` asks for confirmation; No unticks it.
    bool preguntarUsufructo = false;

    bool sexoPropietarios = true;       // owners' sex read from and written to `persona`
    bool escribirSexoPropietarios = true; // false: read in the fill, never written back
    bool llenarRepresentantes = true;   // representatives filled from the register
    bool telefonoRepresentantes = false; // their phone read too (the owners' columns)
    bool escribirRepresentantes = true; // representatives written to `persona`
    bool sexoRepresentantes = true;

    // One property per row of the main table (a project over several properties): the
    // row's key field, to which every property table links its rows (`id_pre`). The
    // section then works on the current row only: its code is the row's, the fill and the
    // write-back touch only that row's property rows, and deleting the row deletes them.
    // Empty: the main table holds the one property.
    QString campoFila;
    // The fill from the register also dates the request today.
    bool fechaAlLlenar = false;

    // The document's own property: its code is the form's PredCodigo, the sibling forms
    // receive it and the document index follows a replaced property. False for a second
    // property, whose code only the section keeps.
    bool principal = true;

    // Shown when the property has no name and nothing is written to the main database.
    QString avisoNombreVacio = QStringLiteral(
        "Dado que el campo \"Nombre de Predio\" está vacío, no se podrá almacenar\nla información de este predio en la "
        "base de datos central.\n\nPese a ello, igualmente se guardará en el archivo especificado \nla información "
        "contenida en estos formularios.");

    // The plain property of a request form: rolls, inscriptions, certificates, owners and
    // representatives, and nothing else.
    static ConfiguracionPredio simple(const QString &codigo)
    {
        ConfiguracionPredio c;
        c.codigo = codigo;
        return c;
    }

    // The one property of a parent request form: surfaces by the tax roll and by title,
    // access routes, coordinates and adjoining rolls.
    static ConfiguracionPredio solicitud(const QString &codigo)
    {
        ConfiguracionPredio c;
        c.codigo = codigo;
        c.campoSuperficieSii = QStringLiteral("sup_sii");
        c.campoSuperficieTitulo = QStringLiteral("sup_tit");
        c.campoUbicacion = QStringLiteral("via");
        c.coordenadas = true;
        c.rolesContiguos = true;
        return c;
    }

    // "<codigo>_<parte><sufijo>", the working table of one part ("rol", "pro", ...).
    QString tabla(const QString &parte) const { return codigo + QLatin1Char('_') + parte + sufijo; }
    // "dbg<CODIGO>_<parte><sufijo>", the grid that edits it.
    QString grilla(const QString &parte) const
    {
        return QStringLiteral("dbg") + codigo.toUpper() + QLatin1Char('_') + parte + sufijo;
    }
};
