// The KELU part of the exchange file: a filled plan against its golden text, with and
// without the DORVO form of the document, and what the export leaves behind.
#include "keluplanlleno.h"

#include "gridcolumn.h"
#include "xml/txml.h"

#include <QFile>

namespace {

QByteArray golden(const char *nombre)
{
    QFile f(QStringLiteral(BRENVIK_TEST_DIR "/") + QLatin1String(nombre));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nombre;
    return f.readAll();
}

// The text as ISO-8859-1, for messages and searches.
QString texto(const QByteArray &xml)
{
    return QString::fromLatin1(xml);
}

} // namespace

TEST_F(KeluPlanLleno, ConDorvoEscribeElTextoEsperado)
{
    const QByteArray xml = form->PrepararXML();
    const QByteArray esperado = golden("kelu_dorvo.xml");
    if (xml != esperado) {
        QFile salida(QStringLiteral("kelu_dorvo.obtenido.xml"));
        if (salida.open(QIODevice::WriteOnly))
            salida.write(xml);
    }
    EXPECT_EQ(texto(xml), texto(esperado)) << "obtenido en build/tests/kelu_dorvo.obtenido.xml";
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    // The same document gives the same text, and so the same seal, every time.
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

// Variants of the filled plan against their golden texts: a plan without restrictions
// writes no RESTRICCION (its fixed TIPO_UNIDAD made one up); a stand's negative health
// code and typed texts in text columns go as stored (the grid-column rule is only for the
// agency's coded lists: a negative code gained an _OTRO element and a text was dropped).
struct CasoGolden
{
    const char *nombre;
    const char *sql;
    const char *archivo;
};

class KeluXmlGolden : public KeluPlanLleno, public ::testing::WithParamInterface<CasoGolden>
{};

TEST_P(KeluXmlGolden, EscribeElTextoEsperado)
{
    const CasoGolden &c = GetParam();
    ASSERT_TRUE(form->ConexionBD->execScript(QString::fromUtf8(c.sql)));
    for (Dataset *ds : form->ConexionBD->datasets())
        ds->Refresh();
    const QByteArray xml = form->PrepararXML();
    const QByteArray esperado = golden(c.archivo);
    if (xml != esperado) {
        QFile salida(QStringLiteral("%1.obtenido.xml").arg(QLatin1String(c.nombre)));
        if (salida.open(QIODevice::WriteOnly))
            salida.write(xml);
    }
    EXPECT_EQ(texto(xml), texto(esperado)) << "obtenido en build/tests/" << c.nombre << ".obtenido.xml";
    EXPECT_TRUE(form->XML->Avisos().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Kelu, KeluXmlGolden,
    ::testing::Values(
        CasoGolden{"SinRestricciones", "DELETE FROM kelu_rest_var; DELETE FROM kelu_mepr WHERE id_restVar IS NOT NULL;",
                   "kelu_sin_restricciones.xml"},
        CasoGolden{"CodigoNegativoYTexto",
                   "UPDATE kelu_desc SET est_san=-2 WHERE Id=1; UPDATE kelu_fis SET pos='Ladera media' WHERE Id=1;"
                   " UPDATE kelu_ocu_inc SET origen='Intencional'; UPDATE kelu_rest_var SET rec_hid='Estero Los Patos';",
                   "kelu_negativo_y_texto.xml"}),
    [](const ::testing::TestParamInfo<CasoGolden> &info) { return std::string(info.param.nombre); });

// Without the request form the request's data are left out and nothing is reported.
TEST_F(KeluSinDorvo, OmiteLoDeLaSolicitud)
{
    const QString xml = texto(form->PrepararXML());
    for (const char *ausente : {"TISO_CODIGO_DE", "FORMULARIO.FECHA", "<FIRMA>", "<ROL>", "<PROPIETARIO>",
                                "<COORDENADA_UTM>", "<ROL_CONTIGUO>"})
        EXPECT_FALSE(xml.contains(QLatin1String(ausente))) << ausente;
    for (const char *presente : {"<FORMULARIO.RESOJUDI>1</FORMULARIO.RESOJUDI>", "<RODAL>", "<OBJETIVO_MANEJO>",
                                 "<PROTECCION_RECURSO>", "<PREDIO.PRED_ESTADO>1</PREDIO.PRED_ESTADO>"})
        EXPECT_TRUE(xml.contains(QLatin1String(presente))) << presente;
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

struct CasoXml
{
    const char *nombre;
    const char *sql;      // applied to the filled plan
    const char *presente; // a text the XML holds afterwards (empty: none)
    const char *ausente;  // a text it no longer holds (empty: none)
};

class KeluXmlCasos : public KeluPlanLleno, public ::testing::WithParamInterface<CasoXml>
{};

TEST_P(KeluXmlCasos, Escribe)
{
    const CasoXml &c = GetParam();
    ASSERT_TRUE(form->ConexionBD->execScript(QString::fromUtf8(c.sql)));
    for (Dataset *ds : form->ConexionBD->datasets())
        ds->Refresh();
    const QString xml = texto(form->PrepararXML());
    if (*c.presente) {
        EXPECT_TRUE(xml.contains(QString::fromUtf8(c.presente))) << c.presente;
    }
    if (*c.ausente) {
        EXPECT_FALSE(xml.contains(QString::fromUtf8(c.ausente))) << c.ausente;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kelu, KeluXmlCasos,
    ::testing::Values(
        CasoXml{"SinResolucionJudicial", "UPDATE kelu SET resJud_tiene=0;", "<FORMULARIO.RESOJUDI>0</FORMULARIO.RESOJUDI>",
                "RESOJUDI_OBS"},
        // A road row without a road writes its log yard only.
        CasoXml{"SoloCancha", "DELETE FROM kelu_plan_cam WHERE Id=1;", "<CANCHA.IDENTIFICACION>K-2</CANCHA.IDENTIFICACION>",
                "<CAMINO>"},
        // A variable whose source row is missing keeps its own data.
        CasoXml{"VariableSinFuente", "DELETE FROM kelu_fte_inf WHERE var=4;",
                "<VARIABLECLIMATICA.UNIDAD>22</VARIABLECLIMATICA.UNIDAD>\r\n        </VARIABLECLIMATICA>", "ESTACIÓN"},
        // A stand number in lower case is written as the stand itself is, in the unit too.
        CasoXml{"RodalEnMinusculas", "UPDATE kelu_desc SET num='1a' WHERE Id=1; UPDATE kelu_obj SET num='1a, 2' WHERE Id_obj=1;",
                "<OBJETIVO_MANEJO.RODAL>1A</OBJETIVO_MANEJO.RODAL>", "<OBJETIVO_MANEJO.RODAL>1a<"},
        // An activity whose class table holds no row for it writes no ACTIVIDAD.
        CasoXml{"ActividadSinParametros", "DELETE FROM kelu_poda;", "<ACTIVIDAD.ACSO_NUMERO>4</ACTIVIDAD.ACSO_NUMERO>",
                "<ACTIVIDAD.ACSO_NUMERO>5</ACTIVIDAD.ACSO_NUMERO>"}),
    [](const ::testing::TestParamInfo<CasoXml> &info) { return std::string(info.param.nombre); });

// A free "other" entry of a coded column is written as the list's "other" code, with the
// text the user typed beside it.
TEST_F(KeluPlanLleno, OtroDeUnaListaLlevaSuTexto)
{
    GridColumn *vegetacion = grilla(QStringLiteral("det_sec"))->ColumnByFieldName(QStringLiteral("tip_veg"));
    ASSERT_NE(vegetacion, nullptr);
    vegetacion->setKeyList({QStringLiteral("1"), QStringLiteral("99"), QStringLiteral("-3")});
    vegetacion->setPickList({QStringLiteral("Bosque nativo"), QStringLiteral("OTRO"), QStringLiteral("Renoval de espino")});
    vegetacion->setMinWidth(-99);
    ASSERT_TRUE(form->ConexionBD->execScript(QStringLiteral("UPDATE kelu_det_sec SET tip_veg=-3;")));
    tabla(QStringLiteral("det_sec"))->Refresh();
    const QString xml = texto(form->PrepararXML());
    EXPECT_TRUE(xml.contains(QStringLiteral("<SECTOR.TIPO_VEGETACION>99</SECTOR.TIPO_VEGETACION>\r\n"
                                            "            <SECTOR.TIPO_VEGETACION_OTRO>RENOVAL DE ESPINO</SECTOR.TIPO_VEGETACION_OTRO>")))
        << xml.toStdString();
}

// Exporting visits every record; the user finds the rows where they were, nothing edited.
TEST_F(KeluPlanLleno, DejaLosCursoresDondeEstaban)
{
    const QStringList sufijos = {QStringLiteral("desc"), QStringLiteral("obj"), QStringLiteral("fte_inf"),
                                 QStringLiteral("mepr"), QStringLiteral("poda")};
    for (const QString &s : sufijos)
        tabla(s)->First();
    tabla(QStringLiteral("obj"))->setRecNo(2);
    tabla(QStringLiteral("desc"))->setRecNo(2);
    Dataset *roles = form->BuscarDataset(QStringLiteral("dorvo"), QStringLiteral("rol"));
    roles->First();
    const int actividad = tabla(QStringLiteral("desc_esq"))->RecNo();

    form->PrepararXML();

    EXPECT_EQ(tabla(QStringLiteral("obj"))->RecNo(), 2);
    EXPECT_EQ(tabla(QStringLiteral("desc"))->RecNo(), 2);
    EXPECT_EQ(tabla(QStringLiteral("fte_inf"))->RecNo(), 1);
    EXPECT_EQ(tabla(QStringLiteral("desc_esq"))->RecNo(), actividad);
    EXPECT_EQ(roles->RecNo(), 1);
    for (Dataset *ds : form->ConexionBD->datasets())
        EXPECT_NE(ds->State(), DatasetState::Edit) << ds->objectName().toStdString();
}
