#include "tpgqtprintdevice.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

TPgQtPrintDevice::TPgQtPrintDevice() = default;

TPgQtPrintDevice::~TPgQtPrintDevice()
{
    if (FPainter && FPainter->isActive())
        AbortJob();
}

int TPgQtPrintDevice::QualityResolution(TPgPrintQuality quality)
{
    switch (quality) {
    case gmDraft: return 150;
    case gmLow: return 300;
    case gmHigh: return 1200;
    default: return 600;
    }
}

QPageLayout TPgQtPrintDevice::PageLayout(const TPgSheetLayout &layout)
{
    qint32 height = layout.CustomHeight;
    qint32 width = layout.CustomWidth;
    if (layout.Paper != TPgPaperSize::Custom) {
        height = PaperSizeHeightUnits(layout.Paper);
        width = PaperSizeWidthUnits(layout.Paper);
    }
    if (height <= 0 || width <= 0) {
        height = PaperSizeHeightUnits(TPgPaperSize::A4);
        width = PaperSizeWidthUnits(TPgPaperSize::A4);
    }
    const QPageSize size(QSizeF(width / 100.0, height / 100.0), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    QPageLayout result(size, layout.Orientation == gmLandscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter);
    result.setMode(QPageLayout::FullPageMode);
    return result;
}

void TPgQtPrintDevice::SetLayout(const TPgSheetLayout &layout)
{
    FLayout = layout;
}

QSize TPgQtPrintDevice::SheetSize() const
{
    if (FPrinter)
        return FPrinter->pageLayout().fullRectPixels(FResolution).size();
    return PageLayout(FLayout).fullRectPixels(FResolution).size();
}

QRect TPgQtPrintDevice::PrintableRect() const
{
    if (!FPrinter)
        return QRect(QPoint(0, 0), SheetSize());
    const QPageLayout layout = FPrinter->pageLayout();
    return layout.fullRectPixels(FResolution).marginsRemoved(layout.marginsPixels(FResolution));
}

bool TPgQtPrintDevice::Fail(const QString &error)
{
    FError = error;
    Release();
    return false;
}

void TPgQtPrintDevice::Release()
{
    if (FPainter && FPainter->isActive())
        FPainter->end();
    FPainter.reset();
    FPrinter.reset();
}

bool TPgQtPrintDevice::BeginJob(const TPgPrintJobSettings &settings)
{
    Release();
    FError.clear();
    FAborted = false;
    FResolution = QualityResolution(settings.Quality);
    FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!settings.OutputFileName.isEmpty()) {
        FPrinter->setOutputFormat(QPrinter::PdfFormat);
        FPrinter->setOutputFileName(settings.OutputFileName);
    } else {
        const QString name =
            settings.PrinterName.isEmpty() ? QPrinterInfo::defaultPrinterName() : settings.PrinterName;
        if (name.isEmpty())
            return Fail(QStringLiteral("No hay ninguna impresora instalada y no se indicó un archivo de salida."));
        FPrinter->setOutputFormat(QPrinter::NativeFormat);
        FPrinter->setPrinterName(name);
        if (!FPrinter->isValid())
            return Fail(QStringLiteral("La impresora «%1» no está disponible.").arg(name));
    }
    FPrinter->setResolution(FResolution);
    FPrinter->setFullPage(true);
    FPrinter->setDocName(settings.Title);
    FPrinter->setCreator(QStringLiteral("Brenvik"));
    FPrinter->setCopyCount(1);
    FPrinter->setColorMode(settings.Color == gmMonochrome ? QPrinter::GrayScale : QPrinter::Color);
    switch (settings.Duplex) {
    case gmHorzDuplex: FPrinter->setDuplex(QPrinter::DuplexShortSide); break;
    case gmVertDuplex: FPrinter->setDuplex(QPrinter::DuplexLongSide); break;
    default: FPrinter->setDuplex(QPrinter::DuplexNone); break;
    }
    FLayout = settings.FirstSheet;
    FPrinter->setPageLayout(PageLayout(FLayout));
    FPainter = std::make_unique<QPainter>();
    if (!FPainter->begin(FPrinter.get())) {
        const QString target = settings.OutputFileName.isEmpty() ? FPrinter->printerName() : settings.OutputFileName;
        return Fail(QStringLiteral("No se pudo iniciar la impresión en «%1».").arg(target));
    }
    return true;
}

bool TPgQtPrintDevice::NewSheet(const TPgSheetLayout &layout)
{
    if (!FPrinter || !FPainter)
        return false;
    // The layout set before newPage() belongs to the sheet newPage() starts.
    if (!(layout == FLayout)) {
        FLayout = layout;
        if (!FPrinter->setPageLayout(PageLayout(layout))) {
            FError = QStringLiteral("La impresora no acepta cambiar el papel u orientación dentro del trabajo.");
            return false;
        }
    }
    if (!FPrinter->newPage()) {
        FError = QStringLiteral("No se pudo comenzar una hoja nueva.");
        return false;
    }
    return true;
}

QPainter *TPgQtPrintDevice::Painter()
{
    return FPainter && FPainter->isActive() ? FPainter.get() : nullptr;
}

bool TPgQtPrintDevice::EndJob()
{
    if (!FPainter)
        return false;
    const bool ended = FPainter->end();
    const bool ok = ended && FPrinter->printerState() != QPrinter::Error;
    if (!ok)
        FError = QStringLiteral("La impresión terminó con un error del dispositivo.");
    Release();
    return ok;
}

void TPgQtPrintDevice::AbortJob()
{
    if (FPrinter && FPainter && FPainter->isActive()) {
        FPrinter->abort();
        FAborted = true;
    }
    Release();
}
