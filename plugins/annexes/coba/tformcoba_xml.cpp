// The COBA part of the exchange file: the form with its signatory and the property of the
// document's DORVO form, the stands, one activity per thinning, then a cut and a
// reforestation per harvest row, numbered in that order, and the norm's protection
// measures.
#include "tformcoba.h"

#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;

// The agency's measures of protection of the resource that the norm prescribes.
constexpr int kMedidasProteccion[] = {9, 11, 12};

// Writes the COBA nodes under PREDIO on the form's writer; the cursors it moves are put
// back when it goes away.
class ExportacionCoba
{
public:
    ExportacionCoba(TFormCOBA *form, TXML &xml)
        : x(xml)
        , form(form)
    {
    }

    void rodales()
    {
        Dataset *rodales = cursores(componentes::tabla(form, QStringLiteral("car")));
        if (rodales && rodales->Active()) {
            x.AbrirNodo(QStringLiteral("RODAL"), rodales);
            x.HijoCampo(QStringLiteral("CODIGO"), QStringLiteral("num"));
            x.HijoCampo(QStringLiteral("NUMERO"), QStringLiteral("num"));
            x.HijoCampo(QStringLiteral("SUPERFICIE"), QStringLiteral("sup"));
            x.HijoCampo(QStringLiteral("ANO_PLANTACION"), QStringLiteral("ano"));
            x.HijoCampo(QStringLiteral("ESPECIE"), QStringLiteral("esp"), tsmEspecieCOBA);
            x.HijoCampo(QStringLiteral("PENDIENTE_MEDIA"), QStringLiteral("pen"));
            x.HijoCampo(QStringLiteral("DENSIDAD"), QStringLiteral("den"));
            x.CerrarNodo();
        }
        literal(QStringLiteral("RODAL_OBS"), componentes::textoMemo(form, QStringLiteral("mem_obs1")));
    }

    // Thinnings first, then each harvest row as its cut and its reforestation.
    void actividades()
    {
        Dataset *raleos = cursores(componentes::tabla(form, QStringLiteral("act_ral")));
        componentes::paraCadaRegistro(raleos, [&](int) {
            x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
            x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
            x.Hijo(QStringLiteral("SUTI_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QStringLiteral("60"));
            x.Hijo(QStringLiteral("DENSIDAD"), campo(raleos, QStringLiteral("den_des")));
            x.Hijo(QStringLiteral("NRO_ACTIVIDAD"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("ANO"), campo(raleos, QStringLiteral("ano")));
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("UNIDAD"), campo(raleos, QStringLiteral("num")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(raleos, QStringLiteral("sup_look")));
            x.Hijo(QStringLiteral("DAP"), campo(raleos, QStringLiteral("dap")));
            x.Hijo(QStringLiteral("DENSIDAD_ANTES"), campo(raleos, QStringLiteral("den_ant_look")));
            x.Hijo(QStringLiteral("INTENSIDAD_RALEO"), campo(raleos, QStringLiteral("int")));
            x.CerrarNodo();
        });
        Dataset *cosechas = cursores(componentes::tabla(form, QStringLiteral("act_cor_ref")));
        componentes::paraCadaRegistro(cosechas, [&](int) {
            x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
            x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
            x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QStringLiteral("70"));
            x.Hijo(QStringLiteral("SUTI_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("ANO"), campo(cosechas, QStringLiteral("ano_cor")));
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("UNIDAD"), campo(cosechas, QStringLiteral("num")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(cosechas, QStringLiteral("sup_cor_look")));
            x.CerrarNodo();
        });
        componentes::paraCadaRegistro(cosechas, [&](int) {
            x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
            x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
            x.Hijo(QStringLiteral("SUTI_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QStringLiteral("90"));
            x.Hijo(QStringLiteral("DENSIDAD"), campo(cosechas, QStringLiteral("den")));
            x.Hijo(QStringLiteral("ESPECIE"), campo(cosechas, QStringLiteral("esp")), tsmEspecie);
            x.Hijo(QStringLiteral("ANO"), campo(cosechas, QStringLiteral("ano_ref")));
            x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("UNIDAD"), campo(cosechas, QStringLiteral("num")));
            x.Hijo(QStringLiteral("SUPERFICIE"), campo(cosechas, QStringLiteral("sup_ref_look")));
            x.CerrarNodo();
        });
        literal(QStringLiteral("PROGRAMA_OBS"), componentes::textoMemo(form, QStringLiteral("mem_obs2")) + QLatin1Char(' ')
                                                    + componentes::textoMemo(form, QStringLiteral("mem_obs3")));
    }

    void proteccion()
    {
        x.AbrirNodo(QStringLiteral("PROTECCION_RECURSO"));
        for (int codigo : kMedidasProteccion)
            x.Hijo(QStringLiteral("MEPR_CODIGO"), codigo);
        x.CerrarNodo();
    }

    componentes::CursoresGuardados cursores;

private:
    // An empty text writes no element.
    void literal(const QString &tag, const QString &valor)
    {
        if (!valor.trimmed().isEmpty())
            x.Hijo(tag, valor);
    }

    TXML &x;
    TFormCOBA *form;
};

} // namespace

QByteArray TFormCOBA::PrepararXML()
{
    Dataset *ppal = componentes::tabla(this, QString());
    if (!XML || !ppal || !ppal->Active())
        return {};
    XML->Limpiar();
    {
        ExportacionCoba exportacion(this, *XML);
        Dataset *principal = exportacion.cursores(ppal);
        NodosPredioXML::Encabezado(*XML, this, principal);
        exportacion.rodales();
        exportacion.actividades();
        exportacion.proteccion();
    }
    XML->CerrarNodo(); // PREDIO
    XML->CerrarNodo(); // FORMULARIO
    return XML->Texto();
}
