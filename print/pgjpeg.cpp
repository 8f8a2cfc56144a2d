#include "pgjpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr, int)
{
}

} // namespace

bool PgJpegEncode(const QImage &image, int quality, QByteArray *jpeg, QString *error)
{
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("imagen vacía");
        return false;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info;
    ErrorManager manager;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = onError;
    manager.base.emit_message = onMessage;
    if (setjmp(manager.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        if (error)
            *error = QString::fromLatin1(manager.message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, qBound(1, quality, 100), TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    *jpeg = QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return true;
}

bool PgJpegDecode(const QByteArray &jpeg, QImage *image, QString *error)
{
    jpeg_decompress_struct info;
    ErrorManager manager;
    // Only plain memory changes between setjmp and a possible longjmp.
    unsigned char *volatile pixels = nullptr;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = onError;
    manager.base.emit_message = onMessage;
    if (setjmp(manager.jump)) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        if (error)
            *error = QString::fromLatin1(manager.message);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(jpeg.constData()), (unsigned long)jpeg.size());
    jpeg_read_header(&info, TRUE);
    if (qint64(info.image_width) * info.image_height > PgJpegMaxPixels || info.image_width == 0 ||
        info.image_height == 0) {
        const QString size = QStringLiteral("%1 × %2").arg(info.image_width).arg(info.image_height);
        jpeg_destroy_decompress(&info);
        if (error)
            *error = QStringLiteral("imagen JPEG de %1 píxeles fuera de límite").arg(size);
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    const size_t stride = size_t(info.output_width) * size_t(info.output_components);
    pixels = static_cast<unsigned char *>(std::malloc(stride * info.output_height));
    if (!pixels) {
        jpeg_destroy_decompress(&info);
        if (error)
            *error = QStringLiteral("sin memoria para la imagen JPEG");
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    const int width = int(info.output_width);
    const int height = int(info.output_height);
    jpeg_destroy_decompress(&info);

    QImage result(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        const unsigned char *p = pixels + stride * size_t(y);
        for (int x = 0; x < width; ++x) {
            if (cmyk) {
                // Inverted CMYK as image editors write it.
                line[x] = qRgb(p[0] * p[3] / 255, p[1] * p[3] / 255, p[2] * p[3] / 255);
                p += 4;
            } else {
                line[x] = qRgb(p[0], p[1], p[2]);
                p += 3;
            }
        }
    }
    std::free(pixels);
    *image = result;
    return true;
}
