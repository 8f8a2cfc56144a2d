// Printing a page through the printer canvas: what reaches the printer, in which
// order and where.
#include "tpgcanvas.h"
#include "tpgfooter.h"
#include "tpggraphic.h"
#include "tpgheader.h"
#include "tpgmargins.h"
#include "tpgpagelist.h"
#include "tpgprinttarget.h"
#include "tpgtextobject.h"

#include <QPicture>
#include <QRegularExpression>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// Records every call as a line of text.
class RecordingPrinter : public TPgPrintTarget
{
public:
    int HorzResolution() const override { return 300; }
    int VertResolution() const override { return 600; }
    int PageOffsetX() const override { return 0; }
    int PageOffsetY() const override { return 0; }
    int PagesPerSheet() const override { return perSheet; }
    TPgSizeExt PageSizeInches() const override { return {11, 8.5}; }
    QRegion ClipRegion(const TPgRectExt &r) const override
    {
        return QRegion(int(r.Left * 300), int(r.Top * 600), int((r.Right - r.Left) * 300),
                       int((r.Bottom - r.Top) * 600));
    }
    void SetClipRegion(const QRegion *region) override
    {
        calls << (region ? QStringLiteral("clip %1").arg(region->boundingRect().left()) : QStringLiteral("noclip"));
    }
    void SetAngle(long double degrees) override { calls << QStringLiteral("angle %1").arg(double(degrees)); }
    void SetFont(const TPgFont &font) override { calls << QStringLiteral("font %1").arg(font.Size); }
    void SetBrush(const TPgBrush &) override { calls << QStringLiteral("brush"); }
    void SetPen(const TPgPen &) override { calls << QStringLiteral("pen"); }
    void SetCopyMode(int) override { calls << QStringLiteral("copymode"); }
    void TextOut(long double x, long double y, TPgAlignment, const QString &text) override
    {
        calls << QStringLiteral("text %1 %2 %3").arg(double(x), 0, 'f', 3).arg(double(y), 0, 'f', 3).arg(text);
    }
    long double TextWidth(const QString &text) override { return text.size() * 0.1L; }
    long double TextHeight(const QString &) override { return 0.2L; }
    void Polyline(const QList<QPointF> &points) override
    {
        calls << QStringLiteral("line %1 %2 %3")
                     .arg(points.first().x(), 0, 'f', 3)
                     .arg(points.first().y(), 0, 'f', 3)
                     .arg(points.last().x(), 0, 'f', 3);
    }
    void StretchDraw(const TPgRectExt &, const TPgGraphic &) override { calls << QStringLiteral("image"); }
    void TextBox(const TPgRectExt &, TPgAlignment, const QString &text, bool, TPgVertAlignment) override
    {
        calls << QStringLiteral("box ") + text;
    }
    void Shape(TPgShapeKind kind, const TPgRectExt &, const TPgPointSet &) override
    {
        calls << QStringLiteral("shape %1").arg(int(kind));
    }
    void DrawPicture(const QPicture &, const QSize &) override { calls << QStringLiteral("picture"); }
    QPainter *Painter() override { return nullptr; }

    int perSheet = 1;
    QStringList calls;
};

struct Document {
    Document()
    {
        list.SetBands(&header, &footer, &margins);
        header.SetMargins(&margins);
        footer.SetMargins(&margins);
        canvas.SetCurrentPage(list.AddPage());
    }
    TPgHeader header;
    TPgFooter footer;
    TPgMargins margins;
    TPgPageList list;
    TPgCanvas canvas;
};

} // namespace

