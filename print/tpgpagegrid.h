#pragma once

// The grid the preview may show over a page: none, dots or lines every 1 cm.

#include "pgstyles.h"
#include "tpgvalue.h"

enum TPgGridStyle : quint8 { gmNoGrid, gmDots, gmLines };

class TPgPageGrid
{
public:
    TPgPageGrid();
    TPgPageGrid(const TPgPageGrid &) = delete;
    TPgPageGrid &operator=(const TPgPageGrid &) = delete;

    TPgGridStyle GridStyle() const { return FGridStyle; }
    void SetGridStyle(TPgGridStyle style);
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor color);
    TPgValue &Spacing() { return FSpacing; }

    TNotifyEvent OnChange;

private:
    void Changed();

    TPgGridStyle FGridStyle = gmNoGrid;
    TColor FGridColor = clGray;
    TPgValue FSpacing;
};
