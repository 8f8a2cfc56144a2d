#include "tlumofrm_bqmd.h"

#include "componentesformulario.h"
#include "connection.h"
#include "query.h"
#include "xml/txml.h"

TlumoFrm_bqmd::TlumoFrm_bqmd(QWidget *parent)
    : TlumoFrmGrilla(parent, QStringLiteral("lumoFrm_bqmd"), QStringLiteral("bqmd"), QStringLiteral("dbgLumo_bQmdo"))
{
}

void TlumoFrm_bqmd::prepararTabla(TCustomMDIChild *form)
{
    m_form = form;
    buscarEnRodales(form, QStringLiteral("num_look"), QStringLiteral("num"));
    buscarEnRodales(form, QStringLiteral("sup_look"), QStringLiteral("sup"));
    if (form)
        form->ComboExterno(Grilla(), QStringLiteral("cmp1"), tceBosque);
}

void TlumoFrm_bqmd::getXML(TXML *xml)
{
    Dataset *propia = Tabla();
    if (!m_form || !propia || !propia->connection() || !propia->connection()->isOpen())
        return;
    // Read as a dataset, so that the fire date is the date field's (dd/mm/yyyy) and the
    // figures the program's.
    Query filas;
    filas.setConnection(propia->connection());
    filas.setSQL(QStringLiteral("SELECT c.id, c.num, c.sup, c.esp, c.den, g.date1, g.cmp1 FROM lumo_car c, lumo_frmLumo g "
                                "WHERE c.num = g.num ORDER BY c.id, g.id"));
    if (!filas.Open())
        return;
    componentes::paraCadaRegistro(&filas, [&](int) {
        xml->AbrirNodo(QStringLiteral("RODAL"));
        xml->Hijo(QStringLiteral("CODIGO"), componentes::campo(&filas, QStringLiteral("num")));
        xml->Hijo(QStringLiteral("NUMERO"), componentes::campo(&filas, QStringLiteral("num")));
        xml->Hijo(QStringLiteral("SUPERFICIE"), componentes::campo(&filas, QStringLiteral("sup")));
        xml->Hijo(QStringLiteral("FECHA_INCENDIO"), componentes::campo(&filas, QStringLiteral("date1")));
        // The stand's species by name, each found as the writer finds every species name.
        xml->ImprimirTag(QStringLiteral("ESPECIE"), componentes::campo(&filas, QStringLiteral("esp")), tsmEspecie);
        xml->Hijo(QStringLiteral("DENSIDAD"), componentes::campo(&filas, QStringLiteral("den")));
        xml->Hijo(QStringLiteral("TIPO_BOSQUE"), componentes::campo(&filas, QStringLiteral("cmp1")));
        xml->CerrarNodo();
    });
}
