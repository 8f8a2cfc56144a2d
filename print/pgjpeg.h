#pragma once

// JPEG encoding and decoding through libjpeg. Decoding treats its input as
// untrusted: corrupt data and images beyond PgJpegMaxPixels are errors.

#include <QByteArray>
#include <QImage>
#include <QString>

constexpr qint64 PgJpegMaxPixels = 64LL * 1024 * 1024;

bool PgJpegEncode(const QImage &image, int quality, QByteArray *jpeg, QString *error);
bool PgJpegDecode(const QByteArray &jpeg, QImage *image, QString *error);
