// The ZURI part of the exchange file: a filled accreditation with its FERUN request against
// its golden text, the same text and seal each time and whatever order the study tables
// hold their rows in.
#include "zurilleno.h"

#include "textoesperado.h"
#include "xml/txml.h"

using ZuriXml = ZuriLleno;

TEST_F(ZuriXml, ConFerunEscribeElTextoEsperadoYElMismoSelloCadaVez)
{
    const QByteArray xml = form->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("zuri_ferun"))) << "obtenido en build/tests/zuri_ferun.obtenido.xml";
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
    EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();

    const QString texto = QString::fromLatin1(xml);
    QStringList tipos;
    for (const QString &a : texto.split(QStringLiteral("<ACTIVIDAD.TIPO_ACTIVIDAD>")).mid(1))
        tipos << a.left(2) + (a.left(a.indexOf(QStringLiteral("</ACTIVIDAD>"))).contains(QStringLiteral("<OBRA>")) ? "+OBRA" : "");
    EXPECT_EQ(tipos, (QStringList{QStringLiteral("10+OBRA"), QStringLiteral("10+OBRA"), QStringLiteral("20+OBRA"),
                                  QStringLiteral("30"), QStringLiteral("30")}));
    EXPECT_EQ(texto.count(QStringLiteral("<RODAL.TIPO_EROSION>")), 1);
    EXPECT_TRUE(texto.contains(QStringLiteral("<RESOLUCION.FECHA_CALIFICACION>05/03/2004</")));
    EXPECT_TRUE(texto.contains(QStringLiteral("<PREDIO.PRED_CODIGO>-1</")));
    EXPECT_TRUE(texto.contains(QStringLiteral("<PREDIO.ESTUDIO_PRENDIMIENTO_FECHA>18-05-2026</")));
    const QStringList estudios = texto.split(QStringLiteral("<ESTUDIO_PRENDIMIENTO>")).mid(1);
    ASSERT_EQ(estudios.size(), 2);
    EXPECT_TRUE(estudios.at(0).contains(QStringLiteral("<ESTUDIO_PRENDIMIENTO.T_STUDENT>95</")));
    EXPECT_TRUE(estudios.at(1).contains(QStringLiteral("<ESTUDIO_PRENDIMIENTO.T_STUDENT>90</")));
    EXPECT_EQ(estudios.at(1).count(QStringLiteral("<PARCELA>")), 3);
}

// The study tables by stand number, not by position: their rows written again in reverse
// give the same text; a code outside the map writes no T_STUDENT.
TEST_F(ZuriXml, LasTablasDelEstudioEnOtroOrdenDanElMismoTexto)
{
    const QByteArray antes = form->PrepararXML();
    for (const char *t : {"zuri_tam_num_parc", "zuri_res_cal_est", "zuri_res_plan"}) {
        const QString tabla = QLatin1String(t);
        const QString id = tabla == QLatin1String("zuri_tam_num_parc") ? QStringLiteral("Id_par") : QStringLiteral("Id");
        ASSERT_TRUE(form->ConexionBD->execScript(
            QStringLiteral("CREATE TEMP TABLE copia AS SELECT * FROM %1; DELETE FROM %1;"
                           "UPDATE copia SET %2 = 100 - %2; INSERT INTO %1 SELECT * FROM copia; DROP TABLE copia;")
                .arg(tabla, id)))
            << form->ConexionBD->lastError().text().toStdString();
    }
    ASSERT_TRUE(form->ConexionBD->execScript(QStringLiteral("UPDATE zuri_ant_muest SET Id_par = 100 - Id_par;")));
    releer(form);
    EXPECT_EQ(QString::fromLatin1(form->PrepararXML()), QString::fromLatin1(antes));

    ASSERT_TRUE(form->ConexionBD->execScript(QStringLiteral("UPDATE zuri_res_cal_est SET t_stud = 200 WHERE num = '2';")));
    releer(form);
    EXPECT_EQ(QString::fromLatin1(form->PrepararXML()).count(QStringLiteral("<ESTUDIO_PRENDIMIENTO.T_STUDENT>")), 1);
}

// The head takes the request's date and city as fields: the date dd/mm/yyyy, whatever
// time of day the request holds, and the city upper-cased, as LUGAR of the request.
TEST_F(ZuriXml, LaFechaYLaCiudadDeLaSolicitudSeEscribenComoCampos)
{
    ASSERT_TRUE(ferun->ConexionBD->execScript(QStringLiteral("UPDATE ferun SET fec='2026-10-02 14:30:00', ciu='Mulchén';")));
    releer(ferun);
    const QString texto = QString::fromLatin1(form->PrepararXML());
    EXPECT_TRUE(texto.contains(QStringLiteral("<FORMULARIO.FECHA>02/10/2026</FORMULARIO.FECHA>"))) << texto.toStdString();
    EXPECT_TRUE(texto.contains(QStringLiteral("<FIRMA.CIUDAD>MULCHÉN</FIRMA.CIUDAD>"))) << texto.toStdString();
}
