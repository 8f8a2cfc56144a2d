#include "tpgprinter.h"

#include "tpgqtprintdevice.h"

#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>

TPgPrinter::TPgPrinter()
    : FDevice(std::make_unique<TPgQtPrintDevice>())
{
    DeviceChanged();
}

TPgPrinter::~TPgPrinter()
{
    if (FPrinting)
        Abort();
}

void TPgPrinter::SetPrintCopies(int copies)
{
    FPrintCopies = qMax(1, copies);
}

void TPgPrinter::SetPrintQuality(TPgPrintQuality value)
{
    FPrintQuality = value;
}

void TPgPrinter::SetOrientation(TPgOrientation orientation)
{
    if (orientation == FOrientation)
        return;
    FOrientation = orientation;
    DeviceChanged();
}

void TPgPrinter::SetPaperSize(TPgPaperSize size)
{
    if (size == FPaperSize)
        return;
    FPaperSize = size;
    DeviceChanged();
}

void TPgPrinter::SetCustomPaper(qint32 height, qint32 width)
{
    FCustomHeight = height;
    FCustomWidth = width;
    DeviceChanged();
}

void TPgPrinter::SetDevice(std::unique_ptr<TPgPrintDevice> device)
{
    if (!device || FPrinting)
        return;
    FDevice = std::move(device);
    DeviceChanged();
}

TPgSheetLayout TPgPrinter::Layout(TPgOrientation orientation) const
{
    TPgSheetLayout layout;
    layout.Paper = FPaperSize;
    layout.CustomHeight = FCustomHeight;
    layout.CustomWidth = FCustomWidth;
    layout.Orientation = orientation;
    return layout;
}

TPgOrientation TPgPrinter::SheetOrientation(TPgOrientation pageOrientation) const
{
    if (!FRotatedSheet)
        return pageOrientation;
    return pageOrientation == gmPortrait ? gmLandscape : gmPortrait;
}

void TPgPrinter::DeviceChanged()
{
    if (!FPrinting)
        FDevice->SetLayout(Layout(FOrientation));
    if (OnChange)
        OnChange(this);
}

QString TPgPrinter::SelectedPrinterName() const
{
    return FPrintDialog && FPrintDialog->printer() ? FPrintDialog->printer()->printerName() : QString();
}

QString TPgPrinter::SelectedOutputFile() const
{
    if (!FOutputFileName.isEmpty())
        return FOutputFileName;
    return FPrintDialog && FPrintDialog->printer() ? FPrintDialog->printer()->outputFileName() : QString();
}

bool TPgPrinter::BeginDoc()
{
    if (FPrinting)
        return false;
    FPrinting = true;
    FAborted = false;
    FCancelled = false;
    FLastError.clear();
    FRotatedSheet = false;
    if (FPrintDialog && FShowPrintDialog && FPrintDialog->exec() != QDialog::Accepted) {
        FCancelled = true;
        FPrinting = false;
        return false;
    }
    FJobPagesPerSheet = PagesPerSheetCount(FPagesPerSheet);
    FDevice->SetLayout(Layout(FOrientation));
    long double scale = 1;
    if (FJobPagesPerSheet == 2) {
        const QSize sheet = FDevice->SheetSize();
        const int shorter = qMin(sheet.width(), sheet.height());
        const int longer = qMax(sheet.width(), sheet.height());
        scale = longer > 0 ? (long double)shorter / longer : 1;
        FRotatedSheet = true;
    } else if (FJobPagesPerSheet == 4) {
        scale = 0.5L;
    }
    FPageCount = 0;
    FSheetOrientation = SheetOrientation(FOrientation);
    TPgPrintJobSettings settings;
    settings.Title = FTitle;
    settings.PrinterName = SelectedPrinterName();
    settings.OutputFileName = SelectedOutputFile();
    settings.FirstSheet = Layout(FSheetOrientation);
    settings.Duplex = FDuplex;
    settings.Color = FPrintColor;
    settings.Dither = FDitherType;
    settings.Quality = FPrintQuality;
    if (!FDevice->BeginJob(settings)) {
        FLastError = FDevice->ErrorString();
        FPrinting = false;
        FRotatedSheet = false;
        return false;
    }
    const QSize sheet = FDevice->SheetSize();
    FCanvas.Begin(FDevice->Painter(), HorzResolution(), VertResolution(), PageOffsets(), FPrintColor,
                  FJobPagesPerSheet,
                  {(long double)sheet.height() / VertResolution(), (long double)sheet.width() / HorzResolution()});
    FCanvas.SetScale(scale);
    PlaceCell();
    return true;
}

