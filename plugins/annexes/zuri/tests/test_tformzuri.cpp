// The accreditation's rules over a document with its request form: the described checks
// and the ones in code refuse bad rows with their message; a stand's number reaches every
// table that repeats it; the samples follow the plot count; the results flow from the
// statistics to the forestation.
#include "zurifixture.h"

#include "dbgrid.h"
#include "dosdecimales.h"
#include "field.h"
#include "gridcolumn.h"
#include "tcustommdichild.h"

#include <QDir>

#include <functional>


using Zuri = ZuriFixture;

namespace {

const QStringList kPorRodal = {QStringLiteral("zuri_res_plan"), QStringLiteral("zuri_res_cal_est"),
                               QStringLiteral("zuri_tam_num_parc"), QStringLiteral("zuri_car_for")};

} // namespace

TEST_F(Zuri, EachRuleRefusesWhatItMustAndTakesTheRest)
{
    struct Caso
    {
        const char *nombre;
        std::function<bool(Zuri &)> probar;
        bool aceptado;
        QString mensaje;
    };
    auto resolucion = [](const ValoresFila &v) {
        return [v](Zuri &t) { return AgregarFila(t.tabla(QStringLiteral("ant_resol")), v); };
    };
    // Stand 1's forestation of 4,5 ha, `mayor` of them requested at more than 100%.
    auto forestacion = [](const QString &mayor) {
        return [mayor](Zuri &t) {
            return t.rodal("1")
                && ModificarFila(t.tabla(QStringLiteral("car_for")), "num", QStringLiteral("1"),
                                 {{"sup_for", "4,5"}, {"sup_bon_total", "4,5"}, {"sup_bon_may_100", mayor}, {"ano_plan", "2021"},
                                  {"esp", "Pino radiata (Pinus radiata)"}, {"tip_planta", "1"}, {"den_ini", "1600"},
                                  {"den_actual", "1100"}, {"cercos", "0"}, {"cerco_repara", "0"}});
        };
    };
    const QList<Caso> casos = {
        {"resolution with both pairs empty", resolucion({{"num_cal", QString()}}), false, QStringLiteral("No puede ingresar una fila vacía")},
        {"resolution with only the plan's date", resolucion({{"fec_plan", "01-03-2020"}}), false,
         QStringLiteral("El campo \"Nº\" no puede quedar vacío.")},
        {"resolution with the plan's pair", resolucion({{"num_plan", "12/2020"}, {"fec_plan", "01-03-2020"}}), true, {}},
        {"resolution with only the certificate's number", resolucion({{"num_cal", "7"}}), false, QStringLiteral("Fecha")},
        {"degraded soil without erosion", [](Zuri &t) { return t.rodal("1", "12"); }, false, QStringLiteral("Erosión")},
        {"degraded soil with erosion", [](Zuri &t) { return t.rodal("1", "12", "2"); }, true, {}},
        {"soil the resolution does not admit", [](Zuri &t) { return t.rodal("1", "13", "2"); }, false,
         QStringLiteral("La Categoría de Suelo no corresponde al tipo de resolución seleccionada")},
        {"stand number twice", [](Zuri &t) { return t.rodal("1") && t.rodal("1"); }, false, {}},
        {"one plot", [](Zuri &t) { return t.rodal("1") && t.parcelas("1", "1"); }, false, {}},
        {"two plots", [](Zuri &t) { return t.rodal("1") && t.parcelas("1", "2"); }, true, {}},
        // Regression: the computed <100% surface went to the exchange file negative or empty.
        {"forestation with part above 100%", forestacion(QStringLiteral("1,5")), true, {}},
        {"forestation all above 100%", forestacion(QStringLiteral("4,5")), true, {}},
        {"forestation above 100% beyond its total", forestacion(QStringLiteral("6")), false,
         QStringLiteral("no puede contener valores negativos")},
        {"forestation without its surface above 100%", forestacion(QString()), false, QStringLiteral("no puede quedar vacío")},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        EXPECT_EQ(c.probar(*this), c.aceptado) << mensajesTexto();
        if (!c.aceptado && !c.mensaje.isEmpty())
            EXPECT_TRUE(dialogos.textos().join(QLatin1Char('\n')).contains(c.mensaje)) << mensajesTexto();
    }
}

