#include "tpgprintercanvas.h"

#include "pgpicture.h"
#include "pgtext.h"
#include "tpggraphic.h"

#include <QPainter>
#include <QPicture>

#include <cmath>

void TPgPrinterCanvas::Begin(QPainter *painter, int horzResolution, int vertResolution, QPoint pageOffset,
                             TPgPrintColor colorMode, int pagesPerSheet, const TPgSizeExt &pageInches)
{
    FPainter = painter;
    FHorzResolution = horzResolution > 0 ? horzResolution : DefaultResolution;
    FVertResolution = vertResolution > 0 ? vertResolution : DefaultResolution;
    FPageOffset = pageOffset;
    FColorMode = colorMode;
    FPagesPerSheet = pagesPerSheet;
    FPageInches = pageInches;
    FCellOrigin = QPoint();
    FAngle = 0;
    FClipOn = false;
}

void TPgPrinterCanvas::End()
{
    FPainter = nullptr;
    FClipOn = false;
}

QRegion TPgPrinterCanvas::ClipRegion(const TPgRectExt &inches) const
{
    return QRegion(DeviceRect(inches).toRect());
}

void TPgPrinterCanvas::SetClipRegion(const QRegion *region)
{
    FClipOn = region != nullptr;
    FClip = region ? *region : QRegion();
}

QTransform TPgPrinterCanvas::CellTransform() const
{
    return QTransform::fromTranslate(FCellOrigin.x(), FCellOrigin.y()).scale(qreal(FScale), qreal(FScale));
}

bool TPgPrinterCanvas::Enter()
{
    if (!FPainter)
        return false;
    FPainter->save();
    FPainter->setTransform(CellTransform());
    if (FClipOn)
        FPainter->setClipRegion(FClip);
    else
        FPainter->setClipping(false);
    return true;
}

void TPgPrinterCanvas::Leave()
{
    FPainter->restore();
}

QRectF TPgPrinterCanvas::DeviceRect(const TPgRectExt &inches) const
{
    return QRectF(QPointF(X(inches.Left), Y(inches.Top)), QPointF(X(inches.Right), Y(inches.Bottom))).normalized();
}

QColor TPgPrinterCanvas::Colour(TColor color) const
{
    const QColor colour = PgToQColor(color);
    if (FColorMode != gmMonochrome)
        return colour;
    const int grey = qGray(colour.rgb());
    return QColor(grey, grey, grey);
}

QFont TPgPrinterCanvas::DeviceFont() const
{
    return PgToQFont(FFont, FVertResolution);
}

QPen TPgPrinterCanvas::DevicePen() const
{
    QPen pen = CreateDevicePen(FPen, FHorzResolution);
    pen.setColor(Colour(FPen.Color));
    return pen;
}

QBrush TPgPrinterCanvas::DeviceBrush() const
{
    QBrush brush = PgToQBrush(FBrush);
    brush.setColor(Colour(FBrush.Color));
    return brush;
}

void TPgPrinterCanvas::TextOut(long double x, long double y, TPgAlignment alignment, const QString &text)
{
    if (!Enter())
        return;
    const QFont font = DeviceFont();
    FPainter->setFont(font);
    const qint64 width = PgTextWidth(font, text);
    const qint64 height = PgTextHeight(font);
    FPainter->translate(X(x), Y(y));
    if (FAngle != 0)
        FPainter->rotate(-qreal(FAngle));
    qint64 left = 0;
    if (alignment == taRightJustify)
        left = -width;
    else if (alignment == taCenter)
        left = -width / 2;
    if (FBrush.Style != bsClear && FBrush.Color != clWhite)
        FPainter->fillRect(QRectF(qreal(left), 0, qreal(width), qreal(height)), DeviceBrush());
    FPainter->setBackgroundMode(Qt::TransparentMode);
    FPainter->setPen(Colour(FFont.Color));
    PgDrawTextAt(*FPainter, left, 0, text);
    Leave();
}

long double TPgPrinterCanvas::TextWidth(const QString &text)
{
    return (long double)PgTextWidth(DeviceFont(), text) / FHorzResolution;
}

long double TPgPrinterCanvas::TextHeight(const QString &)
{
    return (long double)PgTextHeight(DeviceFont()) / FVertResolution;
}

