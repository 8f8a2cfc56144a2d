// The page list: paper sizes, orientation, page events and numbering.
#include "tpgpagelist.h"

#include <gtest/gtest.h>

TEST(TPgPageList, StartsEmptyA4Portrait)
{
    TPgPageList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Height().GetAsUnits(), 29700);
    EXPECT_EQ(list.Width().GetAsUnits(), 21000);
    EXPECT_EQ(list.Orientation(), gmPortrait);
    EXPECT_EQ(list.OrientationSummary(), 0);
}

struct PaperOrientationCase {
    TPgPaperSize size;
    TPgOrientation orientation;
    qint32 height;
    qint32 width;
};

class PageListPaperTest : public ::testing::TestWithParam<PaperOrientationCase>
{
};

TEST_P(PageListPaperTest, EveryPageFollowsTheList)
{
    const PaperOrientationCase &c = GetParam();
    TPgPageList list;
    list.AddPage();
    list.AddPage();
    list.SetOrientation(c.orientation);
    list.SetPaperSize(c.size);
    EXPECT_EQ(list.Height().GetAsUnits(), c.height);
    EXPECT_EQ(list.Width().GetAsUnits(), c.width);
    for (int i = 1; i <= list.Count(); ++i) {
        EXPECT_EQ(list.Page(i)->Height().GetAsUnits(), c.height);
        EXPECT_EQ(list.Page(i)->Width().GetAsUnits(), c.width);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PageListPaperTest,
                         ::testing::Values(PaperOrientationCase{TPgPaperSize::A5, gmLandscape, 14850, 21000},
                                           PaperOrientationCase{TPgPaperSize::A5, gmPortrait, 21000, 14850},
                                           PaperOrientationCase{TPgPaperSize::Legal, gmPortrait, 35560, 21590},
                                           PaperOrientationCase{TPgPaperSize::Legal, gmLandscape, 21590, 35560},
                                           PaperOrientationCase{TPgPaperSize::C5, gmPortrait, 16300, 22900}));

TEST(TPgPageList, SizeChangeFiresOnChangeAndCopiesIntoPages)
{
    TPgPageList list;
    TPgPage *page = list.AddPage();
    int fired = 0;
    list.OnChange = [&](void *) { ++fired; };
    list.Height().SetAsMm(100);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(page->Height().GetAsUnits(), 10000);
}

TEST(TPgPageList, OrientationEventsOnlyForAPageThatLeavesTheListsOrientation)
{
    TPgPageList list;
    list.AddPage();
    list.AddPage();
    std::vector<std::pair<int, TPgOrientation>> events;
    list.OnPageOrientation = [&](TPgPage *, int number, TPgOrientation o) { events.emplace_back(number, o); };

    list.SetOrientation(gmLandscape);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(list.Page(1)->Orientation(), gmLandscape);
    EXPECT_EQ(list.Page(2)->Width().GetAsUnits(), 29700);
    EXPECT_EQ(list.OrientationSummary(), 1);

    list.SetOrientation(gmPortrait);
    list.Page(2)->SetOrientation(gmLandscape);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], std::make_pair(2, gmLandscape));
    EXPECT_EQ(list.Page(2)->Height().GetAsUnits(), 21000);
    EXPECT_EQ(list.Page(2)->Width().GetAsUnits(), 29700);
    EXPECT_EQ(list.OrientationSummary(), 2);

    list.Page(2)->SetOrientation(gmPortrait);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_EQ(list.OrientationSummary(), 0);
}

TEST(TPgPageList, InsertDeleteRenumberAndMarkDirty)
{
    TPgPageList list;
    TPgPage *first = list.AddPage();
    TPgPage *second = list.AddPage();
    first->EnsureRendered();
    second->EnsureRendered();
    TPgPage *inserted = list.InsertPage(0);
    ASSERT_NE(inserted, nullptr);
    EXPECT_EQ(inserted->PageNumber(), 1);
    EXPECT_EQ(first->PageNumber(), 2);
    EXPECT_EQ(second->PageNumber(), 3);
    EXPECT_TRUE(first->ScreenDirty());
    EXPECT_EQ(list.InsertPage(5), nullptr);
    EXPECT_EQ(list.InsertPage(-2), nullptr);
    list.DeletePage(1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Page(1), first);
    EXPECT_EQ(first->PageNumber(), 1);
    list.DeletePage(0);
    list.DeletePage(3);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Page(0), nullptr);
    EXPECT_EQ(list.Page(3), nullptr);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TPgPageList, AssignCopiesPagesAndTheirSizes)
{
    TPgPageList source;
    source.AddPage();
    source.AddPage()->SetOrientation(gmLandscape);
    TPgPageList copy;
    copy.AddPage();
    copy.AddPage();
    copy.AddPage();
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Page(2)->Width().GetAsUnits(), 29700);
    EXPECT_EQ(copy.Page(1)->Width().GetAsUnits(), 21000);
}
