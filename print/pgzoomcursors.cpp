#include "pgzoomcursors.h"

#include <QPainter>
#include <QPixmap>

QCursor PgZoomCursor(bool zoomIn)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A white outline under every stroke keeps the glass visible on dark paper.
    for (const auto &[colour, width] : {std::pair{QColor(Qt::white), 4.0}, std::pair{QColor(Qt::black), 2.0}}) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(12, 12), 9, 9);
        painter.drawLine(QPointF(19, 19), QPointF(29, 29));
        painter.drawLine(QPointF(8, 12), QPointF(16, 12));
        if (zoomIn)
            painter.drawLine(QPointF(12, 8), QPointF(12, 16));
    }
    painter.end();
    return QCursor(pixmap, 12, 12);
}
