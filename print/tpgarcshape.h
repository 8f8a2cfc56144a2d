#pragma once

// An open arc of the ellipse, drawn with the pen only.

#include "tpgcomplexshape.h"

class TPgArcShape : public TPgComplexShape
{
public:
    TPgArcShape();
    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override;

protected:
    void DrawShape(QPainter &painter, const QRect &rect, int resolution) const override;
    TPgShapeKind PrintKind() const override { return skArc; }
};
