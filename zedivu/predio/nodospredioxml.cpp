#include "nodospredioxml.h"

#include "componentesformulario.h"
#include "dataset.h"
#include "tcustommdichild.h"
#include "tformdescrito.h"
#include "util_texto.h"
#include "xml/txml.h"

namespace NodosPredioXML {

void Firmas(TXML &xml, Dataset *personas, const QString &ciudad)
{
    // Rows without the flag (one property per row) never sign this way.
    if (!personas || !personas->FindField(QStringLiteral("firm")))
        return;
    const QString filtro = personas->Filter();
    const bool filtrado = personas->Filtered();
    personas->setFilter(QStringLiteral("firm = true"));
    personas->setFiltered(true);
    if (!personas->IsEmpty()) {
        xml.AbrirNodo(QStringLiteral("FIRMA"), personas);
        xml.HijoCampo(QStringLiteral("NOMBRE"), QStringLiteral("nom"));
        xml.HijoCampo(QStringLiteral("PATERNO"), QStringLiteral("pat"));
        xml.HijoCampo(QStringLiteral("MATERNO"), QStringLiteral("mat"));
        xml.HijoCampo(QStringLiteral("RUT"), QStringLiteral("rut"));
        xml.HijoCampo(QStringLiteral("DV"), QStringLiteral("dv"));
        if (!ciudad.isEmpty())
            xml.Hijo(QStringLiteral("CIUDAD"), ciudad);
        xml.CerrarNodo();
    }
    personas->setFilter(filtro);
    personas->setFiltered(filtrado);
}

namespace {

void firma(TXML &xml, const TCustomMDIChild *solicitud, const std::function<void()> &ciudad)
{
    xml.AbrirNodo(QStringLiteral("FIRMA"));
    if (solicitud) {
        xml.Hijo(QStringLiteral("NOMBRE"), solicitud->FirmanteNombre);
        // No signatory chosen yet: no R.U.T. rather than a zero.
        if (solicitud->FirmanteRut > 0)
            xml.Hijo(QStringLiteral("RUT"), solicitud->FirmanteRut);
        xml.Hijo(QStringLiteral("DV"), solicitud->FirmanteDv.isNull() ? QString() : QString(solicitud->FirmanteDv));
        ciudad();
    }
    xml.CerrarNodo();
}

} // namespace

void Firma(TXML &xml, const TCustomMDIChild *solicitud, const QString &ciudad)
{
    firma(xml, solicitud, [&] { xml.Hijo(QStringLiteral("CIUDAD"), ciudad); });
}

void Firma(TXML &xml, const TCustomMDIChild *solicitud, const Field *ciudad)
{
    firma(xml, solicitud, [&] { xml.Hijo(QStringLiteral("CIUDAD"), ciudad); });
}

OpcionesPersona OpcionesPropietarios(bool usufructo)
{
    OpcionesPersona o;
    o.usufructo = usufructo;
    return o;
}

OpcionesPersona OpcionesRepresentantes()
{
    OpcionesPersona o;
    o.nodo = QStringLiteral("REPLEGAL");
    o.tipo = QStringLiteral("2");
    o.sexo = false;
    o.telefono = false;
    return o;
}

void Personas(TXML &xml, Dataset *personas, const OpcionesPersona &o)
{
    xml.AbrirNodo(o.nodo, personas);
    xml.HijoCampo(QStringLiteral("PERS_CODIGO"), QStringLiteral("id"));
    if (!o.tipo.isEmpty())
        xml.Hijo(QStringLiteral("PERS_TIPO"), o.tipo);
    xml.Hijo(QStringLiteral("TIPR_CODIGO"), o.tipoRegistro);
    xml.HijoCampo(QStringLiteral("PERS_RUT"), QStringLiteral("rut"));
    xml.HijoCampo(QStringLiteral("PERS_DV"), QStringLiteral("dv"));
    xml.HijoCampo(QStringLiteral("PERS_NOMBRE"), QStringLiteral("nom"));
    xml.HijoCampo(QStringLiteral("PERS_PATERNO"), QStringLiteral("pat"));
    xml.HijoCampo(QStringLiteral("PERS_MATERNO"), QStringLiteral("mat"));
    if (o.sexo && !o.sexoTrasDireccion)
        xml.HijoCampo(QStringLiteral("SEXO_ID"), QStringLiteral("sexo"));
    xml.HijoCampo(QStringLiteral("PERS_DIRECCION"), QStringLiteral("dom"));
    if (o.comunaAntesQueCiudad)
        xml.HijoCampo(QStringLiteral("LOCA_COMUNA"), QStringLiteral("com"));
    if (o.ciudad)
        xml.HijoCampo(QStringLiteral("CIUDAD"), QStringLiteral("ciu"));
    if (!o.comunaAntesQueCiudad)
        xml.HijoCampo(QStringLiteral("LOCA_COMUNA"), QStringLiteral("com"));
    if (o.sexo && o.sexoTrasDireccion)
        xml.HijoCampo(QStringLiteral("SEXO_ID"), QStringLiteral("sexo"));
    if (o.firma)
        xml.HijoCampo(QStringLiteral("PERS_FIRMA"), QStringLiteral("firm"));
    if (o.telefono)
        xml.HijoCampo(QStringLiteral("PERS_TELEFONO"), QStringLiteral("fono"));
    if (o.usufructo)
        xml.HijoCampo(QStringLiteral("PERS_USUFRUCTUARIO"), QStringLiteral("usuf"));
    xml.CerrarNodo();
}

void Roles(TXML &xml, Dataset *roles)
{
    xml.AbrirNodo(QStringLiteral("ROL"), roles);
    xml.HijoCampo(QStringLiteral("NUMERO"), QStringLiteral("rol"));
    xml.HijoCampo(QStringLiteral("COMUNA"), QStringLiteral("com"));
    xml.CerrarNodo();
}

void RolesContiguos(TXML &xml, Dataset *roles)
{
    xml.AbrirNodo(QStringLiteral("ROL_CONTIGUO"), roles);
    xml.HijoCampo(QStringLiteral("NUMERO"), QStringLiteral("rol"));
    xml.CerrarNodo();
}

void Coordenadas(TXML &xml, Dataset *coordenadas, bool orden)
{
    xml.AbrirNodo(QStringLiteral("COORDENADA_UTM"), coordenadas);
    if (orden)
        xml.HijoCampo(QStringLiteral("COOR_ORDEN"), QStringLiteral("id"));
    xml.HijoCampo(QStringLiteral("PUNTO_REFERENCIA"), QStringLiteral("pun"));
    xml.HijoCampo(QStringLiteral("NORTE"), QStringLiteral("n"));
    xml.HijoCampo(QStringLiteral("ESTE"), QStringLiteral("e"));
    xml.CerrarNodo();
}

void Conservador(TXML &xml, Dataset *inscripciones, Dataset *certificados)
{
    if (inscripciones && !inscripciones->IsEmpty()) {
        xml.AbrirNodo(QStringLiteral("CONSERVADOR"), inscripciones);
        xml.HijoCampo(QStringLiteral("CONS_CODIGO"), QStringLiteral("id"));
        xml.HijoCampo(QStringLiteral("CONS_FOJAS"), QStringLiteral("foj"));
        xml.HijoCampo(QStringLiteral("CONS_NUMERO"), QStringLiteral("num"));
        xml.HijoCampo(QStringLiteral("CONS_CONSERVADOR"), QStringLiteral("con"));
        xml.HijoCampo(QStringLiteral("CONS_AGNO"), QStringLiteral("ano"));
        xml.CerrarNodo();
    }
    if (certificados && !certificados->IsEmpty()) {
        xml.AbrirNodo(QStringLiteral("CONSERVADOR"), certificados);
        xml.HijoCampo(QStringLiteral("CONS_CODIGO"), QStringLiteral("id"));
        xml.HijoCampo(QStringLiteral("CONS_CERTBN"), QStringLiteral("cer"));
        xml.HijoCampo(QStringLiteral("CONS_FECHA"), QStringLiteral("fec"));
        xml.CerrarNodo();
    }
}

// --- the head of a bound form

namespace {

using componentes::campo;
using componentes::texto;

QString textoEditOpcional(const TFormDescrito *form, const QString &nombre)
{
    const QLineEdit *e = findComponent<QLineEdit>(form, nombre);
    return e ? e->text() : QString();
}

} // namespace

Cabecera CabeceraEstudio(bool lugar)
{
    Cabecera cabecera;
    cabecera.fechaYCiudadPorCampo = true;
    cabecera.lugar = lugar;
    return cabecera;
}

void Formulario(TXML &xml, TFormDescrito *form, Dataset *ppal, const Cabecera &cabecera)
{
    const TCustomMDIChild *padre = form->Padre();
    xml.AbrirNodo(QStringLiteral("FORMULARIO"), ppal);
    xml.Hijo(QStringLiteral("TISO_CODIGO"), cabecera.tisoCodigo != 0 ? cabecera.tisoCodigo : form->TisoCodigo);
    xml.Hijo(QStringLiteral("VERSION"), GetProgramVersion(QString()));
    if (padre)
        xml.Hijo(QStringLiteral("TISO_CODIGO_DE"), padre->TisoCodigo);
    xml.Hijo(QStringLiteral("SOLI_SUP_SOLICITADA"), textoEditOpcional(form, QStringLiteral("edt_sup_afe")));
    xml.Hijo(QStringLiteral("SOLI_SUP_TOTAL"), componentes::textoEdit(form, QStringLiteral("edt_sup")));
    xml.Hijo(QStringLiteral("ESTA_CODIGO"), 1);
    if (const Field *resJud = campo(ppal, QStringLiteral("resJud_tiene"))) {
        const bool tiene = resJud->AsBoolean();
        xml.Hijo(QStringLiteral("RESOJUDI"), tiene ? 1 : 0);
        if (tiene)
            xml.Hijo(QStringLiteral("RESOJUDI_OBS"), componentes::textoMemo(form, QStringLiteral("mem_resJud_desc")));
    }
    if (padre) {
        const Dataset *padrePpal = form->PadreTabla();
        const Field *fecha = campo(padrePpal, QStringLiteral("fec"));
        const Field *ciudad = campo(padrePpal, QStringLiteral("ciu"));
        if (cabecera.lugar)
            xml.Hijo(QStringLiteral("LUGAR"), ciudad); // as the request writes it
        if (cabecera.fechaYCiudadPorCampo)
            xml.Hijo(QStringLiteral("FECHA"), fecha);
        else
            xml.Hijo(QStringLiteral("FECHA"), texto(fecha)); // the request's date as it shows it
        if (cabecera.formulario)
            cabecera.formulario(xml);
        if (!cabecera.firmaEnPredio) {
            if (cabecera.fechaYCiudadPorCampo)
                Firma(xml, padre, ciudad);
            else
                Firma(xml, padre, texto(ciudad));
        }
    } else if (cabecera.formulario) {
        cabecera.formulario(xml);
    }
}

void Predio(TXML &xml, TFormDescrito *form, Dataset *ppal, const Cabecera &cabecera)
{
    xml.AbrirNodo(QStringLiteral("PREDIO"), ppal);
    xml.Hijo(QStringLiteral("PRED_CODIGO"), textoEditOpcional(form, QStringLiteral("edt_cod_pre")));
    const auto valorCombo = [form](const QString &nombre) {
        const DBLookupComboBox *c = componentes::componente<DBLookupComboBox>(form, nombre);
        return c ? texto(c->field()) : QString();
    };
    xml.Hijo(QStringLiteral("LOCALIDAD.REGION"), valorCombo(QStringLiteral("lcb_reg")));
    xml.Hijo(QStringLiteral("LOCALIDAD.PROVINCIA"), valorCombo(QStringLiteral("lcb_prv")));
    xml.Hijo(QStringLiteral("LOCALIDAD.COMUNA"), valorCombo(QStringLiteral("lcb_com")));
    xml.Hijo(QStringLiteral("NOMBRE"), componentes::textoEdit(form, QStringLiteral("edt_nom_pre")));
    xml.Hijo(QStringLiteral("SUPERFICIE_ET"), componentes::textoEdit(form, QStringLiteral("edt_sup")));
    xml.Hijo(QStringLiteral("SUPERFICIE_SII"), componentes::textoEdit(form, QStringLiteral("edt_sup_sii")));
    xml.Hijo(QStringLiteral("SUPERFICIE_TD"), componentes::textoEdit(form, QStringLiteral("edt_sup_tit")));
    xml.Hijo(QStringLiteral("ACCESO"), componentes::textoMemo(form, QStringLiteral("mem_via")));
    xml.Hijo(QStringLiteral("PRED_ESTADO"), 1);
    if (cabecera.predio)
        cabecera.predio(xml);
}

void Solicitud(TXML &xml, TFormDescrito *form, const Cabecera &cabecera)
{
    const bool generico = cabecera.disposicion == Cabecera::Disposicion::Generico;
    const bool dalu = generico || cabecera.disposicion == Cabecera::Disposicion::Dalu;
    componentes::CursoresGuardados cursores;
    // A table of the request: null (and nothing written) when it is missing or closed.
    const auto tabla = [&](const char *sufijo) -> Dataset * {
        Dataset *ds = form->Padre() ? cursores(form->PadreTabla(QLatin1String(sufijo))) : nullptr;
        return ds && ds->Active() ? ds : nullptr;
    };
    if (Dataset *roles = tabla("rol"))
        Roles(xml, roles);
    if (Dataset *propietarios = tabla("pro")) {
        OpcionesPersona opciones = OpcionesPropietarios(false);
        opciones.sexo = opciones.firma = opciones.telefono = false;
        opciones.ciudad = cabecera.ciudadPropietarios;
        if (dalu) {
            opciones.tipo.clear();
            opciones.tipoRegistro = QStringLiteral("1");
            opciones.comunaAntesQueCiudad = true;
        }
        if (generico)
            opciones.sexo = opciones.firma = opciones.sexoTrasDireccion = true;
        Personas(xml, propietarios, opciones);
    }
    if (cabecera.trasPropietarios)
        cabecera.trasPropietarios(xml);
    if (Dataset *coordenadas = tabla("coo"))
        Coordenadas(xml, coordenadas, !dalu);
    if (Dataset *contiguos = tabla("rol_con"))
        RolesContiguos(xml, contiguos);
    if (cabecera.firmaEnPredio && form->Padre())
        Firma(xml, form->Padre(), texto(campo(form->PadreTabla(), QStringLiteral("ciu"))));
}

void Encabezado(TXML &xml, TFormDescrito *form, Dataset *ppal, const Cabecera &cabecera)
{
    Formulario(xml, form, ppal, cabecera);
    Predio(xml, form, ppal, cabecera);
    Solicitud(xml, form, cabecera);
}

QByteArray Exportacion(TFormDescrito *form, const Cabecera &cabecera,
                       const std::function<void(TXML &, componentes::CursoresGuardados &)> &cuerpo)
{
    Dataset *ppal = componentes::tabla(form, QString());
    if (!form->XML || !ppal || !ppal->Active())
        return {};
    TXML &xml = *form->XML;
    xml.Limpiar();
    {
        componentes::CursoresGuardados cursores;
        Encabezado(xml, form, cursores(ppal), cabecera);
        cuerpo(xml, cursores);
    }
    xml.CerrarNodo(); // PREDIO
    xml.CerrarNodo(); // FORMULARIO
    return xml.Texto();
}

} // namespace NodosPredioXML
