#pragma once
// The item model between a DBGrid's view and its dataset: rows are the dataset's display
// rows (Dataset::rowCount, the pending insert included), columns are the grid's columns.
// Nothing is copied; every cell is read from the dataset when the view paints it.
// Internal to DBGrid.
#include <QAbstractTableModel>

class DBGrid;

class GridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit GridModel(DBGrid *grid);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The dataset's rows changed in number or order: rows are added or removed at the end
    // to reach the new count and every cell is read again.
    void syncRows();
    // Every cell is read again (same rows).
    void refreshAll();
    void refreshRow(int row);
    void refreshHeader();
    // The column set changed.
    void resetColumns();

private:
    DBGrid *m_grid;
    int m_rows = 0;
};
