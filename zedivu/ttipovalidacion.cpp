#include "ttipovalidacion.h"

#include <array>

bool TipoValidacionPorNombre(const QString &nombre, TTipoValidacion &tipo)
{
    static const std::array<const char *, 14> nombres = {
        "tvNoVacio",     "tvUnico",        "tvPositivo", "tvCeroPositivo", "tvAnoValido",
        "tvAnoActualMax", "tvFechaValida", "tvCoordenadaN", "tvCoordenadaE", "tvMenor",
        "tvMenorIgual",  "tvMayorIgual",   "tvMayor",    "tvAnoActualMin"};
    for (size_t i = 0; i < nombres.size(); ++i) {
        if (nombre == QLatin1String(nombres[i])) {
            tipo = TTipoValidacion(i);
            return true;
        }
    }
    return false;
}
