#pragma once
// The request for a future bonus certification BEXA, built from bexa.form: the property
// section of the request forms (owners who may be usufructuaries), the resolutions that
// qualified the land, and the afforestation and other activities a bonus is sought for.
// The surface the request affects is the afforestation's total. The printout
// (tformbexa_impresion.cpp) and the exchange XML (tformbexa_xml.cpp) only read the window.
#include "predio/tformsolicitudpredio.h"
#include "reglasformulario.h"

class DBEdit;

class TFormBEXA : public TFormSolicitudPredio
{
    Q_OBJECT

public:
    explicit TFormBEXA(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    // The form reads nothing from its siblings; its affected surface is its own.
    void ConexionesExternas() override {}
    void ComponerImpresion(TImpresion *impresion) override;

    // "Para se presentada en": the free text is open only for the "other" office (1);
    // another office empties it while the main record is being edited.
    void dbcBexa_presChange();
    // The affected surface follows the afforestation rows: their total, 0 without rows.
    void dsrcBexa_bonDataChange();

protected:
    NodosPredioXML::CabeceraSolicitud CabeceraXml() const override;
    void XmlPredio(TXML &xml) override;

private:
    ReglasFormulario m_reglas{this};
    DBEdit *m_presOtr = nullptr;
};
