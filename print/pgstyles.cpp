#include "pgstyles.h"

#include <QHash>

int PenStyleCode(TPgPenStyle style)
{
    return style <= psClear ? int(style) : 0;
}

QColor PgToQColor(TColor color)
{
    if (color < 0 || (color & 0xFF000000) != 0)
        return QColor(Qt::black);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor PgFromQColor(const QColor &color)
{
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}

int DevicePenWidth(const TPgPen &pen, int resolution)
{
    const long double factor = (long double)resolution / 72;
    qint64 width = PgRound(pen.Width * factor / 4);
    if (pen.Style != psSolid && factor > width)
        width = PgRound(factor + 0.5L);
    return int(PgBound(0, width, 1 << 20));
}

QPen CreateDevicePen(const TPgPen &pen, int resolution)
{
    static const Qt::PenStyle styles[] = {Qt::SolidLine,      Qt::DashLine,          Qt::DotLine,
                                          Qt::DashDotLine,    Qt::DashDotDotLine,    Qt::NoPen};
    QPen result(PgToQColor(pen.Color));
    result.setStyle(styles[PenStyleCode(pen.Style)]);
    result.setWidth(DevicePenWidth(pen, resolution));
    result.setCapStyle(Qt::FlatCap);
    result.setJoinStyle(Qt::MiterJoin);
    return result;
}

QBrush PgToQBrush(const TPgBrush &brush)
{
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,     Qt::HorPattern,
                                            Qt::VerPattern,   Qt::FDiagPattern, Qt::BDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    const int i = brush.Style <= bsDiagCross ? int(brush.Style) : 0;
    return QBrush(PgToQColor(brush.Color), styles[i]);
}

QString PgFontFamily(const QString &faceName)
{
    static const QHash<QString, QString> families = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("times"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
    };
    return families.value(faceName.trimmed().toLower(), faceName);
}

QFont PgToQFont(const TPgFont &font, int resolution)
{
    QFont result(PgFontFamily(font.Name));
    const qint64 pixels = PgRound((long double)font.Size * resolution / 72);
    result.setPixelSize(int(PgBound(1, pixels < 0 ? -pixels : pixels, 100000)));
    result.setBold(font.Style & fsBold);
    result.setItalic(font.Style & fsItalic);
    result.setUnderline(font.Style & fsUnderline);
    result.setStrikeOut(font.Style & fsStrikeOut);
    // Glyph positions must scale with the page, not snap to the recording grid.
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setKerning(true);
    return result;
}
