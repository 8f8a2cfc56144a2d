#include "pgstream.h"

#include "tpgextstream.h"

#include <cmath>
#include <limits>

namespace {

bool needsQuotes(const QString &item)
{
    if (item.isEmpty())
        return true;
    for (const QChar c : item) {
        if (c.unicode() <= ' ' || c == QLatin1Char(',') || c == QLatin1Char('"'))
            return true;
    }
    return false;
}

std::optional<qint32> itemInteger(const QStringList &items, int index)
{
    return index < items.size() ? PgStrToInt(items.at(index)) : std::nullopt;
}

} // namespace

QString PgCommaText(const QStringList &items)
{
    QStringList parts;
    parts.reserve(items.size());
    for (const QString &item : items) {
        if (needsQuotes(item)) {
            QString quoted = item;
            quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            parts.append(QLatin1Char('"') + quoted + QLatin1Char('"'));
        } else {
            parts.append(item);
        }
    }
    return parts.join(QLatin1Char(','));
}

QStringList PgParseCommaText(const QString &text)
{
    QStringList items;
    const qsizetype n = text.size();
    qsizetype i = 0;
    if (n == 0)
        return items;
    while (true) {
        QString item;
        if (i < n && text.at(i) == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text.at(i++);
            }
            while (i < n && text.at(i) != QLatin1Char(','))
                ++i;
        } else {
            const qsizetype comma = text.indexOf(QLatin1Char(','), i);
            const qsizetype end = comma < 0 ? n : comma;
            item = text.mid(i, end - i);
            i = end;
        }
        items.append(item);
        if (i >= n)
            break;
        ++i; // the comma
        if (i == n) {
            items.append(QString());
            break;
        }
    }
    return items;
}

QStringList PgTextLines(const QString &text)
{
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(line);
            line.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

QString PgJoinLines(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

std::optional<qint32> PgStrToInt(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

QString PgFloatToStr(long double value)
{
    return QString::number(double(value), 'g', 15);
}

std::optional<long double> PgStrToFloat(const QString &text)
{
    QString normal = text.trimmed();
    normal.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = normal.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return (long double)value;
}

QString FontStylesToStr(TPgFontStyles styles)
{
    QString text = QStringLiteral("[");
    if (styles & fsBold)
        text += QLatin1Char('B');
    if (styles & fsItalic)
        text += QLatin1Char('I');
    if (styles & fsUnderline)
        text += QLatin1Char('U');
    if (styles & fsStrikeOut)
        text += QLatin1Char('S');
    return text + QLatin1Char(']');
}

TPgFontStyles StrToFontStyles(const QString &text)
{
    TPgFontStyles styles = 0;
    if (text.contains(QLatin1Char('B')))
        styles |= fsBold;
    if (text.contains(QLatin1Char('I')))
        styles |= fsItalic;
    if (text.contains(QLatin1Char('U')))
        styles |= fsUnderline;
    if (text.contains(QLatin1Char('S')))
        styles |= fsStrikeOut;
    return styles;
}

QString BrushToStr(const TPgBrush &brush)
{
    return PgCommaText({QString::number(int(brush.Style)), QString::number(brush.Color)});
}

std::optional<TPgBrush> StrToBrush(const QString &text)
{
    const QStringList items = PgParseCommaText(text);
    const std::optional<qint32> style = itemInteger(items, 0);
    const std::optional<qint32> colour = itemInteger(items, 1);
    if (items.size() != 2 || !style || !colour || *style < 0 || *style > bsDiagCross)
        return std::nullopt;
    return TPgBrush{*colour, TPgBrushStyle(*style)};
}

QString PenToStr(const TPgPen &pen)
{
    return PgCommaText({QString::number(int(pen.Style)), QString::number(pen.Color), QString::number(pen.Width),
                        QString::number(pen.Mode)});
}

std::optional<TPgPen> StrToPen(const QString &text)
{
    const QStringList items = PgParseCommaText(text);
    if (items.size() != 4)
        return std::nullopt;
    const std::optional<qint32> style = itemInteger(items, 0);
    const std::optional<qint32> colour = itemInteger(items, 1);
    const std::optional<qint32> width = itemInteger(items, 2);
    const std::optional<qint32> mode = itemInteger(items, 3);
    if (!style || !colour || !width || !mode || *style < 0 || *style > psInsideFrame || *width < 0 ||
        *mode < 0 || *mode >= PgPenModeCount)
        return std::nullopt;
    return TPgPen{*colour, TPgPenStyle(*style), *width, *mode};
}

QString FontToStr(const TPgFont &font)
{
    return PgCommaText({font.Name, PgFloatToStr(font.Angle), QString::number(font.Color),
                        QString::number(font.Size), FontStylesToStr(font.Style)});
}

std::optional<TPgFont> StrToFont(const QString &text)
{
    const QStringList items = PgParseCommaText(text);
    if (items.size() != 5)
        return std::nullopt;
    const std::optional<long double> angle = PgStrToFloat(items.at(1));
    const std::optional<qint32> colour = itemInteger(items, 2);
    const std::optional<qint32> size = itemInteger(items, 3);
    if (!angle || !colour || !size)
        return std::nullopt;
    TPgFont font;
    font.Name = items.at(0);
    font.Angle = *angle;
    font.Color = *colour;
    font.Size = *size;
    font.Style = StrToFontStyles(items.at(4));
    return font;
}

std::optional<TPgBrush> ReadBrushBlock(TPgExtStream &stream)
{
    TPgExtStream block;
    if (!block.LoadBlock(stream, nullptr))
        return std::nullopt;
    const qint32 colour = block.ReadInteger();
    const qint32 style = block.ReadInteger();
    if (style < 0 || style > bsDiagCross)
        return std::nullopt;
    return TPgBrush{colour, TPgBrushStyle(style)};
}

std::optional<TPgPen> ReadPenBlock(TPgExtStream &stream)
{
    TPgExtStream block;
    if (!block.LoadBlock(stream, nullptr))
        return std::nullopt;
    TPgPen pen;
    pen.Color = block.ReadInteger();
    const qint32 style = block.ReadInteger();
    pen.Width = block.ReadInteger();
    pen.Mode = block.ReadInteger();
    if (style < 0 || style > psInsideFrame || pen.Width < 0 || pen.Mode < 0 || pen.Mode >= PgPenModeCount)
        return std::nullopt;
    pen.Style = TPgPenStyle(style);
    return pen;
}

std::optional<TPgFont> ReadFontBlock(TPgExtStream &stream)
{
    TPgExtStream block;
    if (!block.LoadBlock(stream, nullptr))
        return std::nullopt;
    const std::optional<long double> angle = block.ReadExtended();
    const qint32 colour = block.ReadInteger();
    const std::optional<QString> name = block.ReadString();
    const qint32 size = block.ReadInteger();
    const std::optional<QString> style = block.ReadString();
    if (!angle || !name || !style)
        return std::nullopt;
    TPgFont font;
    font.Angle = *angle;
    font.Color = colour;
    font.Name = *name;
    font.Size = size;
    font.Style = StrToFontStyles(*style);
    return font;
}
