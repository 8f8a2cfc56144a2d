#include "tpgfooter.h"

#include "tpgprinttarget.h"

void TPgFooter::Draw(QPainter &painter, int resolution, const QRegion *clip, int pageNumber)
{
    if (!Visible())
        return;
    const qint64 bottom = PgRound(resolution * PageHeight()) - MarginPixels(3, resolution);
    const qint64 top = bottom - GetHeight().GetAsPixels(resolution);
    DrawBand(painter, resolution, clip, pageNumber, top, false);
}

void TPgFooter::Print(TPgPrintTarget &printer, int pageNumber)
{
    if (!Visible())
        return;
    const int vres = qMax(1, printer.VertResolution());
    const qint64 bottom = PgRound(vres * PageHeight()) - MarginPixels(3, vres);
    const qint64 top = bottom - GetHeight().GetAsPixels(vres);
    PrintBand(printer, pageNumber, top, false);
}
