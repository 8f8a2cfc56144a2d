// Printing a 200-page document to a PDF file through the preview and the
// printer (page objects replayed through the printer canvas, one page in five
// landscape), beside QPdfWriter playing the same recorded page pictures
// directly. Both report pages per second.
#include "tpgcanvas.h"
#include "tpglineobject.h"
#include "tpgpreview.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int pages = 200;

const QString &paragraph()
{
    static const QString text = QStringLiteral(
        "Rodal 12: plantación de pino radiata de 14 años, 1.250 árboles por hectárea, raleo comercial "
        "previsto para la temporada siguiente; superficie afectada 23,4 ha.");
    return text;
}

// The document, composed once: every fifth page landscape, footer with tokens.
TPgPreview &Document()
{
    static TPgPreview *preview = [] {
        auto *p = new TPgPreview;
        p->Footer().SetVisible(true);
        p->Footer().CaptionLeft().SetCaption(QStringLiteral("Código de Verificación: 00000"));
        p->Footer().CaptionRight().SetCaption(QStringLiteral("Página {PAGE} de {NUMPAGES}"));
        p->BeginUpdate();
        for (int n = 1; n <= pages; ++n) {
            TPgPage *page = n == 1 ? p->Page(1) : p->NewPage();
            if (n % 5 == 0)
                page->SetOrientation(gmLandscape);
            TPgCanvas &canvas = p->Canvas();
            const long double width = page->Width().GetAsMm();
            long double y = 25;
            for (int b = 0; b < 10; ++b)
                y += canvas.TextBoxExt(20, y, width - 20, 0, paragraph(), taLeftJustify, vaTop, gmMillimeters) + 2;
            for (int l = 0; l < 5; ++l)
                canvas.Rectangle(20, y + l * 8, width - 20, y + l * 8 + 6);
        }
        p->EndUpdate();
        p->FirstPage();
        return p;
    }();
    return *preview;
}

void PreviewPrintToPdf(benchmark::State &state)
{
    TPgPreview &preview = Document();
    QTemporaryDir dir;
    preview.PgPrinter().SetOutputFileName(dir.filePath(QStringLiteral("bench.pdf")));
    for (auto _ : state) {
        if (!preview.Print())
            state.SkipWithError(qPrintable(preview.PgPrinter().LastError()));
    }
    state.counters["pages_per_second"] =
        benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
}

void PdfWriterPlaysRecordedPages(benchmark::State &state)
{
    TPgPreview &preview = Document();
    for (int n = 1; n <= pages; ++n)
        preview.Page(n)->EnsureRendered();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("direct.pdf"));
    for (auto _ : state) {
        QPdfWriter writer(file);
        writer.setResolution(600);
        QPainter painter;
        for (int n = 1; n <= pages; ++n) {
            TPgPage *page = preview.Page(n);
            const QPageLayout layout(QPageSize(QSizeF(page->Width().GetAsMm(), page->Height().GetAsMm()),
                                               QPageSize::Millimeter),
                                     QPageLayout::Portrait, QMarginsF());
            writer.setPageLayout(layout);
            if (n == 1)
                painter.begin(&writer);
            else
                writer.newPage();
            page->Play(painter, QRectF(0, 0, double(page->Width().GetAsInches() * 600),
                                       double(page->Height().GetAsInches() * 600)));
        }
        painter.end();
    }
    state.counters["pages_per_second"] =
        benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(PreviewPrintToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(PdfWriterPlaysRecordedPages)->Unit(benchmark::kMillisecond);

} // namespace
