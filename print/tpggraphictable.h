#pragma once

// The images of a document, each held once: equal images (byte for byte in their
// stored form) are shared. Bitmaps are kept as JPEG images; icons are not kept.

#include "tpggraphic.h"

#include <memory>
#include <vector>

class TPgGraphicTable
{
public:
    // The stored image equal to graphic, or a new stored copy; null for an icon,
    // a null graphic or a bitmap that cannot be compressed.
    std::shared_ptr<TPgGraphic> Add(const std::shared_ptr<TPgGraphic> &graphic);
    // The position of an equal stored image in the list of its kind, or -1.
    int IndexOf(const TPgGraphic &graphic) const;
    std::shared_ptr<TPgGraphic> Jpeg(int index) const;
    std::shared_ptr<TPgGraphic> Metafile(int index) const;
    int JpegCount() const { return int(FJpegs.size()); }
    int MetafileCount() const { return int(FMetafiles.size()); }

private:
    std::vector<std::shared_ptr<TPgGraphic>> FJpegs;
    std::vector<std::shared_ptr<TPgGraphic>> FMetafiles;
};
