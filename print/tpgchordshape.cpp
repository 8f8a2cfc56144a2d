#include "tpgchordshape.h"

#include <QPainter>

TPgChordShape::TPgChordShape()
    : TPgComplexShape(okChord)
{
}

std::unique_ptr<TPgCustomBaseObject> TPgChordShape::NewInstance() const
{
    return std::make_unique<TPgChordShape>();
}

void TPgChordShape::DrawShape(QPainter &painter, const QRect &rect, int resolution) const
{
    int start = 0;
    int span = 0;
    Angles(rect, resolution, &start, &span);
    painter.drawChord(rect, start, span);
}
