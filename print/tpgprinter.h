#pragma once

// The printer of one preview: print settings (copies, duplex, quality, colour,
// dither, title, print dialog), the job (BeginDoc, NewPage, EndDoc, Abort) with
// several logical pages per sheet and orientation changes inside one job, and
// the sheet's size, resolution and unprintable margins. Output goes to a
// TPgPrintDevice: Qt's printer (or a PDF file) unless a test sets its own.

#include "pgprintertypes.h"
#include "tpgprintdevice.h"
#include "tpgprintercanvas.h"
#include "tpgprinterinfo.h"
#include "tpgvalue.h"
#include "tpgvaluerect.h"

#include <QPointer>
#include <QString>

#include <memory>

#include <QPrintDialog>

class TPgPrinter : public TPgPrinterInfo
{
public:
    TPgPrinter();
    ~TPgPrinter() override;
    TPgPrinter(const TPgPrinter &) = delete;
    TPgPrinter &operator=(const TPgPrinter &) = delete;

    TPgDitherType DitherType() const { return FDitherType; }
    void SetDitherType(TPgDitherType value) { FDitherType = value; }
    TPgDuplexType Duplex() const { return FDuplex; }
    void SetDuplex(TPgDuplexType value) { FDuplex = value; }
    TPgPrintColor PrintColor() const { return FPrintColor; }
    void SetPrintColor(TPgPrintColor value) { FPrintColor = value; }
    int PrintCopies() const { return FPrintCopies; }
    // Below 1 is taken as 1.
    void SetPrintCopies(int copies);
    TPgPrintQuality PrintQuality() const { return FPrintQuality; }
    void SetPrintQuality(TPgPrintQuality value);
    // Kept for the settings; the print loop reads the preview's own flag.
    bool ReversePrintOrder() const { return FReversePrintOrder; }
    void SetReversePrintOrder(bool value) { FReversePrintOrder = value; }
    // The dialog (not owned) that chooses the printer or the output file; run
    // by BeginDoc when ShowPrintDialog is set.
    QPrintDialog *PrintDialog() const { return FPrintDialog; }
    void SetPrintDialog(QPrintDialog *dialog) { FPrintDialog = dialog; }
    bool ShowPrintDialog() const { return FShowPrintDialog; }
    void SetShowPrintDialog(bool value) { FShowPrintDialog = value; }
    const QString &Title() const { return FTitle; }
    void SetTitle(const QString &title) { FTitle = title; }
    // A PDF file to print into; empty takes the print dialog's file, if any,
    // else the printer.
    const QString &OutputFileName() const { return FOutputFileName; }
    void SetOutputFileName(const QString &fileName) { FOutputFileName = fileName; }

    TPgOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPgOrientation orientation);
    TPgPaperSize PaperSize() const { return FPaperSize; }
    void SetPaperSize(TPgPaperSize size);
    // The sheet of a Custom paper, portrait height and width in units.
    void SetCustomPaper(qint32 height, qint32 width);
    TPgPagesPerSheet PagesPerSheet() const { return FPagesPerSheet; }
    void SetPagesPerSheet(TPgPagesPerSheet pages) { FPagesPerSheet = pages; }

    // Replaces the output device (tests record what the printer receives).
    void SetDevice(std::unique_ptr<TPgPrintDevice> device);
    TPgPrintDevice &Device() { return *FDevice; }
    TPgPrinterCanvas &Canvas() { return FCanvas; }

    // Starts a job; false when it did not start: the dialog was cancelled
    // (Cancelled()) or the device failed (LastError()).
    bool BeginDoc();
    // Ends the job; false with LastError() when the device reported a failure.
    bool EndDoc();
    // Moves to the next logical page: a new sheet when the current one is full,
    // in the orientation o (turned on a rotated sheet), then the page's cell.
    bool NewPage(TPgOrientation orientation);
    void Abort();
    bool Aborted() const;
    bool Printing() const { return FPrinting; }
    bool Cancelled() const { return FCancelled; }
    const QString &LastError() const { return FLastError; }
    // Logical pages begun so far in the job, less the first.
    int LogicalPageCount() const { return FPageCount; }

    // The sheet's physical size in inches (height over the vertical resolution).
    TPgValue &GetPageHeightPgValue();
    TPgValue &GetPageWidthPgValue();
    // The device's resolution, or the override when one is set (-1: none).
    int HorzResolution() const;
    int VertResolution() const;
    void SetResolutionOverride(int horz, int vert);
    // Offsets of the printable area, device pixels.
    QPoint PageOffsets() const;
    TPgRectExt PrinterMarginsInches() const override;
    // The printer margins as a value rectangle (inches through SetAsInches).
    TPgValueRect &PrinterMargins();

    // Copies the pages-per-sheet and colour settings.
    void Assign(const TPgPrinter &other);

    // Fired when the printer's settings that the preview shows change.
    TNotifyEvent OnChange;

private:
    TPgSheetLayout Layout(TPgOrientation orientation) const;
    TPgOrientation SheetOrientation(TPgOrientation pageOrientation) const;
    void DeviceChanged();
    void PlaceCell();
    QString SelectedPrinterName() const;
    QString SelectedOutputFile() const;

    TPgDitherType FDitherType = gmGrayScale;
    TPgDuplexType FDuplex = gmSimplex;
    TPgPrintColor FPrintColor = gmColor;
    int FPrintCopies = 1;
    QPointer<QPrintDialog> FPrintDialog;
    TPgPrintQuality FPrintQuality = gmMedium;
    bool FReversePrintOrder = true;
    bool FShowPrintDialog = true;
    QString FTitle = QStringLiteral("<document>");
    QString FOutputFileName;

    TPgPrinterCanvas FCanvas;
    TPgOrientation FOrientation = gmPortrait;
    TPgOrientation FSheetOrientation = gmPortrait;
    TPgPagesPerSheet FPagesPerSheet = gmOnePage;
    TPgPaperSize FPaperSize = TPgPaperSize::A4;
    qint32 FCustomHeight = 0;
    qint32 FCustomWidth = 0;
    bool FPrinting = false;
    bool FRotatedSheet = false;
    bool FAborted = false;
    bool FCancelled = false;
    int FPageCount = 0;
    int FJobPagesPerSheet = 1;
    int FHorzOverride = -1;
    int FVertOverride = -1;
    QString FLastError;
    std::unique_ptr<TPgPrintDevice> FDevice;
    TPgValue FHeightResult;
    TPgValue FWidthResult;
    TPgValueRect FMarginsResult;
};
