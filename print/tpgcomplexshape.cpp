#include "tpgcomplexshape.h"

#include "tpgattributelist.h"
#include "tpgextstream.h"
#include "tpgstreamcontext.h"

#include <cmath>

TPgComplexShape::TPgComplexShape(int kind)
    : TPgSimpleShape(kind)
{
}

void TPgComplexShape::SetRadials(qint32 x3, qint32 y3, qint32 x4, qint32 y4)
{
    FX3 = x3;
    FY3 = y3;
    FX4 = x4;
    FY4 = y4;
    Changed();
}

void TPgComplexShape::Offset(long double dxInches, long double dyInches)
{
    MovePoint(FX3, FY3, dxInches, dyInches);
    MovePoint(FX4, FY4, dxInches, dyInches);
    TPgSimpleShape::Offset(dxInches, dyInches);
}

void TPgComplexShape::Assign(const TPgCustomBaseObject &source)
{
    if (const auto *other = dynamic_cast<const TPgComplexShape *>(&source)) {
        FX3 = other->FX3;
        FY3 = other->FY3;
        FX4 = other->FX4;
        FY4 = other->FY4;
    }
    TPgSimpleShape::Assign(source);
}

void TPgComplexShape::Angles(const QRect &rect, int resolution, int *start, int *span) const
{
    const QRectF r = QRectF(rect).normalized();
    const double cx = r.center().x();
    const double cy = r.center().y();
    const double rx = qMax(r.width() / 2, 1e-9);
    const double ry = qMax(r.height() / 2, 1e-9);
    // Angles on the ellipse where the rays through the points cross it.
    const auto angle = [&](qint32 x, qint32 y) {
        const double dx = (Pixel(x, resolution) - cx) / rx;
        const double dy = (Pixel(y, resolution) - cy) / ry;
        return std::atan2(-dy, dx) * 180 / M_PI;
    };
    const double a = angle(FX3, FY3);
    double b = angle(FX4, FY4) - a;
    while (b <= 0)
        b += 360;
    *start = int(std::lround(a * 16));
    *span = int(std::lround(b * 16));
}

TPgPointSet TPgComplexShape::PrintExtra() const
{
    TPgPointSet extra;
    extra.Points[0] = {Inches(FX3), Inches(FY3)};
    extra.Points[1] = {Inches(FX4), Inches(FY4)};
    return extra;
}

bool TPgComplexShape::LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context)
{
    if (!TPgSimpleShape::LoadFromOldStream(stream, fileVersion, context))
        return false;
    TPgExtStream block;
    if (!ReadOldBlock(stream, context, block, "arco"))
        return false;
    FX3 = block.ReadInteger();
    FY3 = block.ReadInteger();
    FX4 = block.ReadInteger();
    FY4 = block.ReadInteger();
    return true;
}

bool TPgComplexShape::LoadFromStream(QIODevice &stream, TPgStreamContext &context)
{
    if (!TPgSimpleShape::LoadFromStream(stream, context))
        return false;
    TPgAttributeList list;
    const char *level = "arco";
    return ReadBlock(stream, context, list, level) && Take(list.GetInteger(0), FX3, context, level, 0) &&
           Take(list.GetInteger(1), FY3, context, level, 1) && Take(list.GetInteger(2), FX4, context, level, 2) &&
           Take(list.GetInteger(3), FY4, context, level, 3);
}

bool TPgComplexShape::SaveToStream(QIODevice &stream, TPgStreamContext &context) const
{
    if (!TPgSimpleShape::SaveToStream(stream, context))
        return false;
    TPgAttributeList list;
    list.AddInteger(FX3);
    list.AddInteger(FY3);
    list.AddInteger(FX4);
    list.AddInteger(FY4);
    return WriteBlock(stream, context, list);
}
