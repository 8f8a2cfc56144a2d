#include "dbgrid.h"

#include "abort.h"
#include "chileantext.h"
#include "dataset.h"
#include "dataseterror.h"
#include "datasource.h"
#include "field.h"
#include "focoretorno.h"
#include "griddelegate.h"
#include "gridfooterbar.h"
#include "gridheader.h"
#include "gridindicator.h"
#include "gridmodel.h"
#include "gridselection.h"
#include "gridview.h"

#include <QApplication>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

QString labelOf(const Field *field)
{
    return field->DisplayLabel().replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

} // namespace

DBGrid::DBGrid(QWidget *parent)
    : QWidget(parent)
{
    m_model = new GridModel(this);
    m_view = new GridView(this);
    m_view->setHorizontalHeader(new GridHeader(this, m_view));
    m_view->setVerticalHeader(new GridIndicator(this, m_view));
    m_view->setModel(m_model);
    QItemSelectionModel *defaultSelection = m_view->selectionModel();
    m_view->setSelectionModel(new GridSelection(this, m_model));
    delete defaultSelection;
    m_delegate = new GridDelegate(this);
    m_view->setItemDelegate(m_delegate);
    m_view->setSelectionMode(QAbstractItemView::NoSelection);
    m_view->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::SelectedClicked);
    m_view->setWordWrap(false);
    // The grid brings the current cell into view itself, once per event-loop turn.
    m_view->setAutoScroll(false);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_view->horizontalHeader()->setMinimumSectionSize(8);

    m_footer = new GridFooterBar(this);
    m_footer->hide();
    m_hbar = new QScrollBar(Qt::Horizontal, this);
    m_hbar->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_footer);
    layout->addWidget(m_hbar);
    setFocusProxy(m_view);

    // The footer sits between the cells and the scroll bar, so the bar is the grid's own.
    QScrollBar *inner = m_view->horizontalScrollBar();
    connect(inner, &QScrollBar::rangeChanged, this, [this, inner](int min, int max) {
        m_hbar->setRange(min, max);
        m_hbar->setPageStep(inner->pageStep());
        m_hbar->setSingleStep(inner->singleStep());
        m_hbar->setVisible(max > min);
    });
    connect(inner, &QScrollBar::valueChanged, m_hbar, &QScrollBar::setValue);
    connect(m_hbar, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
    connect(inner, &QScrollBar::valueChanged, m_footer, qOverload<>(&QWidget::update));
    QHeaderView *header = m_view->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (GridColumn *column = Columns(logical); column && !m_syncing && column->Visible() && size > 0)
            column->m_width = size;
        m_footer->update();
    });
    connect(header, &QHeaderView::sectionMoved, m_footer, qOverload<>(&QWidget::update));
    connect(qApp, &QApplication::focusChanged, this, &DBGrid::focusChanged);
}

DBGrid::~DBGrid()
{
    disconnectSource();
    disconnect(qApp, nullptr, this, nullptr);
    // The view and the footer read the columns while they go, so they go first.
    delete m_view;
    m_view = nullptr;
    delete m_footer;
    m_footer = nullptr;
}

DBGrid *DBGrid::fromWidget(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget())
        if (auto *grid = qobject_cast<DBGrid *>(w))
            return grid;
    return nullptr;
}

// --- data ------------------------------------------------------------------------------

DataSource *DBGrid::dataSource() const
{
    return m_source;
}

Dataset *DBGrid::DataSet() const
{
    return m_source ? m_source->DataSet() : nullptr;
}

void DBGrid::setDataSource(DataSource *source)
{
    if (source == m_source)
        return;
    discardEditor();
    disconnectSource();
    m_source = source;
    connectSource();
    rebuildColumns();
}

void DBGrid::connectSource()
{
    if (!m_source)
        return;
    m_sourceConnections << connect(m_source, &DataSource::stateChanged, this, &DBGrid::onState)
                        << connect(m_source, &DataSource::layoutChanged, this, &DBGrid::onLayout)
                        << connect(m_source, &DataSource::dataChanged, this, &DBGrid::onData)
                        << connect(m_source, &QObject::destroyed, this, [this] {
                               m_sourceConnections.clear();
                               rebuildColumns();
                           });
}

