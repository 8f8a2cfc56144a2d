// The JOREV window beside its request form: its pages and outline, the checks of its rows,
// the areas as the key of the fragility and water rows, and the affected surface.
#include "jorevfixture.h"

#include "field.h"
#include "gridcolumn.h"
#include "tformdescrito.h"

#include <QTabWidget>

using Jorev = JorevFixture;

TEST_F(Jorev, OpensBesideItsRequestWithTheConditionPickList)
{
    ASSERT_TRUE(form && dorvo);
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Formulario JOREV")));
    EXPECT_EQ(form->Paginas->count(), 4);
    EXPECT_EQ(static_cast<TFormDescrito *>(form.data())->CodigoPadre(), QStringLiteral("dorvo"));
    EXPECT_EQ(filas(QStringLiteral("SELECT cod_pre FROM jorev")), QStringList{QStringLiteral("-1")});
    GridColumn *cond = grilla(QStringLiteral("car"))->ColumnByFieldName(QStringLiteral("cond"));
    ASSERT_NE(cond, nullptr);
    const QStringList textos{QStringLiteral("a) Suelos frágiles con pendiente superior a 45%"),
                             QStringLiteral("b) Cercano a recursos hídricos"),
                             QStringLiteral("c) Suelos frágiles con pendiente superior a 45% y Cercano a recursos hídricos")};
    EXPECT_EQ(cond->PickList(), textos);
    EXPECT_EQ(cond->KeyList(), textos);
}

TEST_F(Jorev, RowsAreCheckedBeforeTheyAreKept)
{
    struct Caso
    {
        const char *nombre;
        QString sufijo;
        ValoresFila valores;
        QString mensaje; // part of the expected message
    };
    const ValoresFila areaBuena{{"num_area", "2"}, {"cap_sii", "6"}, {"cap_et", "7"}, {"cond", "b) Cercano a recursos hídricos"},
                                {"sup", "4"}, {"tip_bos", "1"}};
    auto con = [](ValoresFila v, const char *campo, const QString &valor) {
        for (auto &p : v)
            if (qstrcmp(p.first, campo) == 0)
                p.second = valor;
        return v;
    };
    const ValoresFila fragBuena{{"num_area", "1"}, {"pend", "50"}, {"text", "Franca"}, {"estr", "Granular"}, {"prof", "30"},
                                {"pedr", "0"}, {"rocos", "0"}, {"ries_des", "1"}, {"ries_eros", "1"}};
    const QList<Caso> casos = {
        {"repeated area", "car", con(areaBuena, "num_area", "1"), "valor utilizado anteriormente"},
        {"area without condition", "car", con(areaBuena, "cond", QString()), "Condición de protección"},
        {"area of zero surface", "car", con(areaBuena, "sup", "0"), "Superficie con Bosque"},
        {"fragility without texture", "ant_frag_suelo", con(fragBuena, "text", QString()), "Textura"},
        {"fragility of zero depth", "ant_frag_suelo", con(fragBuena, "prof", "0"), "Profundidad"},
        {"fragility of negative stoniness", "ant_frag_suelo", con(fragBuena, "pedr", "-1"), "Pedregosidad"},
        // An area that has no surface cannot give a water row its surface.
        {"water on an area without surface", "ant_rec_hid",
         {{"num_area", "9"}, {"curso", "1"}, {"nom_curso", "Río"}, {"temp", "1"}, {"ancho_max", "1"}, {"ancho_faja", "5"}},
         "Superficie a declarar"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        ASSERT_TRUE(agregarArea(QStringLiteral("1"), QStringLiteral("3"))) << mensajesTexto();
        dialogos.boxes.clear();
        EXPECT_FALSE(agregar(c.sufijo, c.valores));
        EXPECT_TRUE(QString::fromStdString(mensajesTexto()).contains(c.mensaje)) << mensajesTexto();
    }
    abrirDocumento();
    ASSERT_TRUE(agregarArea(QStringLiteral("1"), QStringLiteral("3"))) << mensajesTexto();
    EXPECT_TRUE(agregar(QStringLiteral("ant_frag_suelo"), fragBuena)) << mensajesTexto();
    EXPECT_TRUE(agua(QStringLiteral("1"))) << mensajesTexto();
}

TEST_F(Jorev, AFragilityRowKeepsItsAreaAndWaterRowsGoWithIt)
{
    ASSERT_TRUE(agregarArea(QStringLiteral("1"), QStringLiteral("3")));
    ASSERT_TRUE(agregarArea(QStringLiteral("2"), QStringLiteral("4")));
    ASSERT_TRUE(fragilidad(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(agua(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(agua(QStringLiteral("2"))) << mensajesTexto();
    ASSERT_TRUE(agua(QStringLiteral("2"), QStringLiteral("Quebrada Honda"))) << mensajesTexto();

    EXPECT_FALSE(borrar(QStringLiteral("car"), "num_area", QStringLiteral("1")));
    EXPECT_TRUE(QString::fromStdString(mensajesTexto()).contains(QStringLiteral("posee registros asociados"))) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num_area FROM jorev_car ORDER BY Id")),
              (QStringList{QStringLiteral("1"), QStringLiteral("2")}));

    EXPECT_TRUE(borrar(QStringLiteral("car"), "num_area", QStringLiteral("2"))) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num_area FROM jorev_car")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num_area FROM jorev_ant_rec_hid")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(tabla(QStringLiteral("ant_rec_hid"))->RecordCount(), 1);
}

TEST_F(Jorev, ARenameReachesTheFragilityAndTheWaterRows)
{
    ASSERT_TRUE(agregarArea(QStringLiteral("1"), QStringLiteral("3")));
    ASSERT_TRUE(fragilidad(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(agua(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(modificar(QStringLiteral("car"), "num_area", QStringLiteral("1"), {{"num_area", "A-1"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num_area FROM jorev_ant_frag_suelo")), QStringList{QStringLiteral("A-1")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num_area FROM jorev_ant_rec_hid")), QStringList{QStringLiteral("A-1")});
    EXPECT_EQ(tabla(QStringLiteral("ant_rec_hid"))->FieldByName(QStringLiteral("sup_look"))->AsString(), QStringLiteral("3"));
}

TEST_F(Jorev, TheAffectedSurfaceIsTheAreasTotalButNotWhileSaving)
{
    Field *supAfe = tabla(QString())->FieldByName(QStringLiteral("sup_afe"));
    ASSERT_TRUE(agregarArea(QStringLiteral("1"), QStringLiteral("12,5")));
    ASSERT_TRUE(agregarArea(QStringLiteral("2"), QStringLiteral("7,25")));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("19,75"));
    ASSERT_TRUE(borrar(QStringLiteral("car"), "num_area", QStringLiteral("1")));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("7,25"));

    form->Guardando = true;
    ASSERT_TRUE(agregarArea(QStringLiteral("3"), QStringLiteral("1")));
    form->Guardando = false;
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("7,25"));
}

// Pictures of every page of a filled study (build/.../jorev_paginas/NN.png).
TEST_F(Jorev, EveryPageOfAFilledStudyRenders)
{
    ASSERT_TRUE(agregarArea(QStringLiteral("1"), QStringLiteral("12,5")));
    ASSERT_TRUE(agregarArea(QStringLiteral("2"), QStringLiteral("7,25")));
    ASSERT_TRUE(fragilidad(QStringLiteral("1"))) << mensajesTexto();
    ASSERT_TRUE(agua(QStringLiteral("2"))) << mensajesTexto();
    FotografiarPaginas(form, area, QStringLiteral("jorev_paginas"));
}
