#include "griddelegate.h"

#include "dataset.h"
#include "dbgrid.h"
#include "field.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QTimer>

namespace {

const int buttonWidth = 16;

bool isInside(const QWidget *widget, const QWidget *container)
{
    for (const QWidget *w = widget; w; w = w->parentWidget())
        if (w == container)
            return true;
    return false;
}

// Values a lookup field can take: the result field of every row of its lookup dataset,
// each once, in the dataset's order.
void fillLookupItems(QComboBox *combo, const Field *field)
{
    const Dataset *ds = field->LookupDataSet();
    const Field *result = ds ? ds->FindField(field->LookupResultField()) : nullptr;
    if (!ds || !ds->Active() || !result)
        return;
    QStringList seen;
    for (int row = 0; row < ds->rowCount(); ++row) {
        const QVariant value = ds->valueAt(row, result);
        const QString text = result->displayTextOf(value);
        if (value.isNull() || seen.contains(text))
            continue;
        seen.append(text);
        combo->addItem(text, value);
    }
}

} // namespace

GridDelegate::GridDelegate(DBGrid *grid)
    : QStyledItemDelegate(grid)
    , m_grid(grid)
{
}

QRect GridDelegate::buttonRect(const QRect &cell)
{
    return QRect(cell.right() - buttonWidth + 1, cell.top(), buttonWidth, cell.height());
}

bool GridDelegate::hasButton(const QModelIndex &index) const
{
    const GridColumn *column = m_grid->Columns(index.column());
    return column && column->buttonStyle() == GridColumn::ButtonStyle::Ellipsis;
}

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    GridColumn *column = m_grid->Columns(index.column());
    Field *field = column ? column->field() : nullptr;
    if (!field || !m_grid->canEditCell(index.row(), index.column()))
        return nullptr;

    QWidget *editor = nullptr;
    if (!column->KeyList().isEmpty() || field->Kind() == FieldKind::Lookup) {
        auto *combo = new QComboBox(parent);
        if (field->Kind() == FieldKind::Lookup) {
            fillLookupItems(combo, field);
        } else {
            const qsizetype n = std::min(column->KeyList().size(), column->PickList().size());
            for (qsizetype i = 0; i < n; ++i)
                combo->addItem(column->PickList().at(i), column->KeyList().at(i));
        }
        combo->setMaxVisibleItems(16);
        connect(combo, &QComboBox::activated, this, &GridDelegate::userChanged);
        combo->view()->installEventFilter(const_cast<GridDelegate *>(this));
        editor = combo;
    } else if (!column->PickList().isEmpty()) {
        auto *combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(column->PickList());
        if (field->DataType() == FieldType::Text && field->Size() > 0)
            combo->lineEdit()->setMaxLength(field->Size());
        connect(combo, &QComboBox::activated, this, &GridDelegate::userChanged);
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, &GridDelegate::userChanged);
        combo->lineEdit()->installEventFilter(const_cast<GridDelegate *>(this));
        combo->view()->installEventFilter(const_cast<GridDelegate *>(this));
        editor = combo;
    } else {
        auto *line = new QLineEdit(parent);
        line->setFrame(false);
        switch (field->DataType()) {
        case FieldType::Text:
            if (field->Size() > 0)
                line->setMaxLength(field->Size());
            break;
        case FieldType::Integer:
        case FieldType::SmallInt:
        case FieldType::AutoInc:
            line->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d*")), line));
            break;
        case FieldType::Float:
            line->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d*([.,]\\d*)?")), line));
            break;
        default:
            break;
        }
        line->setAlignment(column->Alignment() | Qt::AlignVCenter);
        connect(line, &QLineEdit::textEdited, this, &GridDelegate::userChanged);
        editor = line;
    }
    m_editor = editor;
    m_index = index;
    m_modified = false;
    m_listClosingKey = 0;
    m_released = false;
    connect(editor, &QObject::destroyed, this, [this, editor] {
        if (m_editor == editor || m_editor.isNull())
            m_modified = false;
    });
    return editor;
}

void GridDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == m_editor)
        m_released = true;
    QStyledItemDelegate::destroyEditor(editor, index);
}

void GridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // The view refreshes editors on every change of the row; the user's text wins.
    if (editor == m_editor && m_modified)
        return;
    const GridColumn *column = m_grid->Columns(index.column());
    const Field *field = column ? column->field() : nullptr;
    if (!field)
        return;
    const Dataset *ds = field->DataSet();
    const QVariant value = ds->valueAt(index.row(), field);
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        if (combo->isEditable()) {
            combo->setCurrentIndex(combo->findText(field->textOf(value)));
            combo->setEditText(field->textOf(value));
        } else if (field->Kind() == FieldKind::Lookup) {
            combo->setCurrentIndex(value.isNull() ? -1 : combo->findText(field->displayTextOf(value)));
        } else {
            combo->setCurrentIndex(value.isNull() ? -1 : int(column->KeyList().indexOf(field->textOf(value))));
        }
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(field->DataType() == FieldType::Boolean ? field->displayTextOf(value) : field->textOf(value));
    }
}

void GridDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &) const
{
    if (editor == m_editor)
        commit();
}

void GridDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QRect rect = option.rect;
    if (hasButton(index))
        rect.setRight(rect.right() - buttonWidth);
    editor->setGeometry(rect);
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    const QTableView *view = m_grid->view();
    const bool current = view->currentIndex() == index;
    if (current) {
        opt.state |= QStyle::State_Selected;
        if (!m_grid->contains(QApplication::focusWidget()))
            opt.state &= ~QStyle::State_Active;
    }
    opt.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, opt, index);
    if (current && hasButton(index)) {
        QStyleOptionButton button;
        button.rect = buttonRect(option.rect);
        button.text = QStringLiteral("...");
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        button.palette = option.palette;
        view->style()->drawControl(QStyle::CE_PushButton, &button, painter, view);
    }
}

