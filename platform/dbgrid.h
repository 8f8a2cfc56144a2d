#pragma once
// The data-aware grid of the forms: one row per record of the dataset behind its
// DataSource, one cell per GridColumn. Rows are read on demand from the dataset's row
// access (Dataset::rowCount/valueAt), so a grid over many thousand rows costs only the
// rows on screen.
//
// The grid follows the dataset's cursor and moves it: selecting another row moves the
// dataset there, which posts a pending edit first. Editing follows the dataset's states:
// changing a cell starts Edit; Escape cancels the edit or insert; Down on the last row
// appends and the Insert key inserts, when allowed; Delete or Ctrl+Delete deletes the
// current record. A Before* handler that cancels with Abort() (a failed field check, a
// refused delete) is caught here: the row stays as it was (in edit, for a refused post)
// so that the user can correct it. Any other failure (an SQL error, a value that does not
// fit the field) goes to OnError with a Spanish message and loses nothing: the editor
// keeps the typed text.
//
// Cells show the field's display text in the fixed Chilean format, numbers accept a
// decimal comma, texts are cut to the field's size. The grid never changes typed letters
// itself; OnKeyPress sees every typed character first and may replace or drop it.
//
// Who calls what: the form builder creates the grid and its columns and sets the hooks;
// the form framework binds OnKeyPress (Enter navigation), OnExit and the columns'
// OnUpdateData; the print layer reads columns, titles, widths and footers.
//
// Typical set-up:
//     auto *grid = new DBGrid(page);
//     grid->setObjectName("dbgKELU_desc");
//     grid->addColumn("num");                          // title from the field's label
//     GridColumn *est = grid->addColumn("est_san");
//     est->setKeyList({"1", "2"});                      // codes stored
//     est->setPickList({"Bueno", "Malo"});              // descriptions shown
//     grid->setFooterRowCount(1);
//     grid->Columns(0)->Footer() = {GridFooter::ValueType::StaticText, "Total:", {}, {}};
//     grid->ColumnByFieldName("sup")->Footer().valueType = GridFooter::ValueType::Sum;
//     grid->setDataSource(dsrcKELU_desc);
//     QString error;
//     if (!grid->checkBindings(&error)) ...             // a column naming no field
#include "gridcolumn.h"

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class DataSource;
class Dataset;
class GridDelegate;
class GridFooterBar;
class GridModel;
class GridView;
class QScrollBar;
class QTableView;

class DBGrid : public QWidget
{
    Q_OBJECT

public:
    enum Option {
        Editing = 0x1,          // cells can be edited
        AlwaysShowEditor = 0x2, // the current cell's editor is open without typing
        Indicator = 0x4,        // the row indicator column at the left
        CancelOnExit = 0x8,     // leaving the grid cancels an appended row nothing was typed into
    };
    Q_DECLARE_FLAGS(Options, Option)
    enum AllowedOperation {
        AllowInsert = 0x1, // the Insert key inserts a row
        AllowUpdate = 0x2, // existing rows can be edited
        AllowDelete = 0x4, // Delete / Ctrl+Delete delete the current row
        AllowAppend = 0x8, // Down on the last row appends (and the framework's Enter)
    };
    Q_DECLARE_FLAGS(AllowedOperations, AllowedOperation)

    // A typed character (Enter comes as '\r'); set `key` to another character to replace
    // it or to a null QChar to drop it. May throw EAbort.
    using KeyPressEvent = std::function<void(DBGrid *grid, QChar &key)>;
    using KeyUpEvent = std::function<void(DBGrid *grid, int key, Qt::KeyboardModifiers modifiers)>;
    // OnExit: the focus left the grid for another control of its window (an open editor was
    // written first). An EAbort from it brings the focus back to the grid.
    using NotifyEvent = std::function<void(DBGrid *grid)>;
    using ErrorEvent = std::function<void(DBGrid *grid, const QString &message)>;

    explicit DBGrid(QWidget *parent = nullptr);
    ~DBGrid() override;

    // The grid whose part `widget` is (the grid, its view, an editor), or null.
    static DBGrid *fromWidget(QWidget *widget);

    // --- data
    DataSource *dataSource() const;
    // Not owned; may be shared with other controls.
    void setDataSource(DataSource *source);
    // The dataset behind the data source, or null.
    Dataset *DataSet() const;

    // --- columns (owned by the grid)
    GridColumn *addColumn(const QString &fieldName);
    GridColumn *insertColumn(int index, const QString &fieldName);
    void removeColumn(int index);
    void clearColumns();
    int ColumnCount() const { return int(m_columns.size()); }
    // Null when out of range.
    GridColumn *Columns(int index) const;
    int indexOf(const GridColumn *column) const;
    // The last column bound to `fieldName` (case ignored), or null.
    GridColumn *ColumnByFieldName(const QString &fieldName) const;
    // True when every column names a field of the open dataset; else false with
    // "Campo "x" no existe en DataSet "y" (grilla "z")" in `error`.
    bool checkBindings(QString *error = nullptr) const;

