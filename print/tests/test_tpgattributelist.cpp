// The attribute-list block: byte layout, value encodings and untrusted input.
#include "pgstream.h"
#include "tpgattributelist.h"
#include "tpgextstream.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

QByteArray save(TPgAttributeList &list)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(list.SaveToStream(buffer));
    return bytes;
}

bool load(const QByteArray &bytes, TPgAttributeList &list, QString *error)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return list.LoadFromStream(buffer, error);
}

} // namespace

TEST(TPgAttributeList, BlockLayoutIsLengthTextLinesAndDataFlag)
{
    TPgAttributeList list;
    list.Add(QStringLiteral("0006"));
    list.AddInteger(1000);
    list.AddInteger(2000);
    list.AddBoolean(true);
    list.AddBoolean(false);
    const QByteArray expected = QByteArray::fromHex("18000000") + "0006\r\n1000\r\n2000\r\n1\r\n0\r\n" + '\0';
    EXPECT_EQ(save(list), expected);
    EXPECT_EQ(list.Count(), 0);

    list.Add(QStringLiteral("x"));
    list.Data() = "DATA";
    EXPECT_EQ(save(list), QByteArray::fromHex("03000000") + "x\r\n" + '\1' + QByteArray::fromHex("04000000") + "DATA");

    TPgAttributeList empty;
    EXPECT_EQ(save(empty), QByteArray::fromHex("0000000000"));
}

TEST(TPgAttributeList, LoadReadsValuesAndData)
{
    TPgAttributeList list;
    QString error;
    ASSERT_TRUE(load(QByteArray::fromHex("0b000000") + "-5\r\n\r\n1,2\r\n" + '\1' + QByteArray::fromHex("02000000") + "ok",
                     list, &error))
        << error.toStdString();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetInteger(0), -5);
    EXPECT_EQ(list.GetString(1), QString());
    EXPECT_EQ(list.Data(), QByteArray("ok"));
    EXPECT_EQ(list.GetInteger(1), std::nullopt);
    EXPECT_EQ(list.GetInteger(3), std::nullopt);
    EXPECT_EQ(list.GetString(-1), std::nullopt);
}

struct BadBlockCase {
    const char *name;
    QByteArray bytes;
};

class BadBlockTest : public ::testing::TestWithParam<BadBlockCase>
{
};

