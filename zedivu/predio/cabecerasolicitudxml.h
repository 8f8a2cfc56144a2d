#pragma once
// The head of a request form's own exchange XML, the variants the request forms differ
// in; part of NodosPredioXML (nodospredioxml.h has the nodes under it):
//
//     NodosPredioXML::CabeceraSolicitud c;          // Dorvo's: every leaf, principal's type
//     NodosPredioXML::FormularioSolicitud(xml, this, *Predio(), c);  // FORMULARIO + FIRMA, left open
//     NodosPredioXML::PredioSolicitud(xml, *Predio(), c);            // PREDIO's leading leaves, left open
//     ... owners, rolls, ...; then CerrarNodo() for PREDIO and FORMULARIO.
#include <QString>

#include <functional>

class SeccionPredio;
class TCustomMDIChild;
class TXML;

namespace NodosPredioXML {

struct CabeceraSolicitud
{
    // TISO_CODIGO_DE: the type code of the document's principal form, or the form's own.
    bool tisoPropio = false;
    // SOLI_SUP_SOLICITADA: the affected surface as its edit (dbe_sup_afe) shows it; false
    // leaves the leaf out.
    bool superficieSolicitada = true;
    // SOLI_SUP_TOTAL: the property's `sup`; false writes "0".
    bool superficieTotal = true;
    // LUGAR (`ciu`) and FECHA (`fec` as shown); false leaves them out.
    bool lugarYFecha = true;
    // The FIRMA nodes carry the main record's city as CIUDAD.
    bool ciudadEnFirmas = true;
    // FORMULARIO written once from the main dataset's current record instead of over
    // its records (a main table of one property per row, whose PREDIO nodes follow).
    bool registroActual = false;
    // ACCESO after the surfaces, where the section has access routes; false leaves it to
    // the caller's leaves.
    bool acceso = true;
    // Further PREDIO leaves, after the surfaces (and access) and before PRED_ESTADO.
    std::function<void(TXML &)> predio;
    // PREDIO leaves right after PRED_CODIGO (the dead-alerce guide's ALERCE_DESTINO), and
    // after the locality before NOMBRE (its TPRE_CODIGO).
    std::function<void(TXML &)> trasCodigo;
    std::function<void(TXML &)> trasLocalidad;
};

// FORMULARIO over the form's main dataset: TISO_CODIGO, VERSION, TISO_CODIGO_DE,
// SOLI_SUP_SOLICITADA, SOLI_SUP_TOTAL, ESTA_CODIGO 1, LUGAR, FECHA, then FIRMA over the
// signing owners and over the signing representatives of the section. Left open.
void FormularioSolicitud(TXML &xml, TCustomMDIChild *form, const SeccionPredio &seccion, const CabeceraSolicitud &cabecera = {});
// PREDIO over the main dataset: PRED_CODIGO, LOCALIDAD.REGION/PROVINCIA/COMUNA, NOMBRE,
// SUPERFICIE_ET, and where the section has them SUPERFICIE_SII, SUPERFICIE_TD and (unless
// the caller takes it) ACCESO; the caller's leaves; PRED_ESTADO 1. The section's field
// names (a second property's suffixed ones). Left open.
void PredioSolicitud(TXML &xml, const SeccionPredio &seccion, const CabeceraSolicitud &cabecera = {});
// ACCESO: the section's access routes; nothing when it has none.
void Acceso(TXML &xml, const SeccionPredio &seccion);

} // namespace NodosPredioXML
