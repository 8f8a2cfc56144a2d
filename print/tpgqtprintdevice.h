#pragma once

// The print device over Qt's printer: the selected (or default) printer, or a
// PDF file when the job names an output file. Each sheet takes its own paper
// and orientation inside the one job.

#include "tpgprintdevice.h"

#include <QPageLayout>

#include <memory>

class QPainter;
class QPrinter;

class TPgQtPrintDevice : public TPgPrintDevice
{
public:
    TPgQtPrintDevice();
    ~TPgQtPrintDevice() override;

    void SetLayout(const TPgSheetLayout &layout) override;
    int HorzResolution() const override { return FResolution; }
    int VertResolution() const override { return FResolution; }
    QSize SheetSize() const override;
    QRect PrintableRect() const override;

    bool BeginJob(const TPgPrintJobSettings &settings) override;
    bool NewSheet(const TPgSheetLayout &layout) override;
    QPainter *Painter() override;
    bool EndJob() override;
    void AbortJob() override;
    bool Aborted() const override { return FAborted; }
    QString ErrorString() const override { return FError; }

    // Dots per inch of each quality: 150, 300, 600, 1200.
    static int QualityResolution(TPgPrintQuality quality);
    static QPageLayout PageLayout(const TPgSheetLayout &layout);

private:
    bool Fail(const QString &error);
    void Release();

    TPgSheetLayout FLayout;
    int FResolution = 600;
    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<QPainter> FPainter;
    bool FAborted = false;
    QString FError;
};
