#include "pgpicture.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPicture>

void PgPlayPicture(QPainter &painter, const QPicture &picture, const QSize &pictureSize, const QRectF &target)
{
    if (pictureSize.isEmpty() || target.isEmpty() || !painter.device())
        return;
    QPaintDevice *device = painter.device();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / pictureSize.width(), target.height() / pictureSize.height());
    // QPicture::play scales by device dpi / picture dpi; take that back out.
    painter.scale(qreal(picture.logicalDpiX()) / qMax(1, device->logicalDpiX()),
                  qreal(picture.logicalDpiY()) / qMax(1, device->logicalDpiY()));
    painter.drawPicture(QPointF(0, 0), picture);
    painter.restore();
}