    // --- current column
    // The current column's index, -1 without columns.
    int SelectedIndex() const { return m_selectedIndex; }
    // Makes `index` the current column (a hidden column is skipped to the next visible one).
    void setSelectedIndex(int index);
    GridColumn *SelectedColumn() const { return Columns(m_selectedIndex); }

    // --- behaviour
    Options options() const { return m_options; }
    void setOptions(Options options);
    AllowedOperations allowedOperations() const { return m_allowed; }
    void setAllowedOperations(AllowedOperations operations);
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    // Can the cell at display row `row`, column `column` be edited now.
    bool canEditCell(int row, int column) const;

    // --- look
    QString Hint() const { return m_hint; }
    // The tooltip of the grid and its cells.
    void setHint(const QString &hint);
    QColor Color() const;
    // Background of the cells.
    void setColor(const QColor &color);
    QColor FontColor() const;
    void setFontColor(const QColor &color);

    // --- footer
    int FooterRowCount() const { return m_footerRows; }
    void setFooterRowCount(int rows);
    bool SumListActive() const { return m_sumListActive; }
    void setSumListActive(bool active);
    // The value of a footer cell: the caption, or the aggregate (a double; count as an
    // integer); a null QVariant for an empty cell.
    QVariant FooterValue(int column, int row = 0) const;
    // The text the footer cell shows (numbers in the Chilean format).
    QString FooterText(int column, int row = 0) const;

    // --- editing
    // A cell editor is open.
    bool isEditing() const;
    // Writes the open editor's text to the field (starting Edit); false when the value was
    // refused (the editor stays open). True when no editor is open.
    bool commitEditor();
    // Closes the open editor without writing.
    void discardEditor();
    // Clicks the current column's edit button (what a mouse click on "..." does).
    void clickEditButton();
    // Focuses the first cell of the current row that can be edited (its editor open when
    // the grid always shows it), so that typing goes into that row.
    void focusFirstEditableCell();

    // The view showing the cells (for focus handling and tests).
    QTableView *view() const;

    KeyPressEvent OnKeyPress;
    KeyUpEvent OnKeyUp;
    NotifyEvent OnExit;
    ErrorEvent OnError;

    // --- for the grid's parts
    void columnChanged(GridColumn *column, bool geometry);
    void reportError(const QString &message);
    // Runs `operation` at an event boundary: EAbort is dropped, other failures reported.
    // False when it did not complete.
    bool guarded(const std::function<void()> &operation);
    void reportDatasetError();
    // Moves the dataset to display row `row` (posting first); the row reached, or -1.
    int moveToRow(int row);
    // The current display row of the dataset, -1 when none.
    int currentRow() const;
    void appendRow();
    void insertRow();
    void deleteRow();
    void cancelRow();
    void enterPressed();
    // Applies OnKeyPress to typed text; false when it was dropped.
    bool filterTyped(QString &text);
    // The text typed into a cell editor becomes the field's value. False when refused.
    bool writeCell(int column, const QString &text, const QVariant &value);
    // Starts Edit for a change of the current row; false when refused.
    bool startEdit();
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);
    void updateFooters();
    void currentCellChanged(const QModelIndex &current);
    // `widget` is the grid or one of its parts (an editor's list popup included).
    bool contains(const QWidget *widget) const;
    // The grid is moving its view to the dataset's cursor.
    bool isSyncing() const { return m_syncing; }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Activates the grid's window again and focuses its view after a button's modal window.
    void takeFocusBack();
    void connectSource();
    void disconnectSource();
    void onState();
    void onLayout();
    void onData(Field *field);
    void syncCurrent();
    void scheduleScroll();
    void scrollToCurrent();
    void applyColumnGeometry();
    void rebuildColumns();
    void updateHeader();
    void focusChanged(QWidget *old, QWidget *now);
    int firstVisibleFrom(int index) const;

    std::vector<std::unique_ptr<GridColumn>> m_columns;
    QPointer<DataSource> m_source;
    QList<QMetaObject::Connection> m_sourceConnections;
    GridModel *m_model = nullptr;
    GridView *m_view = nullptr;
    GridDelegate *m_delegate = nullptr;
    GridFooterBar *m_footer = nullptr;
    QScrollBar *m_hbar = nullptr;
    int m_selectedIndex = -1;
    Options m_options = Options(Editing | Indicator);
    AllowedOperations m_allowed = AllowedOperations(AllowInsert | AllowUpdate | AllowDelete | AllowAppend);
    bool m_readOnly = false;
    int m_tag = 0;
    QString m_hint;
    int m_footerRows = 0;
    bool m_sumListActive = true;
    QList<QList<QVariant>> m_footerValues; // [column][row]
    bool m_syncing = false;
    int m_shownRow = -1;        // the dataset row the view last showed as current
    bool m_scrollPending = false; // the current row still has to be brought into view
    bool m_scrollQueued = false;

    friend class GridModel;
    friend class GridView;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DBGrid::Options)
Q_DECLARE_OPERATORS_FOR_FLAGS(DBGrid::AllowedOperations)
