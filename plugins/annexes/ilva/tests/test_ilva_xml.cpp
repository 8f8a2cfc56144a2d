// The ILVA part of the exchange file: a filled study with its request against its golden
// text, the same text and seal each time; each sector with the surfaces of its own curtains,
// each curtain with its own rows, the signatory inside PREDIO and the four protection
// measures even when empty.
#include "ilvalleno.h"

#include "textoesperado.h"
#include "xml/txml.h"

using IlvaXml = IlvaLleno;

TEST_F(IlvaXml, ConDorvoEscribeElTextoEsperadoYElMismoSelloCadaVez)
{
    const QByteArray xml = form->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("ilva_dorvo"))) << "obtenido en ilva_dorvo.obtenido.xml";
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

TEST_F(IlvaXml, CadaSectorYCadaCortinaLlevanLoSuyo)
{
    const QString xml = QString::fromLatin1(form->PrepararXML());
    const QStringList sectores = xml.split(QStringLiteral("<SECTOR>")).mid(1);
    ASSERT_EQ(sectores.size(), 2);
    EXPECT_EQ(sectores.at(0).section(QStringLiteral("</SECTOR>"), 0, 0).count(QStringLiteral("<SECTOR.SUPERFICIE>")), 2);
    EXPECT_TRUE(sectores.at(0).contains(QStringLiteral("<SECTOR.SUPERFICIE>12,5</SECTOR.SUPERFICIE>\r\n"
                                                       "            <SECTOR.SUPERFICIE>8</SECTOR.SUPERFICIE>")));
    EXPECT_EQ(sectores.at(1).section(QStringLiteral("</SECTOR>"), 0, 0).count(QStringLiteral("<SECTOR.SUPERFICIE>")), 1);

    // Curtain 1 has two rows (the second of two species), the others one each.
    const QStringList actividades = xml.split(QStringLiteral("<ACTIVIDAD>")).mid(1);
    ASSERT_EQ(actividades.size(), 3);
    const QList<int> hileras = {2, 1, 1};
    const QList<int> especies = {3, 1, 1};
    for (int i = 0; i < 3; ++i) {
        const QString a = actividades.at(i).section(QStringLiteral("</ACTIVIDAD>"), 0, 0);
        EXPECT_EQ(a.count(QStringLiteral("<HILERA>")), hileras.at(i)) << i;
        EXPECT_EQ(a.count(QStringLiteral("<ACTIVIDAD.ESPECIE>")), especies.at(i)) << i;
        EXPECT_TRUE(a.contains(QStringLiteral("<ACTIVIDAD.TIPO_ACTIVIDAD>100</ACTIVIDAD.TIPO_ACTIVIDAD>"))) << i;
    }
    EXPECT_TRUE(actividades.at(0).contains(QStringLiteral("<HILERA.ESPECIE>2</HILERA.ESPECIE>\r\n"
                                                          "                <HILERA.ESPECIE>10</HILERA.ESPECIE>")));

    // The signatory closes the request's nodes inside PREDIO.
    EXPECT_LT(xml.indexOf(QStringLiteral("</ROL_CONTIGUO>")), xml.indexOf(QStringLiteral("<FIRMA>")));
    EXPECT_LT(xml.indexOf(QStringLiteral("<FIRMA>")), xml.indexOf(QStringLiteral("<PREDIO.RCC_ESTADO_DEGRADACION>")));

    // Four measures; the two left empty keep their node without a description.
    const QStringList medidas = xml.split(QStringLiteral("<MEDIDA_PROTECCION>")).mid(1);
    ASSERT_EQ(medidas.size(), 4);
    const QList<bool> descritas = {true, false, true, false};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(medidas.at(i).contains(QStringLiteral("<MEDIDA_PROTECCION.DESCRIPCION>")), descritas.at(i)) << i;
}