void DBGrid::disconnectSource()
{
    for (const QMetaObject::Connection &c : std::as_const(m_sourceConnections))
        disconnect(c);
    m_sourceConnections.clear();
}

void DBGrid::onState()
{
    const Dataset *ds = DataSet();
    if (isEditing() && (!ds || (ds->State() != DatasetState::Edit && ds->State() != DatasetState::Insert)))
        discardEditor();
    m_model->refreshRow(currentRow());
    m_model->refreshHeader();
    m_view->verticalHeader()->viewport()->update();
    updateFooters();
}

void DBGrid::onLayout()
{
    m_model->syncRows();
    // Widths not set follow the fields, which may have just been defined.
    applyColumnGeometry();
    updateHeader();
    syncCurrent();
    updateFooters();
}

void DBGrid::onData(Field *field)
{
    const int row = currentRow();
    if (field) {
        m_model->refreshRow(row);
        updateFooters();
        return;
    }
    // A move, or the current record read again, changes only the rows it leaves and reaches.
    m_model->refreshRow(m_shownRow);
    if (row != m_shownRow)
        m_model->refreshRow(row);
    syncCurrent();
}

int DBGrid::currentRow() const
{
    const Dataset *ds = DataSet();
    return ds && ds->Active() ? ds->currentRow() : -1;
}

void DBGrid::syncCurrent()
{
    const int row = currentRow();
    if (isEditing() && m_delegate->editorIndex().row() != row)
        discardEditor();
    if (m_selectedIndex < 0 || m_selectedIndex >= ColumnCount())
        m_selectedIndex = firstVisibleFrom(0);
    const QModelIndex index = row >= 0 && row < m_model->rowCount() && m_selectedIndex >= 0 ? m_model->index(row, m_selectedIndex)
                                                                                            : QModelIndex();
    m_shownRow = row;
    m_syncing = true;
    if (m_view->selectionModel()->currentIndex() != index)
        m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_syncing = false;
    if (index.isValid())
        scheduleScroll();
    m_view->verticalHeader()->viewport()->update();
}

void DBGrid::scheduleScroll()
{
    // Bringing the row into view lays the items out: once per event-loop turn, however
    // many moves an export or a printout makes, and not at all while the grid is hidden
    // (showing it brings the current row into view).
    m_scrollPending = true;
    if (m_scrollQueued || !isVisible())
        return;
    m_scrollQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_scrollQueued = false;
            scrollToCurrent();
        },
        Qt::QueuedConnection);
}

void DBGrid::scrollToCurrent()
{
    if (!m_scrollPending || !isVisible())
        return;
    m_scrollPending = false;
    if (const QModelIndex index = m_view->currentIndex(); index.isValid())
        m_view->scrollTo(index);
}

void DBGrid::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_scrollPending)
        scheduleScroll();
}

int DBGrid::moveToRow(int row)
{
    Dataset *ds = DataSet();
    if (!ds || !ds->Active())
        return -1;
    int target = row;
    bool refused = false;
    const bool done = guarded([&] {
        const DatasetState state = ds->State();
        if (state == DatasetState::Edit || state == DatasetState::Insert) {
            if (target == ds->currentRow())
                return;
            const int insertAt = ds->currentRow();
            const int before = ds->rowCount();
            if (!ds->CheckBrowseMode()) {
                reportDatasetError();
                refused = true;
                return;
            }
            // A cancelled empty insert took its row away: rows below moved up by one.
            if (state == DatasetState::Insert && ds->rowCount() < before && target > insertAt)
                --target;
        }
        if (target != ds->currentRow())
            ds->setRecNo(target + 1);
    });
    if (!done || refused)
        return -1;
    return ds->currentRow();
}

// --- columns ---------------------------------------------------------------------------

