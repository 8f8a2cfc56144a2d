#include "estadisticadalu.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace EstadisticaDalu;

namespace {

constexpr int kRauli = 7;
constexpr int kRoble = 8;
constexpr int kCoihue = 9;

// An inventory whose plots hold the given diameters, all of one species.
Inventario inventario(int tipo, double mag, int numParc,
                      std::initializer_list<std::pair<int, std::initializer_list<double>>> parcelas,
                      int especie = kRauli)
{
    Inventario inv;
    inv.tipoParcela = tipo;
    inv.superficie = mag;
    inv.numeroParcelas = numParc;
    for (const auto &[numero, daps] : parcelas) {
        Parcela parcela;
        parcela.numero = numero;
        for (double dap : daps)
            parcela.arboles.push_back({especie, dap});
        inv.parcelas.push_back(parcela);
    }
    return inv;
}

// The worked example, by hand. Fixed-area plots of 500 m², 4 plots, one species:
//   plot 1: 12 14 18    plot 2: 11 16    plot 3: 13 21 22 15    plot 4: 19
// Range 11..22, classes 11-16, 16.1-21, 21.1-22 holding 6, 3 and 1 trees; each tree is
// 10000 / (500 × 4) = 5 per hectare: densities 30, 15, 5 (footer 50).
// Basal areas density × (lower + upper)² × 3.141592 / 160000:
//   30 × 27² → 0.42942, 15 × 37.1² → 0.40539, 5 × 43.1² → 0.18237: 0.43 + 0.41 + 0.18 = 1.02.
// Statistics, F = 10000 / 500 = 20:
//   x_i = 3, 2, 4, 1 trees × 20 = 60, 40, 80, 20; mean 10 × 10000 / 2000 = 50;
//   variance (100 + 100 + 900 + 900) / 3 = 666.67; deviation 25.82; coefficient 51.64 %;
//   error 51.64 × 3.182 (t for 4 plots) / √4 = 82.16.
//   Σ dap² per plot 664, 377, 1319, 361; b_i = Σ × 3.141592 / 40000 × 20 =
//   1.04301, 0.59219, 2.07188, 0.56706; mean 1.06853; variance 1.48574 / 3 = 0.50 (0.49525);
//   deviation 0.70 (0.70374); coefficient 65.86 %; error 65.86 × 3.182 / 2 = 104.78.
Inventario ejemplo()
{
    return inventario(kParcelaSuperficieFija, 500, 4,
                      {{1, {12, 14, 18}}, {2, {11, 16}}, {3, {13, 21, 22, 15}}, {4, {19}}});
}

EspeciesTabla soloRauli()
{
    EspeciesTabla especies;
    especies.esp1 = kRauli;
    return especies;
}

// --- Trees and plots ---

TEST(DapAceptado, RoundsHalvesToEvenBeforeTheRangeCheck)
{
    const std::pair<double, bool> casos[] = {{4.5, false}, {4.6, true},   {5, true},     {250, true},
                                             {250.4, true}, {250.5, true}, {250.6, false}, {0, false},
                                             {-5, false},   {1000, false}};
    for (const auto &[dap, aceptado] : casos)
        EXPECT_EQ(dapAceptado(dap), aceptado) << dap;
}

TEST(ParcelasFaltantes, OnlyMissingNumbersAreAdded)
{
    // Regression: keeping the existing plots used to append all of them again.
    EXPECT_EQ(parcelasFaltantes({}, 4), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(parcelasFaltantes({1, 2, 2, 5}, 4), (std::vector<int>{3, 4}));
    EXPECT_EQ(parcelasFaltantes({4, 3, 2, 1}, 4), std::vector<int>{});
    EXPECT_EQ(parcelasFaltantes({}, 0), std::vector<int>{});
    EXPECT_EQ(parcelasFaltantes({}, -2), std::vector<int>{});
}

// --- Class range and classes ---

TEST(RangoClases, KeepsAtLeastOneClassWidth)
{
    const RangoClases estrecho = rangoClases(inventario(128, 500, 1, {{1, {12.4, 14}}}));
    EXPECT_EQ(estrecho.minimo, 12.4);
    EXPECT_EQ(estrecho.maximo, 17.4);

    const RangoClases completo = rangoClases(ejemplo());
    EXPECT_EQ(completo.minimo, 11);
    EXPECT_EQ(completo.maximo, 22);

    const RangoClases unArbol = rangoClases(inventario(128, 500, 1, {{1, {20.3}}}));
    EXPECT_EQ(unArbol.minimo, 20.3);
    EXPECT_EQ(unArbol.maximo, 25.3);

    const RangoClases vacio = rangoClases(inventario(128, 500, 4, {}));
    EXPECT_EQ(vacio.minimo, 0);
    EXPECT_EQ(vacio.maximo, 5);
}

TEST(RangoClases, CountsOnlyThePlotsOfTheSample)
{
    // A plot numbered above num_parc is not part of the sample, here or anywhere else.
    const RangoClases rango = rangoClases(inventario(128, 500, 2, {{1, {12, 30}}, {3, {5, 80}}, {0, {6}}}));
    EXPECT_EQ(rango.minimo, 12);
    EXPECT_EQ(rango.maximo, 30);
}

struct Clases
{
    double min;
    double max;
    std::vector<std::pair<double, double>> esperadas;
};

class ClasesDiametro : public ::testing::TestWithParam<Clases>
{
};

TEST_P(ClasesDiametro, SplitsTheRangeInFiveCentimetreClasses)
{
    const Clases c = GetParam();
    std::vector<std::pair<double, double>> clases;
    for (const FilaTablaRodal &fila : clasesDiametro(c.min, c.max))
        clases.emplace_back(fila.clasMen, fila.clasMay);
    EXPECT_EQ(clases, c.esperadas) << c.min << ".." << c.max;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClasesDiametro,
    ::testing::Values(Clases{10, 22, {{10, 15}, {15.1, 20}, {20.1, 22}}}, Clases{10, 20, {{10, 15}, {15.1, 20}}},
                      Clases{11, 22, {{11, 16}, {16.1, 21}, {21.1, 22}}}, Clases{12.4, 17.4, {{12.4, 17.4}}},
                      // A maximum between two classes closes the last one.
                      Clases{10, 20.1, {{10, 15}, {15.1, 20.1}}}, Clases{10, 20.05, {{10, 15}, {15.1, 20.05}}},
                      Clases{10, 12, {{10, 12}}},
                      // Bounds are exact decimals however many classes are added up.
                      Clases{5.1, 25.2, {{5.1, 10.1}, {10.2, 15.1}, {15.2, 20.1}, {20.2, 25.2}}},
                      Clases{10, 10, {}}, Clases{20, 10, {}}));

// --- Densities and basal areas ---

TEST(DensidadEspecie, FixedAreaPlotsScaleEachTreeToTheHectare)
{
    // 500 m² × 4 plots: each tree is 5 per hectare.
    const Inventario inv = ejemplo();
    EXPECT_EQ(densidadEspecie(inv, kRauli, 11, 16, 22), 30);
    EXPECT_EQ(densidadEspecie(inv, kRauli, 16.1, 21, 22), 15);
    EXPECT_EQ(densidadEspecie(inv, kRauli, 21.1, 22, 22), 5);
    EXPECT_EQ(densidadEspecie(inv, kRoble, 11, 16, 22), 0);
    EXPECT_EQ(densidadEspecie(inv, 0, 11, 16, 22), 0);
}

TEST(DensidadEspecie, OtherPlotTypesCountTheTrees)
{
    Inventario inv = ejemplo();
    inv.tipoParcela = 1;
    EXPECT_EQ(densidadEspecie(inv, kRauli, 11, 16, 22), 6);
    inv.tipoParcela = kParcelaSuperficieFija;
    inv.superficie = 0;
    EXPECT_EQ(densidadEspecie(inv, kRauli, 11, 16, 22), 6);
}

TEST(DensidadEspecie, RoundsTheTrueValueHalvesToEven)
{
    // 400 m² × 4 plots: factor 6.25, two trees are 12.5 per hectare.
    EXPECT_EQ(densidadEspecie(inventario(128, 400, 4, {{1, {12}}, {2, {13}}}), kRauli, 10, 15, 15), 12);
    // 2400 m²: 15 trees are exactly 62.5, though 15 × (10000 / 2400) is a hair above it.
    const Inventario quince = inventario(128, 2400, 1, {{1, {10, 10, 10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14}}});
    EXPECT_EQ(densidadEspecie(quince, kRauli, 10, 15, 15), 62);
    // The plot area itself is rounded first: 500.5 m² counts as 500, 501.5 as 502.
    EXPECT_EQ(densidadEspecie(inventario(128, 500.5, 4, {{1, {12}}}), kRauli, 10, 15, 15), 5);
    EXPECT_EQ(densidadEspecie(inventario(128, 1.5, 1, {{1, {12}}}), kRauli, 10, 15, 15), 5000);
}

TEST(DensidadEspecie, EveryDiameterOfTheRangeFallsInOneClass)
{
    // Regression: 15.05 fell between the classes 10-15 and 15.1-20.
    const Inventario hueco = inventario(1, 0, 1, {{1, {15.05, 15.1, 20, 20.1, 22, 22.01}}});
    EXPECT_EQ(densidadEspecie(hueco, kRauli, 10, 15, 22), 1);
    EXPECT_EQ(densidadEspecie(hueco, kRauli, 15.1, 20, 22), 2);
    EXPECT_EQ(densidadEspecie(hueco, kRauli, 20.1, 22, 22), 2);  // 22.01 lies past the range

    // Regression: with a minimum of 5.1 the fourth lower bound added up past 20.2.
    const Inventario flotante = inventario(1, 0, 1, {{1, {20.2, 20.15}}});
    EXPECT_EQ(densidadEspecie(flotante, kRauli, 20.2, 25.2, 25.2), 1);
    EXPECT_EQ(densidadEspecie(flotante, kRauli, 15.2, 20.1, 25.2), 1);

    // A maximum between two classes: the last class reaches it.
    const Inventario cola = inventario(1, 0, 1, {{1, {20.05, 20.1}}});
    EXPECT_EQ(densidadEspecie(cola, kRauli, 15.1, 20.1, 20.1), 2);
}

TEST(DensidadEspecie, OnlyThePlotsOfTheSampleCount)
{
    // Regression: a plot above num_parc counted in the densities but not in the statistics.
    EXPECT_EQ(densidadEspecie(inventario(1, 0, 2, {{1, {12}}, {2, {12}}, {3, {12}}}), kRauli, 10, 15, 15), 2);
    // Two plots with the same number are one plot, both counted.
    EXPECT_EQ(densidadEspecie(inventario(1, 0, 2, {{1, {12}}, {1, {13}}}), kRauli, 10, 15, 15), 2);
    // Regression: num_parc 0 divided by zero.
    EXPECT_EQ(densidadEspecie(inventario(128, 500, 0, {{1, {12}}}), kRauli, 10, 15, 15), 0);
}

TEST(AreaBasal, IsDensityTimesTheClassCentreSectionRoundedToTwoDecimals)
{
    EXPECT_EQ(areaBasal(30, 11, 16), 0.43);
    EXPECT_EQ(areaBasal(15, 16.1, 21), 0.41);
    EXPECT_EQ(areaBasal(5, 21.1, 22), 0.18);
    EXPECT_EQ(areaBasal(0, 11, 16), 0);
    EXPECT_EQ(areaBasal(1, 10, 10), 0.01);  // 0.00785 rounds up
}

TEST(TablaRodal, WorkedExample)
{
    const std::vector<FilaTablaRodal> tabla = tablaRodal(ejemplo(), soloRauli(), 11, 22);
    ASSERT_EQ(tabla.size(), 3u);
    const double den[] = {30, 15, 5};
    const double area[] = {0.43, 0.41, 0.18};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(tabla[k].den[kEsp1], den[k]) << k;
        EXPECT_EQ(tabla[k].area[kEsp1], area[k]) << k;
        for (int grupo : {kEsp2, kEsp3, kOtras}) {
            EXPECT_EQ(tabla[k].den[grupo], 0);
            EXPECT_EQ(tabla[k].area[grupo], 0);
        }
        EXPECT_EQ(tabla[k].totVol(), 0);
    }
    EXPECT_EQ(tabla[0].totDen(), 30);
    EXPECT_EQ(tabla[0].totArea(), 0.43);
}

TEST(TablaRodal, SpeciesColumnsAndOthers)
{
    // 400 m² × 4 plots (6.25 per tree): each species is rounded before the others add up.
    Inventario inv = inventario(128, 400, 4, {{1, {12, 13}}});
    inv.parcelas.push_back({2, {{kRoble, 12}, {kRoble, 14}, {kCoihue, 11}, {kCoihue, 14}, {4, 12}}});
    EspeciesTabla especies;
    especies.esp1 = kRauli;
    especies.esp2 = 4;
    especies.esp3 = -1;                          // an "other" free entry: no species column
    especies.otras = {kRoble, kCoihue, kRoble};  // named twice, counted once
    const std::vector<FilaTablaRodal> tabla = tablaRodal(inv, especies, 10, 15);
    ASSERT_EQ(tabla.size(), 1u);
    EXPECT_EQ(tabla[0].den[kEsp1], 12);
    EXPECT_EQ(tabla[0].den[kEsp2], 6);
    EXPECT_EQ(tabla[0].den[kEsp3], 0);
    EXPECT_EQ(tabla[0].den[kOtras], 24);
    EXPECT_EQ(tabla[0].area[kOtras], areaBasal(24, 10, 15));
    EXPECT_EQ(tabla[0].totDen(), 42);
}

TEST(TablaRodal, RecomputingInPlaceKeepsTypedVolumes)
{
    std::vector<FilaTablaRodal> tabla = tablaRodal(ejemplo(), soloRauli(), 11, 22);
    tabla[1].vol[kEsp1] = 12.5;
    tabla[2].vol[kOtras] = 3.25;
    Inventario inv = ejemplo();
    inv.parcelas[3].arboles.push_back({kRauli, 17});  // plot 4 gains a tree of class 2
    recalcularDensidades(inv, soloRauli(), 22, tabla);
    EXPECT_EQ(tabla[1].den[kEsp1], 20);
    EXPECT_EQ(tabla[1].area[kEsp1], areaBasal(20, 16.1, 21));
    EXPECT_EQ(tabla[1].vol[kEsp1], 12.5);
    EXPECT_EQ(tabla[2].vol[kOtras], 3.25);
    EXPECT_EQ(tabla[1].clasMen, 16.1);
    EXPECT_EQ(tabla[1].clasMay, 21);
}

// --- Summaries ---

TEST(Resumenes, FooterSumsOfTheStandTable)
{
    std::vector<FilaTablaRodal> tabla = tablaRodal(ejemplo(), soloRauli(), 11, 22);
    tabla[0].vol[kEsp1] = 10.1;
    tabla[1].vol[kEsp1] = 20.2;
    tabla[2].vol[kOtras] = 0.7;
    const ResumenInventario inv = resumenInventario(tabla);
    EXPECT_EQ(inv.den[kEsp1], 50);
    EXPECT_EQ(inv.ab[kEsp1], 1.02);
    EXPECT_EQ(inv.vol[kEsp1], 30.3);
    EXPECT_EQ(inv.vol[kOtras], 0.7);
    EXPECT_EQ(inv.den[kEsp2], 0);
    const ResumenGeneral gral = resumenGeneral(inv);
    EXPECT_EQ(gral.den, 50);
    EXPECT_EQ(gral.ab, 1.02);
    EXPECT_EQ(gral.vol, 31);

    EXPECT_EQ(sumaPie({0.1, 0.2}), 0.3);
    EXPECT_EQ(sumaPie({}), 0);
    EXPECT_EQ(sumaPie({0.00005, 0.00010}), 0.0002);  // 0.00015 to 4 decimals, half to even
    const ResumenInventario vacio = resumenInventario({});
    EXPECT_EQ(resumenGeneral(vacio).den, 0);
}

// --- Sampling statistics ---

TEST(Muestreo, WorkedExample)
{
    const Muestreo m = muestreo(ejemplo(), tablaRodal(ejemplo(), soloRauli(), 11, 22));
    EXPECT_EQ(m.numArbMed, 50);
    EXPECT_EQ(m.areBasMed, 1.02);
    EXPECT_EQ(m.numUni, 4);
    EXPECT_EQ(m.numArbVar, 666.67);
    EXPECT_EQ(m.numArbDesv, 25.82);
    EXPECT_EQ(m.numArbCoef, 51.64);
    EXPECT_EQ(m.numArbErr, 82.16);
    EXPECT_EQ(m.areBasVar, 0.5);
    EXPECT_EQ(m.areBasDesv, 0.7);
    EXPECT_EQ(m.areBasCoef, 65.86);
    EXPECT_EQ(m.areaBasErr, 104.78);
}

TEST(Muestreo, OtherPlotTypesScaleByThePlotCount)
{
    // F = n = 2: x = 6, 2 around the mean 4; variance 8, deviation 2.83, coefficient 70.71 %,
    // error 70.71 × 12.706 / √2 = 635.29.
    const Inventario inv = inventario(1, 500, 2, {{1, {10, 10, 10}}, {2, {10}}});
    const Muestreo m = muestreo(inv, {});
    EXPECT_EQ(m.numArbVar, 8);
    EXPECT_EQ(m.numArbDesv, 2.83);
    EXPECT_EQ(m.numArbCoef, 70.71);
    EXPECT_EQ(m.numArbErr, 635.29);
}

TEST(Muestreo, TooSmallSamplesKeepOnlyTheMeans)
{
    const auto sinEstadisticas = [](const Muestreo &m) {
        return !m.numArbVar && !m.numArbDesv && !m.numArbCoef && !m.numArbErr && !m.areBasVar && !m.areBasDesv &&
               !m.areBasCoef && !m.areaBasErr;
    };
    const Inventario unArbol = inventario(128, 500, 4, {{1, {12}}});
    const Muestreo uno = muestreo(unArbol, tablaRodal(unArbol, soloRauli(), 12, 17));
    EXPECT_EQ(uno.numArbMed, 5);
    EXPECT_EQ(uno.areBasMed, areaBasal(5, 12, 17));
    EXPECT_TRUE(sinEstadisticas(uno));

    // One plot: its t would report a zero error.
    EXPECT_TRUE(sinEstadisticas(muestreo(inventario(128, 500, 1, {{1, {12, 14, 30}}}), {})));
    // Regression: num_parc 0 divided by zero and read t[0].
    const Muestreo cero = muestreo(inventario(128, 500, 0, {{1, {12, 14}}, {2, {20}}}), {});
    EXPECT_TRUE(sinEstadisticas(cero));
    EXPECT_EQ(cero.numUni, 0);
    // Trees outside the sample's plots do not make a sample.
    EXPECT_TRUE(sinEstadisticas(muestreo(inventario(128, 500, 2, {{1, {12}}, {3, {14, 15}}}), {})));
    // An empty stand.
    const Muestreo vacio = muestreo(inventario(128, 500, 4, {}), {});
    EXPECT_TRUE(sinEstadisticas(vacio));
    EXPECT_EQ(vacio.numArbMed, 0);
    EXPECT_EQ(vacio.areBasMed, 0);
}

TEST(Muestreo, ZeroValuesGiveNoCoefficient)
{
    // Diameters of 0 (never accepted by the form, possible in old data) make no basal area.
    const Muestreo m = muestreo(inventario(128, 500, 2, {{1, {0, 0}}, {2, {0}}}), {});
    EXPECT_EQ(m.numArbCoef, 47.14);  // x = 40, 20 around 30: deviation 14.14
    EXPECT_EQ(m.areBasVar, 0);
    EXPECT_EQ(m.areBasDesv, 0);
    EXPECT_FALSE(m.areBasCoef);
    EXPECT_FALSE(m.areaBasErr);
    // Equal plots: no variation, a zero error.
    const Muestreo iguales = muestreo(inventario(128, 500, 2, {{1, {12}}, {2, {14}}}), {});
    EXPECT_EQ(iguales.numArbVar, 0);
    EXPECT_EQ(iguales.numArbCoef, 0);
    EXPECT_EQ(iguales.numArbErr, 0);
}

TEST(ErrorMuestreo, UsesTheStudentTForThePlotCount)
{
    EXPECT_EQ(errorMuestreo(10, 10, 10), 7.15);  // t 2.262
    EXPECT_EQ(errorMuestreo(10, 30, 30), 3.58);  // t 1.96
    EXPECT_EQ(errorMuestreo(51.64, 4, 4), 82.16);
    EXPECT_FALSE(errorMuestreo(10, 1, 1));
    EXPECT_FALSE(errorMuestreo(10, 0, 4));
    EXPECT_FALSE(errorMuestreo(10, 4, 0));
}

} // namespace
