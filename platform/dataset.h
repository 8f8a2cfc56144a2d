#pragma once
// Base of the datasets (Table, Query): rows of one SELECT held in memory on Open, a cursor
// over them, and write-back of Post and Delete to the database file, row by row, by rowid.
// The counterpart of a form's table and dataset components; a form finds its datasets by
// objectName ("adtKELU_desc").
//
// States: Inactive, Browse, Edit, Insert (and CalcFields while OnCalcFields runs).
// Navigation First/Next/Prior/Last/MoveBy/RecNo first finish a pending edit as
// CheckBrowseMode does: post it when modified, else cancel it.
//
// Events are std::function members, assignable and testable for "unassigned":
//   Before/AfterInsert  order: BeforeInsert, BeforeScroll, (state Insert), OnNewRecord,
//                       AfterInsert, AfterScroll
//   Before/AfterEdit, Before/AfterPost, Before/AfterCancel
//   Before/AfterDelete  order: BeforeDelete, BeforeScroll, (row gone), AfterDelete, AfterScroll
//   Before/AfterScroll  around every navigation call, also when it cannot move
//   AfterOpen (then AfterScroll when not empty), BeforeClose, OnCalcFields
// A Before* handler cancels its operation with Abort() (abort.h): state and data stay as
// they were and the EAbort propagates to the caller of Post/Edit/Delete/... An exception
// from OnNewRecord cancels the insert.
//
// Errors: SQL failures (Open, Post, Delete, Refresh) return false and keep the error in
// lastError(); the dataset stays in its state (a failed Post stays in Edit/Insert).
// Faults of the calling code throw DatasetError: FieldByName on a missing field, writing
// a field outside Edit/Insert, editing a closed or read-only dataset.
//
// Data-aware controls observe through DataSource (datasource.h); DisableControls holds
// those notifications until the matching EnableControls, which then sends one refresh.
// Detail datasets (setMasterSource) follow their master even while controls are disabled.
// A table linked by integer columns reads only the master's current rows (an indexed
// query on each master move); any other detail holds all its rows and shows the master's.
#include "field.h"
#include "sqlerror.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class Connection;
class DataSource;
class FilterExpression;

enum class DatasetState { Inactive, Browse, Edit, Insert, CalcFields };

// Identifies a row across scrolling, filtering and Refresh (the rowid for editable
// datasets). Null when taken on an empty or closed dataset.
struct Bookmark
{
    qint64 key = 0;
    bool valid = false;
    bool isNull() const { return !valid; }
};

// The values of one row, as handed to filter predicates.
class RecordRef
{
public:
    RecordRef(const Dataset *dataset, const QVariantList *values)
        : m_dataset(dataset)
        , m_values(values)
    {
    }
    // Typed value (as Field::Value); a null QVariant for an unknown field.
    QVariant value(const QString &fieldName) const;
    QVariant value(const Field *field) const;

private:
    const Dataset *m_dataset;
    const QVariantList *m_values;
};

class Dataset : public QObject
{
    Q_OBJECT

public:
    using Event = std::function<void(Dataset *)>;
    using FilterPredicate = std::function<bool(const RecordRef &)>;
    enum LocateOption { NoLocateOptions = 0, CaseInsensitive = 1, PartialKey = 2 };
    Q_DECLARE_FLAGS(LocateOptions, LocateOption)

    explicit Dataset(QObject *parent = nullptr);
    ~Dataset() override;

    Connection *connection() const;
    // Attaches the dataset to a connection (in the connection's attachment order).
    void setConnection(Connection *connection);

    // --- opening
    bool Open();
    // Discards a pending edit without events; fields stay defined.
    void Close();
    bool Active() const { return m_state != DatasetState::Inactive; }
    bool setActive(bool active);
    // Big lists: an editable dataset reading on demand holds only its rows' keys (rowids,
    // in the SELECT's order) and reads values in pages as they are asked for; navigation,
    // Locate, Lookup and bookmarks still cover every row. Takes effect at the next Open.
    void setReadOnDemand(bool onDemand) { m_readOnDemand = onDemand; }
    bool ReadOnDemand() const { return m_readOnDemand; }
    DatasetState State() const { return m_state; }
    // The dataset can write back (a table, or a plain single-table query).
    bool CanModify() const;
    const SqlError &lastError() const { return m_error; }
    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // --- navigation
    void First();
    void Last();
    void Next();
    void Prior();
    // Moves by `distance` rows (clamped); returns the rows actually moved.
    int MoveBy(int distance);
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    // 1-based position among the visible rows; 0 when empty.
    int RecNo() const;
    void setRecNo(int recNo);
    // Visible rows (after filter and master link), the pending insert not counted.
    int RecordCount() const { return int(m_view.size()); }
    bool IsEmpty() const { return m_view.empty(); }
    Bookmark GetBookmark() const;
    bool GotoBookmark(const Bookmark &bookmark);
    bool BookmarkValid(const Bookmark &bookmark) const;
    // Moves to the first visible row whose fields (names separated by ';') equal the
    // values; false (cursor unchanged) when there is none.
    bool Locate(const QString &fieldNames, const QVariantList &values, LocateOptions options = NoLocateOptions);
    bool Locate(const QString &fieldName, const QVariant &value, LocateOptions options = NoLocateOptions);
    // The typed value of `resultField` in the first visible row matching, without moving;
    // a null QVariant when none matches.
    QVariant Lookup(const QString &keyFields, const QVariantList &values, const QString &resultField) const;