TEST_F(Zuri, AStandHasOneRowInEachPerStandTableAndItsNumberReachesThemAll)
{
    ASSERT_TRUE(rodal(QStringLiteral("1'A"))) << mensajesTexto();
    for (const QString &t : kPorRodal)
        EXPECT_EQ(filas(QStringLiteral("SELECT num FROM ") + t), QStringList{QStringLiteral("1'A")}) << t.toStdString();
    // The starting values the statistics and the checks rely on.
    EXPECT_EQ(filas(QStringLiteral("SELECT t_stud FROM zuri_res_cal_est")), QStringList{QStringLiteral("196")});
    EXPECT_EQ(filas(QStringLiteral("SELECT porc_pren FROM zuri_res_plan")), QStringList{QStringLiteral("0")});

    // An edit of the stand's other fields makes no row.
    ASSERT_TRUE(ModificarFila(tabla(QStringLiteral("sec_for")), "num", QStringLiteral("1'A"), {{"num_sec", "2"}}));
    for (const QString &t : kPorRodal)
        EXPECT_EQ(filas(QStringLiteral("SELECT COUNT(*) FROM ") + t), QStringList{QStringLiteral("1")}) << t.toStdString();

    // A rename reaches the works and every per-stand table; the samples stay with their row.
    ASSERT_TRUE(parcelas(QStringLiteral("1'A"), QStringLiteral("2"))) << mensajesTexto();
    ASSERT_TRUE(AgregarFila(tabla(QStringLiteral("car_est_duna")),
                            {{"num", "1'A"}, {"sup", "3"}, {"ano", "2020"}, {"act_ej", "6"}, {"cant", "2"}}))
        << mensajesTexto();
    ASSERT_TRUE(ModificarFila(tabla(QStringLiteral("sec_for")), "num", QStringLiteral("1'A"), {{"num", "2"}})) << mensajesTexto();
    for (const QString &t : kPorRodal + QStringList{QStringLiteral("zuri_car_est_dun")})
        EXPECT_EQ(filas(QStringLiteral("SELECT num FROM ") + t), QStringList{QStringLiteral("2")}) << t.toStdString();
    EXPECT_EQ(filas(QStringLiteral("SELECT COUNT(*) FROM zuri_ant_muest m JOIN zuri_tam_num_parc p ON p.Id_par = m.Id_par "
                                   "WHERE p.num = '2'")),
              QStringList{QStringLiteral("2")});
}

TEST_F(Zuri, AStandWithWorksStaysAndOneWithOnlyItsForestationGoesWithItsRowsAndSamples)
{
    ASSERT_TRUE(rodal(QStringLiteral("1")) && rodal(QStringLiteral("2")));
    ASSERT_TRUE(AgregarFila(tabla(QStringLiteral("car_rec_suelo")), {{"num", "1"}, {"sup", "2"}, {"ano", "2020"}, {"obra", "1"},
                                                                     {"cant", "5"}, {"val", "1000"}}))
        << mensajesTexto();
    ASSERT_TRUE(parcelas(QStringLiteral("2"), QStringLiteral("3"))) << mensajesTexto();
    ASSERT_EQ(filas(QStringLiteral("SELECT COUNT(*) FROM zuri_ant_muest")), QStringList{QStringLiteral("3")});

    EXPECT_FALSE(borrarRodal(QStringLiteral("1")));
    EXPECT_TRUE(mensajesTexto().find("posee registros asociados") != std::string::npos) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT COUNT(*) FROM zuri_car_for WHERE num = '1'")), QStringList{QStringLiteral("1")});

    EXPECT_TRUE(borrarRodal(QStringLiteral("2"))) << mensajesTexto();
    for (const QString &t : kPorRodal)
        EXPECT_EQ(filas(QStringLiteral("SELECT num FROM ") + t), QStringList{QStringLiteral("1")}) << t.toStdString();
    EXPECT_EQ(filas(QStringLiteral("SELECT COUNT(*) FROM zuri_ant_muest")), QStringList{QStringLiteral("0")});
}

