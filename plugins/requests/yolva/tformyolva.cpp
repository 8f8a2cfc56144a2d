#include "tformyolva.h"

#include "abort.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "connection.h"
#include "dataset.h"
#include "field.h"
#include "impresion/timpresion.h"
#include "predio/seccionpredio.h"
#include "predio/solicitudalerce.h"
#include "predio/volumenproducto.h"
#include "xml/txml.h"

BRENVIK_REGISTER_WINDOW(TFormYolva, "TFormYolva");

TFormYolva::TFormYolva(QWidget *owner)
    : TFormSolicitudPredio(owner, QStringLiteral("YOLVA"), ConfiguracionPredio::simple(QStringLiteral("yolva")),
                           QStringLiteral("SOLICITUD DECLARACIÓN EXISTENCIA"))
{
}

void TFormYolva::Nuevo()
{
    TFormSolicitudPredio::Nuevo();
    if (!DatasetPpal)
        return;
    // Unit 11 needs no factor; any other the product's own (an "other" product has none).
    VolumenProducto::Configuracion volumen;
    volumen.validarVolumen = true;
    VolumenProducto::enlazarAlAbrir(this, QStringLiteral("adtYOLVA_prod_exist"), volumen);
    if (Dataset *antecedentes = findChild<Dataset *>(QStringLiteral("adtYOLVA_guia_ant")))
        antecedentes->BeforePost = [this, previo = antecedentes->BeforePost](Dataset *d) {
            if (previo)
                previo(d);
            ValidarAntecedente(d);
        };
}

void TFormYolva::ValidarAntecedente(Dataset *ds)
{
    Connection *bd = ds ? ds->connection() : nullptr;
    const Field *tipo = componentes::campo(ds, QStringLiteral("tipo"));
    if (!bd || !tipo || tipo->IsNull())
        return;
    // The other rows only: the row being edited is stored with what it held before.
    const Field *id = componentes::campo(ds, QStringLiteral("id_guia_ant"));
    const bool guardada = id && !id->IsNull();
    const auto cuenta = [&](const QString &condicion, const QVariant &valor) {
        QString sql = QStringLiteral("SELECT count(nro_fenra) FROM yolva_guia_ant WHERE ") + condicion;
        QVariantList params{valor};
        if (guardada) {
            sql += QStringLiteral(" AND id_guia_ant <> ?");
            params << id->Value();
        }
        const QueryResult r = bd->select(sql, params);
        if (!r.ok) {
            DialogoError(QStringLiteral("No se pudo revisar las solicitudes anteriores:\n") + r.error.text());
            Abort();
        }
        return r.rows.isEmpty() ? 0 : r.rows.first().value(0).toInt();
    };
    const int valor = tipo->AsInteger();
    if (valor == kPlanExtraccion && cuenta(QStringLiteral("tipo = ?"), valor) != 0) {
        DialogoError(QStringLiteral("Solo puede ingresar un plan de extracción"));
        Abort();
    }
    const int mezcla = valor == kPlanExtraccion ? cuenta(QStringLiteral("tipo <> ?"), kPlanExtraccion)
                                                : cuenta(QStringLiteral("tipo = ?"), kPlanExtraccion);
    if (mezcla != 0) {
        DialogoError(QStringLiteral("No puede mezclar plan de extracción con guias"));
        Abort();
    }
}

void TFormYolva::ComponerImpresion(TImpresion *imp)
{
    if (!Predio() || !DatasetPpal)
        return;
    SolicitudAlerce::Portada portada;
    portada.caja.texto = QStringLiteral("Nº Solicitud        _________________\n"
                                        "Fecha               _________________\n"
                                        "Nº Reg. Prod./Com.: _________________");
    portada.caja.ancho = 100;
    portada.caja.desdeDerecha = 100;
    portada.caja.usoOkran = false;
    portada.saltos = false;
    portada.titulo = QStringLiteral("SOLICITUD DECLARACIÓN EXISTENCIA\nPRODUCTOS ALERCE MUERTO \nD.S. Nº 490, MINISTERIO DE AGRICULTURA, 1976");
    SeccionPredio &predio = *Predio();
    SolicitudAlerce::Imprimir(this, imp, portada, [&] {
        SolicitudAlerce::Productor(
            imp, predio,
            {QStringLiteral("   Productor/comerciante de maderas de Alerce Muerto, solicito declarar existencias de productos de alerce"),
             QStringLiteral("   muerto, para lo cual declaro bajo juramento que los datos entregados a continuación, son verdaderos:"),
             QStringLiteral("   DOMICILIO ") + SolicitudAlerce::Valor(predio, QStringLiteral("rep"), QStringLiteral("dom"))});
        SolicitudAlerce::Lineas(imp, {QStringLiteral("2. LUGAR DONDE SE ENCUENTRAN \n   LOS PRODUCTOS:")
                                          + componentes::texto(predio.campo(QStringLiteral("nom_pre"))),
                                      QStringLiteral("   Comuna   :") + SolicitudAlerce::Lugar(predio, QStringLiteral("com")),
                                      QStringLiteral("   Provincia:") + SolicitudAlerce::Lugar(predio, QStringLiteral("prv"))});
        imp->CrLf();
        imp->Seccion();
        SolicitudAlerce::Tabla(imp, QStringLiteral("3. ANTECEDENTES ANTERIORES:"), componentes::grilla(this, QStringLiteral("dbgYOLVA_guia_ant")));
        SolicitudAlerce::Tabla(imp, QStringLiteral("4. PRODUCTOS EXISTENTES:"), componentes::grilla(this, QStringLiteral("dbgYOLVA_prod_exist")));
    });
}

QByteArray TFormYolva::PrepararXML()
{
    if (!Predio() || !DatasetPpal)
        return {};
    return SolicitudAlerce::Exportar(this, [this](TXML &x) {
        SolicitudAlerce::Formulario(x, this, *Predio(), true);
        SolicitudAlerce::Predio(x, *Predio());
        SolicitudAlerce::NodoGrilla(x, QStringLiteral("FENRA_ANTERIOR"), componentes::grilla(this, QStringLiteral("dbgYOLVA_guia_ant")),
                                    {{QStringLiteral("NUMERO"), QStringLiteral("nro_fenra")},
                                     {QStringLiteral("FECHA"), QStringLiteral("fecha")},
                                     {QStringLiteral("TIPO"), QStringLiteral("tipo")}});
        SolicitudAlerce::NodoGrilla(x, QStringLiteral("PRODUCTO"), componentes::grilla(this, QStringLiteral("dbgYOLVA_prod_exist")),
                                    {{QStringLiteral("TIPO_PRODUCTO"), QStringLiteral("tipo_prod")},
                                     {QStringLiteral("NRO_PIEZAS"), QStringLiteral("nro_piezas")},
                                     {QStringLiteral("CANTIDAD"), QStringLiteral("cant")},
                                     {QStringLiteral("VOLUMEN"), QStringLiteral("volumen")},
                                     {QStringLiteral("UNIDAD_MEDIDA"), QStringLiteral("unme_codigo")}});
        x.CerrarNodo();
        x.CerrarNodo();
    });
}
