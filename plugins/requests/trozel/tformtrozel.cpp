#include "tformtrozel.h"

#include "classregistry.h"
#include "componentesformulario.h"
#include "dataset.h"
#include "impresion/timpresion.h"
#include "predio/seccionpredio.h"
#include "predio/solicitudalerce.h"
#include "predio/volumenproducto.h"
#include "xml/txml.h"

BRENVIK_REGISTER_WINDOW(TFormTrozel, "TFormTrozel");

TFormTrozel::TFormTrozel(QWidget *owner)
    : TFormSolicitudPredio(owner, QStringLiteral("TROZEL"), ConfiguracionPredio::simple(QStringLiteral("trozel")),
                           QStringLiteral("SOLICITUD DE MARCAJE"))
{
}

void TFormTrozel::Nuevo()
{
    TFormSolicitudPredio::Nuevo();
    if (!DatasetPpal)
        return;
    // Every unit needs the product's factor, unit 11 too; an "other" product is checked
    // as product 18. Nothing is computed: the marking has no volume.
    VolumenProducto::Configuracion unidad;
    unidad.productoNegativoEs18 = true;
    unidad.unidadDirectaSinControl = false;
    unidad.calcular = false;
    VolumenProducto::enlazarAlAbrir(this, QStringLiteral("adtTROZEL_ant"), unidad);
}

QString TFormTrozel::LineaRoles() const
{
    QString linea;
    componentes::CursoresGuardados cursores;
    Dataset *roles = cursores(Predio() ? Predio()->tabla(QStringLiteral("rol")) : nullptr);
    componentes::paraCadaRegistro(roles, [&](int) {
        linea += componentes::texto(roles->FindField(QStringLiteral("rol"))) + QStringLiteral("; ");
    });
    return linea;
}

void TFormTrozel::ComponerImpresion(TImpresion *imp)
{
    if (!Predio() || !DatasetPpal)
        return;
    SolicitudAlerce::Portada portada;
    portada.caja.texto = QStringLiteral("Nº       ____________________________\nFecha   _____________________________");
    portada.caja.ancho = 100;
    portada.caja.alto = 30;
    // As wide as Yolva's box and ending, as it does, at the right margin (63 mm from it
    // would put 37 mm of the box beyond the paper's printable width).
    portada.caja.desdeDerecha = 100;
    portada.caja.usoOkran = false;
    portada.saltos = false;
    portada.titulo = QStringLiteral("SOLICITUD DE MARCAJE\nPRODUCTOS DE ALERCE MUERTO \nD.S. Nº 490, MINISTERIO DE AGRICULTURA, 1976");
    SeccionPredio &predio = *Predio();
    SolicitudAlerce::Imprimir(this, imp, portada, [&] {
        SolicitudAlerce::Productor(
            imp, predio,
            {QStringLiteral("   Productor de maderas de Alerce Muerto, solicito la marcación de productos de alerce muerto extraídos"),
             QStringLiteral("   en conformidad a los antecedentes que expongo a continuación:")});
        SolicitudAlerce::Lineas(imp, {QStringLiteral("2. ANTECEDENTES DEL PREDIO"),
                                      QStringLiteral("   Nombre del predio:") + componentes::texto(predio.campo(QStringLiteral("nom_pre"))),
                                      QStringLiteral("   Rol avalúo:"), LineaRoles(),
                                      QStringLiteral("   Comuna:") + SolicitudAlerce::Lugar(predio, QStringLiteral("com")),
                                      QStringLiteral("   Provincia:") + SolicitudAlerce::Lugar(predio, QStringLiteral("prv"))});
        imp->CrLf();
        imp->Seccion();
        SolicitudAlerce::Tabla(imp, QStringLiteral("3. ANTECEDENTES DE LA SOLICITUD DE MARCAJE"), componentes::grilla(this, QStringLiteral("dbgTROZEL_ant")));
    });
}

QByteArray TFormTrozel::PrepararXML()
{
    if (!Predio() || !DatasetPpal)
        return {};
    return SolicitudAlerce::Exportar(this, [this](TXML &x) {
        SolicitudAlerce::Formulario(x, this, *Predio(), true);
        SolicitudAlerce::Predio(x, *Predio());
        SolicitudAlerce::NodoGrilla(x, QStringLiteral("PRODUCTO"), componentes::grilla(this, QStringLiteral("dbgTROZEL_ant")),
                                    {{QStringLiteral("RESOLUCION"), QStringLiteral("num_certif")},
                                     {QStringLiteral("TIPO_PRODUCTO"), QStringLiteral("tipo_prod")},
                                     {QStringLiteral("UNIDAD_MEDIDA"), QStringLiteral("unme_codigo")},
                                     {QStringLiteral("CANTIDAD"), QStringLiteral("cant")}});
        x.CerrarNodo();
        x.CerrarNodo();
    });
}
