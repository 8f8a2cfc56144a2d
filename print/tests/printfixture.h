#pragma once

// A preview holding a small document whose pages carry one coloured block each,
// printing into a recording device.

#include "inkprobe.h"
#include "recordingprintdevice.h"
#include "testblockobject.h"
#include "tpgpreview.h"

#include <QStringList>

// The fill of page n's block (1-based, cycling): red, green, blue, yellow, magenta.
inline TColor PageFill(int number)
{
    static const TColor fills[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF};
    return fills[(number - 1) % 5];
}

// Adds pages until the preview has count, each with a block one inch inside
// its edges. landscape: 1-based numbers of the pages turned to landscape.
inline void FillDocument(TPgPreview &preview, int count, std::initializer_list<int> landscape = {})
{
    preview.BeginUpdate();
    while (preview.GetNumPages() < count)
        preview.NewPage();
    for (int n = 1; n <= count; ++n) {
        TPgPage *page = preview.Page(n);
        for (int turned : landscape) {
            if (turned == n)
                page->SetOrientation(gmLandscape);
        }
        const long double width = page->Width().GetAsInches();
        const long double height = page->Height().GetAsInches();
        page->AddObject(std::make_unique<TestBlockObject>(TPgRectExt{1, 1, width - 1, height - 1},
                                                          QStringLiteral("Hoja %1").arg(n), PageFill(n)));
    }
    preview.EndUpdate();
    preview.FirstPage();
}

struct PrintFixture {
    explicit PrintFixture(int pages, std::initializer_list<int> landscape = {}, int resolution = 50,
                          int vertResolution = 0)
    {
        auto recorder = std::make_unique<RecordingPrintDevice>(resolution, vertResolution);
        device = recorder.get();
        preview.PgPrinter().SetDevice(std::move(recorder));
        FillDocument(preview, pages, landscape);
        preview.OnPrintPage = [this](TPgPreview *, TPgPage *page, TPgPrinter &printer) {
            printed << QString::number(page->PageNumber());
            cells << printer.Canvas().CellOrigin();
        };
    }

    QString Sequence() const { return printed.join(QLatin1Char(' ')); }

    TPgPreview preview;
    RecordingPrintDevice *device = nullptr;
    QStringList printed;
    QList<QPoint> cells;
};
