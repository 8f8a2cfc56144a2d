#pragma once
// TFormHARPE, the management norm for the lenga forest type (protection cuts), an annex
// of the document's DORVO form: the stands to cut with their initial densities and the
// cover to leave, and the existing regeneration of each stand, one row per stand made,
// renamed and deleted with it (a framework key relation). Its window is built from
// harpe.form; the property page and the binding to the request form come from the
// framework. The printout (tformharpe_impresion.cpp, with the norm's text norma.txt) and
// the exchange XML (tformharpe_xml.cpp) read the form's controls and datasets only.
#include "reglasformulario.h"
#include "tformdescrito.h"

class TFormHARPE : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormHARPE(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

private:
    void enlazarReglas();
    // The initial total density of the stand row in edit: lenga plus coigüe, empty while
    // the lenga density is; a lenga density given first takes an empty coigüe as 0.
    void densidadTotal(Field *cambiado);

    ReglasFormulario m_reglas{this};
};
