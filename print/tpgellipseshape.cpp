#include "tpgellipseshape.h"

#include <QPainter>

TPgEllipseShape::TPgEllipseShape()
    : TPgSimpleShape(okEllipse)
{
}

std::unique_ptr<TPgCustomBaseObject> TPgEllipseShape::NewInstance() const
{
    return std::make_unique<TPgEllipseShape>();
}

void TPgEllipseShape::DrawShape(QPainter &painter, const QRect &rect, int) const
{
    painter.drawEllipse(rect);
}
