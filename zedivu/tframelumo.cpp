#include "tframelumo.h"

TFrameLumo::TFrameLumo(QWidget *parent, const QString &nombreDiseno)
    : QFrame(parent)
    , m_nombreDiseno(nombreDiseno)
{
    setObjectName(nombreDiseno);
}

void TFrameLumo::InicializarConexion(Connection *, TCustomMDIChild *)
{
}

void TFrameLumo::getXML(TXML *)
{
}

void TFrameLumo::getImpresion(const QString &, const QString &, TImpresion *)
{
}
