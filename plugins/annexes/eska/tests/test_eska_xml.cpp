// The ESKA part of the exchange file: a filled request with its DORVO request against its
// golden text, the same text and seal each time; each sector with its own cause.
#include "eskalleno.h"

#include "textoesperado.h"
#include "xml/txml.h"

using EskaXml = EskaLleno;

TEST_F(EskaXml, ConDorvoEscribeElTextoEsperadoYElMismoSelloCadaVez)
{
    const QByteArray xml = form->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("eska_dorvo"))) << "obtenido en build/tests/eska_dorvo.obtenido.xml";
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

TEST_F(EskaXml, CadaSectorLlevaSuPropiaCausaYElTotalDesafectado)
{
    const QString xml = QString::fromLatin1(form->PrepararXML());
    const QStringList sectores = xml.split(QStringLiteral("<SECTOR>")).mid(1);
    ASSERT_EQ(sectores.size(), 3);
    EXPECT_TRUE(sectores.at(0).contains(QStringLiteral("<SECTOR.NUMERO>2<")));
    EXPECT_TRUE(sectores.at(0).contains(QStringLiteral("CONSTRUCCIÓN DE BODEGAS"))) << sectores.at(0).toStdString();
    EXPECT_TRUE(sectores.at(1).contains(QStringLiteral("AMPLIACIÓN DE CULTIVOS"))) << sectores.at(1).toStdString();
    EXPECT_FALSE(sectores.at(2).contains(QStringLiteral("CAUSA_DESAFECTACION")));
    // Computed from the sectors, not stored.
    EXPECT_TRUE(xml.contains(QStringLiteral("<FORMULARIO.SOLI_SUP_SOLICITADA>15,5</"))) << xml.toStdString();
    EXPECT_TRUE(xml.contains(QStringLiteral("<ANTECEDENTE_BONIFICACION.TIPO_UNIDAD>2</")));
}
