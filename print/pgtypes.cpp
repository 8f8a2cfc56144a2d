#include "pgtypes.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <limits>

namespace {

struct PaperRow {
    qint32 height;
    qint32 width;
    int code;
    const char *name;
};

// Height then width in units; C5 is the one row that is wider than high.
constexpr PaperRow paperTable[] = {
    {42000, 29700, 8, "A3"},   {29700, 21000, 9, "A4"},      {21000, 14850, 11, "A5"},
    {14850, 10500, 70, "A6"},  {25000, 17600, 13, "B5"},     {16300, 22900, 28, "C5"},
    {35560, 21590, 5, "Legal"}, {27940, 21590, 1, "Letter"},
};
constexpr int paperRows = int(sizeof(paperTable) / sizeof(paperTable[0]));

const PaperRow *paperRow(TPgPaperSize size)
{
    const int i = int(size);
    return i >= 0 && i < paperRows ? &paperTable[i] : nullptr;
}

int metafileResolution = PgDefaultMetafileResolution;

} // namespace

qint64 PgRound(long double value)
{
    if (std::isnan(value))
        return 0;
    constexpr long double top = 9223372036854775807.0L;
    if (value >= top)
        return std::numeric_limits<qint64>::max();
    if (value <= -top)
        return std::numeric_limits<qint64>::min();
    const long double lower = std::floor(value);
    const long double fraction = value - lower;
    qint64 result = qint64(lower);
    if (fraction > 0.5L || (fraction == 0.5L && (result & 1) != 0))
        ++result;
    return result;
}

qint32 PgClampToInt32(qint64 value)
{
    if (value > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (value < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return qint32(value);
}

long double ConvertValue(TPgMeasurement from, TPgMeasurement to, long double value)
{
    if (from == to)
        return value;
    long double units;
    switch (from) {
    case gmPixels: units = value * 100 * 25.4L / 96; break;
    case gmMillimeters: units = value * 100; break;
    case gmCentimeters: units = value * 1000; break;
    case gmInches: units = value * 100 * 25.4L; break;
    case gmTwips: units = value / 1440 * 25.4L * 100; break;
    default: units = value; break;
    }
    switch (to) {
    case gmPixels: return units / 100 / 25.4L * 96;
    case gmMillimeters: return units / 100;
    case gmCentimeters: return units / 1000;
    case gmInches: return units / 100 / 25.4L;
    case gmTwips: return units / 100 / 25.4L * 1440;
    default: return units;
    }
}

TPgSizeExt ConvertSize(TPgMeasurement from, TPgMeasurement to, const TPgSizeExt &size)
{
    return {ConvertValue(from, to, size.Height), ConvertValue(from, to, size.Width)};
}

TPgPointSet ConvertPointSet(TPgMeasurement from, TPgMeasurement to, const TPgPointSet &points)
{
    TPgPointSet result;
    for (int i = 0; i < 4; ++i) {
        result.Points[i].X = ConvertValue(from, to, points.Points[i].X);
        result.Points[i].Y = ConvertValue(from, to, points.Points[i].Y);
    }
    return result;
}

qint64 PgUnitsToPixels(qint64 units, int resolution)
{
    return PgRound(ConvertValue(gmUnits, gmInches, units) * resolution);
}

qint32 PaperSizeHeightUnits(TPgPaperSize size)
{
    const PaperRow *row = paperRow(size);
    return row ? row->height : 0;
}

qint32 PaperSizeWidthUnits(TPgPaperSize size)
{
    const PaperRow *row = paperRow(size);
    return row ? row->width : 0;
}

TPgSizeExt PaperSizeDimensions(TPgPaperSize size)
{
    const PaperRow *row = paperRow(size);
    if (!row)
        row = paperRow(TPgPaperSize::A4);
    return ConvertSize(gmUnits, gmInches, {(long double)row->height, (long double)row->width});
}

int PaperSizeCode(TPgPaperSize size)
{
    const PaperRow *row = paperRow(size);
    return row ? row->code : -1;
}

QString PaperSizeToStr(TPgPaperSize size)
{
    const PaperRow *row = paperRow(size);
    return row ? QString::fromLatin1(row->name) : QStringLiteral("Custom");
}

int PgMetafileResolution()
{
    return metafileResolution;
}

void SetPgMetafileResolution(int dotsPerInch)
{
    if (dotsPerInch > 0)
        metafileResolution = dotsPerInch;
}

int PgScreenPixelsPerInch()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            return qMax(1, int(PgRound(screen->logicalDotsPerInch())));
    }
    return PgConverterPixelsPerInch;
}
