#pragma once

// The preview's zoom cursors, a magnifying glass with a plus or a minus, drawn
// in code so that no image file has to ship with the engine.

#include <QCursor>

QCursor PgZoomCursor(bool zoomIn);
