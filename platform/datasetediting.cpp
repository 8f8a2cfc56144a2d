// Dataset: field values, calculated fields, and Edit/Insert/Post/Cancel/Delete.
#include "dataset.h"

#include "connection.h"
#include "datasetdetails.h"
#include "dataseterror.h"
#include "datasource.h"
#include "sqlidentifier.h"
#include "statement.h"
#include "valuecompare.h"

#include <algorithm>
#include <sqlite3.h>

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
        return m_cur >= 0 ? &valuesOf(m_rows[std::size_t(m_view[std::size_t(m_cur)])]) : nullptr;
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

const QVariant *Dataset::storedValue(const Field *field) const
{
    const QVariantList *values = currentValues();
    if (!values || field->m_kind == FieldKind::Lookup || field->m_slot < 0 || field->m_slot >= values->size())
        return nullptr;
    return &values->at(field->m_slot);
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
                const QVariantList &row = ds->valuesOf(ds->m_rows[std::size_t(idx)]);
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
    rowsChanged();
    for (Row &r : m_rows)
        if (!r.values.isEmpty()) // rows read on demand are calculated as they are read
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
    if (!CheckBrowseMode() || !leaveDetails(this))
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
    m_buffer = valuesOf(m_rows[std::size_t(m_view[std::size_t(m_cur)])]);
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
        rowsChanged();
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
        rowsChanged();
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
    rowsChanged();
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

