#pragma once

// A placed page object: kind, corners in units (1/100 mm), visibility, its own
// clip rectangle, and the brush, font and pen it was stamped with.

#include "pgstyles.h"
#include "tpgcustombaseobject.h"
#include "tpgstreamcontext.h"

#include <QRect>

#include <optional>

class TPgAttributeList;
class TPgExtStream;

enum TPgObjectKind : int {
    okText = 1,
    okLine = 2,
    okEllipse = 3,
    okRectangle = 4,
    okRoundRect = 5,
    okTextBox = 6,
    okGraphic = 9,
    okArc = 10,
    okChord = 11,
    okPie = 12,
};

class TPgBaseObject : public TPgCustomBaseObject
{
public:
    explicit TPgBaseObject(int kind);

    int Kind() const { return FKind; }
    qint32 X() const { return FX; }
    qint32 Y() const { return FY; }
    qint32 X2() const { return FX2; }
    qint32 Y2() const { return FY2; }
    void SetX(qint32 value);
    void SetY(qint32 value);
    void SetX2(qint32 value);
    void SetY2(qint32 value);
    int PageNumber() const { return FPageNumber; }
    void SetPageNumber(int number) { FPageNumber = number; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool ClipEnabled() const { return FClipEnabled; }
    void SetClipEnabled(bool value);
    const TPgIntRect &ClipRect() const { return FClipRect; }
    void SetClipRect(const TPgIntRect &rect);
    const TPgBrush &Brush() const { return FBrush; }
    void SetBrush(const TPgBrush &brush);
    const TPgFont &Font() const { return FFont; }
    void SetFont(const TPgFont &font);
    const TPgPen &Pen() const { return FPen; }
    void SetPen(const TPgPen &pen);

    // Moves the object by inches (rounded to units).
    virtual void Offset(long double dxInches, long double dyInches);

    void Assign(const TPgCustomBaseObject &source) override;
    bool LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context) override;
    bool LoadFromStream(QIODevice &stream, TPgStreamContext &context) override;
    bool SaveToStream(QIODevice &stream, TPgStreamContext &context) const override;

protected:
    // Old files gate fields by the version that wrote them; versions are
    // decimals read as floats, so compare with a little slack.
    static bool FromVersion(long double fileVersion, long double gate);
    // Moves a point by inches, rounded to units.
    static void MovePoint(qint32 &x, qint32 &y, long double dxInches, long double dyInches);
    static long double Inches(qint64 units);
    static int Pixel(qint64 units, int resolution);
    QRect PixelRect(int resolution) const;
    TPgRectExt InchRect() const;
    // Selects the object's clip (its rectangle, intersected with the page's
    // region) when it has one and ownClip is set; otherwise the page's region.
    void SelectClip(QPainter &painter, int resolution, const QRegion *pageClip, bool ownClip) const;
    void SelectPrinterClip(TPgPrintTarget &printer, const QRegion *pageClip) const;

    // Reads the next attribute block of a class level.
    static bool ReadBlock(QIODevice &stream, TPgStreamContext &context, TPgAttributeList &list, const char *level);
    static bool ReadOldBlock(QIODevice &stream, TPgStreamContext &context, TPgExtStream &block, const char *level);
    // Takes a decoded item or records which item of which level was bad.
    template <typename T>
    static bool Take(const std::optional<T> &value, T &target, TPgStreamContext &context, const char *level, int item);
    static bool WriteBlock(QIODevice &stream, TPgStreamContext &context, TPgAttributeList &list);

    qint32 FX2 = 0;
    qint32 FY2 = 0;

private:
    int FKind;
    qint32 FX = 0;
    qint32 FY = 0;
    int FPageNumber = 0;
    bool FVisible = true;
    bool FClipEnabled = false;
    TPgIntRect FClipRect;
    TPgBrush FBrush;
    TPgFont FFont;
    TPgPen FPen;
};

template <typename T>
bool TPgBaseObject::Take(const std::optional<T> &value, T &target, TPgStreamContext &context, const char *level,
                         int item)
{
    if (!value)
        return context.Fail(QStringLiteral("%1: el valor %2 falta o no es válido").arg(QLatin1String(level)).arg(item));
    target = *value;
    return true;
}
