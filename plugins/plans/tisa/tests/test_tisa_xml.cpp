// The TISA part of the exchange file: a filled plan with its request against its golden
// text, the same text (and seal) every time, and the pieces the agency reads by position:
// forest types by their tens, the activities numbered across cuts and other activities,
// objectives and climate sources paired by their stand and variable.
#include "tisaplanlleno.h"

#include "textoesperado.h"
#include "xml/txml.h"

#include <QRegularExpression>

namespace {

// The values of every element `tag` (its node, a point and its name), in order.
QStringList valores(const QByteArray &xml, const QString &tag)
{
    QStringList r;
    const QRegularExpression re(QStringLiteral("<%1>([^<]*)</%1>").arg(tag));
    for (auto it = re.globalMatch(QString::fromLatin1(xml)); it.hasNext();)
        r << it.next().captured(1);
    return r;
}

} // namespace

using TisaXml = TisaPlanLleno;

TEST_F(TisaXml, ConDorvoEscribeElTextoEsperadoYElMismoSelloCadaVez)
{
    const QByteArray xml = form->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("tisa_dorvo"))) << "obtenido en build/tests/tisa_dorvo.obtenido.xml";
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
    EXPECT_TRUE(form->XML->Avisos().isEmpty());
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

TEST_F(TisaXml, LasPiezasQueLaAgenciaLeePorPosicion)
{
    const QByteArray xml = form->PrepararXML();
    // Forest type 45 goes as 40, 80 as itself.
    EXPECT_EQ(valores(xml, QStringLiteral("RODAL.TIPO_FORESTAL")), (QStringList{QStringLiteral("40"), QStringLiteral("80")}));
    // Three cuts, then two other activities, numbered 1 to 5.
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.ACSO_NUMERO")),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")}));
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.TIPO_ACTIVIDAD")),
              (QStringList{QStringLiteral("140"), QStringLiteral("140"), QStringLiteral("140"), QStringLiteral("201"),
                           QStringLiteral("205")}));
    // The objectives were entered stand 2 first; each stand carries its own.
    EXPECT_EQ(valores(xml, QStringLiteral("RODAL.OBJETIVO")),
              (QStringList{QStringLiteral("RECUPERAR SUELO PARA CULTIVO DE TRIGO"), QStringLiteral("HABILITAR POTRERO")}));
    // The sources were entered in the other order than the variables.
    EXPECT_EQ(valores(xml, QStringLiteral("VARIABLECLIMATICA.FUENTE_INFORMACION")),
              (QStringList{QStringLiteral("DIRECCIÓN METEOROLÓGICA"), QStringLiteral("ESTACIÓN LOS ÁNGELES")}));
    // The measures are numbered by their own keys.
    EXPECT_EQ(valores(xml, QStringLiteral("MEDIDA_PROTECCION.MEPR_CODIGO")), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
}

// The fire measures are the main table's memos, upper-cased as every field; with both
// empty there is nothing to protect with and no PROTECCION_RECURSO at all.
TEST_F(TisaXml, LasMedidasContraIncendiosSonLasDeLaTablaPrincipal)
{
    struct Caso
    {
        const char *nombre;
        QVariant prevencion;
        QVariant control;
        QStringList nodos; // the children of PROTECCION_RECURSO; none: no node
    };
    const Caso casos[] = {
        {"ambas nulas", QVariant(), QVariant(), {}},
        {"ambas vacías", QStringLiteral(""), QStringLiteral(""), {}},
        {"sólo control", QVariant(), QStringLiteral("Brigada propia"),
         {QStringLiteral("<PROTECCION_RECURSO.INCENDIO_MEDIDA_CONTROL>BRIGADA PROPIA</PROTECCION_RECURSO.INCENDIO_MEDIDA_CONTROL>")}},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        Dataset *ppal = form->DatasetPpal;
        ASSERT_TRUE(ppal->Edit());
        ASSERT_TRUE(ppal->FieldByName(QStringLiteral("mepr_inc"))->setValue(c.prevencion));
        ASSERT_TRUE(ppal->FieldByName(QStringLiteral("meco_inc"))->setValue(c.control));
        ASSERT_TRUE(ppal->Post());
        const QString xml = QString::fromLatin1(form->PrepararXML());
        const QRegularExpression nodo(QStringLiteral("<PROTECCION_RECURSO>\\r\\n(.*?)</PROTECCION_RECURSO>"),
                                      QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch m = nodo.match(xml);
        EXPECT_EQ(m.hasMatch(), !c.nodos.isEmpty()) << xml.toStdString();
        QStringList hijos;
        for (const QString &linea : m.captured(1).split(QStringLiteral("\r\n")))
            if (!linea.trimmed().isEmpty())
                hijos << linea.trimmed();
        EXPECT_EQ(hijos, c.nodos);
    }
}
