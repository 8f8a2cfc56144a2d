#include "controlsfixture.h"
#include "dbcheckbox.h"
#include "dbcombobox.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"

#include <QTest>

TEST_F(ControlsFixture, DBComboBoxShowsItemsAndStoresKeys)
{
    DBComboBox combo;
    combo.setDataSource(&source, QStringLiteral("cod"));
    combo.setItems({QStringLiteral("Raleo"), QStringLiteral("Raleo Sanitario")}, {QStringLiteral("60"), QStringLiteral("2")});
    EXPECT_EQ(combo.currentText(), QStringLiteral("Raleo Sanitario"));
    combo.setCurrentIndex(0);
    Q_EMIT combo.activated(0);
    EXPECT_EQ(table.State(), DatasetState::Edit);
    EXPECT_EQ(table.FieldByName(QStringLiteral("cod"))->AsInteger(), 60);
    // A value outside the list shows nothing and is kept.
    table.Cancel();
    table.Edit();
    table.FieldByName(QStringLiteral("cod"))->setAsInteger(9);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(table.FieldByName(QStringLiteral("cod"))->AsInteger(), 9);
}

TEST_F(ControlsFixture, DBLookupComboBoxListsAndWritesTheKey)
{
    DBLookupComboBox combo;
    combo.setDataSource(&source, QStringLiteral("cod"));
    combo.setListSource(&listSource, QStringLiteral("cod"), QStringLiteral("des"));
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.currentText(), QStringLiteral("Dos"));
    Q_EMIT combo.activated(2);
    EXPECT_EQ(table.FieldByName(QStringLiteral("cod"))->AsInteger(), 3);
    ASSERT_TRUE(table.Post());
    EXPECT_EQ(stored(QStringLiteral("cod"), 1), QVariant(qlonglong(3)));
    table.Next();
    EXPECT_EQ(combo.currentIndex(), -1);
    // The list follows its dataset.
    db.conn.exec(QStringLiteral("INSERT INTO l VALUES (4, 'Cuatro')"));
    list.Refresh();
    EXPECT_EQ(combo.count(), 4);

    combo.showAsReplica(QStringLiteral("réplica"));
    EXPECT_FALSE(combo.isEnabled());
}

TEST_F(ControlsFixture, DBLookupComboBoxReportsAWrongListField)
{
    DBLookupComboBox combo;
    combo.setDataSource(&source, QStringLiteral("cod"));
    combo.setListSource(&listSource, QStringLiteral("cod"), QStringLiteral("descripcion"));
    ASSERT_EQ(combo.bindingErrors().size(), 1);
    EXPECT_TRUE(combo.bindingErrors().first().contains(QStringLiteral("descripcion")));
    EXPECT_FALSE(combo.isEnabled());
}

TEST_F(ControlsFixture, DBCheckBoxWritesAtOnceAndHonoursReadOnly)
{
    DBCheckBox box;
    box.setDataSource(&source, QStringLiteral("ok"));
    EXPECT_TRUE(box.isChecked());
    box.click();
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(table.State(), DatasetState::Edit);
    EXPECT_FALSE(table.FieldByName(QStringLiteral("ok"))->AsBoolean());
    table.Cancel();
    box.setControlReadOnly(true);
    box.click();
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(table.State(), DatasetState::Browse);
}

TEST_F(ControlsFixture, DBMemoWritesOnExitAndKeepsEmptyApartFromNull)
{
    DBMemo memo;
    memo.setDataSource(&source, QStringLiteral("obs"));
    EXPECT_EQ(memo.toPlainText(), QString());
    memo.insertPlainText(QStringLiteral("línea"));
    EXPECT_EQ(table.State(), DatasetState::Edit);
    EXPECT_TRUE(memo.commit());
    ASSERT_TRUE(table.Post());
    EXPECT_EQ(stored(QStringLiteral("obs"), 1), QVariant(QStringLiteral("línea")));
    table.Next();
    EXPECT_TRUE(memo.commit());
    EXPECT_TRUE(stored(QStringLiteral("obs"), 2).isNull());
}
