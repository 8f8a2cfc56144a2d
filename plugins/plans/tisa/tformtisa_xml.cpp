// The TISA part of the exchange file: the form, its signatory and the property with the
// climate, the stands with their soils and objectives, the diagnosis, the protection
// measures and the programme of activities. What belongs to the request (its type code,
// date, signatory, rolls, owners, coordinates) comes from the DORVO form of the document
// and is left out when there is none.
#include "tformtisa.h"

#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "xml/hijosxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;
using hijosxml::columna;

// The agency's activity type of a programmed cut.
const QString kActividadCorta = QStringLiteral("140");

// Writes the TISA part of the exchange file on the form's writer; one per PrepararXML.
// The cursors it moves are put back when it goes away.
class ExportacionTisa
{
public:
    ExportacionTisa(TFormTISA *form, TXML &xml)
        : x(xml)
        , form(form)
    {
    }

    // The stands with their forest, their soils and their objective, each found by the
    // stand's number.
    void rodales()
    {
        Dataset *rodales = cursores(componentes::tabla(form, QStringLiteral("car_bos")));
        Dataset *suelos = cursores(componentes::tabla(form, QStringLiteral("car_sue")));
        Dataset *objetivos = cursores(componentes::tabla(form, QStringLiteral("obj")));
        const auto deRodal = [](Dataset *ds, const QVariant &num) {
            return ds && ds->Active() && !num.isNull() && ds->Locate(QStringLiteral("num"), num);
        };
        componentes::paraCadaRegistro(rodales, [&](int) {
            const Field *num = campo(rodales, QStringLiteral("num"));
            const QVariant clave = num ? num->Value() : QVariant();
            x.AbrirNodo(QStringLiteral("RODAL"));
            x.Hijo(QStringLiteral("CODIGO"), num);
            x.Hijo(QStringLiteral("NUMERO"), num);
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(rodales, QStringLiteral("sup")));
            // The agency knows the forest types by their tens.
            if (const Field *tipo = campo(rodales, QStringLiteral("tip_for")); tipo && !tipo->IsNull())
                x.Hijo(QStringLiteral("TIPO_FORESTAL"), tipo->AsInteger() / 10 * 10);
            x.Hijo(QStringLiteral("ESPECIE"), campo(rodales, QStringLiteral("esp_dom")), tsmEspecie);
            x.Hijo(QStringLiteral("ESPECIE_ARBUSTIVA"), campo(rodales, QStringLiteral("esp_arb")), tsmEspecie);
            if (deRodal(suelos, clave)) {
                x.Hijo(QStringLiteral("CLASE_CAP_USO"), campo(suelos, QStringLiteral("cap_uso")));
                x.Hijo(QStringLiteral("SIMBOLOGIA"), campo(suelos, QStringLiteral("simb")));
                x.Hijo(QStringLiteral("PENDIENTE_MEDIA"), campo(suelos, QStringLiteral("pen")));
                x.Hijo(QStringLiteral("EXPOSICION"), campo(suelos, QStringLiteral("exp")));
                x.Hijo(QStringLiteral("PROFUNDIDAD_EFECTIVA"), campo(suelos, QStringLiteral("prof")));
                x.Hijo(QStringLiteral("ALTURA_MEDIA"), campo(suelos, QStringLiteral("alt")));
            }
            if (deRodal(objetivos, clave))
                x.Hijo(QStringLiteral("OBJETIVO"), campo(objetivos, QStringLiteral("obj")));
            x.CerrarNodo();
        });
    }

    // Threatened flora (its stands first) and fauna, fires and risk zones.
    void diagnostico()
    {
        Dataset *flora = cursores(componentes::tabla(form, QStringLiteral("flo")));
        componentes::paraCadaRegistro(flora, [&](int) {
            x.AbrirNodo(QStringLiteral("FLORA"));
            hijosxml::entradasDeLista(x, QStringLiteral("RODAL"), campo(flora, QStringLiteral("num")));
            x.Hijo(QStringLiteral("ESPECIE"), campo(flora, QStringLiteral("esp")));
            x.Hijo(QStringLiteral("CAT_CONSERVACION"), campo(flora, QStringLiteral("cat")));
            x.Hijo(QStringLiteral("DENSIDAD"), campo(flora, QStringLiteral("den")));
            x.CerrarNodo();
        });
        repetido(QStringLiteral("FAUNA"), QStringLiteral("fau"), {{"CAT_CONSERVACION", "cat"}, {"ESPECIE", "esp"}});
        repetido(QStringLiteral("INCENDIO"), QStringLiteral("ocu"),
                 {{"LUGAR", "lug"}, {"SUPERFICIE", "sup"}, {"ANO", "ano"}, {"CAUSA", "causa"}, {"ORIGEN", "origen"}});
        repetido(QStringLiteral("RIESGO"), QStringLiteral("det"),
                 {{"ZONA", "zona"}, {"MAGNITUD_RIESGO", "mag_riesgo"}, {"MAGNITUD_PELIGRO", "mag_pel"}, {"PRIORIDAD", "pri"}});
    }

    // The measures by stand, then the fire measures of the main table's memos (no node
    // when both are empty).
    void proteccion(const Dataset *ppal)
    {
        Dataset *medidas = cursores(componentes::tabla(form, QStringLiteral("mepr")));
        if (medidas && medidas->Active()) {
            x.AbrirNodo(QStringLiteral("MEDIDA_PROTECCION"), medidas);
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            x.HijoCampo(QStringLiteral("UNIDAD"), QStringLiteral("num_look"));
            // The row's own key, as it is: the agency numbers the measures of a plan.
            x.HijoCampo(QStringLiteral("MEPR_CODIGO"), QStringLiteral("Id"));
            x.HijoCampo(QStringLiteral("TIPO_RESTRICCION"), QStringLiteral("tip_rest"));
            x.HijoCampo(QStringLiteral("DESCRIPCION"), QStringLiteral("mepr"));
            x.CerrarNodo();
        }
        x.AbrirNodo(QStringLiteral("PROTECCION_RECURSO"));
        x.Hijo(QStringLiteral("INCENDIO_MEDIDA_PREVENCION"), campo(ppal, QStringLiteral("mepr_inc")));
        x.Hijo(QStringLiteral("INCENDIO_MEDIDA_CONTROL"), campo(ppal, QStringLiteral("meco_inc")));
        x.CerrarNodo();
    }

    // The cuts, then the other activities, numbered together.
    void actividades()
    {
        Dataset *cortas = cursores(componentes::tabla(form, QStringLiteral("prog_corta")));
        componentes::paraCadaRegistro(cortas, [&](int) {
            actividad(cortas, QStringLiteral("ano_cor"), [this] { x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), kActividadCorta); });
        });
        Dataset *otras = cursores(componentes::tabla(form, QStringLiteral("prog_act")));
        componentes::paraCadaRegistro(otras, [&](int) {
            actividad(otras, QStringLiteral("ano_prog"), [this, otras] {
                x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), campo(otras, QStringLiteral("act")),
                       columna(form, QStringLiteral("dbgTISA_prog_act"), QStringLiteral("act")));
            });
        });
    }

    componentes::CursoresGuardados cursores;

