#pragma once

// An image a graphic object shows: a bitmap, an icon, a JPEG image (encoded bytes
// and their decoded pixels) or a recorded picture (a metafile). Shared between
// objects through the graphic table.

#include <QByteArray>
#include <QImage>
#include <QPicture>
#include <QSize>
#include <QString>

#include <memory>

class QPainter;
class QRect;

enum TPgGraphicKind : quint8 { gkMetafile = 0, gkBitmap = 1, gkJpeg = 2, gkIcon = 3 };

constexpr int PgDefaultJpegQuality = 90;

class TPgGraphic
{
public:
    static std::shared_ptr<TPgGraphic> FromBitmap(const QImage &image);
    static std::shared_ptr<TPgGraphic> FromIcon(const QImage &image);
    // picture was recorded on a canvas of size pixels.
    static std::shared_ptr<TPgGraphic> FromMetafile(const QPicture &picture, const QSize &size);
    // Null with error set when the bytes are not a JPEG image.
    static std::shared_ptr<TPgGraphic> FromJpegData(const QByteArray &jpeg, QString *error);
    // A bitmap compressed into a new JPEG image.
    static std::shared_ptr<TPgGraphic> JpegFromBitmap(const QImage &image, int quality, QString *error);
    // The stored form of a kind (see SaveToBuffer) read back; null with error when
    // it is not one.
    static std::shared_ptr<TPgGraphic> FromBuffer(TPgGraphicKind kind, const QByteArray &buffer, QString *error);

    TPgGraphicKind Kind() const { return FKind; }
    // Size in pixels.
    int Width() const;
    int Height() const;
    // The pixels of a bitmap, an icon or a JPEG image.
    const QImage &Image() const { return FImage; }
    const QPicture &Picture() const { return FPicture; }
    QSize PictureSize() const { return FPictureSize; }
    const QByteArray &JpegData() const { return FJpeg; }
    int JpegQuality() const { return FJpegQuality; }
    // Compresses a JPEG image again at quality unless it already is at it.
    bool Compress(int quality, QString *error);

    // The stored form: JPEG bytes, BMP bytes, or the picture's size (two 32-bit
    // integers) followed by its data. Equal images have equal stored forms.
    QByteArray SaveToBuffer() const;

    // Stretches the image into target.
    void Draw(QPainter &painter, const QRect &target) const;

private:
    TPgGraphicKind FKind = gkBitmap;
    QImage FImage;
    QPicture FPicture;
    QSize FPictureSize;
    QByteArray FJpeg;
    int FJpegQuality = PgDefaultJpegQuality;
};
