// The PELTO part of the exchange file: a filled accreditation with its FERUN request
// against its golden text, the same text and seal each time; the activities a pruning and
// thinning row gives; "XML MALO" without such rows.
#include "peltolleno.h"

#include "textoesperado.h"
#include "xml/txml.h"

using PeltoXml = PeltoLleno;

TEST_F(PeltoXml, ConFerunEscribeElTextoEsperadoYElMismoSelloCadaVez)
{
    const QByteArray xml = form->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("pelto_ferun"))) << "obtenido en build/tests/pelto_ferun.obtenido.xml";
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
    EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();
}

// Each row alone: its activities in order, with the stand's surface in both.
TEST_F(PeltoXml, LasActividadesDeUnaFilaSegunSusAnos)
{
    struct Caso
    {
        const char *nombre;
        const char *anoPoda;
        const char *anoRaleo;
        QStringList actividades; // TIPO_ACTIVIDAD|ANO|SUPERFICIE
    };
    const QList<Caso> casos = {
        {"neither year", nullptr, "0", {}},
        {"pruning only", "2023", nullptr, {QStringLiteral("50|2023|3")}},
        {"thinning only", "0", "2025", {QStringLiteral("60|2025|3")}},
        {"both, pruning first", "2024", "2025", {QStringLiteral("50|2024|3"), QStringLiteral("60|2025|3")}},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        ASSERT_TRUE(form->ConexionBD->execScript(QStringLiteral("DELETE FROM pelto_car;")));
        ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("INSERT INTO pelto_car (num, ano_pod, num_arb_pod, alt_pod, ano_ral, "
                                                          "num_arb_ral, area_ral) VALUES ('1', ?, 450, 2.5, ?, 600, 8.5)"),
                                           {c.anoPoda ? QVariant(QString::fromLatin1(c.anoPoda)) : QVariant(),
                                            c.anoRaleo ? QVariant(QString::fromLatin1(c.anoRaleo)) : QVariant()}));
        tabla(QStringLiteral("car"))->Refresh();
        const QString xml = QString::fromLatin1(form->PrepararXML());
        QStringList actividades;
        for (const QString &a : xml.split(QStringLiteral("<ACTIVIDAD>")).mid(1)) {
            const auto hoja = [&a](const char *tag) {
                const QString abre = QStringLiteral("<ACTIVIDAD.%1>").arg(QLatin1String(tag));
                const qsizetype i = a.indexOf(abre);
                return i < 0 ? QString() : a.mid(i + abre.size(), a.indexOf(QLatin1Char('<'), i + abre.size()) - i - abre.size());
            };
            actividades << QStringList{hoja("TIPO_ACTIVIDAD"), hoja("ANO"), hoja("SUPERFICIE")}.join(QLatin1Char('|'));
            EXPECT_EQ(a.contains(QStringLiteral("ALTURA_PODA")), hoja("TIPO_ACTIVIDAD") == QLatin1String("50"));
            EXPECT_EQ(a.contains(QStringLiteral("AREA_BASAL")), hoja("TIPO_ACTIVIDAD") == QLatin1String("60"));
        }
        EXPECT_EQ(actividades, c.actividades) << xml.toStdString();
    }
}

TEST_F(PeltoXml, SinFilasDePodaYRaleoElTextoEsXmlMalo)
{
    ASSERT_TRUE(form->ConexionBD->execScript(QStringLiteral("DELETE FROM pelto_car;")));
    tabla(QStringLiteral("car"))->Refresh();
    EXPECT_EQ(form->PrepararXML(), QByteArrayLiteral("XML MALO"));
}
