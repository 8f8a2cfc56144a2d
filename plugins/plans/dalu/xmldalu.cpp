// The DALU part of the exchange file: the form, its signatory and the property with its
// own leaves and protection measures, then the climate, the stands with their diameter
// classes, the natural setting, the objectives with their activities and criteria, the
// non-silvicultural activities and the inventory of each stand. What belongs to the
// request (its type code, date, signatory, rolls, owners, coordinates) comes from the
// DORVO form of the document and is left out when there is none.
//
// Rows of different tables that belong together are paired by their keys (the stand's
// number, the climatic variable, the class bounds), never by their positions: the tables
// are sorted and edited apart.
#include "tformdalu.h"

#include "componentesformulario.h"
#include "connection.h"
#include "predio/nodospredioxml.h"
#include "util_bbdd.h"
#include "util_texto.h"
#include "xml/hijosxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;
using componentes::texto;

using hijosxml::columna;
using hijosxml::entradasDeLista;

// Writes the DALU part of the exchange file on the form's writer; one per PrepararXML.
// The cursors it moves are put back when it goes away.
class ExportacionDalu
{
public:
    ExportacionDalu(TFormDALU *form, TXML &xml, Dataset *ppal)
        : x(xml)
        , form(form)
        , ppal(ppal)
    {
        // Masters before their details: putting a stand back re-reads its stand table.
        for (const char *s : {"car", "tab_rod", "tab_rod_det", "est_var", "obj", "crit", "desc", "desc_det", "prescripcion",
                              "inventario", "inv_parcela", "parcela", "car_inv"})
            tabla(s);
    }

    // PREDIO's own leaves, after PRED_ESTADO.
    void hojasPredio(TXML &)
    {
        x.Hijo(QStringLiteral("CTAPF_CARACT_SUELO"), campo(ppal, QStringLiteral("car_sue")));
        x.Hijo(QStringLiteral("CTAPF_FACTOR_LIMITANTE"), campo(ppal, QStringLiteral("fac_lim")));
        x.Hijo(QStringLiteral("DESC_PROBLEMA_SANIDAD"), campo(ppal, QStringLiteral("des_pro_san")));
        x.Hijo(QStringLiteral("TIPO_MUESTREO_GENERAL"), textoCombo("lcb_lumo_tip_mue"));
        x.Hijo(QStringLiteral("FORMA_PARCELAS_GENERAL"), textoCombo("lcb_lumo_form_parc"));
        x.Hijo(QStringLiteral("TAMANO_PARCELAS_GENERAL"), componentes::textoEdit(form, QStringLiteral("edt_lumo_tam_parc")));
        x.Hijo(QStringLiteral("TIPO_MUESTREO_REGEN"), textoCombo("lcb_reg_tip_mue"));
        x.Hijo(QStringLiteral("FORMA_PARCELAS_REGEN"), textoCombo("lcb_reg_form_parc"));
        x.Hijo(QStringLiteral("TAMANO_PARCELAS_REGEN"), componentes::textoEdit(form, QStringLiteral("edt_reg_tam_parc")));
    }

    // The protection measures, right after the owners.
    void proteccion(TXML &)
    {
        x.AbrirNodo(QStringLiteral("PROTECCION_RECURSO"));
        x.Hijo(QStringLiteral("PLAGA_MEDIDA_PREVENCION"), campo(ppal, QStringLiteral("mepr_plag")));
        x.Hijo(QStringLiteral("PLAGA_MEDIDA_CONTROL"), campo(ppal, QStringLiteral("meco_plag")));
        x.Hijo(QStringLiteral("INCENDIO_MEDIDA_PREVENCION"), campo(ppal, QStringLiteral("mepr_inc")));
        x.Hijo(QStringLiteral("INCENDIO_MEDIDA_CONTROL"), campo(ppal, QStringLiteral("meco_inc")));
        x.CerrarNodo();
    }

    void clima() { hijosxml::variablesClimaticas(x, form, cursores, QStringLiteral("n"), QStringLiteral("e"), QStringLiteral("uni")); }

