#pragma once

// A rectangle with rounded corners; the corner ellipse is CornerWidth by
// CornerHeight units.

#include "tpgsimpleshape.h"

class TPgRoundRectShape : public TPgSimpleShape
{
public:
    TPgRoundRectShape();

    qint32 CornerWidth() const { return FCornerWidth; }
    qint32 CornerHeight() const { return FCornerHeight; }
    void SetCorner(qint32 width, qint32 height);

    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override;
    void Assign(const TPgCustomBaseObject &source) override;
    bool LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context) override;
    bool LoadFromStream(QIODevice &stream, TPgStreamContext &context) override;
    bool SaveToStream(QIODevice &stream, TPgStreamContext &context) const override;

protected:
    void DrawShape(QPainter &painter, const QRect &rect, int resolution) const override;
    TPgShapeKind PrintKind() const override { return skRoundRect; }
    TPgPointSet PrintExtra() const override;

private:
    qint32 FCornerWidth = 0;
    qint32 FCornerHeight = 0;
};
