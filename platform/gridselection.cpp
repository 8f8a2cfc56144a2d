#include "gridselection.h"

#include "dbgrid.h"

GridSelection::GridSelection(DBGrid *grid, QAbstractItemModel *model)
    : QItemSelectionModel(model, grid)
    , m_grid(grid)
{
}

void GridSelection::setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command)
{
    QModelIndex target = index;
    if (!m_grid->isSyncing() && target.isValid()) {
        const QModelIndex current = currentIndex();
        if (target != current && m_grid->isEditing()) {
            if (!m_grid->commitEditor())
                return;
            m_grid->discardEditor();
        }
        if (!current.isValid() || target.row() != current.row()) {
            const int row = m_grid->moveToRow(target.row());
            if (row < 0)
                return;
            target = model()->index(row, target.column());
        }
    }
    QItemSelectionModel::setCurrentIndex(target, command);
}
