#pragma once
// TFormTISA, the plan to cut native forest to recover farm land: the stands to be cut with
// their forest description, the diagnosis of their setting, one objective per stand, the
// programme of cuts and other activities by year and the protection measures. Its window is
// built from tisa.form; its property page, the binding to the document's DORVO form and
// the lists of its grids come from the framework, and the rules that keep the per-stand
// tables in step are the framework's key relations. The printout (tformtisa_impresion.cpp)
// and the exchange XML (tformtisa_xml.cpp) read the form's controls and datasets only.
#include "reglasformulario.h"
#include "tformdescrito.h"

class TFormTISA : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormTISA(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;
    // Threatened fauna needs some protection measure, and every stand named by a
    // threatened flora row needs one of its own.
    bool ValidarFormulario() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DBGrid *grilla(const QString &sufijo) const;
    void enlazarReglas();
    void enlazarCampos();
    void limitarAltitud(Field *alt);

    ReglasFormulario m_reglas{this};
};
