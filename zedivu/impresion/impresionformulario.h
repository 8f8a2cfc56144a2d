#pragma once
// The printed head every form shares and the building blocks of a bound form's printout.
//
// ImprimirEncabezado: the page header (logo at the left, "Form. CODE (v.2.5)" at the
// right, repeated on every page). A request form and its cover letter use the defaults
// (logo at 0.2, two line feeds); a plan asks for its logo at 0.5 and the body below it.
//
// ImpresionFormulario writes on a layout for one form window (its controls by the names
// of its description) and puts back the cursors it moves:
//
//     ImpresionFormulario p(this, imp);             // 4 mm between fields on one line
//     p.encabezado();                               // header of a bound plan
//     p.portada("PLAN DE MANEJO\nBOSQUE NATIVO", CajaRecepcion::Fija);
//     p.antecedentesGenerales();                    // section I from the replica page
//     p.subtitulo("II. DIAGNOSTICO"); p.tablaConTitulo("a) ...", "dbgDALU_x"); ...
//     p.textoFijo(kPlanos);                         // headings, paragraphs, "· " items
//     (p.espaciadoTexto.entreLineas = 2; before it for a form whose texts print looser)
#include "componentesformulario.h"
#include "impresion/timpresion.h"
#include "impresion/tipos_impresion.h"

#include <QList>
#include <QPair>
#include <QString>

#include <algorithm>
#include <functional>

class DBEdit;
class DBLookupComboBox;
class TCustomMDIChild;
class TImpresion;

struct OpcionesEncabezado
{
    double escalaLogo = 0.2;
    bool version = true;   // " (v.2.5)" after the code
    bool bajoLogo = false; // the body starts below the logo, however tall, after CrLf4
    bool dosLf = false;    // the annexes': CrLf and two line feeds after the mark
    bool saltos = true;    // false: the body follows the mark's line without the two feeds
};
void ImprimirEncabezado(TImpresion *imp, const QString &dirAplicacion, const QString &codigo,
                        const OpcionesEncabezado &opciones = {});

// The box the agency fills in on reception ("Nº:" and "Fecha:") and "(Uso Okran)".
enum class CajaRecepcion {
    Solicitud, // 55 mm wide, 63 mm from the right, "(Uso Okran)" under it; a section
    Margen,    // framed, 60 mm wide at the right margin, "(Uso Okran)" right-aligned
    Fija       // unframed 55 x 20 mm, text right-aligned, 63 mm from the right, margin 3, four
               // line feeds, "(Uso Okran)" right-aligned
};
void ImprimirRecepcion(TImpresion *imp, CajaRecepcion caja);

// A box of the agency's numbers (request number, date, registers) by text and measures,
// and "(Uso Okran)" under it at its left edge when asked; a section.
struct CajaNumero
{
    QString texto;
    double ancho = 55;        // mm
    double alto = 0;          // mm; 0: as tall as the text needs
    double desdeDerecha = 63; // mm from the right margin to the box's left edge
    bool usoOkran = true;
};
void ImprimirCajaNumero(TImpresion *imp, const CajaNumero &caja);

// A whole printout of a form bound to the request form `padre` ("dorvo"): the document
// begun, the form's own body, the closing signatures (blank without the request form),
// `anexo` when given (an annex that follows the signatures) and the end of the document.
// Nothing without a layout.
void ImprimirConCierre(TCustomMDIChild *form, TImpresion *imp, const QString &padre, const std::function<void()> &cuerpo,
                       const std::function<void()> &anexo = nullptr);

// The spacing of a fixed text, mm; the defaults are those every form prints with.
struct EspaciadoTextoFijo
{
    double antesDeTitulo = -1; // above a heading; -1 a quarter of a line
    double entreLineas = 0;    // between the paragraphs and items of a block
    double entreSecciones = 0; // at a blank line
};

