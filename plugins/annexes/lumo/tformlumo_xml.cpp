// The generic form's part of the exchange file: the form with its signatory and the
// property of the document's DORVO form, the protection of the resource, the stands (not
// for burned forest, whose frame writes them), the climate with its sources, physiography,
// hydrography, flora and fauna, the activities numbered in one run, the protection
// measures and then what each frame section writes. Coded columns are found by field name,
// so columns a combination removes from a grid never shift a code.
#include "tformlumo.h"

#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "tframelumo.h"
#include "xml/hijosxml.h"
#include "xml/txml.h"

#include <functional>

namespace {

using componentes::campo;

// The agency's type code of a combination; 0 for one without its own.
int tisoCodigoDe(int tag)
{
    switch (tag) {
    case 31:
        return 62;
    case 32:
        return 61;
    case 33:
        return 60;
    default:
        return 0;
    }
}

// Writes the generic form's nodes under PREDIO on the form's writer; one per PrepararXML.
// The cursors it moves are put back when it goes away.
class ExportacionLumo
{
public:
    ExportacionLumo(TFormLUMO *form, TXML &xml)
        : x(xml)
        , form(form)
    {
    }

    void proteccionRecurso()
    {
        x.AbrirNodo(QStringLiteral("PROTECCION_RECURSO"));
        x.Hijo(QStringLiteral("PLAGA_MEDIDA_PREVENCION"), componentes::textoMemo(form, QStringLiteral("mem_mepr_plag")));
        x.Hijo(QStringLiteral("PLAGA_MEDIDA_CONTROL"), componentes::textoMemo(form, QStringLiteral("mem_meco_plag")));
        x.Hijo(QStringLiteral("INCENDIO_MEDIDA_PREVENCION"), componentes::textoMemo(form, QStringLiteral("mem_mepr_inc")));
        x.Hijo(QStringLiteral("INCENDIO_MEDIDA_CONTROL"), componentes::textoMemo(form, QStringLiteral("mem_meco_inc")));
        x.CerrarNodo();
    }

    void rodales()
    {
        Dataset *rodales = tabla(QStringLiteral("car"));
        const QString g = QStringLiteral("dbgLumo_car2");
        porFila(QStringLiteral("RODAL"), rodales, [&] {
            valor(QStringLiteral("CODIGO"), rodales, "num");
            valor(QStringLiteral("NUMERO"), rodales, "num");
            valor(QStringLiteral("SUPERFICIE"), rodales, "sup");
            codigo(QStringLiteral("TIPO_FORESTAL"), rodales, g, "tipo_for");
            x.Hijo(QStringLiteral("ESPECIE"), campo(rodales, QStringLiteral("esp")), tsmEspecie);
            x.Hijo(QStringLiteral("ESPECIE_ARBUSTIVA"), campo(rodales, QStringLiteral("esp_arb")), tsmEspecie);
            valor(QStringLiteral("PENDIENTE_MEDIA"), rodales, "pen");
            valor(QStringLiteral("ANO_PLANTACION"), rodales, "ano");
            valor(QStringLiteral("DENSIDAD"), rodales, "den");
            codigo(QStringLiteral("ESTADO_DESARROLLO"), rodales, g, "est_desa");
            codigo(QStringLiteral("ESTADO_SANITARIO"), rodales, g, "est_sani");
            codigo(QStringLiteral("CLASE_CAP_USO"), rodales, g, "cap_uso");
            valor(QStringLiteral("ANO_BONIFICACION"), rodales, "ano_bonif");
            valor(QStringLiteral("ALTURA_MEDIA"), rodales, "altura");
            valor(QStringLiteral("AREA_BASAL"), rodales, "ab_total");
            valor(QStringLiteral("DMC"), rodales, "dmc");
            valor(QStringLiteral("RANGO"), rodales, "rango");
            valor(QStringLiteral("DENSIDAD_LENGA"), rodales, "den_ini_len");
            valor(QStringLiteral("DENSIDAD_COIGUE"), rodales, "den_ini_coi");
            valor(QStringLiteral("DENSIDAD_TOTAL"), rodales, "den_ini_tot");
            valor(QStringLiteral("PORC_AB_A"), rodales, "ab_porc");
        });
    }

