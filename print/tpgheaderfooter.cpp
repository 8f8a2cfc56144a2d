#include "tpgheaderfooter.h"

#include "pgtext.h"
#include "tpgmargins.h"
#include "tpgprinttarget.h"
#include "tpgtokensource.h"

#include <QPainter>
#include <QRegion>

TPgHeaderFooter::TPgHeaderFooter()
{
    for (TPgHeaderFooterCaption &caption : FCaptions)
        caption.OnChange = [this](void *) { Changed(); };
}

void TPgHeaderFooter::Assign(const TPgHeaderFooter &other)
{
    for (int i = 0; i < 3; ++i)
        FCaptions[i].Assign(other.FCaptions[i]);
    FPageHeight = other.FPageHeight;
    FPageWidth = other.FPageWidth;
    FPen = other.FPen;
    FShowLine = other.FShowLine;
    FVisible = other.FVisible;
    Changed();
}

TPgHeaderFooterCaption &TPgHeaderFooter::GetIndexCaption(int index)
{
    return FCaptions[qBound(0, index, 2)];
}

const TPgHeaderFooterCaption &TPgHeaderFooter::GetIndexCaption(int index) const
{
    return FCaptions[qBound(0, index, 2)];
}

void TPgHeaderFooter::SetIndexCaption(int index, const TPgHeaderFooterCaption &caption)
{
    GetIndexCaption(index).Assign(caption);
}

void TPgHeaderFooter::SetPageSize(long double heightInches, long double widthInches)
{
    FPageHeight = heightInches;
    FPageWidth = widthInches;
}

void TPgHeaderFooter::SetPen(const TPgPen &pen)
{
    if (pen == FPen)
        return;
    FPen = pen;
    Changed();
}

void TPgHeaderFooter::SetShowLine(bool value)
{
    if (value == FShowLine)
        return;
    FShowLine = value;
    Changed();
}

void TPgHeaderFooter::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    FVisible = value;
    Changed();
}

TPgValue &TPgHeaderFooter::GetHeight()
{
    if (!FVisible) {
        FHeight.SetAsUnits(0);
        return FHeight;
    }
    int largest = 0;
    for (int i = 1; i < 3; ++i) {
        if (FCaptions[i].Font().Size > FCaptions[largest].Font().Size)
            largest = i;
    }
    const int resolution = PgMetafileResolution();
    const QFont font = PgToQFont(FCaptions[largest].Font(), resolution);
    FHeight.SetAsPixels(PgTextHeight(font), resolution);
    if (OnGetHeight)
        OnGetHeight(this, int(Kind()), FHeight);
    return FHeight;
}

QString TPgHeaderFooter::CaptionText(int index, int pageNumber) const
{
    const QString &text = FCaptions[index].Caption();
    return FOwner ? FOwner->ReplaceTokens(text, pageNumber) : text;
}

qint64 TPgHeaderFooter::MarginPixels(int side, int resolution) const
{
    if (!FMargins)
        return 0;
    const TPgValueRect &margins = FMargins->UserMargins();
    const TPgValue *values[] = {&margins.Left, &margins.Top, &margins.Right, &margins.Bottom};
    return values[side]->GetAsPixels(resolution);
}

void TPgHeaderFooter::DrawBand(QPainter &painter, int resolution, const QRegion *clip, int pageNumber,
                               qint64 anchorY, bool textAbove)
{
    const qint64 left = MarginPixels(0, resolution);
    const qint64 right = PgRound(resolution * FPageWidth) - MarginPixels(2, resolution);
    painter.save();
    if (clip)
        painter.setClipRegion(*clip);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const QString text = CaptionText(i, pageNumber);
        if (text.isEmpty())
            continue;
        const QFont font = PgToQFont(FCaptions[i].Font(), resolution);
        painter.setFont(font);
        painter.setPen(PgToQColor(FCaptions[i].Font().Color));
        const qint64 width = PgTextWidth(font, text);
        const qint64 top = textAbove ? anchorY - PgTextHeight(font) : anchorY;
        qint64 x = left;
        if (i == 1)
            x = (left + right) / 2 - width / 2;
        else if (i == 2)
            x = right - width;
        PgDrawTextAt(painter, x, top, text);
    }
    if (FShowLine) {
        painter.setPen(CreateDevicePen(FPen, resolution));
        painter.drawLine(QPointF(qreal(left), qreal(anchorY)), QPointF(qreal(right), qreal(anchorY)));
    }
    painter.restore();
}

void TPgHeaderFooter::PrintBand(TPgPrintTarget &printer, int pageNumber, qint64 anchorPixels, bool textAbove)
{
    const int hres = qMax(1, printer.HorzResolution());
    const int vres = qMax(1, printer.VertResolution());
    const long double left = (long double)MarginPixels(0, hres) / hres;
    const long double right = (long double)(PgRound(hres * FPageWidth) - MarginPixels(2, hres)) / hres;
    const long double anchor = (long double)anchorPixels / vres;
    for (int i = 0; i < 3; ++i) {
        const QString text = CaptionText(i, pageNumber);
        if (text.isEmpty())
            continue;
        printer.SetFont(FCaptions[i].Font());
        const long double width = printer.TextWidth(text);
        const long double top = textAbove ? anchor - printer.TextHeight(text) : anchor;
        long double x = left;
        if (i == 1)
            x = (left + right) / 2 - width / 2;
        else if (i == 2)
            x = right - width;
        printer.TextOut(x, top, taLeftJustify, text);
    }
    if (FShowLine) {
        printer.SetPen(FPen);
        printer.Polyline({QPointF(qreal(left), qreal(anchor)), QPointF(qreal(right), qreal(anchor))});
    }
}

void TPgHeaderFooter::Changed()
{
    if (OnChange)
        OnChange(this);
}