GridColumn *DBGrid::addColumn(const QString &fieldName)
{
    return insertColumn(ColumnCount(), fieldName);
}

GridColumn *DBGrid::insertColumn(int index, const QString &fieldName)
{
    index = std::clamp(index, 0, ColumnCount());
    discardEditor();
    auto column = std::make_unique<GridColumn>(this, fieldName);
    GridColumn *out = column.get();
    m_columns.insert(m_columns.begin() + index, std::move(column));
    if (m_selectedIndex >= index)
        ++m_selectedIndex;
    rebuildColumns();
    return out;
}

void DBGrid::removeColumn(int index)
{
    if (index < 0 || index >= ColumnCount())
        return;
    discardEditor();
    m_columns.erase(m_columns.begin() + index);
    if (m_selectedIndex > index || m_selectedIndex >= ColumnCount())
        --m_selectedIndex;
    rebuildColumns();
}

void DBGrid::clearColumns()
{
    discardEditor();
    m_columns.clear();
    m_selectedIndex = -1;
    rebuildColumns();
}

GridColumn *DBGrid::Columns(int index) const
{
    return index >= 0 && index < ColumnCount() ? m_columns[std::size_t(index)].get() : nullptr;
}

int DBGrid::indexOf(const GridColumn *column) const
{
    for (int i = 0; i < ColumnCount(); ++i)
        if (m_columns[std::size_t(i)].get() == column)
            return i;
    return -1;
}

GridColumn *DBGrid::ColumnByFieldName(const QString &fieldName) const
{
    for (int i = ColumnCount() - 1; i >= 0; --i)
        if (m_columns[std::size_t(i)]->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return m_columns[std::size_t(i)].get();
    return nullptr;
}

bool DBGrid::checkBindings(QString *error) const
{
    const Dataset *ds = DataSet();
    for (const auto &column : m_columns) {
        if (column->field())
            continue;
        if (error)
            *error = QStringLiteral("Campo \"%1\" no existe en DataSet \"%2\" (grilla \"%3\")")
                         .arg(column->FieldName(), ds ? ds->displayName() : QString(), objectName());
        return false;
    }
    return true;
}

void DBGrid::columnChanged(GridColumn *, bool geometry)
{
    if (geometry) {
        applyColumnGeometry();
        updateHeader();
    }
    m_model->refreshAll();
    m_view->viewport()->update();
    updateFooters();
}

void DBGrid::rebuildColumns()
{
    m_syncing = true;
    m_model->resetColumns();
    m_syncing = false;
    applyColumnGeometry();
    updateHeader();
    syncCurrent();
    updateFooters();
}

void DBGrid::applyColumnGeometry()
{
    QHeaderView *header = m_view->horizontalHeader();
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    for (int i = 0; i < ColumnCount() && i < header->count(); ++i) {
        const GridColumn *column = m_columns[std::size_t(i)].get();
        m_view->setColumnHidden(i, !column->Visible());
        if (column->Visible())
            header->resizeSection(i, column->Width());
    }
    m_syncing = wasSyncing;
    if (GridColumn *selected = SelectedColumn(); selected && !selected->Visible())
        setSelectedIndex(m_selectedIndex);
}

void DBGrid::updateHeader()
{
    m_view->horizontalHeader()->updateGeometry();
    m_view->relayout();
    m_view->horizontalHeader()->viewport()->update();
}

int DBGrid::firstVisibleFrom(int index) const
{
    for (int i = std::max(index, 0); i < ColumnCount(); ++i)
        if (m_columns[std::size_t(i)]->Visible())
            return i;
    for (int i = std::min(index, ColumnCount()) - 1; i >= 0; --i)
        if (m_columns[std::size_t(i)]->Visible())
            return i;
    return ColumnCount() > 0 ? 0 : -1;
}

// --- current column --------------------------------------------------------------------

void DBGrid::setSelectedIndex(int index)
{
    const int target = firstVisibleFrom(std::clamp(index, 0, std::max(ColumnCount() - 1, 0)));
    if (target < 0)
        return;
    const int row = currentRow();
    if (row < 0 || row >= m_model->rowCount()) {
        m_selectedIndex = target;
        return;
    }
    m_view->selectionModel()->setCurrentIndex(m_model->index(row, target), QItemSelectionModel::NoUpdate);
    if (m_view->currentIndex().column() == target)
        m_selectedIndex = target;
}

void DBGrid::currentCellChanged(const QModelIndex &current)
{
    if (current.isValid()) {
        m_selectedIndex = current.column();
        scheduleScroll();
    }
    m_view->verticalHeader()->viewport()->update();
}

// --- behaviour -------------------------------------------------------------------------

void DBGrid::setOptions(Options options)
{
    m_options = options;
    m_view->verticalHeader()->setVisible(options & Indicator);
    if (!(options & Editing))
        discardEditor();
    m_model->refreshAll();
}

void DBGrid::setAllowedOperations(AllowedOperations operations)
{
    m_allowed = operations;
}

void DBGrid::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (readOnly)
        discardEditor();
    m_model->refreshAll();
}

