// The HARPE part of the exchange file: the head of a form bound to DORVO (its signatory
// before PREDIO, the regeneration's observations among the property's leaves, owners
// without their city), the stands as one repeating node, then one cut per stand carrying
// the regeneration row of that stand, and the norm's protection measures.
#include "tformharpe.h"

#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "xml/txml.h"

#include <utility>

namespace {

// The agency's measures of protection of the resource that the norm prescribes.
constexpr int kMedidasProteccion[] = {1, 2, 3, 9, 12};

} // namespace

QByteArray TFormHARPE::PrepararXML()
{
    NodosPredioXML::Cabecera cabecera;
    cabecera.ciudadPropietarios = false;
    cabecera.predio = [this](TXML &xml) {
        xml.Hijo(QStringLiteral("REGENERACION_OBS"), componentes::textoMemo(this, QStringLiteral("mem_obs1")));
    };
    return NodosPredioXML::Exportacion(this, cabecera, [&](TXML &x, componentes::CursoresGuardados &cursores) {
        using componentes::campo;
        Dataset *rodales = cursores(tabla(QStringLiteral("car")));
        Dataset *regeneracion = cursores(tabla(QStringLiteral("car_reg")));
        if (rodales && rodales->Active()) {
            x.AbrirNodo(QStringLiteral("RODAL"), rodales);
            x.HijoCampo(QStringLiteral("CODIGO"), QStringLiteral("Id"));
            x.HijoCampo(QStringLiteral("NUMERO"), QStringLiteral("num"));
            x.HijoCampo(QStringLiteral("SUPERFICIE"), QStringLiteral("sup"));
            x.HijoCampo(QStringLiteral("SITUACION_TIPO"), QStringLiteral("sit"));
            x.HijoCampo(QStringLiteral("DMC"), QStringLiteral("dmc"));
            x.HijoCampo(QStringLiteral("PENDIENTE_MEDIA"), QStringLiteral("pen"));
            x.HijoCampo(QStringLiteral("ALTURA_MEDIA"), QStringLiteral("alt"));
            x.HijoCampo(QStringLiteral("DENSIDAD_LE"), QStringLiteral("den_ini_len"));
            x.HijoCampo(QStringLiteral("DENSIDAD_CO"), QStringLiteral("den_ini_coi"));
            x.HijoCampo(QStringLiteral("DENSIDAD"), QStringLiteral("den_init_tot"));
            x.CerrarNodo();
        }
        // A stand's regeneration is the row with its number, wherever that row stands.
        componentes::paraCadaRegistro(rodales, [&](int) {
            x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
            x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
            x.Hijo(QStringLiteral("SUTI_CODIGO"), QStringLiteral("0"));
            x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QStringLiteral("80"));
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            const Field *num = campo(rodales, QStringLiteral("num"));
            x.Hijo(QStringLiteral("RODAL"), num);
            x.Hijo(QStringLiteral("UNIDAD"), campo(rodales, QStringLiteral("Id")));
            x.Hijo(QStringLiteral("ANO"), campo(rodales, QStringLiteral("ano_cor")));
            x.Hijo(QStringLiteral("RANGO_COBERTURA"), campo(rodales, QStringLiteral("rango")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(rodales, QStringLiteral("sup")));
            bool escrita = false;
            componentes::paraCadaRegistroDe(regeneracion, QStringLiteral("num"), num ? num->Value() : QVariant(), [&](int) {
                if (std::exchange(escrita, true))
                    return;
                x.Hijo(QStringLiteral("ESPECIE"), campo(regeneracion, QStringLiteral("esp")), tsmEspecie);
                x.Hijo(QStringLiteral("DENSIDAD"), campo(regeneracion, QStringLiteral("den")));
                x.Hijo(QStringLiteral("ALTURA_MEDIA"), campo(regeneracion, QStringLiteral("alt")));
                x.Hijo(QStringLiteral("DISTRIBUCION"), campo(regeneracion, QStringLiteral("dis")));
            });
            x.CerrarNodo();
        });
        x.AbrirNodo(QStringLiteral("PROTECCION_RECURSO"));
        for (int codigo : kMedidasProteccion)
            x.Hijo(QStringLiteral("MEPR_CODIGO"), codigo);
        x.CerrarNodo();
    });
}