    // --- editing (see the header comment for events and errors)
    bool Append();
    bool Insert();
    // On an empty dataset Edit appends, as it always did.
    bool Edit();
    bool Post();
    void Cancel();
    // False when there is no row to delete or the statement failed.
    bool Delete();
    bool Modified() const { return m_modified; }
    // Posts a modified pending edit, cancels an unmodified one; false when the post failed.
    bool CheckBrowseMode();
    // Reads the rows again, keeping the current row (by rowid) or else its position.
    bool Refresh();

    // --- filter (see filterexpression.h for the text form)
    bool setFilter(const QString &filter);
    QString Filter() const { return m_filterText; }
    void setFilterPredicate(FilterPredicate predicate);
    void setFiltered(bool filtered);
    bool Filtered() const { return m_filtered; }

    // --- master-detail: only the rows whose detailFields equal the master's current
    // masterFields (names separated by ';') are visible; new rows get the master's values.
    void setMasterSource(DataSource *master, const QString &masterFields, const QString &detailFields);
    DataSource *MasterSource() const;

    // Changes whenever the rows held change (open, refresh, post, delete, filter, master
    // move), not when the cursor moves; for work that depends on the rows only.
    quint64 revision() const { return m_revision; }

    // --- data-aware controls
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }
    QList<DataSource *> dataSources() const;

    // --- fields, in column order then lookup and calculated fields in creation order
    int FieldCount() const { return int(m_fieldList.size()); }
    Field *Fields(int index) const { return m_fieldList.value(index); }
    const QList<Field *> &fieldList() const { return m_fieldList; }
    // Case-insensitive; throws DatasetError naming field and dataset when missing.
    Field *FieldByName(const QString &name) const;
    // Case-insensitive; null when missing.
    Field *FindField(const QString &name) const;
    Field *addLookupField(const QString &name, const QString &keyFields, Dataset *lookupDataSet,
                          const QString &lookupKeyFields, const QString &resultField);
    Field *addCalculatedField(const QString &name, FieldType type, int size = 0);
    // Turns the calculated field `name` into a lookup (as addLookupField), keeping the
    // Field object, so controls and grid columns bound to it stay valid. Only while the
    // dataset is closed: its rows' storage changes. Throws DatasetError otherwise or when
    // `name` is not a calculated field.
    Field *makeLookupField(const QString &name, const QString &keyFields, Dataset *lookupDataSet,
                           const QString &lookupKeyFields, const QString &resultField);

    // --- row access for grids: display rows are the visible rows plus the pending insert
    int rowCount() const;
    // Display row of the cursor (the pending insert's while inserting); -1 when none.
    int currentRow() const;
    // Typed value of a field in any display row (the edit buffer for the current row).
    QVariant valueAt(int row, const Field *field) const;
    QString displayTextAt(int row, const Field *field) const;

    // --- events
    Event AfterOpen, BeforeClose;
    Event BeforeInsert, AfterInsert, OnNewRecord;
    Event BeforeEdit, AfterEdit;
    Event BeforePost, AfterPost;
    Event BeforeCancel, AfterCancel;
    Event BeforeDelete, AfterDelete;
    Event BeforeScroll, AfterScroll;
    Event OnCalcFields;

    // --- for Field, DataSource and Connection
    QVariant fieldValue(const Field *field) const;
    // The stored value of a data or calculated field in the current record, without a
    // copy; null when there is none (no record, a lookup field).
    const QVariant *storedValue(const Field *field) const;
    // Typed value of a field in a row's stored values (lookups resolved).
    QVariant rowValue(const Field *field, const QVariantList &values) const;
    bool setFieldValue(Field *field, const QVariant &value);
    void addDataSource(DataSource *source);
    void removeDataSource(DataSource *source);
    void masterChanged();
    void connectionDestroyed();
    QString displayName() const;

protected:
    // What the subclass reads: the SELECT, its values and, for an editable dataset, the
    // table written back and the column list after SELECT ("*" or names).
    struct Source
    {
        QString sql;
        QVariantList params;
        QString table;      // empty: read-only
        QString columnList; // for re-reading one row after a post
        QString error;      // set when the definition itself is wrong
        bool linked = false; // the SQL reads only the master's current rows (see masterLink)
        QString keySql;      // the same rows' rowids in the same order; empty: no on-demand reading
    };
    virtual Source source() const = 0;
    // For a detail dataset: its link fields and the master's current values for them
    // (empty when the master has no current row). False when there is no master link.
    bool masterLink(QStringList *detailFields, QVariantList *values) const;