    void rodales()
    {
        Dataset *rodales = tabla("car");
        Dataset *cualitativa = tabla("des_cua");
        Dataset *muestreo = tabla("res_mue");
        Dataset *regeneracion = tabla("car_reg");
        Dataset *general = tabla("res_gral");
        Dataset *resumen = tabla("res_inv");
        Dataset *tablaRodal = tabla("tab_rod");
        componentes::paraCadaRegistro(rodales, [&](int) {
            const Field *num = campo(rodales, QStringLiteral("num"));
            const auto f = [rodales](const char *n) { return campo(rodales, QLatin1String(n)); };
            x.AbrirNodo(QStringLiteral("RODAL"));
            x.Hijo(QStringLiteral("CODIGO"), num);
            x.Hijo(QStringLiteral("NUMERO"), num);
            x.Hijo(QStringLiteral("SUPERFICIE"), f("sup"));
            x.Hijo(QStringLiteral("ALTURA_MEDIA"), f("altitud"));
            x.Hijo(QStringLiteral("EXPOSICION"), f("exp"));
            x.Hijo(QStringLiteral("PENDIENTE_MEDIA"), f("pen_pre"));
            x.Hijo(QStringLiteral("PENDIENTE"), f("pen_max"));
            x.Hijo(QStringLiteral("CLASE_CAP_USO"), f("cap_uso"));
            x.Hijo(QStringLiteral("CARACT_SUELO_SERIE"), f("nom_ser"));
            x.Hijo(QStringLiteral("CARACT_SUELO_FORMULA"), f("for"));
            if (delRodal(cualitativa, num)) {
                // The agency codes the forest type by its tens.
                if (const Field *tipo = campo(cualitativa, QStringLiteral("tip_for")); tipo && !tipo->IsNull())
                    x.Hijo(QStringLiteral("TIPO_FORESTAL"), tipo->AsInteger() / 10 * 10);
                x.Hijo(QStringLiteral("ESPECIE"), campo(cualitativa, QStringLiteral("esp_dom")), tsmEspecie);
                x.Hijo(QStringLiteral("ESPECIE_ARBUSTIVA"), campo(cualitativa, QStringLiteral("esp_arb")), tsmEspecie);
                x.Hijo(QStringLiteral("ESTADO_SANITARIO"), campo(cualitativa, QStringLiteral("est_san")));
                x.Hijo(QStringLiteral("ESTADO_DESARROLLO"), campo(cualitativa, QStringLiteral("est_des")));
                x.Hijo(QStringLiteral("ESTRUCTURA"), campo(cualitativa, QStringLiteral("estr")));
            }
            if (delRodal(muestreo, num)) {
                static const std::pair<const char *, const char *> kMuestreo[] = {
                    {"DENSIDAD", "num_arb_med"},        {"AREA_BASAL", "are_bas_med"},    {"DENSIDAD_DEVSTD", "num_arb_desv"},
                    {"AREA_BASAL_DEVSTD", "are_bas_desv"}, {"DENSIDAD_VAR", "num_arb_var"}, {"AREA_BASAL_VAR", "are_bas_var"},
                    {"DENSIDAD_COEF", "num_arb_coef"},  {"AREA_BASAL_COEF", "are_bas_coef"}, {"DENSIDAD_ERROR", "num_arb_err"},
                    {"AREA_BASAL_ERROR", "area_bas_err"}, {"NRO_UNIDAD_MUESTREO", "num_uni"}};
                hijos(muestreo, kMuestreo);
            }
            if (delRodal(regeneracion, num)) {
                static const std::pair<const char *, const char *> kRegeneracion[] = {
                    {"ORIGEN", "origen"}, {"FREC_MENOR_50", "men_50"}, {"FREC_ENTRE_50_100", "f50_100"}, {"FREC_ENTRE_100_200", "f100_200"}};
                hijos(regeneracion, kRegeneracion);
            }
            // The stand table follows the stand (a detail of it).
            const bool conTabla = tablaRodal && tablaRodal->Active() && !tablaRodal->IsEmpty();
            if (conTabla) {
                x.Hijo(QStringLiteral("ESP1"), campo(tablaRodal, QStringLiteral("esp1")));
                x.Hijo(QStringLiteral("ESP2"), campo(tablaRodal, QStringLiteral("esp2")));
                x.Hijo(QStringLiteral("ESP3"), campo(tablaRodal, QStringLiteral("esp3")));
                x.Hijo(QStringLiteral("ESPO"), campo(tablaRodal, QStringLiteral("esps")), tsmEspecie);
            }
            if (delRodal(general, num))
                x.Hijo(QStringLiteral("VOLBRUTO"), campo(general, QStringLiteral("vol")));
            if (delRodal(resumen, num)) {
                static const std::pair<const char *, const char *> kResumen[] = {
                    {"ESP1_DENSIDAD_TOTAL", "esp1_den"},   {"ESP2_DENSIDAD_TOTAL", "esp2_den"},   {"ESP3_DENSIDAD_TOTAL", "esp3_den"},
                    {"ESPO_DENSIDAD_TOTAL", "otra_den"},   {"ESP1_AREABASAL_TOTAL", "esp1_ab"},   {"ESP2_AREABASAL_TOTAL", "esp2_ab"},
                    {"ESP3_AREABASAL_TOTAL", "esp3_ab"},   {"ESPO_AREABASAL_TOTAL", "otra_ab"},   {"ESP1_VOLBRUTO_TOTAL", "esp1_vol"},
                    {"ESP2_VOLBRUTO_TOTAL", "esp2_vol"},   {"ESP3_VOLBRUTO_TOTAL", "esp3_vol"},   {"ESPO_VOLBRUTO_TOTAL", "otra_vol"}};
                hijos(resumen, kResumen);
            }
            if (conTabla)
                clasesDiametro();
            x.CerrarNodo();
        });
    }

