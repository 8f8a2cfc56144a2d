// The ILVA part of the exchange file: the head of a form bound to DORVO with the signatory
// inside PREDIO, the soil's degradation, each sector with the surface of each of its
// curtains, each curtain as an activity with its species and rows, and the four protection
// measures.
#include "tformilva.h"

#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "xml/hijosxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;

} // namespace

QByteArray TFormILVA::PrepararXML()
{
    NodosPredioXML::Cabecera cabecera;
    cabecera.firmaEnPredio = true;
    return NodosPredioXML::Exportacion(this, cabecera, [&](TXML &x, componentes::CursoresGuardados &cursores) {
        x.Hijo(QStringLiteral("RCC_ESTADO_DEGRADACION"), componentes::textoMemo(this, QStringLiteral("mem_est_deg")));

        Dataset *sectores = cursores(tabla(QStringLiteral("uso")));
        Dataset *cortinas = cursores(tabla(QStringLiteral("car")));
        Dataset *filas = cursores(tabla(QStringLiteral("car_det")));
        const QString grillaUso = QStringLiteral("dbgILVA_uso");
        componentes::paraCadaRegistro(sectores, [&](int) {
            const Field *num = campo(sectores, QStringLiteral("num_sect"));
            x.AbrirNodo(QStringLiteral("SECTOR"));
            x.Hijo(QStringLiteral("CODIGO"), num);
            x.Hijo(QStringLiteral("NUMERO"), num);
            x.Hijo(QStringLiteral("TIPO_VEGETACION"), campo(sectores, QStringLiteral("tip_veg")),
                   hijosxml::columna(this, grillaUso, QStringLiteral("tip_veg")));
            x.Hijo(QStringLiteral("USO_ACTUAL"), campo(sectores, QStringLiteral("uso")),
                   hijosxml::columna(this, grillaUso, QStringLiteral("uso")));
            x.Hijo(QStringLiteral("CLASE_CAP_USO"), campo(sectores, QStringLiteral("cap_uso")));
            componentes::paraCadaRegistroDe(cortinas, QStringLiteral("num_sect"), num ? num->Value() : QVariant(),
                                            [&](int) { x.Hijo(QStringLiteral("SUPERFICIE"), campo(cortinas, QStringLiteral("sup"))); });
            x.CerrarNodo();
        });

        // Each curtain made current shows its own rows; its nodes are written row by row.
        componentes::paraCadaRegistro(cortinas, [&](int) {
            x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
            x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
            x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QStringLiteral("100"));
            x.Hijo(QStringLiteral("AREA_BASAL"), campo(cortinas, QStringLiteral("num_hil")));
            x.Hijo(QStringLiteral("ANO"), campo(cortinas, QStringLiteral("ano")));
            x.Hijo(QStringLiteral("UNIDAD"), campo(cortinas, QStringLiteral("num_sect")));
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("2"));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(cortinas, QStringLiteral("sup")));
            x.Hijo(QStringLiteral("SUTI_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("ACSO_CORTINA"), campo(cortinas, QStringLiteral("num_cort")));
            x.Hijo(QStringLiteral("ACSO_AREA_RESIDUAL"), campo(cortinas, QStringLiteral("dis")));
            x.Hijo(QStringLiteral("ACSO_LONGITUD"), campo(cortinas, QStringLiteral("long")));
            componentes::paraCadaRegistro(filas, [&](int) {
                x.Hijo(QStringLiteral("ESPECIE"), campo(filas, QStringLiteral("esp")), tsmEspecieKELU);
            });
            componentes::paraCadaRegistro(filas, [&](int) {
                x.AbrirNodo(QStringLiteral("HILERA"));
                x.Hijo(QStringLiteral("NUM_HILERA"), campo(filas, QStringLiteral("hil")));
                x.Hijo(QStringLiteral("DIST_IN_HILERA"), campo(filas, QStringLiteral("dis")));
                x.Hijo(QStringLiteral("TIPO_PLANTA"), campo(filas, QStringLiteral("tip_pla")));
                x.Hijo(QStringLiteral("ESPECIE"), campo(filas, QStringLiteral("esp")), tsmEspecieKELU);
                x.CerrarNodo();
            });
            x.CerrarNodo();
        });

        const QList<std::pair<const char *, const char *>> medidas = {
            {"1", "mepr_sue"}, {"2", "mepr_cur"}, {"3", "mepr_veg"}, {"7", "mepr_est"}};
        for (const auto &[restriccion, memo] : medidas) {
            x.AbrirNodo(QStringLiteral("MEDIDA_PROTECCION"));
            x.HijoSecuencia(QStringLiteral("MEPR_CODIGO"));
            x.Hijo(QStringLiteral("TIPO_RESTRICCION"), QLatin1String(restriccion));
            x.Hijo(QStringLiteral("DESCRIPCION"), componentes::textoMemo(this, QStringLiteral("mem_") + QLatin1String(memo)));
            x.CerrarNodo();
        }
    });
}