    void diagnostico()
    {
        hijosxml::variablesClimaticas(x, form, cursores, QStringLiteral("n"), QStringLiteral("e"), QStringLiteral("uni"),
                                      QStringLiteral("dbgLumo_var_cli"), true);
        Dataset *fisiografia = tabla(QStringLiteral("fis"));
        porFila(QStringLiteral("FISIOGRAFIA"), fisiografia, [&] {
            unidad(fisiografia);
            codigo(QStringLiteral("FORMAS"), fisiografia, QStringLiteral("dbgLumo_fis"), "for");
            valor(QStringLiteral("PENDIENTE_MEDIA"), fisiografia, "pen");
            valor(QStringLiteral("ALTURA_MEDIA"), fisiografia, "alt");
            codigo(QStringLiteral("EXPOSICION"), fisiografia, QStringLiteral("dbgLumo_fis"), "exp");
            codigo(QStringLiteral("POSICIONAMIENTO"), fisiografia, QStringLiteral("dbgLumo_fis"), "pos");
        });
        Dataset *hidrografia = tabla(QStringLiteral("hid"));
        porFila(QStringLiteral("HIDROGRAFIA"), hidrografia, [&] {
            unidad(hidrografia);
            codigo(QStringLiteral("MASAS"), hidrografia, QStringLiteral("dbgLumo_hid"), "mas");
            codigo(QStringLiteral("TEMPORALIDAD"), hidrografia, QStringLiteral("dbgLumo_hid"), "tmp");
            valor(QStringLiteral("DISTANCIA"), hidrografia, "dis");
            valor(QStringLiteral("ANCHO_MAX"), hidrografia, "anc");
        });
        // One FLORA per row, with that row's values and one RODAL per stand of its list.
        Dataset *flora = tabla(QStringLiteral("flo"));
        porFila(QStringLiteral("FLORA"), flora, [&] {
            valor(QStringLiteral("ESPECIE"), flora, "esp");
            valor(QStringLiteral("CAT_CONSERVACION"), flora, "cat");
            valor(QStringLiteral("DENSIDAD"), flora, "den");
            hijosxml::entradasDeLista(x, QStringLiteral("RODAL"), campo(flora, QStringLiteral("rod")));
        });
        Dataset *fauna = tabla(QStringLiteral("fau"));
        porFila(QStringLiteral("FAUNA"), fauna, [&] {
            codigo(QStringLiteral("ESPECIE"), fauna, QStringLiteral("dbgLumo_fau"), "esp");
            codigo(QStringLiteral("CAT_CONSERVACION"), fauna, QStringLiteral("dbgLumo_fau"), "cat");
        });
    }

