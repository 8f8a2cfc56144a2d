#pragma once

// A height and a width in units; a change of either fires OnChange with the size
// as sender.

#include "tpgvalue.h"

class TPgCustomValueSize
{
public:
    TPgCustomValueSize();
    virtual ~TPgCustomValueSize() = default;
    TPgCustomValueSize(const TPgCustomValueSize &) = delete;
    TPgCustomValueSize &operator=(const TPgCustomValueSize &) = delete;

    void Assign(const TPgCustomValueSize &other);

    TPgValue Height;
    TPgValue Width;
    TNotifyEvent OnChange;
};
