// The VORDA part of the exchange file: the form and the property (as every plan bound to
// the DORVO form writes them), then one ACTIVIDAD per calendar row (a harvest row writes
// its harvest and its reforestation) and the roads and log yards.
#include "tformvorda.h"

#include "componentesformulario.h"
#include "connection.h"
#include "predio/nodospredioxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;
using componentes::texto;

// Writes the activities of the notice on the form's writer; the cursors it moves are put
// back when it goes away.
class ExportacionVorda
{
public:
    ExportacionVorda(TFormVORDA *form, TXML &xml)
        : x(xml)
        , form(form)
    {
    }

    void actividades()
    {
        Dataset *forestacion = tabla(QStringLiteral("for"));
        componentes::paraCadaRegistro(forestacion, [&](int) {
            abrir(QStringLiteral("30"), {QStringLiteral("SUTI_CODIGO"), QStringLiteral("ESAC_CODIGO")});
            x.Hijo(QStringLiteral("ESPECIE"), campo(forestacion, QStringLiteral("esp")), tsmEspecieKELU);
            x.Hijo(QStringLiteral("DENSIDAD"), campo(forestacion, QStringLiteral("den")));
            x.Hijo(QStringLiteral("ANO"), campo(forestacion, QStringLiteral("ano")));
            x.Hijo(QStringLiteral("SUPERFICIE"), superficie(forestacion));
            x.Hijo(QStringLiteral("NRO_RESOLUCION"), campo(forestacion, QStringLiteral("num_res")));
            x.Hijo(QStringLiteral("SECTOR"), campo(forestacion, QStringLiteral("num_sec")));
            x.Hijo(QStringLiteral("RODAL"), campo(forestacion, QStringLiteral("num")));
            x.Hijo(QStringLiteral("TIPO_SUELO"), campo(forestacion, QStringLiteral("tip_sue")));
            x.CerrarNodo();
        });

        // The harvest and then the reforestation of the same stand and surface.
        Dataset *cosecha = tabla(QStringLiteral("act"));
        componentes::paraCadaRegistro(cosecha, [&](int) {
            abrir(QStringLiteral("70"));
            x.Hijo(QStringLiteral("ANO"), campo(cosecha, QStringLiteral("ano_cor")));
            superficieYResolucion(cosecha, QStringLiteral("SUP_RODAL"), QStringLiteral("SUPERFICIE"));
            x.Hijo(QStringLiteral("RODAL"), campo(cosecha, QStringLiteral("num")));
            x.CerrarNodo();

            abrir(QStringLiteral("90"));
            x.Hijo(QStringLiteral("ANO"), campo(cosecha, QStringLiteral("ano_ref")));
            x.Hijo(QStringLiteral("SUPERFICIE"), superficie(cosecha));
            x.Hijo(QStringLiteral("SUP_RODAL"), superficie(cosecha));
            x.Hijo(QStringLiteral("RODAL"), campo(cosecha, QStringLiteral("num")));
            x.Hijo(QStringLiteral("ESPECIE"), campo(cosecha, QStringLiteral("esp_ref")), tsmEspecieKELU);
            x.Hijo(QStringLiteral("DENSIDAD"), campo(cosecha, QStringLiteral("den_ref")));
            x.CerrarNodo();
        });

        // The activity's class and ordinal are the agency's, from the main database.
        Dataset *otras = tabla(QStringLiteral("otr"));
        componentes::paraCadaRegistro(otras, [&](int) {
            const Field *tipo = campo(otras, QStringLiteral("tip_act"));
            const QVariant codigo = tipo ? tipo->Value() : QVariant();
            abrir(actividadPl(QStringLiteral("tiac_codigo"), codigo));
            x.Hijo(QStringLiteral("ANO"), campo(otras, QStringLiteral("ano")));
            x.Hijo(QStringLiteral("NRO_ACTIVIDAD"), actividadPl(QStringLiteral("tiac_num"), codigo));
            superficieYResolucion(otras, QStringLiteral("SUPERFICIE"), QStringLiteral("SUP_RODAL"));
            x.Hijo(QStringLiteral("RODAL"), campo(otras, QStringLiteral("num")));
            x.CerrarNodo();
        });
    }

