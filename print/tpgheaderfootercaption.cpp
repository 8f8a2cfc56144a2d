#include "tpgheaderfootercaption.h"

void TPgHeaderFooterCaption::SetCaption(const QString &caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    Changed();
}

void TPgHeaderFooterCaption::SetFont(const TPgFont &font)
{
    FFont = font;
    Changed();
}

void TPgHeaderFooterCaption::Assign(const TPgHeaderFooterCaption &other)
{
    FCaption = other.FCaption;
    FFont = other.FFont;
    Changed();
}

void TPgHeaderFooterCaption::Changed()
{
    if (OnChange)
        OnChange(this);
}
