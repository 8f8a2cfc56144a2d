#include "nodospredioxml.h"

#include "dataset.h"
#include "tcustommdichild.h"
#include "xml/txml.h"

namespace NodosPredioXML {

void Firmas(TXML &xml, Dataset *personas, const QString &ciudad)
{
    if (!personas)
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

void Firma(TXML &xml, const TCustomMDIChild *solicitud, const QString &ciudad)
{
    xml.AbrirNodo(QStringLiteral("FIRMA"));
    if (solicitud) {
        xml.Hijo(QStringLiteral("NOMBRE"), solicitud->FirmanteNombre);
        // No signatory chosen yet: no R.U.T. rather than a zero.
        if (solicitud->FirmanteRut > 0)
            xml.Hijo(QStringLiteral("RUT"), solicitud->FirmanteRut);
        xml.Hijo(QStringLiteral("DV"), solicitud->FirmanteDv.isNull() ? QString() : QString(solicitud->FirmanteDv));
        xml.Hijo(QStringLiteral("CIUDAD"), ciudad);
    }
    xml.CerrarNodo();
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
    if (o.sexo)
        xml.HijoCampo(QStringLiteral("SEXO_ID"), QStringLiteral("sexo"));
    xml.HijoCampo(QStringLiteral("PERS_DIRECCION"), QStringLiteral("dom"));
    xml.HijoCampo(QStringLiteral("CIUDAD"), QStringLiteral("ciu"));
    xml.HijoCampo(QStringLiteral("LOCA_COMUNA"), QStringLiteral("com"));
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

void Coordenadas(TXML &xml, Dataset *coordenadas)
{
    xml.AbrirNodo(QStringLiteral("COORDENADA_UTM"), coordenadas);
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

} // namespace NodosPredioXML
