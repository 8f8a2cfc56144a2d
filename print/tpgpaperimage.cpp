#include "tpgpaperimage.h"

#include "pgstyles.h"
#include "tpgmargins.h"
#include "tpgpage.h"
#include "tpgpagegrid.h"
#include "tpgshadow.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

QPen ScreenPen(const TPgPen &pen)
{
    static const Qt::PenStyle styles[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};
    return QPen(PgToQColor(pen.Color), 1, styles[qMin<int>(pen.Style, psInsideFrame)]);
}

} // namespace

TPgPaperImage::TPgPaperImage(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TPgPaperImage::SetPage(TPgPage *page, int zoom, TPgPaperSize paperSize)
{
    FPage = page;
    FZoom = zoom;
    FPaperSize = paperSize;
    FCache = QImage();
    update();
}

void TPgPaperImage::SetPaintingEnabled(bool enabled)
{
    if (enabled == FPaintingEnabled)
        return;
    FPaintingEnabled = enabled;
    update();
}

void TPgPaperImage::SetGutter(int gutter)
{
    FGutter = qMax(0, gutter);
    update();
}

void TPgPaperImage::SetDecorations(TPgPageGrid *grid, TPgMargins *margins, TPgShadow *shadow)
{
    FGrid = grid;
    FMargins = margins;
    FShadow = shadow;
}

int TPgPaperImage::ZoomPixels(long double inches, int zoom)
{
    return int(PgBound(0, PgRound((long double)zoom / 100 * (inches * 96)), 1 << 20));
}

QRect TPgPaperImage::PageRect() const
{
    TPgSizeExt inches = PaperSizeDimensions(FPaperSize);
    if (FPage)
        inches = {FPage->Height().GetAsInches(), FPage->Width().GetAsInches()};
    return QRect(FGutter, FGutter, ZoomPixels(inches.Width, FZoom), ZoomPixels(inches.Height, FZoom));
}

bool TPgPaperImage::ToPageInches(QPoint pos, long double *x, long double *y) const
{
    const QRect page = PageRect();
    if (pos.x() <= FGutter || pos.y() <= FGutter || pos.x() >= page.left() + page.width() ||
        pos.y() >= page.top() + page.height())
        return false;
    const long double scale = (long double)FZoom / 100;
    *x = ((pos.x() - FGutter) / scale) / 96;
    *y = ((pos.y() - FGutter) / scale) / 96;
    return true;
}

void TPgPaperImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect page = PageRect();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    if (FPage && FPaintingEnabled) {
        PaintGrid(painter, page);
        // Playing a page picture costs; keep one painted copy at this zoom.
        if (FCache.size() != page.size()) {
            FCache = QImage(page.size(), QImage::Format_ARGB32_Premultiplied);
            FCache.fill(Qt::transparent);
            QPainter cache(&FCache);
            cache.setRenderHint(QPainter::Antialiasing);
            cache.setRenderHint(QPainter::TextAntialiasing);
            cache.setRenderHint(QPainter::SmoothPixmapTransform);
            FPage->Play(cache, QRectF(0, 0, page.width(), page.height()));
        }
        painter.drawImage(page.topLeft(), FCache);
    }
    if (FShadow && FShadow->Visible()) {
        const QColor colour = PgToQColor(FShadow->Color());
        const int width = FShadow->Width();
        painter.fillRect(QRect(page.left() + page.width() + 1, page.top() + width, width, page.height() + 1), colour);
        painter.fillRect(QRect(page.left() + width, page.top() + page.height() + 1, page.width() + 1, width), colour);
    }
    if (FMargins && FMargins->Visible()) {
        const TPgRectExt m = FMargins->MarginsInches();
        PaintMarginLines(painter, page, m.Left, m.Top, m.Right, m.Bottom, ScreenPen(FMargins->Pen()));
    }
    if (FMargins && FMargins->ShowPrinterMargins()) {
        const TPgValueRect &m = FMargins->GetPrinterMargins();
        PaintMarginLines(painter, page, m.Left.GetAsInches(), m.Top.GetAsInches(), m.Right.GetAsInches(),
                         m.Bottom.GetAsInches(), ScreenPen(FMargins->PrinterMarginPen()));
    }
}

void TPgPaperImage::PaintGrid(QPainter &painter, const QRect &page)
{
    if (!FGrid || FGrid->GridStyle() == gmNoGrid)
        return;
    const long double spacing = (long double)FZoom / 100 * FGrid->Spacing().GetAsInches() * 96;
    if (spacing < 2)
        return;
    painter.save();
    painter.setPen(QPen(PgToQColor(FGrid->GridColor()), 1));
    const int columns = int(page.width() / spacing);
    const int rows = int(page.height() / spacing);
    for (int c = 0; c <= columns; ++c) {
        const int x = page.left() + int(PgRound(c * spacing));
        if (FGrid->GridStyle() == gmLines) {
            painter.drawLine(x, page.top(), x, page.top() + page.height());
            continue;
        }
        for (int r = 0; r <= rows; ++r)
            painter.drawPoint(x, page.top() + int(PgRound(r * spacing)));
    }
    if (FGrid->GridStyle() == gmLines) {
        for (int r = 0; r <= rows; ++r) {
            const int y = page.top() + int(PgRound(r * spacing));
            painter.drawLine(page.left(), y, page.left() + page.width(), y);
        }
    }
    painter.restore();
}

void TPgPaperImage::PaintMarginLines(QPainter &painter, const QRect &page, long double left, long double top,
                                     long double right, long double bottom, const QPen &pen)
{
    if (pen.style() == Qt::NoPen)
        return;
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const int x1 = page.left() + ZoomPixels(left, FZoom);
    const int y1 = page.top() + ZoomPixels(top, FZoom);
    const int x2 = page.left() + page.width() - ZoomPixels(right, FZoom) - 1;
    const int y2 = page.top() + page.height() - ZoomPixels(bottom, FZoom) - 1;
    painter.drawRect(QRect(QPoint(x1, y1), QPoint(x2, y2)));
    painter.restore();
}

void TPgPaperImage::mousePressEvent(QMouseEvent *event)
{
    if (OnMouse)
        OnMouse(mkDown, event);
}

void TPgPaperImage::mouseMoveEvent(QMouseEvent *event)
{
    if (OnMouse)
        OnMouse(mkMove, event);
}

void TPgPaperImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (OnMouse)
        OnMouse(mkUp, event);
}
