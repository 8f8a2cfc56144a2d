#include "chileantext.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>

namespace ChileanText {

QString fromDouble(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0)
        return QStringLiteral("0");
    // 15 significant digits in scientific form, locale-free: d.dddddddddddddde[+-]xx
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string text(buf, res.ptr);
    const bool negative = text[0] == '-';
    const std::size_t start = negative ? 1 : 0;
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (std::size_t i = start; i < ePos; ++i)
        if (text[i] != '.')
            digits += text[i];
    const int exponent = std::stoi(text.substr(ePos + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (digits == "0")
        return QStringLiteral("0");

    const int pointPos = exponent + 1; // digits before the decimal comma
    const int n = int(digits.size());
    std::string out;
    if (pointPos <= 0)
        out = "0," + std::string(std::size_t(-pointPos), '0') + digits;
    else if (pointPos >= n)
        out = digits + std::string(std::size_t(pointPos - n), '0');
    else
        out = digits.substr(0, std::size_t(pointPos)) + "," + digits.substr(std::size_t(pointPos));
    return QString::fromLatin1((negative ? "-" : "") + out);
}

QString formatNumber(double value, const QString &pattern)
{
    if (!std::isfinite(value))
        return QString();
    const int point = int(pattern.indexOf(QLatin1Char('.')));
    const QString entera = point < 0 ? pattern : pattern.left(point);
    const QString decimal = point < 0 ? QString() : pattern.mid(point + 1);
    const int minEnteros = int(entera.count(QLatin1Char('0')));
    const bool agrupar = entera.contains(QLatin1Char(','));
    const int minDecimales = int(decimal.count(QLatin1Char('0')));
    const int maxDecimales = minDecimales + int(decimal.count(QLatin1Char('#')));

    // Rounded half away from zero to the pattern's decimals, through fixed notation.
    char buf[400];
    const double escala = std::pow(10.0, maxDecimales);
    const double redondeado = std::round(std::fabs(value) * escala) / escala;
    auto res = std::to_chars(buf, buf + sizeof buf, redondeado, std::chars_format::fixed, maxDecimales);
    const QString texto = QString::fromLatin1(buf, int(res.ptr - buf));
    const int punto = int(texto.indexOf(QLatin1Char('.')));
    QString enteros = punto < 0 ? texto : texto.left(punto);
    QString decimales = punto < 0 ? QString() : texto.mid(punto + 1);
    if (enteros == QLatin1String("0"))
        enteros.clear();
    while (enteros.size() < minEnteros)
        enteros.prepend(QLatin1Char('0'));
    while (decimales.size() > minDecimales && decimales.endsWith(QLatin1Char('0')))
        decimales.chop(1);
    if (agrupar)
        for (int i = int(enteros.size()) - 3; i > 0; i -= 3)
            enteros.insert(i, QLatin1Char('.'));
    QString out = enteros;
    if (!decimales.isEmpty())
        out += QLatin1Char(',') + decimales;
    const bool cero = redondeado == 0;
    if (value < 0 && !cero)
        out.prepend(QLatin1Char('-'));
    return out;
}

std::optional<double> toDouble(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    const QString t = text.trimmed();
    if (!pattern.match(t).hasMatch())
        return std::nullopt;
    QString c = t;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = c.toDouble(&ok); // QString::toDouble is locale-independent
    if (!ok)
        return std::nullopt;
    return v;
}

QString fromDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd-MM-yyyy")) : QString();
}

QString fromDateTime(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return QString();
    if (dateTime.time() == QTime(0, 0))
        return fromDate(dateTime.date());
    return dateTime.toString(QStringLiteral("dd-MM-yyyy HH:mm:ss"));
}

std::optional<QDateTime> toDateTime(const QString &text)
{
    static const QRegularExpression local(QStringLiteral(
        "^(\\d{1,2})[-/](\\d{1,2})[-/](\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
    static const QRegularExpression stored(QStringLiteral(
        "^(\\d{4})-(\\d{2})-(\\d{2})(?:[ T](\\d{2}):(\\d{2})(?::(\\d{2}))?)?$"));
    const QString t = text.trimmed();
    int y = 0, m = 0, d = 0;
    QRegularExpressionMatch match = local.match(t);
    if (match.hasMatch()) {
        d = match.captured(1).toInt();
        m = match.captured(2).toInt();
        y = match.captured(3).toInt();
    } else {
        match = stored.match(t);
        if (!match.hasMatch())
            return std::nullopt;
        y = match.captured(1).toInt();
        m = match.captured(2).toInt();
        d = match.captured(3).toInt();
    }
    const QDate date(y, m, d);
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    // Wall-clock values without a zone: local time would shift midnights that a daylight
    // saving change skips.
    return QDateTime(date, time, Qt::UTC);
}

QString toStorage(const QDateTime &dateTime)
{
    return dateTime.isValid() ? dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

std::optional<QDateTime> fromStorage(const QString &text)
{
    return toDateTime(text);
}

} // namespace ChileanText
