#pragma once

// Settings of the printer side of the print engine and of the preview that
// drives it.

#include <QtGlobal>

enum TPgPagesPerSheet : quint8 { gmOnePage, gmTwoPages, gmFourPages };
enum TPgDuplexType : quint8 { gmSimplex, gmHorzDuplex, gmVertDuplex };
enum TPgPrintColor : quint8 { gmColor, gmMonochrome };
enum TPgDitherType : quint8 { gmNone, gmCourse, gmFine, gmLineArt, gmGrayScale };
enum TPgPrintQuality : quint8 { gmDraft, gmLow, gmMedium, gmHigh };

// How the preview picks its zoom: the fixed Zoom value, or the zoom at which
// the page's width (or the whole page) fits the visible area.
enum TPgZoomStyle : quint8 { gmFixedZoom, gmPageWidth, gmWholePage };

// The origin of the canvas's coordinates on the page.
enum TPgCoordsRelative : quint8 { fromPage, fromPrinterMargins, fromUserMargins, fromHeaderLine };

// 1, 2 or 4.
inline int PagesPerSheetCount(TPgPagesPerSheet pages)
{
    return pages == gmTwoPages ? 2 : (pages == gmFourPages ? 4 : 1);
}
