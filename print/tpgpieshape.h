#pragma once

// A pie slice, the arc closed through the centre, filled with the brush.

#include "tpgcomplexshape.h"

class TPgPieShape : public TPgComplexShape
{
public:
    TPgPieShape();
    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override;

protected:
    void DrawShape(QPainter &painter, const QRect &rect, int resolution) const override;
    TPgShapeKind PrintKind() const override { return skPie; }
};
