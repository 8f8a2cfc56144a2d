// Dataset: the visible rows (filter, master link) and moving over them.
#include "dataset.h"

#include "datasetdetails.h"
#include "dataseterror.h"
#include "datasource.h"
#include "filterexpression.h"
#include "valuecompare.h"

#include <algorithm>

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

bool Dataset::masterLink(QStringList *detailFields, QVariantList *values) const
{
    if (!m_masterSource || m_masterFields.isEmpty())
        return false;
    bool ok = false;
    *values = masterValues(&ok);
    if (!ok)
        values->clear();
    *detailFields = m_detailFields;
    return true;
}

void Dataset::reloadForMaster()
{
    std::vector<Row> rows;
    // A failed read shows no rows rather than another master's.
    if (load(rows, true))
        m_rows = std::move(rows);
    else
        m_rows.clear();
    calculateAll();
    rebuildView();
    m_cur = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    notifyLayout();
    afterScroll();
}

bool Dataset::passes(const Row &row) const
{
    if (m_masterSource && !m_masterFields.isEmpty()) {
        if (!m_masterOk)
            return false;
        for (int i = 0; i < m_detailFields.size() && i < m_lastMasterValues.size(); ++i) {
            const Field *f = FindField(m_detailFields.at(i));
            if (!f || !ValueCompare::equals(rowValue(f, valuesOf(row)), m_lastMasterValues.at(i)))
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
                return rowValue(f, valuesOf(row));
            });
            if (!ok)
                return false;
        }
        if (m_filterPredicate && !m_filterPredicate(RecordRef(this, &valuesOf(row))))
            return false;
    }
    return true;
}

void Dataset::rebuildView()
{
    rowsChanged();
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
    if (Active() && m_linkInQuery && (!m_masterSource || m_masterFields.isEmpty())) {
        // Unlinked: every row again.
        if (CheckBrowseMode())
            reloadForMaster();
    } else if (Active()) {
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
    if (m_linkInQuery || source().linked) {
        reloadForMaster();
        return;
    }
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

bool leaveDetails(Dataset *master)
{
    for (DataSource *s : master->dataSources())
        for (Dataset *detail : s->details())
            if (detail->Active() && !(detail->CheckBrowseMode() && leaveDetails(detail)))
                return false;
    return true;
}

void Dataset::First()
{
    checkActive("First");
    if (!CheckBrowseMode() || (m_cur != 0 && !leaveDetails(this)))
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
    if (!CheckBrowseMode() || (m_cur != int(m_view.size()) - 1 && !leaveDetails(this)))
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
    const int size = int(m_view.size());
    if (size > 0 && std::clamp(m_cur + distance, 0, size - 1) != m_cur && !leaveDetails(this))
        return 0;
    if (BeforeScroll)
        BeforeScroll(this);
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
    if (target != m_cur && !leaveDetails(this))
        return;
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
    if (idx < 0 || (idx != m_cur && !leaveDetails(this)))
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
    const int found = findRow(QList<const Field *>(fields.begin(), fields.end()), values, options);
    if (found < 0 || (found != m_cur && !leaveDetails(this)))
        return false;
    if (BeforeScroll)
        BeforeScroll(this);
    m_cur = found;
    m_bof = m_eof = false;
    afterScroll();
    return true;
}

bool Dataset::matches(const QList<const Field *> &fields, const QVariantList &row, const QVariantList &values,
                      LocateOptions options) const
{
    const bool ci = options.testFlag(CaseInsensitive);
    const bool partial = options.testFlag(PartialKey);
    for (int i = 0; i < fields.size(); ++i) {
        const QVariant v = rowValue(fields.at(i), row);
        const bool text = fields.at(i)->DataType() == FieldType::Text || fields.at(i)->DataType() == FieldType::Memo;
        if (!((partial && text) ? ValueCompare::startsWith(v, values.at(i), ci) : ValueCompare::equals(v, values.at(i), ci)))
            return false;
    }
    return true;
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
    const int found = findRow(fields, values, NoLocateOptions);
    if (found >= 0)
        return rowValue(result, valuesOf(m_rows[std::size_t(m_view[std::size_t(found)])]));
    return QVariant();
}

