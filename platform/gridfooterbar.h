#pragma once
// The footer rows of a DBGrid, drawn under the cells and aligned with the columns as they
// are resized and scrolled. Internal to DBGrid.
#include <QWidget>

class DBGrid;

class GridFooterBar : public QWidget
{
    Q_OBJECT

public:
    explicit GridFooterBar(DBGrid *grid);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    int rowHeight() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DBGrid *m_grid;
};
