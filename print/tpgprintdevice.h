#pragma once

// The device a print job goes to: sheets of paper in device pixels and a
// painter on the current sheet. The printer (TPgPrinter) drives it; the real
// one prints through Qt's printer or into a PDF file, a test one records.

#include "pgprintertypes.h"
#include "pgtypes.h"

#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

class QPainter;

// Paper and orientation of one sheet. A Custom paper carries its portrait
// height and width in units.
struct TPgSheetLayout {
    TPgPaperSize Paper = TPgPaperSize::A4;
    qint32 CustomHeight = 0;
    qint32 CustomWidth = 0;
    TPgOrientation Orientation = gmPortrait;
    bool operator==(const TPgSheetLayout &) const = default;
};

// What a job asks of the device; copies are never sent (the print loop repeats).
struct TPgPrintJobSettings {
    QString Title;
    // The selected printer; empty selects the system's default printer.
    QString PrinterName;
    // A file to print into (PDF); empty prints on the printer.
    QString OutputFileName;
    TPgSheetLayout FirstSheet;
    TPgDuplexType Duplex = gmSimplex;
    TPgPrintColor Color = gmColor;
    TPgDitherType Dither = gmGrayScale;
    TPgPrintQuality Quality = gmMedium;
};

class TPgPrintDevice
{
public:
    virtual ~TPgPrintDevice() = default;

    // The sheet the size queries answer for, outside a job too.
    virtual void SetLayout(const TPgSheetLayout &layout) = 0;
    virtual int HorzResolution() const = 0;
    virtual int VertResolution() const = 0;
    // The whole sheet and its printable part, device pixels of the current sheet.
    virtual QSize SheetSize() const = 0;
    virtual QRect PrintableRect() const = 0;

    // Starts the job and its first sheet; false with ErrorString() set when it
    // cannot start.
    virtual bool BeginJob(const TPgPrintJobSettings &settings) = 0;
    // Ends the current sheet and starts the next with layout.
    virtual bool NewSheet(const TPgSheetLayout &layout) = 0;
    // The painter of the current sheet, device pixels from the sheet's top-left
    // corner; null outside a job.
    virtual QPainter *Painter() = 0;
    virtual bool EndJob() = 0;
    virtual void AbortJob() = 0;
    virtual bool Aborted() const = 0;
    virtual QString ErrorString() const = 0;
};
