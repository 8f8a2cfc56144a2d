#pragma once

// Pen, brush and font values as page objects keep them (snapshots), and their
// translation into Qt painting objects at a given resolution.

#include "pgtypes.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPen>
#include <QString>

// Colours are kept as the system stores them: 0x00BBGGRR.
using TColor = qint32;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;

enum TPgPenStyle : quint8 { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPgBrushStyle : quint8 { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
constexpr int pmCopy = 4;
constexpr int PgPenModeCount = 16;

enum TPgFontStyle : quint8 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TPgFontStyles = quint8;

struct TPgBrush {
    TColor Color = clWhite;
    TPgBrushStyle Style = bsSolid;
    bool operator==(const TPgBrush &) const = default;
};

struct TPgPen {
    TColor Color = clBlack;
    TPgPenStyle Style = psSolid;
    int Width = 1;
    int Mode = pmCopy;
    bool operator==(const TPgPen &) const = default;
};

struct TPgFont {
    long double Angle = 0; // degrees, counter-clockwise
    quint8 Charset = 1;
    TColor Color = clBlack;
    QString Name = QStringLiteral("Arial");
    int Size = 12; // points
    TPgFontStyles Style = 0;
    bool operator==(const TPgFont &) const = default;
};

// The device pen-style code: solid, dash, dot, dash-dot, dash-dot-dot, clear are
// 0 to 5; anything else draws solid.
int PenStyleCode(TPgPenStyle style);

// The system colour 0x00BBGGRR as a Qt colour; system colour indexes (high byte
// set) resolve to black.
QColor PgToQColor(TColor color);
TColor PgFromQColor(const QColor &color);

// A geometric pen for drawing at the resolution: a width of 4 is one point; broken
// styles are never thinner than one point. Flat caps, mitre joins.
QPen CreateDevicePen(const TPgPen &pen, int resolution);

// Width in pixels CreateDevicePen gives (exposed for the printer side).
int DevicePenWidth(const TPgPen &pen, int resolution);

QBrush PgToQBrush(const TPgBrush &brush);

// The installed family that stands in for a face name (Arial and Times New Roman
// map to the metric-compatible Liberation families). Every font the engine
// builds goes through here, so measured heights and page breaks are stable.
QString PgFontFamily(const QString &faceName);

// The font at a resolution: pixel size = Round(points × resolution / 72).
QFont PgToQFont(const TPgFont &font, int resolution);
