#pragma once

// An arc closed by its chord, filled with the brush.

#include "tpgcomplexshape.h"

class TPgChordShape : public TPgComplexShape
{
public:
    TPgChordShape();
    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override;

protected:
    void DrawShape(QPainter &painter, const QRect &rect, int resolution) const override;
    TPgShapeKind PrintKind() const override { return skChord; }
};
