#include "tlumofrm_srex.h"

#include "componentesformulario.h"
#include "xml/txml.h"

TlumoFrm_srex::TlumoFrm_srex(QWidget *parent)
    : TlumoFrmGrilla(parent, QStringLiteral("lumoFrm_srex"), QStringLiteral("srex"), QStringLiteral("dbgLumo_sirex"))
{
}

void TlumoFrm_srex::prepararTabla(TCustomMDIChild *form)
{
    buscarEnRodales(form, QStringLiteral("num_look"), QStringLiteral("num"));
}

void TlumoFrm_srex::getXML(TXML *xml)
{
    componentes::CursoresGuardados cursores;
    Dataset *ds = cursores(Tabla());
    componentes::paraCadaRegistro(ds, [&](int) {
        xml->AbrirNodo(QStringLiteral("ACTIVIDAD"));
        xml->HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
        xml->Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
        xml->Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QStringLiteral("503"));
        xml->Hijo(QStringLiteral("SUTI_CODIGO"), 1);
        xml->Hijo(QStringLiteral("UNIDAD"), componentes::campo(ds, QStringLiteral("num")));
        xml->Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
        xml->Hijo(QStringLiteral("ANO"), componentes::campo(ds, QStringLiteral("int1")));
        xml->CerrarNodo();
    });
}
