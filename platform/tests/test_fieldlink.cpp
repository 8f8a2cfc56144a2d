#include "controlsfixture.h"
#include "dbedit.h"

#include "abort.h"

#include <QSignalSpy>
#include <QTest>

using FieldLinkTest = ControlsFixture;

TEST_F(FieldLinkTest, MissingFieldFailsAtBindAndShowsOnTheControl)
{
    DBEdit edit;
    EXPECT_FALSE(edit.setDataSource(&source, QStringLiteral("nomx")));
    ASSERT_EQ(edit.bindingErrors().size(), 1);
    EXPECT_TRUE(edit.bindingErrors().first().contains(QStringLiteral("nomx")));
    EXPECT_FALSE(edit.isEnabled());
    EXPECT_EQ(edit.toolTip(), edit.bindingErrors().first());
}

TEST_F(FieldLinkTest, ClosedDatasetResolvesWhenItOpens)
{
    table.Close();
    DBEdit good, bad;
    EXPECT_TRUE(good.setDataSource(&source, QStringLiteral("SUP")));
    EXPECT_TRUE(bad.setDataSource(&source, QStringLiteral("nada")));
    EXPECT_TRUE(bad.bindingErrors().isEmpty());
    ASSERT_TRUE(table.Open());
    EXPECT_EQ(good.text(), QStringLiteral("12,5"));
    EXPECT_EQ(bad.bindingErrors().size(), 1);
}

TEST_F(FieldLinkTest, RebindingFollowsTheNewSourceOnly)
{
    Table other;
    other.setTableName(QStringLiteral("t"));
    other.setConnection(&db.conn);
    DataSource otherSource;
    otherSource.setDataSet(&other);
    ASSERT_TRUE(other.Open());
    other.Next();

    DBEdit edit;
    edit.setDataSource(&source, QStringLiteral("nom"));
    edit.setDataSource(&otherSource, QStringLiteral("nom"));
    EXPECT_EQ(edit.text(), QStringLiteral("AB"));
    table.Next();
    other.First();
    EXPECT_EQ(edit.text(), QString());
}

TEST_F(FieldLinkTest, AbortInBeforeEditIsCaughtAndTheValueStays)
{
    table.BeforeEdit = [](Dataset *) { Abort(); };
    DBEdit edit;
    edit.setDataSource(&source, QStringLiteral("sup"));
    edit.setFocus();
    EXPECT_NO_THROW(QTest::keyClick(&edit, Qt::Key_1));
    EXPECT_EQ(table.State(), DatasetState::Browse);
    EXPECT_EQ(edit.text(), QStringLiteral("12,5"));
}

// Fault: a control on a lookup field kept its old text when the key field changed, until
// the row was posted.
TEST_F(FieldLinkTest, ControlOnALookupFieldFollowsItsKeyField)
{
    table.Close();
    table.addLookupField(QStringLiteral("cod_look"), QStringLiteral("cod"), &list, QStringLiteral("cod"), QStringLiteral("des"));
    ASSERT_TRUE(table.Open());
    DBEdit edit;
    ASSERT_TRUE(edit.setDataSource(&source, QStringLiteral("cod_look")));
    EXPECT_EQ(edit.text(), QStringLiteral("Dos"));
    ASSERT_TRUE(table.Edit());
    ASSERT_TRUE(table.FieldByName(QStringLiteral("cod"))->setAsInteger(3));
    EXPECT_EQ(edit.text(), QStringLiteral("Tres"));
}
