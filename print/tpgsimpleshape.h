#pragma once

// Base of the closed shapes: a bounding rectangle (X, Y)–(X2, Y2) outlined with
// the pen and filled with the brush.

#include "tpgbaseobject.h"
#include "tpgprinttarget.h"

class TPgSimpleShape : public TPgBaseObject
{
public:
    void Draw(QPainter &painter, int resolution, const QRegion *pageClip) const override;
    void Print(TPgPrintTarget &printer, const QRegion *pageClip) const override;
    bool LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context) override;
    bool LoadFromStream(QIODevice &stream, TPgStreamContext &context) override;
    bool SaveToStream(QIODevice &stream, TPgStreamContext &context) const override;

protected:
    explicit TPgSimpleShape(int kind);
    // Draws the shape into rect (pixels) with pen and brush already selected.
    virtual void DrawShape(QPainter &painter, const QRect &rect, int resolution) const = 0;
    // The shape the printer draws, and what it needs besides the rectangle.
    virtual TPgShapeKind PrintKind() const = 0;
    virtual TPgPointSet PrintExtra() const { return {}; }
    // Whether the shape selects its own clip (rectangles do not).
    virtual bool OwnClip() const { return true; }
};
