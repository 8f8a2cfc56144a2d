// A whole sample page as a layout would fill it: header, footer, text boxes,
// shapes and an image, drawn to PNG (sample_page.png in the test directory) and
// checked for where the ink lands.
#include "inkprobe.h"
#include "pgobjectfactory.h"
#include "tpgcanvas.h"
#include "tpgfooter.h"
#include "tpggraphic.h"
#include "tpgheader.h"
#include "tpgmargins.h"
#include "tpgpagelist.h"
#include "tpgroundrectshape.h"
#include "tpgcomplexshape.h"
#include "tpgtokensource.h"

#include <QLinearGradient>

#include <gtest/gtest.h>

namespace {

class Tokens : public TPgTokenSource
{
public:
    QString ReplaceTokens(const QString &text, int pageNumber) const override
    {
        QString result = text;
        result.replace(QStringLiteral("{PAGE}"), QString::number(pageNumber));
        return result.replace(QStringLiteral("{NUMPAGES}"), QStringLiteral("1"));
    }
};

std::shared_ptr<TPgGraphic> logo()
{
    QImage image(192, 96, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 192, 0);
    gradient.setColorAt(0, QColor(0, 100, 0));
    gradient.setColorAt(1, QColor(0, 200, 0));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 20, QFont::Bold));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Okran"));
    return TPgGraphic::FromBitmap(image);
}

template <typename T>
void addShape(TPgCanvas &canvas, int kind, TPgIntRect rect, TPgBrush brush, const std::function<void(T &)> &extra = {})
{
    std::unique_ptr<TPgBaseObject> object = PgCreateObject(kind);
    object->SetX(rect.Left);
    object->SetY(rect.Top);
    object->SetX2(rect.Right);
    object->SetY2(rect.Bottom);
    object->SetBrush(brush);
    object->SetPen(canvas.GetPen());
    if (extra)
        extra(static_cast<T &>(*object));
    canvas.AddObject(std::move(object));
}

} // namespace

