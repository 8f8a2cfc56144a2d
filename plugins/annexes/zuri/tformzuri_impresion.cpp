// The ZURI printout: the annex head and the property of the FERUN request, the bonus
// payment, the resolutions, the soil-recovery and dune works, the stands and their
// forestation, the establishment study with each stand's samples, what the maps must show,
// the signer's line and the closing signatures of the request.
#include "tformzuri.h"

#include "acreditacionferun.h"
#include "dbdateedit.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"

namespace {

const char *const kPlanos = R"(# IX. PLANOS
Deberá acompañarse un plano que indicará antecedentes administrativos, límite predial, límites de capacidades de uso de los terrenos calificados de aptitud preferentemente forestal o reconocidos como degradados, delimitación de los sectores en que se realizaron actividades de recuperación de suelos según categorías de erosión, superficie forestada en pendientes inferiores a 100% y superiores a 100%, cuando corresponda.
La escala a utilizar en la confección del plano deberá ser 1 : 20.000, excepto en predios menores a 50 ha en los que la escala a utilizar será 1 : 10.000.
Se deberá consignar la fecha de elaboración el nombre y firma del (de la) autor(a) del estudio, propietario(a) y/o cesionario(a) cuando corresponda )";

} // namespace

void TFormZURI::ComponerImpresion(TImpresion *impresion)
{
    ImprimirConCierre(this, impresion, QStringLiteral("ferun"), [this, impresion] {
        OpcionesEncabezado cabeza;
        cabeza.dosLf = true;
        ImprimirEncabezado(impresion, DirAplicacion, componentes::codigoDe(this), cabeza);
        ImpresionFormulario p(this, impresion);
        p.portada(QStringLiteral("ESTUDIO TECNICO DE ACREDITACION DE EJECUCION\nDE ACTIVIDADES DE FORESTACIÓN Y DE "
                                 "ACTIVIDADES DE\nRECUPERACIÓN DE SUELOS DEGRADADOS O DE\nESTABILIZACION DE DUNAS, "
                                 "CUANDO CORRESPONDA"),
                  CajaRecepcion::Fija);
        p.antecedentesGenerales();
        AcreditacionFerun::ImprimirBonificacion(p);
        const QList<std::pair<const char *, const char *>> secciones = {
            {"III. ANTECEDENTES DE LAS RESOLUCIONES", "ant_resol"},
            {"IV. CARACTERISTICAS DE LA RECUPERACION DE SUELOS DEGRADADOS", "car_rec_suelo"},
            {"V. CARACTERISTICAS DE LA ESTABILIZACION DE DUNAS", "car_est_duna"},
            {"VI. SECTORES FORESTADOS", "sec_for"},
            {"VII. CARACTERISTICAS DE LA FORESTACION", "car_for"},
        };
        for (const auto &[titulo, grilla] : secciones) {
            p.subtitulo(QLatin1String(titulo));
            p.tabla(QStringLiteral("dbgZURI_") + QLatin1String(grilla));
            impresion->Seccion();
        }
        p.subtitulo(QStringLiteral("Observaciones:"));
        p.campo<const DBMemo *>(QString(), componentes::componente<DBMemo>(this, QStringLiteral("mem_act_for_obs")));
        impresion->Seccion();

        p.subtitulo(QStringLiteral("VIII. ESTUDIO DE PRENDIMIENTO DE LA FORESTACION"));
        p.campo<const DBEdit *>(QStringLiteral("Método de muestreo : "), componentes::componente<DBEdit>(this, QStringLiteral("edt_met_mue")));
        p.campo<const DBDateEdit *>(QStringLiteral("Fecha de muestreo  : "),
                                    componentes::componente<DBDateEdit>(this, QStringLiteral("dte_fec_mue")));
        p.texto(QStringLiteral("Tamaño y número de parcelas:"));
        p.tabla(QStringLiteral("dbgZURI_tam_num_par"));
        impresion->Seccion();
        // Each stand's plot-size row made current, so that the samples grid shows its samples.
        Dataset *parcelas = p.cursores()(tabla(QStringLiteral("adtZURI_tam_num_par")));
        componentes::paraCadaRegistro(parcelas, [&](int) {
            p.texto(QStringLiteral("Antecedentes de muestreo de Rodal \"%1\":")
                        .arg(componentes::texto(parcelas->FieldByName(QStringLiteral("num")))));
            p.tabla(QStringLiteral("dbgZURI_ant_muest"));
            impresion->Seccion();
        });
        p.texto(QStringLiteral("Resultado cálculos estadísticos:"));
        p.tabla(QStringLiteral("dbgZURI_res_cal_est"));
        p.texto(QStringLiteral("Resultados de la plantación:"));
        p.tabla(QStringLiteral("dbgZURI_res_plan"));
        impresion->Seccion();

        p.textoFijo(QString::fromUtf8(kPlanos));
        AcreditacionFerun::LineaFirmante(p);
    });
}
