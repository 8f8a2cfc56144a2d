// The KELU part of the exchange file: the form, its signatory and the property with its
// stands, sectors, diagnosis, management units and their activities, roads and
// protection measures. What belongs to the request (its type code, date, signatory,
// rolls, owners, coordinates) comes from the DORVO form of the document and is left out
// when there is none.
#include "tformkelu.h"

#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "util_texto.h"
#include "xml/hijosxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;
using componentes::texto;

using hijosxml::columna;
using hijosxml::entradasDeLista;
using hijosxml::unidadRodalOSector;

// Writes the KELU part of the exchange file on the form's writer; one per PrepararXML.
// The cursors it moves are put back when it goes away.
class ExportacionKelu
{
public:
    ExportacionKelu(TFormKELU *form, TXML &xml, Dataset *ppal)
        : x(xml)
        , form(form)
        , ppal(cursores(ppal))
        , codPre(componentes::textoEdit(form, QStringLiteral("edt_cod_pre")))
    {
    }

    // The stands and the forestable sectors.
    void rodalesYSectores()
    {
        Dataset *rodales = cursores(componentes::tabla(form, QStringLiteral("desc")));
        componentes::paraCadaRegistro(rodales, [&](int) {
            x.AbrirNodo(QStringLiteral("RODAL"));
            x.Hijo(QStringLiteral("PRED_CODIGO"), codPre);
            x.Hijo(QStringLiteral("CODIGO"), campo(rodales, QStringLiteral("num")));
            x.Hijo(QStringLiteral("NUMERO"), campo(rodales, QStringLiteral("num")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(rodales, QStringLiteral("sup")));
            x.Hijo(QStringLiteral("ANO_PLANTACION"), campo(rodales, QStringLiteral("ano")));
            x.Hijo(QStringLiteral("ESPECIE"), campo(rodales, QStringLiteral("esp")), tsmEspecieKELU);
            x.Hijo(QStringLiteral("ESTADO_SANITARIO"), campo(rodales, QStringLiteral("est_san")));
            x.Hijo(QStringLiteral("CLASE_CAP_USO"), campo(rodales, QStringLiteral("cap")));
            x.Hijo(QStringLiteral("ANO_BONIFICACION"), campo(rodales, QStringLiteral("ano_bon")));
            x.CerrarNodo();
        });

        Dataset *sectores = cursores(componentes::tabla(form, QStringLiteral("det_sec")));
        componentes::paraCadaRegistro(sectores, [&](int) {
            x.AbrirNodo(QStringLiteral("SECTOR"));
            x.Hijo(QStringLiteral("CODIGO"), campo(sectores, QStringLiteral("num_sec")));
            x.Hijo(QStringLiteral("PRED_CODIGO"), codPre);
            x.Hijo(QStringLiteral("NUMERO"), campo(sectores, QStringLiteral("num_sec")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(sectores, QStringLiteral("sup")));
            x.Hijo(QStringLiteral("CLASE_CAP_USO"), campo(sectores, QStringLiteral("cap")));
            x.Hijo(QStringLiteral("NRO_RESOLUCION"), campo(sectores, QStringLiteral("num_res")));
            x.Hijo(QStringLiteral("TIPO_VEGETACION"), campo(sectores, QStringLiteral("tip_veg")),
                   columna(form, QStringLiteral("dbgKELU_det_sec"), QStringLiteral("tip_veg")));
            x.CerrarNodo();
        });
    }

    // Climate, physiography, hydrography, land use, fires, risk and restrictions.
    void diagnostico()
    {
        hijosxml::variablesClimaticas(x, form, cursores, QStringLiteral("n"), QStringLiteral("e"));

        Dataset *fisiografia = cursores(componentes::tabla(form, QStringLiteral("fis")));
        componentes::paraCadaRegistro(fisiografia, [&](int) {
            const auto col = [this](const QString &f) { return columna(form, QStringLiteral("dbgKELU_fis"), f); };
            x.AbrirNodo(QStringLiteral("FISIOGRAFIA"));
            unidadRodalOSector(x, fisiografia);
            x.Hijo(QStringLiteral("FORMAS"), campo(fisiografia, QStringLiteral("form")), col(QStringLiteral("form")));
            x.Hijo(QStringLiteral("PENDIENTE"), campo(fisiografia, QStringLiteral("pen")));
            x.Hijo(QStringLiteral("ALTITUD"), campo(fisiografia, QStringLiteral("alt")));
            x.Hijo(QStringLiteral("EXPOSICION"), campo(fisiografia, QStringLiteral("exp")));
            x.Hijo(QStringLiteral("POSICIONAMIENTO"), campo(fisiografia, QStringLiteral("pos")));
            x.CerrarNodo();
        });

        hijosxml::hidrografia(x, form, cursores);

        x.AbrirNodo(QStringLiteral("USOSUELO"), ppal);
        x.HijoCampo(QStringLiteral("PLANTACIONES"), QStringLiteral("uso_rec_pla"));
        x.HijoCampo(QStringLiteral("BOSQUE_NATIVO"), QStringLiteral("uso_rec_bos"));
        x.HijoCampo(QStringLiteral("FORESTABLES"), QStringLiteral("sue_for"));
        x.HijoCampo(QStringLiteral("REFORESTABLES"), QStringLiteral("sue_ref"));
        x.CerrarNodo();

        Dataset *incendios = cursores(componentes::tabla(form, QStringLiteral("ocu_inc")));
        componentes::paraCadaRegistro(incendios, [&](int) {
            x.AbrirNodo(QStringLiteral("INCENDIO"));
            x.Hijo(QStringLiteral("LUGAR"), campo(incendios, QStringLiteral("lug")));
            x.Hijo(QStringLiteral("UNIDAD"), campo(incendios, QStringLiteral("num")));
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(incendios, QStringLiteral("sup")));
            x.Hijo(QStringLiteral("ANO"), campo(incendios, QStringLiteral("ano")));
            x.Hijo(QStringLiteral("CAUSA"), campo(incendios, QStringLiteral("causa")));
            x.Hijo(QStringLiteral("ORIGEN"), campo(incendios, QStringLiteral("origen")));
            x.CerrarNodo();
        });

        if (Dataset *riesgos = cursores(componentes::tabla(form, QStringLiteral("det_mag"))); riesgos && riesgos->Active()) {
            x.AbrirNodo(QStringLiteral("RIESGO"), riesgos);
            x.HijoCampo(QStringLiteral("ZONA"), QStringLiteral("zona"));
            x.HijoCampo(QStringLiteral("MAGNITUD_RIESGO"), QStringLiteral("mag_riesgo"));
            x.HijoCampo(QStringLiteral("MAGNITUD_PELIGRO"), QStringLiteral("mag_pel"));
            x.HijoCampo(QStringLiteral("PRIORIDAD"), QStringLiteral("prior"));
            x.CerrarNodo();
    }

    if (Dataset *restricciones = cursores(componentes::tabla(form, QStringLiteral("rest_var"))); restricciones && restricciones->Active()) {
        x.AbrirNodo(QStringLiteral("RESTRICCION"), restricciones);
        x.HijoCampo(QStringLiteral("UNIDAD"), QStringLiteral("num"));
        x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
        x.HijoCampo(QStringLiteral("TOPOGRAFIA"), QStringLiteral("top"));
        x.HijoCampo(QStringLiteral("FLORA"), QStringLiteral("esp_flora"), tsmFlora);
        x.HijoCampo(QStringLiteral("FAUNA"), QStringLiteral("esp_fauna"), tsmFauna);
        x.HijoCampo(QStringLiteral("SUELO"), QStringLiteral("suelo"));
        x.HijoCampo(QStringLiteral("RECURSO_HIDRICO"), QStringLiteral("rec_hid"));
        x.CerrarNodo();
    }
    }

    // The management units with their activities.
    void unidades()
    {
        // The management units; the activities of a unit are the detail rows the unit's
        // record shows, and each activity's parameters the rows of the table of its class.
        Dataset *unidades = cursores(componentes::tabla(form, QStringLiteral("obj")));
        Dataset *actividades = cursores(componentes::tabla(form, QStringLiteral("desc_esq")));
        struct Parametros
        {
            const char *sufijo;
            int clase;
        };
        static const Parametros kParametros[] = {{"for", 30}, {"poda", 50}, {"ral", 60}, {"cor", 70}, {"ref", 90}};
        std::vector<Dataset *> tablasParametros;
        for (const Parametros &p : kParametros)
            tablasParametros.push_back(cursores(componentes::tabla(form, QString::fromLatin1(p.sufijo))));

        const auto parametrosDeClase = [&](int clase, const Dataset *ds) {
            const auto f = [ds](const char *nombre) { return campo(ds, QString::fromLatin1(nombre)); };
            switch (clase) {
            case 30:
                x.Hijo(QStringLiteral("DENSIDAD"), f("den"));
                x.Hijo(QStringLiteral("TIPO_PLANTA"), f("tip_planta"));
                break;
            case 50:
                x.Hijo(QStringLiteral("DENSIDAD"), f("den"));
                x.Hijo(QStringLiteral("NRO_ACTIVIDAD"), f("num_poda"));
                x.Hijo(QStringLiteral("PORC_ARBOLES_A"), f("arb_pod"));
                x.Hijo(QStringLiteral("ALTURA_PODA"), f("alt"));
                break;
            case 60:
                x.Hijo(QStringLiteral("NRO_ACTIVIDAD"), f("num_raleo"));
                x.Hijo(QStringLiteral("DENSIDAD"), f("den"));
                x.Hijo(QStringLiteral("AREA_BASAL"), f("ab"));
                x.Hijo(QStringLiteral("PORC_ARBOLES_A"), f("arb_ral"));
                x.Hijo(QStringLiteral("PORC_AB_A"), f("ab_ral"));
                break;
            case 70:
                x.Hijo(QStringLiteral("DENSIDAD"), f("den"));
                x.Hijo(QStringLiteral("TIME_CODIGO"), 7);
                x.Hijo(QStringLiteral("METODO_ACTIVIDAD"), f("met"), columna(form, QStringLiteral("dbgKELU_cor"), QStringLiteral("met")));
                x.Hijo(QStringLiteral("PORC_ARBOLES_A"), f("arb_cor"));
                x.Hijo(QStringLiteral("PORC_AB_A"), f("ab_cor"));
                break;
            case 90:
                x.Hijo(QStringLiteral("TIME_CODIGO"), 4);
                x.Hijo(QStringLiteral("METODO_ACTIVIDAD"), f("met"));
                x.Hijo(QStringLiteral("DENSIDAD"), f("den"));
                x.Hijo(QStringLiteral("TIPO_PLANTA"), f("tip_planta"));
                break;
            }
        };

        componentes::paraCadaRegistro(unidades, [&](int) {
            x.AbrirNodo(QStringLiteral("OBJETIVO_MANEJO"));
            x.Hijo(QStringLiteral("OBJETIVO"), campo(unidades, QStringLiteral("obj")));
            x.Hijo(QStringLiteral("UNIDAD"), campo(unidades, QStringLiteral("unidad")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(unidades, QStringLiteral("sup_tot")));
            entradasDeLista(x, QStringLiteral("RODAL"), campo(unidades, QStringLiteral("num")));
            entradasDeLista(x, QStringLiteral("SECTOR"), campo(unidades, QStringLiteral("num_sec")));
            const Field *unidad = campo(unidades, QStringLiteral("Id_obj"));
            const QVariant idObj = unidad ? unidad->Value() : QVariant();
            componentes::paraCadaRegistro(actividades, [&](int) {
                const Field *deUnidad = campo(actividades, QStringLiteral("Id_obj"));
                const Field *id = campo(actividades, QStringLiteral("Id_desc"));
                if (!deUnidad || !id || idObj.isNull() || deUnidad->Value() != idObj)
                    return;
                const QVariant idDesc = id->Value();
                for (std::size_t t = 0; t < tablasParametros.size(); ++t) {
                    Dataset *ds = tablasParametros[t];
                    componentes::paraCadaRegistro(ds, [&](int) {
                        const Field *deActividad = campo(ds, QStringLiteral("Id_desc"));
                        if (!deActividad || deActividad->Value() != idDesc)
                            return;
                        x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
                        x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
                        x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
                        x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), kParametros[t].clase);
                        x.Hijo(QStringLiteral("EDAD"), campo(actividades, QStringLiteral("edad")));
                        x.Hijo(QStringLiteral("PRESCRIPCION"), campo(actividades, QStringLiteral("pres")));
                        x.Hijo(QStringLiteral("SUTI_CODIGO"), 1);
                        x.Hijo(QStringLiteral("ESPECIE"), campo(ds, QStringLiteral("esp")), tsmEspecieKELU);
                        parametrosDeClase(kParametros[t].clase, ds);
                        x.CerrarNodo();
                    });
                }
            });
            x.CerrarNodo();
        });
    }

