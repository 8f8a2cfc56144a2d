// The form's two-decimal rule (see dosdecimales.h).
#include "dosdecimales.h"

#include <QString>

#include <cmath>

double DosDecimalesZURI(double x)
{
    if (!std::isfinite(x) || x == 0)
        return 0;
    if (std::abs(x) >= 1e13)
        return x; // no decimals left to round at 15 significant digits
    // "d.dddddddddddddde±X": the 15 digits M, and x = M x 10^(e-14).
    const QString texto = QString::number(std::abs(x), 'e', 14);
    const qsizetype e = texto.indexOf(QLatin1Char('e'));
    const qint64 mantisa = (texto.left(1) + texto.mid(2, e - 2)).toLongLong();
    const int exponente = texto.mid(e + 1).toInt();
    // x x 100 = M / 10^k.
    const int k = 12 - exponente;
    qint64 centesimos = 0;
    if (k <= 0) {
        centesimos = mantisa;
        for (int i = 0; i < -k; ++i)
            centesimos *= 10;
    } else if (k <= 18) {
        qint64 divisor = 1;
        for (int i = 0; i < k; ++i)
            divisor *= 10;
        centesimos = mantisa / divisor + ((mantisa % divisor) * 2 >= divisor ? 1 : 0);
    }
    const double r = double(centesimos) / 100.0;
    return x < 0 ? -r : r;
}