TEST(SamplePage, HeaderFooterBoxesShapesAndImageWhereTheyBelong)
{
    Tokens tokens;
    TPgHeader header;
    TPgFooter footer;
    TPgMargins margins;
    TPgPageList list;
    TPgCanvas canvas(&tokens);
    list.SetBands(&header, &footer, &margins);
    for (TPgHeaderFooter *band : {static_cast<TPgHeaderFooter *>(&header), static_cast<TPgHeaderFooter *>(&footer)}) {
        band->SetMargins(&margins);
        band->SetOwner(&tokens);
        band->SetVisible(true);
    }
    header.CaptionLeft().SetCaption(QStringLiteral("Brenvik"));
    header.CaptionCenter().SetCaption(QStringLiteral("Plan de manejo"));
    header.CaptionRight().SetCaption(QStringLiteral("Página {PAGE} de {NUMPAGES}"));
    footer.CaptionCenter().SetCaption(QStringLiteral("Form. KELU (v.2.5)"));
    TPgPage *page = list.AddPage();
    canvas.SetCurrentPage(page);

    // Layout-style content below the header line, in millimetres.
    canvas.Draw(20, 32, logo(), 1);
    canvas.SetFontValues(QStringLiteral("Times New Roman"), 14, fsBold, clBlack);
    canvas.TextBoxExt(20, 60, 190, 0, QStringLiteral("IDENTIFICACIÓN DEL PREDIO"), taCenter, vaTop, gmMillimeters);
    canvas.SetFontValues(QStringLiteral("Times New Roman"), 11, 0, clBlack);
    canvas.GetBrush() = {0xF0F0F0, bsSolid};
    canvas.Rectangle(20, 72, 190, 90);
    canvas.GetPen().Style = psClear;
    canvas.TextBoxExt(21, 73, 189, 89,
                      QStringLiteral("Nombre del predio: Los Coihues. Rol de avalúo 123-45. Comuna de Panguipulli, "
                                     "Región de Los Ríos. Superficie total 154,3 ha."),
                      taLeftJustify, vaTop, gmMillimeters);
    canvas.GetPen().Style = psSolid;
    canvas.GetBrush() = {0x0000FF, bsSolid};
    canvas.Rectangle(20, 100, 60, 130);
    addShape<TPgBaseObject>(canvas, okEllipse, {7000, 10000, 11000, 13000}, {0xFF0000, bsSolid});
    addShape<TPgRoundRectShape>(canvas, okRoundRect, {12000, 10000, 16000, 13000}, {0x00C000, bsSolid},
                                [](TPgRoundRectShape &r) { r.SetCorner(800, 800); });
    addShape<TPgComplexShape>(canvas, okPie, {16500, 10000, 19000, 12500}, {0x00FFFF, bsSolid},
                              [](TPgComplexShape &c) { c.SetRadials(19000, 11250, 17750, 10000); });
    std::unique_ptr<TPgBaseObject> line = PgCreateObject(okLine);
    line->SetX(2000);
    line->SetY(14000);
    line->SetX2(19000);
    line->SetY2(14000);
    TPgPen pen;
    pen.Width = 8;
    line->SetPen(pen);
    canvas.AddObject(std::move(line));

    const int dpi = 150;
    const QImage image = RenderPage(*page, dpi);
    ASSERT_TRUE(image.save(QStringLiteral("sample_page.png")));
    const auto px = [dpi](qint32 units) { return int(PgUnitsToPixels(units, dpi)); };

    // Header: between the top margin and its line; footer: between its line and
    // the bottom margin.
    const QRect headerInk = InkBox(image, IsInk, QRect(0, 0, image.width(), px(3000)));
    EXPECT_GE(headerInk.top(), px(2000) - 2);
    EXPECT_NEAR(headerInk.bottom(), px(2000 + header.GetHeight().GetAsUnits()), 2);
    EXPECT_NEAR(headerInk.left(), px(2000), 2);
    EXPECT_NEAR(headerInk.right(), px(19000), 2);
    const QRect footerInk = InkBox(image, IsInk, QRect(0, px(25000), image.width(), image.height() - px(25000)));
    EXPECT_NEAR(footerInk.top(), px(29700 - 2000 - footer.GetHeight().GetAsUnits()), 2);
    EXPECT_LE(footerInk.bottom(), px(27700) + 2);

    // The image keeps its 192 × 96 pixels at 96 per inch: 50.8 × 25.4 mm.
    const QRect imageInk = InkBox(image, [](QRgb p) { return qGreen(p) > 80 && qRed(p) < 60 && qBlue(p) < 60; },
                                  QRect(0, px(3000), image.width(), px(3000)));
    EXPECT_NEAR(imageInk.left(), px(2000), 2);
    EXPECT_NEAR(imageInk.top(), px(3200), 2);
    EXPECT_NEAR(imageInk.width(), px(5080), 2);

    // The title is centred between the margins.
    const QRect title = InkBox(image, IsDark, QRect(0, px(6000), image.width(), px(1000)));
    EXPECT_NEAR((title.left() + title.right()) / 2.0, (px(2000) + px(19000)) / 2.0, 4);
    // The framed box holds its wrapped text.
    const QRect boxText = InkBox(image, IsDark, QRect(px(2100), px(7350), px(16800), px(1500)));
    EXPECT_GT(boxText.height(), px(700));
    EXPECT_LE(boxText.right(), px(18900));
    // The shapes, each in its own colour.
    EXPECT_NEAR(InkBox(image, IsColour(Qt::red)).left(), px(2000), 3);
    EXPECT_NEAR(InkBox(image, IsColour(Qt::blue)).center().x(), px(9000), 3);
    EXPECT_NEAR(InkBox(image, IsColour(QColor(0, 192, 0)), QRect(0, px(9000), image.width(), px(5000))).center().x(),
                px(14000), 3);
    const QRect pie = InkBox(image, IsColour(Qt::yellow));
    EXPECT_NEAR(pie.left(), px(17750), 3);
    EXPECT_NEAR(pie.bottom(), px(11250), 3);
    const QRect rule = InkBox(image, IsDark, QRect(0, px(13800), image.width(), px(400)));
    EXPECT_NEAR(rule.width(), px(17000), 3);
}