    // Roads and log yards.
    void caminos()
    {
        // A row may hold a road, a log yard or both.
        Dataset *caminos = cursores(componentes::tabla(form, QStringLiteral("plan_cam")));
        const Field *descCaminos = campo(ppal, QStringLiteral("desc_tec_cam"));
        const Field *descCanchas = campo(ppal, QStringLiteral("desc_tec_can"));
        componentes::paraCadaRegistro(caminos, [&](int) {
            if (!texto(campo(caminos, QStringLiteral("cam_id"))).isEmpty()) {
                x.AbrirNodo(QStringLiteral("CAMINO"));
                x.Hijo(QStringLiteral("IDENTIFICACION"), campo(caminos, QStringLiteral("cam_id")));
                x.Hijo(QStringLiteral("NUMERO"), campo(caminos, QStringLiteral("num_cam")));
                x.Hijo(QStringLiteral("LONGITUD"), campo(caminos, QStringLiteral("long")));
                x.Hijo(QStringLiteral("ANCHO"), campo(caminos, QStringLiteral("ancho")));
                x.Hijo(QStringLiteral("DESCRIPCION_TECNICA"), descCaminos);
                x.CerrarNodo();
            }
            if (!texto(campo(caminos, QStringLiteral("can_id"))).isEmpty()) {
                x.AbrirNodo(QStringLiteral("CANCHA"));
                x.Hijo(QStringLiteral("IDENTIFICACION"), campo(caminos, QStringLiteral("can_id")));
                x.Hijo(QStringLiteral("NUMERO"), campo(caminos, QStringLiteral("num_can")));
                x.Hijo(QStringLiteral("SUPERFICIE"), campo(caminos, QStringLiteral("sup")));
                x.Hijo(QStringLiteral("DESCRIPCION_TECNICA"), descCanchas);
                x.CerrarNodo();
            }
        });
    }

