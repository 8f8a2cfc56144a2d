#include "dataset.h"

#include "connection.h"
#include "dataseterror.h"
#include "datasource.h"
#include "filterexpression.h"
#include "sqlidentifier.h"
#include "statement.h"
#include "valuecompare.h"

#include <QRegularExpression>
#include <algorithm>
#include <sqlite3.h>

namespace {

QStringList splitNames(const QString &names)
{
    QStringList out;
    for (const QString &n : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out.append(n.trimmed());
    return out;
}

} // namespace

// ---------------------------------------------------------------------------------------

QVariant RecordRef::value(const QString &fieldName) const
{
    const Field *f = m_dataset->FindField(fieldName);
    return f ? value(f) : QVariant();
}

QVariant RecordRef::value(const Field *field) const
{
    return m_dataset->rowValue(field, *m_values);
}

// ---------------------------------------------------------------------------------------

Dataset::Dataset(QObject *parent)
    : QObject(parent)
{
}

Dataset::~Dataset()
{
    if (m_connection)
        m_connection->detach(this);
    if (m_masterSource)
        m_masterSource->removeDetail(this);
    const auto sources = m_sources;
    m_sources.clear();
    for (const QPointer<DataSource> &s : sources)
        if (s)
            s->setDataSet(nullptr);
}

Connection *Dataset::connection() const
{
    return m_connection.data();
}

void Dataset::setConnection(Connection *connection)
{
    if (m_connection == connection)
        return;
    if (Active())
        Close();
    if (m_connection)
        m_connection->detach(this);
    m_connection = connection;
    if (m_connection)
        m_connection->attach(this);
}

QString Dataset::displayName() const
{
    return objectName().isEmpty() ? QStringLiteral("(sin nombre)") : objectName();
}

void Dataset::checkActive(const char *operation) const
{
    if (!Active())
        throw DatasetError(QStringLiteral("DataSet \"%1\" está cerrado (%2)").arg(displayName(), QLatin1String(operation)));
}

void Dataset::checkCanModify(const char *operation) const
{
    if (!CanModify())
        throw DatasetError(QStringLiteral("DataSet \"%1\" es de sólo lectura (%2)").arg(displayName(), QLatin1String(operation)));
}

bool Dataset::CanModify() const
{
    return !m_table.isEmpty();
}

// --- opening ---------------------------------------------------------------------------

bool Dataset::load(std::vector<Row> &rows)
{
    const Source src = source();
    if (!src.error.isEmpty()) {
        m_error = SqlError{src.error, src.sql, m_connection ? m_connection->fileName() : QString(), SQLITE_MISUSE};
        return false;
    }
    if (!m_connection || !m_connection->isOpen()) {
        m_error = SqlError{QStringLiteral("DataSet \"%1\": la conexión no está abierta").arg(displayName()), src.sql,
                           m_connection ? m_connection->fileName() : QString(), SQLITE_MISUSE};
        return false;
    }
    sqlite3 *db = m_connection->handle();
    Statement st(db, src.sql);
    if (!st.isValid() || !st.bind(src.params)) {
        m_error = SqlError{QString::fromUtf8(sqlite3_errmsg(db)), src.sql, m_connection->fileName(), sqlite3_errcode(db)};
        if (st.isValid())
            m_error.message = QStringLiteral("cantidad de parámetros incorrecta");
        return false;
    }
    const bool editable = !src.table.isEmpty();
    const int first = editable ? 1 : 0;
    const int total = st.columnCount();
    const int n = total - first;
    QStringList names, declared;
    for (int i = first; i < total; ++i) {
        names.append(st.columnName(i));
        declared.append(st.declaredType(i));
    }
    int calcCount = 0;
    for (const auto &f : m_fields)
        if (f->m_kind == FieldKind::Calculated)
            ++calcCount;

    sqlite3_stmt *stmt = st.handle();
    qint64 serial = 1;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Row row;
        row.key = editable ? sqlite3_column_int64(stmt, 0) : serial++;
        row.values.reserve(n + calcCount);
        for (int i = first; i < total; ++i)
            row.values.append(st.value(i));
        for (int i = 0; i < calcCount; ++i)
            row.values.append(QVariant());
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        m_error = SqlError{QString::fromUtf8(sqlite3_errmsg(db)), src.sql, m_connection->fileName(), sqlite3_errcode(db)};
        return false;
    }
    m_table = src.table;
    m_columnList = src.columnList;
    defineFields(names, declared, rows);
    m_error = SqlError();
    return true;
}