    // A row may hold a road, a log yard or both.
    void caminos()
    {
        Dataset *caminos = tabla(QStringLiteral("con"));
        componentes::paraCadaRegistro(caminos, [&](int) {
            if (!texto(campo(caminos, QStringLiteral("cam_id"))).isEmpty()) {
                x.AbrirNodo(QStringLiteral("CAMINO"));
                x.Hijo(QStringLiteral("IDENTIFICACION"), campo(caminos, QStringLiteral("cam_id")));
                x.Hijo(QStringLiteral("LONGITUD"), campo(caminos, QStringLiteral("cam_lar")));
                x.Hijo(QStringLiteral("ANCHO"), campo(caminos, QStringLiteral("cam_anc")));
                x.Hijo(QStringLiteral("ANO"), campo(caminos, QStringLiteral("ano")));
                x.CerrarNodo();
            }
            if (!texto(campo(caminos, QStringLiteral("can_id"))).isEmpty()) {
                x.AbrirNodo(QStringLiteral("CANCHA"));
                x.Hijo(QStringLiteral("IDENTIFICACION"), campo(caminos, QStringLiteral("can_id")));
                x.Hijo(QStringLiteral("SUPERFICIE"), campo(caminos, QStringLiteral("can_sup")));
                x.Hijo(QStringLiteral("ANO"), campo(caminos, QStringLiteral("ano")));
                x.CerrarNodo();
            }
        });
    }

private:
    Dataset *tabla(const QString &sufijo) { return cursores(componentes::tabla(form, sufijo)); }

    // ACTIVIDAD with its running number and fixed codes; the forestation names the
    // surface type before the state, the other calendars after it.
    void abrir(const QString &tipo, const QStringList &codigos = {QStringLiteral("ESAC_CODIGO"), QStringLiteral("SUTI_CODIGO")})
    {
        x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
        x.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
        for (const QString &c : codigos)
            x.Hijo(c, QStringLiteral("1"));
        x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), tipo);
    }

    // The surface looked up in the KELU plan when it has one, else the one typed.
    static bool deKelu(const Dataset *ds)
    {
        const Field *look = campo(ds, QStringLiteral("sup_look"));
        return look && !look->IsNull() && look->AsFloat() > 0;
    }
    static const Field *superficie(const Dataset *ds)
    {
        return campo(ds, deKelu(ds) ? QStringLiteral("sup_look") : QStringLiteral("sup"));
    }
    // The surface twice (tags in the calendar's order); a typed surface names the
    // resolution it comes under, one from the plan does not.
    void superficieYResolucion(const Dataset *ds, const QString &primera, const QString &segunda)
    {
        x.Hijo(primera, superficie(ds));
        x.Hijo(segunda, superficie(ds));
        if (!deKelu(ds))
            x.Hijo(QStringLiteral("NRO_RESOLUCION"), campo(ds, QStringLiteral("num_res")));
    }

    QString actividadPl(const QString &columna, const QVariant &codigo) const
    {
        if (codigo.isNull() || !form->ConexionBDPpal)
            return {};
        const QueryResult r = form->ConexionBDPpal->select(
            QStringLiteral("SELECT %1 FROM tipoactividad_pl WHERE tapl_codigo = ?").arg(columna), {codigo});
        return r.rows.isEmpty() || r.rows.first().value(0).isNull() ? QString() : r.rows.first().value(0).toString();
    }

    TXML &x;
    TFormVORDA *form;
    componentes::CursoresGuardados cursores;
};

} // namespace

QByteArray TFormVORDA::PrepararXML()
{
    Dataset *ppal = componentes::tabla(this, QString());
    if (!XML || !ppal || !ppal->Active())
        return {};
    XML->Limpiar();
    {
        ExportacionVorda exportacion(this, *XML);
        NodosPredioXML::Encabezado(*XML, this, ppal);
        exportacion.actividades();
        exportacion.caminos();
    }
    XML->CerrarNodo(); // PREDIO
    XML->CerrarNodo(); // FORMULARIO
    return XML->Texto();
}
