#pragma once

// A rectangle: outlined and filled (style 0), filled only (1), or a
// three-dimensional frame, white top-left and grey bottom-right (2).

#include "tpgsimpleshape.h"

class TPgRectangleShape : public TPgSimpleShape
{
public:
    TPgRectangleShape();

    int RectStyle() const { return FRectStyle; }
    void SetRectStyle(int style);

    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override;
    void Assign(const TPgCustomBaseObject &source) override;

protected:
    void DrawShape(QPainter &painter, const QRect &rect, int resolution) const override;
    TPgShapeKind PrintKind() const override;
    bool OwnClip() const override { return false; }

private:
    int FRectStyle = 0;
};
