// The HARPE part of the exchange file: a filled norm with its request against its golden
// text, the same text (and seal) every time, and each stand's cut carrying its own
// regeneration whatever the order of the regeneration rows.
#include "harpellena.h"

#include "textoesperado.h"
#include "xml/txml.h"

using HarpeXml = HarpeLlena;

TEST_F(HarpeXml, EscribeElTextoEsperadoYElMismoSelloCadaVez)
{
    const QByteArray xml = form->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("harpe_dorvo"))) << "obtenido en build/tests/harpe_dorvo.obtenido.xml";
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
    EXPECT_TRUE(form->XML->Avisos().isEmpty());
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

// Regression: the regeneration was paired with its stand by position, so rows entered in
// another order gave each stand another stand's regeneration.
TEST_F(HarpeXml, CadaCortaLlevaLaRegeneracionDeSuRodal)
{
    const QString xml = QString::fromLatin1(form->PrepararXML());
    const QStringList actividades = xml.split(QStringLiteral("<ACTIVIDAD>")).mid(1);
    ASSERT_EQ(actividades.size(), 2);
    EXPECT_TRUE(actividades.at(0).contains(QStringLiteral("<ACTIVIDAD.RODAL>1<")));
    EXPECT_TRUE(actividades.at(0).contains(QStringLiteral("<ACTIVIDAD.DENSIDAD>5400<"))) << actividades.at(0).toStdString();
    EXPECT_TRUE(actividades.at(1).contains(QStringLiteral("<ACTIVIDAD.RODAL>2<")));
    EXPECT_TRUE(actividades.at(1).contains(QStringLiteral("<ACTIVIDAD.DENSIDAD>1200<"))) << actividades.at(1).toStdString();

    // The same rows entered stand by stand give the same file.
    ASSERT_TRUE(form->ConexionBD->execScript(QStringLiteral(
        "DELETE FROM harpe_car_reg;"
        "INSERT INTO harpe_car_reg (Id, num, den, alt, dis, esp) VALUES"
        " (1, '1', 5400, 60, 1, 'Lenga (Nothofagus pumilio), Canelo (Drimys winteri)'),"
        " (2, '2', 1200, 15, 2, 'Lenga (Nothofagus pumilio)');")));
    tabla(QStringLiteral("car_reg"))->Refresh();
    EXPECT_EQ(QString::fromLatin1(form->PrepararXML()), xml);
}
