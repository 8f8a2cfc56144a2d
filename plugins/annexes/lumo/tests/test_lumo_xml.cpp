// The generic form's part of the exchange file, per combination against its golden text,
// and the pieces the agency reads: the climate's sources, the activities' numbering, the
// flora's stands, the burned stands, the coded columns whatever columns a combination
// removes.
#include "lumolleno.h"

#include "gridcolumn.h"
#include "textoesperado.h"
#include "xml/txml.h"

#include <QRegularExpression>

namespace {

QStringList valores(const QByteArray &xml, const QString &tag)
{
    QStringList r;
    const QRegularExpression re(QStringLiteral("<%1>([^<]*)</%1>").arg(QRegularExpression::escape(tag)));
    for (auto it = re.globalMatch(QString::fromLatin1(xml)); it.hasNext();)
        r << it.next().captured(1);
    return r;
}

// The blocks of the nodes `nodo` (their text between the opening and the closing lines).
QStringList nodos(const QByteArray &xml, const QString &nodo)
{
    QStringList r;
    const QRegularExpression re(QStringLiteral("<%1>\\r\\n(.*?)</%1>").arg(nodo), QRegularExpression::DotMatchesEverythingOption);
    for (auto it = re.globalMatch(QString::fromLatin1(xml)); it.hasNext();)
        r << it.next().captured(1);
    return r;
}

} // namespace

class LumoXml : public LumoLleno, public ::testing::WithParamInterface<int>
{
};

TEST_P(LumoXml, WritesTheGoldenTextAndTheSameSealEveryTime)
{
    abrir(GetParam());
    const QByteArray xml = form->PrepararXML();
    const QString nombre = QStringLiteral("lumo_%1").arg(GetParam());
    EXPECT_TRUE(ComoElEsperado(xml, nombre)) << "obtenido en " << nombre.toStdString() << ".obtenido.xml";
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
    EXPECT_TRUE(form->XML->Avisos().isEmpty());
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

INSTANTIATE_TEST_SUITE_P(Combinaciones, LumoXml, ::testing::Values(31, 32, 33, 90));

using LumoXmlPartes = LumoLleno;

TEST_F(LumoXmlPartes, TheAgencyReadsEachPartWhereItBelongs)
{
    abrir(kTodas);
    const QByteArray xml = form->PrepararXML();
    EXPECT_EQ(valores(xml, QStringLiteral("FORMULARIO.TISO_CODIGO")), QStringList{QStringLiteral("999")});
    // None, one and two sources, each variable with its own.
    const QStringList clima = nodos(xml, QStringLiteral("VARIABLECLIMATICA"));
    ASSERT_EQ(clima.size(), 3);
    EXPECT_EQ(clima.at(0).count(QStringLiteral("FUENTE_INFORMACION")), 0);
    EXPECT_EQ(clima.at(1).count(QStringLiteral("<VARIABLECLIMATICA.FUENTE_INFORMACION>")), 1);
    EXPECT_EQ(clima.at(2).count(QStringLiteral("<VARIABLECLIMATICA.FUENTE_INFORMACION>")), 2);
    EXPECT_TRUE(clima.at(2).contains(QStringLiteral("ATLAS AGROCLIMÁTICO")));
    // Four activity tables empty: the numbers run on without a gap, the prospections after.
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.ACSO_NUMERO")), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.TIPO_ACTIVIDAD")),
              (QStringList{"50", "60", "501", "70", "40", "XX4", "503", "503"}));
    // The flora's three stands, and two burned rows for stand 1 give two stands 1.
    const QStringList flora = nodos(xml, QStringLiteral("FLORA"));
    ASSERT_EQ(flora.size(), 1);
    EXPECT_EQ(flora.first().count(QStringLiteral("<FLORA.RODAL>")), 3);
    EXPECT_EQ(valores(xml, QStringLiteral("RODAL.FECHA_INCENDIO")), (QStringList{"14/02/2025", "30/12/2025"}));
    EXPECT_EQ(valores(xml, QStringLiteral("RESOLUCION.FECHA_CALIFICACION")), (QStringList{"14/02/2025", "30/12/2025"}));
    // Pine (code 1) in stands 1 and 2 of the table, then in each burned row of stand 1.
    EXPECT_EQ(valores(xml, QStringLiteral("RODAL.ESPECIE")), (QStringList{"1", "1", "2", "1", "1"}));
}