bool GridDelegate::commit() const
{
    if (!m_editor || !m_modified)
        return true;
    const int column = m_index.column();
    const GridColumn *col = m_grid->Columns(column);
    if (!col)
        return true;
    QString text;
    QVariant value;
    if (auto *combo = qobject_cast<QComboBox *>(m_editor.data())) {
        if (combo->isEditable()) {
            text = combo->currentText();
            value = text;
        } else {
            if (combo->currentIndex() < 0)
                return true;
            text = combo->currentText();
            value = combo->currentData();
        }
    } else if (auto *line = qobject_cast<QLineEdit *>(m_editor.data())) {
        text = line->text();
        value = text;
    }
    if (!m_grid->writeCell(column, text, value))
        return false;
    m_modified = false;
    return true;
}

void GridDelegate::close()
{
    if (!m_editor)
        return;
    QWidget *editor = m_editor;
    m_modified = false;
    m_editor = nullptr;
    if (!m_released)
        Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridDelegate::userChanged() const
{
    if (m_modified || !m_editor)
        return;
    // Set first: entering Edit refreshes the row, which must not reset the user's text.
    m_modified = true;
    if (!m_grid->startEdit()) {
        m_modified = false;
        QTimer::singleShot(0, const_cast<GridDelegate *>(this), &GridDelegate::close);
    }
}

bool GridDelegate::eventFilter(QObject *object, QEvent *event)
{
    QWidget *editor = m_editor;
    if (!editor || !isInside(qobject_cast<QWidget *>(object), editor))
        return QStyledItemDelegate::eventFilter(object, event);
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (combo && object == combo->view())
        return listKey(combo, event);

    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (m_forwarding)
            return false;
        // (The list view is made on first use, which sends events here: not before a key.)
        const bool popupOpen = combo && combo->view()->isVisible();
        switch (key->key()) {
        case Qt::Key_Escape:
            if (popupOpen)
                return false;
            m_grid->cancelRow();
            return true;
        case Qt::Key_Enter:
        case Qt::Key_Return:
            if (popupOpen)
                return false;
            m_grid->enterPressed();
            return true;
        case Qt::Key_Delete:
            // Ctrl+Delete deletes the row from its cell's editor too: form grids always
            // show one, which would otherwise take the key as a word deletion.
            if (!(key->modifiers() & Qt::ControlModifier))
                return false;
            m_grid->deleteRow();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (!m_grid->commitEditor())
                return true;
            return QStyledItemDelegate::eventFilter(object, event);
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // Rows move with these keys also from a list editor; Alt+Down opens the list.
            if (combo && !popupOpen && !(key->modifiers() & Qt::AltModifier)) {
                QApplication::sendEvent(m_grid->view(), event);
                return true;
            }
            return false;
        default:
            break;
        }
        QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint())
            return false;
        if (!m_grid->filterTyped(text))
            return true;
        // A list that drops down by itself opens at the first typed character, on the
        // entry that character found.
        const GridColumn *column = m_grid->Columns(m_index.column());
        const bool dropDown = combo && !popupOpen && column && column->AutoDropDown();
        if (text == key->text() && !dropDown)
            return false;
        QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), text, key->isAutoRepeat(), ushort(key->count()));
        m_forwarding = true;
        QApplication::sendEvent(object, &replaced);
        m_forwarding = false;
        if (dropDown && m_editor == editor)
            combo->showPopup();
        return true;
    }
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (object == editor)
            m_grid->keyReleased(key->key(), key->modifiers());
        return false;
    }
    case QEvent::FocusOut: {
        // Only leaving the grid writes the editor here; moves inside the grid write it
        // when the current cell changes, and a list popup or another window keep it open.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (object != editor || reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        QWidget *now = QApplication::focusWidget();
        if (!now || m_grid->contains(now))
            return false;
        if (m_grid->commitEditor())
            const_cast<GridDelegate *>(this)->close();
        return false;
    }
    default:
        return QStyledItemDelegate::eventFilter(object, event);
    }
}

bool GridDelegate::listKey(QComboBox *combo, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    QAbstractItemView *list = combo->view();
    if (list->isVisible()) {
        // A key the list takes before it is pressed (Enter, Escape) may close it; its press
        // then comes to the closed list.
        m_listClosingKey = event->type() == QEvent::ShortcutOverride ? key->key() : 0;
        if (event->type() != QEvent::KeyPress || (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab))
            return false;
        // Tab takes the highlighted entry and leaves the cell, as it does once the list is closed.
        const QModelIndex highlighted = list->currentIndex();
        combo->hidePopup();
        if (highlighted.isValid() && highlighted.row() != combo->currentIndex()) {
            combo->setCurrentIndex(highlighted.row());
            userChanged();
        }
        QKeyEvent tab(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(combo, &tab);
        return true;
    }
    if (event->type() == QEvent::KeyPress && key->key() == m_listClosingKey) {
        m_listClosingKey = 0;
        return true;
    }
    // Keys typed right after the list closed can still come to it (the window system gave
    // them to the list while it held the keyboard): they belong to the cell.
    if (event->type() == QEvent::KeyPress) {
        QKeyEvent late(QEvent::KeyPress, key->key(), key->modifiers(), key->text(), key->isAutoRepeat(), ushort(key->count()));
        QApplication::sendEvent(combo, &late);
    }
    return true;
}
