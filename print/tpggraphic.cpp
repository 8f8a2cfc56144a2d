#include "tpggraphic.h"

#include "pgjpeg.h"
#include "pgpicture.h"

#include <QBuffer>
#include <QDataStream>
#include <QPainter>

std::shared_ptr<TPgGraphic> TPgGraphic::FromBitmap(const QImage &image)
{
    auto graphic = std::make_shared<TPgGraphic>();
    graphic->FKind = gkBitmap;
    graphic->FImage = image;
    return graphic;
}

std::shared_ptr<TPgGraphic> TPgGraphic::FromIcon(const QImage &image)
{
    auto graphic = FromBitmap(image);
    graphic->FKind = gkIcon;
    return graphic;
}

std::shared_ptr<TPgGraphic> TPgGraphic::FromMetafile(const QPicture &picture, const QSize &size)
{
    auto graphic = std::make_shared<TPgGraphic>();
    graphic->FKind = gkMetafile;
    graphic->FPicture = picture;
    graphic->FPictureSize = size;
    return graphic;
}

std::shared_ptr<TPgGraphic> TPgGraphic::FromJpegData(const QByteArray &jpeg, QString *error)
{
    QImage image;
    if (!PgJpegDecode(jpeg, &image, error))
        return nullptr;
    auto graphic = std::make_shared<TPgGraphic>();
    graphic->FKind = gkJpeg;
    graphic->FJpeg = jpeg;
    graphic->FImage = image;
    return graphic;
}

std::shared_ptr<TPgGraphic> TPgGraphic::JpegFromBitmap(const QImage &image, int quality, QString *error)
{
    QByteArray jpeg;
    if (!PgJpegEncode(image, quality, &jpeg, error))
        return nullptr;
    auto graphic = FromJpegData(jpeg, error);
    if (graphic)
        graphic->FJpegQuality = quality;
    return graphic;
}

std::shared_ptr<TPgGraphic> TPgGraphic::FromBuffer(TPgGraphicKind kind, const QByteArray &buffer, QString *error)
{
    switch (kind) {
    case gkJpeg: return FromJpegData(buffer, error);
    case gkBitmap:
    case gkIcon: {
        QImage image;
        if (!image.loadFromData(buffer, "BMP")) {
            if (error)
                *error = QStringLiteral("mapa de bits ilegible");
            return nullptr;
        }
        return kind == gkIcon ? FromIcon(image) : FromBitmap(image);
    }
    case gkMetafile: {
        QDataStream in(buffer);
        in.setByteOrder(QDataStream::LittleEndian);
        qint32 width = 0, height = 0;
        in >> width >> height;
        QPicture picture;
        bool playable = false;
        if (in.status() == QDataStream::Ok && buffer.size() > 8) {
            picture.setData(buffer.constData() + 8, uint(buffer.size() - 8));
            // Only playing checks the picture's signature and checksum.
            QImage probe(1, 1, QImage::Format_RGB32);
            QPainter painter(&probe);
            playable = const_cast<QPicture &>(picture).play(&painter);
        }
        if (!playable || width <= 0 || height <= 0) {
            if (error)
                *error = QStringLiteral("metarchivo ilegible");
            return nullptr;
        }
        return FromMetafile(picture, QSize(width, height));
    }
    }
    if (error)
        *error = QStringLiteral("tipo de imagen %1 desconocido").arg(int(kind));
    return nullptr;
}

int TPgGraphic::Width() const
{
    return FKind == gkMetafile ? FPictureSize.width() : FImage.width();
}

int TPgGraphic::Height() const
{
    return FKind == gkMetafile ? FPictureSize.height() : FImage.height();
}

bool TPgGraphic::Compress(int quality, QString *error)
{
    if (FKind != gkJpeg || quality == FJpegQuality)
        return true;
    QByteArray jpeg;
    if (!PgJpegEncode(FImage, quality, &jpeg, error))
        return false;
    QImage image;
    if (!PgJpegDecode(jpeg, &image, error))
        return false;
    FJpeg = jpeg;
    FImage = image;
    FJpegQuality = quality;
    return true;
}

QByteArray TPgGraphic::SaveToBuffer() const
{
    switch (FKind) {
    case gkJpeg: return FJpeg;
    case gkMetafile: {
        QByteArray buffer;
        QDataStream out(&buffer, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out << qint32(FPictureSize.width()) << qint32(FPictureSize.height());
        out.writeRawData(FPicture.data(), int(FPicture.size()));
        return buffer;
    }
    default: {
        QByteArray buffer;
        QBuffer device(&buffer);
        device.open(QIODevice::WriteOnly);
        FImage.save(&device, "BMP");
        return buffer;
    }
    }
}

void TPgGraphic::Draw(QPainter &painter, const QRect &target) const
{
    if (FKind == gkMetafile)
        PgPlayPicture(painter, FPicture, FPictureSize, target);
    else if (!FImage.isNull())
        painter.drawImage(target, FImage);
}
