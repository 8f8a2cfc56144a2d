#include "tlumofrm_plga.h"

#include "dataset.h"
#include "xml/txml.h"

TlumoFrm_plga::TlumoFrm_plga(QWidget *parent)
    : TlumoFrmGrilla(parent, QStringLiteral("lumoFrm_plga"), QStringLiteral("plga"), QStringLiteral("dbgLumo_raleo"))
{
}

void TlumoFrm_plga::getXML(TXML *xml)
{
    Dataset *ds = Tabla();
    if (!ds || !ds->Active())
        return;
    const Bookmark marca = ds->GetBookmark();
    xml->AbrirNodo(QStringLiteral("RESOLUCION"), ds);
    xml->HijoCampo(QStringLiteral("NRO_CALIFICACION"), QStringLiteral("cmp1"));
    xml->HijoCampo(QStringLiteral("FECHA_CALIFICACION"), QStringLiteral("date1"));
    xml->HijoCampo(QStringLiteral("NOMBRE_CIENTIFICO"), QStringLiteral("cmp2"));
    xml->HijoCampo(QStringLiteral("NOMBRE_COMUN"), QStringLiteral("cmp3"));
    xml->CerrarNodo();
    if (ds->BookmarkValid(marca))
        ds->GotoBookmark(marca);
}
