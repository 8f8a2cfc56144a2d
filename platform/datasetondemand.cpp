// Dataset: rows read on demand (keys held, values read in pages) and finding a row
// among them without reading every row.
#include "dataset.h"

#include "connection.h"
#include "sqlidentifier.h"
#include "statement.h"

#include <QHash>
#include <algorithm>
#include <sqlite3.h>
#include <unordered_set>

namespace {

// Rows read at once: a screen or two of a grid.
constexpr int kPage = 64;
// Rows kept read before those far from the one asked for are let go again.
constexpr int kKeep = 4096;
constexpr int kKeepAround = 512;

} // namespace

bool Dataset::readKeys(const Source &src, std::vector<Row> &rows)
{
    std::vector<qint64> keys;
    if (!m_connection->selectKeys(src.keySql, src.params, keys)) {
        m_error = m_connection->lastError();
        return false;
    }
    rows.resize(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        rows[i].key = keys[i];
    return true;
}

const QVariantList &Dataset::valuesOf(const Row &row) const
{
    if (m_onDemand && row.values.isEmpty() && m_slotCount > 0)
        readPage(std::size_t(&row - m_rows.data()));
    return row.values;
}

void Dataset::readPage(std::size_t at) const
{
    if (at >= m_rows.size() || !m_connection || !m_connection->isOpen())
        return;
    if (m_loadedCount > kKeep) {
        // Let rows far from this one go; the current row stays (its values are referred to).
        const std::size_t current = m_cur >= 0 && m_cur < int(m_view.size()) ? std::size_t(m_view[std::size_t(m_cur)]) : at;
        m_loadedCount = 0;
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            if (m_rows[i].values.isEmpty())
                continue;
            const std::size_t distance = i > at ? i - at : at - i;
            if (distance > std::size_t(kKeepAround) && i != current)
                m_rows[i].values = QVariantList();
            else
                ++m_loadedCount;
        }
    }
    // This row, the page after it and a few before (a grid scrolls both ways).
    QVariantList keys;
    QHash<qint64, std::size_t> index;
    const std::size_t from = at >= 8 ? at - 8 : 0;
    for (std::size_t i = from; i < m_rows.size() && keys.size() < kPage; ++i) {
        if (m_rows[i].values.isEmpty() && !index.contains(m_rows[i].key)) {
            keys.append(QVariant(qlonglong(m_rows[i].key)));
            index.insert(m_rows[i].key, i);
        }
    }
    QString marks = QStringLiteral("?");
    for (int i = 1; i < keys.size(); ++i)
        marks += QStringLiteral(",?");
    const QString sql = QStringLiteral("SELECT rowid, ") + m_columnList + QStringLiteral(" FROM ") + SqlIdentifier::quoted(m_table)
                        + QStringLiteral(" WHERE rowid IN (") + marks + QLatin1Char(')');
    Statement st(m_connection->handle(), sql);
    const bool ok = st.isValid() && st.bind(keys);
    auto *self = const_cast<Dataset *>(this);
    while (ok && st.step() == SQLITE_ROW) {
        const auto it = index.constFind(st.int64(0));
        if (it == index.constEnd())
            continue;
        QVariantList values;
        values.reserve(m_slotCount);
        for (int i = 1; i <= m_dataCount; ++i)
            values.append(i < st.columnCount() ? st.value(i) : QVariant());
        for (int i = m_dataCount; i < m_slotCount; ++i)
            values.append(QVariant());
        self->calculate(values);
        m_rows[*it].values = std::move(values);
        ++m_loadedCount;
    }
    // A row gone from the table meanwhile reads as empty rather than being asked for again.
    for (auto it = index.constBegin(); it != index.constEnd(); ++it) {
        if (m_rows[*it].values.isEmpty()) {
            QVariantList empty;
            for (int i = 0; i < m_slotCount; ++i)
                empty.append(QVariant());
            m_rows[*it].values = std::move(empty);
        }
    }
}

int Dataset::findOnDemand(const QList<const Field *> &fields, const QVariantList &values, LocateOptions options) const
{
    QStringList columns;
    bool pass = m_onDemand && !fields.isEmpty();
    for (const Field *f : fields) {
        pass = pass && f->Kind() == FieldKind::Data && SqlIdentifier::isValid(f->FieldName());
        columns << SqlIdentifier::quoted(f->FieldName());
    }
    if (!pass) {
        // Rows held in memory (or a lookup field): row by row in the view's order.
        for (int vi = 0; vi < int(m_view.size()); ++vi)
            if (matches(fields, valuesOf(m_rows[std::size_t(m_view[std::size_t(vi)])]), values, options))
                return vi;
        return -1;
    }
    // One pass over the table's columns in storage order, compared as a row in memory is.
    const QString sql = QStringLiteral("SELECT rowid, ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                        + SqlIdentifier::quoted(m_table);
    Statement st(m_connection->handle(), sql);
    if (!st.isValid())
        return -1;
    QVariantList row;
    for (int i = 0; i < m_slotCount; ++i)
        row.append(QVariant());
    std::unordered_set<qint64> found;
    while (st.step() == SQLITE_ROW) {
        for (int i = 0; i < fields.size(); ++i)
            row[fields.at(i)->m_slot] = st.value(i + 1);
        if (matches(fields, row, values, options))
            found.insert(st.int64(0));
    }
    if (found.empty())
        return -1;
    for (int vi = 0; vi < int(m_view.size()); ++vi)
        if (found.count(m_rows[std::size_t(m_view[std::size_t(vi)])].key))
            return vi;
    return -1;
}
