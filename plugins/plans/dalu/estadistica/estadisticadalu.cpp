#include "estadisticadalu.h"

#include "estadistica.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace EstadisticaDalu {

namespace {

using Decimal = std::int64_t;  // millionths

constexpr Decimal kUnidad = 1000000;
constexpr Decimal kAnchoClase = 5 * kUnidad;
constexpr Decimal kSaltoClase = kUnidad / 10;

Decimal decimal(double valor)
{
    return std::llround(valor * double(kUnidad));
}

// The double nearest the exact decimal, as if the consultant had typed it.
double aDouble(Decimal valor)
{
    const std::string texto = std::to_string(valor) + "e-6";
    double resultado = 0.0;
    std::from_chars(texto.data(), texto.data() + texto.size(), resultado);
    return resultado;
}

// The trees of the plots 1..num_parc, by plot number.
std::map<int, std::vector<Arbol>> arbolesMuestra(const Inventario &inventario)
{
    std::map<int, std::vector<Arbol>> porParcela;
    for (const Parcela &parcela : inventario.parcelas) {
        if (parcela.numero < 1 || parcela.numero > inventario.numeroParcelas)
            continue;
        auto &arboles = porParcela[parcela.numero];
        arboles.insert(arboles.end(), parcela.arboles.begin(), parcela.arboles.end());
    }
    return porParcela;
}

bool enClase(Decimal dap, Decimal men, Decimal may, Decimal max)
{
    if (dap < men)
        return false;
    return may >= max ? dap <= may : dap < may + kSaltoClase;
}

double redondea2(double valor)
{
    return Estadistica::redondeaMitadPar(valor, 2);
}

double suma(const double (&columna)[kGrupos])
{
    return sumaPie(std::vector<double>(std::begin(columna), std::end(columna)));
}

} // namespace

double FilaTablaRodal::totDen() const
{
    return suma(den);
}

double FilaTablaRodal::totArea() const
{
    return suma(area);
}

double FilaTablaRodal::totVol() const
{
    return suma(vol);
}

bool dapAceptado(double dap)
{
    const double entero = Estadistica::redondeaMitadPar(dap, 0);
    return entero >= 5 && entero <= 250;
}

std::vector<int> parcelasFaltantes(const std::vector<int> &existentes, int numeroParcelas)
{
    const std::set<int> hay(existentes.begin(), existentes.end());
    std::vector<int> faltan;
    for (int numero = 1; numero <= numeroParcelas; ++numero)
        if (!hay.count(numero))
            faltan.push_back(numero);
    return faltan;
}

RangoClases rangoClases(const Inventario &inventario)
{
    bool hayArboles = false;
    Decimal minimo = 0;
    Decimal maximo = 0;
    for (const auto &[numero, arboles] : arbolesMuestra(inventario)) {
        for (const Arbol &arbol : arboles) {
            const Decimal dap = decimal(arbol.dap);
            minimo = hayArboles ? std::min(minimo, dap) : dap;
            maximo = hayArboles ? std::max(maximo, dap) : dap;
            hayArboles = true;
        }
    }
    if (maximo < minimo + kAnchoClase)
        maximo = minimo + kAnchoClase;
    return {aDouble(minimo), aDouble(maximo)};
}

std::vector<FilaTablaRodal> clasesDiametro(double clasMin, double clasMax)
{
    std::vector<FilaTablaRodal> clases;
    const Decimal max = decimal(clasMax);
    Decimal menor = decimal(clasMin);
    Decimal mayor = menor + kAnchoClase;
    while (menor < max) {
        const Decimal siguiente = mayor + kSaltoClase;
        FilaTablaRodal fila;
        fila.clasMen = aDouble(menor);
        // The last class ends at the range's maximum, so no diameter falls past it.
        fila.clasMay = aDouble(mayor > max || siguiente >= max ? max : mayor);
        clases.push_back(fila);
        menor = siguiente;
        mayor += kAnchoClase;
    }
    return clases;
}

double densidadEspecie(const Inventario &inventario, int especie, double clasMen, double clasMay,
                       double clasMax)
{
    if (especie <= 0)
        return 0.0;
    const Decimal men = decimal(clasMen);
    const Decimal may = decimal(clasMay);
    const Decimal max = decimal(clasMax);
    long long cuenta = 0;
    for (const auto &[numero, arboles] : arbolesMuestra(inventario))
        for (const Arbol &arbol : arboles)
            if (arbol.especie == especie && enClase(decimal(arbol.dap), men, may, max))
                ++cuenta;

    const int n = std::max(inventario.numeroParcelas, 0);
    const double area = inventario.superficie > 0 ? Estadistica::redondeaMitadPar(inventario.superficie, 0) : 0.0;
    double densidad = double(cuenta);
    // One division: 15 trees over 2400 m² are 62.5 trees, where 15 × (10000 / 2400) is not.
    if (inventario.tipoParcela == kParcelaSuperficieFija && area * n > 0)
        densidad = double(cuenta) * 10000.0 / (area * n);
    return Estadistica::redondeaMitadPar(densidad, 0);
}

double areaBasal(double densidad, double clasMen, double clasMay)
{
    const double diametros = clasMen + clasMay;  // twice the class centre
    return redondea2(densidad * diametros * diametros * kPi / 160000.0);
}

std::vector<FilaTablaRodal> tablaRodal(const Inventario &inventario, const EspeciesTabla &especies,
                                       double clasMin, double clasMax)
{
    std::vector<FilaTablaRodal> filas = clasesDiametro(clasMin, clasMax);
    recalcularDensidades(inventario, especies, clasMax, filas);
    return filas;
}

