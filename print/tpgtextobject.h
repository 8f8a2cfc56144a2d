#pragma once

// A line of text placed at (X, Y) by its alignment, optionally rotated; its
// tokens are replaced with the object's page number when drawn.

#include "tpgbaseobject.h"

class TPgTokenSource;

class TPgTextObject : public TPgBaseObject
{
public:
    TPgTextObject();

    const QString &Text() const { return FText; }
    void SetText(const QString &text);
    TPgAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPgAlignment alignment);
    const TPgTokenSource *Owner() const { return FOwner; }
    void SetOwner(const TPgTokenSource *owner) { FOwner = owner; }

    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override;
    void Assign(const TPgCustomBaseObject &source) override;
    void Draw(QPainter &painter, int resolution, const QRegion *pageClip) const override;
    void Print(TPgPrintTarget &printer, const QRegion *pageClip) const override;
    bool LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context) override;
    bool LoadFromStream(QIODevice &stream, TPgStreamContext &context) override;
    bool SaveToStream(QIODevice &stream, TPgStreamContext &context) const override;

protected:
    explicit TPgTextObject(int kind);
    QString DisplayedText() const;

    QString FText;
    TPgAlignment FAlignment = taLeftJustify;

private:
    const TPgTokenSource *FOwner = nullptr;
};
