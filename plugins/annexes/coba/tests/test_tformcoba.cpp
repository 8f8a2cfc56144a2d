// The norm's rules over a document with its request form: each refuses bad data with its
// message and takes good data; a stand's number reaches the activities that name it.
#include "cobafixture.h"

#include "dbgrid.h"
#include "formcomponents.h"
#include "field.h"
#include "gridcolumn.h"
#include "gridfooter.h"

#include <QDir>

using Coba = CobaFixture;

namespace {

const QString kSuperficies = QStringLiteral("La suma de las superficies ingresadas por rodales \nsupera a la superficie "
                                            "declarada en la sección de \n\"Antecedentes Generales\".");
const QString kReforestacion =
    QStringLiteral("El año de reforestación debe ser igual\nal mismo año, o al siguiente año de la corta");

} // namespace

TEST_F(Coba, EachRuleRefusesWhatItMustAndTakesTheRest)
{
    struct Caso
    {
        const char *nombre;
        std::function<bool(Coba &)> preparar; // the rows before the one tried; true when all went in
        std::function<bool(Coba &)> probar;
        bool aceptado;
        QString mensaje; // part of the message shown when refused; empty: any
    };
    const QList<Caso> casos = {
        {"surfaces equal to the request's", [](Coba &t) { return t.rodal("1", "12,5"); },
         [](Coba &t) { return t.rodal("2", "7,5"); }, true, {}},
        {"surfaces over the request's", [](Coba &t) { return t.rodal("1", "12,5"); },
         [](Coba &t) { return t.rodal("2", "7,6"); }, false, kSuperficies},
        {"a stand edited to its own surface again", [](Coba &t) { return t.rodal("1", "20"); },
         [](Coba &t) { return ModificarFila(t.tabla("car"), "num", "1", {{"sup", "20"}}); }, true, {}},
        {"slope 100", nullptr, [](Coba &t) { return t.rodal("1", "5", "100"); }, true, {}},
        {"slope 100,1", nullptr, [](Coba &t) { return t.rodal("1", "5", "100,1"); }, false, {}},
        {"intensity 25", [](Coba &t) { return t.rodal("1", "5"); }, [](Coba &t) { return t.raleo("1", "25"); }, false, {}},
        {"intensity 25,5", [](Coba &t) { return t.rodal("1", "5"); }, [](Coba &t) { return t.raleo("1", "25,5"); }, true, {}},
        {"intensity 50", [](Coba &t) { return t.rodal("1", "5"); }, [](Coba &t) { return t.raleo("1", "50"); }, true, {}},
        {"intensity 50,5", [](Coba &t) { return t.rodal("1", "5"); }, [](Coba &t) { return t.raleo("1", "50,5"); }, false, {}},
        {"density after over before", [](Coba &t) { return t.rodal("1", "5"); },
         [](Coba &t) { return t.raleo("1", "35", "2027", "1300"); }, false,
         QStringLiteral("La densidad después del raleo no puede superar \na la densidad anterior al raleo")},
        {"thinning before the plantation", [](Coba &t) { return t.rodal("1", "5", "20", "2005"); },
         [](Coba &t) { return t.raleo("1", "35", "2004"); }, false,
         QStringLiteral("El año de raleo no puede ser inferior\nal año de plantación del mismo rodal (2005)")},
        {"thinning in the plantation year", [](Coba &t) { return t.rodal("1", "5", "20", "2005"); },
         [](Coba &t) { return t.raleo("1", "35", "2005"); }, true, {}},
        {"cut before the plantation", [](Coba &t) { return t.rodal("1", "5", "20", "2005"); },
         [](Coba &t) { return t.cosecha("1", "2004", "2004"); }, false,
         QStringLiteral("El año de corta no puede ser inferior\nal año de plantación del mismo rodal (2005)")},
        {"reforestation the year of the cut", [](Coba &t) { return t.rodal("1", "5", "20", "2000"); },
         [](Coba &t) { return t.cosecha("1", "2004", "2004"); }, true, {}},
        {"reforestation the next year", [](Coba &t) { return t.rodal("1", "5", "20", "2000"); },
         [](Coba &t) { return t.cosecha("1", "2004", "2005"); }, true, {}},
        {"reforestation a year before", [](Coba &t) { return t.rodal("1", "5", "20", "2000"); },
         [](Coba &t) { return t.cosecha("1", "2004", "2003"); }, false, kReforestacion},
        {"reforestation two years after", [](Coba &t) { return t.rodal("1", "5", "20", "2000"); },
         [](Coba &t) { return t.cosecha("1", "2004", "2006"); }, false, kReforestacion},
        {"a stand name with a quote", nullptr,
         [](Coba &t) { return t.rodal("1'A", "5", "20", "2005") && t.raleo("1'A", "35", "2004"); }, false,
         QStringLiteral("(2005)")},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        if (c.preparar)
            ASSERT_TRUE(c.preparar(*this)) << mensajesTexto();
        dialogos.boxes.clear();
        EXPECT_EQ(c.probar(*this), c.aceptado) << mensajesTexto();
        if (!c.aceptado && !c.mensaje.isEmpty())
            EXPECT_TRUE(dialogos.textos().join(QLatin1Char('\n')).contains(c.mensaje)) << mensajesTexto();
        if (c.aceptado)
            EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();
    }
}

