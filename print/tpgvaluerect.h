#pragma once

// Four lengths in units: left, top, right, bottom.

#include "tpgvalue.h"

class TPgValueRect
{
public:
    TPgValueRect() = default;
    // All four values get the same change link.
    TPgValueRect(qint32 left, qint32 top, qint32 right, qint32 bottom, const TNotifyEvent &onChange);
    TPgValueRect(const TPgValueRect &) = delete;
    TPgValueRect &operator=(const TPgValueRect &) = delete;

    void Assign(const TPgValueRect &other);
    void SetChangeLink(const TNotifyEvent &onChange);

    TPgValue Left;
    TPgValue Top;
    TPgValue Right;
    TPgValue Bottom;
};
