// The ZURI part of the exchange file: the head of an accreditation bound to FERUN with the
// forestation's observations, the treasury and the assignees; the resolutions and stands;
// per stand its soil-recovery (10) and dune (20) works with their work, the forestation
// (30); and per stand its establishment study: plots, samples, statistics and results,
// each table's row found by the stand's number.
#include "tformzuri.h"

#include "acreditacionferun.h"
#include "componentesformulario.h"
#include "dbdateedit.h"
#include "predio/nodospredioxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;

// The confidence level the template's code for Student's t stands for; empty otherwise.
QString confianza(const Field *tStud)
{
    if (!tStud || tStud->IsNull())
        return {};
    switch (tStud->AsInteger()) {
    case 164:
        return QStringLiteral("90");
    case 196:
        return QStringLiteral("95");
    case 258:
        return QStringLiteral("99");
    default:
        return {};
    }
}

} // namespace

QByteArray TFormZURI::PrepararXML()
{
    NodosPredioXML::Cabecera cabecera = NodosPredioXML::CabeceraEstudio();
    cabecera.predio = [this](TXML &xml) {
        xml.Hijo(QStringLiteral("ACRED_ACT_FOR_OBS"), componentes::textoMemo(this, QStringLiteral("mem_act_for_obs")));
    };
    return NodosPredioXML::Exportacion(this, cabecera, [&](TXML &x, componentes::CursoresGuardados &cursores) {
        AcreditacionFerun::NodosBonificacion(x, this);
        AcreditacionFerun::Resoluciones(x, tabla(QStringLiteral("adtZURI_ant_resol")));

        Dataset *rodales = cursores(tabla(QStringLiteral("adtZURI_sec_for")));
        x.AbrirNodo(QStringLiteral("RODAL"), rodales);
        x.HijoCampo(QStringLiteral("SECTOR"), QStringLiteral("num_sec"));
        x.HijoCampo(QStringLiteral("NUMERO"), QStringLiteral("num"));
        x.HijoCampo(QStringLiteral("CODIGO"), QStringLiteral("num"));
        x.HijoCampo(QStringLiteral("TIPO_RESOLUCION"), QStringLiteral("tip_res"));
        x.HijoCampo(QStringLiteral("TIPO_SUELO"), QStringLiteral("cat_suelo"));
        x.HijoCampo(QStringLiteral("TIPO_EROSION"), QStringLiteral("car_erosion"));
        x.CerrarNodo();

        // The works of each stand, stand by stand: soil recovery, then dunes.
        struct Obras
        {
            const char *tabla;
            const char *tipo;
            QList<std::pair<const char *, const char *>> obra;
        };
        const QList<Obras> obras = {
            {"adtZURI_car_rec_suelo", "10", {{"TIPO_OBRA", "obra"}, {"CANTIDAD", "cant"}, {"UNIDAD_MEDIDA", "unid"}, {"VALOR", "val"}}},
            {"adtZURI_car_est_duna", "20", {{"TIPO_OBRA", "act_ej"}, {"CANTIDAD", "cant"}, {"UNIDAD_MEDIDA", "unid"}}},
        };
        for (const Obras &o : obras) {
            Dataset *filas = cursores(tabla(QLatin1String(o.tabla)));
            const componentes::RegistrosPorClave deRodal(filas, QStringLiteral("num"));
            componentes::paraCadaRegistro(rodales, [&](int) {
                const Field *num = campo(rodales, QStringLiteral("num"));
                deRodal.paraCada(num ? num->Value() : QVariant(), [&](int) {
                    x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
                    x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QLatin1String(o.tipo));
                    x.Hijo(QStringLiteral("UNIDAD"), campo(filas, QStringLiteral("num")));
                    x.Hijo(QStringLiteral("RODAL"), campo(filas, QStringLiteral("num")));
                    x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
                    x.Hijo(QStringLiteral("SUPERFICIE"), campo(filas, QStringLiteral("sup")));
                    x.Hijo(QStringLiteral("ANO"), campo(filas, QStringLiteral("ano")));
                    x.AbrirNodo(QStringLiteral("OBRA"));
                    for (const auto &[tag, nombre] : o.obra)
                        x.Hijo(QLatin1String(tag), campo(filas, QLatin1String(nombre)));
                    x.CerrarNodo();
                    x.CerrarNodo();
                });
            });
        }

        x.AbrirNodo(QStringLiteral("ACTIVIDAD"), cursores(tabla(QStringLiteral("adtZURI_car_for"))));
        x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QStringLiteral("30"));
        x.HijoCampo(QStringLiteral("RODAL"), QStringLiteral("num"));
        x.HijoCampo(QStringLiteral("UNIDAD"), QStringLiteral("num"));
        x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
        for (const auto &[tag, nombre] : {std::pair{"SUPERFICIE", "sup_for"}, std::pair{"TOTAL", "sup_bon_total"},
                                          std::pair{"FORESTA_SUPERF_MENOR", "sup_bon_men_100_calc"},
                                          std::pair{"FORESTA_SUPERF_MAYOR", "sup_bon_may_100"}, std::pair{"ANO", "ano_plan"}})
            x.HijoCampo(QLatin1String(tag), QLatin1String(nombre));
        x.HijoCampo(QStringLiteral("ESPECIE"), QStringLiteral("esp"), tsmEspecieKELU);
        for (const auto &[tag, nombre] : {std::pair{"TIPO_PLANTA", "tip_planta"}, std::pair{"DENSIDAD_ANTES", "den_ini"},
                                          std::pair{"DENSIDAD", "den_actual"}, std::pair{"CERCOS", "cercos"},
                                          std::pair{"CERCOS_REPARA", "cerco_repara"}, std::pair{"SEGURO_FORESTAL", "seguro_for"},
                                          std::pair{"SUBSOLADO", "subsolado"}})
            x.HijoCampo(QLatin1String(tag), QLatin1String(nombre));
        x.CerrarNodo();

        x.Hijo(QStringLiteral("ESTUDIO_PRENDIMIENTO_METODO"), componentes::textoEdit(this, QStringLiteral("edt_met_mue")));
        // The date as its editor shows it (dd-mm-yyyy).
        const DBDateEdit *fecha = componentes::componente<DBDateEdit>(this, QStringLiteral("dte_fec_mue"));
        x.Hijo(QStringLiteral("ESTUDIO_PRENDIMIENTO_FECHA"), fecha ? fecha->text() : QString());

        // Per stand, its row of each study table found by its number (the tables may hold
        // them in another order); the samples follow the plot-size row made current.
        Dataset *parcelas = cursores(tabla(QStringLiteral("adtZURI_tam_num_par")));
        Dataset *muestras = cursores(tabla(QStringLiteral("adtZURI_ant_muest")));
        Dataset *estadistica = cursores(tabla(QStringLiteral("adtZURI_res_cal_est")));
        Dataset *plantacion = cursores(tabla(QStringLiteral("adtZURI_res_plan")));
        componentes::paraCadaRegistro(rodales, [&](int) {
            const QVariant num = campo(rodales, QStringLiteral("num")) ? rodales->FieldByName(QStringLiteral("num"))->Value() : QVariant();
            const auto fila = [&num](Dataset *ds) { return ds && ds->Active() && !num.isNull() && ds->Locate(QStringLiteral("num"), num); };
            x.AbrirNodo(QStringLiteral("ESTUDIO_PRENDIMIENTO"));
            if (fila(parcelas)) {
                x.Hijo(QStringLiteral("UNIDAD"), campo(parcelas, QStringLiteral("num")));
                x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
                x.Hijo(QStringLiteral("SUP_MEDIA"), campo(parcelas, QStringLiteral("sup")));
                x.Hijo(QStringLiteral("NRO_PARCELAS"), campo(parcelas, QStringLiteral("num_par")));
                componentes::paraCadaRegistro(muestras, [&](int) {
                    x.AbrirNodo(QStringLiteral("PARCELA"));
                    x.Hijo(QStringLiteral("NUMERO"), campo(muestras, QStringLiteral("num_parc")));
                    x.Hijo(QStringLiteral("PLANTAS_VIVAS"), campo(muestras, QStringLiteral("num_plan")));
                    x.CerrarNodo();
                });
            }
            if (fila(estadistica)) {
                for (const auto &[tag, nombre] : {std::pair{"MEDIA_MUESTREO", "media"}, std::pair{"DESV_STD", "desv"},
                                                  std::pair{"COEF_VAR", "coef"}, std::pair{"ERROR_STD", "err_std"},
                                                  std::pair{"ERROR_MUESTREO", "err_muest"}, std::pair{"NRO_PARCELAS", "num_parc"}})
                    x.Hijo(QLatin1String(tag), campo(estadistica, QLatin1String(nombre)));
                x.Hijo(QStringLiteral("T_STUDENT"), confianza(campo(estadistica, QStringLiteral("t_stud"))));
            }
            if (fila(plantacion)) {
                for (const auto &[tag, nombre] : {std::pair{"SUP_FORESTADA", "sup"}, std::pair{"DENSIDAD_INICIAL", "den_ini"},
                                                  std::pair{"DENSIDAD_REAL", "den_real"},
                                                  std::pair{"PORC_PRENDIMIENTO", "proc_pren_calc"}})
                    x.Hijo(QLatin1String(tag), campo(plantacion, QLatin1String(nombre)));
            }
            x.CerrarNodo();
        });
    });
}
