#pragma once

// What the margins need to know of the printer: its unprintable margins.
// The printer implements it.

#include "pgtypes.h"

class TPgPrinterInfo
{
public:
    virtual ~TPgPrinterInfo() = default;
    // Left, top, right and bottom unprintable margins in inches.
    virtual TPgRectExt PrinterMarginsInches() const = 0;
};
