#include "mainwindowsettings.h"
#include "testprogramdir.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace {

QSettings store()
{
    return QSettings(QStringLiteral("Varno"), QStringLiteral("Brenvik"));
}

TEST(MainWindowSettingsTest, RoundTripOfTheFiveValues)
{
    ScopedSettings scope;
    MainWindowSettings written;
    written.top = -8;
    written.left = 1930;
    written.maximized = true;
    written.treeWidth = 22;
    written.consultorId = 15;
    ASSERT_TRUE(written.write());

    const MainWindowSettings read = MainWindowSettings::read();
    EXPECT_EQ(read.top, -8);
    EXPECT_EQ(read.left, 1930);
    EXPECT_TRUE(read.maximized);
    EXPECT_EQ(read.treeWidth, 22);
    EXPECT_EQ(read.consultorId, 15);
    EXPECT_EQ(store().value(QStringLiteral("Estado_Ventana")).toInt(), 1);
}

TEST(MainWindowSettingsTest, FreshInstallationHasNoValues)
{
    ScopedSettings scope;
    const MainWindowSettings read = MainWindowSettings::read();
    EXPECT_FALSE(read.top);
    EXPECT_FALSE(read.left);
    EXPECT_FALSE(read.maximized);
    EXPECT_FALSE(read.treeWidth);
    EXPECT_EQ(read.consultorId, 0);
}

struct StateCase
{
    const char *stored;
    bool maximized;
};

class EstadoVentana : public ::testing::TestWithParam<StateCase>
{
};

TEST_P(EstadoVentana, OnlyOneMeansMaximized)
{
    ScopedSettings scope;
    store().setValue(QStringLiteral("Estado_Ventana"), QString::fromUtf8(GetParam().stored));
    EXPECT_EQ(MainWindowSettings::read().maximized, GetParam().maximized);
}

INSTANTIATE_TEST_SUITE_P(Cases, EstadoVentana,
                         ::testing::Values(StateCase{"1", true}, StateCase{"0", false}, StateCase{"2", false},
                                           StateCase{"-1", false}, StateCase{"uno", false}));

// Guards against a damaged value being read as 0 and moving the window to the corner.
TEST(MainWindowSettingsTest, ValuesThatAreNotIntegersCountAsAbsent)
{
    ScopedSettings scope;
    store().setValue(QStringLiteral("Ventana_Arr"), QStringLiteral("arriba"));
    store().setValue(QStringLiteral("Separador_Izq"), QStringLiteral(""));
    store().setValue(QStringLiteral("Consultor_Id"), QStringLiteral("7x"));
    const MainWindowSettings read = MainWindowSettings::read();
    EXPECT_FALSE(read.top);
    EXPECT_FALSE(read.treeWidth);
    EXPECT_EQ(read.consultorId, 0);
}

} // namespace
