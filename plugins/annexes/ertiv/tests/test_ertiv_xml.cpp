// The ERTIV part of the exchange file: a filled norm with its request against its golden
// text, the same text (and seal) every time, and the nodes the agency reads per stand.
#include "ertivllena.h"

#include "textoesperado.h"
#include "xml/txml.h"

#include <QRegularExpression>

namespace {

// The values of every element `tag`, in order.
QStringList valores(const QString &xml, const QString &tag)
{
    QStringList r;
    const QRegularExpression re(QStringLiteral("<%1>([^<]*)</%1>").arg(QRegularExpression::escape(tag)));
    for (auto it = re.globalMatch(xml); it.hasNext();)
        r << it.next().captured(1);
    return r;
}

} // namespace

using ErtivXml = ErtivLlena;

TEST_F(ErtivXml, EscribeElTextoEsperadoYElMismoSelloCadaVez)
{
    const QByteArray xml = form->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("ertiv_dorvo"))) << "obtenido en build/tests/ertiv_dorvo.obtenido.xml";
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
    EXPECT_TRUE(form->XML->Avisos().isEmpty());
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

TEST_F(ErtivXml, CadaRodalLlevaSusEspeciesYLasActividadesSeNumeranCortasPrimero)
{
    const QString xml = QString::fromLatin1(form->PrepararXML());
    const QStringList rodales = xml.split(QStringLiteral("<RODAL>")).mid(1);
    ASSERT_EQ(rodales.size(), 2);
    // Two rows of stand 1; stand 2 has none and stand 9 is not in the summary.
    EXPECT_EQ(rodales.at(0).count(QStringLiteral("<CARACT_ESPECIE>")), 2);
    EXPECT_EQ(rodales.at(1).count(QStringLiteral("<CARACT_ESPECIE>")), 0);
    EXPECT_EQ(valores(xml, QStringLiteral("CARACT_ESPECIE.ESPECIE")), (QStringList{"116", "115"}));
    EXPECT_EQ(valores(xml, QStringLiteral("RODAL.TIPO_SUELO_SV")), (QStringList{"1", "2"}));
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.ACSO_NUMERO")), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.TIPO_ACTIVIDAD")), (QStringList{"80", "80", "90"}));
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.SUPERFICIE")), (QStringList{"28,5", "12", "28,5"}));
    EXPECT_EQ(valores(xml, QStringLiteral("PROTECCION_RECURSO.MEPR_CODIGO")), (QStringList{"9", "11", "12"}));
    // The signatory closes the property's request data, before the stands.
    EXPECT_LT(xml.indexOf(QStringLiteral("<ROL_CONTIGUO>")), xml.indexOf(QStringLiteral("<FIRMA>")));
    EXPECT_LT(xml.indexOf(QStringLiteral("<FIRMA>")), xml.indexOf(QStringLiteral("<PREDIO.RODAL_OBS>")));
}