    // Physiography to the restrictions.
    void medioNatural()
    {
        Dataset *fisiografia = tabla("fis");
        componentes::paraCadaRegistro(fisiografia, [&](int) {
            x.AbrirNodo(QStringLiteral("FISIOGRAFIA"));
            x.Hijo(QStringLiteral("UNIDAD"), campo(fisiografia, QStringLiteral("num")));
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("FORMAS"), campo(fisiografia, QStringLiteral("for")),
                   columna(form, QStringLiteral("dbgDALU_fis"), QStringLiteral("for")));
            x.Hijo(QStringLiteral("POSICIONAMIENTO"), campo(fisiografia, QStringLiteral("pos")));
            x.CerrarNodo();
        });

        Dataset *hidrografia = tabla("hid");
        componentes::paraCadaRegistro(hidrografia, [&](int) {
            x.AbrirNodo(QStringLiteral("HIDROGRAFIA"));
            x.Hijo(QStringLiteral("UNIDAD"), campo(hidrografia, QStringLiteral("num")));
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("MASAS"), campo(hidrografia, QStringLiteral("mas")),
                   columna(form, QStringLiteral("dbgDALU_hid"), QStringLiteral("mas")));
            x.Hijo(QStringLiteral("TEMPORALIDAD"), campo(hidrografia, QStringLiteral("tmp")));
            x.Hijo(QStringLiteral("DISTANCIA"), campo(hidrografia, QStringLiteral("dis")));
            x.Hijo(QStringLiteral("ANCHO_MAX"), campo(hidrografia, QStringLiteral("anc")));
            x.CerrarNodo();
        });

        Dataset *flora = tabla("flo");
        componentes::paraCadaRegistro(flora, [&](int) {
            x.AbrirNodo(QStringLiteral("FLORA"));
            x.Hijo(QStringLiteral("ESPECIE"), campo(flora, QStringLiteral("esp")));
            x.Hijo(QStringLiteral("CAT_CONSERVACION"), campo(flora, QStringLiteral("cat")));
            x.Hijo(QStringLiteral("DENSIDAD"), campo(flora, QStringLiteral("den")));
            entradasDeLista(x, QStringLiteral("RODAL"), campo(flora, QStringLiteral("rod")));
            x.CerrarNodo();
        });

        Dataset *fauna = tabla("fau");
        componentes::paraCadaRegistro(fauna, [&](int) {
            x.AbrirNodo(QStringLiteral("FAUNA"));
            x.Hijo(QStringLiteral("CAT_CONSERVACION"), campo(fauna, QStringLiteral("cat")));
            x.Hijo(QStringLiteral("ESPECIE"), campo(fauna, QStringLiteral("esp")));
            x.CerrarNodo();
        });

        Dataset *incendios = tabla("ocu_inc");
        componentes::paraCadaRegistro(incendios, [&](int) {
            static const std::pair<const char *, const char *> kIncendio[] = {
                {"LUGAR", "lug"}, {"SUPERFICIE", "sup"}, {"ANO", "ano"}, {"CAUSA", "causa"}, {"ORIGEN", "origen"}};
            x.AbrirNodo(QStringLiteral("INCENDIO"));
            hijos(incendios, kIncendio);
            x.CerrarNodo();
        });

        Dataset *riesgos = tabla("mag_inc");
        componentes::paraCadaRegistro(riesgos, [&](int) {
            static const std::pair<const char *, const char *> kRiesgo[] = {
                {"ZONA", "zona"}, {"MAGNITUD_RIESGO", "mag_rie"}, {"MAGNITUD_PELIGRO", "mag_pel"}, {"VALOR_DANO", "val"}, {"PRIORIDAD", "pri"}};
            x.AbrirNodo(QStringLiteral("RIESGO"));
            hijos(riesgos, kRiesgo);
            x.CerrarNodo();
        });

        Dataset *restricciones = tabla("rest");
        componentes::paraCadaRegistro(restricciones, [&](int) {
            static const std::pair<const char *, const char *> kRestriccion[] = {
                {"UNIDAD", "num"}, {"TOPOGRAFIA", "topo"}, {"SUELO", "sue"}, {"FLORA", "flora"},
                {"FAUNA", "fauna"}, {"PAISAJE", "pais"}, {"OTROS", "otros"}};
            x.AbrirNodo(QStringLiteral("RESTRICCION_BN"));
            hijos(restricciones, kRestriccion);
            x.CerrarNodo();
        });
    }

    // The objectives, each with its activities and then its criteria; the activities,
    // criteria, justification and prescriptions are details that follow the objective.
    void objetivos()
    {
        Dataset *objetivos = tabla("obj");
        Dataset *criterios = tabla("crit");
        Dataset *descripcion = tabla("desc");
        Dataset *actividades = tabla("desc_det");
        componentes::paraCadaRegistro(objetivos, [&](int) {
            const Field *rodales = campo(objetivos, QStringLiteral("num"));
            x.AbrirNodo(QStringLiteral("OBJETIVO_MANEJO"));
            x.Hijo(QStringLiteral("OBJETIVO"), campo(objetivos, QStringLiteral("obj")));
            x.Hijo(QStringLiteral("ESTRUCTURA"), campo(objetivos, QStringLiteral("estr")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(objetivos, QStringLiteral("sup")));
            entradasDeLista(x, QStringLiteral("RODAL"), rodales);
            if (descripcion && descripcion->Active() && !descripcion->IsEmpty())
                x.Hijo(QStringLiteral("PROGRAMA_OBS"), campo(descripcion, QStringLiteral("jus")));
            componentes::paraCadaRegistro(actividades, [&](int) { actividad(actividades); });
            x.CerrarNodo();

            componentes::paraCadaRegistro(criterios, [&](int) {
                x.AbrirNodo(QStringLiteral("CRITERIO_TRATAMIENTO"));
                entradasDeLista(x, QStringLiteral("RODAL"), rodales);
                x.Hijo(QStringLiteral("EDAD_DIAMETRO"), campo(criterios, QStringLiteral("edad")));
                x.Hijo(QStringLiteral("INCREMENTO"), campo(criterios, QStringLiteral("inc")));
                x.Hijo(QStringLiteral("VOLUMEN"), campo(criterios, QStringLiteral("vol")));
                x.Hijo(QStringLiteral("METODO_REGENERACION"), campo(criterios, QStringLiteral("met")));
                x.Hijo(QStringLiteral("ESPECIE"), campo(criterios, QStringLiteral("esp")), tsmEspecie);
                x.CerrarNodo();
            });
        });

        Dataset *noSilvicolas = tabla("act_nosil");
        componentes::paraCadaRegistro(noSilvicolas, [&](int) {
            x.AbrirNodo(QStringLiteral("NO_SILVICOLA"));
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), campo(noSilvicolas, QStringLiteral("act")));
            x.Hijo(QStringLiteral("TECNICA"), campo(noSilvicolas, QStringLiteral("car_tec")));
            x.CerrarNodo();
        });
    }

    // One study per stand, in stand order, with the stand's own inventory and sampling
    // results (found by the stand's number) and the codes stored for the sampling design.
    void inventario()
    {
        Dataset *rodales = tabla("car");
        Dataset *inventarios = tabla("inventario");
        Dataset *parcelas = tabla("inv_parcela");
        Dataset *arboles = tabla("parcela");
        Dataset *muestreo = tabla("res_mue");
        Dataset *caracteristicas = tabla("car_inv");
        const bool conCaracteristicas = caracteristicas && caracteristicas->Active() && !caracteristicas->IsEmpty();
        componentes::paraCadaRegistro(rodales, [&](int) {
            const Field *num = campo(rodales, QStringLiteral("num"));
            const bool conInventario = delRodal(inventarios, num);
            x.AbrirNodo(QStringLiteral("ESTUDIO_PRENDIMIENTO"));
            x.Hijo(QStringLiteral("UNIDAD"), num);
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            if (conCaracteristicas)
                x.Hijo(QStringLiteral("DISENO_INVENTARIO"), campo(caracteristicas, QStringLiteral("lumo_tip_mue")));
            if (conInventario)
                x.Hijo(QStringLiteral("TIPO_PARCELA"), campo(inventarios, QStringLiteral("tip_parc")));
            if (conCaracteristicas)
                x.Hijo(QStringLiteral("FORMA_PARCELA"), campo(caracteristicas, QStringLiteral("lumo_form_parc")));
            if (conInventario) {
                x.Hijo(QStringLiteral("SUP_MEDIA"), campo(inventarios, QStringLiteral("mag")));
                x.Hijo(QStringLiteral("NRO_PARCELAS"), campo(inventarios, QStringLiteral("num_parc")));
                // The plots follow the inventory, the trees their plot.
                componentes::paraCadaRegistro(parcelas, [&](int) {
                    componentes::paraCadaRegistro(arboles, [&](int) {
                        x.AbrirNodo(QStringLiteral("PARCELA"));
                        x.Hijo(QStringLiteral("NUMERO"), campo(parcelas, QStringLiteral("id_parc")));
                        x.Hijo(QStringLiteral("ESPECIE"), campo(arboles, QStringLiteral("esp")));
                        x.Hijo(QStringLiteral("DAP"), campo(arboles, QStringLiteral("dap")));
                        x.CerrarNodo();
                    });
                });
            }
            if (delRodal(muestreo, num)) {
                static const std::pair<const char *, const char *> kResultados[] = {{"MEDIA_MUESTREO", "num_arb_med"},
                                                                                   {"DESV_STD", "num_arb_desv"},
                                                                                   {"COEF_VAR", "num_arb_coef"},
                                                                                   {"ERROR_MUESTREO", "num_arb_err"}};
                hijos(muestreo, kResultados);
            }
            x.Hijo(QStringLiteral("T_STUDENT"), QStringLiteral("95"));
            x.CerrarNodo();
        });
    }