bool DBGrid::canEditCell(int row, int column) const
{
    const GridColumn *col = Columns(column);
    const Dataset *ds = DataSet();
    if (!col || !ds || !ds->Active() || m_readOnly || !(m_options & Editing) || !col->canWrite() || !ds->CanModify())
        return false;
    const bool insertRow = ds->State() == DatasetState::Insert && row == ds->currentRow();
    return insertRow || (m_allowed & AllowUpdate) || (ds->IsEmpty() && (m_allowed & AllowAppend));
}

// --- look ------------------------------------------------------------------------------

void DBGrid::setHint(const QString &hint)
{
    m_hint = hint;
    setToolTip(hint);
    m_view->setToolTip(hint);
    m_view->horizontalHeader()->setToolTip(hint);
}

QColor DBGrid::Color() const
{
    return m_view->palette().color(QPalette::Base);
}

void DBGrid::setColor(const QColor &color)
{
    QPalette p = m_view->palette();
    p.setColor(QPalette::Base, color);
    m_view->setPalette(p);
}

QColor DBGrid::FontColor() const
{
    return m_view->palette().color(QPalette::Text);
}

void DBGrid::setFontColor(const QColor &color)
{
    QPalette p = m_view->palette();
    p.setColor(QPalette::Text, color);
    m_view->setPalette(p);
}

// --- footer ----------------------------------------------------------------------------

void DBGrid::setFooterRowCount(int rows)
{
    m_footerRows = std::max(rows, 0);
    m_footer->setVisible(m_footerRows > 0);
    m_footer->updateGeometry();
    updateFooters();
}

void DBGrid::setSumListActive(bool active)
{
    m_sumListActive = active;
    updateFooters();
}

void DBGrid::updateFooters()
{
    m_footerValues.clear();
    if (m_footerRows == 0)
        return;
    const Dataset *ds = DataSet();
    for (int c = 0; c < ColumnCount(); ++c) {
        const GridColumn *column = m_columns[std::size_t(c)].get();
        QList<QVariant> values;
        for (int r = 0; r < m_footerRows; ++r) {
            const GridFooter footer = column->footerAt(r);
            QVariant value;
            switch (footer.valueType) {
            case GridFooter::ValueType::None:
                break;
            case GridFooter::ValueType::StaticText:
                value = footer.value;
                break;
            case GridFooter::ValueType::Sum:
            case GridFooter::ValueType::Avg:
            case GridFooter::ValueType::Count: {
                if (!m_sumListActive || !ds || !ds->Active())
                    break;
                if (footer.valueType == GridFooter::ValueType::Count) {
                    value = qlonglong(ds->rowCount());
                    break;
                }
                const Field *f = ds->FindField(footer.fieldName.isEmpty() ? column->FieldName() : footer.fieldName);
                if (!f)
                    break;
                double sum = 0;
                int n = 0;
                for (int row = 0; row < ds->rowCount(); ++row) {
                    const QVariant v = ds->valueAt(row, f);
                    if (v.isNull())
                        continue;
                    sum += v.toDouble();
                    ++n;
                }
                if (footer.valueType == GridFooter::ValueType::Sum)
                    value = sum;
                else if (n > 0)
                    value = sum / n;
                break;
            }
            }
            values.append(value);
        }
        m_footerValues.append(values);
    }
    m_footer->update();
}

