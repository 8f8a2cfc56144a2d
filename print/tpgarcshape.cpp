#include "tpgarcshape.h"

#include <QPainter>

TPgArcShape::TPgArcShape()
    : TPgComplexShape(okArc)
{
}

std::unique_ptr<TPgCustomBaseObject> TPgArcShape::NewInstance() const
{
    return std::make_unique<TPgArcShape>();
}

void TPgArcShape::DrawShape(QPainter &painter, const QRect &rect, int resolution) const
{
    int start = 0;
    int span = 0;
    Angles(rect, resolution, &start, &span);
    painter.drawArc(rect, start, span);
}
