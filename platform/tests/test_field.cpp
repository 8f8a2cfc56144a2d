#include "dataseterror.h"
#include "table.h"
#include "testdb.h"

#include <gtest/gtest.h>

namespace {

// One row of every column type, in edit state, for conversion tests.
class FieldTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.create(QStringLiteral("CREATE TABLE t (i INTEGER, s SMALLINT, f DOUBLE, v VARCHAR(5), m TEXT, b BOOLEAN, d DATETIME);"
                                 "INSERT INTO t (i) VALUES (1);"));
        t.setConnection(&db.conn);
        t.setTableName(QStringLiteral("t"));
        ASSERT_TRUE(t.Open());
        ASSERT_TRUE(t.Edit());
    }
    Field *f(const char *name) { return t.FieldByName(QString::fromLatin1(name)); }

    TestDb db;
    Table t;
};

} // namespace

struct TextCase
{
    const char *field;
    const char *input;
    bool accepted;
    const char *asString;    // after the set (the old value stays when refused)
    const char *displayText;
};

class FieldText : public FieldTest, public ::testing::WithParamInterface<TextCase>
{
};

TEST_P(FieldText, SetAsStringThenRead)
{
    const TextCase &c = GetParam();
    Field *field = f(c.field);
    EXPECT_EQ(field->setAsString(QString::fromUtf8(c.input)), c.accepted);
    EXPECT_EQ(field->AsString().toStdString(), c.asString);
    EXPECT_EQ(field->DisplayText().toStdString(), c.displayText);
    // What is shown survives a post and a reread from the file.
    ASSERT_TRUE(t.Post());
    ASSERT_TRUE(t.Refresh());
    EXPECT_EQ(field->AsString().toStdString(), c.asString);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldText,
    ::testing::Values(TextCase{"f", "12,5", true, "12,5", "12,5"}, TextCase{"f", "12.5", true, "12,5", "12,5"},
                      TextCase{"f", "12", true, "12", "12"}, TextCase{"f", "0,001", true, "0,001", "0,001"},
                      TextCase{"f", "-1234567,25", true, "-1234567,25", "-1234567,25"}, TextCase{"f", "1.234,5", false, "", ""},
                      TextCase{"f", "", true, "", ""}, TextCase{"i", " 42 ", true, "42", "42"},
                      TextCase{"i", "4,5", false, "1", "1"}, TextCase{"i", "abc", false, "1", "1"},
                      TextCase{"s", "40000", false, "", ""}, TextCase{"s", "-300", true, "-300", "-300"},
                      TextCase{"v", "abcdefgh", true, "abcde", "abcde"}, TextCase{"v", "ñandú", true, "ñandú", "ñandú"},
                      TextCase{"m", "línea 1\nlínea 2", true, "línea 1\nlínea 2", "línea 1\nlínea 2"},
                      TextCase{"b", "True", true, "True", "Sí"}, TextCase{"b", "no", true, "False", "No"},
                      TextCase{"b", "quizás", false, "", ""}, TextCase{"d", "07-03-2024", true, "07-03-2024", "07-03-2024"},
                      TextCase{"d", "7/3/2024 08:15", true, "07-03-2024 08:15:00", "07-03-2024 08:15:00"},
                      TextCase{"d", "30-02-2024", false, "", ""}));

// A display pattern changes what is shown, never what is stored or edited.
TEST_F(FieldTest, DisplayFormatShowsNumbersGroupedAndKeepsTheValue)
{
    f("f")->setDisplayFormat(QStringLiteral("0,000,000"));
    f("i")->setDisplayFormat(QStringLiteral("000,000"));
    ASSERT_TRUE(f("f")->setAsString(QStringLiteral("6234567,4")));
    ASSERT_TRUE(f("i")->setAsInteger(345678));
    EXPECT_EQ(f("f")->DisplayText(), QStringLiteral("6.234.567"));
    EXPECT_EQ(f("i")->DisplayText(), QStringLiteral("345.678"));
    EXPECT_EQ(f("f")->AsString(), QStringLiteral("6234567,4"));
    EXPECT_EQ(f("i")->AsString(), QStringLiteral("345678"));
    f("s")->setDisplayFormat(QStringLiteral("000,000"));
    EXPECT_EQ(f("s")->DisplayText(), QString()); // NULL stays blank
    ASSERT_TRUE(t.Post());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f || '|' || i FROM t")).toString(), QStringLiteral("6234567.4|345678"));
}

// Printed table columns are as wide as their fields' display width.
TEST_F(FieldTest, DisplayWidthFollowsTheSize)
{
    const std::pair<const char *, int> casos[] = {{"v", 5}, {"b", 5}, {"i", 10}, {"f", 10}, {"d", 10}, {"m", 10}};
    for (const auto &[nombre, ancho] : casos)
        EXPECT_EQ(f(nombre)->DisplayWidth(), ancho) << nombre;
    f("i")->setDisplayWidth(3);
    EXPECT_EQ(f("i")->DisplayWidth(), 3);
}

TEST_F(FieldTest, NullAndEmptyTextStayApart)
{
    EXPECT_TRUE(f("v")->IsNull());
    f("v")->setAsString(QString());
    EXPECT_FALSE(f("v")->IsNull());
    f("v")->Clear();
    EXPECT_TRUE(f("v")->IsNull());
    f("f")->setAsString(QString());
    EXPECT_TRUE(f("f")->IsNull());
    EXPECT_EQ(f("f")->AsFloat(), 0);
    EXPECT_EQ(f("i")->AsInteger(), 1);
    EXPECT_FALSE(f("d")->AsDateTime().isValid());
}

TEST_F(FieldTest, TypedGettersAndSetters)
{
    f("f")->setAsFloat(2.5);
    EXPECT_EQ(f("f")->Value().typeId(), QMetaType::Double);
    EXPECT_EQ(f("f")->AsInteger(), 2);
    f("i")->setAsInteger(7);
    EXPECT_EQ(f("i")->AsFloat(), 7.0);
    EXPECT_EQ(f("i")->Value().typeId(), QMetaType::LongLong);
    EXPECT_FALSE(f("i")->setAsFloat(7.5));
    EXPECT_TRUE(f("i")->setAsFloat(8.0));
    f("b")->setAsBoolean(true);
    EXPECT_EQ(f("b")->Value(), QVariant(true));
    f("d")->setAsDateTime(QDateTime(QDate(2020, 1, 31), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(f("d")->AsDateTime().date(), QDate(2020, 1, 31));
    f("v")->setAsFloat(1.5);
    EXPECT_EQ(f("v")->AsString(), QStringLiteral("1,5"));
    ASSERT_TRUE(t.Post());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT d || '|' || b || '|' || i FROM t")).toString(), QStringLiteral("2020-01-31 00:00:00|1|8"));
}