TEST_F(LumoXmlPartes, BurnedForestWritesItsStandsOnlyThroughItsFrame)
{
    abrir(31);
    const QByteArray xml = form->PrepararXML();
    EXPECT_EQ(valores(xml, QStringLiteral("FORMULARIO.TISO_CODIGO")), QStringList{QStringLiteral("62")});
    EXPECT_EQ(valores(xml, QStringLiteral("RODAL.NUMERO")), (QStringList{"1", "1"}));
    EXPECT_EQ(valores(xml, QStringLiteral("RODAL.TIPO_BOSQUE")), (QStringList{"1", "2"}));
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.TIPO_ACTIVIDAD")).count(QStringLiteral("170")), 1);
}

// Regression: a stand species typed in another case than the list's lost its code.
TEST_F(LumoXmlPartes, ABurnedStandsSpeciesIsFoundWhateverItsCase)
{
    for (const char *esp : {"Pino radiata (Pinus radiata)", "pino radiata (pinus radiata)", " PINO RADIATA (PINUS RADIATA) "}) {
        SCOPED_TRACE(esp);
        abrir(31);
        ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("UPDATE lumo_car SET esp = ? WHERE num = '1'"), {QString::fromUtf8(esp)}));
        EXPECT_EQ(valores(form->PrepararXML(), QStringLiteral("RODAL.ESPECIE")), (QStringList{"1", "1"}));
    }
}

// A combination that removes a column before a coded one: the code and its "other" text
// still come from the coded column, found by its field.
TEST_F(LumoXmlPartes, ACodedColumnKeepsItsCodeWhenColumnsBeforeItAreRemoved)
{
    combinacion = kTodas;
    secciones(kTodas, {{"0", "T", "0", "", "", ""}, {"1", "Forestación", "1", "6", "", "GroupBox11-dbgLumo_for,0"}});
    abrirDocumento();
    llenar(form, kLumo);
    llenar(dorvo, kSolicitud);
    GridColumn *especie = grillaLumo(QStringLiteral("for"))->ColumnByFieldName(QStringLiteral("esp"));
    ASSERT_NE(especie, nullptr);
    EXPECT_EQ(grillaLumo(QStringLiteral("for"))->Columns(0), especie);
    especie->setKeyList(especie->KeyList() << QStringLiteral("-7"));
    especie->setPickList(especie->PickList() << QStringLiteral("Maitén del norte"));
    especie->setMinWidth(-98);
    ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("INSERT INTO lumo_for (num, esp, den, tipo_plan, ano) VALUES ('1', -7, 1600, 1, 2026)")));
    tabla(QStringLiteral("for"))->Refresh();
    const QByteArray xml = form->PrepararXML();
    // Forestation is the first activity written.
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.ESPECIE")).value(0), QStringLiteral("98"));
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.ESPECIE_OTRO")), QStringList{QStringLiteral("MAITÉN DEL NORTE")});
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.TEMPORALIDAD")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(valores(xml, QStringLiteral("ACTIVIDAD.TIPO_ACTIVIDAD")).value(0), QStringLiteral("XX1"));
}

// The generic form cannot go out without its request form.
TEST_F(LumoXmlPartes, WithoutItsRequestTheFormIsRefused)
{
    abrir(33);
    delete dorvo.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(form->ValidarFormulario());
    EXPECT_TRUE(mensajesTexto().find("Falta el formulario DORVO") != std::string::npos) << mensajesTexto();
}
