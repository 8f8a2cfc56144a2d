#include "solicitudalerce.h"

#include "componentesformulario.h"
#include "dataset.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "field.h"
#include "gridcolumn.h"
#include "impresion/timpresion.h"
#include "nodospredioxml.h"
#include "seccionpredio.h"
#include "tcustommdichild.h"
#include "xml/txml.h"

namespace SolicitudAlerce {

void Imprimir(TCustomMDIChild *form, TImpresion *imp, const Portada &portada, const std::function<void()> &cuerpo)
{
    ImprimirConCierre(form, imp, form ? form->Codigo : QString(), [&] {
        OpcionesEncabezado encabezado;
        encabezado.saltos = portada.saltos;
        ImprimirEncabezado(imp, form->DirAplicacion, form->Codigo, encabezado);
        ImprimirCajaNumero(imp, portada.caja);
        imp->Titulo(portada.titulo);
        imp->Cr();
        imp->CrLf();
        imp->Seccion();
        cuerpo();
    });
}

void Lineas(TImpresion *imp, const QStringList &lineas)
{
    for (const QString &linea : lineas) {
        if (linea.isEmpty())
            imp->CrLf();
        else
            imp->Texto(linea, taIzquierda);
        imp->Cr();
    }
}

void Productor(TImpresion *imp, const SeccionPredio &seccion, const QStringList &siguientes)
{
    Lineas(imp, QStringList{seccion.lineaProductor()} + siguientes);
    imp->CrLf();
    imp->Seccion();
}

void Tabla(TImpresion *imp, const QString &titulo, DBGrid *grilla)
{
    imp->Texto(titulo, taIzquierda);
    imp->Cr();
    imp->CrLf4();
    if (grilla && grilla->DataSet() && grilla->DataSet()->Active())
        imp->Tabla(grilla);
    imp->CrLf();
    imp->Seccion();
}

QString Lugar(const SeccionPredio &seccion, const QString &campo)
{
    const DBLookupComboBox *combo = seccion.combo(campo);
    return combo ? combo->currentText() : QString();
}

QString Valor(const SeccionPredio &seccion, const QString &parte, const QString &campo)
{
    const Dataset *ds = seccion.tabla(parte);
    return ds && !ds->IsEmpty() ? componentes::texto(componentes::campo(ds, campo)) : QString();
}

void Formulario(TXML &xml, TCustomMDIChild *form, const SeccionPredio &seccion, bool superficieTotal)
{
    NodosPredioXML::CabeceraSolicitud c;
    c.superficieSolicitada = false;
    c.superficieTotal = superficieTotal;
    c.lugarYFecha = false;
    c.ciudadEnFirmas = false;
    NodosPredioXML::FormularioSolicitud(xml, form, seccion, c);
}

void Predio(TXML &xml, const SeccionPredio &seccion, const NodosPredioXML::CabeceraSolicitud &cabecera)
{
    const auto tabla = [&seccion](const char *parte) { return seccion.tabla(QLatin1String(parte)); };
    NodosPredioXML::PredioSolicitud(xml, seccion, cabecera);
    NodosPredioXML::OpcionesPersona personas = NodosPredioXML::OpcionesPropietarios(false);
    NodosPredioXML::Personas(xml, tabla("pro"), personas);
    personas.nodo = QStringLiteral("PROPIETARIOALERCE");
    NodosPredioXML::Personas(xml, tabla("rep"), personas);
    if (seccion.config().coordenadas)
        NodosPredioXML::Coordenadas(xml, tabla("coo"));
    NodosPredioXML::Roles(xml, tabla("rol"));
    NodosPredioXML::Conservador(xml, tabla("con"), tabla("cer"));
}

void NodoGrilla(TXML &xml, const QString &nodo, DBGrid *grilla, const QList<QPair<QString, QString>> &hijos)
{
    if (!grilla || !grilla->DataSet())
        return;
    xml.AbrirNodo(nodo, grilla->DataSet());
    for (const auto &[tag, campo] : hijos) {
        if (campo == QLatin1String("tipo_prod"))
            xml.HijoCampo(tag, campo, TColumnaXML(grilla->ColumnByFieldName(campo)));
        else
            xml.HijoCampo(tag, campo);
    }
    xml.CerrarNodo();
}

QByteArray Exportar(TCustomMDIChild *form, const std::function<void(TXML &)> &escribir)
{
    TXML &x = *form->XML;
    componentes::CursoresGuardados cursores;
    // (A record being edited stays where it is: moving off it would post it.)
    for (Dataset *ds : form->findChildren<Dataset *>())
        if (ds->State() == DatasetState::Browse)
            cursores(ds);
    x.Limpiar();
    escribir(x);
    return x.Texto();
}

} // namespace SolicitudAlerce