bool TPgPrinter::EndDoc()
{
    if (!FPrinting)
        return false;
    FCanvas.End();
    const bool ok = FDevice->EndJob();
    if (!ok)
        FLastError = FDevice->ErrorString();
    FRotatedSheet = false;
    FPrinting = false;
    FDevice->SetLayout(Layout(FOrientation));
    return ok;
}

bool TPgPrinter::NewPage(TPgOrientation orientation)
{
    if (!FPrinting)
        return false;
    ++FPageCount;
    const bool newSheet = FPageCount % FJobPagesPerSheet == 0;
    if (newSheet) {
        FSheetOrientation = SheetOrientation(orientation);
        if (!FDevice->NewSheet(Layout(FSheetOrientation))) {
            FLastError = FDevice->ErrorString();
            return false;
        }
        FCanvas.SetPainter(FDevice->Painter());
        const QSize sheet = FDevice->SheetSize();
        FCanvas.SetPageSizeInches(
            {(long double)sheet.height() / VertResolution(), (long double)sheet.width() / HorzResolution()});
    }
    PlaceCell();
    return true;
}

void TPgPrinter::PlaceCell()
{
    const QSize sheet = FDevice->SheetSize();
    const int halfWidth = sheet.width() / 2;
    const int halfHeight = sheet.height() / 2;
    QPoint origin;
    if (FJobPagesPerSheet == 2 && FPageCount % 2 == 1)
        origin = FSheetOrientation == gmLandscape ? QPoint(halfWidth, 0) : QPoint(0, halfHeight);
    else if (FJobPagesPerSheet == 4) {
        const int cell = FPageCount % 4;
        origin = QPoint(cell % 2 == 1 ? halfWidth : 0, cell >= 2 ? halfHeight : 0);
    }
    FCanvas.SetCell(origin);
}

void TPgPrinter::Abort()
{
    if (FPrinting) {
        FCanvas.End();
        FDevice->AbortJob();
        FAborted = true;
    }
    FPrinting = false;
    FRotatedSheet = false;
}

bool TPgPrinter::Aborted() const
{
    return FAborted || FDevice->Aborted();
}

TPgValue &TPgPrinter::GetPageHeightPgValue()
{
    FHeightResult.SetAsInches((long double)FDevice->SheetSize().height() / VertResolution());
    return FHeightResult;
}

TPgValue &TPgPrinter::GetPageWidthPgValue()
{
    FWidthResult.SetAsInches((long double)FDevice->SheetSize().width() / HorzResolution());
    return FWidthResult;
}

int TPgPrinter::HorzResolution() const
{
    return FHorzOverride > 0 ? FHorzOverride : qMax(1, FDevice->HorzResolution());
}

int TPgPrinter::VertResolution() const
{
    return FVertOverride > 0 ? FVertOverride : qMax(1, FDevice->VertResolution());
}

void TPgPrinter::SetResolutionOverride(int horz, int vert)
{
    FHorzOverride = horz;
    FVertOverride = vert;
}

QPoint TPgPrinter::PageOffsets() const
{
    return FDevice->PrintableRect().topLeft();
}

TPgRectExt TPgPrinter::PrinterMarginsInches() const
{
    const QSize sheet = FDevice->SheetSize();
    const QRect printable = FDevice->PrintableRect();
    const long double h = HorzResolution();
    const long double v = VertResolution();
    return {printable.left() / h, printable.top() / v,
            (sheet.width() - printable.width() - printable.left()) / h,
            (sheet.height() - printable.height() - printable.top()) / v};
}

TPgValueRect &TPgPrinter::PrinterMargins()
{
    const TPgRectExt inches = PrinterMarginsInches();
    FMarginsResult.Left.SetAsInches(inches.Left);
    FMarginsResult.Top.SetAsInches(inches.Top);
    FMarginsResult.Right.SetAsInches(inches.Right);
    FMarginsResult.Bottom.SetAsInches(inches.Bottom);
    return FMarginsResult;
}

void TPgPrinter::Assign(const TPgPrinter &other)
{
    FPagesPerSheet = other.FPagesPerSheet;
    FPrintColor = other.FPrintColor;
}
