#pragma once
// What the accreditations bound to a FERUN request (afforestation, windbreaks, pruning and
// thinning) share: the bonus payment, that is the treasury the owner chose (the form's own
// combo `cbo_tes` over `tes`) and the request's assignees (the replica grid
// `dbgCesionarios` over the request's table `ces`); the signer's line of the printout; the
// resolutions' rule and node. A form whose description has the combo and the grid:
//
//     AcreditacionFerun::ListaTesorerias(this);          // in InicializarDatasetPpal
//
//     ImpresionFormulario p(this, imp);
//     p.antecedentesGenerales();
//     AcreditacionFerun::ImprimirBonificacion(p);        // section II
//     ... the form's sections, the map's texts
//     AcreditacionFerun::LineaFirmante(p);
//
//     NodosPredioXML::Cabecera c;
//     c.lugar = true;                                    // LUGAR, the request's city, if asked
//     NodosPredioXML::Encabezado(xml, this, ppal, c);
//     AcreditacionFerun::NodosBonificacion(xml, this);   // TESORERIA, CESIONARIO in PREDIO
//     AcreditacionFerun::Resoluciones(xml, resoluciones);
//
// None moves a cursor for good; without the request form the assignees print nothing and
// no CESIONARIO is written.
class Dataset;
class ImpresionFormulario;
class TCustomMDIChild;
class TFormDescrito;
class TXML;

namespace AcreditacionFerun {

// The treasuries' list on the combo; false (reported) when the combo or the list is missing.
bool ListaTesorerias(TCustomMDIChild *form);

// "II. ANTECEDENTES PARA EL PAGO DE LA BONIFICACION": the treasury's text as an unlabelled
// field, the assignees' grid, then a section break.
void ImprimirBonificacion(ImpresionFormulario &p);
// After the map's texts: three line feeds, the signer's name the form holds as an
// unlabelled field (an annex never sets it, so it prints empty, to be written by hand),
// three line feeds and a section break.
void LineaFirmante(ImpresionFormulario &p);

// The resolution row `ds` (num_cal, fec_cal, num_plan, fec_plan) as it is posted: each
// pair given in part must be whole (a number and a valid date), checked through the form's
// Validar (which aborts). True when the row gives either pair.
bool ParesDeResolucion(TCustomMDIChild *form, Dataset *ds);

// TESORERIA (a plain node: TESO_CODIGO the stored code, TESO_NOMBRE the text the combo
// shows), then CESIONARIO over the request's assignees: PERS_RUT, PERS_DV, PERS_NOMBRE,
// PERS_PATERNO, PERS_MATERNO.
void NodosBonificacion(TXML &xml, TFormDescrito *form);
// RESOLUCION over `resoluciones` (num_cal, fec_cal, num_plan, fec_plan): NRO_CALIFICACION,
// FECHA_CALIFICACION, NRO_PLANMANEJO, FECHA_PLANMANEJO. Nothing for a closed dataset.
void Resoluciones(TXML &xml, Dataset *resoluciones);

} // namespace AcreditacionFerun
