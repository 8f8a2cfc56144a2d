// The canvas: measuring, the objects its calls create, and where their ink lands
// on the recorded page.
#include "inkprobe.h"
#include "pgobjectfactory.h"
#include "tpgcanvas.h"
#include "tpgcomplexshape.h"
#include "tpggraphicobject.h"
#include "tpggraphictable.h"
#include "tpgpagelist.h"
#include "tpgrectangleshape.h"
#include "tpgtextboxobject.h"

#include <gtest/gtest.h>

namespace {

struct Fixture {
    Fixture() { canvas.SetCurrentPage(list.AddPage()); }
    TPgPage &page() { return *list.Page(1); }
    TPgPageList list;
    TPgCanvas canvas;
};

std::shared_ptr<TPgGraphic> bitmap(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return TPgGraphic::FromBitmap(image);
}

} // namespace

TEST(TPgCanvas, TextBoxExtWithoutBottomTakesTheWrappedHeight)
{
    Fixture f;
    const QString text = QStringLiteral("Un texto bastante largo que ocupa varias líneas en una caja angosta.");
    const qint32 expected = f.canvas.TextBoxHeight(5000, text).GetAsUnits();
    const long double height = f.canvas.TextBoxExt(10, 20, 60, 0, text, taLeftJustify, vaTop, gmMillimeters);
    ASSERT_EQ(f.page().Count(), 1);
    const auto *box = dynamic_cast<TPgTextBoxObject *>(f.page().Object(0));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->X(), 1000);
    EXPECT_EQ(box->Y(), 2000);
    EXPECT_EQ(box->X2(), 6000);
    EXPECT_EQ(box->Y2(), 2000 + expected);
    EXPECT_DOUBLE_EQ(double(height), expected / 100.0);
    EXPECT_TRUE(box->WordWrap());
    EXPECT_EQ(f.canvas.LastObject(), box);
    // Several lines: taller than one line of the font.
    EXPECT_GT(expected, 2 * f.canvas.TextHeight(QStringLiteral("@")).GetAsUnits());
}

TEST(TPgCanvas, MeasuringResultsShareOneScratchValue)
{
    Fixture f;
    TPgValue &first = f.canvas.GraphicWidth(*bitmap(96, 48, Qt::red));
    EXPECT_EQ(first.GetAsUnits(), 2540);
    f.canvas.GraphicWidth(*bitmap(48, 48, Qt::red));
    EXPECT_EQ(first.GetAsUnits(), 1270);
    EXPECT_EQ(&f.canvas.TextWidth(QStringLiteral("x")), &first);
}

TEST(TPgCanvas, TextMeasuresGrowWithTextAndFont)
{
    Fixture f;
    const qint32 narrow = f.canvas.TextWidth(QStringLiteral("ii")).GetAsUnits();
    const qint32 wide = f.canvas.TextWidth(QStringLiteral("WWWW")).GetAsUnits();
    EXPECT_GT(wide, narrow);
    EXPECT_EQ(f.canvas.TextExtent(QStringLiteral("WWWW")).Width.GetAsUnits(), wide);
    const qint32 line12 = f.canvas.TextHeight(QStringLiteral("@")).GetAsUnits();
    f.canvas.SetFontValues(QString(), 24, 0, clBlack);
    EXPECT_EQ(f.canvas.GetFont().Name, QStringLiteral("Arial"));
    EXPECT_NEAR(f.canvas.TextHeight(QStringLiteral("@")).GetAsUnits(), 2 * line12, 5);
    f.canvas.SetFontValues(QStringLiteral("Times New Roman"), 11, fsBold, 0xFF);
    EXPECT_EQ(f.canvas.GetFont().Name, QStringLiteral("Times New Roman"));
    EXPECT_EQ(f.canvas.GetFont().Style, fsBold);
}

TEST(TPgCanvas, DrawPlacesTheImageAtItsSizeAndSharesEqualImages)
{
    Fixture f;
    f.canvas.Draw(0, 0, bitmap(96, 48, Qt::red), 1);
    f.canvas.Draw(10, 10, bitmap(96, 48, Qt::red), 2);
    f.canvas.Draw(10, 10, bitmap(96, 48, Qt::green), 1);
    f.canvas.Draw(10, 10, nullptr, 1);
    ASSERT_EQ(f.page().Count(), 3);
    const auto *first = static_cast<TPgGraphicObject *>(f.page().Object(0));
    const auto *second = static_cast<TPgGraphicObject *>(f.page().Object(1));
    const auto *third = static_cast<TPgGraphicObject *>(f.page().Object(2));
    EXPECT_EQ(first->X2(), 2540);
    EXPECT_EQ(first->Y2(), 1270);
    EXPECT_EQ(second->X2(), 1000 + 5080);
    EXPECT_EQ(first->Image(), second->Image());
    EXPECT_NE(first->Image(), third->Image());
    EXPECT_EQ(f.canvas.GraphicTable().JpegCount(), 2);
    EXPECT_EQ(first->Image()->Kind(), gkJpeg);
}

