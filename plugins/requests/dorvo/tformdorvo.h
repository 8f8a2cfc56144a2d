#pragma once
// The request form DORVO (request under decree-law 701), built from dorvo.form: the
// property section of the request forms (SeccionPredio) with coordinates and adjoining
// rolls, and the date, city and signatory of the request. The plans and annexes of the
// document bind their replicas to its "dsrcPpal", its lookup combos and its tables.
#include "tcustommdichild.h"

class BuiltForm;
class SeccionPredio;

class TFormDORVO : public TCustomMDIChild
{
    Q_OBJECT

public:
    explicit TFormDORVO(QWidget *owner = nullptr);

    void Nuevo() override;
    void GuardarPredio() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void LlenarInfoPredio() override;
    void ComponerImpresion(TImpresion *impresion) override;
    void ComponerDifrol(TImpresion *impresion) override;
    QByteArray PrepararXML() override;
    void ConexionesExternas() override;

    SeccionPredio *Predio() const { return m_predio; }

private:
    Connection *m_conexion;
    Connection *m_conexionPpal;
    BuiltForm *m_formulario = nullptr;
    SeccionPredio *m_predio = nullptr;
};
