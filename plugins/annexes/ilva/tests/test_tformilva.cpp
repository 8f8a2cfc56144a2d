// The ILVA window beside its request form: the sectors as the key of the curtains, the
// protected surface following the curtains, and every page drawn.
#include "ilvafixture.h"

#include "field.h"
#include "tformdescrito.h"

#include <QTabWidget>

using Ilva = IlvaFixture;

TEST_F(Ilva, OpensBesideItsRequestWithItsFourSections)
{
    ASSERT_TRUE(form && dorvo);
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Formulario ILVA")));
    EXPECT_EQ(form->Paginas->count(), 5);
    EXPECT_EQ(static_cast<TFormDescrito *>(form.data())->CodigoPadre(), QStringLiteral("dorvo"));
    EXPECT_EQ(filas(QStringLiteral("SELECT cod_pre FROM ilva")), QStringList{QStringLiteral("-1")});
}

TEST_F(Ilva, ASectorWithCurtainsStaysAndARenameReachesThem)
{
    ASSERT_TRUE(sector(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(sector(QStringLiteral("2"))) << mensajesTexto();
    ASSERT_TRUE(cortina(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("10"))) << mensajesTexto();
    dialogos.boxes.clear();

    EXPECT_FALSE(borrar(QStringLiteral("uso"), "num_sect", QStringLiteral("1")));
    EXPECT_TRUE(QString::fromStdString(mensajesTexto()).contains(QStringLiteral("posee registros asociados"))) << mensajesTexto();
    EXPECT_TRUE(borrar(QStringLiteral("uso"), "num_sect", QStringLiteral("2"))) << mensajesTexto();

    ASSERT_TRUE(modificar(QStringLiteral("uso"), "num_sect", QStringLiteral("1"), {{"num_sect", "S-1"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num_sect FROM ilva_car")), QStringList{QStringLiteral("S-1")});
}

TEST_F(Ilva, TheProtectedSurfaceIsTheCurtainsTotal)
{
    const Field *supAfe = tabla(QString())->FieldByName(QStringLiteral("sup_afe"));
    ASSERT_TRUE(cortina(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("10,5"))) << mensajesTexto();
    ASSERT_TRUE(cortina(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"))) << mensajesTexto();
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("14,5"));
    ASSERT_TRUE(modificar(QStringLiteral("car"), "num_cort", QStringLiteral("2"), {{"sup", "6"}})) << mensajesTexto();
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("16,5"));
    ASSERT_TRUE(borrar(QStringLiteral("car"), "num_cort", QStringLiteral("1"))) << mensajesTexto();
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("6"));
}

TEST_F(Ilva, EveryPageOfAFilledStudyRenders)
{
    ASSERT_TRUE(sector(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(cortina(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("3"))) << mensajesTexto();
    FotografiarPaginas(form, area, QStringLiteral("ilva_paginas"));
}
