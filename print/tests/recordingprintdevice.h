#pragma once

// A print device that records what the printer sends: the job, every sheet
// with its paper and orientation, and each sheet's pixels at a low resolution
// so that tests can see where the pages landed.

#include "tpgprintdevice.h"
#include "tpgqtprintdevice.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

#include <memory>
#include <vector>

class RecordingPrintDevice : public TPgPrintDevice
{
public:
    explicit RecordingPrintDevice(int resolution = 50, int vertResolution = 0)
        : Resolution(resolution)
        , VertRes(vertResolution > 0 ? vertResolution : resolution)
    {
    }

    void SetLayout(const TPgSheetLayout &layout) override { Layout = layout; }
    int HorzResolution() const override { return Resolution; }
    int VertResolution() const override { return VertRes; }
    QSize SheetSize() const override
    {
        const QSizeF inches = TPgQtPrintDevice::PageLayout(Layout).fullRect(QPageLayout::Inch).size();
        return QSize(qRound(inches.width() * Resolution), qRound(inches.height() * VertRes));
    }
    QRect PrintableRect() const override
    {
        return QRect(QPoint(0, 0), SheetSize()).marginsRemoved(QMargins(Margin, Margin, Margin, Margin));
    }

    bool BeginJob(const TPgPrintJobSettings &settings) override
    {
        Settings = settings;
        if (FailBegin)
            return false;
        Log << QStringLiteral("begin");
        StartSheet(settings.FirstSheet);
        return true;
    }
    bool NewSheet(const TPgSheetLayout &layout) override
    {
        FPainter.reset();
        StartSheet(layout);
        return true;
    }
    QPainter *Painter() override { return FPainter.get(); }
    bool EndJob() override
    {
        FPainter.reset();
        Log << QStringLiteral("end");
        return true;
    }
    void AbortJob() override
    {
        FPainter.reset();
        FAborted = true;
        Log << QStringLiteral("abort");
    }
    bool Aborted() const override { return FAborted; }
    QString ErrorString() const override { return QStringLiteral("sin dispositivo"); }

    // "P" or "L" per sheet.
    QString SheetOrientations() const
    {
        QString result;
        for (const TPgSheetLayout &sheet : SheetLayouts)
            result += sheet.Orientation == gmPortrait ? QLatin1Char('P') : QLatin1Char('L');
        return result;
    }

    int Resolution;
    int VertRes;
    int Margin = 0;
    bool FailBegin = false;
    TPgSheetLayout Layout;
    TPgPrintJobSettings Settings;
    QStringList Log;
    std::vector<TPgSheetLayout> SheetLayouts;
    std::vector<QImage> Sheets;

private:
    void StartSheet(const TPgSheetLayout &layout)
    {
        Layout = layout;
        SheetLayouts.push_back(layout);
        Log << QStringLiteral("sheet %1").arg(layout.Orientation == gmPortrait ? "P" : "L");
        QImage image(SheetSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        Sheets.push_back(image);
        FPainter = std::make_unique<QPainter>(&Sheets.back());
    }

    std::unique_ptr<QPainter> FPainter;
    bool FAborted = false;
};
