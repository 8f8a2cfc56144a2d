// The guide's exchange XML.
#include "tformfenra.h"

#include "componentesformulario.h"
#include "predio/seccionpredio.h"
#include "predio/solicitudalerce.h"
#include "xml/txml.h"

QByteArray TFormFenra::PrepararXML()
{
    if (!Predio() || !m_destino || !DatasetPpal)
        return {};
    return SolicitudAlerce::Exportar(this, [this](TXML &x) {
        SolicitudAlerce::Formulario(x, this, *Predio(), false);
        for (SeccionPredio *seccion : {Predio(), m_destino}) {
            const bool esDestino = seccion == m_destino;
            NodosPredioXML::CabeceraSolicitud c;
            c.trasCodigo = [esDestino](TXML &xml) {
                xml.Hijo(QStringLiteral("ALERCE_DESTINO"), esDestino ? QStringLiteral("1") : QStringLiteral("0"));
            };
            // The kinds' fields are named crosswise: tipo_pre2 is the origin's.
            c.trasLocalidad = [esDestino](TXML &xml) {
                xml.HijoCampo(QStringLiteral("TPRE_CODIGO"), esDestino ? QStringLiteral("tipo_pre") : QStringLiteral("tipo_pre2"));
            };
            SolicitudAlerce::Predio(x, *seccion, c);
            x.CerrarNodo();
        }

        x.AbrirNodo(QStringLiteral("MEDIO_TRANSPORTE"), DatasetPpal);
        x.HijoCampo(QStringLiteral("TIMT_CODIGO"), QStringLiteral("trans_tipo"));
        x.HijoCampo(QStringLiteral("METR_PATENTE"), QStringLiteral("trasn_patente"));
        const Field *tipo = componentes::campo(DatasetPpal, QStringLiteral("trans_tipo"));
        if (tipo && !tipo->IsNull() && tipo->AsInteger() == kTransporteOtro)
            x.HijoCampo(QStringLiteral("TIMT_CODIGO_OTRO"), QStringLiteral("trans_tipo_otro"));
        x.CerrarNodo();

        x.AbrirNodo(QStringLiteral("CONDUCTOR"), DatasetPpal);
        for (const auto &[tag, campo] : {std::pair{"COND_RUT", "cond_rut"}, std::pair{"COND_DV", "cond_dv"},
                                         std::pair{"COND_NOMBRE", "cond_nom"}, std::pair{"COND_APELLIDOPATERNO", "cond_pat"},
                                         std::pair{"COND_APELLIDOMATERNO", "cond_mat"}, std::pair{"COND_DOMICILIO", "cond_dom"},
                                         std::pair{"COND_CIUDAD", "cond_ciu"}})
            x.HijoCampo(QLatin1String(tag), QLatin1String(campo));
        x.CerrarNodo();

        const auto grilla = [this](const char *nombre) { return componentes::grilla(this, QLatin1String(nombre)); };
        SolicitudAlerce::NodoGrilla(x, QStringLiteral("FENRA_ANTERIOR"), grilla("dbgFENRA_guia_ant"),
                                    {{QStringLiteral("NUMERO"), QStringLiteral("nro_fenra")}, {QStringLiteral("FECHA"), QStringLiteral("fecha")}});
        SolicitudAlerce::NodoGrilla(x, QStringLiteral("SII_ANTECEDENTE"), grilla("dbgFENRA_sii"),
                                    {{QStringLiteral("TIPO"), QStringLiteral("tipo_doc")},
                                     {QStringLiteral("NUMERO"), QStringLiteral("nro_doc")},
                                     {QStringLiteral("FECHA"), QStringLiteral("fecha")},
                                     {QStringLiteral("RUT"), QStringLiteral("rut")}});
        SolicitudAlerce::NodoGrilla(x, QStringLiteral("PRODUCTO"), grilla("dbgFENRA_prod_trans"),
                                    {{QStringLiteral("TIPO_PRODUCTO"), QStringLiteral("tipo_prod")},
                                     {QStringLiteral("NRO_PIEZAS"), QStringLiteral("nro_piezas")},
                                     {QStringLiteral("CANTIDAD"), QStringLiteral("cant")},
                                     {QStringLiteral("UNIDAD_MEDIDA"), QStringLiteral("unme_codigo")},
                                     {QStringLiteral("VOLUMEN"), QStringLiteral("volumen")}});
        x.HijoCampo(QStringLiteral("SOLI_OBS"), QStringLiteral("obs_soli"));
        x.CerrarNodo();
    });
}
