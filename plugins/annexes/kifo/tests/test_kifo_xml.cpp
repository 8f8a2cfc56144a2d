// The KIFO part of the exchange file: a filled accreditation with its request against its
// golden text, the same text and seal each time; each curtain an activity of its own,
// closed before the next, with its own rows and then their species.
#include "kifolleno.h"

#include "textoesperado.h"
#include "xml/txml.h"

using KifoXml = KifoLleno;

TEST_F(KifoXml, ConFerunEscribeElTextoEsperadoYElMismoSelloCadaVez)
{
    const QByteArray xml = form->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("kifo_ferun"))) << "obtenido en kifo_ferun.obtenido.xml";
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

TEST_F(KifoXml, CadaCortinaEsUnaActividadConSusHileras)
{
    // A third curtain without rows yet: an activity of its own, with neither rows nor species.
    ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("INSERT INTO kifo_car_cort (Id_car, num_sect, num_cort, long, num_hil, "
                                                      "dist_hil, ano) VALUES (3, 'C', '1', 0.2, 0, 0, 2025)")));
    tabla(QStringLiteral("car_cort"))->Refresh();
    const QString xml = QString::fromLatin1(form->PrepararXML());
    const QStringList actividades = xml.split(QStringLiteral("<ACTIVIDAD>")).mid(1);
    ASSERT_EQ(actividades.size(), 3);
    const QList<int> hileras = {2, 1, 0};
    const QList<int> especies = {3, 1, 0};
    for (int i = 0; i < 3; ++i) {
        const QString a = actividades.at(i);
        // Closed before the next one opens.
        ASSERT_TRUE(a.contains(QStringLiteral("</ACTIVIDAD>"))) << i;
        const QString propia = a.section(QStringLiteral("</ACTIVIDAD>"), 0, 0);
        EXPECT_EQ(propia.count(QStringLiteral("<HILERA>")), hileras.at(i)) << i;
        EXPECT_EQ(propia.count(QStringLiteral("<ACTIVIDAD.ESPECIE>")), especies.at(i)) << i;
        // The activity's species follow its rows.
        if (hileras.at(i) > 0)
            EXPECT_GT(propia.indexOf(QStringLiteral("<ACTIVIDAD.ESPECIE>")), propia.lastIndexOf(QStringLiteral("</HILERA>"))) << i;
    }
    EXPECT_TRUE(actividades.at(0).contains(QStringLiteral("<HILERA.ARB_POR_KM>333</HILERA.ARB_POR_KM>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<RESOLUCION.FECHA_CALIFICACION>05/03/2023</RESOLUCION.FECHA_CALIFICACION>")));
}