TEST_F(Coba, TheMainRowWithoutStandsIsRefused)
{
    Dataset *ppal = tabla(QString());
    EXPECT_FALSE(ModificarFila(ppal, "id", ppal->FieldByName("id")->AsString(), {{"obs1", "Sin rodales"}}));
    EXPECT_TRUE(dialogos.textos().join(QLatin1Char('\n')).contains(QStringLiteral("Características de los Rodales")))
        << mensajesTexto();
    ppal->Cancel();
    ASSERT_TRUE(rodal("1", "5"));
    EXPECT_EQ(ppal->FieldByName("sup_afe")->AsString(), QStringLiteral("5"));
    EXPECT_TRUE(ModificarFila(ppal, "id", ppal->FieldByName("id")->AsString(), {{"obs1", "Con un rodal"}})) << mensajesTexto();
}

TEST_F(Coba, AStandRenameReachesItsActivitiesThinningsKeepItAndHarvestRowsGoWithIt)
{
    ASSERT_TRUE(rodal("1'A", "5", "20", "2000")) << mensajesTexto();
    ASSERT_TRUE(rodal("2", "3", "20", "2000")) << mensajesTexto();
    ASSERT_TRUE(raleo("1'A")) << mensajesTexto();
    ASSERT_TRUE(cosecha("1'A", "2027", "2027")) << mensajesTexto();
    ASSERT_TRUE(cosecha("2", "2027", "2028")) << mensajesTexto();

    ASSERT_TRUE(ModificarFila(tabla("car"), "num", "1'A", {{"num", "1'B"}, {"den", "1300"}})) << mensajesTexto();
    EXPECT_EQ(filas("SELECT num FROM coba_act_ral"), QStringList{"1'B"});
    EXPECT_EQ(filas("SELECT num FROM coba_act_cor_ref ORDER BY id"), (QStringList{"1'B", "2"}));
    // The grids show the renamed stand and its new density at once.
    EXPECT_EQ(tabla("act_ral")->FieldByName("num_look")->AsString(), QStringLiteral("1'B"));
    EXPECT_EQ(tabla("act_ral")->FieldByName("den_ant_look")->AsString(), QStringLiteral("1300"));

    // Its thinning keeps it; once the thinning is gone, its harvest row goes with it.
    dialogos.boxes.clear();
    EXPECT_FALSE(borrar("car", "num", "1'B"));
    EXPECT_FALSE(dialogos.textos().isEmpty());
    EXPECT_EQ(filas("SELECT count(*) FROM coba_car"), QStringList{"2"});
    ASSERT_TRUE(borrar("act_ral", "num", "1'B")) << mensajesTexto();
    ASSERT_TRUE(borrar("car", "num", "1'B")) << mensajesTexto();
    EXPECT_EQ(filas("SELECT num FROM coba_act_cor_ref"), QStringList{"2"});
    EXPECT_EQ(tabla("act_cor_ref")->RecordCount(), 1);
    EXPECT_EQ(tabla(QString())->FieldByName("sup_afe")->AsString(), QStringLiteral("3"));
}

// Regression: a rename reaching only the stand's harvest rows was not confirmed.
TEST_F(Coba, ARenameReachingActivityRowsIsConfirmedAndNoKeepsTheNumber)
{
    const QList<std::pair<const char *, std::function<bool(Coba &)>>> casos = {
        {"a thinning", [](Coba &t) { return t.raleo("1"); }},
        {"a harvest row only", [](Coba &t) { return t.cosecha("1", "2027", "2027"); }},
    };
    const QString kPorRodal = QStringLiteral(
        "SELECT 'car', num FROM coba_car UNION ALL SELECT 'ral', num FROM coba_act_ral UNION ALL "
        "SELECT 'cor', num FROM coba_act_cor_ref ORDER BY 1, 2");
    for (const auto &[nombre, actividad] : casos) {
        SCOPED_TRACE(nombre);
        abrirDocumento();
        ASSERT_TRUE(rodal("1", "5") && actividad(*this)) << mensajesTexto();
        const QStringList antes = filas(kPorRodal);
        dialogos.boxes.clear();
        dialogos.responder({ID::NO});
        EXPECT_FALSE(ModificarFila(tabla("car"), "num", "1", {{"num", "7"}}));
        dialogos.respuestas.clear();
        EXPECT_EQ(dialogos.textos(), QStringList{QStringLiteral("Esta Modificación cambiará todos los campos relacionados "
                                                                "¿Está seguro de modificar este registro?")});
        EXPECT_EQ(filas(kPorRodal), antes);
    }
}

