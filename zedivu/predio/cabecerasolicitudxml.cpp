#include "cabecerasolicitudxml.h"

#include "dataset.h"
#include "dbedit.h"
#include "field.h"
#include "formcomponents.h"
#include "nodospredioxml.h"
#include "seccionpredio.h"
#include "tcustommdichild.h"
#include "tlistaformularios.h"
#include "util_texto.h"
#include "xml/txml.h"

namespace NodosPredioXML {

void FormularioSolicitud(TXML &xml, TCustomMDIChild *form, const SeccionPredio &seccion, const CabeceraSolicitud &c)
{
    Dataset *ppal = form->DatasetPpal;
    const ConfiguracionPredio &cfg = seccion.config();
    // A leaf of the main record: registered for every record, or of the current one.
    const auto hojaCampo = [&](const QString &tag, const QString &nombre) {
        if (c.registroActual)
            xml.Hijo(tag, seccion.campo(nombre));
        else
            xml.HijoCampo(tag, nombre);
    };
    if (c.registroActual)
        xml.AbrirNodo(QStringLiteral("FORMULARIO"));
    else
        xml.AbrirNodo(QStringLiteral("FORMULARIO"), ppal);
    xml.Hijo(QStringLiteral("TISO_CODIGO"), form->TisoCodigo);
    xml.Hijo(QStringLiteral("VERSION"), GetProgramVersion(QString()));
    if (c.tisoPropio) {
        xml.Hijo(QStringLiteral("TISO_CODIGO_DE"), form->TisoCodigo);
    } else {
        TListaFormularios lista;
        lista.SetBBDD(form->DirAplicacion + QStringLiteral("bbdd/bd.db"));
        xml.Hijo(QStringLiteral("TISO_CODIGO_DE"), lista.GetCodigo(form->CodigoPpal));
    }
    if (c.superficieSolicitada) {
        auto *supAfe = findComponent<DBEdit>(form, QStringLiteral("dbe_sup_afe"));
        xml.Hijo(QStringLiteral("SOLI_SUP_SOLICITADA"), supAfe ? supAfe->text() : QString());
    }
    if (c.superficieTotal)
        hojaCampo(QStringLiteral("SOLI_SUP_TOTAL"), cfg.campoSuperficie);
    else
        xml.Hijo(QStringLiteral("SOLI_SUP_TOTAL"), QStringLiteral("0"));
    xml.Hijo(QStringLiteral("ESTA_CODIGO"), QStringLiteral("1"));
    const Field *ciudad = seccion.campo(cfg.campoCiudad);
    if (c.lugarYFecha) {
        hojaCampo(QStringLiteral("LUGAR"), cfg.campoCiudad);
        const Field *fecha = seccion.campo(cfg.campoFecha);
        xml.Hijo(QStringLiteral("FECHA"), fecha ? fecha->DisplayText() : QString());
    }
    const QString ciudadFirmas = c.ciudadEnFirmas && ciudad ? ciudad->AsString() : QString();
    Firmas(xml, seccion.tabla(QStringLiteral("pro")), ciudadFirmas);
    Firmas(xml, seccion.tabla(QStringLiteral("rep")), ciudadFirmas);
}

void PredioSolicitud(TXML &xml, const SeccionPredio &seccion, const CabeceraSolicitud &c)
{
    const ConfiguracionPredio &cfg = seccion.config();
    if (const Field *codigo = seccion.campo(cfg.campoCodigo))
        xml.AbrirNodo(QStringLiteral("PREDIO"), codigo->DataSet());
    else
        xml.AbrirNodo(QStringLiteral("PREDIO"));
    const auto hoja = [&](const char *nodo, const QString &campo) {
        if (seccion.campo(campo))
            xml.HijoCampo(QLatin1String(nodo), campo);
    };
    hoja("PRED_CODIGO", cfg.campoCodigo);
    if (c.trasCodigo)
        c.trasCodigo(xml);
    hoja("LOCALIDAD.REGION", cfg.campoRegion);
    hoja("LOCALIDAD.PROVINCIA", cfg.campoProvincia);
    hoja("LOCALIDAD.COMUNA", cfg.campoComuna);
    if (c.trasLocalidad)
        c.trasLocalidad(xml);
    hoja("NOMBRE", cfg.campoNombre);
    hoja("SUPERFICIE_ET", cfg.campoSuperficie);
    hoja("SUPERFICIE_SII", cfg.campoSuperficieSii);
    hoja("SUPERFICIE_TD", cfg.campoSuperficieTitulo);
    if (c.acceso)
        Acceso(xml, seccion);
    if (c.predio)
        c.predio(xml);
    xml.Hijo(QStringLiteral("PRED_ESTADO"), QStringLiteral("1"));
}

void Acceso(TXML &xml, const SeccionPredio &seccion)
{
    const QString &via = seccion.config().campoUbicacion;
    if (seccion.campo(via))
        xml.HijoCampo(QStringLiteral("ACCESO"), via);
}

} // namespace NodosPredioXML
