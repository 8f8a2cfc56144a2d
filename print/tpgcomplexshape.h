#pragma once

// Base of the arc, chord and pie: the bounding rectangle plus a start point
// (X3, Y3) and an end point (X4, Y4); the curve runs counter-clockwise from the
// start ray to the end ray.

#include "tpgsimpleshape.h"

class TPgComplexShape : public TPgSimpleShape
{
public:
    qint32 X3() const { return FX3; }
    qint32 Y3() const { return FY3; }
    qint32 X4() const { return FX4; }
    qint32 Y4() const { return FY4; }
    void SetRadials(qint32 x3, qint32 y3, qint32 x4, qint32 y4);

    // The radial points move with the shape, or the curve would change.
    void Offset(long double dxInches, long double dyInches) override;
    void Assign(const TPgCustomBaseObject &source) override;
    bool LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context) override;
    bool LoadFromStream(QIODevice &stream, TPgStreamContext &context) override;
    bool SaveToStream(QIODevice &stream, TPgStreamContext &context) const override;

protected:
    explicit TPgComplexShape(int kind);
    // Start angle and span in sixteenths of a degree, counter-clockwise.
    void Angles(const QRect &rect, int resolution, int *start, int *span) const;
    TPgPointSet PrintExtra() const override;

private:
    qint32 FX3 = 0;
    qint32 FY3 = 0;
    qint32 FX4 = 0;
    qint32 FY4 = 0;
};