    // The activities of every table in a fixed order, numbered in one run.
    void actividades()
    {
        actividad(QStringLiteral("for"), QStringLiteral("XX1"), [&](Dataset *d) {
            codigo(QStringLiteral("ESPECIE"), d, QStringLiteral("dbgLumo_for"), "esp");
            valor(QStringLiteral("DENSIDAD"), d, "den");
            codigo(QStringLiteral("TEMPORALIDAD"), d, QStringLiteral("dbgLumo_for"), "tipo_plan");
            valor(QStringLiteral("ANO"), d, "ano");
        });
        actividad(QStringLiteral("pod"), QStringLiteral("50"), [&](Dataset *d) {
            codigo(QStringLiteral("ESPECIE"), d, QStringLiteral("dbgLumo_pod2"), "esp");
            valor(QStringLiteral("NRO_ACTIVIDAD"), d, "num_poda");
            valor(QStringLiteral("DENSIDAD"), d, "den_tot");
            valor(QStringLiteral("PORC_ARBOLES_A"), d, "porc_poda");
            valor(QStringLiteral("ALTURA_PODA"), d, "alt");
            valor(QStringLiteral("ANO"), d, "ano");
        });
        actividad(QStringLiteral("raleo"), QString(), [&](Dataset *d) {
            valor(QStringLiteral("DAP"), d, "dap");
            valor(QStringLiteral("DENSIDAD_ANTES"), d, "den_antes");
            valor(QStringLiteral("DENSIDAD"), d, "den_despues");
            valor(QStringLiteral("INTENSIDAD_RALEO"), d, "inten");
            valor(QStringLiteral("ANO"), d, "ano");
        });
        actividad(QStringLiteral("corta"), form->Tag == 31 ? QStringLiteral("170") : QStringLiteral("70"), [&](Dataset *d) {
            valor(QStringLiteral("SECTOR"), d, "sec");
            valor(QStringLiteral("ANO"), d, "ano");
            codigo(QStringLiteral("METODO_ACTIVIDAD"), d, QStringLiteral("dbgLumo_corta"), "met_cor");
            valor(QStringLiteral("AREA_BASAL"), d, "ab");
            valor(QStringLiteral("DENSIDAD"), d, "arb");
            valor(QStringLiteral("ALTURA_MEDIA"), d, "alt");
        });
        actividad(QStringLiteral("refor"), QStringLiteral("90"), [&](Dataset *d) {
            x.Hijo(QStringLiteral("ESPECIE"), campo(d, QStringLiteral("esp")), tsmEspecie);
            codigo(QStringLiteral("METODO_ACTIVIDAD"), d, QStringLiteral("dbgLumo_refor"), "met");
            valor(QStringLiteral("DENSIDAD"), d, "den");
            codigo(QStringLiteral("TIPO_PLANTA"), d, QStringLiteral("dbgLumo_refor"), "tip_planta");
            valor(QStringLiteral("ANO"), d, "ano");
        });
        actividad(QStringLiteral("cor_int"), QStringLiteral("40"), [&](Dataset *d) {
            codigo(QStringLiteral("TIPO_CORTA"), d, QStringLiteral("dbgLumo_cor_int"), "tip_cor");
            x.Hijo(QStringLiteral("ESPECIE"), campo(d, QStringLiteral("esp")), tsmEspecie);
            valor(QStringLiteral("DENSIDAD"), d, "ant_den");
            valor(QStringLiteral("PORC_ARBOLES_A"), d, "res_den");
            valor(QStringLiteral("AREA_BASAL"), d, "ant_ab");
            valor(QStringLiteral("PORC_AB_A"), d, "res_ab");
        });
        actividad(QStringLiteral("cor_reg"), QStringLiteral("80"), [&](Dataset *d) {
            codigo(QStringLiteral("METODO_ACTIVIDAD"), d, QStringLiteral("dbgLumo_cor_reg"), "met");
            x.Hijo(QStringLiteral("ESPECIE"), campo(d, QStringLiteral("esp_fav")), tsmEspecie);
            valor(QStringLiteral("DENSIDAD"), d, "den_ant");
            valor(QStringLiteral("PORC_ARBOLES_A"), d, "den_res");
            valor(QStringLiteral("AREA_BASAL"), d, "ab_ant");
            valor(QStringLiteral("PORC_AB_A"), d, "ab_res");
        });
        // The species of a regeneration are picked by name, as those of a reforestation.
        actividad(QStringLiteral("regen"), QStringLiteral("XX4"), [&](Dataset *d) {
            x.Hijo(QStringLiteral("ESPECIE"), campo(d, QStringLiteral("esp")), tsmEspecie);
            valor(QStringLiteral("ACT_PREPARATORIA"), d, "act");
        });
    }

