#pragma once

// Renders pages to images and finds where ink landed, for the rendering tests.

#include "tpgpage.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <functional>

// The page drawn at dotsPerInch onto a white image of the page's size.
inline QImage RenderPage(TPgPage &page, int dotsPerInch)
{
    const int width = int(page.Width().GetAsPixels(dotsPerInch));
    const int height = int(page.Height().GetAsPixels(dotsPerInch));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.Play(painter, QRectF(0, 0, width, height));
    return image;
}

// The bounding box of the pixels that match (within area when given).
inline QRect InkBox(const QImage &image, const std::function<bool(QRgb)> &match, QRect area = QRect())
{
    if (area.isNull())
        area = image.rect();
    area &= image.rect();
    int left = area.right() + 1, top = area.bottom() + 1, right = -1, bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (match(line[x])) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

inline bool IsDark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

inline bool IsInk(QRgb pixel)
{
    return qGray(pixel) < 250;
}

inline std::function<bool(QRgb)> IsColour(QColor colour, int tolerance = 40)
{
    return [colour, tolerance](QRgb p) {
        return qAbs(qRed(p) - colour.red()) < tolerance && qAbs(qGreen(p) - colour.green()) < tolerance &&
               qAbs(qBlue(p) - colour.blue()) < tolerance;
    };
}