void recalcularDensidades(const Inventario &inventario, const EspeciesTabla &especies, double clasMax,
                          std::vector<FilaTablaRodal> &filas)
{
    const std::set<int> otras(especies.otras.begin(), especies.otras.end());
    for (FilaTablaRodal &fila : filas) {
        const auto densidad = [&](int especie) {
            return densidadEspecie(inventario, especie, fila.clasMen, fila.clasMay, clasMax);
        };
        fila.den[kEsp1] = densidad(especies.esp1);
        fila.den[kEsp2] = densidad(especies.esp2);
        fila.den[kEsp3] = densidad(especies.esp3);
        double otra = 0.0;
        for (int especie : otras)
            otra += densidad(especie);
        fila.den[kOtras] = otra;
        for (int grupo = 0; grupo < kGrupos; ++grupo)
            fila.area[grupo] = areaBasal(fila.den[grupo], fila.clasMen, fila.clasMay);
    }
}

double sumaPie(const std::vector<double> &valores)
{
    double total = 0.0;
    for (double valor : valores)
        total += valor;
    return Estadistica::redondeaMitadPar(total, 4);
}

ResumenInventario resumenInventario(const std::vector<FilaTablaRodal> &tabla)
{
    ResumenInventario resumen;
    for (int grupo = 0; grupo < kGrupos; ++grupo) {
        std::vector<double> den, ab, vol;
        for (const FilaTablaRodal &fila : tabla) {
            den.push_back(fila.den[grupo]);
            ab.push_back(fila.area[grupo]);
            vol.push_back(fila.vol[grupo]);
        }
        resumen.den[grupo] = sumaPie(den);
        resumen.ab[grupo] = sumaPie(ab);
        resumen.vol[grupo] = sumaPie(vol);
    }
    return resumen;
}

ResumenGeneral resumenGeneral(const ResumenInventario &resumen)
{
    return {suma(resumen.den), suma(resumen.ab), suma(resumen.vol)};
}

Muestreo muestreo(const Inventario &inventario, const std::vector<FilaTablaRodal> &tabla)
{
    Muestreo resultado;
    std::vector<double> totDen, totArea;
    for (const FilaTablaRodal &fila : tabla) {
        totDen.push_back(fila.totDen());
        totArea.push_back(fila.totArea());
    }
    resultado.numArbMed = sumaPie(totDen);
    resultado.areBasMed = sumaPie(totArea);
    resultado.numUni = inventario.numeroParcelas;

    const int n = inventario.numeroParcelas;
    const auto porParcela = arbolesMuestra(inventario);
    long long arboles = 0;
    for (const auto &[numero, lista] : porParcela)
        arboles += static_cast<long long>(lista.size());
    if (arboles < 2 || n < 2)
        return resultado;

    // x_i = count_i × F and b_i = Σ dap² × pi / 40000 × F, F = 10000 / mag or n; each
    // scaled in one division where the plot area divides.
    const bool superficieFija = inventario.tipoParcela == kParcelaSuperficieFija && inventario.superficie > 0;
    const double mag = inventario.superficie;
    const auto escala = [&](double valor) { return superficieFija ? valor * 10000.0 / mag : valor * n; };
    std::vector<double> x, b;
    for (int i = 1; i <= n; ++i) {
        const auto parcela = porParcela.find(i);
        double cuadrados = 0.0;
        long long cuenta = 0;
        if (parcela != porParcela.end()) {
            cuenta = static_cast<long long>(parcela->second.size());
            for (const Arbol &arbol : parcela->second)
                cuadrados += arbol.dap * arbol.dap;
        }
        x.push_back(escala(double(cuenta)));
        b.push_back(escala(cuadrados * kPi / 40000.0));
    }
    const double media = superficieFija ? double(arboles) * 10000.0 / (mag * n) : double(arboles);
    double sumaB = 0.0;
    for (double bi : b)
        sumaB += bi;
    const double mediaB = sumaB / n;

    const auto varianza = [n](const std::vector<double> &valores, double promedio) {
        double cuadrados = 0.0;
        for (double valor : valores)
            cuadrados += (promedio - valor) * (promedio - valor);
        return cuadrados / (n - 1);
    };
    const double var = varianza(x, media);
    const double varB = varianza(b, mediaB);
    resultado.numArbVar = redondea2(var);
    resultado.areBasVar = redondea2(varB);
    resultado.numArbDesv = redondea2(std::sqrt(var));
    resultado.areBasDesv = redondea2(std::sqrt(varB));
    if (media > 0) {
        resultado.numArbCoef = redondea2(std::sqrt(var) / media * 100.0);
        resultado.numArbErr = errorMuestreo(*resultado.numArbCoef, n, n);
    }
    if (mediaB > 0) {
        resultado.areBasCoef = redondea2(std::sqrt(varB) / mediaB * 100.0);
        resultado.areaBasErr = errorMuestreo(*resultado.areBasCoef, n, n);
    }
    return resultado;
}

std::optional<double> errorMuestreo(double coeficiente, int numeroParcelas, double numUni)
{
    const std::optional<double> t = Estadistica::tStudent95Muestras(numeroParcelas);
    if (!t || !(numUni > 0))
        return std::nullopt;
    return redondea2(coeficiente * *t / std::sqrt(numUni));
}

} // namespace EstadisticaDalu
