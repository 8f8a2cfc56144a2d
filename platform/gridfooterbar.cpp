#include "gridfooterbar.h"

#include "dbgrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTableView>

GridFooterBar::GridFooterBar(DBGrid *grid)
    : QWidget(grid)
    , m_grid(grid)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int GridFooterBar::rowHeight() const
{
    return fontMetrics().height() + 6;
}

QSize GridFooterBar::sizeHint() const
{
    return QSize(100, rowHeight() * std::max(1, m_grid->FooterRowCount()));
}

void GridFooterBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const QTableView *view = m_grid->view();
    const QHeaderView *header = view->horizontalHeader();
    const QRect viewport = view->viewport()->geometry();
    const int left = view->geometry().x() - geometry().x() + viewport.x();
    painter.setClipRect(QRect(left, 0, viewport.width(), height()));
    const int h = rowHeight();
    for (int row = 0; row < m_grid->FooterRowCount(); ++row) {
        for (int logical = 0; logical < m_grid->ColumnCount(); ++logical) {
            if (header->isSectionHidden(logical))
                continue;
            const QRect cell(left + header->sectionViewportPosition(logical), row * h, header->sectionSize(logical), h);
            QStyleOptionHeader option;
            option.initFrom(this);
            option.rect = cell;
            option.state |= QStyle::State_Raised;
            style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
            const GridColumn *column = m_grid->Columns(logical);
            Qt::Alignment align = column->footerAt(row).alignment & Qt::AlignHorizontal_Mask;
            if (!align)
                align = column->Alignment() & Qt::AlignHorizontal_Mask;
            painter.setPen(palette().color(QPalette::ButtonText));
            painter.drawText(cell.adjusted(3, 0, -3, 0), int(align | Qt::AlignVCenter), m_grid->FooterText(logical, row));
        }
    }
}
