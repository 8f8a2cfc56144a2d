// The DALU part of the exchange file: a filled plan against its golden text, the same text
// whatever order the paired tables store their rows in, the cases that depend on the
// data, and what the export leaves behind.
#include "daluplanlleno.h"

#include "textoesperado.h"
#include "xml/txml.h"

namespace {

// The text as ISO-8859-1, for searches and messages.
QString texto(const QByteArray &xml)
{
    return QString::fromLatin1(xml);
}

} // namespace

TEST_F(DaluPlanLleno, ConDorvoEscribeElTextoEsperado)
{
    const QByteArray xml = form->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("dalu_dorvo"))) << "obtenido en build/tests/dalu_dorvo.obtenido.xml";
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    EXPECT_TRUE(form->XML->Avisos().isEmpty()) << form->XML->Avisos().join(QLatin1Char('\n')).toStdString();
    // The same document gives the same text, and so the same seal, every time.
    const QString hash = form->XML->Hash();
    EXPECT_EQ(form->PrepararXML(), xml);
    EXPECT_EQ(form->XML->Hash(), hash);
}

// Rows that belong together are found by their keys: the text is the golden one whatever
// order the paired tables hold their rows in (pairing by position wrote one stand's
// inventory, sampling results or estimated variables under another, and a variable with
// another variable's source).
struct CasoOrden
{
    const char *nombre;
    const char *sql;
};

class DaluXmlOrden : public DaluPlanLleno, public ::testing::WithParamInterface<CasoOrden>
{};

TEST_P(DaluXmlOrden, EscribeElMismoTexto)
{
    cambiar(GetParam().sql);
    const QString nombre = QLatin1String(GetParam().nombre);
    EXPECT_TRUE(ComoElEsperado(form->PrepararXML(), nombre, QStringLiteral("dalu_dorvo")))
        << "obtenido en build/tests/" << nombre.toStdString() << ".obtenido.xml";
}

INSTANTIATE_TEST_SUITE_P(
    Dalu, DaluXmlOrden,
    ::testing::Values(
        // The first stand's inventory and sampling results stored after the second's.
        CasoOrden{"InventarioEnOtroOrden",
                  "UPDATE dalu_inventario SET id_inv=7 WHERE num='1'; UPDATE dalu_inv_parcela SET id_inv=7 WHERE id_inv=1;"
                  " UPDATE dalu_res_mue SET Id=9 WHERE num='1';"},
        // The estimated variables of the classes stored from the largest class down.
        CasoOrden{"VariablesEstimadasEnOtroOrden", "UPDATE dalu_est_var SET Id=Id+10; UPDATE dalu_est_var SET Id=22-Id;"},
        // The climate sources in the variables' order.
        CasoOrden{"FuentesEnElOrdenDeLasVariables", "UPDATE dalu_fte_inf SET id=id+10; UPDATE dalu_fte_inf SET id=25-id;"}),
    [](const ::testing::TestParamInfo<CasoOrden> &info) { return std::string(info.param.nombre); });

// A change to the filled plan, a text the XML then holds and one it no longer holds.
struct CasoXml
{
    const char *nombre;
    const char *sql;
    const char *presente;
    const char *ausente; // empty: no check
};

class DaluXmlCasos : public DaluPlanLleno, public ::testing::WithParamInterface<CasoXml>
{};

