#pragma once
// TFormERTIV, the management norm for the evergreen forest type (regeneration cut), an
// annex of the document's DORVO form: the stand summary, whose stand numbers drive every
// other table, the stands' characterisation by tolerant and intolerant species, their
// soils (one row per stand) and the programme of cuts and reforestation by sector and
// year. Its window is built from ertiv.form; the property page, the binding to the
// request form and the stand-key bookkeeping come from the framework. The printout
// (tformertiv_impresion.cpp, with the norm's text norma.txt) and the exchange XML
// (tformertiv_xml.cpp) read the form's controls and datasets only.
#include "reglasformulario.h"
#include "tformdescrito.h"

class TFormERTIV : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormERTIV(QWidget *owner = nullptr);

    void Nuevo() override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

private:
    void enlazarReglas();

    ReglasFormulario m_reglas{this};
};
