#include "tformppalacercade.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(TformPpalAcercadeTest, ShowsTheProgramVersionWhenShown)
{
    TformPpalAcercade acercaDe;
    EXPECT_EQ(acercaDe.windowTitle(), QStringLiteral(" Acerca de ..."));
    EXPECT_TRUE(acercaDe.windowFlags() & Qt::Tool);
    EXPECT_TRUE(acercaDe.lblVersion->text().isEmpty());
    acercaDe.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(acercaDe.lblVersion->text(), QStringLiteral("2.5.0"));
    if (const QString capturas = qEnvironmentVariable("BRENVIK_CAPTURAS"); !capturas.isEmpty())
        acercaDe.grab().save(capturas + QStringLiteral("/acercade.png"));
    QPushButton *cerrar = acercaDe.findChild<QPushButton *>(QStringLiteral("btnCerrar"));
    ASSERT_NE(cerrar, nullptr);
    EXPECT_EQ(cerrar->text(), QStringLiteral("&Cerrar"));
    cerrar->click();
    EXPECT_FALSE(acercaDe.isVisible());
}
