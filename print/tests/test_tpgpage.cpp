// Page rendering: the recorded picture, its size, the header and footer bands,
// clipping, and replay onto other devices.
#include "inkprobe.h"
#include "tpgfooter.h"
#include "tpgheader.h"
#include "tpgmargins.h"
#include "tpgpagelist.h"
#include "tpgtokensource.h"

#include <gtest/gtest.h>

namespace {

class PageTokens : public TPgTokenSource
{
public:
    QString ReplaceTokens(const QString &text, int pageNumber) const override
    {
        QString result = text;
        return result.replace(QStringLiteral("{PAGE}"), QString::number(pageNumber));
    }
};

struct Document {
    Document()
    {
        list.SetBands(&header, &footer, &margins);
        header.SetMargins(&margins);
        footer.SetMargins(&margins);
        header.SetOwner(&tokens);
        footer.SetOwner(&tokens);
    }
    PageTokens tokens;
    TPgHeader header;
    TPgFooter footer;
    TPgMargins margins;
    TPgPageList list;
};

} // namespace

TEST(TPgPage, EmptyPageRecordsThePageSizeAtTheResolution)
{
    Document doc;
    TPgPage *page = doc.list.AddPage();
    EXPECT_TRUE(page->ScreenDirty());
    page->GetMetafile();
    EXPECT_FALSE(page->ScreenDirty());
    EXPECT_EQ(page->MetafileSize(), QSize(4961, 7016));
    const QImage image = RenderPage(*page, 100);
    EXPECT_TRUE(InkBox(image, IsDark).isNull());
    EXPECT_FALSE(page->EnsureRendered());
    page->SetDirty(true);
    EXPECT_TRUE(page->EnsureRendered());
}

TEST(TPgPage, HeaderBandHeightUsesTheLargestCaptionFontFirstOnATie)
{
    Document doc;
    doc.header.SetVisible(true);
    TPgFont font;
    font.Size = 12;
    doc.header.CaptionLeft().SetFont(font);
    font.Size = 14;
    font.Name = QStringLiteral("Times New Roman");
    doc.header.CaptionCenter().SetFont(font);
    font.Name = QStringLiteral("Arial");
    doc.header.CaptionRight().SetFont(font);
    const int resolution = PgMetafileResolution();
    TPgValue expected;
    expected.SetAsPixels(QFontMetrics(PgToQFont(doc.header.CaptionCenter().Font(), resolution)).ascent() +
                             QFontMetrics(PgToQFont(doc.header.CaptionCenter().Font(), resolution)).descent(),
                         resolution);
    EXPECT_EQ(doc.header.GetHeight().GetAsUnits(), expected.GetAsUnits());
    doc.header.SetVisible(false);
    EXPECT_EQ(doc.header.GetHeight().GetAsUnits(), 0);
}

TEST(TPgPage, HeightEventMayFixTheBandHeight)
{
    Document doc;
    doc.footer.SetVisible(true);
    int kind = -1;
    doc.footer.OnGetHeight = [&](TPgHeaderFooter *, int k, TPgValue &height) {
        kind = k;
        height.SetAsMm(15);
    };
    EXPECT_EQ(doc.footer.GetHeight().GetAsUnits(), 1500);
    EXPECT_EQ(kind, 1);
}

TEST(TPgPage, HeaderTextsSitOnTheLineAndFooterTextsBelowIt)
{
    Document doc;
    doc.header.SetVisible(true);
    doc.footer.SetVisible(true);
    doc.header.CaptionLeft().SetCaption(QStringLiteral("IZQ"));
    doc.header.CaptionRight().SetCaption(QStringLiteral("DER"));
    doc.footer.CaptionCenter().SetCaption(QStringLiteral("Página {PAGE}"));
    TPgPage *page = doc.list.AddPage();
    const int dpi = 100;
    const QImage image = RenderPage(*page, dpi);
    const int left = int(PgUnitsToPixels(2000, dpi));
    const int right = int(PgUnitsToPixels(21000 - 2000, dpi));
    const int headerBase = int(PgUnitsToPixels(2000 + doc.header.GetHeight().GetAsUnits(), dpi));
    const int footerTop = int(PgUnitsToPixels(29700 - 2000 - doc.footer.GetHeight().GetAsUnits(), dpi));

    const QRect headerInk = InkBox(image, IsInk, QRect(0, 0, image.width(), image.height() / 2));
    EXPECT_NEAR(headerInk.left(), left, 2);
    EXPECT_NEAR(headerInk.right(), right, 2);
    EXPECT_NEAR(headerInk.bottom(), headerBase, 2);
    EXPECT_GT(headerInk.top(), int(PgUnitsToPixels(2000, dpi)) - 2);

    const QRect footerInk = InkBox(image, IsInk, QRect(0, image.height() / 2, image.width(), image.height()));
    EXPECT_NEAR(footerInk.top(), footerTop, 2);
    EXPECT_LT(footerInk.bottom(), int(PgUnitsToPixels(29700 - 2000, dpi)) + 2);
    // The centred footer text lies round the middle of the margins.
    const QRect footerText = InkBox(image, IsDark, QRect(0, footerTop + 3, image.width(), image.height()));
    EXPECT_NEAR((footerText.left() + footerText.right()) / 2.0, (left + right) / 2.0, 3);
}

TEST(TPgPage, HiddenBandsOnAPageDrawNothing)
{
    Document doc;
    doc.header.SetVisible(true);
    doc.header.CaptionLeft().SetCaption(QStringLiteral("IZQ"));
    TPgPage *page = doc.list.AddPage();
    page->SetShowHeader(false);
    EXPECT_TRUE(InkBox(RenderPage(*page, 72), IsDark).isNull());
}

TEST(TPgPage, ClipMarginsCutTheBandAtTheMargin)
{
    Document doc;
    doc.header.SetVisible(true);
    doc.header.CaptionLeft().SetCaption(QStringLiteral("IZQ"));
    doc.margins.SetClipMargins(true);
    TPgPage *page = doc.list.AddPage();
    const int dpi = 600;
    const QImage image = RenderPage(*page, dpi);
    const QRect ink = InkBox(image, IsDark);
    // The region starts one pixel inside the left margin.
    EXPECT_EQ(ink.left(), int(PgUnitsToPixels(2000, dpi)) + 1);
}

TEST(TPgPage, AChangedBandMarksNothingButAChangedSizeMarksThePage)
{
    Document doc;
    TPgPage *page = doc.list.AddPage();
    page->EnsureRendered();
    page->Width().SetAsUnits(10000);
    EXPECT_TRUE(page->ScreenDirty());
    page->GetMetafile();
    EXPECT_EQ(page->MetafileSize().width(), int(PgUnitsToPixels(10000, PgMetafileResolution())));
}
