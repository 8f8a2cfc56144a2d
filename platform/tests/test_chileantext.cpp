#include "chileantext.h"

#include <gtest/gtest.h>

struct FloatCase
{
    double value;
    const char *text;
};

class FloatText : public ::testing::TestWithParam<FloatCase>
{
};

TEST_P(FloatText, ShortestDecimalWithComma)
{
    EXPECT_EQ(ChileanText::fromDouble(GetParam().value).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, FloatText,
                         ::testing::Values(FloatCase{12.5, "12,5"}, FloatCase{12.0, "12"}, FloatCase{0.001, "0,001"},
                                           FloatCase{-0.5, "-0,5"}, FloatCase{0.0, "0"}, FloatCase{-0.0, "0"},
                                           FloatCase{1234567.0, "1234567"}, FloatCase{0.1 + 0.2, "0,3"},
                                           FloatCase{1.005 * 100, "100,5"}, FloatCase{1e20, "100000000000000000000"},
                                           FloatCase{0.00001, "0,00001"}, FloatCase{123456789.123456789, "123456789,123457"},
                                           FloatCase{2.0 / 3.0, "0,666666666666667"}));

struct ParseCase
{
    const char *text;
    bool ok;
    double value;
};

class FloatParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(FloatParse, CommaOrPoint)
{
    const auto v = ChileanText::toDouble(QString::fromUtf8(GetParam().text));
    ASSERT_EQ(v.has_value(), GetParam().ok) << GetParam().text;
    if (v) {
        EXPECT_DOUBLE_EQ(*v, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FloatParse,
                         ::testing::Values(ParseCase{"12,5", true, 12.5}, ParseCase{"12.5", true, 12.5}, ParseCase{" -3 ", true, -3},
                                           ParseCase{",5", true, 0.5}, ParseCase{"7,", true, 7}, ParseCase{"", false, 0},
                                           ParseCase{"1.234,5", false, 0}, ParseCase{"1e5", false, 0}, ParseCase{"abc", false, 0},
                                           ParseCase{"1 000", false, 0}));

TEST(DateText, FormatsDayMonthYear)
{
    EXPECT_EQ(ChileanText::fromDate(QDate(2024, 3, 7)), QStringLiteral("07-03-2024"));
    EXPECT_EQ(ChileanText::fromDateTime(QDateTime(QDate(2024, 3, 7), QTime(0, 0), Qt::UTC)), QStringLiteral("07-03-2024"));
    EXPECT_EQ(ChileanText::fromDateTime(QDateTime(QDate(2024, 3, 7), QTime(9, 5, 1), Qt::UTC)), QStringLiteral("07-03-2024 09:05:01"));
}

TEST(DateText, ParsesLocalAndStoredForms)
{
    const QDateTime expected(QDate(2024, 12, 31), QTime(0, 0), Qt::UTC);
    EXPECT_EQ(ChileanText::toDateTime(QStringLiteral("31-12-2024")), expected);
    EXPECT_EQ(ChileanText::toDateTime(QStringLiteral("31/12/2024")), expected);
    EXPECT_EQ(ChileanText::toDateTime(QStringLiteral("2024-12-31 00:00:00")), expected);
    EXPECT_EQ(ChileanText::toDateTime(QStringLiteral("1-2-2024 13:45"))->time(), QTime(13, 45));
    EXPECT_FALSE(ChileanText::toDateTime(QStringLiteral("31-02-2024")));
    EXPECT_FALSE(ChileanText::toDateTime(QStringLiteral("2024/12/31")));
    EXPECT_FALSE(ChileanText::toDateTime(QString()));
}

// A midnight skipped by a daylight-saving change must not move the stored date.
TEST(DateText, MidnightSurvivesStorageRoundTrip)
{
    const QDateTime d(QDate(2023, 9, 3), QTime(0, 0), Qt::UTC);
    EXPECT_EQ(ChileanText::fromStorage(ChileanText::toStorage(d)), d);
    EXPECT_EQ(ChileanText::toStorage(d), QStringLiteral("2023-09-03 00:00:00"));
}

struct PatternCase
{
    double value;
    const char *pattern;
    const char *text;
};

class NumberPattern : public ::testing::TestWithParam<PatternCase>
{
};

TEST_P(NumberPattern, GroupsWithChileanSeparators)
{
    const PatternCase &c = GetParam();
    EXPECT_EQ(ChileanText::formatNumber(c.value, QString::fromLatin1(c.pattern)).toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberPattern,
                         ::testing::Values(PatternCase{6234567, "0,000,000", "6.234.567"},
                                           PatternCase{6234567.6, "0,000,000", "6.234.568"},
                                           PatternCase{234567, "0,000,000", "0.234.567"},
                                           PatternCase{345678, "000,000", "345.678"},
                                           PatternCase{1234567, "000,000", "1.234.567"},
                                           PatternCase{0, "000,000", "000.000"},
                                           PatternCase{-1234.5, "#,##0.00", "-1.234,50"},
                                           PatternCase{0.125, "0.##", "0,13"},
                                           PatternCase{12, "0.##", "12"},
                                           PatternCase{-0.001, "0", "0"}));
