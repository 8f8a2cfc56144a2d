#pragma once

// A header or footer band: three captions (left, centre, right), a line, and a
// height taken from the largest caption font. The preview owns one header and
// one footer; every page draws them with its own number.

#include "pgstyles.h"
#include "tpgheaderfootercaption.h"
#include "tpgvalue.h"

#include <functional>

class QPainter;
class QRegion;
class TPgMargins;
class TPgPrintTarget;
class TPgTokenSource;

class TPgHeaderFooter
{
public:
    enum TKind { hfHeader = 0, hfFooter = 1 };
    // Lets the owner change the measured band height (kind: header 0, footer 1).
    using THeightEvent = std::function<void(TPgHeaderFooter *sender, int kind, TPgValue &height)>;

    TPgHeaderFooter();
    virtual ~TPgHeaderFooter() = default;
    TPgHeaderFooter(const TPgHeaderFooter &) = delete;
    TPgHeaderFooter &operator=(const TPgHeaderFooter &) = delete;

    virtual TKind Kind() const = 0;
    virtual void Assign(const TPgHeaderFooter &other);
    // Draws the band of page pageNumber at resolution; nothing unless Visible.
    virtual void Draw(QPainter &painter, int resolution, const QRegion *clip, int pageNumber) = 0;
    virtual void Print(TPgPrintTarget &printer, int pageNumber) = 0;

    // Index 0 left, 1 centre, 2 right (others are taken as right).
    TPgHeaderFooterCaption &GetIndexCaption(int index);
    const TPgHeaderFooterCaption &GetIndexCaption(int index) const;
    void SetIndexCaption(int index, const TPgHeaderFooterCaption &caption);
    TPgHeaderFooterCaption &CaptionLeft() { return FCaptions[0]; }
    TPgHeaderFooterCaption &CaptionCenter() { return FCaptions[1]; }
    TPgHeaderFooterCaption &CaptionRight() { return FCaptions[2]; }

    // The size (inches) of the page about to be drawn; set by the page.
    void SetPageSize(long double heightInches, long double widthInches);
    long double PageHeight() const { return FPageHeight; }
    long double PageWidth() const { return FPageWidth; }

    const TPgPen &Pen() const { return FPen; }
    void SetPen(const TPgPen &pen);
    bool ShowLine() const { return FShowLine; }
    void SetShowLine(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);

    TPgMargins *Margins() const { return FMargins; }
    void SetMargins(TPgMargins *margins) { FMargins = margins; }
    const TPgTokenSource *Owner() const { return FOwner; }
    void SetOwner(const TPgTokenSource *owner) { FOwner = owner; }

    // The band height, measured now: 0 when not visible, otherwise the height of
    // one space in the largest caption font at the metafile resolution, then
    // handed to OnGetHeight.
    TPgValue &GetHeight();

    TNotifyEvent OnChange;
    THeightEvent OnGetHeight;

protected:
    // Draws the captions and the line; the line and the text edge lie on anchorY
    // (pixels): texts above it (header) or below it (footer).
    void DrawBand(QPainter &painter, int resolution, const QRegion *clip, int pageNumber,
                  qint64 anchorY, bool textAbove);
    // The same on paper; anchorPixels is in the printer's vertical pixels.
    void PrintBand(TPgPrintTarget &printer, int pageNumber, qint64 anchorPixels, bool textAbove);
    QString CaptionText(int index, int pageNumber) const;
    // Margin lengths in pixels at a resolution (0 without margins).
    qint64 MarginPixels(int side, int resolution) const;
    void Changed();

private:
    TPgHeaderFooterCaption FCaptions[3];
    long double FPageHeight = 0;
    long double FPageWidth = 0;
    TPgPen FPen;
    TPgMargins *FMargins = nullptr;
    const TPgTokenSource *FOwner = nullptr;
    bool FShowLine = true;
    TPgValue FHeight;
    bool FVisible = false;
};
