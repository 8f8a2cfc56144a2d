#pragma once

// The footer band: the line lies above the texts, at the bottom margin minus the
// band height.

#include "tpgheaderfooter.h"

class TPgFooter : public TPgHeaderFooter
{
public:
    TKind Kind() const override { return hfFooter; }
    void Draw(QPainter &painter, int resolution, const QRegion *clip, int pageNumber) override;
    void Print(TPgPrintTarget &printer, int pageNumber) override;
};
