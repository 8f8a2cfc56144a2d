#include "tpglineobject.h"

#include "pgstream.h"
#include "tpgattributelist.h"
#include "tpgextstream.h"
#include "tpgprinttarget.h"
#include "tpgstreamcontext.h"

#include <QPainter>

TPgLineObject::TPgLineObject()
    : TPgBaseObject(okLine)
{
}

std::unique_ptr<TPgCustomBaseObject> TPgLineObject::NewInstance() const
{
    return std::make_unique<TPgLineObject>();
}

void TPgLineObject::Assign(const TPgCustomBaseObject &source)
{
    if (const auto *other = dynamic_cast<const TPgLineObject *>(&source))
        FExtra = other->FExtra;
    TPgBaseObject::Assign(source);
}

void TPgLineObject::Draw(QPainter &painter, int resolution, const QRegion *pageClip) const
{
    painter.save();
    SelectClip(painter, resolution, pageClip, false);
    painter.setPen(CreateDevicePen(Pen(), resolution));
    painter.drawLine(QPoint(Pixel(X(), resolution), Pixel(Y(), resolution)),
                     QPoint(Pixel(X2(), resolution), Pixel(Y2(), resolution)));
    painter.restore();
}

void TPgLineObject::Print(TPgPrintTarget &printer, const QRegion *pageClip) const
{
    if (!Visible())
        return;
    SelectPrinterClip(printer, pageClip);
    printer.SetPen(Pen());
    printer.SetBrush(Brush());
    printer.Polyline({QPointF(double(Inches(X())), double(Inches(Y()))),
                      QPointF(double(Inches(X2())), double(Inches(Y2())))});
}

bool TPgLineObject::LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context)
{
    if (!TPgBaseObject::LoadFromOldStream(stream, fileVersion, context))
        return false;
    TPgExtStream block;
    const char *level = "línea";
    if (!ReadOldBlock(stream, context, block, level))
        return false;
    TPgPen pen;
    if (!Take(ReadPenBlock(block), pen, context, level, 0))
        return false;
    SetPen(pen);
    FX2 = block.ReadInteger();
    FY2 = block.ReadInteger();
    FExtra = block.ReadInteger();
    return true;
}

bool TPgLineObject::LoadFromStream(QIODevice &stream, TPgStreamContext &context)
{
    if (!TPgBaseObject::LoadFromStream(stream, context))
        return false;
    TPgAttributeList list;
    const char *level = "línea";
    if (!ReadBlock(stream, context, list, level))
        return false;
    TPgPen pen;
    if (!Take(list.GetInteger(0), FX2, context, level, 0) || !Take(list.GetInteger(1), FY2, context, level, 1) ||
        !Take(list.GetPen(2), pen, context, level, 2))
        return false;
    SetPen(pen);
    return true;
}

bool TPgLineObject::SaveToStream(QIODevice &stream, TPgStreamContext &context) const
{
    if (!TPgBaseObject::SaveToStream(stream, context))
        return false;
    TPgAttributeList list;
    list.AddInteger(FX2);
    list.AddInteger(FY2);
    list.AddPen(Pen());
    return WriteBlock(stream, context, list);
}
