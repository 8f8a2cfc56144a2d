// The establishment statistics of one stand (see estadisticaszuri.h).
#include "estadisticaszuri.h"

#include "dosdecimales.h"
#include "estadistica.h"

#include <cmath>

std::optional<EstadisticasZURI> CalcularEstadisticasZURI(double supParcela, int parcelas, const std::vector<double> &plantas,
                                                         QString *motivo)
{
    EstadisticasZURI r;
    // Hectares of one plot; without a plot area there is nothing to scale, and all is zero.
    const long double F = supParcela / 10000.0L;
    if (F == 0)
        return r;
    const std::optional<double> t = Estadistica::tStudent95Muestras(parcelas);
    const std::optional<long double> promedio = Estadistica::media(plantas);
    const std::optional<long double> desviacion = Estadistica::desviacionMuestral(plantas);
    if (!t) {
        *motivo = QStringLiteral("tiene menos de dos parcelas");
        return std::nullopt;
    }
    if (!promedio || !desviacion) {
        *motivo = QStringLiteral("no tiene plantas vivas ingresadas en al menos dos parcelas");
        return std::nullopt;
    }
    const long double M = *promedio / F;
    const long double S = *desviacion / F;
    const long double C = M == 0 ? 0 : S / M;
    const long double E = M == 0 ? 0 : std::sqrt(S * S / parcelas);
    const long double P = C * *t / std::sqrt((long double)parcelas) * 100;
    r.media = Estadistica::redondeaMitadPar(double(M), 0);
    r.desv = DosDecimalesZURI(double(S));
    // The percentage in whole steps.
    r.coef = std::round(DosDecimalesZURI(double(C)) * 100);
    r.errStd = DosDecimalesZURI(double(E));
    r.errMuest = DosDecimalesZURI(double(P));
    return r;
}
