#pragma once
// TFormPELTO, the accreditation of a first pruning and thinning carried out by small forest
// owners, an annex of the document's FERUN request: the resolutions it rests on, the
// plantation stands and, per stand, the pruning and the thinning done. Its window is built
// from pelto.form; the property page, the binding to FERUN and the bonus-payment part come
// from the framework. A stand's number names its pruning and thinning rows: a rename
// reaches them and a deleted stand takes them with it, unless another stand carries the
// same number. The printout (tformpelto_impresion.cpp) and the exchange XML
// (tformpelto_xml.cpp) only read the window.
#include "reglasformulario.h"
#include "tformdescrito.h"

class TFormPELTO : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormPELTO(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    // Without pruning and thinning rows there is nothing to accredit: refused.
    bool ValidarFormulario() override;
    // Leaving the stands grid: the pruning and thinning rows show the stands' surfaces again.
    void DbgEventoOnExitEspecial(QObject *sender) override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

private:
    void enlazarReglas();
    // A resolution's number and date go together; a row with neither pair is accepted.
    void validarResolucion(Dataset *ds);

    ReglasFormulario m_reglas{this};
};