private:
    // Every table read is put back where it stood.
    Dataset *tabla(const char *sufijo) { return cursores(componentes::tabla(form, QLatin1String(sufijo))); }

    QString textoCombo(const char *nombre) const
    {
        const DBLookupComboBox *c = componentes::componente<DBLookupComboBox>(form, QLatin1String(nombre));
        return c ? c->currentText() : QString();
    }

    // Puts `ds` on the row of the stand `num`; false when it has none.
    static bool delRodal(Dataset *ds, const Field *num)
    {
        return ds && ds->Active() && num && !num->IsNull() && ds->Locate(QStringLiteral("num"), num->Value());
    }

    template <std::size_t N>
    void hijos(const Dataset *ds, const std::pair<const char *, const char *> (&lista)[N])
    {
        for (const auto &[tag, nombre] : lista)
            x.Hijo(QLatin1String(tag), campo(ds, QLatin1String(nombre)));
    }

    // One CLASE_DIAMETRO per row of the current stand table; the class's estimated
    // variables are the row with the same bounds, when there is one.
    void clasesDiametro()
    {
        Dataset *clases = tabla("tab_rod_det");
        Dataset *estimadas = tabla("est_var");
        componentes::paraCadaRegistro(clases, [&](int) {
            const Field *menor = campo(clases, QStringLiteral("clas_men"));
            const Field *mayor = campo(clases, QStringLiteral("clas_may"));
            x.AbrirNodo(QStringLiteral("CLASE_DIAMETRO"));
            x.Hijo(QStringLiteral("CLASE"), texto(menor) + QLatin1Char('-') + texto(mayor));
            static const std::pair<const char *, const char *> kClase[] = {
                {"ESP1_DENSIDAD", "esp1_den"}, {"ESP1_AREABASAL", "esp1_area"}, {"ESP1_VOLBRUTO", "esp1_vol"},
                {"ESP2_DENSIDAD", "esp2_den"}, {"ESP2_AREABASAL", "esp2_area"}, {"ESP2_VOLBRUTO", "esp2_vol"},
                {"ESP3_DENSIDAD", "esp3_den"}, {"ESP3_AREABASAL", "esp3_area"}, {"ESP3_VOLBRUTO", "esp3_vol"},
                {"ESPO_DENSIDAD", "otra_den"}, {"ESPO_AREABASAL", "otra_area"}, {"ESPO_VOLBRUTO", "otra_vol"}};
            hijos(clases, kClase);
            if (menor && mayor && !menor->IsNull() && !mayor->IsNull() && estimadas && estimadas->Active()
                && estimadas->Locate(QStringLiteral("clas_men;clas_may"), {menor->Value(), mayor->Value()})) {
                static const std::pair<const char *, const char *> kFin[] = {
                    {"ESP1_DENSIDAD_FIN", "esp1_den"}, {"ESP1_AREABASAL_FIN", "esp1_ab"}, {"ESP2_DENSIDAD_FIN", "esp2_den"},
                    {"ESP2_AREABASAL_FIN", "esp2_ab"}, {"ESP3_DENSIDAD_FIN", "esp3_den"}, {"ESP3_AREABASAL_FIN", "esp3_ab"},
                    {"ESPO_DENSIDAD_FIN", "otra_den"}, {"ESPO_AREABASAL_FIN", "otra_ab"}};
                hijos(estimadas, kFin);
            }
            x.CerrarNodo();
        });
    }

    // The agency's class of a silvicultural activity (40 intermediate cut, 50 pruning, 80
    // regeneration cut, 90 reforestation, 130 establishing the regeneration); 0 unknown.
    int claseActividad(const Field *act) const
    {
        if (!act || act->IsNull() || !form->ConexionBDPpal || !form->ConexionBDPpal->isOpen())
            return 0;
        const QueryResult r = form->ConexionBDPpal->select(
            QStringLiteral("SELECT tiac_codigo FROM tipoactividad_bn WHERE tabn_codigo = ?"), {act->Value()});
        return r.rows.isEmpty() ? 0 : r.rows.first().value(0).toInt();
    }

    void actividad(Dataset *actividades)
    {
        const Field *id = campo(actividades, QStringLiteral("Id_desc_det"));
        x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
        x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
        x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
        x.Hijo(QStringLiteral("CONDICION_ESTIMADA"), campo(actividades, QStringLiteral("cond")));
        // The prescription follows its activity.
        if (Dataset *prescripcion = tabla("prescripcion"); prescripcion && prescripcion->Active() && !prescripcion->IsEmpty())
            x.Hijo(QStringLiteral("PRESCRIPCION"), campo(prescripcion, QStringLiteral("pres")));

        const int clase = claseActividad(campo(actividades, QStringLiteral("act")));
        const char *sufijo = clase == 40 ? "cor_int" : clase == 50 ? "pod" : clase == 80 ? "cor_reg" : clase == 90 ? "reg_ref"
                                                                                                  : clase == 130 ? "est_reg" : nullptr;
        Dataset *ds = sufijo ? tabla(sufijo) : nullptr;
        if (id && !id->IsNull() && ds && ds->Active() && ds->Locate(QStringLiteral("Id_desc_det"), id->Value()))
            parametros(clase, ds);
        x.CerrarNodo();
    }

    void parametros(int clase, const Dataset *ds)
    {
        const auto f = [ds](const char *n) { return campo(ds, QLatin1String(n)); };
        if (clase == 40)
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), texto(f("tip_cor")) == QLatin1String("10") ? 60 : 40);
        else
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), clase);
        x.Hijo(QStringLiteral("SUTI_CODIGO"), 0);
        x.Hijo(QStringLiteral("ESPECIE"), f(clase == 80 ? "esp_fav" : "esp"), tsmEspecie);
        switch (clase) {
        case 40:
            x.Hijo(QStringLiteral("DENSIDAD"), f("ant_den"));
            x.Hijo(QStringLiteral("AREA_BASAL"), f("ant_ab"));
            x.Hijo(QStringLiteral("NRO_ACTIVIDAD"), f("num_raleo"));
            x.Hijo(QStringLiteral("PORC_ARBOLES_A"), f("res_den"));
            x.Hijo(QStringLiteral("PORC_AB_A"), f("res_ab"));
            x.Hijo(QStringLiteral("TIPO_CORTA"), f("tip_cor"));
            break;
        case 50:
            x.Hijo(QStringLiteral("DENSIDAD"), f("den_tot"));
            x.Hijo(QStringLiteral("NRO_ACTIVIDAD"), f("num_poda"));
            x.Hijo(QStringLiteral("PORC_ARBOLES_A"), f("den_pod"));
            x.Hijo(QStringLiteral("ALTURA_PODA"), f("alt"));
            break;
        case 80:
            x.Hijo(QStringLiteral("DENSIDAD"), f("den_ant"));
            x.Hijo(QStringLiteral("AREA_BASAL"), f("ab_ant"));
            x.Hijo(QStringLiteral("PORC_ARBOLES_A"), f("den_res"));
            x.Hijo(QStringLiteral("PORC_AB_A"), f("ab_res"));
            x.Hijo(QStringLiteral("TIME_CODIGO"), 7);
            x.Hijo(QStringLiteral("METODO_ACTIVIDAD"), f("met"), columna(form, QStringLiteral("dbgDALU_cor_reg"), QStringLiteral("met")));
            break;
        case 90:
            x.Hijo(QStringLiteral("DENSIDAD"), f("den"));
            x.Hijo(QStringLiteral("TIPO_PLANTA"), f("tip_planta"));
            x.Hijo(QStringLiteral("METODO_ACTIVIDAD"), f("met"));
            x.Hijo(QStringLiteral("TIME_CODIGO"), 4);
            break;
        case 130:
            x.Hijo(QStringLiteral("ACT_PREPARATORIA"), f("act"));
            break;
        }
    }

    componentes::CursoresGuardados cursores;
    TXML &x;
    TFormDALU *form;
    Dataset *ppal;
};

} // namespace

QByteArray TFormDALU::PrepararXML()
{
    Dataset *ppal = componentes::tabla(this, QString());
    if (!XML || !ppal || !ppal->Active())
        return {};
    XML->Limpiar();
    {
        ExportacionDalu exportacion(this, *XML, ppal);
        NodosPredioXML::Cabecera cabecera;
        cabecera.disposicion = NodosPredioXML::Cabecera::Disposicion::Dalu;
        cabecera.predio = [&](TXML &x) { exportacion.hojasPredio(x); };
        cabecera.trasPropietarios = [&](TXML &x) { exportacion.proteccion(x); };
        NodosPredioXML::Encabezado(*XML, this, ppal, cabecera);
        exportacion.clima();
        exportacion.rodales();
        exportacion.medioNatural();
        exportacion.objetivos();
        exportacion.inventario();
    }
    XML->CerrarNodo(); // PREDIO
    XML->CerrarNodo(); // FORMULARIO
    return XML->Texto();
}
