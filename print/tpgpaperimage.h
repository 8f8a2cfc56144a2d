#pragma once

// The paper the preview shows: one page at a zoom inside a gutter, with its
// grid, shadow and margin lines. It paints pages, never content: the page's
// recorded picture is played into the paper rectangle. Mouse events go to the
// preview through the callbacks.

#include "pgtypes.h"

#include <QImage>
#include <QWidget>

#include <functional>

class TPgMargins;
class TPgPage;
class TPgPageGrid;
class TPgShadow;

class TPgPaperImage : public QWidget
{
public:
    enum TMouseKind { mkDown, mkMove, mkUp };
    using TMouseEvent = std::function<void(TMouseKind kind, QMouseEvent *event)>;

    explicit TPgPaperImage(QWidget *parent = nullptr);

    // Shows page (not owned; null for none) at zoom percent. Any call drops the
    // painted copy of the page, so call it again after the page changed.
    void SetPage(TPgPage *page, int zoom, TPgPaperSize paperSize);
    TPgPage *Page() const { return FPage; }
    int Zoom() const { return FZoom; }
    TPgPaperSize PaperSize() const { return FPaperSize; }
    void SetPaintingEnabled(bool enabled);
    bool PaintingEnabled() const { return FPaintingEnabled; }
    void SetGutter(int gutter);
    int Gutter() const { return FGutter; }
    void SetDecorations(TPgPageGrid *grid, TPgMargins *margins, TPgShadow *shadow);

    // Paper pixels of a length at the zoom: 96 per inch times zoom / 100.
    static int ZoomPixels(long double inches, int zoom);
    // The paper rectangle inside the gutter.
    QRect PageRect() const;
    // A point strictly inside the paper rectangle in page inches; false outside.
    bool ToPageInches(QPoint pos, long double *x, long double *y) const;

    TMouseEvent OnMouse;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void PaintGrid(QPainter &painter, const QRect &page);
    void PaintMarginLines(QPainter &painter, const QRect &page, long double left, long double top,
                          long double right, long double bottom, const QPen &pen);

    TPgPage *FPage = nullptr;
    int FZoom = 20;
    TPgPaperSize FPaperSize = TPgPaperSize::A4;
    bool FPaintingEnabled = true;
    int FGutter = 30;
    TPgPageGrid *FGrid = nullptr;
    TPgMargins *FMargins = nullptr;
    TPgShadow *FShadow = nullptr;
    QImage FCache;
};
