// Writing and reading page objects: the blocks of each class level, round trips
// of every kind, the old fixed-width format with its version gates, and input
// that must be refused.
#include "pgjpeg.h"
#include "pgobjectfactory.h"
#include "pgstream.h"
#include "tpgarcshape.h"
#include "tpgattributelist.h"
#include "tpggraphicobject.h"
#include "tpggraphictable.h"
#include "tpglineobject.h"
#include "tpgrectangleshape.h"
#include "tpgroundrectshape.h"
#include "tpgtextboxobject.h"

#include <QBuffer>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct Document {
    TPgAttributeList fonts{false};
    TPgGraphicTable graphics;
    TPgStreamContext context() { return TPgStreamContext{&fonts, &graphics, nullptr, QString()}; }
};

QByteArray save(const TPgBaseObject &object, Document &doc)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TPgStreamContext context = doc.context();
    EXPECT_TRUE(object.SaveToStream(buffer, context)) << context.Error.toStdString();
    return bytes;
}

std::unique_ptr<TPgBaseObject> read(const QByteArray &bytes, Document &doc, QString *error = nullptr)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TPgStreamContext context = doc.context();
    std::unique_ptr<TPgBaseObject> object = PgReadObject(buffer, context);
    if (error)
        *error = context.Error;
    if (object) {
        EXPECT_TRUE(buffer.atEnd());
    }
    return object;
}

QByteArray block(const QByteArray &payload)
{
    char length[4];
    qToLittleEndian(qint32(payload.size()), length);
    return QByteArray(length, 4) + payload;
}

QByteArray int32(qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray text(const QByteArray &value)
{
    return int32(qint32(value.size())) + value;
}

QByteArray byte(char value)
{
    return QByteArray(1, value);
}

// 0.0 in the ten-byte format.
QByteArray zeroExtended()
{
    return QByteArray(10, '\0');
}

} // namespace

TEST(PgObjectStream, TextBoxWritesBaseTextAndOwnBlocks)
{
    Document doc;
    TPgTextBoxObject box;
    box.SetX(1000);
    box.SetY(2000);
    box.SetX2(6000);
    box.SetY2(2500);
    box.SetBrush({clWhite, bsClear});
    TPgFont font;
    font.Name = QStringLiteral("Times New Roman");
    font.Style = fsBold | fsUnderline;
    box.SetFont(font);
    box.SetText(QStringLiteral("uno\r\ndos, tres"));
    const QByteArray expected = QByteArray::fromHex("18000000") + "0006\r\n1000\r\n2000\r\n1\r\n0\r\n" + '\0' +
                                block("1,16777215\r\n0\r\nuno,\"dos, tres\"\r\n0\r\n") + '\0' +
                                block("6000\r\n2500\r\n0,0,1,4\r\n0\r\n1\r\n") + '\0';
    EXPECT_EQ(save(box, doc), expected);
    EXPECT_EQ(doc.fonts.Values(), QStringList{"\"Times New Roman\",0,0,12,[BU]"});
}

TEST(PgObjectStream, ClippedObjectWritesItsRectangle)
{
    Document doc;
    TPgLineObject line;
    line.SetClipEnabled(true);
    line.SetClipRect({1, 2, 3, 4});
    line.SetVisible(false);
    EXPECT_TRUE(save(line, doc).startsWith(QByteArray::fromHex("1b000000") + "0002\r\n0\r\n0\r\n0\r\n1\r\n1,2,3,4\r\n"));
}

