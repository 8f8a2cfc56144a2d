// Laying out and recording 500 pages of mixed text boxes, lines and a shared
// image through the print engine, beside a plain QPainter loop drawing the same
// things into pictures. Both report pages per second.
#include "tpgcanvas.h"
#include "tpggraphic.h"
#include "tpglineobject.h"
#include "tpgpagelist.h"

#include <QPainter>
#include <QPicture>

#include <benchmark/benchmark.h>

namespace {

constexpr int pages = 500;
constexpr int boxesPerPage = 12;
constexpr int linesPerPage = 6;

const QString &paragraph()
{
    static const QString text = QStringLiteral(
        "Rodal 12: plantación de pino radiata de 14 años, 1.250 árboles por hectárea, raleo comercial "
        "previsto para la temporada siguiente; superficie afectada 23,4 ha.");
    return text;
}

QImage logo()
{
    QImage image(192, 96, QImage::Format_RGB32);
    image.fill(QColor(0, 120, 0));
    return image;
}

void EngineLayoutAndRecord(benchmark::State &state)
{
    const std::shared_ptr<TPgGraphic> image = TPgGraphic::FromBitmap(logo());
    for (auto _ : state) {
        TPgPageList list;
        TPgCanvas canvas;
        for (int p = 0; p < pages; ++p) {
            TPgPage *page = list.AddPage();
            canvas.SetCurrentPage(page);
            canvas.Draw(20, 15, image, 1);
            long double y = 45;
            for (int b = 0; b < boxesPerPage; ++b) {
                y += canvas.TextBoxExt(20, y, 190, 0, paragraph(), taLeftJustify, vaTop, gmMillimeters) + 2;
            }
            for (int l = 0; l < linesPerPage; ++l) {
                auto line = std::make_unique<TPgLineObject>();
                line->SetX(2000);
                line->SetY(4000 + l * 4000);
                line->SetX2(19000);
                line->SetY2(4000 + l * 4000);
                canvas.AddObject(std::move(line));
            }
            benchmark::DoNotOptimize(page->GetMetafile().size());
        }
    }
    state.counters["pages_per_second"] = benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
}

void PlainQPainterIntoPictures(benchmark::State &state)
{
    const QImage image = logo();
    const int dpi = 600;
    const auto px = [dpi](double mm) { return int(mm / 25.4 * dpi); };
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(100);
    for (auto _ : state) {
        std::vector<QPicture> pictures(pages);
        for (QPicture &picture : pictures) {
            QPainter painter(&picture);
            painter.setFont(font);
            painter.drawImage(QRect(px(20), px(15), px(50.8), px(25.4)), image);
            const QFontMetrics metrics(font);
            int y = px(45);
            for (int b = 0; b < boxesPerPage; ++b) {
                const QRect box(px(20), y, px(170), 100000);
                const QRect used = metrics.boundingRect(box, Qt::TextWordWrap, paragraph());
                painter.drawText(QRect(box.topLeft(), QSize(box.width(), used.height())), Qt::TextWordWrap, paragraph());
                y += used.height() + px(2);
            }
            for (int l = 0; l < linesPerPage; ++l)
                painter.drawLine(px(20), px(40 + l * 40), px(190), px(40 + l * 40));
            painter.end();
            benchmark::DoNotOptimize(picture.size());
        }
    }
    state.counters["pages_per_second"] = benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(EngineLayoutAndRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainQPainterIntoPictures)->Unit(benchmark::kMillisecond);

} // namespace
