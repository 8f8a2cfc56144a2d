// The stand inventory typed through the form: general characteristics into the stand's
// inventory, plots, trees and their checks, the class range, the stand and stock table,
// and the summaries and sampling statistics that follow every change of the trees.
#include "dalufixture.h"

#include <QPushButton>

namespace {

// The worked example: fixed-area plots of 500 m², 4 plots, one species; by plot the
// diameters 1: 12, 14, 18; 2: 11, 16; 3: 13, 21, 22, 15; 4: 19.
//
// By hand: each tree stands for 10000 / 500 = 20 trees per hectare per plot (F), and for
// 10000 / (500 × 4) = 5 in the mean table.
//   classes 11-16 (12 14 11 16 13 15), 16.1-21 (18 21 19), 21.1-22 (22): 30, 15, 5 per ha;
//   basal areas 30 × 13.5² × 3.141592 / 40000 = 0.429 -> 0.43, 15 × 18.55² ... = 0.405 ->
//   0.41, 5 × 21.55² ... = 0.182 -> 0.18; footers 50 and 1.02.
//   x_i = 3, 2, 4, 1 trees × 20 = 60, 40, 80, 20; mean 50; Σ(50 - x_i)² = 2000;
//   variance 2000 / 3 = 666.67, deviation 25.82, coefficient 51.64 %, error 51.64 ×
//   3.182 / √4 = 82.16.
//   b_i = Σ dap² × 3.141592 / 40000 × 20: plot 1 (144 + 196 + 324) 1.04301, plot 2 (121 +
//   256) 0.59219, plot 3 (169 + 441 + 484 + 225) 2.07193, plot 4 (361) 0.56707; mean
//   1.06855; Σ(mean - b_i)² = 0.00065 + 0.22692 + 1.00677 + 0.25148 = 1.48582; variance
//   0.49527 -> 0.5, deviation 0.70376 -> 0.7, coefficient 0.70376 / 1.06855 = 65.86 %,
//   error 65.86 × 3.182 / √4 = 104.78. The means shown are the table's footers, 50 and 1.02.
const QList<QList<double>> kArboles = {{12, 14, 18}, {11, 16}, {13, 21, 22, 15}, {19}};

QString texto(double v)
{
    return QString::number(v, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

class Inventario : public DaluFixture
{
protected:
    QPushButton *boton(const char *nombre) const { return form->findChild<QPushButton *>(QLatin1String(nombre)); }

    // The inventory row of the stand in edit with `valores`, then "Crear Parcela".
    bool crearParcelas(const QString &num, const Valores &valores)
    {
        Dataset *inv = tabla(QStringLiteral("inventario"));
        if (!inv->Locate(QStringLiteral("num"), num))
            return false;
        inv->Edit();
        for (const auto &[campo, v] : valores)
            inv->FieldByName(QLatin1String(campo))->setAsString(v);
        if (!boton("btnCrearParcela")->isEnabled())
            return false;
        boton("btnCrearParcela")->click();
        return inv->State() == DatasetState::Browse;
    }

    bool arbol(int parcela, const Valores &valores)
    {
        if (!tabla(QStringLiteral("inv_parcela"))->Locate(QStringLiteral("id_parc"), parcela))
            return false;
        return agregar(QStringLiteral("parcela"), valores);
    }

    // Stand 1 with the worked example's inventory and trees.
    void ejemplo()
    {
        ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("10"))) << mensajesTexto();
        // The general characteristics fill the new stand's inventory.
        ASSERT_TRUE(agregar(QStringLiteral("car_inv"), {{"num", "1"}, {"lumo_tip_mue", "2"}, {"lumo_form_parc", "1"}, {"lumo_tam_parc", "500"}}))
            << mensajesTexto();
        ASSERT_EQ(filas(QStringLiteral("SELECT dis_inv, forma, tip_parc, mag FROM dalu_inventario")),
                  QStringList{QStringLiteral("Muestreo sistemático |Circular |128|500")});
        ASSERT_TRUE(crearParcelas(QStringLiteral("1"), {{"num_parc", "4"}})) << mensajesTexto();
        bool primero = true;
        for (int p = 0; p < kArboles.size(); ++p) {
            for (double dap : kArboles[p]) {
                // Only the first tree names its species; the next ones take it.
                Valores v{{"dap", texto(dap)}};
                if (primero)
                    v.prepend({"esp", "141"});
                primero = false;
                ASSERT_TRUE(arbol(p + 1, v)) << mensajesTexto();
            }
        }
    }

    QStringList clases() const
    {
        return filas(QStringLiteral("SELECT clas_men, clas_may, esp1_den, esp1_area, esp1_vol FROM dalu_tab_rod_det ORDER BY Id"));
    }
    QStringList muestreo() const
    {
        return filas(QStringLiteral("SELECT num_uni, num_arb_med, are_bas_med, num_arb_var, num_arb_desv, num_arb_coef, "
                                    "num_arb_err, are_bas_var, are_bas_desv, are_bas_coef, area_bas_err FROM dalu_res_mue"));
    }
};

TEST_F(Inventario, TheWorkedExampleTypedThroughTheForm)
{
    ejemplo();
    EXPECT_EQ(filas(QStringLiteral("SELECT id_parc FROM dalu_inv_parcela ORDER BY id_parc")),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT DISTINCT esp FROM dalu_parcela")), QStringList{QStringLiteral("141")});
    // The trees keep the class range and name the table's first species.
    EXPECT_EQ(filas(QStringLiteral("SELECT clas_min, clas_max, esp1 FROM dalu_tab_rod")), QStringList{QStringLiteral("11|22|141")});

    boton("btnCrear")->click();
    EXPECT_EQ(mensajes().value(0), QStringLiteral("La creación de la tabla puede demorar algunos minutos"));
    EXPECT_EQ(clases(), (QStringList{QStringLiteral("11|16|30|0.43|0"), QStringLiteral("16.1|21|15|0.41|0"),
                                     QStringLiteral("21.1|22|5|0.18|0")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT clas_men, clas_may, esp1_den, esp1_ab FROM dalu_est_var ORDER BY Id")),
              (QStringList{QStringLiteral("11|16|30|0.43"), QStringLiteral("16.1|21|15|0.41"), QStringLiteral("21.1|22|5|0.18")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT esp1_den, esp1_ab, esp1_vol, otra_den FROM dalu_res_inv")),
              QStringList{QStringLiteral("50|1.02|0|0")});
    EXPECT_EQ(filas(QStringLiteral("SELECT sup, den, ab, vol FROM dalu_res_gral")), QStringList{QStringLiteral("10|50|1.02|0")});
    EXPECT_EQ(muestreo(), QStringList{QStringLiteral("4|50|1.02|666.67|25.82|51.64|82.16|0.5|0.7|65.86|104.78")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num_arb_t, area_bas_t FROM dalu_res_mue")), QStringList{QStringLiteral("164|164")});
    // The grid shows them.
    Dataset *det = tabla(QStringLiteral("tab_rod_det"));
    EXPECT_EQ(det->RecordCount(), 3);
    EXPECT_EQ(det->FieldByName(QStringLiteral("tot_den"))->AsString(), QStringLiteral("30"));
    EXPECT_FALSE(form->Guardando);

    // A typed volume reaches the summaries.
    ASSERT_TRUE(modificar(QStringLiteral("tab_rod_det"), "clas_men", QStringLiteral("11"), {{"esp1_vol", "12,5"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT esp1_vol FROM dalu_res_inv UNION ALL SELECT vol FROM dalu_res_gral")),
              (QStringList{QStringLiteral("12.5"), QStringLiteral("12.5")}));
}

// Each tree posted or deleted brings the table and the results up to date: within the
// range the classes stay with their typed volumes; outside it the table goes.
TEST_F(Inventario, EveryTreeChangeRecomputes)
{
    ejemplo();
    boton("btnCrear")->click();
    ASSERT_TRUE(modificar(QStringLiteral("tab_rod_det"), "clas_men", QStringLiteral("16.1"), {{"esp1_vol", "7"}})) << mensajesTexto();

    ASSERT_TRUE(arbol(4, {{"dap", "17"}})) << mensajesTexto();
    EXPECT_EQ(clases(), (QStringList{QStringLiteral("11|16|30|0.43|0"), QStringLiteral("16.1|21|20|0.54|7"),
                                     QStringLiteral("21.1|22|5|0.18|0")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT num_arb_med, num_arb_var FROM dalu_res_mue")), QStringList{QStringLiteral("55|366.67")});

    ASSERT_TRUE(borrar(QStringLiteral("parcela"), "dap", QStringLiteral("17"))) << mensajesTexto();
    EXPECT_EQ(clases(), (QStringList{QStringLiteral("11|16|30|0.43|0"), QStringLiteral("16.1|21|15|0.41|7"),
                                     QStringLiteral("21.1|22|5|0.18|0")}));
    EXPECT_EQ(muestreo(), QStringList{QStringLiteral("4|50|1.02|666.67|25.82|51.64|82.16|0.5|0.7|65.86|104.78")});

    // A wider range empties the table and its estimated variables.
    ASSERT_TRUE(arbol(1, {{"dap", "30"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT clas_min, clas_max FROM dalu_tab_rod")), QStringList{QStringLiteral("11|30")});
    EXPECT_TRUE(clases().isEmpty());
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_est_var")), QStringList{QStringLiteral("0")});
    EXPECT_EQ(filas(QStringLiteral("SELECT esp1_den, num_arb_med FROM dalu_res_inv, dalu_res_mue")), QStringList{QStringLiteral("0|0")});
    EXPECT_FALSE(form->Guardando);
}

// The plots' size weighs every tree: the classes keep their bounds and typed volumes.
TEST_F(Inventario, ChangingThePlotSizeRecomputesTheDensities)
{
    ejemplo();
    boton("btnCrear")->click();
    ASSERT_TRUE(modificar(QStringLiteral("tab_rod_det"), "clas_men", QStringLiteral("11"), {{"esp1_vol", "3"}})) << mensajesTexto();
    // 400 m² × 4 plots: 6.25 per tree; 37.5, 18.75 and 6.25 rounded halves to even.
    ASSERT_TRUE(modificar(QStringLiteral("inventario"), "num", QStringLiteral("1"), {{"mag", "400"}})) << mensajesTexto();
    EXPECT_EQ(clases(), (QStringList{QStringLiteral("11|16|38|0.54|3"), QStringLiteral("16.1|21|19|0.51|0"),
                                     QStringLiteral("21.1|22|6|0.22|0")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT num_arb_med FROM dalu_res_mue")), QStringList{QStringLiteral("63")});
}

TEST_F(Inventario, PlotsAreCreatedOncePerNumber)
{
    ejemplo();
    // Keeping the plots adds only the missing numbers; the trees stay.
    dialogos.responder({ID::NO});
    ASSERT_TRUE(crearParcelas(QStringLiteral("1"), {{"num_parc", "5"}})) << mensajesTexto();
    EXPECT_EQ(mensajes().last(),
              QStringLiteral("La tabla parcela ya está creada.\n¿ Desea borrar la tabla de parcelas para el rodal seleccionado ?"));
    EXPECT_EQ(filas(QStringLiteral("SELECT group_concat(id_parc) FROM (SELECT id_parc FROM dalu_inv_parcela ORDER BY id_parc)")),
              QStringList{QStringLiteral("1,2,3,4,5")});
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_parcela")), QStringList{QStringLiteral("10")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num_uni FROM dalu_res_mue")), QStringList{QStringLiteral("5")});

    // Deleting them starts again with empty plots.
    ASSERT_TRUE(crearParcelas(QStringLiteral("1"), {{"num_parc", "2"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT group_concat(id_parc) FROM (SELECT id_parc FROM dalu_inv_parcela ORDER BY id_parc)")),
              QStringList{QStringLiteral("1,2")});
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_parcela")), QStringList{QStringLiteral("0")});
}

TEST_F(Inventario, PlotButtonNeedsTheInventoryParameters)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("10")));
    Dataset *inv = tabla(QStringLiteral("inventario"));
    ASSERT_TRUE(inv->Locate(QStringLiteral("num"), QStringLiteral("1")));
    EXPECT_FALSE(boton("btnCrearParcela")->isEnabled());
    inv->Edit();
    for (const auto &[campo, v] : {std::pair{"dis_inv", "Censo"}, std::pair{"tip_parc", "128"}, std::pair{"forma", "Circular"}}) {
        inv->FieldByName(QLatin1String(campo))->setAsString(QLatin1String(v));
        EXPECT_FALSE(boton("btnCrearParcela")->isEnabled()) << campo;
    }
    inv->FieldByName(QStringLiteral("mag"))->setAsString(QStringLiteral("400"));
    EXPECT_TRUE(boton("btnCrearParcela")->isEnabled());
    inv->Cancel();
    EXPECT_FALSE(boton("btnCrearParcela")->isEnabled());
}

// --- the trees' checks

struct CasoArbol
{
    const char *dap;
    bool aceptado;
};

class ChequeoDap : public Inventario, public ::testing::WithParamInterface<CasoArbol>
{
};

TEST_P(ChequeoDap, TheDiameterRoundedHalvesToEvenLiesIn5To250)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("10")));
    ASSERT_TRUE(crearParcelas(QStringLiteral("1"), {{"dis_inv", "Censo"}, {"tip_parc", "128"}, {"forma", "Circular"}, {"mag", "500"}, {"num_parc", "2"}}));
    EXPECT_EQ(arbol(1, {{"esp", "141"}, {"dap", QLatin1String(GetParam().dap)}}), GetParam().aceptado);
    EXPECT_EQ(mensajes().contains(QStringLiteral("DAP debe estar en el rango de 5 a 250 cm")), !GetParam().aceptado) << mensajesTexto();
}

INSTANTIATE_TEST_SUITE_P(Casos, ChequeoDap,
                         ::testing::Values(CasoArbol{"4,5", false}, CasoArbol{"4,6", true}, CasoArbol{"250,4", true},
                                           CasoArbol{"250,5", true}, CasoArbol{"250,6", false}));

TEST_F(Inventario, ATreeNeedsItsPlotSpeciesAndDiameter)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("10")));
    // Without plots the row is not kept.
    EXPECT_FALSE(agregar(QStringLiteral("parcela"), {{"esp", "141"}, {"dap", "20"}}));
    EXPECT_TRUE(mensajesTexto().find("Debe existir las parcelas antes de definir características") != std::string::npos) << mensajesTexto();
    EXPECT_EQ(tabla(QStringLiteral("parcela"))->State(), DatasetState::Browse);
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_parcela")), QStringList{QStringLiteral("0")});

    ASSERT_TRUE(crearParcelas(QStringLiteral("1"), {{"dis_inv", "Censo"}, {"tip_parc", "128"}, {"forma", "Circular"}, {"mag", "500"}, {"num_parc", "2"}}));
    dialogos.boxes.clear();
    EXPECT_FALSE(arbol(1, {{"esp", "141"}}));
    EXPECT_FALSE(arbol(1, {{"dap", "20"}}));
    EXPECT_EQ(mensajes().size(), 2) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_parcela")), QStringList{QStringLiteral("0")});
}

// One tree, or trees in one plot only, give means but no sampling figures.
TEST_F(Inventario, TooSmallASampleLeavesTheStatisticsEmpty)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("10")));
    ASSERT_TRUE(crearParcelas(QStringLiteral("1"), {{"dis_inv", "Censo"}, {"tip_parc", "128"}, {"forma", "Circular"}, {"mag", "500"}, {"num_parc", "1"}}));
    ASSERT_TRUE(arbol(1, {{"esp", "141"}, {"dap", "20"}}));
    ASSERT_TRUE(arbol(1, {{"dap", "24"}}));
    boton("btnCrear")->click();
    EXPECT_EQ(clases(), QStringList{QStringLiteral("20|25|40|1.59|0")});
    EXPECT_EQ(muestreo(), QStringList{QStringLiteral("1|40|1.59|null|null|null|null|null|null|null|null")});
}

// --- the stand and stock table

TEST_F(Inventario, CreatingTheTableAgainAsksWhatToDoWithTheOldOne)
{
    ejemplo();
    boton("btnCrear")->click();
    const QStringList tres = clases();
    // No, then no: nothing changes.
    dialogos.boxes.clear();
    dialogos.responder({ID::NO, ID::NO});
    boton("btnCrear")->click();
    EXPECT_EQ(mensajes().size(), 2) << mensajesTexto();
    EXPECT_EQ(clases(), tres);
    // No, then yes: the classes are appended again.
    dialogos.responder({ID::NO, ID::YES});
    boton("btnCrear")->click();
    EXPECT_EQ(clases(), tres + tres);
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_est_var")), QStringList{QStringLiteral("6")});
    EXPECT_EQ(filas(QStringLiteral("SELECT esp1_den FROM dalu_res_inv")), QStringList{QStringLiteral("100")});
    // Yes: the table is made anew.
    boton("btnCrear")->click();
    EXPECT_EQ(clases(), tres);
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_est_var")), QStringList{QStringLiteral("3")});
}

struct CasoTabla
{
    const char *clasMin;
    const char *clasMax;
    const char *mensaje; // null: accepted
};

class ChequeoTabla : public Inventario, public ::testing::WithParamInterface<CasoTabla>
{
};

TEST_P(ChequeoTabla, TheRangeIsChecked)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("10")));
    const bool ok = modificar(QStringLiteral("tab_rod"), "num", QStringLiteral("1"),
                              {{"esp1", "141"}, {"clas_min", QLatin1String(GetParam().clasMin)}, {"clas_max", QLatin1String(GetParam().clasMax)}});
    EXPECT_EQ(ok, GetParam().mensaje == nullptr) << mensajesTexto();
    if (GetParam().mensaje)
        EXPECT_NE(mensajesTexto().find(GetParam().mensaje), std::string::npos) << mensajesTexto();
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ChequeoTabla,
    ::testing::Values(CasoTabla{"10", "22", nullptr}, CasoTabla{"10", "10,1", "no debe igualar ni superar\na la máxima"},
                      CasoTabla{"20", "10", "no debe igualar ni superar\na la máxima"},
                      CasoTabla{"10", "250,5", "no debe superar los 250 cm"}));

TEST_F(Inventario, ATypedDensityOfTheEstimatedVariablesBringsItsBasalArea)
{
    ejemplo();
    boton("btnCrear")->click();
    ASSERT_TRUE(modificar(QStringLiteral("est_var"), "clas_men", QStringLiteral("11"), {{"esp1_den", "20"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT esp1_den, esp1_ab FROM dalu_est_var ORDER BY Id LIMIT 1")), QStringList{QStringLiteral("20|0.29")});
}

// --- the general characteristics

// The design and the form reach the stands as their texts followed by one blank.
TEST_F(Inventario, GeneralCharacteristicsFillOnlyWhatIsMissing)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("10")));
    ASSERT_TRUE(rodal(QStringLiteral("O'Higgins"), QStringLiteral("5")));
    ASSERT_TRUE(rodal(QStringLiteral("3"), QStringLiteral("5")));
    Connection *c = form->ConexionBD;
    // Stand 1 is complete; O'Higgins lacks its form (NULL); 3 has a blank design.
    ASSERT_TRUE(c->exec(QStringLiteral("UPDATE dalu_inventario SET dis_inv = 'Propio', forma = 'Cuadrada', tip_parc = 1, mag = 250 "
                                       "WHERE num = '1'")));
    ASSERT_TRUE(c->exec(QStringLiteral("UPDATE dalu_inventario SET dis_inv = 'Propio', forma = NULL, mag = 250 WHERE num = 'O''Higgins'")));
    ASSERT_TRUE(c->exec(QStringLiteral("UPDATE dalu_inventario SET dis_inv = ' ', forma = 'Cuadrada', mag = 250 WHERE num = '3'")));
    ASSERT_TRUE(agregar(QStringLiteral("car_inv"), {{"num", "1"}, {"lumo_tip_mue", "4"}, {"lumo_form_parc", "3"}, {"lumo_tam_parc", "1000"}}))
        << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num, dis_inv, forma, tip_parc, mag FROM dalu_inventario ORDER BY id_inv")),
              (QStringList{QStringLiteral("1|Propio|Cuadrada|1|250"), QStringLiteral("O'Higgins|Censo |Rectangular |128|1000"),
                           QStringLiteral("3|Censo |Rectangular |128|1000")}));
    EXPECT_FALSE(form->Guardando);

    // An empty row is not kept.
    agregar(QStringLiteral("car_inv"), {{"num", "3"}});
    EXPECT_EQ(tabla(QStringLiteral("car_inv"))->State(), DatasetState::Browse);
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_car_inv")), QStringList{QStringLiteral("1")});
}

// The stands' inventories follow the general characteristics as they are chosen.
TEST_F(Inventario, GeneralCharacteristicsReachTheStandsAsTheyAreChosen)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("10")));
    Dataset *ci = tabla(QStringLiteral("car_inv"));
    ci->Append();
    ci->FieldByName(QStringLiteral("lumo_tip_mue"))->setAsString(QStringLiteral("1"));
    EXPECT_EQ(filas(QStringLiteral("SELECT dis_inv, forma, tip_parc, mag FROM dalu_inventario")),
              QStringList{QStringLiteral("Muestreo aleatorio simple | |128|null")});
    ci->FieldByName(QStringLiteral("lumo_form_parc"))->setAsString(QStringLiteral("2"));
    ci->FieldByName(QStringLiteral("lumo_tam_parc"))->setAsString(QStringLiteral("250,5"));
    EXPECT_EQ(filas(QStringLiteral("SELECT dis_inv, forma, tip_parc, mag FROM dalu_inventario")),
              QStringList{QStringLiteral("Muestreo aleatorio simple |Cuadrada |128|250.5")});
    EXPECT_FALSE(form->Guardando);
}
