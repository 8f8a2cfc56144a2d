#pragma once

// An image stretched into (X, Y)–(X2, Y2). The image is held by the document's
// graphic table, so equal images are stored once.

#include "tpgbaseobject.h"
#include "tpggraphic.h"

#include <memory>

class TPgGraphicTable;

constexpr int SRCCOPY = 0xCC0020;

class TPgGraphicObject : public TPgBaseObject
{
public:
    TPgGraphicObject();

    const std::shared_ptr<TPgGraphic> &Image() const { return FImage; }
    // A bitmap becomes a JPEG image first; the object keeps what the table
    // returns (nothing for an icon).
    void SetImage(const std::shared_ptr<TPgGraphic> &image);
    // The stored kind of the held image: metafile or none 0, bitmap 1, JPEG 2,
    // icon 3.
    int ImageKind() const;
    TPgGraphicTable *GraphicTable() const { return FTable; }
    void SetGraphicTable(TPgGraphicTable *table) { FTable = table; }
    int CopyMode() const { return FCopyMode; }
    void SetCopyMode(int mode);
    bool Rasterize() const { return FRasterize; }
    void SetRasterize(bool value);
    int JpegQuality() const { return FJpegQuality; }
    void SetJpegQuality(int quality) { FJpegQuality = quality; }

    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override;
    void Assign(const TPgCustomBaseObject &source) override;
    void Draw(QPainter &painter, int resolution, const QRegion *pageClip) const override;
    void Print(TPgPrintTarget &printer, const QRegion *pageClip) const override;
    bool LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context) override;
    bool LoadFromStream(QIODevice &stream, TPgStreamContext &context) override;
    bool SaveToStream(QIODevice &stream, TPgStreamContext &context) const override;

private:
    bool ResolveImage(int kind, int index, TPgStreamContext &context);

    std::shared_ptr<TPgGraphic> FImage;
    TPgGraphicTable *FTable = nullptr;
    int FCopyMode = SRCCOPY;
    bool FRasterize = false;
    int FJpegQuality = 50;
};