namespace {

std::unique_ptr<TPgBaseObject> sample(int kind, Document &doc)
{
    std::unique_ptr<TPgBaseObject> object = PgCreateObject(kind);
    object->SetX(-100 * kind);
    object->SetY(200 + kind);
    object->SetX2(3000 + kind);
    object->SetY2(4000 - kind);
    object->SetBrush({0x00FF00, bsCross});
    object->SetPen({0x0000FF, psDash, 2, 6});
    TPgFont font;
    font.Name = QStringLiteral("Arial");
    font.Angle = 30;
    font.Size = 9;
    font.Color = 0x102030;
    font.Style = fsItalic;
    object->SetFont(font);
    object->SetClipEnabled(kind % 2 == 0);
    object->SetClipRect({5, 6, 7, 8});
    if (auto *textObject = dynamic_cast<TPgTextObject *>(object.get())) {
        textObject->SetText(QStringLiteral("línea 1\r\nlínea \"2\""));
        textObject->SetAlignment(taCenter);
    }
    if (auto *box = dynamic_cast<TPgTextBoxObject *>(object.get())) {
        box->SetVertAlignment(vaBottom);
        box->SetWordWrap(false);
    }
    if (auto *round = dynamic_cast<TPgRoundRectShape *>(object.get()))
        round->SetCorner(300, 400);
    if (auto *complex = dynamic_cast<TPgComplexShape *>(object.get()))
        complex->SetRadials(11, 12, 13, 14);
    if (auto *graphic = dynamic_cast<TPgGraphicObject *>(object.get())) {
        QImage image(8, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        graphic->SetGraphicTable(&doc.graphics);
        graphic->SetImage(TPgGraphic::FromBitmap(image));
        graphic->SetCopyMode(0x8800C6);
        graphic->SetRasterize(true);
    }
    return object;
}

} // namespace

class ObjectRoundTripTest : public ::testing::TestWithParam<int>
{
};

TEST_P(ObjectRoundTripTest, ReadsBackWhatWasWritten)
{
    Document doc;
    std::unique_ptr<TPgBaseObject> object = sample(GetParam(), doc);
    const QByteArray bytes = save(*object, doc);
    QString error;
    std::unique_ptr<TPgBaseObject> copy = read(bytes, doc, &error);
    ASSERT_TRUE(copy) << error.toStdString();
    EXPECT_EQ(typeid(*copy), typeid(*object));
    EXPECT_EQ(copy->X(), object->X());
    EXPECT_EQ(copy->Y(), object->Y());
    EXPECT_EQ(copy->ClipEnabled(), object->ClipEnabled());
    if (object->ClipEnabled()) {
        EXPECT_EQ(copy->ClipRect(), object->ClipRect());
    }
    // Writing the copy gives the same bytes: nothing was lost on the way.
    EXPECT_EQ(save(*copy, doc), bytes);
    if (GetParam() != okText && GetParam() != okGraphic) {
        EXPECT_EQ(copy->X2(), object->X2());
        EXPECT_EQ(copy->Pen(), object->Pen());
    }
    if (auto *graphic = dynamic_cast<TPgGraphicObject *>(copy.get())) {
        EXPECT_EQ(graphic->Image(), static_cast<TPgGraphicObject *>(object.get())->Image());
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ObjectRoundTripTest,
                         ::testing::Values(okText, okLine, okEllipse, okRectangle, okRoundRect, okTextBox, okGraphic,
                                           okArc, okChord, okPie));

TEST(PgObjectStream, AGraphicIsWrittenAtItsJpegQuality)
{
    Document doc;
    std::unique_ptr<TPgBaseObject> object = sample(okGraphic, doc);
    auto *graphic = static_cast<TPgGraphicObject *>(object.get());
    ASSERT_TRUE(graphic->Image());
    EXPECT_EQ(graphic->Image()->JpegQuality(), PgDefaultJpegQuality);
    save(*object, doc);
    EXPECT_EQ(graphic->Image()->JpegQuality(), 50);
    EXPECT_EQ(doc.graphics.JpegCount(), 1);
}

struct BadObjectCase {
    const char *name;
    QByteArray bytes;
};

class BadObjectTest : public ::testing::TestWithParam<BadObjectCase>
{
};

TEST_P(BadObjectTest, IsRefusedWithAReason)
{
    Document doc;
    doc.fonts.Add(FontToStr(TPgFont()));
    QString error;
    EXPECT_FALSE(read(GetParam().bytes, doc, &error)) << GetParam().name;
    EXPECT_FALSE(error.isEmpty()) << GetParam().name;
}

namespace {

QByteArray attributes(const QByteArray &lines)
{
    return block(lines) + '\0';
}

const QByteArray goodLineBase = attributes("0002\r\n0\r\n0\r\n1\r\n0\r\n");

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Cases, BadObjectTest,
    ::testing::Values(BadObjectCase{"unknown kind", attributes("0007\r\n0\r\n0\r\n1\r\n0\r\n")},
                      BadObjectCase{"kind not a number", attributes("abc\r\n")},
                      BadObjectCase{"missing values", attributes("0002\r\n0\r\n")},
                      BadObjectCase{"bad coordinate", attributes("0002\r\n1x\r\n0\r\n1\r\n0\r\n")},
                      BadObjectCase{"coordinate beyond 32 bits", attributes("0002\r\n9999999999\r\n0\r\n1\r\n0\r\n")},
                      BadObjectCase{"clip without rectangle", attributes("0002\r\n0\r\n0\r\n1\r\n1\r\n")},
                      BadObjectCase{"missing level block", goodLineBase},
                      BadObjectCase{"cut level block", goodLineBase + QByteArray::fromHex("20000000") + "0\r\n"},
                      BadObjectCase{"bad pen", goodLineBase + attributes("0\r\n0\r\n9,0,1,4\r\n")},
                      BadObjectCase{"font index out of list",
                                    attributes("0001\r\n0\r\n0\r\n1\r\n0\r\n") + attributes("1,0\r\n5\r\nx\r\n0\r\n")},
                      BadObjectCase{"bad alignment",
                                    attributes("0001\r\n0\r\n0\r\n1\r\n0\r\n") + attributes("1,0\r\n0\r\nx\r\n7\r\n")},
                      BadObjectCase{"image index out of table",
                                    attributes("0009\r\n0\r\n0\r\n1\r\n0\r\n") +
                                        attributes("1\r\n1\r\n0\r\n13369376\r\n2\r\n0\r\n")},
                      BadObjectCase{"bad image kind", attributes("0009\r\n0\r\n0\r\n1\r\n0\r\n") +
                                                          attributes("1\r\n1\r\n0\r\n13369376\r\n8\r\n-1\r\n")}));

struct OldCase {
    const char *name;
    int kind;
    long double version;
    QByteArray bytes;
    std::function<void(const TPgBaseObject &)> check;
};

class OldFormatTest : public ::testing::TestWithParam<OldCase>
{
};

TEST_P(OldFormatTest, ReadsTheFieldsOfItsVersion)
{
    Document doc;
    QByteArray bytes = GetParam().bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TPgStreamContext context = doc.context();
    std::unique_ptr<TPgBaseObject> object = PgReadOldObject(buffer, GetParam().kind, GetParam().version, context);
    ASSERT_TRUE(object) << GetParam().name << ": " << context.Error.toStdString();
    GetParam().check(*object);
}

namespace {

QByteArray oldTextLevel(char alignment, bool withAlignment)
{
    return block(block(int32(0xFF) + int32(bsSolid)) + text("hola") +
                 block(zeroExtended() + int32(0x00FF00) + text("Arial") + int32(10) + text("[B]")) +
                 (withAlignment ? byte(alignment) : QByteArray()));
}

QByteArray oldPen()
{
    return block(int32(0x123) + int32(psDot) + int32(3) + int32(pmCopy));
}

QByteArray jpegBytes()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray jpeg;
    PgJpegEncode(image, 75, &jpeg, nullptr);
    return jpeg;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Gates, OldFormatTest,
    ::testing::Values(
        OldCase{"2.5 base holds only X and Y", okLine, 2.5L,
                block(int32(10) + int32(20)) + block(oldPen() + int32(30) + int32(40) + int32(7)),
                [](const TPgBaseObject &o) {
                    EXPECT_EQ(o.X(), 10);
                    EXPECT_EQ(o.Y2(), 40);
                    EXPECT_TRUE(o.Visible());
                    EXPECT_EQ(o.Pen().Style, psDot);
                    EXPECT_EQ(static_cast<const TPgLineObject &>(o).Extra(), 7);
                }},
        OldCase{"2.6 base adds visibility and clip", okEllipse, 2.6L,
                block(int32(1) + int32(2) + byte(0) + byte(1) + int32(5) + int32(6) + int32(7) + int32(8)) +
                    block(block(int32(0) + int32(bsClear)) + oldPen() + int32(3) + int32(4)),
                [](const TPgBaseObject &o) {
                    EXPECT_FALSE(o.Visible());
                    EXPECT_TRUE(o.ClipEnabled());
                    EXPECT_EQ(o.ClipRect(), (TPgIntRect{5, 6, 7, 8}));
                    EXPECT_EQ(o.Brush().Style, bsClear);
                    EXPECT_EQ(o.X2(), 3);
                }},
        OldCase{"reading past the end of a block gives 0", okLine, 2.6L,
                block(int32(1)) + block(oldPen()),
                [](const TPgBaseObject &o) {
                    EXPECT_EQ(o.Y(), 0);
                    EXPECT_FALSE(o.Visible());
                    EXPECT_EQ(o.X2(), 0);
                }},
        OldCase{"2.62 text box wraps without a flag", okTextBox, 2.62L,
                block(int32(0) + int32(0) + byte(1) + byte(0)) + oldTextLevel(2, true) +
                    block(int32(taRightJustify) + int32(500) + int32(600) + oldPen() + byte(0)),
                [](const TPgBaseObject &o) {
                    const auto &box = static_cast<const TPgTextBoxObject &>(o);
                    EXPECT_TRUE(box.WordWrap());
                    EXPECT_EQ(box.Alignment(), taRightJustify);
                    EXPECT_EQ(box.Text(), QStringLiteral("hola"));
                    EXPECT_EQ(box.Font().Style, fsBold);
                    EXPECT_EQ(box.Font().Size, 10);
                    EXPECT_EQ(box.X2(), 500);
                }},
        OldCase{"2.63 text box reads its word-wrap flag", okTextBox, 2.63L,
                block(int32(0) + int32(0) + byte(1) + byte(0)) + oldTextLevel(0, true) +
                    block(int32(taLeftJustify) + int32(500) + int32(600) + oldPen() + byte(0)),
                [](const TPgBaseObject &o) { EXPECT_FALSE(static_cast<const TPgTextBoxObject &>(o).WordWrap()); }},
        OldCase{"2.5 text has no alignment byte", okText, 2.5L, block(int32(0) + int32(0)) + oldTextLevel(0, false),
                [](const TPgBaseObject &o) { EXPECT_EQ(static_cast<const TPgTextObject &>(o).Alignment(), taLeftJustify); }},
        OldCase{"2.31 graphic copies by default", okGraphic, 2.31L,
                block(int32(0) + int32(0) + byte(1) + byte(0)) +
                    block(int32(96) + int32(48) + byte(0) + byte(gkJpeg) + text(jpegBytes()) + int32(0x8800C6)),
                [](const TPgBaseObject &o) {
                    const auto &g = static_cast<const TPgGraphicObject &>(o);
                    EXPECT_EQ(g.CopyMode(), SRCCOPY);
                    ASSERT_TRUE(g.Image());
                    EXPECT_EQ(g.Image()->Width(), 4);
                }},
        OldCase{"2.42 graphic reads its copy mode and one more byte", okGraphic, 2.42L,
                block(int32(0) + int32(0) + byte(1) + byte(0)) +
                    block(int32(96) + int32(48) + byte(1) + byte(gkJpeg) + text(jpegBytes()) + int32(0x8800C6) +
                          byte(9)),
                [](const TPgBaseObject &o) {
                    const auto &g = static_cast<const TPgGraphicObject &>(o);
                    EXPECT_EQ(g.CopyMode(), 0x8800C6);
                    EXPECT_TRUE(g.Rasterize());
                }},
        OldCase{"round rectangle corners and arc points", okArc, 2.6L,
                block(int32(0) + int32(0) + byte(1) + byte(0)) +
                    block(block(int32(0) + int32(0)) + oldPen() + int32(100) + int32(100)) +
                    block(int32(1) + int32(2) + int32(3) + int32(4)),
                [](const TPgBaseObject &o) {
                    const auto &arc = static_cast<const TPgArcShape &>(o);
                    EXPECT_EQ(arc.X3(), 1);
                    EXPECT_EQ(arc.Y4(), 4);
                }}));

TEST(PgObjectStream, OldFormatRefusesCutBlocksAndBadImages)
{
    const QByteArray cases[] = {
        QByteArray::fromHex("ffffff7f"),
        block(int32(0)) + block(byte(0)),
        block(int32(0) + int32(0)) + block(int32(1) + int32(1) + byte(0) + byte(gkJpeg) + text("not a jpeg")),
        block(int32(0) + int32(0)) + block(int32(1) + int32(1) + byte(0) + byte(7) + text("x")),
    };
    const int kinds[] = {okLine, okLine, okGraphic, okGraphic};
    for (int i = 0; i < 4; ++i) {
        Document doc;
        QByteArray bytes = cases[i];
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TPgStreamContext context = doc.context();
        EXPECT_FALSE(PgReadOldObject(buffer, kinds[i], 2.5L, context)) << i;
        EXPECT_FALSE(context.Error.isEmpty()) << i;
    }
}
