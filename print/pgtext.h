#pragma once

// Text measuring and drawing shared by the bands, the text objects and the
// canvas, so that what is measured is what is drawn. Sizes are in pixels of the
// resolution the font was built for.

#include "pgtypes.h"

#include <QFont>
#include <QString>

class QPainter;
class QRect;

// Line breaks as the system writes them (CR LF, lone CR) become "\n".
QString PgDisplayText(const QString &text);

qint64 PgTextWidth(const QFont &font, const QString &text);
// The height of a line of the font (ascent + descent).
qint64 PgTextHeight(const QFont &font);

// Qt text flags of a text box: horizontal alignment, word wrap, vertical
// alignment (centre and bottom boxes are single-line), tab expansion, no clip.
int PgTextBoxFlags(TPgAlignment alignment, TPgVertAlignment vertAlignment, bool wordWrap, bool noClip);

// The height a text needs in a box of the width, word-wrapped.
qint64 PgTextBoxHeight(const QFont &font, qint64 width, const QString &text);

// Draws one line with its top-left corner at (x, y); the painter's font is used.
void PgDrawTextAt(QPainter &painter, qint64 x, qint64 y, const QString &text);

// Draws a text box's text into rect with PgTextBoxFlags.
void PgDrawTextBox(QPainter &painter, const QRect &rect, int flags, const QString &text);