TEST(PagePrinting, ObjectsThenHeaderAndFooterOnlyWhenVisible)
{
    Document doc;
    doc.canvas.Rectangle(10, 10, 20, 20);
    doc.canvas.TextBoxExt(10, 30, 50, 40, QStringLiteral("caja"), taLeftJustify, vaTop, gmMillimeters);
    doc.header.CaptionLeft().SetCaption(QStringLiteral("encabezado"));
    doc.footer.SetVisible(true);
    doc.footer.CaptionRight().SetCaption(QStringLiteral("pie"));
    RecordingPrinter printer;
    doc.list.Page(1)->Print(printer);
    const QStringList &calls = printer.calls;
    const qsizetype shape = calls.indexOf(QStringLiteral("shape 1"));
    const qsizetype box = calls.indexOf(QStringLiteral("box caja"));
    ASSERT_GE(shape, 0);
    ASSERT_GT(box, shape);
    EXPECT_FALSE(calls.join(QLatin1Char('|')).contains(QStringLiteral("encabezado")));
    // Footer: right caption ends at the right margin; the line lies at its top.
    const qsizetype footer = calls.indexOf(QRegularExpression(QStringLiteral("^text .* pie$")));
    ASSERT_GT(footer, box);
    const QStringList parts = calls.at(footer).split(QLatin1Char(' '));
    const double rightMargin = (PgRound(300 * 8.2677165L) - PgRound(2000 / 2540.0L * 300)) / 300.0;
    EXPECT_NEAR(parts.at(1).toDouble() + 0.3, rightMargin, 1e-3);
    EXPECT_TRUE(calls.last().startsWith(QStringLiteral("line")));
}

TEST(PagePrinting, HiddenObjectsAreDrawnButNotPrinted)
{
    Document doc;
    doc.canvas.Rectangle(10, 10, 20, 20);
    static_cast<TPgBaseObject *>(doc.list.Page(1)->Object(0))->SetVisible(false);
    RecordingPrinter printer;
    doc.list.Page(1)->Print(printer);
    EXPECT_TRUE(printer.calls.isEmpty()) << printer.calls.join(QLatin1Char('|')).toStdString();
}

TEST(PagePrinting, TextObjectResetsTheAngleAfterItself)
{
    Document doc;
    auto text = std::make_unique<TPgTextObject>();
    TPgFont font;
    font.Angle = 45;
    text->SetFont(font);
    text->SetText(QStringLiteral("t"));
    text->SetX(2540);
    doc.canvas.AddObject(std::move(text));
    RecordingPrinter printer;
    doc.list.Page(1)->Print(printer);
    EXPECT_EQ(printer.calls,
              (QStringList{"noclip", "angle 45", "font 12", "brush", "text 1.000 0.000 t", "angle 0"}));
}

TEST(PagePrinting, ClipMarginsGiveEveryObjectThePageRegion)
{
    Document doc;
    doc.margins.SetClipMargins(true);
    doc.canvas.Rectangle(10, 10, 20, 20);
    doc.canvas.SetClipEnabled(true);
    doc.canvas.SetClipRect({5080, 0, 7620, 2540});
    doc.canvas.Rectangle(10, 10, 20, 20);
    RecordingPrinter printer;
    doc.list.Page(1)->Print(printer);
    const int margin = int(2000 / 2540.0 * 300);
    EXPECT_EQ(printer.calls.at(0), QStringLiteral("clip %1").arg(margin));
    // The object's own rectangle intersected with the page's region.
    EXPECT_EQ(printer.calls.at(4), QStringLiteral("clip 600"));
}

TEST(PagePrinting, SeveralPagesPerSheetDrawTheRichTextPicture)
{
    Document doc;
    QTextDocument rich;
    rich.setPlainText(QStringLiteral("texto"));
    TPgPage *page = doc.list.Page(1);
    page->RtfInfo().RichText = &rich;
    RecordingPrinter printer;
    printer.perSheet = 2;
    page->Print(printer);
    EXPECT_EQ(printer.calls, QStringList{QStringLiteral("picture")});
    ASSERT_NE(page->GetPrinterMetafile(300), nullptr);
    EXPECT_EQ(page->PrinterMetafileSize(), QSize(2480, 3508));
    // One page per sheet renders straight onto the printer (no painter here).
    printer.calls.clear();
    printer.perSheet = 1;
    page->Print(printer);
    EXPECT_TRUE(printer.calls.isEmpty());
}
