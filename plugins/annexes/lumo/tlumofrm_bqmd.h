#pragma once
// The burned-forest frame: the burned forest type and fire date of each stand (a stand may
// burn more than once), exported as one RODAL per stand and row with the stand's species
// codes, since the burned-forest form writes no stands of its own.
#include "tlumofrmgrilla.h"

#include <QPointer>

class TlumoFrm_bqmd : public TlumoFrmGrilla
{
    Q_OBJECT

public:
    explicit TlumoFrm_bqmd(QWidget *parent);

    void getXML(TXML *xml) override;

protected:
    void prepararTabla(TCustomMDIChild *form) override;

private:
    QPointer<TCustomMDIChild> m_form;
};