    void medidas()
    {
        Dataset *medidas = tabla(QStringLiteral("mepr"));
        porFila(QStringLiteral("MEDIDA_PROTECCION"), medidas, [&] {
            valor(QStringLiteral("MEPR_CODIGO"), medidas, "id");
            valor(QStringLiteral("TIPO_RESTRICCION"), medidas, "tipo_rest");
            valor(QStringLiteral("DESCRIPCION"), medidas, "trozel");
            valor(QStringLiteral("UNIDAD"), medidas, "num");
        });
    }

    void marcos()
    {
        for (const QString &pagina : std::as_const(form->visible_pages)) {
            if (!pagina.contains(QLatin1String("DynaSheet")))
                continue;
            const QWidget *p = findComponent<QWidget>(form, pagina);
            if (TFrameLumo *marco = p ? p->findChild<TFrameLumo *>() : nullptr)
                marco->getXML(&x);
        }
    }

    componentes::CursoresGuardados cursores;

private:
    Dataset *tabla(const QString &sufijo) { return cursores(componentes::tabla(form, sufijo)); }

    // A node per record of `ds`, written record by record.
    void porFila(const QString &nodo, Dataset *ds, const std::function<void()> &hijos)
    {
        componentes::paraCadaRegistro(ds, [&](int) {
            x.AbrirNodo(nodo);
            hijos();
            x.CerrarNodo();
        });
    }

    void actividad(const QString &sufijo, const QString &tipo, const std::function<void(Dataset *)> &propios)
    {
        Dataset *ds = tabla(sufijo);
        porFila(QStringLiteral("ACTIVIDAD"), ds, [&] {
            x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
            x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
            if (tipo.isEmpty())
                valor(QStringLiteral("TIPO_ACTIVIDAD"), ds, "tipo_raleo");
            else
                x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), tipo);
            x.Hijo(QStringLiteral("SUTI_CODIGO"), 1);
            unidad(ds);
            propios(ds);
        });
    }

    void unidad(Dataset *ds)
    {
        valor(QStringLiteral("UNIDAD"), ds, "num");
        x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
    }

    void valor(const QString &tag, Dataset *ds, const char *nombre) { x.Hijo(tag, campo(ds, QLatin1String(nombre))); }

    // A coded field through the grid's column that shows it, found by the field's name.
    void codigo(const QString &tag, Dataset *ds, const QString &grilla, const char *nombre)
    {
        x.Hijo(tag, campo(ds, QLatin1String(nombre)), hijosxml::columna(form, grilla, QLatin1String(nombre)));
    }

    TXML &x;
    TFormLUMO *form;
};

} // namespace

QByteArray TFormLUMO::PrepararXML()
{
    Dataset *ppal = componentes::tabla(this, QString());
    if (!XML || !ppal || !ppal->Active())
        return {};
    XML->Limpiar();
    {
        ExportacionLumo exportacion(this, *XML);
        Dataset *principal = exportacion.cursores(ppal);
        NodosPredioXML::Cabecera cabecera;
        cabecera.disposicion = NodosPredioXML::Cabecera::Disposicion::Generico;
        cabecera.tisoCodigo = tisoCodigoDe(Tag);
        cabecera.formulario = [this](TXML &x) { x.Hijo(QStringLiteral("SOLI_OBS"), componentes::textoMemo(this, QStringLiteral("mem_obs"))); };
        cabecera.predio = [](TXML &x) { x.Hijo(QStringLiteral("TPRE_CODIGO"), 2); };
        NodosPredioXML::Encabezado(*XML, this, principal, cabecera);
        exportacion.proteccionRecurso();
        if (Tag != 31)
            exportacion.rodales();
        exportacion.diagnostico();
        exportacion.actividades();
        exportacion.medidas();
        exportacion.marcos();
    }
    XML->CerrarNodo(); // PREDIO
    XML->CerrarNodo(); // FORMULARIO
    return XML->Texto();
}