    // The protection measures of the environment and of the forest.
    void proteccion()
    {
        Dataset *medidas = cursores(componentes::tabla(form, QStringLiteral("mepr")));
        componentes::paraCadaRegistro(medidas, [&](int recNo) {
            x.AbrirNodo(QStringLiteral("MEDIDA_PROTECCION"));
            unidadRodalOSector(x, medidas);
            x.Hijo(QStringLiteral("MEPR_CODIGO"), recNo);
            x.Hijo(QStringLiteral("TIPO_RESTRICCION"), campo(medidas, QStringLiteral("tip_rest")));
            x.Hijo(QStringLiteral("DESCRIPCION"), campo(medidas, QStringLiteral("med_prot")));
            x.CerrarNodo();
        });

        x.AbrirNodo(QStringLiteral("PROTECCION_RECURSO"));
        x.Hijo(QStringLiteral("PLAGA_MEDIDA_PREVENCION"), componentes::textoMemo(form, QStringLiteral("mem_mepr_plag")));
        x.Hijo(QStringLiteral("PLAGA_MEDIDA_CONTROL"), componentes::textoMemo(form, QStringLiteral("mem_meco_plag")));
        x.Hijo(QStringLiteral("INCENDIO_MEDIDA_PREVENCION"), componentes::textoMemo(form, QStringLiteral("mem_mepr_inc")));
        x.Hijo(QStringLiteral("INCENDIO_MEDIDA_CONTROL"), componentes::textoMemo(form, QStringLiteral("mem_meco_inc")));
        x.CerrarNodo();
    }

private:
    componentes::CursoresGuardados cursores;
    TXML &x;
    TFormKELU *form;
    Dataset *ppal;
    QString codPre;
};

} // namespace

QByteArray TFormKELU::PrepararXML()
{
    Dataset *ppal = componentes::tabla(this, QString());
    if (!XML || !ppal || !ppal->Active())
        return {};
    XML->Limpiar();
    {
        ExportacionKelu exportacion(this, *XML, ppal);
        NodosPredioXML::Encabezado(*XML, this, ppal);
        exportacion.rodalesYSectores();
        exportacion.diagnostico();
        exportacion.unidades();
        exportacion.caminos();
        exportacion.proteccion();
    }
    XML->CerrarNodo(); // PREDIO
    XML->CerrarNodo(); // FORMULARIO
    return XML->Texto();
}
