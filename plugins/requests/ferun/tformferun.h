#pragma once
// The request form FERUN (payment of a forestry bonus), built from ferun.form: the
// property section of the request forms with coordinates and adjoining rolls, the
// assignees of the bonus (ferun_ces) and the date, city and signatory of the request.
// The accreditation forms of the document bind their replicas to it.
#include "predio/tformsolicitudpredio.h"

class TFormFERUN : public TFormSolicitudPredio
{
    Q_OBJECT

public:
    explicit TFormFERUN(QWidget *owner = nullptr);

    void Nuevo() override;

protected:
    void ImprimirAdicional(TImpresion *impresion, int &numero) override;
    void XmlAdicional(TXML &xml) override;
};
