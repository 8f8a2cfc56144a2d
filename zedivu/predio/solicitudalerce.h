#pragma once
// What the dead-alerce requests (the free-transit guide, the declaration of existing
// products and the marking request) print and export alike, on their property section:
//
//     SolicitudAlerce::Portada p{caja, saltos, titulo};
//     SolicitudAlerce::Imprimir(this, imp, p, [&] {            // head, box, title ... closing
//         SolicitudAlerce::Productor(imp, *Predio(), {...});   // "1. YO ..." and its lines
//         SolicitudAlerce::Tabla(imp, "3. ANTECEDENTES ANTERIORES:", grilla);
//     });
//
//     return SolicitudAlerce::Exportar(this, [&](TXML &x) {     // every cursor put back
//         SolicitudAlerce::Formulario(x, this, *Predio(), true);
//         SolicitudAlerce::Predio(x, *Predio());
//         SolicitudAlerce::NodoGrilla(x, "PRODUCTO", grilla, {{"TIPO_PRODUCTO", "tipo_prod"}, ...});
//         x.CerrarNodo(); x.CerrarNodo();
//     });
#include "cabecerasolicitudxml.h"
#include "impresion/impresionformulario.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

class DBGrid;
class SeccionPredio;
class TCustomMDIChild;
class TImpresion;
class TXML;

namespace SolicitudAlerce {

// The head of the printout: the agency's number box and the title; `saltos` puts the
// two line feeds after the form's mark.
struct Portada
{
    CajaNumero caja;
    bool saltos = true;
    QString titulo;
};

// The whole printout: the page header, the box, the title, `cuerpo`, the closing section
// with the signatures and the consultant, and the document's end.
void Imprimir(TCustomMDIChild *form, TImpresion *imp, const Portada &portada, const std::function<void()> &cuerpo);
// Lines at the left margin, one under the other; an empty one is a blank line.
void Lineas(TImpresion *imp, const QStringList &lineas);
// The producer's line from the section's current representative, then `siguientes`; a
// section.
void Productor(TImpresion *imp, const SeccionPredio &seccion, const QStringList &siguientes);
// A grid under its heading (the heading also when the grid has no rows); a section.
void Tabla(TImpresion *imp, const QString &titulo, DBGrid *grilla);
// The text the section's combo of the main-table field `campo` shows (a commune's name).
QString Lugar(const SeccionPredio &seccion, const QString &campo);
// The text of a field of the current record of the section's table `parte` ("rep");
// empty when the table has no rows.
QString Valor(const SeccionPredio &seccion, const QString &parte, const QString &campo);

// FORMULARIO: TISO_CODIGO, VERSION, TISO_CODIGO_DE, SOLI_SUP_TOTAL (`sup`, or "0" without
// `superficieTotal`), ESTA_CODIGO and FIRMA over the signing owners and representatives,
// without CIUDAD. Left open.
void Formulario(TXML &xml, TCustomMDIChild *form, const SeccionPredio &seccion, bool superficieTotal);
// PREDIO of the section (the leaves `cabecera` adds among its own), then PROPIETARIO over
// the owners, PROPIETARIOALERCE over the producers or traders (the representatives), the
// reference points where the section has them, the rolls and the inscriptions. Left open.
void Predio(TXML &xml, const SeccionPredio &seccion, const NodosPredioXML::CabeceraSolicitud &cabecera = {});
// A node over the grid's table with one child per (tag, field), in order; `tipo_prod`
// goes through the grid's own product column, so an "other" product writes its code and
// its text as TAG_OTRO. Nothing without the grid.
void NodoGrilla(TXML &xml, const QString &nodo, DBGrid *grilla, const QList<QPair<QString, QString>> &hijos);
// The form's exchange text written by `escribir` on its emptied writer; every cursor of
// the form stands where it stood before (the printout reads the current rows).
QByteArray Exportar(TCustomMDIChild *form, const std::function<void(TXML &)> &escribir);

} // namespace SolicitudAlerce
