// Restriction rows and their protection-measure rows.
#include "kelufixture.h"

namespace {

struct CasoRestriccion
{
    const char *nombre;
    KeluFixture::Valores valores;
    const char *tipos; // tip_rest of the measure rows, in order
};

void PrintTo(const CasoRestriccion &c, std::ostream *os)
{
    *os << c.nombre;
}

class Restricciones : public KeluFixture, public ::testing::WithParamInterface<CasoRestriccion>
{
protected:
    QString tipos() { return filas(QStringLiteral("SELECT tip_rest FROM kelu_mepr ORDER BY Id")).join(QLatin1Char(',')); }
};

const CasoRestriccion kRestricciones[] = {
    {"SinRecursosHidricosNiOtras", {{"rec_hid", "47"}}, ""},
    {"SoloRecursosHidricos", {{"rec_hid", "41"}}, "52"},
    {"Todas", {{"top", "35"}, {"esp_flora", "Araucaria"}, {"esp_fauna", "Pudú"}, {"suelo", "Erosión"}, {"rec_hid", "43"}}, "54,55,56,52,53"},
    {"TopografiaYSuelo", {{"top", "0"}, {"suelo", "Erosión"}, {"rec_hid", "47"}}, "54,53"},
    {"TextosEnBlancoNoCuentan", {{"esp_flora", "  "}, {"suelo", " "}, {"rec_hid", "47"}}, ""},
};

} // namespace

TEST_P(Restricciones, ARowGetsOneMeasureRowPerKindItStates)
{
    ASSERT_TRUE(agregar(QStringLiteral("desc"), {{"num", "1"}, {"sup", "1"}, {"ano", "2000"}, {"esp", "PINO"}, {"est_san", "1"}, {"cap", "4"}}));
    KeluFixture::Valores v = GetParam().valores;
    v.prepend({"num", QStringLiteral("1")});
    ASSERT_TRUE(agregar(QStringLiteral("rest_var"), v));
    EXPECT_EQ(tipos(), QLatin1String(GetParam().tipos));
    EXPECT_EQ(tabla(QStringLiteral("mepr"))->RecordCount(), filas(QStringLiteral("SELECT * FROM kelu_mepr")).size());
    if (!QByteArray(GetParam().tipos).isEmpty()) {
        EXPECT_EQ(filas(QStringLiteral("SELECT DISTINCT id_restVar, num, num_sec FROM kelu_mepr")), QStringList{QStringLiteral("1|1|null")});
    }
}

INSTANTIATE_TEST_SUITE_P(Kelu, Restricciones, ::testing::ValuesIn(kRestricciones),
                         [](const ::testing::TestParamInfo<CasoRestriccion> &i) { return std::string(i.param.nombre); });

// Rebuilding the measure rows after an edit threw away the measures already written.
TEST_F(KeluFixture, EditingARestrictionKeepsTheMeasuresOfTheKindsThatRemain)
{
    for (const char *n : {"1", "2"})
        ASSERT_TRUE(agregar(QStringLiteral("desc"), {{"num", n}, {"sup", "1"}, {"ano", "2000"}, {"esp", "P"}, {"est_san", "1"}, {"cap", "4"}}));
    ASSERT_TRUE(agregar(QStringLiteral("rest_var"), {{"num", "1"}, {"top", "35"}, {"esp_flora", "Araucaria"}, {"rec_hid", "47"}}));
    ASSERT_TRUE(modificar(QStringLiteral("mepr"), "tip_rest", QStringLiteral("54"), {{"med_prot", "Terrazas"}}));
    ASSERT_TRUE(modificar(QStringLiteral("mepr"), "tip_rest", QStringLiteral("55"), {{"med_prot", "Franja de 20 m"}}));

    // Soil added, flora dropped, moved to stand 2.
    ASSERT_TRUE(modificar(QStringLiteral("rest_var"), "num", QStringLiteral("1"),
                          {{"num", "2"}, {"esp_flora", QString()}, {"suelo", "Erosión"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT num, tip_rest, med_prot FROM kelu_mepr ORDER BY tip_rest")),
              (QStringList{QStringLiteral("2|53|null"), QStringLiteral("2|54|Terrazas")}));
    EXPECT_EQ(mostrado(tabla(QStringLiteral("mepr")), {QStringLiteral("tip_rest"), QStringLiteral("med_prot")}).size(), 2);
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();

    ASSERT_TRUE(borrar(QStringLiteral("rest_var"), "num", QStringLiteral("2")));
    EXPECT_TRUE(filas(QStringLiteral("SELECT * FROM kelu_mepr")).isEmpty());
    EXPECT_EQ(tabla(QStringLiteral("mepr"))->RecordCount(), 0);
}