TEST_P(DaluXmlCasos, Escribe)
{
    cambiar(GetParam().sql);
    const QString xml = texto(form->PrepararXML());
    const QString presente = QString::fromUtf8(GetParam().presente);
    const QString ausente = QString::fromUtf8(GetParam().ausente);
    EXPECT_TRUE(xml.contains(presente)) << presente.toStdString() << "\n" << xml.toStdString();
    EXPECT_TRUE(ausente.isEmpty() || !xml.contains(ausente)) << ausente.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Dalu, DaluXmlCasos,
    ::testing::Values(
        CasoXml{"SinResolucionJudicial", "UPDATE dalu SET resJud_tiene=0;", "<FORMULARIO.RESOJUDI>0</FORMULARIO.RESOJUDI>",
                "RESOJUDI_OBS"},
        CasoXml{"TipoForestalEnDecenas", "UPDATE dalu_des_cua SET tip_for=37 WHERE num='1';",
                "<RODAL.TIPO_FORESTAL>30</RODAL.TIPO_FORESTAL>", "<RODAL.TIPO_FORESTAL>37<"},
        // A thinning that is not "10" keeps the intermediate cut's class.
        CasoXml{"CortaIntermediaSinRaleo", "UPDATE dalu_cor_int SET tip_cor=12;",
                "<ACTIVIDAD.TIPO_ACTIVIDAD>40</ACTIVIDAD.TIPO_ACTIVIDAD>", "<ACTIVIDAD.TIPO_ACTIVIDAD>60<"},
        // A class without its estimated variables writes none of them.
        CasoXml{"ClaseSinVariablesEstimadas", "DELETE FROM dalu_est_var WHERE clas_men=10;",
                "<CLASE_DIAMETRO.CLASE>10-20</CLASE_DIAMETRO.CLASE>", "<CLASE_DIAMETRO.ESP1_DENSIDAD_FIN>300<"},
        // A stand without classes writes its stand node without any.
        CasoXml{"RodalSinClases", "DELETE FROM dalu_tab_rod_det;", "<RODAL.ESPO>", "<CLASE_DIAMETRO>"},
        // An activity without its parameter row keeps its own children only.
        CasoXml{"ActividadSinParametros", "DELETE FROM dalu_pod;", "<ACTIVIDAD.ACSO_NUMERO>2</ACTIVIDAD.ACSO_NUMERO>",
                "<ACTIVIDAD.ALTURA_PODA>"},
        // The plot codes are the stored ones, whatever the combos show.
        CasoXml{"CodigosGuardadosDelMuestreo", "UPDATE dalu_car_inv SET lumo_tip_mue=3, lumo_form_parc=2;",
                "<ESTUDIO_PRENDIMIENTO.DISENO_INVENTARIO>3</ESTUDIO_PRENDIMIENTO.DISENO_INVENTARIO>", ""}),
    [](const ::testing::TestParamInfo<CasoXml> &info) { return std::string(info.param.nombre); });

// Without the request form the request's data are left out and nothing is reported.
TEST_F(DaluSinDorvo, OmiteLoDeLaSolicitud)
{
    const QString xml = texto(form->PrepararXML());
    for (const char *ausente : {"TISO_CODIGO_DE", "FORMULARIO.FECHA", "<FIRMA>", "<ROL>", "<PROPIETARIO>",
                                "<COORDENADA_UTM>", "<ROL_CONTIGUO>"})
        EXPECT_FALSE(xml.contains(QLatin1String(ausente))) << ausente;
    for (const char *presente : {"<FORMULARIO.RESOJUDI>1</FORMULARIO.RESOJUDI>", "<PROTECCION_RECURSO>", "<RODAL>",
                                 "<OBJETIVO_MANEJO>", "<ESTUDIO_PRENDIMIENTO>"})
        EXPECT_TRUE(xml.contains(QLatin1String(presente))) << presente;
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

// Exporting visits every record; the user finds the rows where they were, nothing edited.
TEST_F(DaluPlanLleno, DejaLosCursoresDondeEstaban)
{
    tabla(QStringLiteral("car"))->setRecNo(2);
    tabla(QStringLiteral("desc_det"))->setRecNo(3);
    tabla(QStringLiteral("fte_inf"))->First();
    const int objetivo = tabla(QStringLiteral("obj"))->RecNo();

    form->PrepararXML();

    EXPECT_EQ(tabla(QStringLiteral("car"))->RecNo(), 2);
    EXPECT_EQ(tabla(QStringLiteral("obj"))->RecNo(), objetivo);
    EXPECT_EQ(tabla(QStringLiteral("desc_det"))->RecNo(), 3);
    EXPECT_EQ(tabla(QStringLiteral("fte_inf"))->RecNo(), 1);
    for (Dataset *ds : form->ConexionBD->datasets())
        EXPECT_NE(ds->State(), DatasetState::Edit) << ds->objectName().toStdString();
}
