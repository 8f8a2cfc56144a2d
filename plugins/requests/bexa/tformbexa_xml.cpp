// The BEXA part of the exchange file: the request's head with its own type code, the
// affected surface as requested and no place or date; inside PREDIO the certification
// node CFB (resolutions, afforestation and other activities), then the owners with their
// usufruct, the representatives, rolls and registrar entries. The pruning and thinning
// rows are not sent.
#include "tformbexa.h"

#include "componentesformulario.h"
#include "xml/hijosxml.h"
#include "xml/txml.h"

namespace {

// The activity class of afforestation.
const QString kForestacion = QStringLiteral("30");

} // namespace

NodosPredioXML::CabeceraSolicitud TFormBEXA::CabeceraXml() const
{
    NodosPredioXML::CabeceraSolicitud c;
    c.tisoPropio = true;
    c.lugarYFecha = false;
    return c;
}

void TFormBEXA::XmlPredio(TXML &x)
{
    using componentes::campo;
    const Dataset *ppal = DatasetPpal;
    const Field *pres = campo(ppal, QStringLiteral("pres"));
    // (Each table is walked from its first row; PrepararXML puts the cursors back.)
    x.AbrirNodo(QStringLiteral("CFB"));
    x.Hijo(QStringLiteral("SUP_SOLICITADA"), campo(ppal, QStringLiteral("sup")));
    x.Hijo(QStringLiteral("PRESENTADO_EN"), pres && !pres->IsNull() ? pres->AsInteger() : 0);
    x.Hijo(QStringLiteral("PRESENTADO_OTRO"), campo(ppal, QStringLiteral("pres_otr")));

    Dataset *resoluciones = componentes::tabla(this, QStringLiteral("cal"));
    componentes::paraCadaRegistro(resoluciones, [&](int) {
        x.AbrirNodo(QStringLiteral("RESOLUCION"));
        x.Hijo(QStringLiteral("TIPO_RESOLUCION"), campo(resoluciones, QStringLiteral("tip")));
        x.Hijo(QStringLiteral("NRO_CALIFICACION"), campo(resoluciones, QStringLiteral("num")));
        x.Hijo(QStringLiteral("FECHA_CALIFICACION"), campo(resoluciones, QStringLiteral("fec")));
        x.Hijo(QStringLiteral("SUP_CALIFICACION"), campo(resoluciones, QStringLiteral("sup")));
        x.CerrarNodo();
    });

    // The office of an activity through its own grid column: an "other" office is sent
    // as the list's "other" code with its text.
    const auto actividad = [&](Dataset *ds, const QString &grilla, const std::function<void()> &propios) {
        const TColumnaXML presentar = hijosxml::columna(this, grilla, QStringLiteral("pres"));
        componentes::paraCadaRegistro(ds, [&](int) {
            x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
            propios();
            x.Hijo(QStringLiteral("PRESENTADO_EN"), campo(ds, QStringLiteral("pres")), presentar);
            x.CerrarNodo();
        });
    };
    Dataset *forestacion = componentes::tabla(this, QStringLiteral("bon"));
    const auto sectorAnoSuperficie = [&x](const Dataset *ds) {
        x.Hijo(QStringLiteral("SECTOR"), campo(ds, QStringLiteral("num_sec")));
        x.Hijo(QStringLiteral("ANO"), campo(ds, QStringLiteral("ano")));
        x.Hijo(QStringLiteral("SUPERFICIE"), campo(ds, QStringLiteral("sup")));
    };
    actividad(forestacion, QStringLiteral("dbgBEXA_bon"), [&] {
        x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), kForestacion);
        sectorAnoSuperficie(forestacion);
        x.Hijo(QStringLiteral("ESPECIE"), campo(forestacion, QStringLiteral("esp")), tsmEspecie);
        x.Hijo(QStringLiteral("TIPO_PLANTA"), campo(forestacion, QStringLiteral("tip")));
        x.Hijo(QStringLiteral("DENSIDAD"), campo(forestacion, QStringLiteral("den")));
        x.Hijo(QStringLiteral("CERCOS"), campo(forestacion, QStringLiteral("cerco")));
        x.Hijo(QStringLiteral("CERCOS_REPARA"), campo(forestacion, QStringLiteral("cerco_repara")));
        x.Hijo(QStringLiteral("SEGURO_FORESTAL"), campo(forestacion, QStringLiteral("seguro_for")));
        x.Hijo(QStringLiteral("SUBSOLADO"), campo(forestacion, QStringLiteral("subsolado")));
    });
    Dataset *otras = componentes::tabla(this, QStringLiteral("bon_otr"));
    actividad(otras, QStringLiteral("dbgBEXA_bon_otr"), [&] {
        x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), campo(otras, QStringLiteral("otr_act")));
        sectorAnoSuperficie(otras);
    });

    x.Hijo(QStringLiteral("BEXA_CBF_OBS"), campo(ppal, QStringLiteral("obs")));
    x.CerrarNodo();
}
