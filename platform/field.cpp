#include "field.h"

#include "chileantext.h"
#include "dataset.h"
#include "valuecompare.h"

#include <QRegularExpression>

Field::Field(Dataset *dataset, const QString &name, FieldType type, int size, FieldKind kind)
    : m_dataset(dataset)
    , m_name(name)
    , m_type(type)
    , m_size(type == FieldType::Text ? size : 0)
    , m_kind(kind)
{
    m_readOnly = type == FieldType::AutoInc;
}

int Field::Index() const
{
    return m_dataset->fieldList().indexOf(const_cast<Field *>(this));
}

bool Field::isNumeric() const
{
    switch (DataType()) {
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::Float:
    case FieldType::AutoInc:
        return true;
    default:
        return false;
    }
}

Dataset *Field::LookupDataSet() const
{
    return static_cast<Dataset *>(m_lookupDataSet.data());
}

const Field *Field::lookupResult() const
{
    if (m_kind != FieldKind::Lookup)
        return nullptr;
    const Dataset *ds = LookupDataSet();
    const Field *r = ds ? ds->FindField(m_lookupResultField) : nullptr;
    return r && r->m_kind != FieldKind::Lookup ? r : nullptr;
}

FieldType Field::DataType() const
{
    if (const Field *r = lookupResult())
        return r->m_type == FieldType::AutoInc ? FieldType::Integer : r->m_type;
    return m_type;
}

int Field::Size() const
{
    if (const Field *r = lookupResult())
        return r->m_size;
    return m_size;
}

int Field::DisplayWidth() const
{
    if (m_displayWidth > 0)
        return m_displayWidth;
    switch (DataType()) {
    case FieldType::Text:
        return Size() > 0 ? Size() : 10;
    case FieldType::Boolean:
        return 5;
    default:
        return 10;
    }
}

bool Field::IsNull() const
{
    return m_dataset->fieldValue(this).isNull();
}

QVariant Field::Value() const
{
    return typedValue(m_dataset->fieldValue(this));
}

bool Field::setValue(const QVariant &value)
{
    return m_dataset->setFieldValue(this, value);
}

void Field::Clear()
{
    setValue(QVariant());
}

namespace {

std::optional<bool> boolFromText(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1") || t == QLatin1String("-1") || t == QStringLiteral("sí")
        || t == QLatin1String("si") || t == QLatin1String("s") || t == QLatin1String("verdadero"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("0") || t == QLatin1String("no") || t == QLatin1String("n")
        || t == QLatin1String("falso"))
        return false;
    return std::nullopt;
}

} // namespace

QVariant Field::typedValue(const QVariant &stored) const
{
    if (stored.isNull())
        return QVariant();
    switch (DataType()) {
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::AutoInc:
        if (stored.typeId() == QMetaType::LongLong)
            return stored;
        if (stored.typeId() == QMetaType::Double)
            return QVariant(qlonglong(stored.toDouble()));
        if (stored.typeId() == QMetaType::QString) {
            bool ok = false;
            const qlonglong v = stored.toString().trimmed().toLongLong(&ok);
            return ok ? QVariant(v) : stored;
        }
        return QVariant(stored.toLongLong());
    case FieldType::Float:
        if (stored.typeId() == QMetaType::Double)
            return stored;
        if (stored.typeId() == QMetaType::QString) {
            const auto v = ChileanText::toDouble(stored.toString());
            return v ? QVariant(*v) : stored;
        }
        return QVariant(stored.toDouble());
    case FieldType::Boolean:
        if (stored.typeId() == QMetaType::QString) {
            const auto b = boolFromText(stored.toString());
            return b ? QVariant(*b) : stored;
        }
        return QVariant(stored.toLongLong() != 0);
    case FieldType::DateTime: {
        if (stored.typeId() == QMetaType::QDateTime)
            return stored;
        const auto dt = ChileanText::fromStorage(stored.toString());
        return dt ? QVariant(*dt) : stored;
    }
    case FieldType::Text:
    case FieldType::Memo:
        if (stored.typeId() == QMetaType::Double)
            return ChileanText::fromDouble(stored.toDouble());
        return stored.toString();
    }
    return stored;
}

QString Field::textOf(const QVariant &typed) const
{
    if (typed.isNull())
        return QString();
    switch (typed.typeId()) {
    case QMetaType::Double:
        return ChileanText::fromDouble(typed.toDouble());
    case QMetaType::Bool:
        return typed.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDateTime:
        return ChileanText::fromDateTime(typed.toDateTime());
    default:
        return typed.toString();
    }
}

