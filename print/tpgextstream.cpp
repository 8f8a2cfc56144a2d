#include "tpgextstream.h"

#include <QIODevice>
#include <QtEndian>

#include <cmath>

bool TPgExtStream::LoadBlock(QIODevice &source, QString *error)
{
    FData.clear();
    FPosition = 0;
    char bytes[4];
    if (source.bytesAvailable() < 4 || source.read(bytes, 4) != 4) {
        if (error)
            *error = QStringLiteral("bloque cortado: falta su largo");
        return false;
    }
    const qint32 length = qFromLittleEndian<qint32>(bytes);
    if (length < 0 || length > source.bytesAvailable()) {
        if (error)
            *error = QStringLiteral("bloque de largo %1 más allá de los datos").arg(length);
        return false;
    }
    FData = source.read(length);
    return FData.size() == length;
}

bool TPgExtStream::LoadBlock(TPgExtStream &source, QString *error)
{
    const std::optional<QByteArray> bytes = source.ReadBytes();
    FData.clear();
    FPosition = 0;
    if (!bytes) {
        if (error)
            *error = QStringLiteral("bloque anidado más allá de su bloque");
        return false;
    }
    FData = *bytes;
    return true;
}

qint32 TPgExtStream::ReadInteger()
{
    if (Remaining() < 4) {
        FPosition = FData.size();
        return 0;
    }
    const qint32 value = qFromLittleEndian<qint32>(FData.constData() + FPosition);
    FPosition += 4;
    return value;
}

quint8 TPgExtStream::ReadByte()
{
    if (Remaining() < 1)
        return 0;
    return quint8(FData.at(FPosition++));
}

bool TPgExtStream::ReadBoolean()
{
    return ReadByte() != 0;
}

std::optional<long double> TPgExtStream::ReadExtended()
{
    if (Remaining() < 10)
        return std::nullopt;
    const auto *p = reinterpret_cast<const uchar *>(FData.constData() + FPosition);
    FPosition += 10;
    const quint64 mantissa = qFromLittleEndian<quint64>(p);
    const quint16 top = qFromLittleEndian<quint16>(p + 8);
    const int exponent = top & 0x7FFF;
    if (exponent == 0x7FFF)
        return std::nullopt;
    long double value = std::ldexp((long double)mantissa, (exponent == 0 ? 1 : exponent) - 16383 - 63);
    if (top & 0x8000)
        value = -value;
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QString> TPgExtStream::ReadString()
{
    const std::optional<QByteArray> bytes = ReadBytes();
    return bytes ? std::optional<QString>(QString::fromLatin1(*bytes)) : std::nullopt;
}

TPgIntRect TPgExtStream::ReadRect()
{
    TPgIntRect rect;
    rect.Left = ReadInteger();
    rect.Top = ReadInteger();
    rect.Right = ReadInteger();
    rect.Bottom = ReadInteger();
    return rect;
}

std::optional<QByteArray> TPgExtStream::ReadBytes()
{
    if (Remaining() < 4)
        return std::nullopt;
    const qint32 length = qFromLittleEndian<qint32>(FData.constData() + FPosition);
    if (length < 0 || length > Remaining() - 4)
        return std::nullopt;
    FPosition += 4;
    QByteArray bytes = FData.mid(FPosition, length);
    FPosition += length;
    return bytes;
}
