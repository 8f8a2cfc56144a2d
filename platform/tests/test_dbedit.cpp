#include "controlsfixture.h"
#include "dbdateedit.h"
#include "dbedit.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Replaces the edit's text the way a user does: select all, type, press Enter.
void typeAndEnter(QLineEdit &edit, const QString &text)
{
    edit.selectAll();
    if (text.isEmpty())
        QTest::keyClick(&edit, Qt::Key_Delete);
    else
        QTest::keyClicks(&edit, text);
    QTest::keyClick(&edit, Qt::Key_Return);
}

} // namespace

struct EditCase
{
    const char *field;
    int row;
    const char *typed;
    const char *shown;  // after Enter
    QVariant stored;    // after Post
};

class DBEditWrites : public ControlsFixture, public ::testing::WithParamInterface<EditCase>
{
};

TEST_P(DBEditWrites, TypedTextReachesTheDatabase)
{
    const EditCase c = GetParam();
    table.setRecNo(c.row);
    DBEdit edit;
    edit.setDataSource(&source, QString::fromLatin1(c.field));
    typeAndEnter(edit, QString::fromUtf8(c.typed));
    EXPECT_EQ(table.State(), DatasetState::Edit);
    EXPECT_EQ(edit.text(), QString::fromUtf8(c.shown));
    ASSERT_TRUE(table.Post());
    EXPECT_EQ(stored(QString::fromLatin1(c.field), c.row), c.stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, DBEditWrites, ::testing::Values(
    EditCase{"sup", 1, "3,75", "3,75", QVariant(3.75)},
    EditCase{"sup", 1, "3.50", "3,5", QVariant(3.5)},
    EditCase{"sup", 1, "", "", QVariant()},
    EditCase{"cod", 2, "42", "42", QVariant(qlonglong(42))},
    // A text column never takes more than its size.
    EditCase{"nom", 1, "ABCDEFG", "ABCDE", QVariant(QStringLiteral("ABCDE"))},
    // Erasing a text leaves an empty text, not null.
    EditCase{"nom", 2, "", "", QVariant(QString(""))}));

TEST_F(ControlsFixture, DBEditLeavesNullAndEmptyAsTheyAre)
{
    // Visiting an edit must not turn a null into an empty text or the reverse.
    DBEdit nom, obs, sup;
    nom.setDataSource(&source, QStringLiteral("nom"));
    obs.setDataSource(&source, QStringLiteral("obs"));
    sup.setDataSource(&source, QStringLiteral("sup"));
    QTest::keyClick(&nom, Qt::Key_Return);
    QTest::keyClick(&obs, Qt::Key_Return);
    typeAndEnter(sup, QStringLiteral("7"));
    ASSERT_TRUE(table.Post());
    EXPECT_TRUE(stored(QStringLiteral("nom"), 1).isNull());
    EXPECT_EQ(stored(QStringLiteral("obs"), 1), QVariant(QString("")));
    EXPECT_FALSE(stored(QStringLiteral("obs"), 1).isNull());
}

TEST_F(ControlsFixture, DBEditKeepsInvalidTextAndTheField)
{
    DBEdit edit;
    edit.setDataSource(&source, QStringLiteral("sup"));
    QSignalSpy spy(&edit, &DBEdit::invalidInput);
    typeAndEnter(edit, QStringLiteral("abc"));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_TRUE(spy.first().first().toString().contains(QStringLiteral("no es un número válido")));
    EXPECT_EQ(edit.text(), QStringLiteral("abc"));
    EXPECT_TRUE(edit.inputInvalid());
    EXPECT_DOUBLE_EQ(table.FieldByName(QStringLiteral("sup"))->AsFloat(), 12.5);
    // Correcting it writes and clears the mark.
    typeAndEnter(edit, QStringLiteral("1,5"));
    EXPECT_FALSE(edit.inputInvalid());
    EXPECT_DOUBLE_EQ(table.FieldByName(QStringLiteral("sup"))->AsFloat(), 1.5);
}

TEST_F(ControlsFixture, DBEditFollowsTheCursorAndDropsTextOnEscape)
{
    DBEdit edit;
    edit.setDataSource(&source, QStringLiteral("nom"));
    EXPECT_EQ(edit.text(), QString());
    table.Next();
    EXPECT_EQ(edit.text(), QStringLiteral("AB"));
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("XY"));
    QTest::keyClick(&edit, Qt::Key_Escape);
    EXPECT_EQ(edit.text(), QStringLiteral("AB"));
    EXPECT_FALSE(edit.pendingInput());
}

TEST_F(ControlsFixture, DBEditIsReadOnlyForReadOnlyFieldsAndReplicas)
{
    DBEdit edit;
    edit.setDataSource(&source, QStringLiteral("nom"));
    EXPECT_FALSE(edit.isReadOnly());
    table.FieldByName(QStringLiteral("Id"))->setReadOnly(true);
    DBEdit id;
    id.setDataSource(&source, QStringLiteral("Id"));
    EXPECT_TRUE(id.isReadOnly());

    edit.showAsReplica(QStringLiteral("Este campo debe llenarse en el formulario DORVO."));
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.toolTip(), QStringLiteral("Este campo debe llenarse en el formulario DORVO."));
    EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(112, 112, 112));
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(247, 247, 247));
    QTest::keyClicks(&edit, QStringLiteral("Z"));
    EXPECT_EQ(table.State(), DatasetState::Browse);
}

TEST_F(ControlsFixture, DBDateEditShowsAndTakesDayMonthYear)
{
    DBDateEdit edit;
    edit.setDataSource(&source, QStringLiteral("fec"));
    EXPECT_EQ(edit.text(), QStringLiteral("31-12-2024"));
    QSignalSpy spy(&edit, &DBEdit::invalidInput);
    typeAndEnter(edit, QStringLiteral("31-02-2025"));
    EXPECT_EQ(spy.count(), 1);
    typeAndEnter(edit, QStringLiteral("1-2-2025"));
    EXPECT_EQ(spy.count(), 2);
    typeAndEnter(edit, QStringLiteral("01-02-2025"));
    EXPECT_EQ(edit.text(), QStringLiteral("01-02-2025"));
    ASSERT_TRUE(table.Post());
    EXPECT_EQ(stored(QStringLiteral("fec"), 1), QVariant(QStringLiteral("2025-02-01 00:00:00")));
}
