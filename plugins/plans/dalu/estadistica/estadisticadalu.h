#pragma once
// The Dalu stand inventory as plain arithmetic: the class range kept by the trees, the
// 5 cm diameter classes, their densities (trees per hectare) and basal areas (m² per
// hectare), the stand summaries and the sampling statistics. The form reads its tables
// into these values, calls these functions and writes the results back as field values;
// nothing here touches a dataset or a database.
//
// Only the plots numbered 1..num_parc belong to the sample: trees in any other plot are
// left out of every figure, so the densities, the range and the statistics agree.
// Class bounds and diameters are compared as exact decimals (to the millionth), never as
// accumulated binary fractions.
#include <optional>
#include <vector>

namespace EstadisticaDalu {

// tip_parc of fixed-area plots: densities are scaled to the hectare.
constexpr int kParcelaSuperficieFija = 128;
// The pi of every basal area, in the code as in the statements.
constexpr double kPi = 3.141592;

struct Arbol
{
    int especie = 0;   // esp
    double dap = 0.0;  // cm
};

struct Parcela
{
    int numero = 0;  // id_parc; two plots with one number are one plot
    std::vector<Arbol> arboles;
};

// One stand's dalu_inventario row and its plots with their trees.
struct Inventario
{
    int tipoParcela = 0;      // tip_parc
    double superficie = 0.0;  // mag, m² of one plot
    int numeroParcelas = 0;   // num_parc
    std::vector<Parcela> parcelas;
};

// The species columns of the stand table: esp1, esp2, esp3 (0 or less: none) and the
// codes of the species named in esps (a code named twice counts once).
struct EspeciesTabla
{
    int esp1 = 0;
    int esp2 = 0;
    int esp3 = 0;
    std::vector<int> otras;
};

// Column index of each species group in FilaTablaRodal and ResumenInventario.
enum Grupo { kEsp1 = 0, kEsp2 = 1, kEsp3 = 2, kOtras = 3, kGrupos = 4 };

// One row of dalu_tab_rod_det (area = esp*_area) or of dalu_est_var (area = esp*_ab).
struct FilaTablaRodal
{
    double clasMen = 0.0;
    double clasMay = 0.0;
    double den[kGrupos] = {0, 0, 0, 0};
    double area[kGrupos] = {0, 0, 0, 0};
    double vol[kGrupos] = {0, 0, 0, 0};

    double totDen() const;   // tot_den
    double totArea() const;  // tot_area (tot_ab)
    double totVol() const;   // tot_vol
};

// --- Trees and plots ---

// A diameter is accepted when, rounded to a whole number with halves to even, it lies in
// 5..250: 4.6 and 250.5 are accepted, 4.5 and 250.6 are not.
bool dapAceptado(double dap);

// The plot numbers of 1..num_parc that `existentes` lacks, ascending: what "Crear
// Parcela" appends when the consultant keeps the plots already there.
std::vector<int> parcelasFaltantes(const std::vector<int> &existentes, int numeroParcelas);

// --- Diameter classes ---

struct RangoClases
{
    double minimo = 0.0;  // clas_min
    double maximo = 0.0;  // clas_max
};

// The smallest and largest diameter of the sample's trees, the maximum raised to
// minimum + 5 when closer (12.4 and 14 give 12.4..17.4); 0..5 without trees.
RangoClases rangoClases(const Inventario &inventario);

// The classes of clas_min..clas_max: [min, min+5], [min+5.1, min+10], ... the last upper
// bound being clas_max (cut down when above it, raised when the next class would start
// at or past it: 10..20.1 gives 10-15 and 15.1-20.1). Each row has only its bounds set.
// No class when clas_min is not below clas_max.
std::vector<FilaTablaRodal> clasesDiametro(double clasMin, double clasMax);

// --- Densities and basal areas ---

// Trees per hectare of one species in the class clasMen..clasMay, rounded to a whole
// number with halves to even: the class holds the diameters from clasMen up to the next
// class's lower bound (clasMay + 0.1) exclusive, and up to clasMay inclusive for the class
// that ends at clasMax. For fixed-area plots each tree stands for 10000 / (round(mag) ×
// num_parc) trees (taken in one division); for other plot types a density is the raw
// count. 0 for a species code of 0 or less.
double densidadEspecie(const Inventario &inventario, int especie, double clasMen, double clasMay,
                       double clasMax);

// Basal area of a class: density × g, g = mid² × pi / 40000 with mid the class centre,
// rounded to 2 decimals (halves to even).
double areaBasal(double densidad, double clasMen, double clasMay);

// The stand table for clas_min..clas_max: classes, the density of each species group
// (others: the sum of each named species' density) and its basal area; volumes 0.
std::vector<FilaTablaRodal> tablaRodal(const Inventario &inventario, const EspeciesTabla &especies,
                                       double clasMin, double clasMax);

// Densities and basal areas of existing rows recomputed for their own bounds (the range
// clasMax unchanged); volumes and bounds stay as they are.
void recalcularDensidades(const Inventario &inventario, const EspeciesTabla &especies, double clasMax,
                          std::vector<FilaTablaRodal> &filas);

// --- Summaries ---

// Footer sum of a grid column: the values added and rounded to 4 decimals.
double sumaPie(const std::vector<double> &valores);

// dalu_res_inv: the footer sums of the stand table's columns.
struct ResumenInventario
{
    double den[kGrupos] = {0, 0, 0, 0};  // esp1_den .. otra_den
    double ab[kGrupos] = {0, 0, 0, 0};   // esp1_ab .. otra_ab
    double vol[kGrupos] = {0, 0, 0, 0};  // esp1_vol .. otra_vol
};
ResumenInventario resumenInventario(const std::vector<FilaTablaRodal> &tabla);

// dalu_res_gral without sup (the stand's own, copied by the form).
struct ResumenGeneral
{
    double den = 0.0;
    double ab = 0.0;
    double vol = 0.0;
};
ResumenGeneral resumenGeneral(const ResumenInventario &resumen);

// --- Sampling statistics (dalu_res_mue) ---

struct Muestreo
{
    double numArbMed = 0.0;  // footer sum of tot_den
    double areBasMed = 0.0;  // footer sum of tot_area
    int numUni = 0;          // num_parc
    // Empty (written as NULL) unless the sample holds at least 2 trees in at least 2
    // plots; a coefficient and its error are also empty when the mean is 0.
    std::optional<double> numArbVar, numArbDesv, numArbCoef, numArbErr;
    std::optional<double> areBasVar, areBasDesv, areBasCoef, areaBasErr;
};

// The statistics of the stand: per plot i = 1..num_parc, x_i = trees × F and b_i = Σ
// dap² × pi / 40000 × F with F = 10000 / mag for fixed-area plots (mag as typed) and
// num_parc otherwise; variances over num_parc - 1, deviations, coefficients (%), all
// from unrounded values and rounded to 2 decimals; errors from errorMuestreo below.
Muestreo muestreo(const Inventario &inventario, const std::vector<FilaTablaRodal> &tabla);

// Sampling error (%): coefficient × t(num_parc plots) / √num_uni, rounded to 2 decimals;
// empty under 2 plots or without a positive num_uni.
std::optional<double> errorMuestreo(double coeficiente, int numeroParcelas, double numUni);

} // namespace EstadisticaDalu
