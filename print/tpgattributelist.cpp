#include "tpgattributelist.h"

#include "pgstream.h"

#include <QIODevice>
#include <QtEndian>

namespace {

bool writeInt32(QIODevice &stream, qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return stream.write(bytes, 4) == 4;
}

// Reads exactly n bytes when they are there; never allocates beyond them.
bool readExact(QIODevice &stream, qint64 n, QByteArray *out)
{
    if (n < 0 || n > stream.bytesAvailable())
        return false;
    *out = stream.read(n);
    return out->size() == n;
}

bool readInt32(QIODevice &stream, qint32 *value)
{
    QByteArray bytes;
    if (!readExact(stream, 4, &bytes))
        return false;
    *value = qFromLittleEndian<qint32>(bytes.constData());
    return true;
}

} // namespace

TPgAttributeList::TPgAttributeList(bool allowDuplicates)
    : FAllowDuplicates(allowDuplicates)
{
}

int TPgAttributeList::Add(const QString &text)
{
    if (!FAllowDuplicates) {
        const int existing = IndexOf(text);
        if (existing >= 0)
            return existing;
    }
    FValues.append(text);
    return Count() - 1;
}

void TPgAttributeList::AddInteger(qint32 value)
{
    Add(QString::number(value));
}

void TPgAttributeList::AddBoolean(bool value)
{
    Add(value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TPgAttributeList::AddRect(const TPgIntRect &rect)
{
    Add(QStringLiteral("%1,%2,%3,%4").arg(rect.Left).arg(rect.Top).arg(rect.Right).arg(rect.Bottom));
}

void TPgAttributeList::AddBrush(const TPgBrush &brush)
{
    Add(BrushToStr(brush));
}

void TPgAttributeList::AddPen(const TPgPen &pen)
{
    Add(PenToStr(pen));
}

void TPgAttributeList::Clear()
{
    FValues.clear();
    FData.clear();
}

int TPgAttributeList::IndexOf(const QString &text) const
{
    return int(FValues.indexOf(text));
}

std::optional<QString> TPgAttributeList::GetString(int index) const
{
    if (index < 0 || index >= Count())
        return std::nullopt;
    return FValues.at(index);
}

std::optional<qint32> TPgAttributeList::GetInteger(int index) const
{
    const std::optional<QString> text = GetString(index);
    return text ? PgStrToInt(*text) : std::nullopt;
}

std::optional<bool> TPgAttributeList::GetBoolean(int index) const
{
    const std::optional<qint32> value = GetInteger(index);
    return value ? std::optional<bool>(*value != 0) : std::nullopt;
}

std::optional<TPgIntRect> TPgAttributeList::GetRect(int index) const
{
    const std::optional<QString> text = GetString(index);
    if (!text)
        return std::nullopt;
    const QStringList parts = text->split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    qint32 values[4];
    for (int i = 0; i < 4; ++i) {
        const std::optional<qint32> value = PgStrToInt(parts.at(i));
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    return TPgIntRect{values[0], values[1], values[2], values[3]};
}

std::optional<TPgBrush> TPgAttributeList::GetBrush(int index) const
{
    const std::optional<QString> text = GetString(index);
    return text ? StrToBrush(*text) : std::nullopt;
}

std::optional<TPgPen> TPgAttributeList::GetPen(int index) const
{
    const std::optional<QString> text = GetString(index);
    return text ? StrToPen(*text) : std::nullopt;
}

bool TPgAttributeList::SaveToStream(QIODevice &stream)
{
    QByteArray text;
    for (const QString &value : std::as_const(FValues)) {
        text += value.toLatin1();
        text += "\r\n";
    }
    FValues.clear();
    bool ok = writeInt32(stream, qint32(text.size())) && stream.write(text) == text.size();
    const char hasData = FData.isEmpty() ? 0 : 1;
    ok = ok && stream.write(&hasData, 1) == 1;
    if (hasData)
        ok = ok && writeInt32(stream, qint32(FData.size())) && stream.write(FData) == FData.size();
    return ok;
}

bool TPgAttributeList::LoadFromStream(QIODevice &stream, QString *error)
{
    Clear();
    const auto fail = [&](const QString &message) {
        FValues.clear();
        FData.clear();
        if (error)
            *error = message;
        return false;
    };
    qint32 length = 0;
    if (!readInt32(stream, &length))
        return fail(QStringLiteral("bloque de atributos cortado: falta su largo"));
    QByteArray text;
    if (!readExact(stream, length, &text))
        return fail(QStringLiteral("bloque de atributos de largo %1 más allá de los datos").arg(length));
    if (length > 0)
        FValues = PgTextLines(QString::fromLatin1(text));
    QByteArray flag;
    if (!readExact(stream, 1, &flag))
        return fail(QStringLiteral("bloque de atributos cortado: falta la marca de datos"));
    if (flag.at(0) == 1) {
        qint32 size = 0;
        if (!readInt32(stream, &size) || !readExact(stream, size, &FData))
            return fail(QStringLiteral("bloque de datos de largo %1 más allá de los datos").arg(size));
    } else if (flag.at(0) != 0) {
        return fail(QStringLiteral("marca de datos %1 inválida").arg(int(flag.at(0))));
    }
    return true;
}
