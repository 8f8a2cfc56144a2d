// The ESKA part of the exchange file: the head of a form bound to DORVO, then per sector its
// data and the cause of its justification, the resolutions and the bonuses received.
#include "tformeska.h"

#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "xml/hijosxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;

// TIPO_UNIDAD "2" (a sector) and its number, first in a per-sector node.
void unidadSector(TXML &x, const Dataset *ds)
{
    x.Hijo(QStringLiteral("UNIDAD"), campo(ds, QStringLiteral("num_sect_look")));
    x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("2"));
}

} // namespace

QByteArray TFormESKA::PrepararXML()
{
    return NodosPredioXML::Exportacion(this, NodosPredioXML::CabeceraEstudio(), [&](TXML &x, componentes::CursoresGuardados &cursores) {
        Dataset *sectores = cursores(tabla(QStringLiteral("ant_des")));
        Dataset *justificaciones = cursores(tabla(QStringLiteral("jus")));
        componentes::paraCadaRegistro(sectores, [&](int) {
            const Field *num = campo(sectores, QStringLiteral("num_sect"));
            x.AbrirNodo(QStringLiteral("SECTOR"));
            x.Hijo(QStringLiteral("CODIGO"), num);
            x.Hijo(QStringLiteral("NUMERO"), num);
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(sectores, QStringLiteral("sup_cal")));
            x.Hijo(QStringLiteral("SUPERFICIE_DESAFECTAR"), campo(sectores, QStringLiteral("sup_des")));
            x.Hijo(QStringLiteral("CLASE_CAP_USO"), campo(sectores, QStringLiteral("cap")));
            x.Hijo(QStringLiteral("TIPO_SUELO"), campo(sectores, QStringLiteral("sue")));
            x.Hijo(QStringLiteral("TIPO_VEGETACION"), campo(sectores, QStringLiteral("veg")),
                   hijosxml::columna(this, QStringLiteral("dbgESKA_ant_des"), QStringLiteral("veg")));
            // The first justification of the sector, in record order.
            bool causa = false;
            componentes::paraCadaRegistroDe(justificaciones, QStringLiteral("num_sect"), num ? num->Value() : QVariant(),
                                            [&](int) {
                                                if (!causa)
                                                    x.Hijo(QStringLiteral("CAUSA_DESAFECTACION"),
                                                           campo(justificaciones, QStringLiteral("cau")));
                                                causa = true;
                                            });
            x.CerrarNodo();
        });

        Dataset *resoluciones = cursores(tabla(QStringLiteral("ant_res")));
        componentes::paraCadaRegistro(resoluciones, [&](int) {
            x.AbrirNodo(QStringLiteral("RESOLUCION"));
            unidadSector(x, resoluciones);
            x.Hijo(QStringLiteral("NRO_CALIFICACION"), campo(resoluciones, QStringLiteral("ctapf_no")));
            x.Hijo(QStringLiteral("FECHA_CALIFICACION"), campo(resoluciones, QStringLiteral("ctapf_fec")));
            x.Hijo(QStringLiteral("NRO_PLANMANEJO"), campo(resoluciones, QStringLiteral("pm_no")));
            x.Hijo(QStringLiteral("FECHA_PLANMANEJO"), campo(resoluciones, QStringLiteral("pm_fec")));
            x.CerrarNodo();
        });
        Dataset *bonos = cursores(tabla(QStringLiteral("ant_bon")));
        componentes::paraCadaRegistro(bonos, [&](int) {
            x.AbrirNodo(QStringLiteral("ANTECEDENTE_BONIFICACION"));
            unidadSector(x, bonos);
            x.Hijo(QStringLiteral("TIPO_BONIFICACION"), campo(bonos, QStringLiteral("tip_bon")));
            x.Hijo(QStringLiteral("NRO_RESOLUCION"), campo(bonos, QStringLiteral("num_res")));
            x.Hijo(QStringLiteral("FECHA"), campo(bonos, QStringLiteral("fec")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(bonos, QStringLiteral("sup")));
            x.Hijo(QStringLiteral("MONTO"), campo(bonos, QStringLiteral("mon")));
            x.CerrarNodo();
        });
    });
}
