// The JOREV part of the exchange file: a filled study with its request against its golden
// text, the same text and seal each time; each area with its own fragility rows only, and
// the risks as their lists show them.
#include "jorevlleno.h"

#include "xml/txml.h"

#include <QFile>

using JorevXml = JorevLleno;

TEST_F(JorevXml, ConDorvoEscribeElTextoEsperadoYElMismoSelloCadaVez)
{
    const QByteArray xml = form->PrepararXML();
    QFile f(QStringLiteral(BRENVIK_TEST_DIR "/jorev_dorvo.xml"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray esperado = f.readAll();
    if (xml != esperado) {
        QFile salida(QStringLiteral("jorev_dorvo.obtenido.xml"));
        if (salida.open(QIODevice::WriteOnly))
            salida.write(xml);
    }
    EXPECT_EQ(QString::fromLatin1(xml), QString::fromLatin1(esperado)) << "obtenido en build/tests/jorev_dorvo.obtenido.xml";
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

TEST_F(JorevXml, CadaAreaLlevaSusFilasDeFragilidadYLosRiesgosComoSeVen)
{
    const QString xml = QString::fromLatin1(form->PrepararXML());
    const QStringList areas = xml.split(QStringLiteral("<AREA>")).mid(1);
    ASSERT_EQ(areas.size(), 3);
    // Area 1 has no fragility rows, area 2 one, area 3 two (its own, not area 2's).
    EXPECT_EQ(areas.at(0).count(QStringLiteral("<VARIABLE>")), 0);
    EXPECT_EQ(areas.at(0).count(QStringLiteral("<AREA.NUMERO>")), 1);
    EXPECT_EQ(areas.at(1).count(QStringLiteral("<VARIABLE>")), 8);
    EXPECT_EQ(areas.at(1).count(QStringLiteral("<AREA.SUPERFICIE>12,5</AREA.SUPERFICIE>")), 2);
    EXPECT_EQ(areas.at(2).count(QStringLiteral("<VARIABLE>")), 16);
    EXPECT_EQ(areas.at(2).count(QStringLiteral("<AREA.NUMERO>3</AREA.NUMERO>")), 3);
    EXPECT_FALSE(areas.at(2).contains(QStringLiteral("ARCILLOSA")));
    // Risk 3 is shown as its text; risk 77 is in no list and writes no value.
    EXPECT_TRUE(areas.at(2).contains(QStringLiteral("<VARIABLE.VARIABLES>78</VARIABLE.VARIABLES>\r\n"
                                                    "                <VARIABLE.CANTIDAD>ALTO</VARIABLE.CANTIDAD>")))
        << areas.at(2).toStdString();
    EXPECT_TRUE(areas.at(1).contains(QStringLiteral("<VARIABLE.VARIABLES>79</VARIABLE.VARIABLES>\r\n"
                                                    "            </VARIABLE>")))
        << areas.at(1).toStdString();
    // The "other" water entry goes as the list's other code with its text.
    EXPECT_TRUE(xml.contains(QStringLiteral("<HIDROGRAFIA.MASAS_OTRO>CANAL DE REGADÍO</HIDROGRAFIA.MASAS_OTRO>"))) << xml.toStdString();
}
