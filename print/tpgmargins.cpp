#include "tpgmargins.h"

#include "tpgprinterinfo.h"

TPgMargins::TPgMargins()
    : FMargins(2000, 2000, 2000, 2000, [this](void *) { Changed(); })
{
    FPen.Color = clSilver;
    FPen.Style = psDot;
    FPrinterMarginPen = FPen;
}

TPgRectExt TPgMargins::MarginsInches() const
{
    return {FMargins.Left.GetAsInches(), FMargins.Top.GetAsInches(), FMargins.Right.GetAsInches(),
            FMargins.Bottom.GetAsInches()};
}

TPgValueRect &TPgMargins::GetPrinterMargins()
{
    if (FPrinter) {
        const TPgRectExt inches = FPrinter->PrinterMarginsInches();
        FPrinterMargins.Left.SetAsInches(inches.Left);
        FPrinterMargins.Top.SetAsInches(inches.Top);
        FPrinterMargins.Right.SetAsInches(inches.Right);
        FPrinterMargins.Bottom.SetAsInches(inches.Bottom);
    }
    return FPrinterMargins;
}

void TPgMargins::SetClipMargins(bool value)
{
    if (value == FClipMargins)
        return;
    FClipMargins = value;
    Changed();
}

void TPgMargins::SetPen(const TPgPen &pen)
{
    if (pen == FPen)
        return;
    FPen = pen;
    Changed();
}

void TPgMargins::SetPrinterMarginPen(const TPgPen &pen)
{
    if (pen == FPrinterMarginPen)
        return;
    FPrinterMarginPen = pen;
    Changed();
}

void TPgMargins::SetShowPrinterMargins(bool value)
{
    if (!FPrinter || value == FShowPrinterMargins)
        return;
    FShowPrinterMargins = value;
    Changed();
}

void TPgMargins::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    FVisible = value;
    Changed();
}

void TPgMargins::Assign(const TPgMargins &other)
{
    FMargins.Assign(other.FMargins);
    FPrinterMargins.Assign(other.FPrinterMargins);
    FPen = other.FPen;
    FPrinterMarginPen = other.FPrinterMarginPen;
    FShowPrinterMargins = other.FShowPrinterMargins;
    FVisible = other.FVisible;
    Changed();
}

void TPgMargins::Changed()
{
    if (OnChange)
        OnChange(this);
}
