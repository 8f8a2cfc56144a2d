#pragma once
// TFormJOREV, the technical study for the declaration of protection forests, an annex of
// the document's DORVO request: the areas asked to be declared, the evidence of fragile
// soils and the water resources of each. Its window is built from jorev.form; the property
// page and the binding to DORVO come from the framework, and the rules that keep the
// per-area rows in step are a framework key relation. The printout
// (tformjorev_impresion.cpp) and the exchange XML (tformjorev_xml.cpp) only read the window.
#include "reglasformulario.h"
#include "tformdescrito.h"

class TFormJOREV : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormJOREV(QWidget *owner = nullptr);

    void Nuevo() override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

private:
    void enlazarReglas();

    ReglasFormulario m_reglas{this};
};
