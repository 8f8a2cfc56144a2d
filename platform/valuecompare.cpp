#include "valuecompare.h"

#include "chileantext.h"

#include <QDateTime>

namespace ValueCompare {

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

namespace {

std::optional<double> asNumber(const QVariant &v)
{
    if (isNumber(v))
        return v.toDouble();
    if (v.typeId() == QMetaType::QString)
        return ChileanText::toDouble(v.toString());
    return std::nullopt;
}

std::optional<QDateTime> asDate(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0), Qt::UTC);
    if (v.typeId() == QMetaType::QString)
        return ChileanText::toDateTime(v.toString());
    return std::nullopt;
}

QString asText(const QVariant &v)
{
    if (v.typeId() == QMetaType::Double)
        return ChileanText::fromDouble(v.toDouble());
    if (v.typeId() == QMetaType::QDateTime)
        return ChileanText::fromDateTime(v.toDateTime());
    return v.toString();
}

template<typename T>
int sign(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

int compare(const QVariant &a, const QVariant &b, bool caseInsensitive)
{
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    if (isNumber(a) || isNumber(b)) {
        const auto x = asNumber(a);
        const auto y = asNumber(b);
        if (x && y)
            return sign(*x, *y);
    }
    const bool aDate = a.typeId() == QMetaType::QDateTime || a.typeId() == QMetaType::QDate;
    const bool bDate = b.typeId() == QMetaType::QDateTime || b.typeId() == QMetaType::QDate;
    if (aDate || bDate) {
        const auto x = asDate(a);
        const auto y = asDate(b);
        if (x && y)
            return sign(*x, *y);
    }
    return QString::compare(asText(a), asText(b), caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
}

bool equals(const QVariant &a, const QVariant &b, bool caseInsensitive)
{
    return compare(a, b, caseInsensitive) == 0;
}

bool startsWith(const QVariant &value, const QVariant &prefix, bool caseInsensitive)
{
    if (value.isNull() || prefix.isNull())
        return value.isNull() && prefix.isNull();
    return asText(value).startsWith(asText(prefix), caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
}

} // namespace ValueCompare
