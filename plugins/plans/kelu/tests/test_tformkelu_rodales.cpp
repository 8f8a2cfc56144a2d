// Stands and sectors: surfaces of the units and of the plan, deletions refused while a
// number is used, renames carried to every use.
#include "kelufixture.h"

using Rodales = KeluFixture;

TEST_F(Rodales, UnitSurfaceIsItsStandsPlusItsSectors)
{
    rodalesYSector();
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"obj", "Producción"}, {"num", "1, 2"}, {"num_sec", "A"}, {"unidad", "UM-1"}}));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"obj", "Protección"}, {"num", " 2 "}, {"unidad", "UM-2"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT unidad, sup_tot FROM kelu_obj ORDER BY Id_obj")),
              (QStringList{QStringLiteral("UM-1|22.75"), QStringLiteral("UM-2|7.25")}));
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("30"));

    // Editing a stand's surface recomputes every unit from its own stands and sectors.
    ASSERT_TRUE(modificar(QStringLiteral("desc"), "num", QStringLiteral("2"), {{"sup", "10"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT unidad, sup_tot FROM kelu_obj ORDER BY Id_obj")),
              (QStringList{QStringLiteral("UM-1|25.5"), QStringLiteral("UM-2|10")}));
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("35,5"));
    EXPECT_EQ(mostrado(tabla(QStringLiteral("obj")), {QStringLiteral("sup_tot")}),
              (QStringList{QStringLiteral("25,5"), QStringLiteral("10")}));
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();
}
