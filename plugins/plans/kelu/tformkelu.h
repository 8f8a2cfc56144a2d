#pragma once
// TFormKELU, the plantation management plan: stands and forestable sectors of the
// property, the diagnosis of its natural setting, management units with their activities
// and the protection measures. Its window is built from kelu.form; this class adds what
// the description cannot say: the binding to the DORVO form of the document, the lookup
// lists of the grids and the rules that keep dependent tables in step with the rows they
// hang from. The printout (tformkelu_impresion.cpp) and the exchange XML
// (tformkelu_xml.cpp) read the form's controls and datasets and write nothing.
#include "tcustommdichild.h"

class BuiltForm;

class TFormKELU : public TCustomMDIChild
{
    Q_OBJECT

public:
    explicit TFormKELU(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;
    void ConexionesExternas() override;
    bool ValidarFormulario() override;

    // What kelu.form built: pages, datasets ("adtKELU_desc"), data sources; null when the
    // description failed to load (reported at construction).
    BuiltForm *formulario() const { return m_formulario; }

private:
    Connection *m_conexion;
    Connection *m_conexionPpal;
    BuiltForm *m_formulario = nullptr;
};
