#include "gridmodel.h"

#include "dataset.h"
#include "dbgrid.h"
#include "field.h"

#include <QBrush>

namespace {

// Text of cells that cannot be written, and of replicas.
const QColor readOnlyText(112, 112, 112);

} // namespace

GridModel::GridModel(DBGrid *grid)
    : QAbstractTableModel(grid)
    , m_grid(grid)
{
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid->ColumnCount();
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    const GridColumn *column = m_grid->Columns(index.column());
    if (!column || index.row() < 0 || index.row() >= m_rows)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return column->DisplayTextAt(index.row());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(column->Alignment() | Qt::AlignVCenter));
    case Qt::ForegroundRole:
        if (m_grid->ReadOnly() || !column->canWrite())
            return QBrush(readOnlyText);
        return QVariant();
    case Qt::ToolTipRole:
        return m_grid->Hint().isEmpty() ? QVariant() : QVariant(m_grid->Hint());
    default:
        return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (const GridColumn *column = m_grid->Columns(section))
            return column->TitleCaption();
    }
    return QVariant();
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_grid->canEditCell(index.row(), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

void GridModel::syncRows()
{
    const Dataset *ds = m_grid->DataSet();
    const int rows = ds && ds->Active() ? ds->rowCount() : 0;
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    refreshAll();
}

void GridModel::refreshAll()
{
    if (m_rows > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
    refreshHeader();
}

void GridModel::refreshRow(int row)
{
    if (row >= 0 && row < m_rows && columnCount() > 0)
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void GridModel::refreshHeader()
{
    if (m_rows > 0)
        Q_EMIT headerDataChanged(Qt::Vertical, 0, m_rows - 1);
}

void GridModel::resetColumns()
{
    beginResetModel();
    const Dataset *ds = m_grid->DataSet();
    m_rows = ds && ds->Active() ? ds->rowCount() : 0;
    endResetModel();
}
