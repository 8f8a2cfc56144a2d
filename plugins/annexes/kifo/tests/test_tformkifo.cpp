// The KIFO window beside its request form: its pages and navigator, the checks of its rows,
// an accreditation refused without resolutions, and the accredited length following the
// curtains.
#include "kifofixture.h"

#include "datasource.h"
#include "dbnavigator.h"
#include "field.h"
#include "tformdescrito.h"

#include <QDate>
#include <QTabWidget>
#include <QToolButton>

using Kifo = KifoFixture;

TEST_F(Kifo, OpensBesideItsRequestWithItsThreeSections)
{
    ASSERT_TRUE(form && ferun);
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Formulario KIFO")));
    EXPECT_EQ(form->Paginas->count(), 4);
    EXPECT_EQ(static_cast<TFormDescrito *>(form.data())->CodigoPadre(), QStringLiteral("ferun"));
    EXPECT_EQ(filas(QStringLiteral("SELECT cod_pre FROM kifo")), QStringList{QStringLiteral("-1")});
    auto *nav = form->findChild<DBNavigator *>(QStringLiteral("nav_kifo_car_cort"));
    ASSERT_NE(nav, nullptr);
    for (int b = 0; b < DBNavigator::ButtonCount; ++b)
        EXPECT_EQ(nav->button(DBNavigator::Button(b))->isHidden(), b != DBNavigator::Prior && b != DBNavigator::Next) << b;
}

TEST_F(Kifo, ChecksEachRowItsWay)
{
    const QString proximo = QString::number(QDate::currentDate().year() + 1);
    const QString actual = QString::number(QDate::currentDate().year());
    struct Caso
    {
        const char *nombre;
        const char *sufijo;
        ValoresFila valores;
        bool aceptada;
    };
    const QList<Caso> casos = {
        {"a resolution", "ant_resol", {{"num_res", "R-1"}, {"fec", "05-03-2023"}}, true},
        {"a resolution without date", "ant_resol", {{"num_res", "R-1"}}, false},
        {"a resolution without number", "ant_resol", {{"fec", "05-03-2023"}}, false},
        {"a curtain planted this year", "car_cort",
         {{"num_sect", "A"}, {"num_cort", "1"}, {"long", "0,5"}, {"num_hil", "0"}, {"dist_hil", "0"}, {"ano", actual}}, true},
        {"a curtain planted next year", "car_cort",
         {{"num_sect", "A"}, {"num_cort", "1"}, {"long", "0,5"}, {"num_hil", "1"}, {"dist_hil", "3"}, {"ano", proximo}}, false},
        {"a curtain without length", "car_cort",
         {{"num_sect", "A"}, {"num_cort", "1"}, {"long", "0"}, {"num_hil", "1"}, {"dist_hil", "3"}, {"ano", actual}}, false},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        EXPECT_EQ(agregar(QLatin1String(c.sufijo), c.valores), c.aceptada) << mensajesTexto();
        EXPECT_EQ(dialogos.boxes.isEmpty(), c.aceptada) << mensajesTexto();
    }

    // The main row wants its treasury.
    abrirDocumento();
    EXPECT_FALSE(modificar(QString(), "cod_pre", QStringLiteral("-1"), {{"tes", QString()}}));
    EXPECT_TRUE(QString::fromStdString(mensajesTexto()).contains(QStringLiteral("Tesorería"))) << mensajesTexto();
    dialogos.boxes.clear();
    EXPECT_TRUE(modificar(QString(), "cod_pre", QStringLiteral("-1"), {{"tes", QStringLiteral("12")}})) << mensajesTexto();
}

TEST_F(Kifo, WithoutResolutionsTheAccreditationIsRefused)
{
    bool valido = true;
    EXPECT_FALSE(catchAbort([&] { valido = form->ValidarFormulario(); }) && valido);
    EXPECT_TRUE(QString::fromStdString(mensajesTexto()).contains(QStringLiteral("Antecedentes de la resolución"))) << mensajesTexto();
    EXPECT_EQ(form->PrepararXML(), QByteArrayLiteral("XML MALO"));

    ASSERT_TRUE(resolucion(QStringLiteral("R-204"))) << mensajesTexto();
    dialogos.boxes.clear();
    EXPECT_TRUE(catchAbort([&] { valido = form->ValidarFormulario(); }) && valido) << mensajesTexto();
}

TEST_F(Kifo, TheAccreditedLengthIsTheCurtainsTotal)
{
    const Field *supAfe = tabla(QString())->FieldByName(QStringLiteral("sup_afe"));
    ASSERT_TRUE(cortina(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("0,8"))) << mensajesTexto();
    ASSERT_TRUE(cortina(QStringLiteral("A"), QStringLiteral("2"), QStringLiteral("0,45"))) << mensajesTexto();
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("1,25"));
    ASSERT_TRUE(borrar(QStringLiteral("car_cort"), "num_cort", QStringLiteral("1"))) << mensajesTexto();
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("0,45"));
}

TEST_F(Kifo, EveryPageOfAFilledAccreditationRenders)
{
    ASSERT_TRUE(resolucion(QStringLiteral("R-204"))) << mensajesTexto();
    ASSERT_TRUE(cortina(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("0,8"))) << mensajesTexto();
    FotografiarPaginas(form, area, QStringLiteral("kifo_paginas"));
}
