#include "pgrtffuncs.h"

#include "tpgvaluerect.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

TPgIntRect PgRichTextLayoutRect(const TPgSizeExt &pageInches, const TPgValueRect &margins, int resolution)
{
    const qint64 width = PgRound(pageInches.Width * resolution);
    const qint64 height = PgRound(pageInches.Height * resolution);
    const auto pixels = [resolution](const TPgValue &v) { return PgUnitsToPixels(v.GetAsUnits(), resolution); };
    return {PgClampToInt32(pixels(margins.Left)), PgClampToInt32(pixels(margins.Top)),
            PgClampToInt32(width - pixels(margins.Right)), PgClampToInt32(height - pixels(margins.Bottom))};
}

TPgIntRect PgPixelsToTwips(const TPgIntRect &pixels, int resolution)
{
    if (resolution <= 0)
        return {};
    const long double factor = 1440.0L / resolution;
    const auto twips = [factor](qint32 v) { return PgClampToInt32(PgRound(v * factor)); };
    return {twips(pixels.Left), twips(pixels.Top), twips(pixels.Right), twips(pixels.Bottom)};
}

void PgRenderRichText(QPainter &painter, const QTextDocument *document, int firstChar,
                      const TPgSizeExt &pageInches, const TPgValueRect &margins, int lastChar, int resolution)
{
    if (!document || resolution <= 0)
        return;
    const TPgIntRect rect = PgRichTextLayoutRect(pageInches, margins, resolution);
    const int width = rect.Right - rect.Left;
    const int height = rect.Bottom - rect.Top;
    if (width <= 0 || height <= 0)
        return;

    std::unique_ptr<QTextDocument> range(document->clone());
    const int end = range->characterCount() - 1;
    const int last = lastChar < 0 || lastChar > end ? end : lastChar;
    const int first = qBound(0, firstChar, last);
    QTextCursor cursor(range.get());
    if (last < end) {
        cursor.setPosition(last);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    if (first > 0) {
        cursor.setPosition(0);
        cursor.setPosition(first, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }

    // Lay the text out for a device of the target resolution.
    QImage device(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = int(PgRound(resolution / 0.0254L));
    device.setDotsPerMeterX(dotsPerMeter);
    device.setDotsPerMeterY(dotsPerMeter);
    range->documentLayout()->setPaintDevice(&device);
    range->setDocumentMargin(0);
    range->setTextWidth(width);

    painter.save();
    painter.translate(rect.Left, rect.Top);
    range->drawContents(&painter, QRectF(0, 0, width, height));
    painter.restore();
}
