#include "tpgbaseobject.h"

#include "tpgattributelist.h"
#include "tpgextstream.h"
#include "tpgprinttarget.h"
#include "tpgstreamcontext.h"

#include <QIODevice>
#include <QPainter>
#include <QRegion>

TPgBaseObject::TPgBaseObject(int kind)
    : FKind(kind)
{
}

void TPgBaseObject::SetX(qint32 value)
{
    FX = value;
    Changed();
}

void TPgBaseObject::SetY(qint32 value)
{
    FY = value;
    Changed();
}

void TPgBaseObject::SetX2(qint32 value)
{
    FX2 = value;
    Changed();
}

void TPgBaseObject::SetY2(qint32 value)
{
    FY2 = value;
    Changed();
}

void TPgBaseObject::SetVisible(bool value)
{
    FVisible = value;
    Changed();
}

void TPgBaseObject::SetClipEnabled(bool value)
{
    FClipEnabled = value;
    Changed();
}

void TPgBaseObject::SetClipRect(const TPgIntRect &rect)
{
    FClipRect = rect;
    Changed();
}

void TPgBaseObject::SetBrush(const TPgBrush &brush)
{
    FBrush = brush;
    Changed();
}

void TPgBaseObject::SetFont(const TPgFont &font)
{
    FFont = font;
    Changed();
}

void TPgBaseObject::SetPen(const TPgPen &pen)
{
    FPen = pen;
    Changed();
}

void TPgBaseObject::Offset(long double dxInches, long double dyInches)
{
    MovePoint(FX, FY, dxInches, dyInches);
    MovePoint(FX2, FY2, dxInches, dyInches);
    Changed();
}

void TPgBaseObject::MovePoint(qint32 &x, qint32 &y, long double dxInches, long double dyInches)
{
    x = PgClampToInt32(x + PgRound(ConvertValue(gmInches, gmUnits, dxInches)));
    y = PgClampToInt32(y + PgRound(ConvertValue(gmInches, gmUnits, dyInches)));
}

void TPgBaseObject::Assign(const TPgCustomBaseObject &source)
{
    if (const auto *other = dynamic_cast<const TPgBaseObject *>(&source)) {
        FKind = other->FKind;
        FX = other->FX;
        FY = other->FY;
        FX2 = other->FX2;
        FY2 = other->FY2;
        FVisible = other->FVisible;
        FClipEnabled = other->FClipEnabled;
        FClipRect = other->FClipRect;
        FBrush = other->FBrush;
        FFont = other->FFont;
        FPen = other->FPen;
    }
    Changed();
}

bool TPgBaseObject::LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context)
{
    TPgExtStream block;
    if (!ReadOldBlock(stream, context, block, "objeto"))
        return false;
    FX = block.ReadInteger();
    FY = block.ReadInteger();
    if (FromVersion(fileVersion, 2.6L)) {
        FVisible = block.ReadBoolean();
        FClipEnabled = block.ReadBoolean();
        if (FClipEnabled)
            FClipRect = block.ReadRect();
    }
    return true;
}

bool TPgBaseObject::LoadFromStream(QIODevice &stream, TPgStreamContext &context)
{
    TPgAttributeList list;
    const char *level = "objeto";
    if (!ReadBlock(stream, context, list, level))
        return false;
    qint32 kind = 0;
    if (!Take(list.GetInteger(0), kind, context, level, 0) || !Take(list.GetInteger(1), FX, context, level, 1) ||
        !Take(list.GetInteger(2), FY, context, level, 2) || !Take(list.GetBoolean(3), FVisible, context, level, 3) ||
        !Take(list.GetBoolean(4), FClipEnabled, context, level, 4))
        return false;
    if (kind != FKind)
        return context.Fail(QStringLiteral("objeto: clase %1 leída donde se esperaba %2").arg(kind).arg(FKind));
    if (FClipEnabled && !Take(list.GetRect(5), FClipRect, context, level, 5))
        return false;
    return true;
}

bool TPgBaseObject::SaveToStream(QIODevice &stream, TPgStreamContext &context) const
{
    TPgAttributeList list;
    list.Add(QStringLiteral("%1").arg(FKind, 4, 10, QLatin1Char('0')));
    list.AddInteger(FX);
    list.AddInteger(FY);
    list.AddBoolean(FVisible);
    list.AddBoolean(FClipEnabled);
    if (FClipEnabled)
        list.AddRect(FClipRect);
    return WriteBlock(stream, context, list);
}

bool TPgBaseObject::FromVersion(long double fileVersion, long double gate)
{
    return fileVersion >= gate - 1e-9L;
}

long double TPgBaseObject::Inches(qint64 units)
{
    return ConvertValue(gmUnits, gmInches, units);
}

int TPgBaseObject::Pixel(qint64 units, int resolution)
{
    return int(PgBound(-(1LL << 30), PgUnitsToPixels(units, resolution), 1LL << 30));
}

QRect TPgBaseObject::PixelRect(int resolution) const
{
    const int x = Pixel(FX, resolution);
    const int y = Pixel(FY, resolution);
    return QRect(x, y, Pixel(FX2, resolution) - x, Pixel(FY2, resolution) - y);
}

TPgRectExt TPgBaseObject::InchRect() const
{
    return {Inches(FX), Inches(FY), Inches(FX2), Inches(FY2)};
}

void TPgBaseObject::SelectClip(QPainter &painter, int resolution, const QRegion *pageClip, bool ownClip) const
{
    if (ownClip && FClipEnabled) {
        const int left = Pixel(FClipRect.Left, resolution);
        const int top = Pixel(FClipRect.Top, resolution);
        QRegion region(left, top, Pixel(FClipRect.Right, resolution) - left,
                       Pixel(FClipRect.Bottom, resolution) - top);
        if (pageClip)
            region &= *pageClip;
        painter.setClipRegion(region);
    } else if (pageClip) {
        painter.setClipRegion(*pageClip);
    } else {
        painter.setClipping(false);
    }
}

void TPgBaseObject::SelectPrinterClip(TPgPrintTarget &printer, const QRegion *pageClip) const
{
    if (FClipEnabled) {
        QRegion region = printer.ClipRegion(
            {Inches(FClipRect.Left), Inches(FClipRect.Top), Inches(FClipRect.Right), Inches(FClipRect.Bottom)});
        if (pageClip)
            region &= *pageClip;
        printer.SetClipRegion(&region);
    } else {
        printer.SetClipRegion(pageClip);
    }
}

bool TPgBaseObject::ReadBlock(QIODevice &stream, TPgStreamContext &context, TPgAttributeList &list,
                              const char *level)
{
    QString error;
    if (!list.LoadFromStream(stream, &error))
        return context.Fail(QStringLiteral("%1: %2").arg(QLatin1String(level), error));
    return true;
}

bool TPgBaseObject::ReadOldBlock(QIODevice &stream, TPgStreamContext &context, TPgExtStream &block,
                                 const char *level)
{
    QString error;
    if (!block.LoadBlock(stream, &error))
        return context.Fail(QStringLiteral("%1: %2").arg(QLatin1String(level), error));
    return true;
}

bool TPgBaseObject::WriteBlock(QIODevice &stream, TPgStreamContext &context, TPgAttributeList &list)
{
    if (!list.SaveToStream(stream))
        return context.Fail(QStringLiteral("no se pudo escribir: %1").arg(stream.errorString()));
    return true;
}
