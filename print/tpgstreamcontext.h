#pragma once

// What the objects of one document share while they are written or read: the
// document's font list (no duplicates; a text item names a font by its index)
// and its image table. The caller owns both. Errors are collected in Error.

#include <QString>

class TPgAttributeList;
class TPgGraphicTable;
class TPgTokenSource;

struct TPgStreamContext {
    TPgAttributeList *Fonts = nullptr;
    TPgGraphicTable *Graphics = nullptr;
    // Given to the text objects read.
    const TPgTokenSource *Owner = nullptr;
    QString Error;

    // Keeps the first error; always false, so loaders can return it.
    bool Fail(const QString &message)
    {
        if (Error.isEmpty())
            Error = message;
        return false;
    }
};
