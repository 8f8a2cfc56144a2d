// The checks with their own messages, the climatic pair, conservation categories and the
// form-wide check of restrictions against prescriptions.
#include "dalufixture.h"

#include "dbmemo.h"

#include <QTabWidget>

// --- own checks: a row posted as typed, with the message expected (none: it posts).
struct CasoPropio
{
    const char *nombre;
    const char *tabla;
    DaluFixture::Valores valores;
    const char *mensaje;
};

void PrintTo(const CasoPropio &c, std::ostream *os)
{
    *os << c.nombre;
}

class Propias : public DaluFixture, public ::testing::WithParamInterface<CasoPropio>
{
};

TEST_P(Propias, PostPassesOrShowsItsOwnMessage)
{
    const CasoPropio &c = GetParam();
    const QString esperado = QString::fromUtf8(c.mensaje);
    EXPECT_EQ(agregar(QLatin1String(c.tabla), c.valores), esperado.isEmpty());
    if (esperado.isEmpty())
        EXPECT_TRUE(mensajes().isEmpty()) << mensajesTexto();
    else
        EXPECT_EQ(mensajes(), QStringList{QStringLiteral("Error en Formulario DALU: \n\n") + esperado + QLatin1Char('.')});
}

const CasoPropio kPropias[] = {
    {"CortaResidualIgual", "cor_int", {{"tip_cor", "1"}, {"esp", "Roble"}, {"ant_den", "800"}, {"res_den", "800"}, {"ant_ab", "30"}, {"res_ab", "30"}}, ""},
    {"CortaDensidadMayor", "cor_int", {{"tip_cor", "1"}, {"esp", "Roble"}, {"ant_den", "800"}, {"res_den", "801"}, {"ant_ab", "30"}, {"res_ab", "20"}},
     "La densidad residual supera a la densidad antes de la corta"},
    {"CortaAreaMayor", "cor_int", {{"tip_cor", "1"}, {"esp", "Roble"}, {"ant_den", "800"}, {"res_den", "500"}, {"ant_ab", "30"}, {"res_ab", "30,5"}},
     "El área basal residual supera al área basal antes de la corta"},
    {"RegeneracionResidualIgual", "cor_reg", {{"met", "71"}, {"esp_fav", "Raulí"}, {"den_ant", "600"}, {"den_res", "600"}, {"ab_ant", "25"}, {"ab_res", "25"}}, ""},
    {"RegeneracionDensidadMayor", "cor_reg", {{"met", "71"}, {"esp_fav", "Raulí"}, {"den_ant", "600"}, {"den_res", "650"}, {"ab_ant", "25"}, {"ab_res", "5"}},
     "La densidad residual supera a la densidad antes de la corta"},
    {"RegeneracionAreaMayor", "cor_reg", {{"met", "71"}, {"esp_fav", "Raulí"}, {"den_ant", "600"}, {"den_res", "100"}, {"ab_ant", "25"}, {"ab_res", "26"}},
     "El área basal residual supera al área basal antes de la corta"},
    {"PodaIgual", "pod", {{"esp", "Roble"}, {"num_poda", "1"}, {"den_tot", "500"}, {"den_pod", "500"}, {"alt", "3"}}, ""},
    {"PodaMayor", "pod", {{"esp", "Roble"}, {"num_poda", "1"}, {"den_tot", "500"}, {"den_pod", "501"}, {"alt", "3"}},
     "La densidad a podar supera la densidad total"},
    {"RegeneracionSinRango", "car_reg", {{"num", "1"}, {"esp", "Roble"}, {"origen", "1"}}, "Debe ingresar al menos un rango"},
    {"RegeneracionRangoNegativo", "car_reg", {{"num", "1"}, {"esp", "Roble"}, {"origen", "1"}, {"men_50", "-1"}}, "Debe ingresar al menos un rango"},
    {"RegeneracionUnRangoCero", "car_reg", {{"num", "1"}, {"esp", "Roble"}, {"origen", "1"}, {"f100_200", "0"}}, ""},
    {"RegeneracionSinEspecie", "car_reg", {{"num", "1"}, {"origen", "1"}, {"men_50", "3"}}, "El campo \"Especie(s)\" no puede quedar vacío"},
};

INSTANTIATE_TEST_SUITE_P(Dalu, Propias, ::testing::ValuesIn(kPropias),
                         [](const ::testing::TestParamInfo<CasoPropio> &i) { return std::string(i.param.nombre); });

TEST_F(DaluFixture, RowsTheFormWritesItselfAreNotChecked)
{
    form->Guardando = true;
    EXPECT_TRUE(agregar(QStringLiteral("pod"), {{"den_tot", "5"}, {"den_pod", "50"}}));
    EXPECT_TRUE(agregar(QStringLiteral("car_reg"), {{"num", "1"}, {"esp", "Roble"}}));
    form->Guardando = false;
    EXPECT_TRUE(mensajes().isEmpty()) << mensajesTexto();
}