QVariant DBGrid::FooterValue(int column, int row) const
{
    return m_footerValues.value(column).value(row);
}

QString DBGrid::FooterText(int column, int row) const
{
    const QVariant value = FooterValue(column, row);
    if (value.typeId() == QMetaType::Double)
        return ChileanText::fromDouble(value.toDouble());
    return value.toString();
}

// --- editing ---------------------------------------------------------------------------

QTableView *DBGrid::view() const
{
    return m_view;
}

bool DBGrid::isEditing() const
{
    return m_view && m_delegate && m_delegate->editor();
}

bool DBGrid::commitEditor()
{
    return m_delegate->commit();
}

void DBGrid::discardEditor()
{
    if (m_delegate)
        m_delegate->close();
}

bool DBGrid::startEdit()
{
    Dataset *ds = DataSet();
    if (!ds || !ds->Active())
        return false;
    if (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert)
        return true;
    if (!(m_allowed & AllowUpdate) && !ds->IsEmpty())
        return false;
    guarded([ds] { ds->Edit(); });
    return ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert;
}

bool DBGrid::writeCell(int column, const QString &text, const QVariant &value)
{
    GridColumn *col = Columns(column);
    Field *field = col ? col->field() : nullptr;
    if (!field || !startEdit())
        return false;
    bool written = false;
    guarded([&] {
        QString t = text;
        QVariant v = value;
        bool handled = false;
        if (col->OnUpdateData)
            col->OnUpdateData(col, t, v, handled);
        if (handled) {
            written = true;
            return;
        }
        written = v.typeId() == QMetaType::QString ? field->setAsString(v.toString()) : field->setValue(v);
        if (!written)
            reportError(QStringLiteral("El valor \"%1\" no es válido para el campo \"%2\".").arg(t, labelOf(field)));
    });
    return written;
}

void DBGrid::clickEditButton()
{
    GridColumn *column = SelectedColumn();
    if (!column || column->buttonStyle() != GridColumn::ButtonStyle::Ellipsis || currentRow() < 0)
        return;
    if (!commitEditor())
        return;
    discardEditor();
    guarded([column] {
        bool handled = false;
        if (column->OnEditButtonClick)
            column->OnEditButtonClick(column, handled);
    });
    takeFocusBack();
    m_view->openEditorIfAlwaysShown();
}

void DBGrid::takeFocusBack()
{
    DevolverFoco(m_view);
}

void DBGrid::focusFirstEditableCell()
{
    const int row = currentRow();
    for (int c = 0; c < ColumnCount(); ++c) {
        if (firstVisibleFrom(c) == c && canEditCell(row, c)) {
            setSelectedIndex(c);
            break;
        }
    }
    m_view->setFocus(Qt::OtherFocusReason);
    m_view->openEditorIfAlwaysShown();
}

void DBGrid::appendRow()
{
    Dataset *ds = DataSet();
    if (!ds || !ds->Active() || m_readOnly || !(m_options & Editing) || !(m_allowed & AllowAppend) || !ds->CanModify())
        return;
    if (!commitEditor())
        return;
    discardEditor();
    // A new row nobody typed into is not followed by another one.
    if (ds->State() == DatasetState::Insert && !ds->Modified())
        return;
    guarded([this, ds] {
        if (!ds->Append())
            reportDatasetError();
    });
    m_view->openEditorIfAlwaysShown();
}