QString Field::displayTextOf(const QVariant &typed) const
{
    if (typed.typeId() == QMetaType::Bool)
        return typed.toBool() ? QStringLiteral("Sí") : QStringLiteral("No");
    if (!m_displayFormat.isEmpty() && !typed.isNull()
        && (typed.typeId() == QMetaType::Double || typed.typeId() == QMetaType::LongLong || typed.typeId() == QMetaType::Int))
        return ChileanText::formatNumber(typed.toDouble(), m_displayFormat);
    return textOf(typed);
}

bool Field::toStored(const QVariant &in, QVariant &out) const
{
    if (in.isNull()) {
        out = QVariant();
        return true;
    }
    const bool isText = in.typeId() == QMetaType::QString;
    const QString text = isText ? in.toString() : QString();
    switch (DataType()) {
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::AutoInc: {
        qlonglong v = 0;
        if (isText) {
            if (text.trimmed().isEmpty()) {
                out = QVariant();
                return true;
            }
            bool ok = false;
            v = text.trimmed().toLongLong(&ok);
            if (!ok)
                return false;
        } else if (in.typeId() == QMetaType::Double || in.typeId() == QMetaType::Float) {
            const double d = in.toDouble();
            if (d != double(qlonglong(d)))
                return false;
            v = qlonglong(d);
        } else if (ValueCompare::isNumber(in)) {
            v = in.toLongLong();
        } else {
            return false;
        }
        if (DataType() == FieldType::SmallInt && (v < -32768 || v > 32767))
            return false;
        out = QVariant(v);
        return true;
    }
    case FieldType::Float: {
        if (isText) {
            if (text.trimmed().isEmpty()) {
                out = QVariant();
                return true;
            }
            const auto v = ChileanText::toDouble(text);
            if (!v)
                return false;
            out = QVariant(*v);
            return true;
        }
        if (!ValueCompare::isNumber(in))
            return false;
        out = QVariant(in.toDouble());
        return true;
    }
    case FieldType::Boolean: {
        if (isText) {
            if (text.trimmed().isEmpty()) {
                out = QVariant();
                return true;
            }
            const auto b = boolFromText(text);
            if (!b)
                return false;
            out = QVariant(qlonglong(*b ? 1 : 0));
            return true;
        }
        if (!ValueCompare::isNumber(in))
            return false;
        out = QVariant(qlonglong(in.toDouble() != 0 ? 1 : 0));
        return true;
    }
    case FieldType::DateTime: {
        QDateTime dt;
        if (in.typeId() == QMetaType::QDateTime) {
            dt = in.toDateTime();
        } else if (in.typeId() == QMetaType::QDate) {
            dt = QDateTime(in.toDate(), QTime(0, 0), Qt::UTC);
        } else if (isText) {
            if (text.trimmed().isEmpty()) {
                out = QVariant();
                return true;
            }
            const auto parsed = ChileanText::toDateTime(text);
            if (!parsed)
                return false;
            dt = *parsed;
        } else {
            return false;
        }
        if (!dt.isValid())
            return false;
        out = ChileanText::toStorage(dt);
        return true;
    }
    case FieldType::Text:
    case FieldType::Memo: {
        QString s;
        if (isText)
            s = text;
        else if (in.typeId() == QMetaType::Double || in.typeId() == QMetaType::Float)
            s = ChileanText::fromDouble(in.toDouble());
        else if (in.typeId() == QMetaType::Bool)
            s = in.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        else if (in.typeId() == QMetaType::QDateTime)
            s = ChileanText::fromDateTime(in.toDateTime());
        else
            s = in.toString();
        if (DataType() == FieldType::Text && Size() > 0 && s.size() > Size())
            s.truncate(Size());
        out = s;
        return true;
    }
    }
    return false;
}

QString Field::AsString() const
{
    // Fast path for the common case of a text column read while walking a dataset.
    if (m_type == FieldType::Text || m_type == FieldType::Memo) {
        const QVariant *v = m_dataset->storedValue(this);
        if (v && v->typeId() == QMetaType::QString)
            return v->toString();
    }
    return textOf(Value());
}

bool Field::setAsString(const QString &text)
{
    return setValue(text);
}

qint64 Field::AsInteger() const
{
    if (const QVariant *stored = m_dataset->storedValue(this); stored && stored->typeId() == QMetaType::LongLong)
        return stored->toLongLong();
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return qint64(v.toDouble());
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const qint64 i = v.toString().trimmed().toLongLong(&ok);
        if (ok)
            return i;
        const auto d = ChileanText::toDouble(v.toString());
        return d ? qint64(*d) : 0;
    }
    return v.toLongLong();
}

bool Field::setAsInteger(qint64 value)
{
    return setValue(QVariant(qlonglong(value)));
}

