// The ESKA window beside its request form: the checks of its rows (the resolution's pairs
// among them), the sectors as the key of the other tables, and the released surface,
// computed whenever the main row is read.
#include "eskafixture.h"

#include "field.h"
#include "tformdescrito.h"

#include <QTabWidget>

using Eska = EskaFixture;

TEST_F(Eska, OpensBesideItsRequestWithItsFourPages)
{
    ASSERT_TRUE(form && dorvo);
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Formulario ESKA")));
    EXPECT_EQ(form->Paginas->count(), 5);
    EXPECT_EQ(static_cast<TFormDescrito *>(form.data())->CodigoPadre(), QStringLiteral("dorvo"));
    EXPECT_EQ(filas(QStringLiteral("SELECT cod_pre FROM eska")), QStringList{QStringLiteral("-1")});
}

TEST_F(Eska, AResolutionGivesNumberAndDateTogether)
{
    struct Caso
    {
        const char *nombre;
        ValoresFila valores;
        bool aceptada;
    };
    const QList<Caso> casos = {
        {"nothing but the sector", {{"num_sect", "1"}}, true},
        {"a classification with its date", {{"num_sect", "1"}, {"ctapf_no", "C-12"}, {"ctapf_fec", "03-04-2015"}}, true},
        {"a classification without date", {{"num_sect", "1"}, {"ctapf_no", "C-12"}}, false},
        {"a plan date without number", {{"num_sect", "1"}, {"pm_fec", "03-04-2015"}}, false},
        {"both pairs", {{"num_sect", "1"}, {"ctapf_no", "C-12"}, {"ctapf_fec", "03-04-2015"}, {"pm_no", "P-9"}, {"pm_fec", "05-06-2016"}}, true},
        // Regression: a number typed and erased again (an empty text) counted as given.
        {"a number typed and erased", {{"num_sect", "1"}, {"pm_no", "P-9"}, {"pm_no", ""}}, true},
        {"a number erased beside its date", {{"num_sect", "1"}, {"pm_no", "P-9"}, {"pm_no", ""}, {"pm_fec", "05-06-2016"}}, false},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        ASSERT_TRUE(sector(QStringLiteral("1"), QStringLiteral("5"))) << mensajesTexto();
        dialogos.boxes.clear();
        EXPECT_EQ(agregar(QStringLiteral("ant_res"), c.valores), c.aceptada) << mensajesTexto();
        EXPECT_EQ(dialogos.boxes.isEmpty(), c.aceptada) << mensajesTexto();
    }
}

TEST_F(Eska, AResolutionOrBonusKeepsItsSectorAndJustificationsGoWithIt)
{
    ASSERT_TRUE(sector(QStringLiteral("1"), QStringLiteral("5")));
    ASSERT_TRUE(sector(QStringLiteral("2"), QStringLiteral("3")));
    ASSERT_TRUE(bono(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(justificacion(QStringLiteral("1"), QStringLiteral("Uso agrícola"))) << mensajesTexto();
    ASSERT_TRUE(justificacion(QStringLiteral("2"), QStringLiteral("Construcción de bodega"))) << mensajesTexto();

    EXPECT_FALSE(borrar(QStringLiteral("ant_des"), "num_sect", QStringLiteral("1")));
    EXPECT_TRUE(QString::fromStdString(mensajesTexto()).contains(QStringLiteral("posee registros asociados"))) << mensajesTexto();
    EXPECT_TRUE(borrar(QStringLiteral("ant_des"), "num_sect", QStringLiteral("2"))) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num_sect FROM eska_jus")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(tabla(QStringLiteral("jus"))->RecordCount(), 1);

    ASSERT_TRUE(agregar(QStringLiteral("ant_res"), {{"num_sect", "1"}})) << mensajesTexto();
    ASSERT_TRUE(modificar(QStringLiteral("ant_des"), "num_sect", QStringLiteral("1"), {{"num_sect", "S1"}})) << mensajesTexto();
    for (const char *t : {"eska_ant_res", "eska_ant_bon", "eska_jus"})
        EXPECT_EQ(filas(QStringLiteral("SELECT num_sect FROM %1").arg(QLatin1String(t))), QStringList{QStringLiteral("S1")}) << t;
}

TEST_F(Eska, TheReleasedSurfaceIsComputedWheneverTheMainRowIsRead)
{
    Field *supAfe = tabla(QString())->FieldByName(QStringLiteral("sup_afe"));
    ASSERT_TRUE(sector(QStringLiteral("1"), QStringLiteral("5,5")));
    ASSERT_TRUE(sector(QStringLiteral("2"), QStringLiteral("3")));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("8,5"));
    // Read again, as on reopening a saved document: nothing stored, the sum is back.
    Dataset *ppal = tabla(QString());
    if (ppal->State() != DatasetState::Browse)
        ppal->Post();
    ppal->Close();
    ppal->Open();
    EXPECT_EQ(ppal->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("8,5"));
    ASSERT_TRUE(borrar(QStringLiteral("ant_des"), "num_sect", QStringLiteral("1")));
    EXPECT_EQ(ppal->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("3"));
}

TEST_F(Eska, EveryPageOfAFilledRequestRenders)
{
    ASSERT_TRUE(sector(QStringLiteral("1"), QStringLiteral("5")));
    ASSERT_TRUE(bono(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(justificacion(QStringLiteral("1"), QStringLiteral("Uso agrícola"))) << mensajesTexto();
    FotografiarPaginas(form, area, QStringLiteral("eska_paginas"));
}
