#pragma once
// The exchange-XML nodes of a request form's property data, written once for every
// request form and for the forms that export their request form's data. Each call adds
// its node(s) under the writer's current node; datasets are not owned and are left on
// their last record (their filter as it was).
#include <QByteArray>
#include <QString>

#include <functional>

namespace componentes {
class CursoresGuardados;
}
class Dataset;
class Field;
class TCustomMDIChild;
class TFormDescrito;
class TXML;

namespace NodosPredioXML {

// FIRMA over the rows of `personas` whose `firm` is set: NOMBRE, PATERNO, MATERNO, RUT,
// DV and, when `ciudad` is not empty, CIUDAD. Nothing when no row signs (or the rows
// have no `firm`).
void Firmas(TXML &xml, Dataset *personas, const QString &ciudad = QString());
// The plain FIRMA node of the signatory a request form holds: NOMBRE, RUT (when one is
// chosen), DV, CIUDAD: the text given, or a field's value by the writer's field rule.
void Firma(TXML &xml, const TCustomMDIChild *solicitud, const QString &ciudad);
void Firma(TXML &xml, const TCustomMDIChild *solicitud, const Field *ciudad);

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
    bool comunaAntesQueCiudad = false; // LOCA_COMUNA before CIUDAD
    bool ciudad = true;
    bool sexoTrasDireccion = false;    // SEXO_ID after the address, commune and city
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
// COORDENADA_UTM: COOR_ORDEN (id, when `orden`), PUNTO_REFERENCIA (pun), NORTE (n), ESTE (e).
void Coordenadas(TXML &xml, Dataset *coordenadas, bool orden = true);
// CONSERVADOR over the registrar inscriptions (CONS_CODIGO, CONS_FOJAS, CONS_NUMERO,
// CONS_CONSERVADOR, CONS_AGNO), then CONSERVADOR over the ministry certificates
// (CONS_CODIGO, CONS_CERTBN, CONS_FECHA); each only when its table has rows.
void Conservador(TXML &xml, Dataset *inscripciones, Dataset *certificados);

// --- the head of a form bound to a request form (`parent` in its description)
//
//     NodosPredioXML::Cabecera cabecera;            // Kelu's layout; Dalu: disposicion = Dalu
//     NodosPredioXML::Encabezado(xml, this, ppal, cabecera);   // FORMULARIO and PREDIO left open
//     ... the form's own nodes; then CerrarNodo() for PREDIO and FORMULARIO.
//
// The values come from the form's replica page (edits, combos and memo of the property,
// hidden edits of sup_afe and cod_pre) and from the request form; without a request form
// what comes from it (TISO_CODIGO_DE, FECHA, FIRMA, rolls, owners, coordinates, adjoining
// rolls) is left out. The parent's cursors are put back.
struct Cabecera
{
    // Plan: owners with PERS_TIPO 1, TIPR_CODIGO "2", CIUDAD before LOCA_COMUNA, and
    // coordinates with COOR_ORDEN. Dalu: TIPR_CODIGO "1", no PERS_TIPO, LOCA_COMUNA before
    // CIUDAD, no COOR_ORDEN. Generico (the generic form): as Dalu, the owners also with
    // SEXO_ID after the city and PERS_FIRMA.
    enum class Disposicion { Plan, Dalu, Generico };
    Disposicion disposicion = Disposicion::Plan;
    // LUGAR, the request's city (`ciu`), between ESTA_CODIGO and FECHA (the accreditations
    // bound to FERUN but Zuri).
    bool lugar = false;
    // TISO_CODIGO when not 0 (a combination's own code), else the form's.
    int tisoCodigo = 0;
    // FECHA and FIRMA.CIUDAD from the request's fields by the writer's field rule (the
    // date dd/mm/yyyy, the city upper-cased), as the accreditation, declaration and
    // release studies write them; otherwise as the request shows them.
    bool fechaYCiudadPorCampo = false;
    // Further FORMULARIO leaves, after FECHA and before FIRMA.
    std::function<void(TXML &)> formulario;
    // Further PREDIO leaves, after PRED_ESTADO.
    std::function<void(TXML &)> predio;
    // Nodes between the owners and the coordinates (Dalu's PROTECCION_RECURSO).
    std::function<void(TXML &)> trasPropietarios;
    // The owners' CIUDAD (a lenga norm's owners carry none).
    bool ciudadPropietarios = true;
    // FIRMA under PREDIO after the adjoining rolls, instead of under FORMULARIO.
    bool firmaEnPredio = false;
};
// The head the technical studies share (accreditations, protection-forest declaration,
// release of land): FECHA and FIRMA.CIUDAD by the field rule; with `lugar`, LUGAR too.
Cabecera CabeceraEstudio(bool lugar = false);
// FORMULARIO over the main dataset: TISO_CODIGO, VERSION, TISO_CODIGO_DE, SOLI_SUP_SOLICITADA
// (sup_afe as shown), SOLI_SUP_TOTAL (the property's sup as shown), ESTA_CODIGO 1,
// RESOJUDI and RESOJUDI_OBS (when the main table has resJud_tiene), LUGAR (when asked),
// FECHA, then FIRMA (unless firmaEnPredio).
void Formulario(TXML &xml, TFormDescrito *form, Dataset *ppal, const Cabecera &cabecera = {});
// PREDIO over the main dataset: PRED_CODIGO, LOCALIDAD.REGION/PROVINCIA/COMUNA, NOMBRE,
// SUPERFICIE_ET, SUPERFICIE_SII, SUPERFICIE_TD, ACCESO, PRED_ESTADO 1.
void Predio(TXML &xml, TFormDescrito *form, Dataset *ppal, const Cabecera &cabecera = {});
// ROL, PROPIETARIO, (trasPropietarios), COORDENADA_UTM, ROL_CONTIGUO of the request form,
// then FIRMA with firmaEnPredio.
void Solicitud(TXML &xml, TFormDescrito *form, const Cabecera &cabecera = {});
// The whole head: Formulario, Predio and Solicitud, in that order.
void Encabezado(TXML &xml, TFormDescrito *form, Dataset *ppal, const Cabecera &cabecera = {});
// A bound form's whole exchange text: the writer cleared, the head, the form's own nodes
// written by `cuerpo` (inside PREDIO), then PREDIO and FORMULARIO closed. The cursors
// `cuerpo` saves, and the main table's, are put back before the text is read. Empty
// without a writer or an open main table.
QByteArray Exportacion(TFormDescrito *form, const Cabecera &cabecera,
                       const std::function<void(TXML &, componentes::CursoresGuardados &)> &cuerpo);

} // namespace NodosPredioXML
