#pragma once
// The request DUVI for the approval of a plan to extract dead alerce, built from
// duvi.form: the property section of the request forms with reference points and
// adjoining rolls, the property's boundaries to the four points of the compass, owners
// who may hold the usufruct, and the date, city and signatory of the request. The
// affected surface shows the principal form's when another form is the principal.
#include "predio/tformsolicitudpredio.h"

class TFormDUVI : public TFormSolicitudPredio
{
    Q_OBJECT

public:
    explicit TFormDUVI(QWidget *owner = nullptr);

    // The base's set-up, then `sol` := what the document requests (`nombreCompleto`).
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void ComponerImpresion(TImpresion *impresion) override;

protected:
    // PREDIO's leaves with the boundaries (NORTE, SUR, ESTE, OESTE) in place of the access
    // routes.
    NodosPredioXML::CabeceraSolicitud CabeceraXml() const override;
};