void DBGrid::insertRow()
{
    Dataset *ds = DataSet();
    if (!ds || !ds->Active() || m_readOnly || !(m_options & Editing) || !(m_allowed & AllowInsert) || !ds->CanModify())
        return;
    if (!commitEditor())
        return;
    discardEditor();
    guarded([this, ds] {
        if (!ds->Insert())
            reportDatasetError();
    });
    m_view->openEditorIfAlwaysShown();
}

void DBGrid::deleteRow()
{
    Dataset *ds = DataSet();
    if (!ds || !ds->Active() || m_readOnly || !(m_options & Editing) || !(m_allowed & AllowDelete) || !ds->CanModify())
        return;
    if (ds->IsEmpty() && ds->State() != DatasetState::Insert)
        return;
    discardEditor();
    guarded([this, ds] {
        if (!ds->Delete())
            reportDatasetError();
    });
    m_view->openEditorIfAlwaysShown();
}

void DBGrid::cancelRow()
{
    discardEditor();
    Dataset *ds = DataSet();
    if (ds && (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert))
        guarded([ds] { ds->Cancel(); });
    m_view->openEditorIfAlwaysShown();
}

void DBGrid::enterPressed()
{
    if (!commitEditor())
        return;
    discardEditor();
    if (OnKeyPress)
        guarded([this] {
            QChar key(QLatin1Char('\r'));
            OnKeyPress(this, key);
        });
    m_view->openEditorIfAlwaysShown();
}

bool DBGrid::filterTyped(QString &text)
{
    if (!OnKeyPress)
        return true;
    QString out;
    for (QChar c : std::as_const(text)) {
        QChar key = c;
        if (!guarded([this, &key] { OnKeyPress(this, key); }))
            continue;
        if (!key.isNull())
            out.append(key);
    }
    text = out;
    return !text.isEmpty();
}

void DBGrid::keyReleased(int key, Qt::KeyboardModifiers modifiers)
{
    if (OnKeyUp)
        guarded([&] { OnKeyUp(this, key, modifiers); });
}

// --- errors and focus ------------------------------------------------------------------

bool DBGrid::guarded(const std::function<void()> &operation)
{
    try {
        operation();
        return true;
    } catch (const EAbort &) {
        return false;
    } catch (const DatasetError &e) {
        reportError(e.message());
    } catch (const std::exception &e) {
        reportError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void DBGrid::reportDatasetError()
{
    const Dataset *ds = DataSet();
    if (ds && ds->lastError().isValid())
        reportError(ds->lastError().text());
}

void DBGrid::reportError(const QString &message)
{
    if (OnError) {
        try {
            OnError(this, message);
        } catch (...) {
            // An error handler that fails has nothing left to report to.
        }
        return;
    }
    QToolTip::showText(m_view->viewport()->mapToGlobal(m_view->visualRect(m_view->currentIndex()).bottomLeft()), message, m_view);
}

bool DBGrid::contains(const QWidget *widget) const
{
    for (const QWidget *w = widget; w; w = w->parentWidget())
        if (w == this)
            return true;
    return false;
}

void DBGrid::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange || !m_view)
        return;
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_footer->updateGeometry();
    applyColumnGeometry();
    updateHeader();
}

void DBGrid::focusChanged(QWidget *old, QWidget *now)
{
    // Focus going to another window (a dialog) is not leaving the grid.
    if (!old || !now || !contains(old) || contains(now) || now->window() != window())
        return;
    m_view->viewport()->update();
    // A row appended (or inserted) and left untouched is no row: it goes before the exit
    // handler would post it. Typed text, also text still in a refused editor, keeps it.
    Dataset *ds = DataSet();
    if ((m_options & CancelOnExit) && ds && ds->Active() && ds->State() == DatasetState::Insert && !ds->Modified()
        && !(m_delegate && m_delegate->modified()))
        guarded([ds] { ds->Cancel(); });
    // A refused exit (its post failed a check) keeps the user in the grid to correct it.
    if (OnExit && !guarded([this] { OnExit(this); }))
        QTimer::singleShot(0, m_view, [this] { m_view->setFocus(Qt::OtherFocusReason); });
}
