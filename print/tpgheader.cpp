#include "tpgheader.h"

#include "tpgprinttarget.h"

void TPgHeader::Draw(QPainter &painter, int resolution, const QRegion *clip, int pageNumber)
{
    if (!Visible())
        return;
    const qint64 base = MarginPixels(1, resolution) + GetHeight().GetAsPixels(resolution);
    DrawBand(painter, resolution, clip, pageNumber, base, true);
}

void TPgHeader::Print(TPgPrintTarget &printer, int pageNumber)
{
    if (!Visible())
        return;
    const int vres = qMax(1, printer.VertResolution());
    const qint64 base = MarginPixels(1, vres) + GetHeight().GetAsPixels(vres);
    PrintBand(printer, pageNumber, base, true);
}
