#pragma once
// TFormCOBA, the management norm for radiata pine and similar exotic plantations, an annex
// of the document's DORVO form: the stands to be worked, their thinnings and their harvest
// cuts with the reforestation that follows. Its window is built from coba.form; the
// property page and the binding to the request form come from the framework. A stand is
// named by its number in both activity tables: thinnings keep it from being deleted,
// harvest rows go with it, a rename reaches both. The printout (tformcoba_impresion.cpp)
// and the exchange XML (tformcoba_xml.cpp) read the form's controls and datasets only.
#include "reglasformulario.h"
#include "tformdescrito.h"

class DBGrid;

class TFormCOBA : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormCOBA(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

private:
    DBGrid *grilla(const QString &sufijo) const;
    void enlazarReglas();
    // The cross-field rules of each table, after its described checks.
    void validarRodal(Dataset *ds);
    void validarRaleo(Dataset *ds);
    void validarCortaYReforestacion(Dataset *ds);
    // Refuses an activity year before the plantation of its stand; a stand not found
    // has no year to compare with.
    void validarAnoPlantacion(Dataset *ds, const QString &campo, const QString &mensaje);
    // The surface footers of an activity grid: the stands it names, each once.
    void sumarSuperficies(const QString &sufijo, const QStringList &columnas);

    ReglasFormulario m_reglas{this};
};
