// Rich text of a page: the layout rectangle and the rendered range.
#include "inkprobe.h"
#include "pgrtffuncs.h"
#include "tpgpagelist.h"
#include "tpgvaluerect.h"

#include <QTextDocument>

#include <gtest/gtest.h>

struct LayoutCase {
    int resolution;
    TPgIntRect pixels;
    TPgIntRect twips;
};

class RichTextLayoutTest : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(RichTextLayoutTest, A4With20mmMargins)
{
    TPgValueRect margins(2000, 2000, 2000, 2000, nullptr);
    const TPgIntRect pixels = PgRichTextLayoutRect(PaperSizeDimensions(TPgPaperSize::A4), margins, GetParam().resolution);
    EXPECT_EQ(pixels, GetParam().pixels);
    EXPECT_EQ(PgPixelsToTwips(pixels, GetParam().resolution), GetParam().twips);
}

INSTANTIATE_TEST_SUITE_P(Cases, RichTextLayoutTest,
                         ::testing::Values(LayoutCase{600, {472, 472, 4489, 6544}, {1133, 1133, 10774, 15706}},
                                           LayoutCase{300, {236, 236, 2244, 3272}, {1133, 1133, 10771, 15706}}));

TEST(PgRenderRichText, DrawsOnlyTheRangeInsideTheLayoutRectangle)
{
    QTextDocument document;
    document.setHtml(QStringLiteral("<p><b>AAAA</b> texto enriquecido</p><p>segundo párrafo</p>"));
    TPgValueRect margins(2000, 3000, 2000, 2000, nullptr);
    const int dpi = 100;
    QImage image(827, 1169, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PgRenderRichText(painter, &document, 0, PaperSizeDimensions(TPgPaperSize::A4), margins, 4, dpi);
    }
    const QRect ink = InkBox(image, IsDark);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), PgUnitsToPixels(2000, dpi));
    EXPECT_GE(ink.top(), PgUnitsToPixels(3000, dpi));
    // Four bold letters of 12 points and nothing more.
    EXPECT_LT(ink.width(), 80);
    EXPECT_LT(ink.height(), 25);
}

TEST(PgRenderRichText, PageShowsItsRichTextUnderItsObjects)
{
    TPgPageList list;
    TPgPage *page = list.AddPage();
    EXPECT_EQ(page->GetPrinterMetafile(), nullptr);
    QTextDocument document;
    document.setPlainText(QStringLiteral("Texto del documento enriquecido"));
    page->RtfInfo().RichText = &document;
    page->RtfInfo().Margins.Left.SetAsMm(30);
    page->RtfInfo().Margins.Top.SetAsMm(40);
    page->SetDirty(true);
    const QImage image = RenderPage(*page, 100);
    const QRect ink = InkBox(image, IsDark);
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.left(), PgUnitsToPixels(3000, 100), 3);
    EXPECT_NEAR(ink.top(), PgUnitsToPixels(4000, 100), 6);
    page->Clear();
    EXPECT_EQ(page->RtfInfo().RichText, nullptr);
    ASSERT_NE(page->GetPrinterMetafile(), nullptr);
    EXPECT_EQ(page->GetPrinterMetafile()->size(), 0u);
    EXPECT_TRUE(InkBox(RenderPage(*page, 100), IsDark).isNull());
}
