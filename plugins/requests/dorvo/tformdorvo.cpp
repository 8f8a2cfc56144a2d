#include "tformdorvo.h"

#include "classregistry.h"

BRENVIK_REGISTER_WINDOW(TFormDORVO, "TFormDORVO");

namespace {

ConfiguracionPredio configuracion()
{
    ConfiguracionPredio c;
    c.codigo = QStringLiteral("dorvo");
    c.campoSuperficieSii = QStringLiteral("sup_sii");
    c.campoSuperficieTitulo = QStringLiteral("sup_tit");
    c.campoUbicacion = QStringLiteral("via");
    c.coordenadas = true;
    c.rolesContiguos = true;
    return c;
}

} // namespace

TFormDORVO::TFormDORVO(QWidget *owner)
    : TFormSolicitudPredio(owner, QStringLiteral("DORVO"), configuracion(), QStringLiteral("SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974"))
{
}