TEST(TPgCanvas, AnIconLeavesAGraphicObjectWithoutImage)
{
    TPgGraphicTable table;
    TPgGraphicObject object;
    object.SetGraphicTable(&table);
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::blue);
    object.SetImage(TPgGraphic::FromIcon(icon));
    EXPECT_FALSE(object.Image());
    EXPECT_EQ(object.ImageKind(), 0);
    // The canvas draws an icon through a bitmap, so it does appear.
    Fixture f;
    f.canvas.Draw(0, 0, TPgGraphic::FromIcon(icon), 1);
    ASSERT_EQ(f.page().Count(), 1);
    EXPECT_TRUE(static_cast<TPgGraphicObject *>(f.page().Object(0))->Image());
}

TEST(TPgCanvas, OriginClipAndStampsGoIntoEveryObject)
{
    Fixture f;
    f.canvas.SetOrigin(1, 0.5L);
    f.canvas.SetClipEnabled(true);
    f.canvas.SetClipRect({1, 2, 3, 4});
    f.canvas.GetPen().Color = 0xFF;
    f.canvas.GetBrush() = {0xFF00, bsSolid};
    f.canvas.Rectangle(10, 10, 20, 30);
    const auto *shape = dynamic_cast<TPgRectangleShape *>(f.page().Object(0));
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->X(), 1000 + 2540);
    EXPECT_EQ(shape->Y2(), 3000 + 1270);
    EXPECT_TRUE(shape->ClipEnabled());
    EXPECT_EQ(shape->ClipRect(), (TPgIntRect{1, 2, 3, 4}));
    EXPECT_EQ(shape->Pen().Color, 0xFF);
    EXPECT_EQ(shape->Brush(), (TPgBrush{0xFF00, bsSolid}));
    EXPECT_EQ(shape->PageNumber(), 1);
    EXPECT_EQ(shape->RectStyle(), 0);
}

TEST(TPgCanvas, ObjectChangesMarkThePageAndDeletesOutsideDoNothing)
{
    Fixture f;
    f.canvas.Rectangle(0, 0, 1, 1);
    f.page().EnsureRendered();
    static_cast<TPgBaseObject *>(f.page().Object(0))->SetX(5);
    EXPECT_TRUE(f.page().ScreenDirty());
    f.page().EnsureRendered();
    f.page().DeleteObject(-1);
    f.page().DeleteObject(1);
    EXPECT_FALSE(f.page().ScreenDirty());
    EXPECT_EQ(f.page().Count(), 1);
    f.page().DeleteObject(0);
    EXPECT_EQ(f.page().Count(), 0);
    EXPECT_TRUE(f.page().ScreenDirty());
}

TEST(TPgCanvas, PageCopyClonesEveryObjectByClass)
{
    Fixture f;
    f.canvas.Rectangle(0, 0, 10, 10);
    f.canvas.TextBoxExt(0, 0, 50, 10, QStringLiteral("x"), taCenter, vaCenter, gmMillimeters);
    f.canvas.Draw(0, 0, bitmap(4, 4, Qt::red), 1);
    TPgPage copy;
    copy.Assign(f.page());
    ASSERT_EQ(copy.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(copy.Object(i), f.page().Object(i));
        EXPECT_EQ(typeid(*copy.Object(i)), typeid(*f.page().Object(i)));
    }
    EXPECT_EQ(static_cast<TPgTextBoxObject *>(copy.Object(1))->VertAlignment(), vaCenter);
    EXPECT_EQ(static_cast<TPgGraphicObject *>(copy.Object(2))->Image(),
              static_cast<TPgGraphicObject *>(f.page().Object(2))->Image());
}

// Rendering: where the ink of each kind of object lands.

TEST(PageRendering, RectangleAndImageLandWhereTheirUnitsSay)
{
    Fixture f;
    f.canvas.GetBrush() = {0x0000FF, bsSolid};
    f.canvas.GetPen().Style = psClear;
    f.canvas.Rectangle(20, 30, 70, 50);
    f.canvas.Draw(100, 100, bitmap(96, 96, Qt::green), 1);
    const int dpi = 100;
    const QImage image = RenderPage(f.page(), dpi);
    const QRect red = InkBox(image, IsColour(Qt::red));
    EXPECT_NEAR(red.left(), PgUnitsToPixels(2000, dpi), 1);
    EXPECT_NEAR(red.top(), PgUnitsToPixels(3000, dpi), 1);
    EXPECT_NEAR(red.right() + 1, PgUnitsToPixels(7000, dpi), 1);
    EXPECT_NEAR(red.bottom() + 1, PgUnitsToPixels(5000, dpi), 1);
    const QRect green = InkBox(image, IsColour(Qt::green));
    EXPECT_NEAR(green.left(), PgUnitsToPixels(10000, dpi), 1);
    EXPECT_NEAR(green.width(), PgUnitsToPixels(2540, dpi), 1);
}

