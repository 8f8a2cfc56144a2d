#pragma once
// TFormILVA, the technical study that recognises forest-suitable soils for windbreak
// curtains, an annex of the document's DORVO request: the soil's degradation, the current
// use of each sector, the curtains to plant per sector with their rows of trees, and the
// protection measures. Its window is built from ilva.form; the property page and the
// binding to DORVO come from the framework, the sectors are a framework key relation and
// the curtains follow the framework's curtain rules. The printout (tformilva_impresion.cpp)
// and the exchange XML (tformilva_xml.cpp) only read the window.
#include "reglasformulario.h"
#include "tformdescrito.h"

class TFormILVA : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormILVA(QWidget *owner = nullptr);

    void Nuevo() override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

private:
    void enlazarReglas();

    ReglasFormulario m_reglas{this};
};
