#include "tpgpagegrid.h"

TPgPageGrid::TPgPageGrid()
    : FSpacing(PgUnitsPerCm, [this](void *) { Changed(); })
{
}

void TPgPageGrid::SetGridStyle(TPgGridStyle style)
{
    if (style == FGridStyle)
        return;
    FGridStyle = style;
    Changed();
}

void TPgPageGrid::SetGridColor(TColor color)
{
    if (color == FGridColor)
        return;
    FGridColor = color;
    Changed();
}

void TPgPageGrid::Changed()
{
    if (OnChange)
        OnChange(this);
}