class ImpresionFormulario
{
public:
    // `entreCampos`: mm between fields on one line (0: a sixteenth of the printable width).
    ImpresionFormulario(TCustomMDIChild *form, TImpresion *imp, double entreCampos = 4);

    // A heading in 12-point bold, a little apart from what precedes it.
    void subtitulo(const QString &texto);
    void texto(const QString &texto);
    // A grid of the form as on screen (nothing while its dataset is closed, as a replica
    // of a missing request form is).
    void tabla(const QString &grilla);
    void tablaConTitulo(const QString &titulo, const QString &grilla);
    // Fields side by side on one line; the cursor ends at the start of the next line.
    template <class Valor>
    void campos(const QList<QPair<QString, Valor>> &lista, TLabelPosition posicion, double separacion = -1);
    template <class Valor>
    void campo(const QString &etiqueta, Valor valor, TLabelPosition posicion = lpLeft)
    {
        campos<Valor>({{etiqueta, valor}}, posicion);
    }
    // A memo of the form under its title.
    void memo(const QString &titulo, const QString &nombre);

    // The header of a plan: logo at 0.5, the body below it.
    void encabezado();
    // The reception box and the title.
    void portada(const QString &titulo, CajaRecepcion caja = CajaRecepcion::Margen);
    // "I. ANTECEDENTES GENERALES" from the replica page: owners, name, rolls, commune,
    // province and region, coordinates, the three surfaces (labels above, a sixteenth of
    // the width apart when the form prints so), access, adjoining rolls and, when the
    // form has `resJud_tiene` ticked, the judicial antecedents.
    void antecedentesGenerales();
    // Fixed text (the maps' and the norms' texts): a line "# Title" is a heading; the
    // lines after it ("· " items and paragraphs) print as one text; lines "|a|b|c" are
    // the rows of a small table (framed cells sharing the width, the first row bold is not
    // implied); a blank line closes the block (a section). Spaced as `espaciadoTexto` says.
    void textoFijo(const QString &texto);
    // One row of framed cells of equal width across the printable width; the cursor ends
    // at the start of the next line.
    void filaFija(const QStringList &celdas);

    // Section I's spacing between the commune, province and region, and between the three
    // surfaces: -1 the form's spacing, 0 a sixteenth of the printable width, else mm
    // (Dalu's: 5 and 0).
    double entreLugares = -1;
    double entreSuperficies = -1;
    // Section I's heading and the label of the third surface (the generic form's differ).
    QString tituloAntecedentes = QStringLiteral("I. ANTECEDENTES GENERALES");
    QString etiquetaSuperficiePlano = QStringLiteral("Plano Adjunto:");
    // The fixed texts' spacing, for a form whose texts print looser.
    EspaciadoTextoFijo espaciadoTexto;

    TImpresion *imp() const { return m_imp; }
    TCustomMDIChild *form() const { return m_form; }
    componentes::CursoresGuardados &cursores() { return m_cursores; }
    double entreCampos() const { return separacion(m_entreCampos); }
    // mm for a spacing as the members above give it.
    double separacion(double valor) const;

private:
    TCustomMDIChild *m_form;
    TImpresion *m_imp;
    double m_entreCampos;
    componentes::CursoresGuardados m_cursores;
};


template <class Valor>
inline void ImpresionFormulario::campos(const QList<QPair<QString, Valor>> &lista, TLabelPosition posicion, double separacion)
{
    const double entre = this->separacion(separacion);
    m_imp->CrLf4();
    double alto = 0;
    for (qsizetype i = 0; i < lista.size(); ++i) {
        if (i > 0)
            m_imp->DeltaX(entre);
        const TDimensiones d = m_imp->Campo(lista.at(i).first, lista.at(i).second, posicion);
        m_imp->DeltaY(-d.Alto);
        alto = std::max(alto, d.Alto);
    }
    m_imp->Cr();
    m_imp->DeltaY(alto);
}
