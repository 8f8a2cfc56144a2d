#include "tpgroundrectshape.h"

#include "tpgattributelist.h"
#include "tpgextstream.h"
#include "tpgstreamcontext.h"

#include <QPainter>

TPgRoundRectShape::TPgRoundRectShape()
    : TPgSimpleShape(okRoundRect)
{
}

void TPgRoundRectShape::SetCorner(qint32 width, qint32 height)
{
    FCornerWidth = width;
    FCornerHeight = height;
    Changed();
}

std::unique_ptr<TPgCustomBaseObject> TPgRoundRectShape::NewInstance() const
{
    return std::make_unique<TPgRoundRectShape>();
}

void TPgRoundRectShape::Assign(const TPgCustomBaseObject &source)
{
    if (const auto *other = dynamic_cast<const TPgRoundRectShape *>(&source)) {
        FCornerWidth = other->FCornerWidth;
        FCornerHeight = other->FCornerHeight;
    }
    TPgSimpleShape::Assign(source);
}

void TPgRoundRectShape::DrawShape(QPainter &painter, const QRect &rect, int resolution) const
{
    painter.drawRoundedRect(rect, Pixel(FCornerWidth, resolution) / 2.0, Pixel(FCornerHeight, resolution) / 2.0,
                            Qt::AbsoluteSize);
}

TPgPointSet TPgRoundRectShape::PrintExtra() const
{
    TPgPointSet extra;
    extra.Points[0] = {Inches(FCornerWidth), Inches(FCornerHeight)};
    return extra;
}

bool TPgRoundRectShape::LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context)
{
    if (!TPgSimpleShape::LoadFromOldStream(stream, fileVersion, context))
        return false;
    TPgExtStream block;
    if (!ReadOldBlock(stream, context, block, "rectángulo redondeado"))
        return false;
    FCornerWidth = block.ReadInteger();
    FCornerHeight = block.ReadInteger();
    return true;
}

bool TPgRoundRectShape::LoadFromStream(QIODevice &stream, TPgStreamContext &context)
{
    if (!TPgSimpleShape::LoadFromStream(stream, context))
        return false;
    TPgAttributeList list;
    const char *level = "rectángulo redondeado";
    return ReadBlock(stream, context, list, level) && Take(list.GetInteger(0), FCornerWidth, context, level, 0) &&
           Take(list.GetInteger(1), FCornerHeight, context, level, 1);
}

bool TPgRoundRectShape::SaveToStream(QIODevice &stream, TPgStreamContext &context) const
{
    if (!TPgSimpleShape::SaveToStream(stream, context))
        return false;
    TPgAttributeList list;
    list.AddInteger(FCornerWidth);
    list.AddInteger(FCornerHeight);
    return WriteBlock(stream, context, list);
}
