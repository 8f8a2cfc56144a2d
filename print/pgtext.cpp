#include "pgtext.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

QString PgDisplayText(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

qint64 PgTextWidth(const QFont &font, const QString &text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

qint64 PgTextHeight(const QFont &font)
{
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

int PgTextBoxFlags(TPgAlignment alignment, TPgVertAlignment vertAlignment, bool wordWrap, bool noClip)
{
    int flags = Qt::TextExpandTabs;
    switch (alignment) {
    case taRightJustify: flags |= Qt::AlignRight; break;
    case taCenter: flags |= Qt::AlignHCenter; break;
    default: flags |= Qt::AlignLeft; break;
    }
    switch (vertAlignment) {
    case vaCenter: flags |= Qt::AlignVCenter | Qt::TextSingleLine; break;
    case vaBottom: flags |= Qt::AlignBottom | Qt::TextSingleLine; break;
    default: flags |= Qt::AlignTop; break;
    }
    if (wordWrap && !(flags & Qt::TextSingleLine))
        flags |= Qt::TextWordWrap;
    if (noClip)
        flags |= Qt::TextDontClip;
    return flags;
}

qint64 PgTextBoxHeight(const QFont &font, qint64 width, const QString &text)
{
    const int w = int(PgBound(0, width, 1 << 24));
    const QRect bounds = QFontMetrics(font).boundingRect(
        QRect(0, 0, w, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs,
        PgDisplayText(text));
    return bounds.height();
}

void PgDrawTextAt(QPainter &painter, qint64 x, qint64 y, const QString &text)
{
    const QFontMetrics metrics(painter.font());
    painter.drawText(QPointF(qreal(x), qreal(y + metrics.ascent())), text);
}

void PgDrawTextBox(QPainter &painter, const QRect &rect, int flags, const QString &text)
{
    painter.drawText(rect, flags, PgDisplayText(text));
}