TEST_F(Zuri, WorksAreRoundedToTwoDecimalsAndTakeTheUnitOfTheirWork)
{
    ASSERT_TRUE(rodal(QStringLiteral("1")));
    ASSERT_TRUE(AgregarFila(tabla(QStringLiteral("car_rec_suelo")), {{"num", "1"}, {"sup", "2,456"}, {"ano", "2020"}, {"obra", "2"},
                                                                     {"cant", "1,004"}, {"val", "10,005"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT sup, cant, val, unid FROM zuri_car_rec_sue")),
              QStringList{QStringLiteral("2.46|1|10.01|11")});
}

TEST_F(Zuri, TheSamplesFollowThePlotCount)
{
    ASSERT_TRUE(rodal(QStringLiteral("1")));
    auto muestras = [this] { return filas(QStringLiteral("SELECT num_parc, num_plan FROM zuri_ant_muest ORDER BY num_parc")); };
    ASSERT_TRUE(parcelas(QStringLiteral("1"), QStringLiteral("5"))) << mensajesTexto();
    EXPECT_EQ(muestras().size(), 5);
    EXPECT_EQ(filas(QStringLiteral("SELECT num_parc FROM zuri_res_cal_est")), QStringList{QStringLiteral("5")});

    dialogos.respuestas = {ID::NO};
    EXPECT_FALSE(parcelas(QStringLiteral("1"), QStringLiteral("3")));
    EXPECT_TRUE(mensajesTexto().find("¿Desea descartar las filas adicionales?") != std::string::npos) << mensajesTexto();
    EXPECT_EQ(muestras().size(), 5);
    EXPECT_EQ(filas(QStringLiteral("SELECT num_par FROM zuri_tam_num_parc")), QStringList{QStringLiteral("5")});

    ASSERT_TRUE(ModificarFila(tabla(QStringLiteral("ant_muest")), "num_parc", QStringLiteral("2"), {{"num_plan", "7"}}));
    dialogos.respuestas = {ID::YES};
    ASSERT_TRUE(parcelas(QStringLiteral("1"), QStringLiteral("3"))) << mensajesTexto();
    EXPECT_EQ(muestras(), (QStringList{QStringLiteral("1|0"), QStringLiteral("2|7"), QStringLiteral("3|0")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT num_parc FROM zuri_res_cal_est")), QStringList{QStringLiteral("3")});

    dialogos.boxes.clear();
    ASSERT_TRUE(parcelas(QStringLiteral("1"), QStringLiteral("5"))) << mensajesTexto();
    EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();
    EXPECT_EQ(muestras(), (QStringList{QStringLiteral("1|0"), QStringLiteral("2|7"), QStringLiteral("3|0"), QStringLiteral("4|0"),
                                       QStringLiteral("5|0")}));
    EXPECT_FALSE(form->Guardando);
}

TEST_F(Zuri, ResultsFlowFromTheStatisticsToTheForestation)
{
    ASSERT_TRUE(rodal(QStringLiteral("1")));
    ASSERT_TRUE(ModificarFila(tabla(QStringLiteral("res_cal_est")), "num", QStringLiteral("1"), {{"media", "1100"}, {"sup_for", "4,5"}}))
        << mensajesTexto();
    ASSERT_TRUE(ModificarFila(tabla(QStringLiteral("res_plan")), "num", QStringLiteral("1"), {{"den_ini", "1600"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT sup, den_real FROM zuri_res_plan")), QStringList{QStringLiteral("4.5|1100")});
    EXPECT_EQ(filas(QStringLiteral("SELECT sup_for, sup_bon_total, den_ini, den_actual FROM zuri_car_for")),
              QStringList{QStringLiteral("4.5|4.5|1600|1100")});
    Dataset *plan = tabla(QStringLiteral("res_plan"));
    ASSERT_TRUE(plan->Locate(QStringLiteral("num"), QStringLiteral("1")));
    EXPECT_EQ(plan->FieldByName(QStringLiteral("proc_pren_calc"))->AsFloat(), 68.75);

    ASSERT_TRUE(ModificarFila(plan, "num", QStringLiteral("1"), {{"den_ini", "0"}})) << mensajesTexto();
    EXPECT_TRUE(plan->FieldByName(QStringLiteral("proc_pren_calc"))->IsNull());

    Dataset *forestacion = tabla(QStringLiteral("car_for"));
    ASSERT_TRUE(forestacion->Locate(QStringLiteral("num"), QStringLiteral("1")));
    EXPECT_TRUE(forestacion->FieldByName(QStringLiteral("sup_bon_men_100_calc"))->IsNull());
    ASSERT_TRUE(ModificarFila(forestacion, "num", QStringLiteral("1"), {{"sup_bon_may_100", "1,5"}, {"ano_plan", "2021"}, {"esp", "Pino radiata (Pinus radiata)"},
                               {"tip_planta", "1"}, {"cercos", "0"}, {"cerco_repara", "0"}})) << mensajesTexto();
    EXPECT_EQ(forestacion->FieldByName(QStringLiteral("sup_bon_men_100_calc"))->AsFloat(), 3.0);
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsFloat(), 4.5);
}

TEST_F(Zuri, TheErosionColumnFollowsTheSoilOfTheCurrentRow)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("2"))) << mensajesTexto();
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("3"))) << mensajesTexto();
    Dataset *rodales = tabla(QStringLiteral("sec_for"));
    GridColumn *erosion = form->findChild<DBGrid *>(QStringLiteral("dbgZURI_sec_for"))->ColumnByFieldName(QStringLiteral("car_erosion"));
    ASSERT_TRUE(erosion);
    ASSERT_TRUE(rodales->Locate(QStringLiteral("num"), QStringLiteral("2")));
    EXPECT_TRUE(erosion->ReadOnly());
    ASSERT_TRUE(rodales->Locate(QStringLiteral("num"), QStringLiteral("1")));
    EXPECT_FALSE(erosion->ReadOnly());

    // A non-degraded category clears the row's erosion.
    rodales->Edit();
    rodales->FieldByName(QStringLiteral("cat_suelo"))->setAsString(QStringLiteral("8"));
    EXPECT_TRUE(rodales->FieldByName(QStringLiteral("car_erosion"))->IsNull());
    EXPECT_TRUE(erosion->ReadOnly());
    rodales->Cancel();
}

TEST(ZuriDosDecimales, RoundsTheShortDecimalFormHalvesAwayFromZero)
{
    const QList<std::pair<double, double>> casos = {{0.456, 0.46}, {0, 0},         {12.3, 12.3},   {2.675, 2.68},
                                                    {-2.675, -2.68}, {1.005, 1.01}, {0.004, 0},     {0.005, 0.01},
                                                    {68.75, 68.75}, {1e-20, 0},     {123456.785, 123456.79}};
    for (const auto &[valor, esperado] : casos)
        EXPECT_EQ(DosDecimalesZURI(valor), esperado) << valor;
}

TEST_F(Zuri, ASavedAccreditationReopensWholeAndTheSamplingPageShows)
{
    ASSERT_TRUE(rodal(QStringLiteral("1")) && rodal(QStringLiteral("2"), QStringLiteral("7"), QStringLiteral("1")));
    ASSERT_TRUE(parcelas(QStringLiteral("1"), QStringLiteral("4"))) << mensajesTexto();
    ASSERT_TRUE(ModificarFila(tabla(QStringLiteral("res_cal_est")), "num", QStringLiteral("1"), {{"sup_for", "4,5"}})) << mensajesTexto();
    ASSERT_TRUE(ModificarFila(tabla(QStringLiteral("res_plan")), "num", QStringLiteral("1"), {{"den_ini", "1600"}})) << mensajesTexto();
    const QString archivo = app + QStringLiteral("acreditacion.fzur");
    ASSERT_TRUE(TCustomMDIChild::GuardarDocumento(archivo, {form.data()}));
    const QStringList tablas = kPorRodal + QStringList{QStringLiteral("zuri_sec_for"), QStringLiteral("zuri_ant_muest"), QStringLiteral("zuri")};
    const QStringList antes = ContenidoTablas(form->ConexionBD, tablas);

    abrirDocumento();
    ASSERT_TRUE(form->Cargar(archivo));
    EXPECT_EQ(ContenidoTablas(form->ConexionBD, tablas), antes);

    area->show();
    form->CambiarHoja(6);
    Dataset *parc = tabla(QStringLiteral("tam_num_par"));
    ASSERT_TRUE(parc->Locate(QStringLiteral("num"), QStringLiteral("1")));
    QCoreApplication::processEvents();
    QDir().mkpath(QStringLiteral("zuri_paginas"));
    EXPECT_TRUE(form->grab().save(QStringLiteral("zuri_paginas/06_muestreo.png")));
}

TEST_F(Zuri, InsuranceAndSubsoilingArePickedAsNoOrYesAndWorkAmountsShowTwoDecimals)
{
    DBGrid *g = form->findChild<DBGrid *>(QStringLiteral("dbgZURI_car_for"));
    ASSERT_TRUE(g);
    for (const char *campo : {"seguro_for", "subsolado"}) {
        GridColumn *c = g->ColumnByFieldName(QLatin1String(campo));
        ASSERT_TRUE(c) << campo;
        EXPECT_EQ(c->PickList(), (QStringList{QStringLiteral("NO"), QStringLiteral("SI")})) << campo;
        EXPECT_EQ(c->KeyList(), (QStringList{QStringLiteral("0"), QStringLiteral("1")})) << campo;
    }
    ASSERT_TRUE(rodal(QStringLiteral("1")));
    ASSERT_TRUE(AgregarFila(tabla(QStringLiteral("car_rec_suelo")), {{"num", "1"}, {"sup", "2,4"}, {"ano", "2020"}, {"obra", "1"},
                                                                     {"cant", "5"}, {"val", "1000"}}))
        << mensajesTexto();
    Dataset *obras = tabla(QStringLiteral("car_rec_suelo"));
    EXPECT_EQ(obras->FieldByName(QStringLiteral("sup"))->DisplayText(), QStringLiteral("2,40"));
    EXPECT_EQ(obras->FieldByName(QStringLiteral("val"))->DisplayText(), QStringLiteral("1000,00"));
    EXPECT_EQ(obras->FieldByName(QStringLiteral("ano"))->DisplayText(), QStringLiteral("2020"));
}
