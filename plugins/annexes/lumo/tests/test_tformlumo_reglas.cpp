// The rules of the generic form's data: the stands' total, the stand key across the
// per-stand tables and the flora lists, the climate pair, the conservation categories,
// the comparisons of the activity grids and the order of the protection measures.
#include "lumofixture.h"

#include "connection.h"
#include "datasource.h"

#include <QSignalSpy>

using LumoReglas = LumoFixture;

TEST_F(LumoReglas, AffectedSurfaceIsTheStandsTotalWithTheRowJustPosted)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("12,5"))) << mensajesTexto();
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsFloat(), 12.5);
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("7"))) << mensajesTexto();
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsFloat(), 19.5);
    ASSERT_TRUE(modificar(QStringLiteral("car"), "num", QStringLiteral("2"), {{"sup", "3"}}));
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsFloat(), 15.5);
}

// A stand named anywhere stays; its rename reaches every table and the flora's lists.
TEST_F(LumoReglas, AStandNamedElsewhereIsRefusedOnDeleteAndRenamedEverywhere)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("5")));
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("5")));
    ASSERT_TRUE(rodal(QStringLiteral("3"), QStringLiteral("5")));
    ASSERT_TRUE(agregar(QStringLiteral("flo"), {{"esp", "1"}, {"rod", "1, 2"}, {"den", "10"}})) << mensajesTexto();
    ASSERT_TRUE(agregar(QStringLiteral("mepr"), {{"num", "2"}, {"tipo_rest", "1"}, {"trozel", "Franja"}})) << mensajesTexto();
    ASSERT_TRUE(agregar(QStringLiteral("frmLumo"), {{"num", "2"}, {"cmp1", "1"}})) << mensajesTexto();
    dialogos.boxes.clear();

    EXPECT_FALSE(borrar(QStringLiteral("car"), "num", QStringLiteral("1")));
    EXPECT_TRUE(mensajesTexto().find("no se puede borrar") != std::string::npos) << mensajesTexto();
    EXPECT_TRUE(borrar(QStringLiteral("car"), "num", QStringLiteral("3"))) << mensajesTexto();

    ASSERT_TRUE(modificar(QStringLiteral("car"), "num", QStringLiteral("2"), {{"num", "20"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT rod FROM lumo_flo")), QStringList{QStringLiteral("1, 20")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM lumo_mepr")), QStringList{QStringLiteral("20")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM lumo_frmLumo")), QStringList{QStringLiteral("20")});
}

// Fault guarded: entering the stands page posted every stand again and each post read
// every per-stand table again, whether anything was written or not.
TEST_F(LumoReglas, EnteringTheStandsPageReadsThePerStandTablesAtMostOnce)
{
    for (const char *n : {"1", "2", "3", "4"})
        ASSERT_TRUE(rodal(QLatin1String(n), QStringLiteral("2"))) << mensajesTexto();
    ASSERT_TRUE(agregar(QStringLiteral("mepr"), {{"num", "2"}, {"tipo_rest", "1"}, {"trozel", "Franja"}})) << mensajesTexto();
    Dataset *medidas = tabla(QStringLiteral("mepr"));
    ASSERT_FALSE(medidas->dataSources().isEmpty());
    QSignalSpy lecturas(medidas->dataSources().first(), &DataSource::layoutChanged);
    QWidget *pagina = form->Paginas->findChild<QWidget *>(QStringLiteral("TabSheet1"));
    ASSERT_NE(pagina, nullptr);
    form->Paginas->setCurrentWidget(form->Paginas->widget(0));
    form->Paginas->setCurrentWidget(pagina);
    EXPECT_LE(lecturas.count(), 1);
    EXPECT_EQ(medidas->RecordCount(), 1);
    // A rename still reaches the table shown.
    ASSERT_TRUE(modificar(QStringLiteral("car"), "num", QStringLiteral("2"), {{"num", "20"}})) << mensajesTexto();
    EXPECT_EQ(medidas->FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("20"));
}

// The source row of a climate variable is made unchecked, follows the variable's code and
// goes with it; checks run again on the next post.
TEST_F(LumoReglas, ClimateSourceRowsFollowTheirVariableAndChecksComeBack)
{
    ASSERT_TRUE(agregar(QStringLiteral("var_cli"), {{"var", "4"}, {"val", "1200"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT var, uni FROM lumo_var_cli")), QStringList{QStringLiteral("4|22")});
    EXPECT_EQ(filas(QStringLiteral("SELECT var, fte FROM lumo_fte_inf")), QStringList{QStringLiteral("4|null")});
    EXPECT_FALSE(form->Guardando);
    // A stand without surface is refused after the unchecked source row.
    EXPECT_FALSE(agregar(QStringLiteral("car"), {{"num", "1"}}));
    dialogos.boxes.clear();

    ASSERT_TRUE(modificar(QStringLiteral("var_cli"), "var", QStringLiteral("4"), {{"var", "1"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT var FROM lumo_fte_inf")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(filas(QStringLiteral("SELECT uni FROM lumo_var_cli")), QStringList{QStringLiteral("21")});
    EXPECT_TRUE(borrar(QStringLiteral("var_cli"), "var", QStringLiteral("1"))) << mensajesTexto();
    EXPECT_TRUE(filas(QStringLiteral("SELECT * FROM lumo_fte_inf")).isEmpty());
    EXPECT_FALSE(form->Guardando);
}

TEST_F(LumoReglas, ConservationCategoryComesWithTheSpeciesFlag)
{
    {
        Connection bd;
        ASSERT_TRUE(bd.open(app + QStringLiteral("bbdd/bd.db")));
        ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO especie (espe_codigo, espe_descripcion, espe_conservacion, tipo_codigo) "
                                           "VALUES (990, 'Sin categoría', 1, NULL)")));
    }
    struct Caso
    {
        const char *tabla;
        const char *esp;
        QString cat;
    };
    const QList<Caso> casos = {
        {"flo", "105", "2"},   // flagged, category 2
        {"flo", "1", "null"},  // not flagged: cleared
        {"flo", "990", "0"},   // flagged without a category: 0
        {"fau", "2", "1"},
        {"fau", "14", "null"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(std::string(c.tabla) + " " + c.esp);
        Dataset *ds = tabla(QLatin1String(c.tabla));
        ds->Append();
        ds->FieldByName(QStringLiteral("cat"))->setAsString(QStringLiteral("9"));
        ds->FieldByName(QStringLiteral("esp"))->setAsString(QLatin1String(c.esp));
        const Field *cat = ds->FieldByName(QStringLiteral("cat"));
        EXPECT_EQ(cat->IsNull() ? QStringLiteral("null") : cat->AsString(), c.cat);
        ds->Cancel();
    }
}

TEST_F(LumoReglas, ActivityComparisonsAcceptEqualityAndRefuseMore)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("5")));
    struct Caso
    {
        const char *tabla;
        ValoresFila valores;
        bool acepta;
        QString mensaje;
    };
    const QString poda = QStringLiteral("La densidad a podar supera la densidad total");
    const QString raleo = QStringLiteral("La densidad después del raleo no puede superar \na la densidad anterior al raleo");
    const QString densidad = QStringLiteral("La densidad residual supera a la densidad antes de la corta");
    const QString area = QStringLiteral("El área basal residual supera al área basal antes de la corta");
    const QList<Caso> casos = {
        {"pod", {{"num", "1"}, {"num_poda", "1"}, {"den_tot", "800"}, {"den_pod", "800"}, {"alt", "2"}}, true, {}},
        {"pod", {{"num", "1"}, {"num_poda", "1"}, {"den_tot", "800"}, {"den_pod", "801"}, {"alt", "2"}}, false, poda},
        {"raleo", {{"num", "1"}, {"den_antes", "900"}, {"den_despues", "900"}, {"ano", "2026"}}, true, {}},
        {"raleo", {{"num", "1"}, {"den_antes", "900"}, {"den_despues", "901"}, {"ano", "2026"}}, false, raleo},
        // The year is checked after the comparison.
        {"raleo", {{"num", "1"}, {"den_antes", "900"}, {"den_despues", "600"}}, false, QStringLiteral("Año del raleo")},
        {"cor_int", {{"num", "1"}, {"tip_cor", "1"}, {"esp", "ROBLE"}, {"ant_den", "500"}, {"res_den", "500"}, {"ant_ab", "30"}, {"res_ab", "30"}}, true, {}},
        {"cor_int", {{"num", "1"}, {"tip_cor", "1"}, {"esp", "ROBLE"}, {"ant_den", "500"}, {"res_den", "501"}, {"ant_ab", "30"}, {"res_ab", "30"}}, false, densidad},
        {"cor_int", {{"num", "1"}, {"tip_cor", "1"}, {"esp", "ROBLE"}, {"ant_den", "500"}, {"res_den", "400"}, {"ant_ab", "30"}, {"res_ab", "31"}}, false, area},
        {"cor_reg", {{"num", "1"}, {"met", "1"}, {"esp_fav", "ROBLE"}, {"den_ant", "500"}, {"den_res", "500"}, {"ab_ant", "30"}, {"ab_res", "30"}}, true, {}},
        {"cor_reg", {{"num", "1"}, {"met", "1"}, {"esp_fav", "ROBLE"}, {"den_ant", "500"}, {"den_res", "501"}, {"ab_ant", "30"}, {"ab_res", "30"}}, false, densidad},
        {"cor_reg", {{"num", "1"}, {"met", "1"}, {"esp_fav", "ROBLE"}, {"den_ant", "500"}, {"den_res", "500"}, {"ab_ant", "30"}, {"ab_res", "30,5"}}, false, area},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(std::string(c.tabla) + " " + c.mensaje.toStdString());
        dialogos.boxes.clear();
        EXPECT_EQ(agregar(QLatin1String(c.tabla), c.valores), c.acepta) << mensajesTexto();
        if (!c.acepta) {
            ASSERT_EQ(dialogos.boxes.size(), 1) << mensajesTexto();
            EXPECT_TRUE(dialogos.textos().first().contains(c.mensaje)) << mensajesTexto();
        }
    }
}

TEST_F(LumoReglas, ProtectionMeasuresShowInStandOrder)
{
    for (const char *n : {"3", "1", "2"})
        ASSERT_TRUE(rodal(QLatin1String(n), QStringLiteral("1")));
    for (const char *n : {"3", "1", "2"})
        ASSERT_TRUE(agregar(QStringLiteral("mepr"), {{"num", n}, {"tipo_rest", "1"}, {"trozel", "Franja"}})) << mensajesTexto();
    Dataset *medidas = tabla(QStringLiteral("mepr"));
    ASSERT_TRUE(RefrescarADT(medidas));
    QStringList orden;
    for (medidas->First(); !medidas->Eof(); medidas->Next())
        orden << medidas->FieldByName(QStringLiteral("num"))->AsString();
    EXPECT_EQ(orden, QStringList({"1", "2", "3"}));
}
