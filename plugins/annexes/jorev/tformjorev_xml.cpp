// The JOREV part of the exchange file: the head of a form bound to DORVO, then per area its
// data and, for each soil-fragility row of the area, that row's variables; the
// observations; the water resources.
#include "tformjorev.h"

#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "xml/hijosxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;

// The agency's variable codes of a fragility row, by field; the risks (ries_*) go as the
// texts their grid columns show.
const QList<std::pair<const char *, const char *>> kVariables = {
    {"73", "pend"}, {"74", "text"}, {"75", "prof"}, {"76", "pedr"},
    {"77", "rocos"}, {"78", "ries_des"}, {"79", "ries_eros"}, {"94", "estr"},
};

// A VARIABLE node: its code, and its quantity unless `cantidad` leaves it out.
void variable(TXML &x, const QString &codigo, const std::function<void()> &cantidad)
{
    x.AbrirNodo(QStringLiteral("VARIABLE"));
    x.Hijo(QStringLiteral("VARIABLES"), codigo);
    cantidad();
    x.CerrarNodo();
}

} // namespace

QByteArray TFormJOREV::PrepararXML()
{
    return NodosPredioXML::Exportacion(this, NodosPredioXML::CabeceraEstudio(), [&](TXML &x, componentes::CursoresGuardados &cursores) {
        Dataset *areas = cursores(tabla(QStringLiteral("car")));
        Dataset *suelos = cursores(tabla(QStringLiteral("ant_frag_suelo")));
        const QString grillaSuelos = QStringLiteral("dbgJOREV_ant_frag_suelo");
        componentes::paraCadaRegistro(areas, [&](int) {
            const Field *num = campo(areas, QStringLiteral("num_area"));
            x.AbrirNodo(QStringLiteral("AREA"));
            x.Hijo(QStringLiteral("CODIGO"), num);
            x.Hijo(QStringLiteral("NUMERO"), num);
            x.Hijo(QStringLiteral("TIAR_CODIGO"), QStringLiteral("2"));
            x.Hijo(QStringLiteral("CLASE_CAP_USO_SII"), campo(areas, QStringLiteral("cap_sii")));
            x.Hijo(QStringLiteral("CLASE_CAP_USO"), campo(areas, QStringLiteral("cap_et")));
            x.Hijo(QStringLiteral("CONDICION_PROTECCION"), campo(areas, QStringLiteral("cond")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(areas, QStringLiteral("sup")));
            x.Hijo(QStringLiteral("TIPO_BOSQUE"), campo(areas, QStringLiteral("tip_bos")));
            componentes::paraCadaRegistroDe(suelos, QStringLiteral("num_area"), num ? num->Value() : QVariant(), [&](int) {
                x.Hijo(QStringLiteral("NUMERO"), campo(suelos, QStringLiteral("num_area")));
                x.Hijo(QStringLiteral("SUPERFICIE"), campo(suelos, QStringLiteral("sup_look")));
                for (const auto &[codigo, nombre] : kVariables) {
                    const Field *f = campo(suelos, QLatin1String(nombre));
                    const bool riesgo = f && f->FieldName().startsWith(QLatin1String("ries_"));
                    variable(x, QLatin1String(codigo), [&] {
                        // A risk code its list does not hold writes no quantity.
                        if (riesgo)
                            x.Hijo(QStringLiteral("CANTIDAD"), Mayusculas(hijosxml::textoDeLista(this, grillaSuelos, f)));
                        else
                            x.Hijo(QStringLiteral("CANTIDAD"), f);
                    });
                }
            });
            x.CerrarNodo();
        });
        x.Hijo(QStringLiteral("AREA_OBS"), componentes::textoMemo(this, QStringLiteral("mem_obs")));
        x.Hijo(QStringLiteral("SUELOS_OBS"), componentes::textoMemo(this, QStringLiteral("mem_obs2")));

        Dataset *aguas = cursores(tabla(QStringLiteral("ant_rec_hid")));
        componentes::paraCadaRegistro(aguas, [&](int) {
            x.AbrirNodo(QStringLiteral("HIDROGRAFIA"));
            x.Hijo(QStringLiteral("UNIDAD"), campo(aguas, QStringLiteral("num_area")));
            x.Hijo(QStringLiteral("MASAS"), campo(aguas, QStringLiteral("curso")),
                   hijosxml::columna(this, QStringLiteral("dbgJOREV_ant_rec_hid"), QStringLiteral("curso")));
            x.Hijo(QStringLiteral("NOMBRE_MASAS"), campo(aguas, QStringLiteral("nom_curso")));
            x.Hijo(QStringLiteral("TEMPORALIDAD"), campo(aguas, QStringLiteral("temp")));
            x.Hijo(QStringLiteral("ANCHO_MAX"), campo(aguas, QStringLiteral("ancho_max")));
            x.Hijo(QStringLiteral("ANCHO_FAJA_PROTECCION"), campo(aguas, QStringLiteral("ancho_faja")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(aguas, QStringLiteral("sup_look")));
            x.CerrarNodo();
        });
        x.Hijo(QStringLiteral("HIDROGRAFIA_OBS"), componentes::textoMemo(this, QStringLiteral("mem_obs3")));
    });
}
