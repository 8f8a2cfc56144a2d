#pragma once

// Text forms of the attribute-list format: comma texts, numbers, and the pen,
// brush and font records; plus the typed readers of the old fixed-width blocks.

#include "pgstyles.h"

#include <QString>
#include <QStringList>

#include <optional>

class TPgExtStream;

// Items joined by commas; an empty item or one holding a character up to space,
// a comma or a double quote is quoted, inner quotes doubled.
QString PgCommaText(const QStringList &items);
QStringList PgParseCommaText(const QString &text);

// Lines of a text split at CR LF, CR or LF (a final line break adds no line), and
// joined back with CR LF.
QStringList PgTextLines(const QString &text);
QString PgJoinLines(const QStringList &lines);

// Decimal integer text: optional sign and digits within the 32-bit range.
std::optional<qint32> PgStrToInt(const QString &text);
// A float as its shortest text up to 15 significant digits, "." as separator.
QString PgFloatToStr(long double value);
// Reads "." or "," as decimal separator; nothing for a text that is not a finite
// number.
std::optional<long double> PgStrToFloat(const QString &text);

QString FontStylesToStr(TPgFontStyles styles);
// A style is set when its letter occurs anywhere in the text.
TPgFontStyles StrToFontStyles(const QString &text);
QString BrushToStr(const TPgBrush &brush);
std::optional<TPgBrush> StrToBrush(const QString &text);
QString PenToStr(const TPgPen &pen);
std::optional<TPgPen> StrToPen(const QString &text);
// Face name, angle, colour, size, style text; the character set is not written.
QString FontToStr(const TPgFont &font);
std::optional<TPgFont> StrToFont(const QString &text);

// Old-format nested blocks: brush (colour, style), pen (colour, style, width,
// mode), font (angle, colour, face name, size, style text).
std::optional<TPgBrush> ReadBrushBlock(TPgExtStream &stream);
std::optional<TPgPen> ReadPenBlock(TPgExtStream &stream);
std::optional<TPgFont> ReadFontBlock(TPgExtStream &stream);
