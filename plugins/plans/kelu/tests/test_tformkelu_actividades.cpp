// Activities of a management unit and their parameter rows, by activity class.
#include "kelufixture.h"

namespace {

class Actividades : public KeluFixture
{
protected:
    void SetUp() override
    {
        KeluFixture::SetUp();
        rodalesYSector();
        ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"obj", "Producción"}, {"num", "2, 1"}, {"unidad", "UM-1"}}));
    }
    // Every parameter row: its table, activity, species, ordinal and unit.
    QStringList parametros()
    {
        QStringList r;
        for (const char *t : {"kelu_for", "kelu_poda", "kelu_ral", "kelu_cor", "kelu_ref"}) {
            const QString ordinal = QLatin1String(t) == QLatin1String("kelu_poda")  ? QStringLiteral("num_poda")
                                    : QLatin1String(t) == QLatin1String("kelu_ral") ? QStringLiteral("num_raleo")
                                                                                    : QStringLiteral("''");
            for (const QString &f : filas(QStringLiteral("SELECT Id_desc, esp, %1, unidad FROM %2").arg(ordinal, QLatin1String(t))))
                r << QLatin1String(t) + QLatin1Char('|') + f;
        }
        return r;
    }
};

struct CasoClase
{
    const char *actividad; // tipoactividad_pl code
    const char *fila;      // the parameter row made, empty: none
};

class Clases : public Actividades, public ::testing::WithParamInterface<CasoClase>
{
};

} // namespace

TEST_P(Clases, AnActivityGetsTheRowOfItsClass)
{
    ASSERT_TRUE(agregar(QStringLiteral("desc_esq"), {{"act", GetParam().actividad}, {"edad", "5"}, {"pres", "Según plano"}}));
    const QString fila = QLatin1String(GetParam().fila);
    EXPECT_EQ(parametros(), fila.isEmpty() ? QStringList() : QStringList{fila});
    EXPECT_EQ(filas(QStringLiteral("SELECT unidad FROM kelu_desc_esq")), QStringList{QStringLiteral("UM-1")});
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();
}

// Species of the unit's first stand ("2"); ordinals of pruning and thinning; none for
// reforestation; nothing for a class outside the five.
INSTANTIATE_TEST_SUITE_P(Kelu, Clases,
                         ::testing::Values(CasoClase{"1", "kelu_for|1|EUCALIPTO||UM-1"}, CasoClase{"3", "kelu_poda|1|EUCALIPTO|2|UM-1"},
                                           CasoClase{"7", "kelu_ral|1|EUCALIPTO|3|UM-1"}, CasoClase{"8", "kelu_cor|1|EUCALIPTO||UM-1"},
                                           CasoClase{"9", "kelu_ref|1|null||UM-1"}, CasoClase{"10", ""}));

TEST_F(Actividades, ChangingTheCodeMovesTheRowAndDeletingTheActivityRemovesIt)
{
    ASSERT_TRUE(agregar(QStringLiteral("desc_esq"), {{"act", "1"}, {"edad", "1"}}));
    ASSERT_TRUE(modificar(QStringLiteral("for"), "Id_desc", QStringLiteral("1"), {{"den", "1250"}, {"tip_planta", "1"}}));
    // Same code again: the parameters typed stay.
    ASSERT_TRUE(modificar(QStringLiteral("desc_esq"), "Id_desc", QStringLiteral("1"), {{"edad", "2"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT den FROM kelu_for")), QStringList{QStringLiteral("1250")});

    ASSERT_TRUE(modificar(QStringLiteral("desc_esq"), "Id_desc", QStringLiteral("1"), {{"act", "2"}}));
    EXPECT_EQ(parametros(), QStringList{QStringLiteral("kelu_poda|1|EUCALIPTO|1|UM-1")});
    EXPECT_EQ(tabla(QStringLiteral("for"))->RecordCount(), 0);
    EXPECT_EQ(tabla(QStringLiteral("poda"))->RecordCount(), 1);

    ASSERT_TRUE(borrar(QStringLiteral("desc_esq"), "Id_desc", QStringLiteral("1")));
    EXPECT_TRUE(parametros().isEmpty());
    EXPECT_EQ(tabla(QStringLiteral("poda"))->RecordCount(), 0);
}

// Deleting a unit left its activities (and their parameter rows) without a unit.
TEST_F(Actividades, AUnitWithActivitiesIsNotDeleted)
{
    ASSERT_TRUE(agregar(QStringLiteral("desc_esq"), {{"act", "10"}, {"edad", "1"}}));
    EXPECT_FALSE(borrar(QStringLiteral("obj"), "unidad", QStringLiteral("UM-1")));
    EXPECT_EQ(mensajes(), QStringList{QStringLiteral("Este registro no se puede borrar, por que posee registros asociados")});
    ASSERT_TRUE(borrar(QStringLiteral("desc_esq"), "Id_desc", QStringLiteral("1")));
    EXPECT_TRUE(borrar(QStringLiteral("obj"), "unidad", QStringLiteral("UM-1")));
    EXPECT_TRUE(filas(QStringLiteral("SELECT * FROM kelu_obj")).isEmpty());
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QString());
}

// Renaming a unit left the old name on its activities and parameter rows.
TEST_F(Actividades, RenamingAUnitRenamesItsActivitiesAndParameters)
{
    ASSERT_TRUE(agregar(QStringLiteral("desc_esq"), {{"act", "3"}, {"edad", "8"}}));
    ASSERT_TRUE(modificar(QStringLiteral("obj"), "unidad", QStringLiteral("UM-1"), {{"unidad", "UM-A"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT unidad FROM kelu_desc_esq")), QStringList{QStringLiteral("UM-A")});
    EXPECT_EQ(parametros(), QStringList{QStringLiteral("kelu_poda|1|EUCALIPTO|2|UM-A")});
    EXPECT_EQ(mostrado(tabla(QStringLiteral("poda")), {QStringLiteral("unidad")}), QStringList{QStringLiteral("UM-A")});
}