// The stands' total and the thinnings' surface follow every post and delete; walking the
// stands changes neither and leaves the main record alone.
TEST_F(Coba, SurfaceSumsFollowPostsAndDeletesNotMoves)
{
    Dataset *ppal = tabla(QString());
    const auto sumas = [this, ppal] {
        DBGrid *g = findComponent<DBGrid>(form.data(), QStringLiteral("dbgCoba_act_ral"));
        const int c = g ? g->indexOf(g->ColumnByFieldName(QStringLiteral("sup_look"))) : -1;
        return ppal->FieldByName("sup_afe")->AsString() + QLatin1Char('|') + (g ? g->FooterText(c) : QString());
    };
    ASSERT_TRUE(rodal("1", "5")) << mensajesTexto();
    ASSERT_TRUE(rodal("2", "3")) << mensajesTexto();
    ASSERT_TRUE(raleo("2")) << mensajesTexto();
    EXPECT_EQ(sumas(), QStringLiteral("8|3"));
    ASSERT_TRUE(ModificarFila(tabla("car"), "num", "2", {{"sup", "4,5"}})) << mensajesTexto();
    EXPECT_EQ(sumas(), QStringLiteral("9,5|4,5"));
    ASSERT_TRUE(borrar("car", "num", "1")) << mensajesTexto();
    EXPECT_EQ(sumas(), QStringLiteral("4,5|4,5"));
    ASSERT_TRUE(borrar("act_ral", "num", "2")) << mensajesTexto();
    EXPECT_EQ(sumas(), QStringLiteral("4,5|0"));

    ASSERT_TRUE(rodal("3", "1")) << mensajesTexto();
    const DatasetState antes = ppal->State();
    const bool modificado = ppal->Modified();
    Dataset *rodales = tabla("car");
    for (rodales->First(); !rodales->Eof(); rodales->Next()) {
        EXPECT_EQ(ppal->State(), antes);
        EXPECT_EQ(ppal->Modified(), modificado);
    }
    EXPECT_EQ(sumas(), QStringLiteral("5,5|0"));
}

TEST_F(Coba, APendingActivityEditSurvivesAStandPost)
{
    ASSERT_TRUE(rodal("1", "5", "20", "2000"));
    ASSERT_TRUE(raleo("1"));
    Dataset *raleos = tabla("act_ral");
    raleos->Edit();
    raleos->FieldByName("dap")->setAsString(QStringLiteral("21"));
    ASSERT_TRUE(rodal("2", "4", "20", "2000")) << mensajesTexto();
    EXPECT_TRUE(raleos->State() == DatasetState::Edit);
    EXPECT_EQ(raleos->FieldByName("dap")->AsString(), QStringLiteral("21"));
    raleos->Post();
    EXPECT_EQ(filas("SELECT dap FROM coba_act_ral"), QStringList{"21"});
}

TEST_F(Coba, TheActivityFootersCountEachStandOnce)
{
    ASSERT_TRUE(rodal("1", "5", "20", "2000"));
    ASSERT_TRUE(rodal("2", "2,5", "20", "2000"));
    ASSERT_TRUE(raleo("1", "30", "2026"));
    ASSERT_TRUE(raleo("1", "30", "2028"));
    ASSERT_TRUE(cosecha("1", "2030", "2030"));
    ASSERT_TRUE(cosecha("2", "2030", "2031"));
    const auto pie = [this](const char *grilla, const char *campo) {
        DBGrid *g = form->findChild<DBGrid *>(QLatin1String(grilla));
        return g->ColumnByFieldName(QLatin1String(campo))->Footer(0).value;
    };
    EXPECT_EQ(pie("dbgCoba_act_ral", "sup_look"), QStringLiteral("5"));
    // The stands' total is captioned under the species, also after the document is read again.
    form->InicializarDatasetPpal(QStringLiteral("Norma de prueba"));
    EXPECT_EQ(pie("dbgCoba_car", "esp"), QStringLiteral("Total:"));
    EXPECT_EQ(pie("dbgCoba_car", "num"), QString());
    EXPECT_EQ(pie("dbgCoba_act_cor_ref", "sup_cor_look"), QStringLiteral("7,5"));
    EXPECT_EQ(pie("dbgCoba_act_cor_ref", "sup_ref_look"), QStringLiteral("7,5"));
}

TEST_F(Coba, PagesPictured)
{
    ASSERT_TRUE(rodal("1", "5", "20", "2000"));
    ASSERT_TRUE(raleo("1"));
    ASSERT_TRUE(cosecha("1", "2027", "2028"));
    FotografiarPaginas(form, area, QStringLiteral("coba_paginas"));
}
