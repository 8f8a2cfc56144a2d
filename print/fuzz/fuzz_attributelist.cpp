// Feeds untrusted bytes to the page-object loaders. The first byte chooses the
// format: even, the attribute-list format (a font-list block, then objects);
// odd, the old fixed-width format (then a kind byte and a version byte, version
// = 2 + byte / 100, then objects of that kind).
#include "pgjpeg.h"
#include "pgobjectfactory.h"
#include "tpgattributelist.h"
#include "tpggraphic.h"
#include "tpggraphictable.h"
#include "tpgstreamcontext.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdint>

namespace {

// The document's one stored image, made once: each input gets a table of its own holding
// it, so the images an input adds go with it instead of piling up across inputs.
const std::shared_ptr<TPgGraphic> &seedGraphic()
{
    static const std::shared_ptr<TPgGraphic> stored = [] {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        TPgGraphicTable table;
        return table.Add(TPgGraphic::FromBitmap(image));
    }();
    return stored;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    seedGraphic();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    char mode = 0;
    buffer.getChar(&mode);

    TPgAttributeList fonts(false);
    TPgGraphicTable graphics;
    graphics.Add(seedGraphic());
    TPgStreamContext context{&fonts, &graphics, nullptr, QString()};
    QByteArray written;
    QBuffer output(&written);
    output.open(QIODevice::WriteOnly);

    if ((mode & 1) == 0) {
        if (!fonts.LoadFromStream(buffer, nullptr))
            return 0;
        while (!buffer.atEnd()) {
            std::unique_ptr<TPgBaseObject> object = PgReadObject(buffer, context);
            if (!object)
                break;
            object->SaveToStream(output, context);
        }
    } else {
        char kind = 0;
        char version = 0;
        if (!buffer.getChar(&kind) || !buffer.getChar(&version))
            return 0;
        const long double fileVersion = 2 + (long double)(unsigned char)version / 100;
        while (!buffer.atEnd()) {
            std::unique_ptr<TPgBaseObject> object = PgReadOldObject(buffer, kind, fileVersion, context);
            if (!object)
                break;
            object->SaveToStream(output, context);
        }
    }
    return 0;
}