private:
    struct Row
    {
        qint64 key = 0;
        QVariantList values;
    };

    void checkActive(const char *operation) const;
    void checkLookupKeys(const QString &name, const QString &keyFields, const QString &lookupKeyFields) const;
    static void defineLookup(Field *f, const QString &keyFields, Dataset *lookupDataSet, const QString &lookupKeyFields,
                             const QString &resultField);
    void checkCanModify(const char *operation) const;
    // Reads the rows of source(); `keepFields` skips redefining the fields when the
    // columns read are those already defined (a detail following its master).
    bool load(std::vector<Row> &rows, bool keepFields = false);
    // Reads the rows again for the master's current row and stands on the first.
    void reloadForMaster();
    void defineFields(const QStringList &names, const QStringList &declared, const std::vector<Row> &rows);
    void rebuildView();
    // The stored values of a row, read (with a page of rows after it) when on demand.
    const QVariantList &valuesOf(const Row &row) const;
    void readPage(std::size_t rowIndex) const;
    bool readKeys(const Source &src, std::vector<Row> &rows);
    // The view index of the first visible row matching, -1 when none. On demand it is found
    // by one pass over the table's columns instead of reading every row.
    int findOnDemand(const QList<const Field *> &fields, const QVariantList &values, LocateOptions options) const;
    bool matches(const QList<const Field *> &fields, const QVariantList &row, const QVariantList &values,
                 LocateOptions options) const;
    // findOnDemand through a key -> row map where exact values of plain fields are sought.
    int findRow(const QList<const Field *> &fields, const QVariantList &values, LocateOptions options) const;
    // The rows held changed: the maps go, the revision moves on.
    void rowsChanged();
    bool passes(const Row &row) const;
    int viewIndexOfKey(qint64 key) const;
    bool readRow(qint64 key, QVariantList &values);
    void calculate(QVariantList &values);
    void calculateAll();
    bool hasCalculated() const;
    const QVariantList *currentValues() const;
    QVariant lookupValue(const Field *field, const QVariantList &values) const;
    QVariantList masterValues(bool *ok) const;
    bool isMasterField(const Field *field) const;
    void setState(DatasetState state);
    bool startInsert(bool append);
    void afterScroll();
    void silentClose();

    static QStringList splitNames(const QString &names);
    // True when notifications are held (controls disabled) or nobody listens.
    bool holdNotification();
    void notifyState();
    void notifyLayout();
    void notifyData(Field *field);
    void notifyDetails();
    void rebuildFieldIndex();

    QPointer<Connection> m_connection;
    DatasetState m_state = DatasetState::Inactive;
    SqlError m_error;
    int m_tag = 0;

    std::vector<std::unique_ptr<Field>> m_fields;
    QList<Field *> m_fieldList;
    QHash<QString, Field *> m_fieldIndex; // lower-case name
    int m_dataCount = 0;                  // data columns
    int m_slotCount = 0;                  // data + calculated
    QString m_table;                      // written back; empty for read-only
    QString m_columnList;

    // mutable: rows read on demand are filled in by const readers.
    mutable std::vector<Row> m_rows;
    std::vector<int> m_view;
    bool m_readOnDemand = false;
    bool m_onDemand = false;          // the rows held are keys, values read as needed
    mutable int m_loadedCount = 0;
    int m_cur = -1;
    bool m_bof = true;
    bool m_eof = true;
    qint64 m_nextSerial = 1;

    QVariantList m_buffer;
    std::vector<bool> m_changed;
    int m_insertAt = -1;
    bool m_modified = false;
    const QVariantList *m_calcRow = nullptr;
    QVariantList *m_calcWrite = nullptr;

    QString m_filterText;
    std::shared_ptr<const FilterExpression> m_filterExpr;
    FilterPredicate m_filterPredicate;
    bool m_filtered = false;

    QPointer<DataSource> m_masterSource;
    QStringList m_masterFields;
    QStringList m_detailFields;
    QVariantList m_lastMasterValues;
    bool m_masterOk = false;
    bool m_linkInQuery = false; // the rows held were read for m_lastMasterValues only

    struct KeyIndex
    {
        bool built = false;
        bool usable = false;
        QHash<QString, int> rows; // key text -> view index of its first row
    };
    mutable QHash<QString, KeyIndex> m_keyIndexes; // by key field names
    quint64 m_revision = 0;

    QList<QPointer<DataSource>> m_sources;
    int m_disableCount = 0;
    bool m_pendingNotify = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Dataset::LocateOptions)
