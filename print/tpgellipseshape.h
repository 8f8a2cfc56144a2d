#pragma once

// An ellipse inside (X, Y)–(X2, Y2).

#include "tpgsimpleshape.h"

class TPgEllipseShape : public TPgSimpleShape
{
public:
    TPgEllipseShape();
    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override;

protected:
    void DrawShape(QPainter &painter, const QRect &rect, int resolution) const override;
    TPgShapeKind PrintKind() const override { return skEllipse; }
};
