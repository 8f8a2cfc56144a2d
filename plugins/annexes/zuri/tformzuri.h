#pragma once
// TFormZURI, the accreditation of afforestation and of the recovery of degraded soils, an
// annex of the document's FERUN form: the resolutions it rests on, the afforested stands,
// the soil-recovery and dune works, the establishment sampling and the characteristics of
// the afforestation whose bonus is requested. Its window is built from zuri.form; the
// property page and the binding to the request form come from the framework. A stand's
// number is the key of six tables: four hold one row per stand, made and deleted with it;
// soil-recovery and dune rows keep it from being deleted; a rename reaches all six.
#include "reglasformulario.h"
#include "tformdescrito.h"

class DBGrid;
class GridColumn;

class TFormZURI : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormZURI(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    // The printout (tformzuri_impresion.cpp) and the exchange XML (tformzuri_xml.cpp) only
    // read the window.
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

    static bool SueloDegradado(const QVariant &categoria);

    // Computes every stand's statistics (tformzuri_calculo.cpp); the button is disabled
    // meanwhile. Stands that cannot be computed are named in one message.
    void btnCalcularClick();

private:
    Dataset *tabla(const QString &nombre) const;
    DBGrid *grilla(const QString &nombre) const;
    void enlazarReglas();
    void enlazarCampos();
    void enlazarRodales();
    void enlazarParcelas();
    void enlazarCalculos();
    void validarResolucion(Dataset *ds);
    void validarRodal(Dataset *ds);
    // The erosion column is editable only for a degraded soil; `limpiar` clears the row's
    // erosion otherwise.
    void columnaErosion(bool limpiar);
    void unidadDeObra(Field *obra);
    void validarParcelas(Dataset *ds);
    void ajustarMuestras(Dataset *ds);

    ReglasFormulario m_reglas{this};
};
