#pragma once
// The row indicator column of a DBGrid: a triangle on the current row while browsing, an
// "I" while it is edited and a "*" on a row being inserted. Internal to DBGrid.
#include <QHeaderView>

class DBGrid;

class GridIndicator : public QHeaderView
{
    Q_OBJECT

public:
    GridIndicator(DBGrid *grid, QWidget *parent);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    DBGrid *m_grid;
};
