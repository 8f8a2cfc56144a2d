// The PELTO part of the exchange file: the head of an accreditation bound to FERUN (its city
// as LUGAR, the treasury and the assignees), the resolutions, the stands with their species
// as codes, and per pruning and thinning row an activity 50 for the pruning and 60 for the
// thinning, each only for a year given, both with the stand's surface.
#include "tformpelto.h"

#include "acreditacionferun.h"
#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;

bool anoDado(const Dataset *ds, const char *nombre)
{
    const Field *f = campo(ds, QLatin1String(nombre));
    return f && !f->IsNull() && f->AsInteger() > 0;
}

} // namespace

QByteArray TFormPELTO::PrepararXML()
{
    Dataset *ppal = componentes::tabla(this, QString());
    Dataset *caracteristicas = tabla(QStringLiteral("car"));
    if (!XML || !ppal || !ppal->Active())
        return {};
    // Nothing to accredit; the form's own check keeps this text out of an exchange file.
    if (!caracteristicas || !caracteristicas->Active() || caracteristicas->IsEmpty())
        return QByteArrayLiteral("XML MALO");
    return NodosPredioXML::Exportacion(this, NodosPredioXML::CabeceraEstudio(true), [&](TXML &x, componentes::CursoresGuardados &cursores) {
        AcreditacionFerun::NodosBonificacion(x, this);
        AcreditacionFerun::Resoluciones(x, tabla(QStringLiteral("ant_res")));

        Dataset *rodales = cursores(tabla(QStringLiteral("ant_plan")));
        x.AbrirNodo(QStringLiteral("RODAL"), rodales);
        x.HijoCampo(QStringLiteral("CODIGO"), QStringLiteral("num"));
        x.HijoCampo(QStringLiteral("NUMERO"), QStringLiteral("num"));
        x.HijoCampo(QStringLiteral("ANO_PLANTACION"), QStringLiteral("ano"));
        x.HijoCampo(QStringLiteral("SUPERFICIE"), QStringLiteral("sup"));
        x.HijoCampo(QStringLiteral("ESPECIE"), QStringLiteral("esp"), tsmEspecieKELU);
        x.HijoCampo(QStringLiteral("AREA_BASAL"), QStringLiteral("ab"));
        x.HijoCampo(QStringLiteral("DENSIDAD"), QStringLiteral("den"));
        x.CerrarNodo();

        Dataset *car = cursores(caracteristicas);
        componentes::paraCadaRegistro(car, [&](int) {
            const auto actividad = [&](const char *tipo, const char *ano, const QList<std::pair<const char *, const char *>> &propios) {
                x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
                x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QLatin1String(tipo));
                x.Hijo(QStringLiteral("UNIDAD"), campo(car, QStringLiteral("num")));
                x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
                x.Hijo(QStringLiteral("ANO"), campo(car, QLatin1String(ano)));
                // The stand's surface for both activities.
                x.Hijo(QStringLiteral("SUPERFICIE"), campo(car, QStringLiteral("sup_pod_look")));
                for (const auto &[tag, nombre] : propios)
                    x.Hijo(QLatin1String(tag), campo(car, QLatin1String(nombre)));
                x.CerrarNodo();
            };
            if (anoDado(car, "ano_pod"))
                actividad("50", "ano_pod", {{"CANTIDAD", "num_arb_pod"}, {"ALTURA_PODA", "alt_pod"}});
            if (anoDado(car, "ano_ral"))
                actividad("60", "ano_ral", {{"DENSIDAD", "num_arb_ral"}, {"AREA_BASAL", "area_ral"}});
        });
    });
}
