// Dataset: finding the first row by exact key values through a key -> row map per set of
// key fields, built by the first search after the rows changed (grids and printouts read a
// lookup column once per cell, exports locate a row once per master row).
#include "dataset.h"

#include "chileantext.h"
#include "field.h"
#include "valuecompare.h"

namespace {

// The text `value` is filed under in a map for `field`: equal texts for the values
// ValueCompare::equals holds equal. False when the field's type or the value has no such
// text (dates, booleans, text that a number should match), and the search goes row by row.
bool keyText(const Field *field, const QVariant &value, QString &out)
{
    if (value.isNull()) {
        out += QLatin1String("N;");
        return true;
    }
    switch (field->DataType()) {
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::AutoInc:
    case FieldType::Float: {
        std::optional<double> number;
        if (value.typeId() == QMetaType::QString)
            number = ChileanText::toDouble(value.toString());
        else if (ValueCompare::isNumber(value) && value.typeId() != QMetaType::Bool)
            number = value.toDouble();
        if (!number)
            return false;
        const double n = *number == 0 ? 0.0 : *number; // -0 equals 0
        out += QLatin1Char('n') + QString::number(n, 'g', 17) + QLatin1Char(';');
        return true;
    }
    case FieldType::Text:
    case FieldType::Memo: {
        if (value.typeId() != QMetaType::QString)
            return false;
        const QString text = value.toString();
        out += QLatin1Char('s') + QString::number(text.size()) + QLatin1Char(':') + text;
        return true;
    }
    case FieldType::Boolean:
    case FieldType::DateTime:
        break;
    }
    return false;
}

} // namespace

int Dataset::findRow(const QList<const Field *> &fields, const QVariantList &values, LocateOptions options) const
{
    bool mapped = !m_onDemand && options == NoLocateOptions && !fields.isEmpty() && fields.size() == values.size();
    QString name;
    for (const Field *f : fields) {
        mapped = mapped && f->Kind() != FieldKind::Lookup;
        name += f->FieldName().toLower() + QLatin1Char(';');
    }
    QString key;
    for (int i = 0; mapped && i < fields.size(); ++i)
        mapped = keyText(fields.at(i), values.at(i), key);
    if (!mapped)
        return findOnDemand(fields, values, options);

    KeyIndex &index = m_keyIndexes[name];
    if (!index.built) {
        index.built = true;
        index.usable = true;
        for (int vi = 0; vi < int(m_view.size()); ++vi) {
            const QVariantList &row = valuesOf(m_rows[std::size_t(m_view[std::size_t(vi)])]);
            QString rowKey;
            for (const Field *f : fields) {
                const QVariant v = rowValue(f, row);
                // A row value of another type than the field's (text in a number column)
                // compares in ways a map cannot hold.
                const bool plain = v.isNull() || (f->isNumeric() ? ValueCompare::isNumber(v) : v.typeId() == QMetaType::QString);
                if (!plain || !keyText(f, v, rowKey)) {
                    index.usable = false;
                    break;
                }
            }
            if (!index.usable)
                break;
            if (!index.rows.contains(rowKey)) // the first row of a key is the one found
                index.rows.insert(rowKey, vi);
        }
        if (!index.usable)
            index.rows.clear();
    }
    if (!index.usable)
        return findOnDemand(fields, values, options);
    const auto it = index.rows.constFind(key);
    return it == index.rows.cend() ? -1 : it.value();
}

void Dataset::rowsChanged()
{
    m_keyIndexes.clear();
    ++m_revision;
}
