#pragma once

// Text laid into the rectangle (X, Y)–(X2, Y2): framed with the pen, filled with
// the brush, aligned both ways, word-wrapped unless it is centred or bottom
// aligned (those boxes hold one line). Its text is drawn as stored.

#include "tpgtextobject.h"

class TPgTextBoxObject : public TPgTextObject
{
public:
    TPgTextBoxObject();

    TPgVertAlignment VertAlignment() const { return FVertAlignment; }
    void SetVertAlignment(TPgVertAlignment alignment);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override;
    void Assign(const TPgCustomBaseObject &source) override;
    void Draw(QPainter &painter, int resolution, const QRegion *pageClip) const override;
    void Print(TPgPrintTarget &printer, const QRegion *pageClip) const override;
    bool LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context) override;
    bool LoadFromStream(QIODevice &stream, TPgStreamContext &context) override;
    bool SaveToStream(QIODevice &stream, TPgStreamContext &context) const override;

private:
    TPgVertAlignment FVertAlignment = vaTop;
    bool FWordWrap = true;
};
