#pragma once
// The current-cell keeper of a DBGrid's view. A change of the current cell first writes the
// open editor and, for another row, moves the dataset there (posting a pending edit); when
// either is refused the current cell stays where it is. Internal to DBGrid.
#include <QItemSelectionModel>

class DBGrid;

class GridSelection : public QItemSelectionModel
{
    Q_OBJECT

public:
    GridSelection(DBGrid *grid, QAbstractItemModel *model);

    void setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override;

private:
    DBGrid *m_grid;
};
