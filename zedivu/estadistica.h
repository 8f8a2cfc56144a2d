#pragma once
// Sampling arithmetic the inventory forms share: decimal rounding with halves to the even
// neighbour, the two-sided 95 % Student's t for a number of samples, and the mean and the
// sample standard deviation of a set of counts.
#include <optional>
#include <vector>

namespace Estadistica {

// `valor` rounded to `decimales` decimals (0 to 15), halves going to the even neighbour
// (0.125 -> 0.12, 0.135 -> 0.14, 12.5 -> 12, 13.5 -> 14). The decision is taken on the
// value's shortest decimal of 15 significant digits, so 2.675, which a double holds as
// 2.67499999..., is the half it was meant to be and gives 2.68. Non-finite values come
// back unchanged; a result of zero is never negative.
double redondeaMitadPar(double valor, int decimales);

// The two-sided 95 % value of Student's t for `gradosLibertad` degrees of freedom, from
// the agency's table: 1 to 30 degrees have their table value (12.706 ... 2.042), more
// than 30 take the normal 1.96. Below 1 there is no value.
std::optional<double> tStudent95GradosLibertad(int gradosLibertad);

// The t used for a mean of `muestras` samples: 1.96 from 30 samples on, otherwise the
// value for muestras - 1 degrees of freedom (2 samples give 12.706, 29 give 2.048).
// Fewer than 2 samples have no sampling error, hence no value.
std::optional<double> tStudent95Muestras(int muestras);

// The mean of `valores`; none for an empty set.
std::optional<long double> media(const std::vector<double> &valores);
// The sample standard deviation (divided by n - 1); none for fewer than two values.
std::optional<long double> desviacionMuestral(const std::vector<double> &valores);

} // namespace Estadistica
