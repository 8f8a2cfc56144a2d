#include "tformdorvo.h"

#include "classregistry.h"

BRENVIK_REGISTER_WINDOW(TFormDORVO, "TFormDORVO");

TFormDORVO::TFormDORVO(QWidget *owner)
    : TFormSolicitudPredio(owner, QStringLiteral("DORVO"), ConfiguracionPredio::solicitud(QStringLiteral("dorvo")),
                           QStringLiteral("SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974"))
{
}
