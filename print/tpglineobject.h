#pragma once

// A straight line from (X, Y) to (X2, Y2) drawn with the pen.

#include "tpgbaseobject.h"

class TPgLineObject : public TPgBaseObject
{
public:
    TPgLineObject();

    // An integer old files carry; kept, never written.
    qint32 Extra() const { return FExtra; }

    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override;
    void Assign(const TPgCustomBaseObject &source) override;
    void Draw(QPainter &painter, int resolution, const QRegion *pageClip) const override;
    void Print(TPgPrintTarget &printer, const QRegion *pageClip) const override;
    bool LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context) override;
    bool LoadFromStream(QIODevice &stream, TPgStreamContext &context) override;
    bool SaveToStream(QIODevice &stream, TPgStreamContext &context) const override;

private:
    qint32 FExtra = 0;
};
