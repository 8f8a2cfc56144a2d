#include "tpggraphictable.h"

namespace {

// When several are equal the last one wins.
int findEqual(const std::vector<std::shared_ptr<TPgGraphic>> &list, const QByteArray &stored)
{
    for (int i = int(list.size()) - 1; i >= 0; --i) {
        if (list[size_t(i)]->SaveToBuffer() == stored)
            return i;
    }
    return -1;
}

} // namespace

std::shared_ptr<TPgGraphic> TPgGraphicTable::Add(const std::shared_ptr<TPgGraphic> &graphic)
{
    if (!graphic)
        return nullptr;
    std::shared_ptr<TPgGraphic> candidate;
    switch (graphic->Kind()) {
    case gkBitmap: candidate = TPgGraphic::JpegFromBitmap(graphic->Image(), PgDefaultJpegQuality, nullptr); break;
    case gkJpeg:
    case gkMetafile: candidate = std::make_shared<TPgGraphic>(*graphic); break;
    default: return nullptr;
    }
    if (!candidate)
        return nullptr;
    auto &list = candidate->Kind() == gkJpeg ? FJpegs : FMetafiles;
    const int existing = findEqual(list, candidate->SaveToBuffer());
    if (existing >= 0)
        return list[size_t(existing)];
    list.push_back(candidate);
    return candidate;
}

int TPgGraphicTable::IndexOf(const TPgGraphic &graphic) const
{
    // The image an object holds usually is the stored one itself.
    const auto &own = graphic.Kind() == gkJpeg ? FJpegs : FMetafiles;
    for (int i = int(own.size()) - 1; i >= 0; --i) {
        if (own[size_t(i)].get() == &graphic && findEqual(own, graphic.SaveToBuffer()) == i)
            return i;
    }
    if (graphic.Kind() == gkJpeg)
        return findEqual(FJpegs, graphic.SaveToBuffer());
    if (graphic.Kind() == gkMetafile)
        return findEqual(FMetafiles, graphic.SaveToBuffer());
    return -1;
}

std::shared_ptr<TPgGraphic> TPgGraphicTable::Jpeg(int index) const
{
    return index >= 0 && index < JpegCount() ? FJpegs[size_t(index)] : nullptr;
}

std::shared_ptr<TPgGraphic> TPgGraphicTable::Metafile(int index) const
{
    return index >= 0 && index < MetafileCount() ? FMetafiles[size_t(index)] : nullptr;
}
