#include "textentryfilter.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

struct TypedCase
{
    const char *typed;
    bool keypad;
    const char *delivered;
};

class TextEntryRules : public ::testing::TestWithParam<std::vector<TypedCase>>
{
};

// Each sequence runs on one filter, so the decimal key's "once" is part of the case.
TEST_P(TextEntryRules, DeliversTheRuleText)
{
    QWidget window;
    TextEntryFilter filter(&window);
    for (const TypedCase &c : GetParam())
        EXPECT_EQ(filter.transform(QString::fromUtf8(c.typed), c.keypad), QString::fromUtf8(c.delivered)) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(Cases, TextEntryRules, ::testing::Values(
    std::vector<TypedCase>{{"a", false, "A"}, {"ñ", false, "Ñ"}, {"é", false, "É"}, {"ü", false, "Ü"}, {"ç", false, "ç"}, {"7", false, "7"}},
    // The keypad decimal swaps once; the next "." stays.
    std::vector<TypedCase>{{".", true, ","}, {".", false, "."}},
    std::vector<TypedCase>{{",", true, "."}, {",", false, ","}},
    std::vector<TypedCase>{{"5", false, "5"}, {".", false, "."}}));

TEST(TextEntryFilter, RewritesKeysTypedInsideItsWindowOnly)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *inside = new QLineEdit(&window);
    layout->addWidget(inside);
    QLineEdit outside;
    TextEntryFilter filter(&window);
    QTest::keyClicks(inside, QStringLiteral("rodal"));
    QTest::keyClick(inside, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(inside, QStringLiteral("5."));
    EXPECT_EQ(inside->text(), QStringLiteral("RODAL,5."));
    QTest::keyClicks(&outside, QStringLiteral("rodal"));
    EXPECT_EQ(outside.text(), QStringLiteral("rodal"));

    filter.setUpperCase(false);
    inside->clear();
    QTest::keyClicks(inside, QStringLiteral("abc"));
    EXPECT_EQ(inside->text(), QStringLiteral("abc"));
    filter.setUpperCase(true);
    filter.keepCase = [inside](QWidget *w) { return w == inside; };
    QTest::keyClicks(inside, QStringLiteral("d"));
    EXPECT_EQ(inside->text(), QStringLiteral("abcd"));
}
