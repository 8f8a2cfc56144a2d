#pragma once

// The printer canvas as the page model and the page objects print through it:
// positions and sizes in inches, mapped by the implementation into the device
// cell of the current logical page. The printer side implements it.

#include "pgstyles.h"
#include "pgtypes.h"

#include <QList>
#include <QPointF>
#include <QRegion>

class QPainter;
class QPicture;
class TPgGraphic;

enum TPgShapeKind : quint8 {
    skEllipse,
    skRectangle,       // outlined with the pen and filled with the brush
    skFilledRectangle, // brush only
    skFrame3D,         // white top-left, grey bottom-right frame
    skRoundRect,       // Extra.Points[0] holds the corner width and height
    skArc,             // Extra.Points[0] start point, Extra.Points[1] end point
    skChord,
    skPie,
};

class TPgPrintTarget
{
public:
    virtual ~TPgPrintTarget() = default;

    virtual int HorzResolution() const = 0;
    virtual int VertResolution() const = 0;
    // Physical offsets of the printable area, device pixels.
    virtual int PageOffsetX() const = 0;
    virtual int PageOffsetY() const = 0;
    // Logical pages per sheet of the running job: 1, 2 or 4.
    virtual int PagesPerSheet() const = 0;
    // The printer's page size in inches.
    virtual TPgSizeExt PageSizeInches() const = 0;

    // The device region of a rectangle in inches (device pixels, offsets taken
    // off). Null selects no region.
    virtual QRegion ClipRegion(const TPgRectExt &inches) const = 0;
    virtual void SetClipRegion(const QRegion *region) = 0;

    virtual void SetAngle(long double degrees) = 0;
    virtual void SetFont(const TPgFont &font) = 0;
    virtual void SetBrush(const TPgBrush &brush) = 0;
    virtual void SetPen(const TPgPen &pen) = 0;
    virtual void SetCopyMode(int copyMode) = 0;

    virtual void TextOut(long double x, long double y, TPgAlignment alignment, const QString &text) = 0;
    virtual long double TextWidth(const QString &text) = 0;
    virtual long double TextHeight(const QString &text) = 0;
    virtual void Polyline(const QList<QPointF> &inches) = 0;
    virtual void StretchDraw(const TPgRectExt &inches, const TPgGraphic &image) = 0;
    virtual void TextBox(const TPgRectExt &inches, TPgAlignment alignment, const QString &text,
                         bool wordWrap, TPgVertAlignment vertAlignment) = 0;
    virtual void Shape(TPgShapeKind kind, const TPgRectExt &inches, const TPgPointSet &extra) = 0;

    // A recorded picture (the page's printer picture, pictureSize pixels) into
    // the whole cell of the current logical page.
    virtual void DrawPicture(const QPicture &picture, const QSize &pictureSize) = 0;
    // The painter of the current cell in device pixels, origin at the page's
    // top-left corner; used to render rich text straight onto the sheet.
    virtual QPainter *Painter() = 0;
};
