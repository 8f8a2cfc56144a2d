#include "gridindicator.h"

#include "dataset.h"
#include "dbgrid.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>

GridIndicator::GridIndicator(DBGrid *grid, QWidget *parent)
    : QHeaderView(Qt::Vertical, parent)
    , m_grid(grid)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
}

QSize GridIndicator::sizeHint() const
{
    // Only the width counts for the view; measuring the rows' captions (the base class
    // does, again after every change of the rows) is work for nothing.
    return QSize(fontMetrics().horizontalAdvance(QLatin1Char('M')) + 6, defaultSectionSize());
}

void GridIndicator::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    QStyleOptionHeader option;
    option.initFrom(this);
    option.rect = rect;
    option.orientation = Qt::Vertical;
    option.state |= QStyle::State_Raised;
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    if (logicalIndex != m_grid->currentRow())
        return;
    const Dataset *ds = m_grid->DataSet();
    const DatasetState state = ds ? ds->State() : DatasetState::Inactive;
    painter->save();
    painter->setPen(palette().color(QPalette::ButtonText));
    if (state == DatasetState::Edit || state == DatasetState::Insert) {
        painter->drawText(rect, Qt::AlignCenter, state == DatasetState::Edit ? QStringLiteral("I") : QStringLiteral("*"));
    } else {
        const int h = std::min(rect.height() - 6, rect.width() - 4) / 2;
        const QPointF c = QRectF(rect).center();
        QPainterPath path;
        path.moveTo(c.x() - h / 2.0, c.y() - h);
        path.lineTo(c.x() + h / 2.0 + 1, c.y());
        path.lineTo(c.x() - h / 2.0, c.y() + h);
        path.closeSubpath();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->fillPath(path, palette().color(QPalette::ButtonText));
    }
    painter->restore();
}
