// The new-document dialog: one item per combination, with its icon and its form_id.
#include "testprogramdir.h"
#include "tformppalnuevo.h"

#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class NuevoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(program.path()).mkpath(QStringLiteral("bbdd"));
        QDir(program.path()).mkpath(QStringLiteral("img"));
        // Ids with gaps: the list must not count on positions.
        execSql(program.database(),
                "CREATE TABLE formularios (form_id INTEGER PRIMARY KEY, form_principal TEXT, form_solicitud TEXT,"
                " form_opcional1 TEXT, form_extension TEXT, form_descripcion TEXT, form_titulo TEXT, form_sigla TEXT);"
                "INSERT INTO formularios VALUES (12, 'KELU', 'DORVO', '', 'kel', 'Plan de Manejo', '', 'KELU');"
                "INSERT INTO formularios VALUES (3, 'DALU', 'DORVO', '', 'zvq', 'Aviso', '', 'ZVQ');"
                "INSERT INTO formularios VALUES (31, 'LUMO', 'DORVO', '', 'bqm', 'Bosques Quemados', '', 'BQ');");
        // An icon: lime green around a dark square.
        QImage icono(48, 48, QImage::Format_RGB32);
        icono.fill(QColor(0, 255, 0));
        for (int y = 10; y < 38; ++y)
            for (int x = 10; x < 38; ++x)
                icono.setPixelColor(x, y, QColor(0, 0, 128));
        ASSERT_TRUE(icono.save(program.path() + QStringLiteral("/img/formkel.bmp")));
    }

    TestProgramDir program;
};

TEST_F(NuevoTest, ListsTheCombinationsWithTheirIconsAndIds)
{
    TformPpalNuevo dialogo(program.path() + QLatin1Char('/'));
    EXPECT_EQ(dialogo.windowTitle(), QStringLiteral("Nuevo Formulario"));
    QListWidget *lista = dialogo.ListView1;
    ASSERT_EQ(lista->count(), 3);
    EXPECT_EQ(lista->item(0)->text(),
              QStringLiteral("Aviso de Ejecución para P.M: Bosque Nativo ingresados antes de 26/03/2010"));
    EXPECT_EQ(lista->item(1)->text(), QStringLiteral("Plan de Manejo"));
    EXPECT_EQ(lista->item(2)->text(), QStringLiteral("Bosques Quemados"));

    // The icon's lime green is transparent; a missing icon leaves the item without one.
    EXPECT_TRUE(lista->item(0)->icon().isNull());
    ASSERT_FALSE(lista->item(1)->icon().isNull());
    const QImage imagen = lista->item(1)->icon().pixmap(48, 48).toImage();
    EXPECT_EQ(qAlpha(imagen.pixel(2, 2)), 0);
    EXPECT_EQ(qAlpha(imagen.pixel(24, 24)), 255);

    // Nothing chosen, nothing to accept; the choice gives its form_id.
    EXPECT_FALSE(dialogo.btnAceptar->isEnabled());
    EXPECT_EQ(dialogo.FormIdElegido(), 0);
    lista->setCurrentItem(lista->item(2));
    EXPECT_TRUE(dialogo.btnAceptar->isEnabled());
    EXPECT_EQ(dialogo.FormIdElegido(), 31);
    lista->setCurrentItem(lista->item(0));
    EXPECT_EQ(dialogo.FormIdElegido(), 3);
}

TEST_F(NuevoTest, ADoubleClickAcceptsTheItem)
{
    TformPpalNuevo dialogo(program.path() + QLatin1Char('/'));
    dialogo.show();
    QListWidget *lista = dialogo.ListView1;
    lista->doItemsLayout();
    const QRect celda = lista->visualItemRect(lista->item(1));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, celda.center());
    EXPECT_TRUE(dialogo.btnAceptar->isEnabled());
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, celda.center());
    EXPECT_EQ(dialogo.result(), QDialog::Accepted);
    EXPECT_EQ(dialogo.FormIdElegido(), 12);
}

} // namespace
