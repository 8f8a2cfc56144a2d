#pragma once
// TFormESKA, the request to release land classified as preferentially forest-suitable, an
// annex of the document's DORVO request: the sectors to release, and per sector its
// resolutions, the bonuses it received and the justification. Its window is built from
// eska.form; the property page and the binding to DORVO come from the framework, and the
// per-sector rows are kept in step by a framework key relation. The printout
// (tformeska_impresion.cpp) and the exchange XML (tformeska_xml.cpp) only read the window.
#include "reglasformulario.h"
#include "tformdescrito.h"

class TFormESKA : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormESKA(QWidget *owner = nullptr);

    void Nuevo() override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

private:
    void enlazarReglas();
    // A resolution's number and date go together: either both or neither.
    void validarPares(Dataset *resoluciones);

    ReglasFormulario m_reglas{this};
};
