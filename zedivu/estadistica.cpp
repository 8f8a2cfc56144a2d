#include "estadistica.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace Estadistica {

namespace {

// Index d - 1 holds the value for d degrees of freedom.
constexpr std::array<double, 30> kTStudent95 = {
    12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228,
    2.201,  2.179, 2.16,  2.145, 2.131, 2.12,  2.11,  2.101, 2.093, 2.086,
    2.08,   2.074, 2.069, 2.064, 2.06,  2.056, 2.052, 2.048, 2.045, 2.042};

constexpr int kDigitos = 15;

std::int64_t potenciaDiez(int n)
{
    std::int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

double redondeaMitadPar(double valor, int decimales)
{
    if (!std::isfinite(valor) || valor == 0.0)
        return std::isfinite(valor) ? 0.0 : valor;
    if (decimales < 0)
        decimales = 0;
    if (decimales > kDigitos)
        decimales = kDigitos;

    // d.dddddddddddddde±x: the value is the 15 digits D times 10^(x - 14), locale-free.
    char texto[64];
    const auto escrito = std::to_chars(texto, texto + sizeof texto, std::fabs(valor),
                                       std::chars_format::scientific, kDigitos - 1);
    const std::string cifras(texto, escrito.ptr);
    const std::size_t e = cifras.find('e');
    std::int64_t digitos = 0;
    for (std::size_t i = 0; i < e; ++i)
        if (cifras[i] != '.')
            digitos = digitos * 10 + (cifras[i] - '0');
    const int exponente = std::atoi(cifras.c_str() + e + 1);

    // value * 10^decimales = D * 10^escala; only a negative escala leaves digits to drop.
    const int escala = exponente - (kDigitos - 1) + decimales;
    if (escala >= 0)
        return valor;
    const int sobran = -escala;
    if (sobran > kDigitos)
        return 0.0;
    const std::int64_t divisor = potenciaDiez(sobran);
    std::int64_t entero = digitos / divisor;
    const std::int64_t resto = digitos % divisor;
    const std::int64_t mitad = divisor / 2;
    if (resto > mitad || (resto == mitad && entero % 2 != 0))
        ++entero;
    if (entero == 0)
        return 0.0;

    // entero * 10^-decimales read back as the double nearest that exact decimal.
    const std::string resultado = (valor < 0 ? "-" : "") + std::to_string(entero) + "e-" + std::to_string(decimales);
    double r = 0.0;
    std::from_chars(resultado.data(), resultado.data() + resultado.size(), r);
    return r;
}

std::optional<double> tStudent95GradosLibertad(int gradosLibertad)
{
    if (gradosLibertad < 1)
        return std::nullopt;
    if (gradosLibertad > int(kTStudent95.size()))
        return 1.96;
    return kTStudent95[std::size_t(gradosLibertad - 1)];
}

std::optional<double> tStudent95Muestras(int muestras)
{
    if (muestras < 2)
        return std::nullopt;
    if (muestras >= 30)
        return 1.96;
    return tStudent95GradosLibertad(muestras - 1);
}

std::optional<long double> media(const std::vector<double> &valores)
{
    if (valores.empty())
        return std::nullopt;
    long double suma = 0;
    for (double v : valores)
        suma += v;
    return suma / (long double)(valores.size());
}

std::optional<long double> desviacionMuestral(const std::vector<double> &valores)
{
    if (valores.size() < 2)
        return std::nullopt;
    const long double m = *media(valores);
    long double cuadrados = 0;
    for (double v : valores)
        cuadrados += (v - m) * (v - m);
    return std::sqrt(cuadrados / (long double)(valores.size() - 1));
}

} // namespace Estadistica
