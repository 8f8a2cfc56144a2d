// Activities of an objective and their parameter rows, and the objective's deletion.
#include "dalufixture.h"

class Actividades : public DaluFixture
{
protected:
    void SetUp() override
    {
        DaluFixture::SetUp();
        ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("10")));
        ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("5")));
        ASSERT_TRUE(modificar(QStringLiteral("des_cua"), "num", QStringLiteral("1"),
                              {{"tip_for", "1"}, {"esp_dom", "Roble, Raulí"}, {"estr", "1"}, {"est_des", "1"}, {"est_san", "1"}}))
            << mensajesTexto();
        ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"num", "1, 2"}, {"obj", "Producción"}, {"estr", "Coetánea"}})) << mensajesTexto();
    }
    bool actividad(const QString &act) { return agregar(QStringLiteral("desc_det"), {{"act", act}, {"cond", "Año 2030"}}); }
    // Every parameter row, as "table|id_desc_det|species|objective|ordinal|method".
    QStringList parametros()
    {
        return filas(QStringLiteral(
            "SELECT 'cor_int', id_desc_det, esp, obj, num_raleo, tip_cor FROM dalu_cor_int UNION ALL "
            "SELECT 'pod', id_desc_det, esp, obj, num_poda, null FROM dalu_pod UNION ALL "
            "SELECT 'cor_reg', id_desc_det, esp_fav, obj, null, met FROM dalu_cor_reg UNION ALL "
            "SELECT 'reg_ref', id_desc_det, esp, obj, null, met FROM dalu_reg_ref UNION ALL "
            "SELECT 'est_reg', id_desc_det, esp, obj, null, null FROM dalu_est_reg"));
    }
};

struct CasoClase
{
    const char *nombre;
    const char *act;
    const char *fila; // the parameter row made, empty for none
};

void PrintTo(const CasoClase &c, std::ostream *os)
{
    *os << c.nombre;
}

class Clases : public Actividades, public ::testing::WithParamInterface<CasoClase>
{
};

TEST_P(Clases, AnActivityGetsTheRowOfItsClass)
{
    ASSERT_TRUE(actividad(QLatin1String(GetParam().act))) << mensajesTexto();
    const QString fila = QString::fromUtf8(GetParam().fila);
    EXPECT_EQ(parametros(), fila.isEmpty() ? QStringList() : QStringList{fila});
    EXPECT_TRUE(mensajes().isEmpty()) << mensajesTexto();
}

const CasoClase kClases[] = {
    {"CortaIntermedia", "2", "cor_int|1|Roble, Raulí|Producción|2|10"},
    {"Poda", "11", "pod|1|Roble, Raulí|Producción|2|null"},
    {"CortaDeRegeneracion", "20", "cor_reg|1|Roble, Raulí|Producción|null|71"},
    {"CortaSecundariaSinMetodo", "29", "cor_reg|1|Roble, Raulí|Producción|null|null"},
    {"CortaFinalSinMetodo", "34", "cor_reg|1|Roble, Raulí|Producción|null|null"},
    {"Reforestacion", "40", "reg_ref|1|Roble, Raulí|Producción|null|41"},
    {"EstablecimientoSinMetodo", "51", "est_reg|1|Roble, Raulí|Producción|null|null"},
    {"ClaseDesconocida", "999", ""},
};

INSTANTIATE_TEST_SUITE_P(Dalu, Clases, ::testing::ValuesIn(kClases),
                         [](const ::testing::TestParamInfo<CasoClase> &i) { return std::string(i.param.nombre); });

TEST_F(Actividades, ChangingTheActivityRemakesItsRowAndDeletingItTakesItsRowsAlong)
{
    ASSERT_TRUE(actividad(QStringLiteral("1")));
    ASSERT_TRUE(agregar(QStringLiteral("prescripcion"), {{"pres", "Raleo por lo bajo"}})) << mensajesTexto();
    ASSERT_TRUE(modificar(QStringLiteral("desc_det"), "act", QStringLiteral("1"), {{"act", "10"}})) << mensajesTexto();
    EXPECT_EQ(parametros(), QStringList{QStringLiteral("pod|1|Roble, Raulí|Producción|1|null")});
    // Another edit of the same activity leaves its row (and what the user wrote) alone.
    ASSERT_TRUE(modificar(QStringLiteral("pod"), "id_desc_det", QStringLiteral("1"), {{"den_tot", "800"}, {"den_pod", "400"}, {"alt", "3"}}));
    ASSERT_TRUE(modificar(QStringLiteral("desc_det"), "act", QStringLiteral("10"), {{"cond", "Año 2031"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT den_tot FROM dalu_pod")), QStringList{QStringLiteral("800")});
    ASSERT_TRUE(borrar(QStringLiteral("desc_det"), "act", QStringLiteral("10")));
    EXPECT_EQ(parametros(), QStringList());
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_prescripcion")), QStringList{QStringLiteral("0")});
    EXPECT_EQ(tabla(QStringLiteral("pod"))->RecordCount(), 0);
}

TEST_F(Actividades, WithoutDominantSpeciesOfTheFirstStandNoRowIsMade)
{
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"num", "2, 1"}, {"obj", "Protección"}, {"estr", "Coetánea"}}));
    ASSERT_TRUE(actividad(QStringLiteral("1")));
    EXPECT_EQ(parametros(), QStringList());
}

// The objective's deletion ignored the establishment rows and left prescriptions behind.
TEST_F(Actividades, AnObjectiveWithParameterRowsIsNotDeleted)
{
    ASSERT_TRUE(agregar(QStringLiteral("crit"), {{"esp", "Roble"}, {"edad", "80"}}));
    ASSERT_TRUE(actividad(QStringLiteral("51")));
    dialogos.boxes.clear();
    EXPECT_FALSE(borrar(QStringLiteral("obj"), "obj", QStringLiteral("Producción")));
    EXPECT_EQ(mensajes(), QStringList{QStringLiteral("Este registro no se puede borrar, por que posee registros asociados")});

    // Without parameter rows it goes with its criteria, description, activities and prescriptions.
    ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("DELETE FROM dalu_est_reg")));
    ASSERT_TRUE(agregar(QStringLiteral("prescripcion"), {{"pres", "Escarificar en franjas"}})) << mensajesTexto();
    ASSERT_TRUE(agregar(QStringLiteral("desc"), {{"jus", "Recuperar la estructura"}})) << mensajesTexto();
    ASSERT_TRUE(borrar(QStringLiteral("obj"), "obj", QStringLiteral("Producción"))) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT (SELECT count(*) FROM dalu_crit) + (SELECT count(*) FROM dalu_desc) + "
                                   "(SELECT count(*) FROM dalu_desc_det) + (SELECT count(*) FROM dalu_prescripcion)")),
              QStringList{QStringLiteral("0")});
}
