#pragma once

// Replaying recorded pages. A recorded page is a QPicture in pixels of the
// resolution it was recorded at; QPicture itself rescales by the target's
// resolution, which this helper undoes so the picture lands exactly in target.

#include <QRectF>
#include <QSize>

class QPainter;
class QPicture;

// Stretches picture, recorded on a canvas of pictureSize pixels, into target
// (coordinates of the painter's current transformation).
void PgPlayPicture(QPainter &painter, const QPicture &picture, const QSize &pictureSize, const QRectF &target);
