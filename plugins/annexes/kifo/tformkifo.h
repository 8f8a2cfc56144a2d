#pragma once
// TFormKIFO, the technical study that accredits the establishment of windbreak curtains,
// an annex of the document's FERUN form: the treasury where the bonus is paid and the
// request's assignees, the recognition resolutions, and the curtains established with
// their rows of trees. Its window is built from kifo.form; the property page and the
// binding to FERUN come from the framework and the curtains follow the framework's
// curtain rules, with this form's questions. The printout (tformkifo_impresion.cpp) and
// the exchange XML (tformkifo_xml.cpp) only read the window.
#include "reglasformulario.h"
#include "tformdescrito.h"

class TFormKIFO : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormKIFO(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    // An accreditation rests on its resolutions: without one it is refused.
    bool ValidarFormulario() override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

private:
    void enlazarReglas();

    ReglasFormulario m_reglas{this};
};
