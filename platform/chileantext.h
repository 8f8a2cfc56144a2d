#pragma once
// Number and date texts in the program's fixed Chilean Spanish format, never the machine
// locale: a float is its shortest decimal form with at most 15 significant digits, decimal
// comma, no thousands separator and no exponent (12,5; 12; 0,001); dates are dd-mm-yyyy.
// Dates are stored in the databases as "yyyy-MM-dd HH:mm:ss".
#include <QDateTime>
#include <QString>
#include <optional>

namespace ChileanText {

QString fromDouble(double value);
// Accepts a decimal comma or a decimal point (not both), an optional sign and blanks
// around; no thousands separators, no exponent. Empty or malformed text gives nullopt.
std::optional<double> toDouble(const QString &text);
// A number shown through a display pattern: "0" a digit always written, "#" a digit written
// when significant, "," thousands grouped, "." the decimal point ("0,000,000", "#,##0.00").
// The text uses the Chilean separators: "." between thousands, "," before the decimals.
QString formatNumber(double value, const QString &pattern);

QString fromDate(const QDate &date);
// The date alone at midnight, otherwise the date and " HH:mm:ss".
QString fromDateTime(const QDateTime &dateTime);
// dd-mm-yyyy or dd/mm/yyyy, optionally followed by HH:mm or HH:mm:ss; also the stored
// form yyyy-MM-dd[ HH:mm:ss]. Anything else, or an impossible date, gives nullopt.
std::optional<QDateTime> toDateTime(const QString &text);

QString toStorage(const QDateTime &dateTime);
std::optional<QDateTime> fromStorage(const QString &text);

} // namespace ChileanText