TEST_F(DaluFixture, EachClimaticVariableHasOneSourceRow)
{
    ASSERT_TRUE(agregar(QStringLiteral("var_cli"), {{"var", "1"}, {"val", "12"}})) << mensajesTexto();
    ASSERT_TRUE(agregar(QStringLiteral("var_cli"), {{"var", "4"}, {"val", "1200"}})) << mensajesTexto();
    // The unit comes from the variable.
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_var_cli WHERE uni IS NULL")), QStringList{QStringLiteral("0")});
    EXPECT_EQ(filas(QStringLiteral("SELECT var FROM dalu_fte_inf ORDER BY var")), (QStringList{QStringLiteral("1"), QStringLiteral("4")}));
    ASSERT_TRUE(modificar(QStringLiteral("fte_inf"), "var", QStringLiteral("1"), {{"fte", "Estación Los Ángeles"}, {"per", "1990-2020"}}));
    ASSERT_TRUE(modificar(QStringLiteral("var_cli"), "var", QStringLiteral("1"), {{"var", "2"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT var, fte FROM dalu_fte_inf ORDER BY var")),
              (QStringList{QStringLiteral("2|Estación Los Ángeles"), QStringLiteral("4|null")}));
    ASSERT_TRUE(borrar(QStringLiteral("var_cli"), "var", QStringLiteral("4")));
    EXPECT_EQ(filas(QStringLiteral("SELECT var FROM dalu_fte_inf")), QStringList{QStringLiteral("2")});
    EXPECT_EQ(tabla(QStringLiteral("fte_inf"))->RecordCount(), 1);
}

TEST_F(DaluFixture, AProtectedSpeciesOrAnimalBringsItsCategory)
{
    Dataset *flo = tabla(QStringLiteral("flo"));
    flo->Append();
    Field *esp = flo->FieldByName(QStringLiteral("esp"));
    Field *cat = flo->FieldByName(QStringLiteral("cat"));
    esp->setAsString(QStringLiteral("144")); // protected, category 2
    EXPECT_EQ(cat->AsString(), QStringLiteral("2"));
    esp->setAsString(QStringLiteral("141")); // not protected
    EXPECT_TRUE(cat->IsNull());
    flo->Cancel();
    Dataset *fau = tabla(QStringLiteral("fau"));
    fau->Append();
    fau->FieldByName(QStringLiteral("esp"))->setAsString(QStringLiteral("2"));
    EXPECT_EQ(fau->FieldByName(QStringLiteral("cat"))->AsString(), QStringLiteral("1"));
    fau->FieldByName(QStringLiteral("esp"))->setAsString(QStringLiteral("14"));
    EXPECT_TRUE(fau->FieldByName(QStringLiteral("cat"))->IsNull());
    fau->Cancel();
}

// --- form-wide check: a stand with a restriction must be named by a prescribed objective.
class Prescripciones : public DaluFixture
{
protected:
    void SetUp() override
    {
        DaluFixture::SetUp();
        for (const char *n : {"1", "2"})
            ASSERT_TRUE(rodal(QLatin1String(n), QStringLiteral("4")));
        ASSERT_TRUE(modificar(QStringLiteral("rest"), "num", QStringLiteral("2"), {{"flora", "1"}})) << mensajesTexto();
    }
    // An objective over `rodales` with one activity and its prescription.
    void prescribir(const QString &rodales)
    {
        ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"num", rodales}, {"obj", "Obj " + rodales}, {"estr", "Coetánea"}})) << mensajesTexto();
        ASSERT_TRUE(agregar(QStringLiteral("desc_det"), {{"act", "51"}, {"cond", "Otoño"}})) << mensajesTexto();
        ASSERT_TRUE(agregar(QStringLiteral("prescripcion"), {{"pres", "Faja de protección de 20 m"}})) << mensajesTexto();
    }
};

TEST_F(Prescripciones, ARestrictedStandWithoutPrescriptionLeadsToItsPage)
{
    prescribir(QStringLiteral("1"));
    dialogos.boxes.clear();
    EXPECT_FALSE(form->ValidarFormulario());
    EXPECT_EQ(mensajes(), QStringList{QStringLiteral("Error en Formulario DALU: \n\nHay rodales que tienen restricciones ambientales "
                                                     "definidas, pero\nno tienen explicitada sus medidas de protección.")});
    EXPECT_EQ(form->Paginas->currentIndex(), 22);
}

// The list's items were compared untrimmed: " 2" did not name stand 2.
TEST_F(Prescripciones, ListItemsAreTrimmedAndCaseIsIgnored)
{
    prescribir(QStringLiteral("1, 2"));
    EXPECT_TRUE(form->ValidarFormulario()) << mensajesTexto();
    ASSERT_TRUE(rodal(QStringLiteral("a"), QStringLiteral("1")));
    ASSERT_TRUE(modificar(QStringLiteral("rest"), "num", QStringLiteral("a"), {{"pais", "2"}}));
    ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("UPDATE dalu_obj SET num = '1, 2,A'")));
    EXPECT_TRUE(form->ValidarFormulario()) << mensajesTexto();
}
