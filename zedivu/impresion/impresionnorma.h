#pragma once
// The printout of a native-forest management norm bound to the DORVO request: the head,
// reception box and section I as a native-forest plan prints them, the norm's own tables
// (the plug-in's), then the norm's fixed text and the owner's sworn declaration.
//
//     ImprimirConCierre(this, imp, "dorvo", [&] {
//         ImpresionNorma p(this, imp);
//         p.cabeza("NORMA DE MANEJO\nAPLICABLE AL TIPO FORESTAL LENGA");
//         p.tablaConTitulo("II. ...", "dbgHARPE_car");
//         p.norma(QStringLiteral("HARPE"));
//     });
//
// The fixed text is data: the plug-in embeds it as ":/normas/<CODE>.txt"
// (brenvik_norm_text in cmake/BrenvikForms.cmake), written in the format textoFijo reads,
// so the agency's official wording replaces it without touching code.
#include "impresion/impresionformulario.h"

#include <QString>

// The norm text the plug-in of `codigo` ("HARPE") embeds; empty when it embeds none.
QString TextoNorma(const QString &codigo);

class ImpresionNorma : public ImpresionFormulario
{
public:
    ImpresionNorma(TCustomMDIChild *form, TImpresion *imp);

    // The page head, the reception box, `titulo` and "I. ANTECEDENTES GENERALES".
    void cabeza(const QString &titulo);
    // The fixed text of `codigo` (paragraphs apart, items close), then the declaration.
    void norma(const QString &codigo);
};
