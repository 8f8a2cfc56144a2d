#include "tpgpieshape.h"

#include <QPainter>

TPgPieShape::TPgPieShape()
    : TPgComplexShape(okPie)
{
}

std::unique_ptr<TPgCustomBaseObject> TPgPieShape::NewInstance() const
{
    return std::make_unique<TPgPieShape>();
}

void TPgPieShape::DrawShape(QPainter &painter, const QRect &rect, int resolution) const
{
    int start = 0;
    int span = 0;
    Angles(rect, resolution, &start, &span);
    painter.drawPie(rect, start, span);
}
