#pragma once

// The header band: texts stand on the line below them, at the top margin plus
// the band height.

#include "tpgheaderfooter.h"

class TPgHeader : public TPgHeaderFooter
{
public:
    TKind Kind() const override { return hfHeader; }
    void Draw(QPainter &painter, int resolution, const QRegion *clip, int pageNumber) override;
    void Print(TPgPrintTarget &printer, int pageNumber) override;
};
