#include "tpgshadow.h"

void TPgShadow::SetWidth(int width)
{
    if (width == FWidth)
        return;
    FWidth = width;
    Changed();
}

void TPgShadow::SetColor(TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    Changed();
}

void TPgShadow::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    Changed();
}

void TPgShadow::Assign(const TPgShadow &other)
{
    FWidth = other.FWidth;
    FColor = other.FColor;
    FVisible = other.FVisible;
    Changed();
}

void TPgShadow::Changed()
{
    if (OnChange)
        OnChange(this);
}
