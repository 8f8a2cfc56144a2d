#include "tpgsimpleshape.h"

#include "pgstream.h"
#include "tpgattributelist.h"
#include "tpgextstream.h"
#include "tpgstreamcontext.h"

#include <QPainter>

TPgSimpleShape::TPgSimpleShape(int kind)
    : TPgBaseObject(kind)
{
}

void TPgSimpleShape::Draw(QPainter &painter, int resolution, const QRegion *pageClip) const
{
    painter.save();
    SelectClip(painter, resolution, pageClip, OwnClip());
    painter.setPen(CreateDevicePen(Pen(), resolution));
    painter.setBrush(PgToQBrush(Brush()));
    DrawShape(painter, PixelRect(resolution), resolution);
    painter.restore();
}

void TPgSimpleShape::Print(TPgPrintTarget &printer, const QRegion *pageClip) const
{
    if (!Visible())
        return;
    SelectPrinterClip(printer, pageClip);
    printer.SetPen(Pen());
    printer.SetBrush(Brush());
    printer.Shape(PrintKind(), InchRect(), PrintExtra());
}

bool TPgSimpleShape::LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context)
{
    if (!TPgBaseObject::LoadFromOldStream(stream, fileVersion, context))
        return false;
    TPgExtStream block;
    const char *level = "figura";
    if (!ReadOldBlock(stream, context, block, level))
        return false;
    TPgBrush brush;
    TPgPen pen;
    if (!Take(ReadBrushBlock(block), brush, context, level, 0) || !Take(ReadPenBlock(block), pen, context, level, 1))
        return false;
    SetBrush(brush);
    SetPen(pen);
    FX2 = block.ReadInteger();
    FY2 = block.ReadInteger();
    return true;
}

bool TPgSimpleShape::LoadFromStream(QIODevice &stream, TPgStreamContext &context)
{
    if (!TPgBaseObject::LoadFromStream(stream, context))
        return false;
    TPgAttributeList list;
    const char *level = "figura";
    if (!ReadBlock(stream, context, list, level))
        return false;
    TPgBrush brush;
    TPgPen pen;
    if (!Take(list.GetInteger(0), FX2, context, level, 0) || !Take(list.GetInteger(1), FY2, context, level, 1) ||
        !Take(list.GetBrush(2), brush, context, level, 2) || !Take(list.GetPen(3), pen, context, level, 3))
        return false;
    SetBrush(brush);
    SetPen(pen);
    return true;
}

bool TPgSimpleShape::SaveToStream(QIODevice &stream, TPgStreamContext &context) const
{
    if (!TPgBaseObject::SaveToStream(stream, context))
        return false;
    TPgAttributeList list;
    list.AddInteger(FX2);
    list.AddInteger(FY2);
    list.AddBrush(Brush());
    list.AddPen(Pen());
    return WriteBlock(stream, context, list);
}
