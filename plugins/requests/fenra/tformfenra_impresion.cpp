// The printed guide.
#include "tformfenra.h"

#include "componentesformulario.h"
#include "dbcombobox.h"
#include "impresion/timpresion.h"
#include "predio/seccionpredio.h"
#include "predio/solicitudalerce.h"

namespace {

QString textoCombo(const TCustomMDIChild *form, const QString &nombre)
{
    const auto *c = componentes::componente<DBComboBox>(form, nombre);
    return c ? c->currentText() : QString();
}

} // namespace

void TFormFenra::imprimirLugar(TImpresion *imp, SeccionPredio &seccion, const QString &titulo, const QString &comboTipo)
{
    const ConfiguracionPredio &cfg = seccion.config();
    SolicitudAlerce::Lineas(imp, {titulo + componentes::texto(seccion.campo(cfg.campoNombre))});
    imp->CrLf4();
    seccion.imprimirLugar(imp);
    // The kinds as their combos show them: the stored code means nothing on paper.
    imp->Campo(QStringLiteral("Tipo Predio:"), textoCombo(this, comboTipo), lpLeft);
    imp->Cr();
    imp->CrLf4();
    imp->Seccion();
    SolicitudAlerce::Tabla(imp, QStringLiteral("COORDENADAS U.T.M.:"), seccion.grilla(QStringLiteral("coo")));
    imp->Campo(QStringLiteral("Vías de Acceso:"), seccion.campo(cfg.campoUbicacion), lpLeft);
    imp->Cr();
    imp->CrLf();
    imp->Seccion();
}

void TFormFenra::ComponerImpresion(TImpresion *imp)
{
    if (!Predio() || !m_destino || !DatasetPpal)
        return;
    SolicitudAlerce::Portada portada;
    portada.caja.texto = QStringLiteral("Nº Solicitud                         _________________\n"
                                        "Fecha                                _________________\n"
                                        "Nº Registro Productor/Comerciante    _________________\n"
                                        "Nº Certificado Plan Extraccion       _________________\n"
                                        "Fecha vencimiento Plan de Extraccion _________________");
    portada.caja.ancho = 130;
    portada.caja.desdeDerecha = 130;
    portada.caja.usoOkran = false;
    portada.titulo = QStringLiteral("SOLICITUD DE GUIA DE LIBRE TRANSITO\nD.S. Nº 490, MINISTERIO DE AGRICULTURA, 1976");
    const auto ppal = [this](const char *nombre) { return componentes::texto(componentes::campo(DatasetPpal, QLatin1String(nombre))); };
    const auto origen = [this](const char *nombre) { return SolicitudAlerce::Valor(*Predio(), QStringLiteral("rep"), QLatin1String(nombre)); };
    const auto destino = [this](const char *nombre) { return SolicitudAlerce::Valor(*m_destino, QStringLiteral("rep"), QLatin1String(nombre)); };

    SolicitudAlerce::Imprimir(this, imp, portada, [&] {
        SolicitudAlerce::Productor(
            imp, *Predio(),
            {QStringLiteral("   Productor/comerciante de maderas de Alerce Muerto, solicito se me otorgue una guía de libre transito,"),
             QStringLiteral("   para lo cual declaro bajo juramento que los datos entregados a continuación, son verdaderos:"),
             QStringLiteral("   DOMICILIO REMITENTE: ") + origen("dom") + QStringLiteral("       COMUNA: ") + origen("com_look")});

        imprimirLugar(imp, *Predio(), QStringLiteral("2. LUGAR DE DESPACHO DEL PRODUCTO: "), QStringLiteral("dbcb_tipo_pre2"));

        QStringList transporte{QStringLiteral("3. MEDIO DE TRANSPORTE: ") + textoCombo(this, QStringLiteral("dbcb_tran_tipo"))};
        const Field *tipo = componentes::campo(DatasetPpal, QStringLiteral("trans_tipo"));
        if (tipo && !tipo->IsNull() && tipo->AsInteger() == kTransporteOtro)
            transporte << QStringLiteral("       TIPO   : ") + ppal("trans_tipo_otro");
        transporte << QStringLiteral("       PATENTE: ") + ppal("trasn_patente") << QString();
        transporte << QStringLiteral("4. CONDUCTOR: ") + ppal("cond_nom") + QLatin1Char(' ') + ppal("cond_pat") + QLatin1Char(' ')
                + ppal("cond_mat") + QLatin1Char(' ');
        transporte << QStringLiteral("   RUT:       ") + ppal("cond_rut") + QLatin1Char('-') + ppal("cond_dv")
                + QStringLiteral("       DOMICILIO: ") + ppal("cond_dom");
        SolicitudAlerce::Lineas(imp, transporte);
        imp->CrLf();
        imp->Seccion();

        SolicitudAlerce::Lineas(imp, {QStringLiteral("5. DESTINATARIO: ") + destino("nom") + QLatin1Char(' ') + destino("pat")
                                          + QLatin1Char(' ') + destino("mat") + QStringLiteral("       RUT:    ") + destino("rut")
                                          + QLatin1Char('-') + destino("dv"),
                                      QStringLiteral("   DOMICILIO:    ") + destino("dom") + QStringLiteral("       CIUDAD: ")
                                          + destino("ciu")});
        imp->CrLf();
        imp->Seccion();

        imprimirLugar(imp, *m_destino, QStringLiteral("6. LUGAR DE ENTREGA: "), QStringLiteral("dbcb_tipo_pre"));

        const auto grilla = [this](const char *nombre) { return componentes::grilla(this, QLatin1String(nombre)); };
        SolicitudAlerce::Tabla(imp, QStringLiteral("7. GUIAS ANTERIORES:"), grilla("dbgFENRA_guia_ant"));
        SolicitudAlerce::Tabla(imp, QStringLiteral("8. SII:"), grilla("dbgFENRA_sii"));
        SolicitudAlerce::Tabla(imp, QStringLiteral("PRODUCTOS A TRANSPORTAR:"), grilla("dbgFENRA_prod_trans"));
        imp->Campo(QStringLiteral("Observaciones de la Guía:"), componentes::campo(DatasetPpal, QStringLiteral("obs_soli")), lpAbove);
        imp->Cr();
        imp->CrLf();
        imp->Seccion();

        imp->SubTitulo(QStringLiteral("Uso exclusivo de la Okran"), taIzquierda);
        imp->Cr();
        imp->CrLf4();
        SolicitudAlerce::Lineas(imp, {QStringLiteral("Observaciones:_______________________________________________________"), QString()});
        imp->Campo(QStringLiteral("FECHA DE INGRESO:"), componentes::campo(DatasetPpal, QStringLiteral("fec")), lpLeft);
        imp->Cr();
        imp->CrLf();
        imp->Seccion();
    });
}
