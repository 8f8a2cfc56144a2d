// Stands: a new stand brings its objective, a rename reaches every table naming it (the
// flora lists item by item), a stand still named anywhere cannot be deleted, a deleted one
// leaves no objective behind; the affected surface and the copied surfaces follow.
#include "tisafixture.h"

#include "field.h"

using Rodales = TisaFixture;

TEST_F(Rodales, ANewStandBringsItsObjectiveAndARenameReachesEveryTableNamingIt)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("12,5"))) << mensajesTexto();
    ASSERT_TRUE(rodal(QStringLiteral("12"), QStringLiteral("3"))) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM tisa_obj ORDER BY Id")), (QStringList{QStringLiteral("1"), QStringLiteral("12")}));
    EXPECT_EQ(tabla(QStringLiteral("obj"))->RecordCount(), 2);

    ASSERT_TRUE(agregar(QStringLiteral("hidr"), {{"num", "1"}, {"masa", "1"}, {"temp", "1"}, {"dist", "50"}, {"ancho", "2"}}))
        << mensajesTexto();
    ASSERT_TRUE(suelo(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(agregar(QStringLiteral("flo"), {{"esp", "1"}, {"num", "1, 12"}, {"den", "20"}})) << mensajesTexto();
    ASSERT_TRUE(agregar(QStringLiteral("prog_corta"), {{"num", "1"}, {"ano_cor", "2027"}})) << mensajesTexto();
    ASSERT_TRUE(agregar(QStringLiteral("prog_act"), {{"num", "1"}, {"ano_prog", "2028"}, {"act", "201"}})) << mensajesTexto();
    ASSERT_TRUE(medida(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(modificar(QStringLiteral("obj"), "num", QStringLiteral("1"), {{"obj", "Recuperar praderas"}}));

    ASSERT_TRUE(modificar(QStringLiteral("car_bos"), "num", QStringLiteral("1"), {{"num", "3"}})) << mensajesTexto();
    for (const char *t : {"tisa_obj", "tisa_hidr", "tisa_car_sue", "tisa_prog_corta", "tisa_prog_act", "tisa_mepr"})
        EXPECT_FALSE(filas(QStringLiteral("SELECT num FROM %1").arg(QLatin1String(t))).contains(QStringLiteral("1"))) << t;
    EXPECT_EQ(filas(QStringLiteral("SELECT num, obj FROM tisa_obj ORDER BY Id")),
              (QStringList{QStringLiteral("3|Recuperar praderas"), QStringLiteral("12|null")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM tisa_flo")), QStringList{QStringLiteral("3, 12")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM tisa_mepr")), QStringList{QStringLiteral("3")});
    // The grids show it at once.
    EXPECT_EQ(tabla(QStringLiteral("flo"))->FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("3, 12"));
}

TEST_F(Rodales, AStandNamedAnywhereCannotBeDeletedAndKeepsItsObjective)
{
    // Each grid naming a stand refuses its deletion, the protection measures and the items
    // of a flora list among them.
    const QList<std::pair<const char *, ValoresFila>> nombran = {
        {"hidr", {{"num", "1"}, {"masa", "1"}, {"temp", "1"}, {"dist", "50"}, {"ancho", "2"}}},
        {"car_sue", {{"num", "1"}, {"cap_uso", "3"}, {"simb", "Tr"}, {"pen", "12"}, {"exp", "1"}, {"prof", "2"}, {"alt", "300"}}},
        {"flo", {{"esp", "1"}, {"num", "12, 1"}, {"den", "20"}}},
        {"prog_corta", {{"num", "1"}, {"ano_cor", "2027"}}},
        {"prog_act", {{"num", "1"}, {"ano_prog", "2028"}, {"act", "201"}}},
        {"mepr", {{"num", "1"}, {"tip_rest", "52"}, {"mepr", "Franja de protección"}}},
    };
    for (const auto &[sufijo, valores] : nombran) {
        SCOPED_TRACE(sufijo);
        abrirDocumento();
        ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("5")));
        ASSERT_TRUE(rodal(QStringLiteral("12"), QStringLiteral("5")));
        ASSERT_TRUE(agregar(QLatin1String(sufijo), valores)) << mensajesTexto();
        EXPECT_FALSE(borrar(QStringLiteral("car_bos"), "num", QStringLiteral("1")));
        EXPECT_EQ(filas(QStringLiteral("SELECT num FROM tisa_car_bos WHERE num = '1'")), QStringList{QStringLiteral("1")});
        EXPECT_EQ(filas(QStringLiteral("SELECT num FROM tisa_obj WHERE num = '1'")), QStringList{QStringLiteral("1")});
    }
}

TEST_F(Rodales, ADeletedStandLeavesNoObjective)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("5")));
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("5")));
    ASSERT_TRUE(borrar(QStringLiteral("car_bos"), "num", QStringLiteral("1"))) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM tisa_obj")), QStringList{QStringLiteral("2")});
    EXPECT_EQ(tabla(QStringLiteral("obj"))->RecordCount(), 1);
}

TEST_F(Rodales, TheAffectedAndTheCopiedSurfacesFollowTheStands)
{
    Field *supAfe = tabla(QString())->FieldByName(QStringLiteral("sup_afe"));
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("12,5")));
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("7,25")));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("19,75"));
    ASSERT_TRUE(suelo(QStringLiteral("2"))) << mensajesTexto();
    ASSERT_TRUE(modificar(QStringLiteral("car_bos"), "num", QStringLiteral("2"), {{"sup", "10"}}));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("22,5"));
    EXPECT_EQ(tabla(QStringLiteral("car_sue"))->FieldByName(QStringLiteral("sup_cpy"))->AsString(), QStringLiteral("10"));
    ASSERT_TRUE(borrar(QStringLiteral("car_bos"), "num", QStringLiteral("1")));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("10"));
}
