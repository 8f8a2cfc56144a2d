#include "gridview.h"

#include "dbgrid.h"
#include "griddelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

GridView::GridView(DBGrid *grid)
    : QTableView(grid)
    , m_grid(grid)
{
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
    switch (event->key()) {
    case Qt::Key_Escape:
        m_grid->cancelRow();
        return;
    case Qt::Key_Enter:
    case Qt::Key_Return:
        m_grid->enterPressed();
        return;
    case Qt::Key_Down:
        if (plain && (model()->rowCount() == 0 || (currentIndex().isValid() && currentIndex().row() == model()->rowCount() - 1))) {
            m_grid->appendRow();
            return;
        }
        break;
    case Qt::Key_Insert:
        if (plain) {
            m_grid->insertRow();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (!m_grid->isEditing()) {
            m_grid->deleteRow();
            return;
        }
        break;
    default:
        // Typing into an empty grid starts its first row.
        if (model()->rowCount() == 0 && !event->text().isEmpty() && event->text().at(0).isPrint())
            m_grid->appendRow();
        break;
    }
    QTableView::keyPressEvent(event);
}

void GridView::keyReleaseEvent(QKeyEvent *event)
{
    // Releases inside an editor were reported by the editor's filter already.
    if (hasFocus())
        m_grid->keyReleased(event->key(), event->modifiers());
    QTableView::keyReleaseEvent(event);
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && index == currentIndex()) {
        const GridColumn *column = m_grid->Columns(index.column());
        if (column && column->buttonStyle() == GridColumn::ButtonStyle::Ellipsis
            && GridDelegate::buttonRect(visualRect(index)).contains(event->position().toPoint())) {
            m_grid->clickEditButton();
            return;
        }
    }
    QTableView::mousePressEvent(event);
}

void GridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    m_grid->currentCellChanged(current);
    openEditorIfAlwaysShown();
}

void GridView::openEditorIfAlwaysShown()
{
    // One pending opening is enough however often the cursor moves; a hidden grid has no
    // focus to open an editor with.
    if (!(m_grid->options() & DBGrid::AlwaysShowEditor) || m_editorQueued || !isVisible())
        return;
    m_editorQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_editorQueued = false;
        // Only a grid that has the focus: an editor takes the focus when it opens.
        const QModelIndex index = currentIndex();
        if (index.isValid() && !m_grid->isEditing() && m_grid->contains(QApplication::focusWidget())
            && m_grid->canEditCell(index.row(), index.column()))
            edit(index);
    });
}

void GridView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
    openEditorIfAlwaysShown();
}

void GridView::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}
