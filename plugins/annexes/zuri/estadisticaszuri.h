#pragma once
// The establishment statistics of one afforested stand as they are stored: plots of
// `supParcela` m2, `parcelas` of them, the live plants counted on each. The mean density
// (plants per hectare) is rounded to whole plants with halves to even; deviation, standard
// error and sampling error (95 %, Student's t) keep two decimals, the coefficient of
// variation whole percent. A plot area of 0 gives zeros; fewer than two plots, or fewer
// than two counts, give none, with the reason in `motivo` (not null).
#include <QString>

#include <optional>
#include <vector>

struct EstadisticasZURI
{
    double media = 0;
    double desv = 0;
    double coef = 0;
    double errStd = 0;
    double errMuest = 0;
};

std::optional<EstadisticasZURI> CalcularEstadisticasZURI(double supParcela, int parcelas, const std::vector<double> &plantas,
                                                         QString *motivo);
