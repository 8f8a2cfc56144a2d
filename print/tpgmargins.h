#pragma once

// User margins (20 mm each by default) and the printer's unprintable margins of
// one preview; every page refers to the one object.

#include "pgstyles.h"
#include "tpgvaluerect.h"

class TPgPrinterInfo;

class TPgMargins
{
public:
    TPgMargins();
    TPgMargins(const TPgMargins &) = delete;
    TPgMargins &operator=(const TPgMargins &) = delete;

    // The user margin values themselves; callers set them (e.g. SetAsMm).
    TPgValue &GetLeftMargin() { return FMargins.Left; }
    TPgValue &GetTopMargin() { return FMargins.Top; }
    TPgValue &GetRightMargin() { return FMargins.Right; }
    TPgValue &GetBottomMargin() { return FMargins.Bottom; }
    const TPgValueRect &UserMargins() const { return FMargins; }
    // Left, top, right, bottom user margins in inches.
    TPgRectExt MarginsInches() const;
    // Refreshed from the printer at each call (unchanged without a printer).
    TPgValueRect &GetPrinterMargins();

    bool ClipMargins() const { return FClipMargins; }
    void SetClipMargins(bool value);
    const TPgPen &Pen() const { return FPen; }
    void SetPen(const TPgPen &pen);
    const TPgPen &PrinterMarginPen() const { return FPrinterMarginPen; }
    void SetPrinterMarginPen(const TPgPen &pen);
    bool ShowPrinterMargins() const { return FShowPrinterMargins; }
    // Changes only while a printer is attached.
    void SetShowPrinterMargins(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);

    TPgPrinterInfo *Printer() const { return FPrinter; }
    void SetPrinter(TPgPrinterInfo *printer) { FPrinter = printer; }

    void Assign(const TPgMargins &other);

    TNotifyEvent OnChange;

private:
    void Changed();

    bool FClipMargins = false;
    TPgValueRect FMargins;
    TPgValueRect FPrinterMargins;
    TPgPen FPen;
    TPgPrinterInfo *FPrinter = nullptr;
    TPgPen FPrinterMarginPen;
    bool FShowPrinterMargins = false;
    bool FVisible = false;
};
