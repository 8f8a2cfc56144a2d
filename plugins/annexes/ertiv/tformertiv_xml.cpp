// The ERTIV part of the exchange file: the head of a form bound to DORVO with the
// signatory after the adjoining rolls, the soils' observations, one RODAL per stand with
// its soil and a CARACT_ESPECIE per characterisation row of the stand, the cuts and then
// the reforestations numbered in that order, and the norm's protection measures.
#include "tformertiv.h"

#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "xml/hijosxml.h"
#include "xml/txml.h"

#include <utility>

namespace {

using componentes::campo;

// The agency's measures of protection of the resource that the norm prescribes.
constexpr int kMedidasProteccion[] = {9, 11, 12};

// The characterisation leaves, in the agency's order, by field.
const QList<std::pair<const char *, const char *>> kCaracterizacion = {
    {"INTOLERANTE_DENS_MENOR_20", "nah_m20_int"},   {"TOLERANTE_DENS_MENOR_20", "nah_m20_tol"},
    {"INTOLERANTE_DENS_ENTRE_5_40", "nah_5_40_int"}, {"TOLERANTE_DENS_ENTRE_5_40", "nah_5_40_tol"},
    {"INTOLERANTE_DENS_TOTAL", "nah_tot_int"},       {"TOLERANTE_DENS_TOTAL", "nah_tot_tol"},
    {"INTOLERANTE_AB_TOTAL", "ab_tot_int"},          {"TOLERANTE_AB_TOTAL", "ab_tot_tol"},
    {"INTOLERANTE_AB_MAYOR_50", "ab_arb_int"},       {"TOLERANTE_AB_MAYOR_50", "ab_arb_tol"},
    {"ESPECIE", "esp"},
};

} // namespace

QByteArray TFormERTIV::PrepararXML()
{
    NodosPredioXML::Cabecera cabecera;
    cabecera.firmaEnPredio = true;
    return NodosPredioXML::Exportacion(this, cabecera, [&](TXML &x, componentes::CursoresGuardados &cursores) {
        x.Hijo(QStringLiteral("RODAL_OBS"), componentes::textoMemo(this, QStringLiteral("mem_obs1")));

        Dataset *rodales = cursores(tabla(QStringLiteral("res")));
        Dataset *suelos = cursores(tabla(QStringLiteral("car_sue")));
        Dataset *especies = cursores(tabla(QStringLiteral("car")));
        componentes::paraCadaRegistro(rodales, [&](int) {
            const Field *num = campo(rodales, QStringLiteral("num"));
            const QVariant rodal = num ? num->Value() : QVariant();
            x.AbrirNodo(QStringLiteral("RODAL"));
            x.Hijo(QStringLiteral("CODIGO"), num);
            x.Hijo(QStringLiteral("NUMERO"), num);
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(rodales, QStringLiteral("sup")));
            x.Hijo(QStringLiteral("SITUACION_TIPO"), campo(rodales, QStringLiteral("sit")));
            x.Hijo(QStringLiteral("DMC"), campo(rodales, QStringLiteral("dmc")));
            x.Hijo(QStringLiteral("PENDIENTE_MEDIA"), campo(rodales, QStringLiteral("pen")));
            x.Hijo(QStringLiteral("ARBOL_DOMINANTE"), campo(rodales, QStringLiteral("por")));
            x.Hijo(QStringLiteral("NUMERO_ESTRATO"), campo(rodales, QStringLiteral("num_estr")));
            x.Hijo(QStringLiteral("REGENERACION"), campo(rodales, QStringLiteral("reg")));
            bool conSuelo = false;
            componentes::paraCadaRegistroDe(suelos, QStringLiteral("num"), rodal, [&](int) {
                if (std::exchange(conSuelo, true))
                    return;
                x.Hijo(QStringLiteral("PROFUNDIDAD_EFECTIVA"), campo(suelos, QStringLiteral("prof")));
                x.Hijo(QStringLiteral("TIPO_ROCA"), campo(suelos, QStringLiteral("roca")),
                       hijosxml::columna(this, QStringLiteral("dbgERTIV_car_sue"), QStringLiteral("roca")));
                x.Hijo(QStringLiteral("TIPO_SUELO_SV"), campo(suelos, QStringLiteral("tip_sue")));
            });
            componentes::paraCadaRegistroDe(especies, QStringLiteral("num"), rodal, [&](int) {
                x.AbrirNodo(QStringLiteral("CARACT_ESPECIE"));
                for (const auto &[tag, nombre] : kCaracterizacion)
                    x.Hijo(QLatin1String(tag), campo(especies, QLatin1String(nombre)));
                x.CerrarNodo();
            });
            x.CerrarNodo();
        });

        Dataset *cortas = cursores(tabla(QStringLiteral("act_cor")));
        componentes::paraCadaRegistro(cortas, [&](int) {
            x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
            x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
            x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QStringLiteral("80"));
            x.Hijo(QStringLiteral("AREA_BASAL"), campo(cortas, QStringLiteral("ab")));
            x.Hijo(QStringLiteral("TIME_CODIGO"), 10);
            x.Hijo(QStringLiteral("METODO_ACTIVIDAD"), campo(cortas, QStringLiteral("met_cor")));
            x.Hijo(QStringLiteral("SECTOR"), campo(cortas, QStringLiteral("sec")));
            x.Hijo(QStringLiteral("ANO"), campo(cortas, QStringLiteral("ano_cor")));
            x.Hijo(QStringLiteral("UNIDAD"), campo(cortas, QStringLiteral("num")));
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(cortas, QStringLiteral("sup_cpy")));
            x.Hijo(QStringLiteral("SUTI_CODIGO"), QStringLiteral("0"));
            x.CerrarNodo();
        });
        Dataset *reforestaciones = cursores(tabla(QStringLiteral("act_ref")));
        componentes::paraCadaRegistro(reforestaciones, [&](int) {
            x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
            x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
            x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QStringLiteral("90"));
            x.Hijo(QStringLiteral("UNIDAD"), campo(reforestaciones, QStringLiteral("num")));
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("SUTI_CODIGO"), QStringLiteral("0"));
            x.Hijo(QStringLiteral("SECTOR"), campo(reforestaciones, QStringLiteral("sec")));
            x.Hijo(QStringLiteral("ANO"), campo(reforestaciones, QStringLiteral("ano_ref")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(reforestaciones, QStringLiteral("sup_cpy")));
            x.Hijo(QStringLiteral("TIME_CODIGO"), 4);
            x.Hijo(QStringLiteral("METODO_ACTIVIDAD"), campo(reforestaciones, QStringLiteral("met_reg")));
            x.Hijo(QStringLiteral("DENSIDAD"), campo(reforestaciones, QStringLiteral("den")));
            x.Hijo(QStringLiteral("ESPECIE"), campo(reforestaciones, QStringLiteral("esp")), tsmEspecieERTIV);
            x.CerrarNodo();
        });

        // The agency's form has room for written measures; the norm prescribes its own.
        x.AbrirNodo(QStringLiteral("PROTECCION_RECURSO"));
        for (const char *vacio : {"PLAGA_MEDIDA_PREVENCION", "PLAGA_MEDIDA_CONTROL", "INCENDIO_MEDIDA_PREVENCION",
                                  "INCENDIO_MEDIDA_CONTROL", "OBSERVACION"})
            x.Hijo(QLatin1String(vacio));
        for (int codigo : kMedidasProteccion)
            x.Hijo(QStringLiteral("MEPR_CODIGO"), codigo);
        x.CerrarNodo();
    });
}
