#pragma once

// Units of the print engine: every length is a whole number of hundredths of a
// millimetre ("units"). Conversions work in extended precision (long double) and
// every rounding to an integer goes to the nearest integer, halves to even.

#include <QString>
#include <QtGlobal>

#include <functional>

// A change link: the sender is the object whose state changed.
using TNotifyEvent = std::function<void(void *sender)>;

constexpr int PgUnitsPerMm = 100;
constexpr int PgUnitsPerCm = 1000;
constexpr int PgUnitsPerInch = 2540;
constexpr int PgTwipsPerInch = 1440;
constexpr int PgConverterPixelsPerInch = 96;
constexpr int PgDefaultMetafileResolution = 600;

enum TPgMeasurement : quint8 { gmUnits, gmPixels, gmMillimeters, gmCentimeters, gmInches, gmTwips };

enum class TPgPaperSize : quint8 { A3, A4, A5, A6, B5, C5, Legal, Letter, Custom };

enum TPgOrientation : quint8 { gmPortrait, gmLandscape };

enum TPgAlignment : quint8 { taLeftJustify, taRightJustify, taCenter };

enum TPgVertAlignment : quint8 { vaTop, vaCenter, vaBottom };

struct TPgSizeExt {
    long double Height = 0;
    long double Width = 0;
};

struct TPgPointExt {
    long double X = 0;
    long double Y = 0;
};

struct TPgRectExt {
    long double Left = 0;
    long double Top = 0;
    long double Right = 0;
    long double Bottom = 0;
};

// A rectangle of whole units or pixels: left, top, right, bottom.
struct TPgIntRect {
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;
    bool operator==(const TPgIntRect &) const = default;
};

// Four points: the corners and radial points of arcs, chords and pies.
struct TPgPointSet {
    TPgPointExt Points[4];
};

// Rounds to the nearest integer, halves to the even neighbour; NaN gives 0 and
// values beyond the 64-bit range saturate.
qint64 PgRound(long double value);

// Limits a 64-bit value to lower..upper.
constexpr qint64 PgBound(qint64 lower, qint64 value, qint64 upper)
{
    return value < lower ? lower : (value > upper ? upper : value);
}

// Saturates a 64-bit result into the 32-bit range of a stored length.
qint32 PgClampToInt32(qint64 value);

long double ConvertValue(TPgMeasurement from, TPgMeasurement to, long double value);
TPgSizeExt ConvertSize(TPgMeasurement from, TPgMeasurement to, const TPgSizeExt &size);
TPgPointSet ConvertPointSet(TPgMeasurement from, TPgMeasurement to, const TPgPointSet &points);

// Pixel position of a length in units at a resolution: Round(inches × resolution).
qint64 PgUnitsToPixels(qint64 units, int resolution);

// The paper table: height and width in units (Custom has none: 0 and 0).
qint32 PaperSizeHeightUnits(TPgPaperSize size);
qint32 PaperSizeWidthUnits(TPgPaperSize size);
// Height and width in inches. Custom, which has no row, answers with A4 so that a
// caller never receives an empty page.
TPgSizeExt PaperSizeDimensions(TPgPaperSize size);
// The printer's paper code for the size; -1 for Custom.
int PaperSizeCode(TPgPaperSize size);
QString PaperSizeToStr(TPgPaperSize size);

// The process-wide resolution of recorded pages (dots per inch), 600 at start.
int PgMetafileResolution();
void SetPgMetafileResolution(int dotsPerInch);

// The screen's logical pixels per inch (96 when there is no screen).
int PgScreenPixelsPerInch();
