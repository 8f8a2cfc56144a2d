#pragma once
// The quarantine-pest frame: the agricultural service's resolutions of compulsory control
// (number, date, regulated species), exported as RESOLUCION.
#include "tlumofrmgrilla.h"

class TlumoFrm_plga : public TlumoFrmGrilla
{
    Q_OBJECT

public:
    explicit TlumoFrm_plga(QWidget *parent);

    void getXML(TXML *xml) override;
};
