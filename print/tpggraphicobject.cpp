#include "tpggraphicobject.h"

#include "pgjpeg.h"
#include "pgpicture.h"
#include "tpgattributelist.h"
#include "tpgextstream.h"
#include "tpggraphictable.h"
#include "tpgprinttarget.h"
#include "tpgstreamcontext.h"

#include <QPainter>

namespace {

QPainter::CompositionMode compositionFor(int copyMode)
{
    switch (copyMode) {
    case 0x8800C6: return QPainter::RasterOp_SourceAndDestination; // SRCAND
    case 0xEE0086: return QPainter::RasterOp_SourceOrDestination;  // SRCPAINT
    case 0x660046: return QPainter::RasterOp_SourceXorDestination; // SRCINVERT
    case 0x330008: return QPainter::RasterOp_NotSource;            // NOTSRCCOPY
    default: return QPainter::CompositionMode_SourceOver;
    }
}

} // namespace

TPgGraphicObject::TPgGraphicObject()
    : TPgBaseObject(okGraphic)
{
}

void TPgGraphicObject::SetImage(const std::shared_ptr<TPgGraphic> &image)
{
    std::shared_ptr<TPgGraphic> offered = image;
    if (image && image->Kind() == gkBitmap)
        offered = TPgGraphic::JpegFromBitmap(image->Image(), PgDefaultJpegQuality, nullptr);
    if (FTable)
        FImage = FTable->Add(offered);
    else
        FImage = offered && offered->Kind() != gkIcon ? offered : nullptr;
    Changed();
}

int TPgGraphicObject::ImageKind() const
{
    if (!FImage)
        return gkMetafile;
    return int(FImage->Kind());
}

void TPgGraphicObject::SetCopyMode(int mode)
{
    FCopyMode = mode;
    Changed();
}

void TPgGraphicObject::SetRasterize(bool value)
{
    FRasterize = value;
    Changed();
}

std::unique_ptr<TPgCustomBaseObject> TPgGraphicObject::NewInstance() const
{
    return std::make_unique<TPgGraphicObject>();
}

void TPgGraphicObject::Assign(const TPgCustomBaseObject &source)
{
    if (const auto *other = dynamic_cast<const TPgGraphicObject *>(&source)) {
        FImage = other->FImage;
        FTable = other->FTable;
        FCopyMode = other->FCopyMode;
        FRasterize = other->FRasterize;
        FJpegQuality = other->FJpegQuality;
    }
    TPgBaseObject::Assign(source);
}

void TPgGraphicObject::Draw(QPainter &painter, int resolution, const QRegion *pageClip) const
{
    if (!FImage)
        return;
    painter.save();
    SelectClip(painter, resolution, pageClip, true);
    const QRect rect = PixelRect(resolution);
    painter.setCompositionMode(compositionFor(FCopyMode));
    painter.setBrush(Qt::SolidPattern);
    // A bitmap beyond the JPEG limit is not made; the picture is played instead.
    const bool rasterize = FRasterize && FImage->Kind() == gkMetafile && !rect.isEmpty() &&
                           qint64(rect.width()) * rect.height() <= PgJpegMaxPixels;
    if (rasterize) {
        QImage bitmap(rect.size(), QImage::Format_RGB888);
        bitmap.fill(Qt::white);
        {
            QPainter bitmapPainter(&bitmap);
            PgPlayPicture(bitmapPainter, FImage->Picture(), FImage->PictureSize(), QRectF(QPointF(0, 0), rect.size()));
        }
        painter.drawImage(rect, bitmap);
    } else {
        FImage->Draw(painter, rect);
    }
    painter.restore();
}

void TPgGraphicObject::Print(TPgPrintTarget &printer, const QRegion *pageClip) const
{
    if (!Visible())
        return;
    SelectPrinterClip(printer, pageClip);
    printer.SetCopyMode(FCopyMode);
    if (FImage)
        printer.StretchDraw(InchRect(), *FImage);
}

