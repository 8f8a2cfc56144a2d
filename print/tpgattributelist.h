#pragma once

// One block of the attribute-list format: a list of text values (one line each)
// and an optional data block. Written as int32 text length, the values each
// followed by CR LF, a has-data byte and, when set, int32 length and data; all
// little-endian. Reading treats the input as untrusted.

#include "pgstyles.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

class QIODevice;

class TPgAttributeList
{
public:
    explicit TPgAttributeList(bool allowDuplicates = true);

    // Appends; returns the text's index. Without duplicates an existing equal
    // text is not added again and its index is returned.
    int Add(const QString &text);
    void AddInteger(qint32 value);
    void AddBoolean(bool value);
    void AddRect(const TPgIntRect &rect);
    void AddBrush(const TPgBrush &brush);
    void AddPen(const TPgPen &pen);

    int Count() const { return int(FValues.size()); }
    const QStringList &Values() const { return FValues; }
    void Clear();
    int IndexOf(const QString &text) const;

    // Each getter answers nothing for an index outside the list or a value that
    // does not decode.
    std::optional<QString> GetString(int index) const;
    std::optional<qint32> GetInteger(int index) const;
    std::optional<bool> GetBoolean(int index) const;
    std::optional<TPgIntRect> GetRect(int index) const;
    std::optional<TPgBrush> GetBrush(int index) const;
    std::optional<TPgPen> GetPen(int index) const;

    QByteArray &Data() { return FData; }
    bool AllowDuplicates() const { return FAllowDuplicates; }

    // Writes the block, then empties the values. False when the device refused.
    bool SaveToStream(QIODevice &stream);
    // Reads one block. A length beyond the remaining bytes, a cut block or a bad
    // has-data byte is an error (error set, values empty).
    bool LoadFromStream(QIODevice &stream, QString *error);

private:
    QStringList FValues;
    QByteArray FData;
    bool FAllowDuplicates = true;
};
