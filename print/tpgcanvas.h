#pragma once

// The drawing surface callers fill pages through. It paints nothing itself: each
// drawing call creates a page object in units, stamps it with the canvas's pen,
// brush, font, clip and origin, and adds it to the current page. It also
// measures text and images (at the metafile resolution) so that callers can lay
// out before they draw. Measuring results live in one scratch size that the next
// measuring call overwrites: read them at once.

#include "pgstyles.h"
#include "tpgvaluesize.h"

#include <memory>

class TPgBaseObject;
class TPgGraphic;
class TPgGraphicTable;
class TPgPage;
class TPgTokenSource;

class TPgCanvas
{
public:
    // owner answers the text tokens of the text objects (may be null).
    explicit TPgCanvas(const TPgTokenSource *owner = nullptr);
    ~TPgCanvas();
    TPgCanvas(const TPgCanvas &) = delete;
    TPgCanvas &operator=(const TPgCanvas &) = delete;

    // The canvas's own font, brush and pen; callers change them in place.
    TPgFont &GetFont() { return FFont; }
    TPgBrush &GetBrush() { return FBrush; }
    TPgPen &GetPen() { return FPen; }
    // Sets size, colour and style; the face name only when name is not empty.
    void SetFontValues(const QString &name, int size, TPgFontStyles style, TColor colour);

    // Measuring (results in the scratch size).
    TPgValue &TextWidth(const QString &text);
    // The line height of the text in the current font.
    TPgValue &TextHeight(const QString &text);
    TPgValueSize &TextExtent(const QString &text);
    // The height text needs word-wrapped to widthUnits.
    TPgValue &TextBoxHeight(qint32 widthUnits, const QString &text);
    // Pixel size of the image taken at 96 pixels per inch.
    TPgValue &GraphicWidth(const TPgGraphic &image);
    TPgValue &GraphicHeight(const TPgGraphic &image);
    TPgValueSize &ImageSize(const TPgGraphic &image);

    // Drawing (each adds one object to the current page).
    // Adds a text box; y2 == 0 makes it as high as the wrapped text. Returns its
    // height in m.
    long double TextBoxExt(long double x, long double y, long double x2, long double y2, const QString &text,
                           TPgAlignment alignment, TPgVertAlignment vertAlignment, TPgMeasurement m);
    // Adds a graphic object at (x, y) in the canvas measurement, the image's size
    // at 96 pixels per inch times scale. Nothing for a null image.
    void Draw(long double x, long double y, const std::shared_ptr<TPgGraphic> &image, long double scale);
    // Adds an outlined, filled rectangle; corners in the canvas measurement.
    void Rectangle(long double x, long double y, long double x2, long double y2);
    // Adds an object made elsewhere, stamped with page number, clip and origin.
    void AddObject(std::unique_ptr<TPgBaseObject> object, bool inFront = false);

    void SetOrigin(long double xInches, long double yInches);
    long double OriginX() const { return FOriginX; }
    long double OriginY() const { return FOriginY; }
    bool ClipEnabled() const { return FClipEnabled; }
    void SetClipEnabled(bool value) { FClipEnabled = value; }
    const TPgIntRect &ClipRect() const { return FClipRect; }
    void SetClipRect(const TPgIntRect &rect) { FClipRect = rect; }
    int CopyMode() const { return FCopyMode; }
    void SetCopyMode(int mode) { FCopyMode = mode; }
    TPgMeasurement Measurement() const { return FMeasurement; }
    void SetMeasurement(TPgMeasurement m) { FMeasurement = m; }

    // The page drawing calls add to (set by the preview); null adds nothing.
    TPgPage *CurrentPage() const { return FCurrentPage; }
    void SetCurrentPage(TPgPage *page) { FCurrentPage = page; }
    TPgBaseObject *LastObject() const { return FLastObject; }
    TPgGraphicTable &GraphicTable() { return *FGraphics; }
    const TPgTokenSource *Owner() const { return FOwner; }

    TNotifyEvent OnChange;

private:
    void Stamp(TPgBaseObject &object) const;
    qint32 ToUnits(long double value, TPgMeasurement m) const;
    TPgValueSize &Scratch();

    TPgFont FFont;
    TPgBrush FBrush;
    TPgPen FPen;
    bool FClipEnabled = false;
    TPgIntRect FClipRect;
    int FCopyMode;
    TPgMeasurement FMeasurement = gmMillimeters;
    long double FOriginX = 0;
    long double FOriginY = 0;
    TPgBaseObject *FLastObject = nullptr;
    TPgPage *FCurrentPage = nullptr;
    const TPgTokenSource *FOwner = nullptr;
    std::unique_ptr<TPgValueSize> FScratch;
    std::unique_ptr<TPgGraphicTable> FGraphics;
};