bool TPgGraphicObject::ResolveImage(int kind, int index, TPgStreamContext &context)
{
    FImage = nullptr;
    if (index == -1)
        return true;
    if (!context.Graphics)
        return context.Fail(QStringLiteral("imagen: falta la tabla de imágenes del documento"));
    if (kind == gkJpeg)
        FImage = context.Graphics->Jpeg(index);
    else if (kind == gkMetafile)
        FImage = context.Graphics->Metafile(index);
    if (!FImage)
        return context.Fail(QStringLiteral("imagen: no hay imagen de tipo %1 en la posición %2").arg(kind).arg(index));
    FTable = context.Graphics;
    return true;
}

bool TPgGraphicObject::LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context)
{
    if (!TPgBaseObject::LoadFromOldStream(stream, fileVersion, context))
        return false;
    TPgExtStream block;
    const char *level = "imagen";
    if (!ReadOldBlock(stream, context, block, level))
        return false;
    FX2 = block.ReadInteger();
    FY2 = block.ReadInteger();
    FRasterize = block.ReadBoolean();
    const quint8 kind = block.ReadByte();
    if (kind > gkIcon)
        return context.Fail(QStringLiteral("imagen: tipo de imagen %1 inválido").arg(kind));
    QByteArray bytes;
    if (!Take(block.ReadBytes(), bytes, context, level, 4))
        return false;
    QString error;
    const std::shared_ptr<TPgGraphic> image = TPgGraphic::FromBuffer(TPgGraphicKind(kind), bytes, &error);
    if (!image)
        return context.Fail(QStringLiteral("imagen: %1").arg(error));
    FTable = context.Graphics;
    SetImage(image);
    FCopyMode = SRCCOPY;
    if (FromVersion(fileVersion, 2.32L))
        FCopyMode = block.ReadInteger();
    if (FromVersion(fileVersion, 2.42L))
        block.ReadByte();
    return true;
}

bool TPgGraphicObject::LoadFromStream(QIODevice &stream, TPgStreamContext &context)
{
    if (!TPgBaseObject::LoadFromStream(stream, context))
        return false;
    TPgAttributeList list;
    const char *level = "imagen";
    if (!ReadBlock(stream, context, list, level))
        return false;
    qint32 kind = 0;
    qint32 index = 0;
    if (!Take(list.GetInteger(0), FX2, context, level, 0) || !Take(list.GetInteger(1), FY2, context, level, 1) ||
        !Take(list.GetBoolean(2), FRasterize, context, level, 2) ||
        !Take(list.GetInteger(3), FCopyMode, context, level, 3) || !Take(list.GetInteger(4), kind, context, level, 4) ||
        !Take(list.GetInteger(5), index, context, level, 5))
        return false;
    if (kind < gkMetafile || kind > gkIcon)
        return context.Fail(QStringLiteral("imagen: tipo de imagen %1 inválido").arg(kind));
    return ResolveImage(kind, index, context);
}

bool TPgGraphicObject::SaveToStream(QIODevice &stream, TPgStreamContext &context) const
{
    if (!TPgBaseObject::SaveToStream(stream, context))
        return false;
    int index = -1;
    if (FImage) {
        if (!context.Graphics)
            return context.Fail(QStringLiteral("imagen: falta la tabla de imágenes del documento"));
        QString error;
        if (!FImage->Compress(FJpegQuality, &error))
            return context.Fail(QStringLiteral("imagen: %1").arg(error));
        index = context.Graphics->IndexOf(*FImage);
    }
    TPgAttributeList list;
    list.AddInteger(FX2);
    list.AddInteger(FY2);
    list.AddBoolean(FRasterize);
    list.AddInteger(FCopyMode);
    list.AddInteger(ImageKind());
    list.AddInteger(index);
    return WriteBlock(stream, context, list);
}
