#pragma once

// Rich text of a page: a character range of a document laid out inside the page
// margins for a device of a given resolution, and drawn onto any painter whose
// coordinates are pixels of that resolution.

#include "pgtypes.h"

class QPainter;
class QTextDocument;
class TPgValueRect;

// The layout rectangle in pixels: the page at the resolution less the margins
// (each rounded separately).
TPgIntRect PgRichTextLayoutRect(const TPgSizeExt &pageInches, const TPgValueRect &margins, int resolution);
// A pixel rectangle in twips (1440 per inch), each side rounded separately.
TPgIntRect PgPixelsToTwips(const TPgIntRect &pixels, int resolution);

// Draws the characters firstChar up to lastChar (exclusive; -1 to the end) of
// document. Nothing for a null document or a resolution that is not positive.
void PgRenderRichText(QPainter &painter, const QTextDocument *document, int firstChar,
                      const TPgSizeExt &pageInches, const TPgValueRect &margins, int lastChar, int resolution);