private:
    // A node repeated over the rows of adtTISA_<sufijo>, children from its fields.
    void repetido(const QString &nodo, const QString &sufijo, const QList<std::pair<const char *, const char *>> &hijos)
    {
        Dataset *ds = cursores(componentes::tabla(form, sufijo));
        if (!ds || !ds->Active())
            return;
        x.AbrirNodo(nodo, ds);
        for (const auto &[tag, nombre] : hijos)
            x.HijoCampo(QLatin1String(tag), QLatin1String(nombre));
        x.CerrarNodo();
    }

    void actividad(const Dataset *ds, const QString &ano, const std::function<void()> &tipo)
    {
        x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
        x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
        x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
        x.Hijo(QStringLiteral("SUTI_CODIGO"), QStringLiteral("0"));
        tipo();
        x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
        x.Hijo(QStringLiteral("SUPERFICIE"), campo(ds, QStringLiteral("sup_cpy")));
        x.Hijo(QStringLiteral("ANO"), campo(ds, ano));
        x.Hijo(QStringLiteral("UNIDAD"), campo(ds, QStringLiteral("num_look")));
        x.CerrarNodo();
    }

    TXML &x;
    TFormTISA *form;
};

} // namespace

QByteArray TFormTISA::PrepararXML()
{
    Dataset *ppal = componentes::tabla(this, QString());
    if (!XML || !ppal || !ppal->Active())
        return {};
    XML->Limpiar();
    {
        ExportacionTisa exportacion(this, *XML);
        Dataset *principal = exportacion.cursores(ppal);
        NodosPredioXML::Encabezado(*XML, this, principal);
        hijosxml::variablesClimaticas(*XML, this, exportacion.cursores, QStringLiteral("coor_nte"), QStringLiteral("coor_este"));
        exportacion.rodales();
        hijosxml::hidrografia(*XML, this, exportacion.cursores);
        exportacion.diagnostico();
        exportacion.proteccion(principal);
        exportacion.actividades();
    }
    XML->CerrarNodo(); // PREDIO
    XML->CerrarNodo(); // FORMULARIO
    return XML->Texto();
}