TEST_P(BadBlockTest, IsAnErrorNeverACrash)
{
    TPgAttributeList list;
    QString error;
    EXPECT_FALSE(load(GetParam().bytes, list, &error)) << GetParam().name;
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(list.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadBlockTest,
    ::testing::Values(BadBlockCase{"empty", QByteArray()}, BadBlockCase{"cut length", QByteArray::fromHex("0500")},
                      BadBlockCase{"length beyond data", QByteArray::fromHex("ffffff7f") + "abc"},
                      BadBlockCase{"negative length", QByteArray::fromHex("feffffff00")},
                      BadBlockCase{"no data flag", QByteArray::fromHex("03000000") + "1\r\n"},
                      BadBlockCase{"bad data flag", QByteArray::fromHex("0000000002")},
                      BadBlockCase{"cut data length", QByteArray::fromHex("000000000104")},
                      BadBlockCase{"data beyond", QByteArray::fromHex("0000000001ffffff7f00")}));

TEST(TPgAttributeList, WithoutDuplicatesKeepsOneCopy)
{
    TPgAttributeList fonts(false);
    TPgFont font;
    EXPECT_EQ(fonts.Add(FontToStr(font)), 0);
    font.Size = 14;
    EXPECT_EQ(fonts.Add(FontToStr(font)), 1);
    font.Size = 12;
    EXPECT_EQ(fonts.Add(FontToStr(font)), 0);
    EXPECT_EQ(fonts.Count(), 2);
    EXPECT_EQ(fonts.IndexOf(FontToStr(font)), 0);
    TPgAttributeList plain;
    plain.Add(QStringLiteral("a"));
    plain.Add(QStringLiteral("a"));
    EXPECT_EQ(plain.Count(), 2);
}

TEST(TPgAttributeList, RectBrushPenRoundTrip)
{
    TPgAttributeList list;
    list.AddRect({-1, 2, 300, 4000});
    list.AddBrush({0x123456, bsDiagCross});
    list.AddPen({0xFF, psDashDot, 3, 6});
    EXPECT_EQ(list.Values(), (QStringList{"-1,2,300,4000", "7,1193046", "3,255,3,6"}));
    EXPECT_EQ(list.GetRect(0), (TPgIntRect{-1, 2, 300, 4000}));
    EXPECT_EQ(list.GetBrush(1), (TPgBrush{0x123456, bsDiagCross}));
    EXPECT_EQ(list.GetPen(2), (TPgPen{0xFF, psDashDot, 3, 6}));
    EXPECT_EQ(list.GetRect(1), std::nullopt);
    EXPECT_EQ(list.GetPen(1), std::nullopt);
}

struct CommaCase {
    QStringList items;
    QString text;
};

class CommaTextTest : public ::testing::TestWithParam<CommaCase>
{
};

TEST_P(CommaTextTest, WritesAndReadsBack)
{
    EXPECT_EQ(PgCommaText(GetParam().items), GetParam().text);
    EXPECT_EQ(PgParseCommaText(GetParam().text), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommaTextTest,
                         ::testing::Values(CommaCase{{}, ""}, CommaCase{{"a", "b"}, "a,b"},
                                           CommaCase{{"Times New Roman", "0"}, "\"Times New Roman\",0"},
                                           CommaCase{{"a,b", "say \"hi\""}, "\"a,b\",\"say \"\"hi\"\"\""},
                                           CommaCase{{"", "x", ""}, "\"\",x,\"\""},
                                           CommaCase{{"tab\there"}, "\"tab\there\""}));

TEST(PgStream, FontEncodesFaceQuotedAndStylesInOrder)
{
    TPgFont font;
    font.Name = QStringLiteral("Times New Roman");
    font.Angle = 0;
    font.Color = 0;
    font.Size = 12;
    font.Style = fsBold | fsUnderline;
    EXPECT_EQ(FontToStr(font), QStringLiteral("\"Times New Roman\",0,0,12,[BU]"));
    font.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    font.Angle = 12.5L;
    EXPECT_EQ(FontToStr(font), QStringLiteral("\"Times New Roman\",12.5,0,12,[BIUS]"));
    EXPECT_EQ(StrToFont(FontToStr(font)), font);
}

struct AngleCase {
    QString text;
    std::optional<long double> angle;
};

class FontAngleTest : public ::testing::TestWithParam<AngleCase>
{
};

TEST_P(FontAngleTest, ReadsEitherSeparator)
{
    const std::optional<TPgFont> font = StrToFont(GetParam().text);
    ASSERT_EQ(font.has_value(), GetParam().angle.has_value());
    if (font) {
        EXPECT_DOUBLE_EQ(double(font->Angle), double(*GetParam().angle));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FontAngleTest,
                         ::testing::Values(AngleCase{"Arial,45,0,12,[]", 45}, AngleCase{"Arial,12.5,0,12,[]", 12.5L},
                                           AngleCase{"Arial,\"12,5\",0,12,[]", 12.5L},
                                           AngleCase{"Arial,-0.25,0,12,[]", -0.25L},
                                           AngleCase{"Arial,x,0,12,[]", std::nullopt},
                                           AngleCase{"Arial,nan,0,12,[]", std::nullopt},
                                           AngleCase{"Arial,inf,0,12,[]", std::nullopt},
                                           AngleCase{"Arial,0,0,12", std::nullopt},
                                           AngleCase{"Arial,0,zz,12,[]", std::nullopt}));

struct StyleCase {
    QString text;
    TPgFontStyles styles;
};

class FontStylesTest : public ::testing::TestWithParam<StyleCase>
{
};

TEST_P(FontStylesTest, LettersAnywhere)
{
    EXPECT_EQ(StrToFontStyles(GetParam().text), GetParam().styles);
}

INSTANTIATE_TEST_SUITE_P(Cases, FontStylesTest,
                         ::testing::Values(StyleCase{"[SB]", fsBold | fsStrikeOut}, StyleCase{"[BS]", fsBold | fsStrikeOut},
                                           StyleCase{"[]", 0}, StyleCase{"IU", fsItalic | fsUnderline},
                                           StyleCase{"[BIUS]", fsBold | fsItalic | fsUnderline | fsStrikeOut}));

TEST(TPgExtStream, ReadsPastTheEndAsZeroAndRejectsCutTexts)
{
    QByteArray bytes = QByteArray::fromHex("09000000") + QByteArray::fromHex("2a000000") + '\7' +
                       QByteArray::fromHex("0a000000");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TPgExtStream block;
    QString error;
    ASSERT_TRUE(block.LoadBlock(buffer, &error));
    EXPECT_EQ(block.ReadInteger(), 42);
    EXPECT_EQ(block.ReadByte(), 7);
    // A text longer than the block is refused and leaves the position.
    EXPECT_EQ(block.ReadString(), std::nullopt);
    EXPECT_EQ(block.ReadExtended(), std::nullopt);
    EXPECT_EQ(block.ReadInteger(), 10);
    EXPECT_EQ(block.ReadInteger(), 0);
    EXPECT_EQ(block.ReadByte(), 0);
    EXPECT_FALSE(block.LoadBlock(buffer, &error));
}

TEST(TPgExtStream, ReadsTenByteExtendedValues)
{
    // 1.0, -2.5 and an infinity in the ten-byte format.
    QByteArray payload = QByteArray::fromHex("0000000000000080ff3f") + QByteArray::fromHex("00000000000000a000c0") +
                         QByteArray::fromHex("0000000000000080ff7f");
    QByteArray bytes = QByteArray::fromHex("1e000000") + payload;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TPgExtStream block;
    ASSERT_TRUE(block.LoadBlock(buffer, nullptr));
    EXPECT_EQ(block.ReadExtended(), 1.0L);
    EXPECT_EQ(block.ReadExtended(), -2.5L);
    EXPECT_EQ(block.ReadExtended(), std::nullopt);
}
