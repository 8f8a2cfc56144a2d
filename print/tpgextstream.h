#pragma once

// Reader of one block of the old fixed-width format: an int32 length and that
// many bytes, read with typed readers (little-endian). Integer and byte reads
// past the end yield 0; texts, extended values and nested blocks that do not fit
// are errors.

#include "pgtypes.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

class TPgExtStream
{
public:
    // Empties itself and reads a block from source; false (error set) when the
    // length is negative or beyond the remaining bytes.
    bool LoadBlock(QIODevice &source, QString *error);
    // The same from the current position of another block (nested blocks).
    bool LoadBlock(TPgExtStream &source, QString *error);

    qint32 ReadInteger();
    quint8 ReadByte();
    bool ReadBoolean();
    std::optional<long double> ReadExtended();
    std::optional<QString> ReadString();
    TPgIntRect ReadRect();
    // An int32 length and that many bytes.
    std::optional<QByteArray> ReadBytes();

    qsizetype Remaining() const { return FData.size() - FPosition; }

private:
    QByteArray FData;
    qsizetype FPosition = 0;
};
