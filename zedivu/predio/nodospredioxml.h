#pragma once
// The exchange-XML nodes of a request form's property data, written once for every
// request form and for the forms that export their request form's data. Each call adds
// its node(s) under the writer's current node; datasets are not owned and are left on
// their last record (their filter as it was).
#include <QString>

class Dataset;
class TCustomMDIChild;
class TXML;

namespace NodosPredioXML {

// FIRMA over the rows of `personas` whose `firm` is set: NOMBRE, PATERNO, MATERNO, RUT,
// DV and, when `ciudad` is not empty, CIUDAD. Nothing when no row signs.
void Firmas(TXML &xml, Dataset *personas, const QString &ciudad = QString());
// The plain FIRMA node of the signatory a request form holds: NOMBRE, RUT (when one is
// chosen), DV, CIUDAD.
void Firma(TXML &xml, const TCustomMDIChild *solicitud, const QString &ciudad);

// Children of a person node, in this order: PERS_CODIGO (id), PERS_TIPO, TIPR_CODIGO,
// PERS_RUT, PERS_DV, PERS_NOMBRE, PERS_PATERNO, PERS_MATERNO, SEXO_ID, PERS_DIRECCION,
// CIUDAD, LOCA_COMUNA, PERS_FIRMA, PERS_TELEFONO, PERS_USUFRUCTUARIO; the optional ones
// only when asked for.
struct OpcionesPersona
{
    QString nodo = QStringLiteral("PROPIETARIO");
    QString tipo = QStringLiteral("1");        // PERS_TIPO; empty leaves it out
    QString tipoRegistro = QStringLiteral("2"); // TIPR_CODIGO
    bool sexo = true;
    bool firma = true;
    bool telefono = true;
    bool usufructo = false;
};
void Personas(TXML &xml, Dataset *personas, const OpcionesPersona &opciones);
// The owners (PROPIETARIO, PERS_TIPO 1) and representatives (REPLEGAL, PERS_TIPO 2, no
// sex, phone or usufruct) of a request form.
OpcionesPersona OpcionesPropietarios(bool usufructo);
OpcionesPersona OpcionesRepresentantes();

// ROL: NUMERO (rol), COMUNA (com).
void Roles(TXML &xml, Dataset *roles);
// ROL_CONTIGUO: NUMERO (rol).
void RolesContiguos(TXML &xml, Dataset *roles);
// COORDENADA_UTM: COOR_ORDEN (id), PUNTO_REFERENCIA (pun), NORTE (n), ESTE (e).
void Coordenadas(TXML &xml, Dataset *coordenadas);
// CONSERVADOR over the registrar inscriptions (CONS_CODIGO, CONS_FOJAS, CONS_NUMERO,
// CONS_CONSERVADOR, CONS_AGNO), then CONSERVADOR over the ministry certificates
// (CONS_CODIGO, CONS_CERTBN, CONS_FECHA); each only when its table has rows.
void Conservador(TXML &xml, Dataset *inscripciones, Dataset *certificados);

} // namespace NodosPredioXML