TEST(PageRendering, CentredTextBoxShowsOneLine)
{
    Fixture f;
    const QString text = QStringLiteral("primera línea\r\nsegunda línea que es mucho más larga que la caja");
    f.canvas.TextBoxExt(20, 20, 60, 40, text, taCenter, vaCenter, gmMillimeters);
    f.canvas.TextBoxExt(100, 20, 140, 0, text, taLeftJustify, vaTop, gmMillimeters);
    const int dpi = 150;
    const QImage image = RenderPage(f.page(), dpi);
    const int middle = int(PgUnitsToPixels(8000, dpi));
    const QRect centred = InkBox(image, IsDark, QRect(0, 0, middle, image.height()));
    const QRect wrapped = InkBox(image, IsDark, QRect(middle, 0, image.width() - middle, image.height()));
    const int lineHeight = int(PgUnitsToPixels(f.canvas.TextHeight(QStringLiteral("@")).GetAsUnits(), dpi));
    EXPECT_LT(centred.height(), lineHeight + 2);
    // One line, centred in the box vertically.
    EXPECT_NEAR((centred.top() + centred.bottom()) / 2.0, PgUnitsToPixels(3000, dpi), lineHeight / 2.0);
    EXPECT_GT(wrapped.height(), 2 * lineHeight);
    EXPECT_LE(wrapped.right(), PgUnitsToPixels(14000, dpi) + 1);
}

TEST(PageRendering, RotatedTextRunsUpAndLeavesTheCanvasFontAlone)
{
    Fixture f;
    auto text = std::make_unique<TPgTextObject>();
    text->SetX(5000);
    text->SetY(15000);
    text->SetText(QStringLiteral("ROTADO"));
    TPgFont font;
    font.Angle = 90;
    font.Size = 20;
    text->SetFont(font);
    text->SetBrush({clWhite, bsClear});
    f.page().AddObject(std::move(text));
    auto plain = std::make_unique<TPgTextObject>();
    plain->SetX(5000);
    plain->SetY(20000);
    plain->SetText(QStringLiteral("ROTADO"));
    font.Angle = 0;
    plain->SetFont(font);
    plain->SetBrush({clWhite, bsClear});
    f.page().AddObject(std::move(plain));
    const int dpi = 100;
    const QImage image = RenderPage(f.page(), dpi);
    const int split = int(PgUnitsToPixels(17500, dpi));
    const QRect rotated = InkBox(image, IsDark, QRect(0, 0, image.width(), split));
    const QRect level = InkBox(image, IsDark, QRect(0, split, image.width(), image.height() - split));
    EXPECT_GT(rotated.height(), 3 * rotated.width());
    EXPECT_GT(level.width(), 3 * level.height());
    EXPECT_NEAR(rotated.height(), level.width(), 3);
    // The text rises from its reference point.
    EXPECT_LE(rotated.bottom(), PgUnitsToPixels(15000, dpi) + 1);
}

TEST(PageRendering, ClipRectangleCutsAnEllipseButNotARectangle)
{
    Fixture f;
    f.canvas.GetBrush() = {0x0000FF, bsSolid};
    f.canvas.GetPen().Style = psClear;
    f.canvas.SetClipEnabled(true);
    f.canvas.SetClipRect({2000, 2000, 3000, 3000});
    std::unique_ptr<TPgBaseObject> ellipse = PgCreateObject(okEllipse);
    ellipse->SetX(1000);
    ellipse->SetY(1000);
    ellipse->SetX2(5000);
    ellipse->SetY2(5000);
    ellipse->SetBrush(f.canvas.GetBrush());
    ellipse->SetPen(f.canvas.GetPen());
    f.canvas.AddObject(std::move(ellipse));
    f.canvas.Rectangle(60, 60, 80, 80);
    const int dpi = 100;
    const QImage image = RenderPage(f.page(), dpi);
    const QRect cut = InkBox(image, IsColour(Qt::red), QRect(0, 0, 200, 200));
    EXPECT_NEAR(cut.left(), PgUnitsToPixels(2000, dpi), 1);
    EXPECT_NEAR(cut.right() + 1, PgUnitsToPixels(3000, dpi), 1);
    // Rectangles select no clip of their own.
    const QRect whole = InkBox(image, IsColour(Qt::red), QRect(200, 200, image.width() - 200, image.height() - 200));
    EXPECT_NEAR(whole.width(), PgUnitsToPixels(2000, dpi), 1);
}

// Moving an arc by the canvas origin left its radial points behind, which turned
// the curve.
TEST(TPgCanvas, OriginMovesTheRadialPointsOfAnArc)
{
    Fixture f;
    f.canvas.SetOrigin(1, 0);
    std::unique_ptr<TPgBaseObject> pie = PgCreateObject(okPie);
    static_cast<TPgComplexShape *>(pie.get())->SetRadials(100, 200, 300, 400);
    f.canvas.AddObject(std::move(pie));
    const auto *added = static_cast<TPgComplexShape *>(f.page().Object(0));
    EXPECT_EQ(added->X(), 2540);
    EXPECT_EQ(added->X3(), 2640);
    EXPECT_EQ(added->Y3(), 200);
    EXPECT_EQ(added->X4(), 2840);
}
