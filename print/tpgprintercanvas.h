#pragma once

// Draws page objects on the printer in inches. A position p inches lands at
// p × resolution × scale device pixels from the origin of the current logical
// page's cell (horizontal resolution for x, vertical for y). The printer sets
// the painter, resolutions, cell and scale for each job and page.

#include "pgprintertypes.h"
#include "tpgprinttarget.h"

#include <QPoint>
#include <QRegion>
#include <QTransform>

class TPgPrinterCanvas : public TPgPrintTarget
{
public:
    // Resolution used while no device has told its own.
    static constexpr int DefaultResolution = 600;

    // painter is the device's (not owned); null ends the canvas's use.
    void Begin(QPainter *painter, int horzResolution, int vertResolution, QPoint pageOffset,
               TPgPrintColor colorMode, int pagesPerSheet, const TPgSizeExt &pageInches);
    void End();
    // The device's painter of a new sheet.
    void SetPainter(QPainter *painter) { FPainter = painter; }
    // Device pixels of the current cell's top-left corner, and the sheet scale
    // (1 one page, short-to-long side ratio for two, 0.5 for four).
    void SetCell(QPoint origin) { FCellOrigin = origin; }
    QPoint CellOrigin() const { return FCellOrigin; }
    void SetScale(long double scale) { FScale = scale; }
    // The sheet's size in inches after a change of paper or orientation.
    void SetPageSizeInches(const TPgSizeExt &inches) { FPageInches = inches; }
    long double Scale() const { return FScale; }
    TPgPrintColor ColorMode() const { return FColorMode; }

    int HorzResolution() const override { return FHorzResolution; }
    int VertResolution() const override { return FVertResolution; }
    int PageOffsetX() const override { return FPageOffset.x(); }
    int PageOffsetY() const override { return FPageOffset.y(); }
    int PagesPerSheet() const override { return FPagesPerSheet; }
    TPgSizeExt PageSizeInches() const override { return FPageInches; }

    QRegion ClipRegion(const TPgRectExt &inches) const override;
    void SetClipRegion(const QRegion *region) override;

    void SetAngle(long double degrees) override { FAngle = degrees; }
    void SetFont(const TPgFont &font) override { FFont = font; }
    void SetBrush(const TPgBrush &brush) override { FBrush = brush; }
    void SetPen(const TPgPen &pen) override { FPen = pen; }
    void SetCopyMode(int copyMode) override { FCopyMode = copyMode; }

    void TextOut(long double x, long double y, TPgAlignment alignment, const QString &text) override;
    long double TextWidth(const QString &text) override;
    long double TextHeight(const QString &text) override;
    void Polyline(const QList<QPointF> &inches) override;
    void StretchDraw(const TPgRectExt &inches, const TPgGraphic &image) override;
    void TextBox(const TPgRectExt &inches, TPgAlignment alignment, const QString &text, bool wordWrap,
                 TPgVertAlignment vertAlignment) override;
    void Shape(TPgShapeKind kind, const TPgRectExt &inches, const TPgPointSet &extra) override;
    void DrawPicture(const QPicture &picture, const QSize &pictureSize) override;
    QPainter *Painter() override;

private:
    // Saves the painter and sets the cell transformation and the clip; false
    // when there is no painter.
    bool Enter();
    void Leave();
    QTransform CellTransform() const;
    qreal X(long double inches) const { return qreal(inches * FHorzResolution); }
    qreal Y(long double inches) const { return qreal(inches * FVertResolution); }
    QRectF DeviceRect(const TPgRectExt &inches) const;
    QColor Colour(TColor color) const;
    QFont DeviceFont() const;
    QPen DevicePen() const;
    QBrush DeviceBrush() const;

    QPainter *FPainter = nullptr;
    int FHorzResolution = DefaultResolution;
    int FVertResolution = DefaultResolution;
    QPoint FPageOffset;
    QPoint FCellOrigin;
    long double FScale = 1;
    long double FAngle = 0;
    TPgPrintColor FColorMode = gmColor;
    int FPagesPerSheet = 1;
    TPgSizeExt FPageInches;
    TPgFont FFont;
    TPgBrush FBrush;
    TPgPen FPen;
    int FCopyMode = 0;
    QRegion FClip;
    bool FClipOn = false;
};
