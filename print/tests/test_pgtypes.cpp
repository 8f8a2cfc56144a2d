// Units, conversions, paper sizes and device pens.
#include "pgstyles.h"
#include "pgtypes.h"
#include "tpgvaluerect.h"
#include "tpgvaluesize.h"

#include <gtest/gtest.h>

#include <cmath>

struct RoundCase {
    long double value;
    qint64 expected;
};

class PgRoundTest : public ::testing::TestWithParam<RoundCase>
{
};

TEST_P(PgRoundTest, HalvesGoToEven)
{
    EXPECT_EQ(PgRound(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PgRoundTest,
                         ::testing::Values(RoundCase{2.5L, 2}, RoundCase{3.5L, 4}, RoundCase{-2.5L, -2},
                                           RoundCase{-3.5L, -4}, RoundCase{0.5L, 0}, RoundCase{1.5L, 2},
                                           RoundCase{2.4999L, 2}, RoundCase{2.5001L, 3},
                                           RoundCase{-0.49L, 0}, RoundCase{NAN, 0}));

struct SetCase {
    const char *name;
    void (*set)(TPgValue &);
    qint32 expected;
};

class TPgValueSetTest : public ::testing::TestWithParam<SetCase>
{
};

TEST_P(TPgValueSetTest, StoresRoundedUnits)
{
    TPgValue value;
    GetParam().set(value);
    EXPECT_EQ(value.GetAsUnits(), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TPgValueSetTest,
    ::testing::Values(SetCase{"mm 0.125", [](TPgValue &v) { v.SetAsMm(0.125L); }, 12},
                      SetCase{"mm 0.375", [](TPgValue &v) { v.SetAsMm(0.375L); }, 38},
                      SetCase{"mm -0.125", [](TPgValue &v) { v.SetAsMm(-0.125L); }, -12},
                      SetCase{"cm 2.54", [](TPgValue &v) { v.SetAsCm(2.54L); }, 2540},
                      SetCase{"inch 1", [](TPgValue &v) { v.SetAsInches(1); }, 2540},
                      SetCase{"A4 height inches", [](TPgValue &v) { v.SetAsInches(29700 / 100.0L / 25.4L); }, 29700},
                      SetCase{"A4 width inches", [](TPgValue &v) { v.SetAsInches(21000 / 100.0L / 25.4L); }, 21000},
                      SetCase{"600 px at 600", [](TPgValue &v) { v.SetAsPixels(600, 600); }, 2540},
                      SetCase{"1 px at 96", [](TPgValue &v) { v.SetAsPixels(1, 96); }, 26},
                      // 96 × 48 px at 96 dpi: the image size the canvas measures.
                      SetCase{"48 px at 96", [](TPgValue &v) { v.SetAsPixels(48, 96); }, 1270},
                      // A pixel count whose product with 2540 leaves the 32-bit range.
                      SetCase{"1e6 px at 600", [](TPgValue &v) { v.SetAsPixels(1000000, 600); }, 4233333},
                      SetCase{"huge mm saturates", [](TPgValue &v) { v.SetAsMm(1e12L); }, 2147483647},
                      SetCase{"zero resolution ignored", [](TPgValue &v) { v.SetAsPixels(10, 0); }, 0}));

TEST(TPgValue, GettersConvertAndRound)
{
    TPgValue value(2540, nullptr);
    EXPECT_EQ(value.GetAsPixels(600), 600);
    EXPECT_EQ(value.GetAsTwips(), 1440);
    EXPECT_DOUBLE_EQ(double(value.GetAsMm()), 25.4);
    EXPECT_DOUBLE_EQ(double(value.GetAsCm()), 2.54);
    EXPECT_DOUBLE_EQ(double(value.GetAsInches()), 1.0);
    EXPECT_DOUBLE_EQ(double(value.GetAs(gmTwips)), 1440.0);
    EXPECT_DOUBLE_EQ(double(value.GetAs(TPgMeasurement(9))), 2540.0);
    value.SetAsUnits(1);
    EXPECT_EQ(value.GetAsPixels(600), 0);
    // 0.5 px exactly: halves go to even.
    value.SetAsUnits(127);
    EXPECT_EQ(value.GetAsPixels(10), 0);
    value.SetAsUnits(381);
    EXPECT_EQ(value.GetAsPixels(10), 2);
}

TEST(TPgValue, ChangeFiresOnlyOnADifferentValue)
{
    int fired = 0;
    void *sender = nullptr;
    TPgValue value(5, [&](void *s) {
        ++fired;
        sender = s;
    });
    value.SetAsUnits(5);
    EXPECT_EQ(fired, 0);
    value.SetAsUnits(6);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(sender, &value);
    TPgValue other(6, nullptr);
    value.Assign(other);
    EXPECT_EQ(fired, 1);
}

TEST(TPgValueSize, ForwardsInnerChangesWithItselfAsSender)
{
    TPgValueSize size;
    int fired = 0;
    void *sender = nullptr;
    size.OnChange = [&](void *s) {
        ++fired;
        sender = s;
    };
    size.Height.SetAsUnits(0);
    EXPECT_EQ(fired, 0);
    size.Width.SetAsUnits(10);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(sender, static_cast<void *>(static_cast<TPgCustomValueSize *>(&size)));
    TPgValueSize other;
    other.Height.SetAsUnits(3);
    other.Width.SetAsUnits(4);
    size.Assign(other);
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(size.Height.GetAsUnits(), 3);
}

TEST(TPgValueRect, AssignsInOrderThroughTheSharedLink)
{
    std::vector<qint32> seen;
    TPgValueRect rect(1, 2, 3, 4, [&](void *s) { seen.push_back(static_cast<TPgValue *>(s)->GetAsUnits()); });
    TPgValueRect other(10, 20, 30, 40, nullptr);
    rect.Assign(other);
    EXPECT_EQ(seen, (std::vector<qint32>{10, 20, 30, 40}));
}

struct ConvertCase {
    TPgMeasurement from;
    TPgMeasurement to;
    long double value;
    long double expected;
};

class ConvertValueTest : public ::testing::TestWithParam<ConvertCase>
{
};

TEST_P(ConvertValueTest, Converts)
{
    const ConvertCase &c = GetParam();
    EXPECT_NEAR(double(ConvertValue(c.from, c.to, c.value)), double(c.expected), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConvertValueTest,
                         ::testing::Values(ConvertCase{gmMillimeters, gmTwips, 25.4L, 1440},
                                           ConvertCase{gmInches, gmPixels, 1, 96},
                                           ConvertCase{gmPixels, gmUnits, 96, 2540},
                                           ConvertCase{gmCentimeters, gmMillimeters, 1.5L, 15},
                                           ConvertCase{gmTwips, gmInches, 720, 0.5L},
                                           ConvertCase{gmUnits, gmUnits, 12.345L, 12.345L},
                                           ConvertCase{TPgMeasurement(7), gmMillimeters, 100, 1},
                                           ConvertCase{gmMillimeters, TPgMeasurement(7), 1, 100}));

struct PaperCase {
    TPgPaperSize size;
    qint32 height;
    qint32 width;
    int code;
    const char *name;
};

class PaperTest : public ::testing::TestWithParam<PaperCase>
{
};

TEST_P(PaperTest, TableRow)
{
    const PaperCase &c = GetParam();
    EXPECT_EQ(PaperSizeHeightUnits(c.size), c.height);
    EXPECT_EQ(PaperSizeWidthUnits(c.size), c.width);
    EXPECT_EQ(PaperSizeCode(c.size), c.code);
    EXPECT_EQ(PaperSizeToStr(c.size), QString::fromLatin1(c.name));
    if (c.height > 0) {
        // Through inches and back gives the table's units exactly.
        const TPgSizeExt inches = PaperSizeDimensions(c.size);
        TPgValue height, width;
        height.SetAsInches(inches.Height);
        width.SetAsInches(inches.Width);
        EXPECT_EQ(height.GetAsUnits(), c.height);
        EXPECT_EQ(width.GetAsUnits(), c.width);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PaperTest,
                         ::testing::Values(PaperCase{TPgPaperSize::A3, 42000, 29700, 8, "A3"},
                                           PaperCase{TPgPaperSize::A4, 29700, 21000, 9, "A4"},
                                           PaperCase{TPgPaperSize::A5, 21000, 14850, 11, "A5"},
                                           PaperCase{TPgPaperSize::A6, 14850, 10500, 70, "A6"},
                                           PaperCase{TPgPaperSize::B5, 25000, 17600, 13, "B5"},
                                           PaperCase{TPgPaperSize::C5, 16300, 22900, 28, "C5"},
                                           PaperCase{TPgPaperSize::Legal, 35560, 21590, 5, "Legal"},
                                           PaperCase{TPgPaperSize::Letter, 27940, 21590, 1, "Letter"},
                                           PaperCase{TPgPaperSize::Custom, 0, 0, -1, "Custom"},
                                           PaperCase{TPgPaperSize(42), 0, 0, -1, "Custom"}));

TEST(PaperSizeDimensions, A4InInchesAndCustomNeverEmpty)
{
    const TPgSizeExt a4 = PaperSizeDimensions(TPgPaperSize::A4);
    EXPECT_NEAR(double(a4.Height), 11.692913385826771, 1e-12);
    EXPECT_NEAR(double(a4.Width), 8.267716535433071, 1e-12);
    const TPgSizeExt custom = PaperSizeDimensions(TPgPaperSize::Custom);
    EXPECT_GT(custom.Height, 0);
    EXPECT_GT(custom.Width, 0);
}

struct PenCase {
    TPgPenStyle style;
    int width;
    int resolution;
    int code;
    int pixels;
};

class DevicePenTest : public ::testing::TestWithParam<PenCase>
{
};

TEST_P(DevicePenTest, WidthAndStyle)
{
    const PenCase &c = GetParam();
    TPgPen pen;
    pen.Style = c.style;
    pen.Width = c.width;
    EXPECT_EQ(PenStyleCode(c.style), c.code);
    const QPen device = CreateDevicePen(pen, c.resolution);
    EXPECT_EQ(device.width(), c.pixels);
    EXPECT_EQ(device.capStyle(), Qt::FlatCap);
    EXPECT_EQ(device.joinStyle(), Qt::MiterJoin);
}

INSTANTIATE_TEST_SUITE_P(Cases, DevicePenTest,
                         ::testing::Values(PenCase{psDot, 1, 600, 2, 9}, PenCase{psSolid, 1, 600, 0, 2},
                                           PenCase{psSolid, 4, 600, 0, 8}, PenCase{psDash, 40, 600, 1, 83},
                                           PenCase{psDashDot, 1, 72, 3, 2}, PenCase{psDashDotDot, 1, 600, 4, 9},
                                           PenCase{psClear, 1, 600, 5, 9}, PenCase{psInsideFrame, 1, 600, 0, 9}));

TEST(PgStyles, ColoursAndFontFamilies)
{
    EXPECT_EQ(PgToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(PgToQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(PgFromQColor(QColor(1, 2, 3)), 0x030201);
    EXPECT_EQ(PgFontFamily(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(PgFontFamily(QStringLiteral("Times New Roman")), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(PgFontFamily(QStringLiteral("Other")), QStringLiteral("Other"));
    TPgFont font;
    font.Size = 12;
    EXPECT_EQ(PgToQFont(font, 600).pixelSize(), 100);
    EXPECT_EQ(PgToQFont(font, 600).family(), QStringLiteral("Liberation Sans"));
}