void Dataset::defineFields(const QStringList &names, const QStringList &declared, const std::vector<Row> &rows)
{
    // Schema facts of the written table: primary key and NOT NULL.
    // Only an INTEGER PRIMARY KEY declared AUTOINCREMENT counts as auto-increment; a plain
    // integer key (an agency code, say) is written by the forms.
    QHash<QString, std::pair<bool, bool>> schema; // lower name -> (auto-increment, not null)
    if (!m_table.isEmpty()) {
        static const QRegularExpression autoinc(QStringLiteral("\\bAUTOINCREMENT\\b"), QRegularExpression::CaseInsensitiveOption);
        const QueryResult ddl = m_connection->select(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"), {m_table});
        const bool hasAutoinc = !ddl.rows.isEmpty() && autoinc.match(ddl.rows.first().value(0).toString()).hasMatch();
        const QueryResult info = m_connection->select(QStringLiteral("PRAGMA table_info(") + SqlIdentifier::quoted(m_table) + QLatin1Char(')'));
        for (const QVariantList &r : info.rows) {
            const bool isAutoinc = hasAutoinc && r.value(5).toInt() > 0;
            schema.insert(r.value(1).toString().toLower(), {isAutoinc, r.value(3).toInt() != 0});
        }
    }

    QHash<QString, Field *> oldData;
    for (const auto &f : m_fields)
        if (f->m_kind == FieldKind::Data)
            oldData.insert(f->m_name.toLower(), f.get());

    QList<Field *> dataFields;
    QSet<Field *> kept;
    for (int i = 0; i < names.size(); ++i) {
        FieldType type = FieldType::Memo;
        int size = 0;
        if (!Field::typeFromDeclared(declared.at(i), type, size)) {
            // An expression: the type of its first non-null value.
            for (const Row &r : rows) {
                const QVariant &v = r.values.at(i);
                if (v.isNull())
                    continue;
                if (v.typeId() == QMetaType::LongLong)
                    type = FieldType::Integer;
                else if (v.typeId() == QMetaType::Double)
                    type = FieldType::Float;
                break;
            }
        }
        const auto facts = schema.value(names.at(i).toLower(), {false, false});
        if (facts.first && (type == FieldType::Integer || type == FieldType::SmallInt))
            type = FieldType::AutoInc;
        Field *f = oldData.value(names.at(i).toLower());
        if (f && !kept.contains(f)) {
            f->m_type = type;
            f->m_size = type == FieldType::Text ? size : 0;
            if (type == FieldType::AutoInc)
                f->m_readOnly = true;
        } else {
            m_fields.push_back(std::make_unique<Field>(this, names.at(i), type, size, FieldKind::Data));
            f = m_fields.back().get();
        }
        f->m_required = facts.second;
        f->m_slot = i;
        kept.insert(f);
        dataFields.append(f);
    }
    // Columns gone from the schema take their fields with them.
    m_fields.erase(std::remove_if(m_fields.begin(), m_fields.end(),
                                  [&](const std::unique_ptr<Field> &f) { return f->m_kind == FieldKind::Data && !kept.contains(f.get()); }),
                   m_fields.end());

    m_fieldList = dataFields;
    int slot = int(names.size());
    for (const auto &f : m_fields) {
        if (f->m_kind == FieldKind::Data)
            continue;
        if (f->m_kind == FieldKind::Calculated)
            f->m_slot = slot++;
        m_fieldList.append(f.get());
    }
    m_dataCount = int(names.size());
    m_slotCount = slot;
    rebuildFieldIndex();
}

void Dataset::rebuildFieldIndex()
{
    m_fieldIndex.clear();
    for (Field *f : std::as_const(m_fieldList)) {
        const QString key = f->m_name.toLower();
        if (!m_fieldIndex.contains(key))
            m_fieldIndex.insert(key, f);
    }
}

void Dataset::resolveLookupTypes()
{
    for (Field *f : std::as_const(m_fieldList)) {
        if (f->m_kind != FieldKind::Lookup)
            continue;
        Dataset *ds = f->LookupDataSet();
        if (!ds)
            continue;
        if (const Field *r = ds->FindField(f->m_lookupResultField)) {
            f->m_type = r->m_type == FieldType::AutoInc ? FieldType::Integer : r->m_type;
            f->m_size = r->m_size;
        }
    }
}

bool Dataset::Open()
{
    if (Active())
        return true;
    std::vector<Row> rows;
    if (!load(rows))
        return false;
    m_rows = std::move(rows);
    resolveLookupTypes();
    m_state = DatasetState::Browse;
    m_modified = false;
    calculateAll();
    rebuildView();
    m_cur = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    notifyState();
    notifyLayout();
    notifyDetails();
    if (AfterOpen)
        AfterOpen(this);
    if (!IsEmpty() && AfterScroll)
        AfterScroll(this);
    return true;
}

void Dataset::silentClose()
{
    m_rows.clear();
    m_view.clear();
    m_buffer.clear();
    m_changed.clear();
    m_cur = -1;
    m_insertAt = -1;
    m_bof = m_eof = true;
    m_modified = false;
    m_state = DatasetState::Inactive;
}

void Dataset::Close()
{
    if (!Active())
        return;
    if (BeforeClose)
        BeforeClose(this);
    silentClose();
    notifyState();
    notifyLayout();
    notifyDetails();
}

bool Dataset::setActive(bool active)
{
    if (active)
        return Open();
    Close();
    return true;
}

void Dataset::connectionDestroyed()
{
    // The owner is being torn down: no handler may run any more.
    silentClose();
    m_connection = nullptr;
}

// --- view, filter, master link ---------------------------------------------------------

QVariantList Dataset::masterValues(bool *ok) const
{
    *ok = false;
    QVariantList values;
    Dataset *master = m_masterSource ? m_masterSource->DataSet() : nullptr;
    if (!master || !master->Active())
        return values;
    if (master->State() != DatasetState::Insert && master->IsEmpty())
        return values;
    for (const QString &name : m_masterFields) {
        const Field *f = master->FindField(name);
        if (!f)
            return QVariantList();
        const QVariant v = f->Value();
        if (v.isNull())
            return QVariantList();
        values.append(v);
    }
    *ok = true;
    return values;
}

bool Dataset::passes(const Row &row) const
{
    if (m_masterSource && !m_masterFields.isEmpty()) {
        if (!m_masterOk)
            return false;
        for (int i = 0; i < m_detailFields.size() && i < m_lastMasterValues.size(); ++i) {
            const Field *f = FindField(m_detailFields.at(i));
            if (!f || !ValueCompare::equals(rowValue(f, row.values), m_lastMasterValues.at(i)))
                return false;
        }
    }
    if (m_filtered) {
        if (m_filterExpr) {
            const bool ok = m_filterExpr->evaluate([&](const QString &name, bool *found) {
                const Field *f = FindField(name);
                if (!f) {
                    *found = false;
                    return QVariant();
                }
                return rowValue(f, row.values);
            });
            if (!ok)
                return false;
        }
        if (m_filterPredicate && !m_filterPredicate(RecordRef(this, &row.values)))
            return false;
    }
    return true;
}

void Dataset::rebuildView()
{
    const bool linked = m_masterSource && !m_masterFields.isEmpty();
    if (linked)
        m_lastMasterValues = masterValues(&m_masterOk);
    m_view.clear();
    m_view.reserve(m_rows.size());
    const bool test = linked || (m_filtered && (m_filterExpr || m_filterPredicate));
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (!test || passes(m_rows[std::size_t(i)]))
            m_view.push_back(i);
}

int Dataset::viewIndexOfKey(qint64 key) const
{
    for (int i = 0; i < int(m_view.size()); ++i)
        if (m_rows[std::size_t(m_view[std::size_t(i)])].key == key)
            return i;
    return -1;
}

bool Dataset::setFilter(const QString &filter)
{
    std::shared_ptr<const FilterExpression> expr;
    if (!filter.trimmed().isEmpty()) {
        QString error;
        expr = FilterExpression::parse(filter, &error);
        if (!expr) {
            m_error = SqlError{error, QString(), QString(), 0};
            return false;
        }
        if (Active()) {
            for (const QString &name : expr->fieldNames()) {
                if (!FindField(name)) {
                    m_error = SqlError{QStringLiteral("Filtro no válido \"%1\": el campo \"%2\" no existe en DataSet \"%3\"")
                                           .arg(filter, name, displayName()),
                                       QString(), QString(), 0};
                    return false;
                }
            }
        }
    }
    m_filterText = filter;
    m_filterExpr = expr;
    if (Active() && m_filtered) {
        if (!CheckBrowseMode())
            return false;
        rebuildView();
        notifyLayout();
        First();
    }
    return true;
}

void Dataset::setFilterPredicate(FilterPredicate predicate)
{
    m_filterPredicate = std::move(predicate);
    if (Active() && m_filtered && CheckBrowseMode()) {
        rebuildView();
        notifyLayout();
        First();
    }
}

void Dataset::setFiltered(bool filtered)
{
    if (m_filtered == filtered)
        return;
    if (Active() && !CheckBrowseMode())
        return;
    m_filtered = filtered;
    if (Active()) {
        rebuildView();
        notifyLayout();
        First();
    }
}

void Dataset::setMasterSource(DataSource *master, const QString &masterFields, const QString &detailFields)
{
    if (m_masterSource)
        m_masterSource->removeDetail(this);
    m_masterSource = master;
    m_masterFields = splitNames(masterFields);
    m_detailFields = splitNames(detailFields);
    if (m_masterFields.size() != m_detailFields.size())
        throw DatasetError(QStringLiteral("DataSet \"%1\": campos maestro \"%2\" y detalle \"%3\" no se corresponden")
                               .arg(displayName(), masterFields, detailFields));
    if (m_masterSource)
        m_masterSource->addDetail(this);
    if (Active()) {
        m_masterOk = !m_masterOk; // force the re-range
        masterChanged();
    }
}

DataSource *Dataset::MasterSource() const
{
    return m_masterSource.data();
}

bool Dataset::isMasterField(const Field *field) const
{
    for (const QString &name : m_masterFields)
        if (name.compare(field->m_name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void Dataset::masterChanged()
{
    if (!Active() || !m_masterSource || m_masterFields.isEmpty())
        return;
    bool ok = false;
    const QVariantList values = masterValues(&ok);
    if (ok == m_masterOk) {
        bool same = values.size() == m_lastMasterValues.size();
        for (int i = 0; same && i < values.size(); ++i)
            same = ValueCompare::equals(values.at(i), m_lastMasterValues.at(i));
        if (same)
            return;
    }
    // A pending edit that cannot be posted stays as it is; the next master move retries.
    if (!CheckBrowseMode())
        return;
    rebuildView();
    m_cur = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    notifyLayout();
    afterScroll();
}

// --- navigation ------------------------------------------------------------------------

void Dataset::afterScroll()
{
    notifyData(nullptr);
    notifyDetails();
    if (AfterScroll)
        AfterScroll(this);
}

void Dataset::First()
{
    checkActive("First");
    if (!CheckBrowseMode())
        return;
    if (BeforeScroll)
        BeforeScroll(this);
    m_cur = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    afterScroll();
}

void Dataset::Last()
{
    checkActive("Last");
    if (!CheckBrowseMode())
        return;
    if (BeforeScroll)
        BeforeScroll(this);
    m_cur = int(m_view.size()) - 1;
    m_eof = true;
    m_bof = m_view.empty();
    afterScroll();
}

void Dataset::Next()
{
    MoveBy(1);
}

void Dataset::Prior()
{
    MoveBy(-1);
}

int Dataset::MoveBy(int distance)
{
    checkActive("MoveBy");
    if (!CheckBrowseMode())
        return 0;
    if (BeforeScroll)
        BeforeScroll(this);
    const int size = int(m_view.size());
    int moved = 0;
    if (size == 0) {
        m_bof = m_eof = true;
    } else if (distance > 0) {
        const int target = std::min(m_cur + distance, size - 1);
        m_eof = m_cur + distance > size - 1;
        m_bof = false;
        moved = target - m_cur;
        m_cur = target;
    } else if (distance < 0) {
        const int target = std::max(m_cur + distance, 0);
        m_bof = m_cur + distance < 0;
        m_eof = false;
        moved = target - m_cur;
        m_cur = target;
    }
    afterScroll();
    return moved;
}

int Dataset::RecNo() const
{
    if (m_state == DatasetState::Insert)
        return m_insertAt + 1;
    return m_cur + 1;
}

void Dataset::setRecNo(int recNo)
{
    checkActive("RecNo");
    if (!CheckBrowseMode() || m_view.empty())
        return;
    const int target = std::clamp(recNo, 1, int(m_view.size())) - 1;
    if (BeforeScroll)
        BeforeScroll(this);
    m_cur = target;
    m_bof = m_eof = false;
    afterScroll();
}

Bookmark Dataset::GetBookmark() const
{
    if (!Active() || m_cur < 0)
        return Bookmark();
    return Bookmark{m_rows[std::size_t(m_view[std::size_t(m_cur)])].key, true};
}

bool Dataset::BookmarkValid(const Bookmark &bookmark) const
{
    return Active() && bookmark.valid && viewIndexOfKey(bookmark.key) >= 0;
}

bool Dataset::GotoBookmark(const Bookmark &bookmark)
{
    checkActive("GotoBookmark");
    if (!bookmark.valid || !CheckBrowseMode())
        return false;
    const int idx = viewIndexOfKey(bookmark.key);
    if (idx < 0)
        return false;
    if (BeforeScroll)
        BeforeScroll(this);
    m_cur = idx;
    m_bof = m_eof = false;
    afterScroll();
    return true;
}

bool Dataset::Locate(const QString &fieldNames, const QVariantList &values, LocateOptions options)
{
    checkActive("Locate");
    const QStringList names = splitNames(fieldNames);
    if (names.size() != values.size())
        throw DatasetError(QStringLiteral("DataSet \"%1\": Locate con %2 campos y %3 valores").arg(displayName()).arg(names.size()).arg(values.size()));
    QList<Field *> fields;
    for (const QString &n : names)
        fields.append(FieldByName(n));
    if (!CheckBrowseMode())
        return false;
    const bool ci = options.testFlag(CaseInsensitive);
    const bool partial = options.testFlag(PartialKey);
    for (int vi = 0; vi < int(m_view.size()); ++vi) {
        const QVariantList &row = m_rows[std::size_t(m_view[std::size_t(vi)])].values;
        bool match = true;
        for (int i = 0; match && i < fields.size(); ++i) {
            const QVariant v = rowValue(fields.at(i), row);
            const bool text = fields.at(i)->DataType() == FieldType::Text || fields.at(i)->DataType() == FieldType::Memo;
            match = (partial && text) ? ValueCompare::startsWith(v, values.at(i), ci) : ValueCompare::equals(v, values.at(i), ci);
        }
        if (match) {
            if (BeforeScroll)
                BeforeScroll(this);
            m_cur = vi;
            m_bof = m_eof = false;
            afterScroll();
            return true;
        }
    }
    return false;
}

bool Dataset::Locate(const QString &fieldName, const QVariant &value, LocateOptions options)
{
    return Locate(fieldName, QVariantList{value}, options);
}

QVariant Dataset::Lookup(const QString &keyFields, const QVariantList &values, const QString &resultField) const
{
    if (!Active())
        return QVariant();
    const QStringList names = splitNames(keyFields);
    const Field *result = FindField(resultField);
    if (!result || names.size() != values.size())
        return QVariant();
    QList<const Field *> fields;
    for (const QString &n : names) {
        const Field *f = FindField(n);
        if (!f)
            return QVariant();
        fields.append(f);
    }
    for (int idx : m_view) {
        const QVariantList &row = m_rows[std::size_t(idx)].values;
        bool match = true;
        for (int i = 0; match && i < fields.size(); ++i)
            match = ValueCompare::equals(rowValue(fields.at(i), row), values.at(i));
        if (match)
            return rowValue(result, row);
    }
    return QVariant();
}

// --- values ----------------------------------------------------------------------------

const QVariantList *Dataset::currentValues() const
{
    switch (m_state) {
    case DatasetState::CalcFields:
        return m_calcRow;
    case DatasetState::Edit:
    case DatasetState::Insert:
        return &m_buffer;
    case DatasetState::Browse:
        return m_cur >= 0 ? &m_rows[std::size_t(m_view[std::size_t(m_cur)])].values : nullptr;
    case DatasetState::Inactive:
        break;
    }
    return nullptr;
}

QVariant Dataset::rowValue(const Field *field, const QVariantList &values) const
{
    if (field->m_kind == FieldKind::Lookup)
        return lookupValue(field, values);
    if (field->m_slot < 0 || field->m_slot >= values.size())
        return QVariant();
    return field->typedValue(values.at(field->m_slot));
}

QVariant Dataset::fieldValue(const Field *field) const
{
    const QVariantList *values = currentValues();
    if (!values)
        return QVariant();
    if (field->m_kind == FieldKind::Lookup)
        return lookupValue(field, *values);
    if (field->m_slot < 0 || field->m_slot >= values->size())
        return QVariant();
    return values->at(field->m_slot);
}

QVariant Dataset::lookupValue(const Field *field, const QVariantList &values) const
{
    const Dataset *ds = field->LookupDataSet();
    if (!ds || !ds->Active())
        return QVariant();
    QVariantList keys;
    for (const QString &name : splitNames(field->m_keyFields)) {
        const Field *k = FindField(name);
        if (!k)
            return QVariant();
        const QVariant v = rowValue(k, values);
        if (v.isNull())
            return QVariant();
        keys.append(v);
    }
    return ds->Lookup(field->m_lookupKeyFields, keys, field->m_lookupResultField);
}

bool Dataset::setFieldValue(Field *field, const QVariant &value)
{
    if (field->m_kind == FieldKind::Calculated && m_state == DatasetState::CalcFields) {
        QVariant stored;
        if (!field->toStored(value, stored))
            return false;
        (*m_calcWrite)[field->m_slot] = stored;
        return true;
    }
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert)
        throw DatasetError(QStringLiteral("DataSet \"%1\" no está en modo de edición o inserción (campo \"%2\")")
                               .arg(displayName(), field->m_name));
    if (field->m_readOnly)
        throw DatasetError(QStringLiteral("Campo \"%1\" de DataSet \"%2\" es de sólo lectura").arg(field->m_name, displayName()));

    if (field->m_kind == FieldKind::Lookup) {
        // Writing a lookup field writes the key of the lookup row holding that value.
        Dataset *ds = field->LookupDataSet();
        const QStringList keyNames = splitNames(field->m_keyFields);
        const QStringList lookupKeys = splitNames(field->m_lookupKeyFields);
        QVariantList keyValues;
        if (!value.isNull()) {
            if (!ds || !ds->Active())
                return false;
            const Field *result = ds->FindField(field->m_lookupResultField);
            if (!result)
                return false;
            bool found = false;
            for (int idx : ds->m_view) {
                const QVariantList &row = ds->m_rows[std::size_t(idx)].values;
                if (ValueCompare::equals(ds->rowValue(result, row), value)) {
                    for (const QString &k : lookupKeys) {
                        const Field *kf = ds->FindField(k);
                        keyValues.append(kf ? ds->rowValue(kf, row) : QVariant());
                    }
                    found = true;
                    break;
                }
            }
            if (!found)
                return false;
        }
        for (int i = 0; i < keyNames.size(); ++i)
            if (!FieldByName(keyNames.at(i))->setValue(keyValues.value(i)))
                return false;
        if (field->OnChange)
            field->OnChange(field);
        notifyData(field);
        return true;
    }

    QVariant stored;
    if (!field->toStored(value, stored))
        return false;
    m_buffer[field->m_slot] = stored;
    if (field->m_kind == FieldKind::Data) {
        m_changed[std::size_t(field->m_slot)] = true;
        m_modified = true;
        if (hasCalculated())
            calculate(m_buffer);
    }
    if (field->OnChange)
        field->OnChange(field);
    notifyData(field);
    for (const QPointer<DataSource> &s : std::as_const(m_sources)) {
        if (!s)
            continue;
        for (Dataset *detail : s->details())
            if (detail->isMasterField(field))
                detail->masterChanged();
    }
    return true;
}

// --- calculated fields -----------------------------------------------------------------

bool Dataset::hasCalculated() const
{
    return m_slotCount > m_dataCount && OnCalcFields;
}

void Dataset::calculate(QVariantList &values)
{
    if (!hasCalculated())
        return;
    for (int i = m_dataCount; i < m_slotCount && i < values.size(); ++i)
        values[i] = QVariant();
    const DatasetState savedState = m_state;
    const QVariantList *savedRow = m_calcRow;
    QVariantList *savedWrite = m_calcWrite;
    m_state = DatasetState::CalcFields;
    m_calcRow = &values;
    m_calcWrite = &values;
    auto restore = [&] {
        m_state = savedState;
        m_calcRow = savedRow;
        m_calcWrite = savedWrite;
    };
    try {
        OnCalcFields(this);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void Dataset::calculateAll()
{
    if (!hasCalculated())
        return;
    for (Row &r : m_rows)
        calculate(r.values);
}

// --- editing ---------------------------------------------------------------------------

void Dataset::setState(DatasetState state)
{
    m_state = state;
}

bool Dataset::startInsert(bool append)
{
    checkActive(append ? "Append" : "Insert");
    checkCanModify(append ? "Append" : "Insert");
    if (!CheckBrowseMode())
        return false;
    if (BeforeInsert)
        BeforeInsert(this);
    if (BeforeScroll)
        BeforeScroll(this);
    const int savedCur = m_cur;
    m_buffer = QVariantList(m_slotCount);
    m_changed.assign(std::size_t(m_dataCount), false);
    m_insertAt = (append || m_cur < 0) ? int(m_view.size()) : m_cur;
    setState(DatasetState::Insert);
    m_bof = m_eof = false;
    if (m_masterSource && !m_masterFields.isEmpty()) {
        bool ok = false;
        const QVariantList values = masterValues(&ok);
        for (int i = 0; ok && i < m_detailFields.size(); ++i) {
            Field *f = FindField(m_detailFields.at(i));
            QVariant stored;
            if (f && f->m_kind == FieldKind::Data && f->toStored(values.at(i), stored)) {
                m_buffer[f->m_slot] = stored;
                m_changed[std::size_t(f->m_slot)] = true;
            }
        }
    }
    m_modified = false;
    calculate(m_buffer);
    notifyState();
    notifyLayout();
    try {
        if (OnNewRecord)
            OnNewRecord(this);
    } catch (...) {
        m_buffer.clear();
        m_insertAt = -1;
        m_modified = false;
        m_cur = savedCur;
        m_bof = m_eof = m_view.empty();
        setState(DatasetState::Browse);
        notifyState();
        notifyLayout();
        throw;
    }
    if (AfterInsert)
        AfterInsert(this);
    afterScroll();
    return true;
}

bool Dataset::Append()
{
    return startInsert(true);
}

bool Dataset::Insert()
{
    return startInsert(false);
}

bool Dataset::Edit()
{
    checkActive("Edit");
    if (m_state == DatasetState::Edit || m_state == DatasetState::Insert)
        return true;
    checkCanModify("Edit");
    if (IsEmpty())
        return Append();
    if (BeforeEdit)
        BeforeEdit(this);
    if (m_cur < 0)
        return false;
    m_buffer = m_rows[std::size_t(m_view[std::size_t(m_cur)])].values;
    m_changed.assign(std::size_t(m_dataCount), false);
    m_modified = false;
    setState(DatasetState::Edit);
    notifyState();
    if (AfterEdit)
        AfterEdit(this);
    return true;
}

bool Dataset::readRow(qint64 key, QVariantList &values)
{
    const QString sql = QStringLiteral("SELECT rowid, ") + m_columnList + QStringLiteral(" FROM ") + SqlIdentifier::quoted(m_table)
                        + QStringLiteral(" WHERE rowid = ?");
    Statement st(m_connection->handle(), sql);
    if (!st.isValid() || !st.bind({QVariant(qlonglong(key))}) || st.step() != SQLITE_ROW)
        return false;
    if (st.columnCount() - 1 != m_dataCount)
        return false;
    values.clear();
    values.reserve(m_slotCount);
    for (int i = 1; i <= m_dataCount; ++i)
        values.append(st.value(i));
    for (int i = m_dataCount; i < m_slotCount; ++i)
        values.append(QVariant());
    calculate(values);
    return true;
}

bool Dataset::Post()
{
    checkActive("Post");
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert)
        return true;
    if (BeforePost)
        BeforePost(this);
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert)
        return false;
    if (!m_connection || !m_connection->isOpen()) {
        m_error = SqlError{QStringLiteral("DataSet \"%1\": la conexión no está abierta").arg(displayName()), QString(), QString(), SQLITE_MISUSE};
        return false;
    }
    const QString table = SqlIdentifier::quoted(m_table);
    QStringList columns;
    QVariantList params;
    for (int i = 0; i < m_dataCount; ++i) {
        if (!m_changed[std::size_t(i)])
            continue;
        if (m_state == DatasetState::Insert && m_buffer.at(i).isNull())
            continue; // the column's default applies
        const QString name = m_fieldList.at(i)->m_name;
        if (!SqlIdentifier::isValid(name)) {
            m_error = SqlError{QStringLiteral("nombre de columna no válido: ") + name, QString(), m_connection->fileName(), SQLITE_MISUSE};
            return false;
        }
        columns.append(SqlIdentifier::quoted(name));
        params.append(m_buffer.at(i));
    }

    if (m_state == DatasetState::Edit) {
        const int rowIndex = m_view[std::size_t(m_cur)];
        const qint64 key = m_rows[std::size_t(rowIndex)].key;
        if (!columns.isEmpty()) {
            QString sql = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ");
            for (int i = 0; i < columns.size(); ++i)
                sql += (i ? QStringLiteral(", ") : QString()) + columns.at(i) + QStringLiteral(" = ?");
            sql += QStringLiteral(" WHERE rowid = ?");
            params.append(QVariant(qlonglong(key)));
            if (!m_connection->exec(sql, params)) {
                m_error = m_connection->lastError();
                return false;
            }
        }
        QVariantList values;
        if (!readRow(key, values)) {
            values = m_buffer;
            calculate(values);
        }
        m_rows[std::size_t(rowIndex)].values = std::move(values);
        m_buffer.clear();
        m_modified = false;
        setState(DatasetState::Browse);
        m_error = SqlError();
        notifyState();
        notifyData(nullptr);
        notifyDetails();
    } else {
        QString sql = QStringLiteral("INSERT INTO ") + table;
        if (columns.isEmpty()) {
            sql += QStringLiteral(" DEFAULT VALUES");
        } else {
            sql += QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (");
            for (int i = 0; i < columns.size(); ++i)
                sql += i ? QStringLiteral(", ?") : QStringLiteral("?");
            sql += QLatin1Char(')');
        }
        if (!m_connection->exec(sql, params)) {
            m_error = m_connection->lastError();
            return false;
        }
        Row row;
        row.key = m_connection->lastInsertRowId();
        if (!readRow(row.key, row.values)) {
            row.values = m_buffer;
            calculate(row.values);
        }
        const bool atEnd = m_insertAt >= int(m_view.size());
        const int rowIndex = atEnd ? int(m_rows.size()) : m_view[std::size_t(m_insertAt)];
        m_rows.insert(m_rows.begin() + rowIndex, std::move(row));
        if (atEnd && passes(m_rows.back())) {
            m_view.push_back(rowIndex);
            m_cur = int(m_view.size()) - 1;
        } else {
            rebuildView();
            const auto it = std::lower_bound(m_view.begin(), m_view.end(), rowIndex);
            if (it != m_view.end() && *it == rowIndex)
                m_cur = int(it - m_view.begin());
            else
                m_cur = std::min(m_insertAt, int(m_view.size()) - 1);
        }
        m_bof = m_eof = m_view.empty();
        m_buffer.clear();
        m_insertAt = -1;
        m_modified = false;
        setState(DatasetState::Browse);
        m_error = SqlError();
        notifyState();
        notifyLayout();
        notifyData(nullptr);
        notifyDetails();
    }
    if (AfterPost)
        AfterPost(this);
    return true;
}

void Dataset::Cancel()
{
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert)
        return;
    if (BeforeCancel)
        BeforeCancel(this);
    const bool wasInsert = m_state == DatasetState::Insert;
    m_buffer.clear();
    m_modified = false;
    m_insertAt = -1;
    setState(DatasetState::Browse);
    if (m_cur >= int(m_view.size()))
        m_cur = int(m_view.size()) - 1;
    if (m_view.empty())
        m_bof = m_eof = true;
    notifyState();
    if (wasInsert)
        notifyLayout();
    notifyData(nullptr);
    notifyDetails();
    if (AfterCancel)
        AfterCancel(this);
}

bool Dataset::Delete()
{
    checkActive("Delete");
    if (m_state == DatasetState::Insert) {
        Cancel();
        return true;
    }
    checkCanModify("Delete");
    if (IsEmpty()) {
        m_error = SqlError{QStringLiteral("DataSet \"%1\" no tiene registros que eliminar").arg(displayName()), QString(), QString(), 0};
        return false;
    }
    if (BeforeDelete)
        BeforeDelete(this);
    if (BeforeScroll)
        BeforeScroll(this);
    if (m_cur < 0 || m_state == DatasetState::Insert)
        return false;
    const int rowIndex = m_view[std::size_t(m_cur)];
    const qint64 key = m_rows[std::size_t(rowIndex)].key;
    if (!m_connection->exec(QStringLiteral("DELETE FROM ") + SqlIdentifier::quoted(m_table) + QStringLiteral(" WHERE rowid = ?"),
                            {QVariant(qlonglong(key))})) {
        m_error = m_connection->lastError();
        return false;
    }
    m_rows.erase(m_rows.begin() + rowIndex);
    m_view.erase(m_view.begin() + m_cur);
    for (int &i : m_view)
        if (i > rowIndex)
            --i;
    if (m_cur >= int(m_view.size()))
        m_cur = int(m_view.size()) - 1;
    m_bof = m_eof = m_view.empty();
    m_buffer.clear();
    m_modified = false;
    setState(DatasetState::Browse);
    m_error = SqlError();
    notifyState();
    notifyLayout();
    notifyDetails();
    if (AfterDelete)
        AfterDelete(this);
    afterScroll();
    return true;
}

bool Dataset::CheckBrowseMode()
{
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert)
        return true;
    if (m_modified)
        return Post();
    Cancel();
    return true;
}

bool Dataset::Refresh()
{
    checkActive("Refresh");
    if (!CheckBrowseMode())
        return false;
    const Bookmark mark = GetBookmark();
    const int oldCur = m_cur;
    std::vector<Row> rows;
    if (!load(rows))
        return false;
    m_rows = std::move(rows);
    resolveLookupTypes();
    calculateAll();
    rebuildView();
    int idx = mark.valid ? viewIndexOfKey(mark.key) : -1;
    if (idx < 0)
        idx = m_view.empty() ? -1 : std::clamp(oldCur, 0, int(m_view.size()) - 1);
    m_cur = idx;
    m_bof = m_eof = m_view.empty();
    notifyLayout();
    notifyData(nullptr);
    notifyDetails();
    return true;
}

// --- fields ----------------------------------------------------------------------------

Field *Dataset::FindField(const QString &name) const
{
    return m_fieldIndex.value(name.toLower(), nullptr);
}

Field *Dataset::FieldByName(const QString &name) const
{
    Field *f = FindField(name);
    if (!f)
        throw DatasetError(QStringLiteral("Campo \"%1\" no existe en DataSet \"%2\"").arg(name, displayName()));
    return f;
}

Field *Dataset::addLookupField(const QString &name, const QString &keyFields, Dataset *lookupDataSet,
                               const QString &lookupKeyFields, const QString &resultField)
{
    if (FindField(name))
        throw DatasetError(QStringLiteral("Campo \"%1\" ya existe en DataSet \"%2\"").arg(name, displayName()));
    if (splitNames(keyFields).size() != splitNames(lookupKeyFields).size())
        throw DatasetError(QStringLiteral("Campo de búsqueda \"%1\" de DataSet \"%2\": claves \"%3\" y \"%4\" no se corresponden")
                               .arg(name, displayName(), keyFields, lookupKeyFields));
    m_fields.push_back(std::make_unique<Field>(this, name, FieldType::Memo, 0, FieldKind::Lookup));
    Field *f = m_fields.back().get();
    f->m_lookupDataSet = lookupDataSet;
    f->m_keyFields = keyFields;
    f->m_lookupKeyFields = lookupKeyFields;
    f->m_lookupResultField = resultField;
    m_fieldList.append(f);
    rebuildFieldIndex();
    resolveLookupTypes();
    return f;
}

Field *Dataset::addCalculatedField(const QString &name, FieldType type, int size)
{
    if (FindField(name))
        throw DatasetError(QStringLiteral("Campo \"%1\" ya existe en DataSet \"%2\"").arg(name, displayName()));
    if (Active())
        throw DatasetError(QStringLiteral("DataSet \"%1\": los campos calculados se agregan antes de abrirlo").arg(displayName()));
    m_fields.push_back(std::make_unique<Field>(this, name, type, size, FieldKind::Calculated));
    Field *f = m_fields.back().get();
    f->m_slot = m_slotCount++;
    m_fieldList.append(f);
    rebuildFieldIndex();
    return f;
}

// --- grid access -----------------------------------------------------------------------

int Dataset::rowCount() const
{
    return int(m_view.size()) + (m_state == DatasetState::Insert ? 1 : 0);
}

int Dataset::currentRow() const
{
    return m_state == DatasetState::Insert ? m_insertAt : m_cur;
}

QVariant Dataset::valueAt(int row, const Field *field) const
{
    if (!field || field->m_dataset != this || !Active())
        return QVariant();
    if ((m_state == DatasetState::Edit || m_state == DatasetState::Insert) && row == currentRow())
        return rowValue(field, m_buffer);
    int r = row;
    if (m_state == DatasetState::Insert && row > m_insertAt)
        --r;
    if (r < 0 || r >= int(m_view.size()))
        return QVariant();
    return rowValue(field, m_rows[std::size_t(m_view[std::size_t(r)])].values);
}

QString Dataset::displayTextAt(int row, const Field *field) const
{
    return field ? field->displayTextOf(valueAt(row, field)) : QString();
}

// --- notifications ---------------------------------------------------------------------

void Dataset::DisableControls()
{
    ++m_disableCount;
}

void Dataset::EnableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount > 0 || !m_pendingNotify)
        return;
    m_pendingNotify = false;
    notifyState();
    notifyLayout();
    notifyData(nullptr);
}

void Dataset::addDataSource(DataSource *source)
{
    for (const QPointer<DataSource> &s : std::as_const(m_sources))
        if (s == source)
            return;
    m_sources.append(source);
}

void Dataset::removeDataSource(DataSource *source)
{
    m_sources.removeIf([source](const QPointer<DataSource> &s) { return s.isNull() || s == source; });
}

QList<DataSource *> Dataset::dataSources() const
{
    QList<DataSource *> out;
    for (const QPointer<DataSource> &s : m_sources)
        if (s)
            out.append(s.data());
    return out;
}

void Dataset::notifyState()
{
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    if (m_sources.isEmpty())
        return;
    for (DataSource *s : dataSources())
        s->sendState();
}

void Dataset::notifyLayout()
{
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    if (m_sources.isEmpty())
        return;
    for (DataSource *s : dataSources())
        s->sendLayout();
}

void Dataset::notifyData(Field *field)
{
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    if (m_sources.isEmpty())
        return;
    for (DataSource *s : dataSources())
        s->sendData(field);
}

void Dataset::notifyDetails()
{
    if (m_sources.isEmpty())
        return;
    for (DataSource *s : dataSources())
        for (Dataset *detail : s->details())
            detail->masterChanged();
}
