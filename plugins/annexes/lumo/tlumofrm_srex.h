#pragma once
// The Sirex prospection frame: the year each stand is prospected, exported as one
// ACTIVIDAD 503 per row, numbered on from the form's activities.
#include "tlumofrmgrilla.h"

class TlumoFrm_srex : public TlumoFrmGrilla
{
    Q_OBJECT

public:
    explicit TlumoFrm_srex(QWidget *parent);

    void getXML(TXML *xml) override;

protected:
    void prepararTabla(TCustomMDIChild *form) override;
};
