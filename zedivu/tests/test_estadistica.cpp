#include "estadistica.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Redondeo
{
    double valor;
    int decimales;
    double esperado;
};

class RedondeaMitadPar : public ::testing::TestWithParam<Redondeo>
{
};

TEST_P(RedondeaMitadPar, RoundsTheDecimalValueWithHalvesToEven)
{
    const Redondeo c = GetParam();
    EXPECT_EQ(Estadistica::redondeaMitadPar(c.valor, c.decimales), c.esperado)
        << c.valor << " to " << c.decimales;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RedondeaMitadPar,
    ::testing::Values(
        // Halves go to the even neighbour, at every position.
        Redondeo{12.5, 0, 12}, Redondeo{13.5, 0, 14}, Redondeo{0.5, 0, 0}, Redondeo{-2.5, 0, -2},
        Redondeo{4.5, 0, 4}, Redondeo{250.5, 0, 250}, Redondeo{0.125, 2, 0.12}, Redondeo{0.135, 2, 0.14},
        // Decimal halves a double cannot hold exactly still count as halves.
        Redondeo{2.675, 2, 2.68}, Redondeo{1.005, 2, 1.0}, Redondeo{0.285, 2, 0.28}, Redondeo{1.0000005, 6, 1.0},
        Redondeo{0.1 + 0.2, 1, 0.3},
        // Not halves.
        Redondeo{4.6, 0, 5}, Redondeo{250.4, 0, 250}, Redondeo{250.6, 0, 251}, Redondeo{2000.0 / 3, 2, 666.67},
        Redondeo{-0.4294, 2, -0.43}, Redondeo{1.02, 4, 1.02}, Redondeo{0.42941, 2, 0.43},
        // Already short enough, tiny, huge.
        Redondeo{7, 2, 7}, Redondeo{0.004, 2, 0}, Redondeo{-0.004, 2, 0}, Redondeo{0.005, 2, 0},
        Redondeo{0.0051, 2, 0.01}, Redondeo{1e-20, 2, 0}, Redondeo{1e20, 2, 1e20}, Redondeo{0, 3, 0}));

TEST(RedondeaMitadPar, ZeroIsNeverNegativeAndNonFiniteValuesPassThrough)
{
    EXPECT_FALSE(std::signbit(Estadistica::redondeaMitadPar(-0.001, 2)));
    EXPECT_FALSE(std::signbit(Estadistica::redondeaMitadPar(-0.0, 2)));
    EXPECT_TRUE(std::isnan(Estadistica::redondeaMitadPar(std::numeric_limits<double>::quiet_NaN(), 2)));
    EXPECT_EQ(Estadistica::redondeaMitadPar(std::numeric_limits<double>::infinity(), 2),
              std::numeric_limits<double>::infinity());
}

TEST(TStudent95, DegreesOfFreedomFollowTheTable)
{
    EXPECT_FALSE(Estadistica::tStudent95GradosLibertad(0));
    EXPECT_EQ(Estadistica::tStudent95GradosLibertad(1), 12.706);
    EXPECT_EQ(Estadistica::tStudent95GradosLibertad(3), 3.182);
    EXPECT_EQ(Estadistica::tStudent95GradosLibertad(9), 2.262);
    EXPECT_EQ(Estadistica::tStudent95GradosLibertad(30), 2.042);
    EXPECT_EQ(Estadistica::tStudent95GradosLibertad(31), 1.96);
}

TEST(TStudent95, SamplesTakeOneDegreeLessAndTheNormalValueFromThirty)
{
    EXPECT_FALSE(Estadistica::tStudent95Muestras(-1));
    EXPECT_FALSE(Estadistica::tStudent95Muestras(0));
    EXPECT_FALSE(Estadistica::tStudent95Muestras(1));
    EXPECT_EQ(Estadistica::tStudent95Muestras(2), 12.706);
    EXPECT_EQ(Estadistica::tStudent95Muestras(4), 3.182);
    EXPECT_EQ(Estadistica::tStudent95Muestras(10), 2.262);
    EXPECT_EQ(Estadistica::tStudent95Muestras(29), 2.048);
    EXPECT_EQ(Estadistica::tStudent95Muestras(30), 1.96);
    EXPECT_EQ(Estadistica::tStudent95Muestras(500), 1.96);
}

// Plants counted on sample plots: 10 and 14 give a mean of 12 and a deviation of
// sqrt(((10-12)^2 + (14-12)^2) / 1) = sqrt(8); equal counts deviate by nothing.
TEST(Muestra, MediaYDesviacionMuestral)
{
    struct Caso
    {
        std::vector<double> valores;
        std::optional<long double> media;
        std::optional<long double> desviacion;
    };
    for (const Caso &c : {Caso{{10, 14}, 12.0L, std::sqrt(8.0L)}, Caso{{7, 7, 7}, 7.0L, 0.0L},
                          Caso{{2, 4, 4, 4, 5, 5, 7, 9}, 5.0L, std::sqrt(32.0L / 7)}, Caso{{5}, 5.0L, std::nullopt},
                          Caso{{}, std::nullopt, std::nullopt}}) {
        SCOPED_TRACE(c.valores.size());
        EXPECT_EQ(Estadistica::media(c.valores), c.media);
        ASSERT_EQ(Estadistica::desviacionMuestral(c.valores).has_value(), c.desviacion.has_value());
        if (c.desviacion)
            EXPECT_NEAR(double(*Estadistica::desviacionMuestral(c.valores)), double(*c.desviacion), 1e-15);
    }
}

} // namespace
