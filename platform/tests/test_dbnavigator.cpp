#include "abort.h"
#include "controlsfixture.h"
#include "dbnavigator.h"

#include <QToolButton>

TEST_F(ControlsFixture, DBNavigatorEnablesWhatCanActAndMoves)
{
    DBNavigator nav;
    nav.setDataSource(&source);
    auto enabled = [&](DBNavigator::Button b) { return nav.button(b)->isEnabled(); };
    EXPECT_FALSE(enabled(DBNavigator::First));
    EXPECT_TRUE(enabled(DBNavigator::Next));
    EXPECT_FALSE(enabled(DBNavigator::Post));
    EXPECT_TRUE(nav.trigger(DBNavigator::Last));
    EXPECT_EQ(table.RecNo(), 2);
    EXPECT_FALSE(enabled(DBNavigator::Next));
    EXPECT_TRUE(nav.trigger(DBNavigator::Insert));
    EXPECT_EQ(table.State(), DatasetState::Insert);
    EXPECT_TRUE(enabled(DBNavigator::Post));
    EXPECT_TRUE(enabled(DBNavigator::Cancel));
    EXPECT_FALSE(enabled(DBNavigator::Insert));
    table.FieldByName(QStringLiteral("nom"))->setAsString(QStringLiteral("N"));
    EXPECT_TRUE(nav.trigger(DBNavigator::Post));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 3);
    // A record in edit may be followed by a new one (a form whose record stays in edit).
    ASSERT_TRUE(table.Edit());
    EXPECT_TRUE(enabled(DBNavigator::Insert));
    table.Cancel();
    nav.setControlReadOnly(true);
    EXPECT_FALSE(enabled(DBNavigator::Insert));
    EXPECT_FALSE(enabled(DBNavigator::Delete));
}

TEST_F(ControlsFixture, DBNavigatorSwallowsAnAbortedPost)
{
    // An EAbort from a before-post handler must never reach Qt's event loop.
    table.BeforePost = [](Dataset *) { Abort(); };
    DBNavigator nav;
    nav.setDataSource(&source);
    table.Edit();
    table.FieldByName(QStringLiteral("nom"))->setAsString(QStringLiteral("Z"));
    EXPECT_NO_THROW(nav.button(DBNavigator::Post)->click());
    EXPECT_EQ(table.State(), DatasetState::Edit);
    EXPECT_FALSE(nav.trigger(DBNavigator::Post));
}