void TPgPrinterCanvas::Polyline(const QList<QPointF> &inches)
{
    if (inches.size() < 2 || !Enter())
        return;
    QPolygonF points;
    for (const QPointF &p : inches)
        points << QPointF(X(p.x()), Y(p.y()));
    FPainter->setPen(DevicePen());
    FPainter->drawPolyline(points);
    Leave();
}

void TPgPrinterCanvas::StretchDraw(const TPgRectExt &inches, const TPgGraphic &image)
{
    if (!Enter())
        return;
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform);
    image.Draw(*FPainter, DeviceRect(inches).toRect());
    Leave();
}

void TPgPrinterCanvas::TextBox(const TPgRectExt &inches, TPgAlignment alignment, const QString &text,
                               bool wordWrap, TPgVertAlignment vertAlignment)
{
    if (!Enter())
        return;
    const QRectF rect = DeviceRect(inches);
    FPainter->setPen(DevicePen());
    FPainter->setBrush(DeviceBrush());
    FPainter->drawRect(rect);
    FPainter->setBrush(Qt::NoBrush);
    FPainter->setFont(DeviceFont());
    FPainter->setPen(Colour(FFont.Color));
    PgDrawTextBox(*FPainter, rect.toRect(), PgTextBoxFlags(alignment, vertAlignment, wordWrap, false), text);
    Leave();
}

void TPgPrinterCanvas::Shape(TPgShapeKind kind, const TPgRectExt &inches, const TPgPointSet &extra)
{
    if (!Enter())
        return;
    const QRectF rect = DeviceRect(inches);
    FPainter->setPen(DevicePen());
    FPainter->setBrush(DeviceBrush());
    // Start and end angles of arcs, chords and pies: where the rays from the
    // centre through the two points cross the ellipse.
    const auto angles = [&](int *start, int *span) {
        const qreal rx = qMax(rect.width() / 2, 1e-9);
        const qreal ry = qMax(rect.height() / 2, 1e-9);
        const auto angle = [&](const TPgPointExt &p) {
            return std::atan2(-(Y(p.Y) - rect.center().y()) / ry, (X(p.X) - rect.center().x()) / rx) * 180 / M_PI;
        };
        const double a = angle(extra.Points[0]);
        double b = angle(extra.Points[1]) - a;
        while (b <= 0)
            b += 360;
        *start = int(std::lround(a * 16));
        *span = int(std::lround(b * 16));
    };
    int start = 0;
    int span = 0;
    switch (kind) {
    case skEllipse: FPainter->drawEllipse(rect); break;
    case skRectangle: FPainter->drawRect(rect); break;
    case skFilledRectangle:
        if (FBrush.Style != bsClear)
            FPainter->fillRect(rect, DeviceBrush());
        break;
    case skFrame3D: {
        const qreal width = qMax<qreal>(1, FHorzResolution / 75.0);
        const QColor dark = Colour(0x888888);
        FPainter->fillRect(QRectF(rect.left(), rect.top(), rect.width(), width), Qt::white);
        FPainter->fillRect(QRectF(rect.left(), rect.top(), width, rect.height()), Qt::white);
        FPainter->fillRect(QRectF(rect.left(), rect.bottom() - width, rect.width(), width), dark);
        FPainter->fillRect(QRectF(rect.right() - width, rect.top(), width, rect.height()), dark);
        break;
    }
    case skRoundRect:
        FPainter->drawRoundedRect(rect, X(extra.Points[0].X) / 2, Y(extra.Points[0].Y) / 2, Qt::AbsoluteSize);
        break;
    case skArc:
        angles(&start, &span);
        FPainter->drawArc(rect, start, span);
        break;
    case skChord:
        angles(&start, &span);
        FPainter->drawChord(rect, start, span);
        break;
    case skPie:
        angles(&start, &span);
        FPainter->drawPie(rect, start, span);
        break;
    }
    Leave();
}

void TPgPrinterCanvas::DrawPicture(const QPicture &picture, const QSize &pictureSize)
{
    if (!Enter())
        return;
    // The page renders its picture at the horizontal resolution, one pixel per
    // device pixel of an unscaled cell.
    PgPlayPicture(*FPainter, picture, pictureSize, QRectF(QPointF(0, 0), QSizeF(pictureSize)));
    Leave();
}

QPainter *TPgPrinterCanvas::Painter()
{
    if (!FPainter)
        return nullptr;
    FPainter->setTransform(CellTransform());
    FPainter->setClipping(false);
    return FPainter;
}