double Field::AsFloat() const
{
    if (const QVariant *stored = m_dataset->storedValue(this); stored && stored->typeId() == QMetaType::Double)
        return stored->toDouble();
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString)
        return ChileanText::toDouble(v.toString()).value_or(0);
    return v.toDouble();
}

bool Field::setAsFloat(double value)
{
    return setValue(QVariant(value));
}

QDateTime Field::AsDateTime() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QString)
        return ChileanText::toDateTime(v.toString()).value_or(QDateTime());
    return QDateTime();
}

bool Field::setAsDateTime(const QDateTime &value)
{
    return setValue(value.isValid() ? QVariant(value) : QVariant());
}

bool Field::AsBoolean() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QString)
        return boolFromText(v.toString()).value_or(false);
    return v.toBool();
}

bool Field::setAsBoolean(bool value)
{
    return setValue(QVariant(value));
}

QString Field::DisplayText() const
{
    return displayTextOf(Value());
}

// Field type of a declared column type, by the schema convention (INTEGER, SMALLINT,
// DOUBLE, VARCHAR(n), TEXT, BOOLEAN, DATETIME) and the usual synonyms.
bool Field::typeFromDeclared(const QString &declared, FieldType &type, int &size)
{
    static const QRegularExpression sizeRe(QStringLiteral("\\(\\s*(\\d+)"));
    const QString d = declared.trimmed().toUpper();
    if (d.isEmpty())
        return false;
    const int paren = d.indexOf(QLatin1Char('('));
    const QString base = (paren >= 0 ? d.left(paren) : d).simplified();
    const auto m = sizeRe.match(d);
    const int n = m.hasMatch() ? m.captured(1).toInt() : 0;
    size = 0;
    if (base == QLatin1String("VARCHAR") || base == QLatin1String("CHAR") || base == QLatin1String("NVARCHAR")
        || base == QLatin1String("NCHAR") || base == QLatin1String("CHARACTER") || base == QLatin1String("CHARACTER VARYING")
        || base == QLatin1String("VARYING CHARACTER") || (base == QLatin1String("TEXT") && n > 0)) {
        type = FieldType::Text;
        size = n > 0 ? n : 255;
    } else if (base == QLatin1String("TEXT") || base == QLatin1String("MEMO") || base == QLatin1String("LONGTEXT")
               || base == QLatin1String("CLOB") || base == QLatin1String("NTEXT")) {
        type = FieldType::Memo;
    } else if (base == QLatin1String("SMALLINT") || base == QLatin1String("TINYINT") || base == QLatin1String("BYTE")) {
        type = FieldType::SmallInt;
    } else if (base == QLatin1String("INTEGER") || base == QLatin1String("INT") || base == QLatin1String("BIGINT")
               || base == QLatin1String("LONG") || base == QLatin1String("COUNTER")) {
        type = FieldType::Integer;
    } else if (base == QLatin1String("DOUBLE") || base == QLatin1String("DOUBLE PRECISION") || base == QLatin1String("REAL")
               || base == QLatin1String("FLOAT") || base == QLatin1String("NUMERIC") || base == QLatin1String("DECIMAL")
               || base == QLatin1String("SINGLE") || base == QLatin1String("CURRENCY")) {
        type = FieldType::Float;
    } else if (base == QLatin1String("BOOLEAN") || base == QLatin1String("BOOL") || base == QLatin1String("LOGICAL")
               || base == QLatin1String("YESNO") || base == QLatin1String("BIT")) {
        type = FieldType::Boolean;
    } else if (base == QLatin1String("DATETIME") || base == QLatin1String("DATE") || base == QLatin1String("TIMESTAMP")
               || base == QLatin1String("TIME")) {
        type = FieldType::DateTime;
    } else if (base.contains(QLatin1String("INT"))) {
        type = FieldType::Integer;
    } else if (base.contains(QLatin1String("REAL")) || base.contains(QLatin1String("FLOA")) || base.contains(QLatin1String("DOUB"))) {
        type = FieldType::Float;
    } else {
        type = FieldType::Memo;
    }
    return true;
}


QString Field::textOfStored(const QVariant &stored, const QString &declared)
{
    FieldType type = FieldType::Memo;
    int size = 0;
    if (!typeFromDeclared(declared, type, size)) {
        if (stored.typeId() == QMetaType::LongLong)
            type = FieldType::Integer;
        else if (stored.typeId() == QMetaType::Double)
            type = FieldType::Float;
    }
    const Field f(nullptr, QString(), type, size, FieldKind::Data);
    return f.textOf(f.typedValue(stored));
}
