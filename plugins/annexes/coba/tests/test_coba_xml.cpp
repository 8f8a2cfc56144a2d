// The COBA part of the exchange file: a filled norm with its request against its golden
// text, the same text (and seal) every time, and the pieces the agency reads by position.
#include "cobanormallena.h"

#include "textoesperado.h"
#include "xml/txml.h"

#include <QRegularExpression>

namespace {

// The values of every element `tag` (its node, a point and its name), in order.
QStringList valores(const QByteArray &xml, const QString &tag)
{
    QStringList r;
    const QRegularExpression re(QStringLiteral("<%1>([^<]*)</%1>").arg(QRegularExpression::escape(tag)));
    for (auto it = re.globalMatch(QString::fromUtf8(xml)); it.hasNext();)
        r << it.next().captured(1);
    return r;
}

} // namespace

using CobaXml = CobaNormaLlena;

TEST_F(CobaXml, EscribeElTextoEsperadoYElMismoSelloCadaVez)
{
    const QByteArray xml = form->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("coba_dorvo"))) << "obtenido en build/tests/coba_dorvo.obtenido.xml";
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
    EXPECT_TRUE(form->XML->Avisos().isEmpty());
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

TEST_F(CobaXml, LasActividadesSeNumeranEnOrdenYLasEspeciesVanUnaAUna)
{
    const QByteArray xml = form->PrepararXML();
    // Two thinnings, then the cut and the reforestation of the harvest row.
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.ACSO_NUMERO")), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.TIPO_ACTIVIDAD")), (QStringList{"60", "60", "70", "90"}));
    // The first stand has two species, the second one.
    EXPECT_EQ(valores(xml, QStringLiteral("RODAL.ESPECIE")).size(), 3);
    EXPECT_EQ(valores(xml, QStringLiteral("PROTECCION_RECURSO.MEPR_CODIGO")), (QStringList{"9", "11", "12"}));
    EXPECT_EQ(valores(xml, QStringLiteral("PREDIO.PROGRAMA_OBS")).size(), 1);

    // Empty observations write no element.
    ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("UPDATE coba SET obs1=NULL, obs2=NULL, obs3=NULL")));
    form->DatasetPpal->Refresh();
    const QByteArray sinObservaciones = form->PrepararXML();
    EXPECT_FALSE(sinObservaciones.contains("RODAL_OBS"));
    EXPECT_FALSE(sinObservaciones.contains("PROGRAMA_OBS"));
}
