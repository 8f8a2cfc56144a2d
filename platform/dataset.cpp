#include "dataset.h"

#include "connection.h"
#include "dataseterror.h"
#include "datasource.h"
#include "sqlidentifier.h"
#include "statement.h"

#include <QRegularExpression>
#include <algorithm>
#include <sqlite3.h>

QStringList Dataset::splitNames(const QString &names)
{
    QStringList out;
    for (const QString &n : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out.append(n.trimmed());
    return out;
}

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
    // No notification from here: the owner (a form window) may be half destroyed, and the
    // data sources' DataSet() turns null by itself.
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

bool Dataset::load(std::vector<Row> &rows, bool keepFields)
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
    const bool onDemand = m_readOnDemand && editable && !src.keySql.isEmpty();
    if (onDemand) {
        if (!readKeys(src, rows))
            return false;
    } else {
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
    }
    bool same = keepFields && m_table == src.table && m_columnList == src.columnList && names.size() == m_dataCount;
    for (int i = 0; same && i < names.size(); ++i)
        same = m_fieldList.at(i)->m_name == names.at(i);
    m_table = src.table;
    m_columnList = src.columnList;
    m_linkInQuery = src.linked;
    m_onDemand = onDemand;
    m_loadedCount = 0;
    if (!same)
        defineFields(names, declared, onDemand ? std::vector<Row>() : rows);
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

bool Dataset::Open()
{
    if (Active())
        return true;
    std::vector<Row> rows;
    if (!load(rows))
        return false;
    m_rows = std::move(rows);
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
    rowsChanged();
    m_rows.clear();
    m_view.clear();
    m_buffer.clear();
    m_changed.clear();
    m_cur = -1;
    m_insertAt = -1;
    m_bof = m_eof = true;
    m_modified = false;
    m_linkInQuery = false;
    m_onDemand = false;
    m_loadedCount = 0;
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
    checkLookupKeys(name, keyFields, lookupKeyFields);
    m_fields.push_back(std::make_unique<Field>(this, name, FieldType::Memo, 0, FieldKind::Lookup));
    Field *f = m_fields.back().get();
    defineLookup(f, keyFields, lookupDataSet, lookupKeyFields, resultField);
    m_fieldList.append(f);
    rebuildFieldIndex();
    return f;
}

void Dataset::checkLookupKeys(const QString &name, const QString &keyFields, const QString &lookupKeyFields) const
{
    if (splitNames(keyFields).size() != splitNames(lookupKeyFields).size())
        throw DatasetError(QStringLiteral("Campo de búsqueda \"%1\" de DataSet \"%2\": claves \"%3\" y \"%4\" no se corresponden")
                               .arg(name, displayName(), keyFields, lookupKeyFields));
}

void Dataset::defineLookup(Field *f, const QString &keyFields, Dataset *lookupDataSet, const QString &lookupKeyFields,
                           const QString &resultField)
{
    f->m_kind = FieldKind::Lookup;
    f->m_type = FieldType::Memo;
    f->m_size = 0;
    f->m_slot = -1;
    f->m_lookupDataSet = lookupDataSet;
    f->m_keyFields = keyFields;
    f->m_lookupKeyFields = lookupKeyFields;
    f->m_lookupResultField = resultField;
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

Field *Dataset::makeLookupField(const QString &name, const QString &keyFields, Dataset *lookupDataSet,
                                const QString &lookupKeyFields, const QString &resultField)
{
    Field *f = FindField(name);
    if (!f || f->m_kind != FieldKind::Calculated)
        throw DatasetError(QStringLiteral("DataSet \"%1\": \"%2\" no es un campo calculado").arg(displayName(), name));
    if (Active())
        throw DatasetError(QStringLiteral("DataSet \"%1\": el campo \"%2\" se cambia con el DataSet cerrado").arg(displayName(), name));
    checkLookupKeys(name, keyFields, lookupKeyFields);
    // Calculated slots are numbered again when the dataset opens.
    defineLookup(f, keyFields, lookupDataSet, lookupKeyFields, resultField);
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
    return rowValue(field, valuesOf(m_rows[std::size_t(m_view[std::size_t(r)])]));
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

bool Dataset::holdNotification()
{
    if (m_disableCount > 0)
        m_pendingNotify = true;
    return m_disableCount > 0 || m_sources.isEmpty();
}

void Dataset::notifyState()
{
    if (!holdNotification())
        for (DataSource *s : dataSources())
            s->sendState();
}

void Dataset::notifyLayout()
{
    if (!holdNotification())
        for (DataSource *s : dataSources())
            s->sendLayout();
}

void Dataset::notifyData(Field *field)
{
    if (!holdNotification())
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
