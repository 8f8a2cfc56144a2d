// The DALU window as the program loads it: outline, pages, lists, saving and reopening.
#include "dalufixture.h"

#include "gridcolumn.h"

#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QTabWidget>

TEST_F(DaluFixture, OutlineHasTheTitleAndOneLinePerPage)
{
    const QStringList lineas = form->Secciones.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 29);
    EXPECT_EQ(lineas[0], QStringLiteral("PLAN DE MANEJO BOSQUE NATIVO"));
    EXPECT_EQ(lineas[3], QStringLiteral("\t\t\tCaracterización del Sitio Forestal"));
    EXPECT_EQ(lineas[12], QStringLiteral("\t\t\t\tParámetros para el Cálculo Autómatico del Inventario"));
    EXPECT_EQ(lineas[22], QStringLiteral("\t\t\tPrescripciones y Medidas de Protección Ambiental"));
    EXPECT_EQ(lineas[28], QStringLiteral("\t\tMedidas de Prevención y Control"));
    EXPECT_EQ(form->Paginas->count(), 29);
    EXPECT_EQ(form->windowTitle().left(15), QStringLiteral("Formulario DALU"));
}

TEST_F(DaluFixture, SetUpMarksThePropertyUnknownWithoutAnyMessage)
{
    EXPECT_EQ(filas(QStringLiteral("SELECT cod_pre FROM dalu")), QStringList{QStringLiteral("-1")});
    EXPECT_TRUE(mensajes().isEmpty()) << mensajesTexto();
}

TEST_F(DaluFixture, EveryPageHasItsHelpPage)
{
    for (int i = 0; i < form->Paginas->count(); ++i) {
        form->CambiarHoja(i);
        EXPECT_TRUE(QFile::exists(QStringLiteral(BRENVIK_BIN_DIR "/pres/") + form->PaginaAyuda())) << form->PaginaAyuda().toStdString();
    }
}

// Coded columns show their list's descriptions; list columns open the selection window.
TEST_F(DaluFixture, ListsAreAttachedToTheirColumns)
{
    const QList<std::tuple<const char *, const char *, bool>> columnas = {
        {"car", "exp", true},          {"var_cli", "var", true},       {"flo", "cat", true},
        {"mag_inc", "val", true},      {"des_cua", "tip_for", true},   {"rest", "pais", true},
        {"desc_det", "act", true},     {"cor_int", "tip_cor", true},   {"parcela", "esp", true},
        {"ocu_inc", "ano", false},     {"des_cua", "esp_dom", false},  {"crit", "esp", false},
        {"obj", "num", false},         {"flo", "rod", false},
    };
    for (const auto &[g, campo, codificada] : columnas) {
        GridColumn *c = grilla(QLatin1String(g))->ColumnByFieldName(QLatin1String(campo));
        ASSERT_NE(c, nullptr) << g << "." << campo;
        if (codificada)
            EXPECT_FALSE(c->KeyList().isEmpty()) << g << "." << campo;
        else
            EXPECT_EQ(c->buttonStyle(), GridColumn::ButtonStyle::Ellipsis) << g << "." << campo;
    }
}

// The stand table's footer caption stands under the upper class, beside the sums.
TEST_F(DaluFixture, StandTableTotalStandsUnderTheUpperClass)
{
    DBGrid *g = grilla(QStringLiteral("tab_rod_det"));
    ASSERT_NE(g, nullptr);
    const GridColumn *mayor = g->ColumnByFieldName(QStringLiteral("clas_may"));
    ASSERT_NE(mayor, nullptr);
    EXPECT_EQ(g->FooterText(mayor->Index()), QStringLiteral("TOTAL"));
    EXPECT_NE(g->FooterText(0), QStringLiteral("TOTAL"));
}

TEST_F(DaluFixture, JudicialMemoIsWritableExactlyWhenTheBoxIsTicked)
{
    QWidget *memo = form->findChild<QWidget *>(QStringLiteral("mem_resJud_desc"));
    ASSERT_NE(memo, nullptr);
    EXPECT_FALSE(memo->isEnabled());
    Dataset *ppal = tabla(QString());
    ppal->Edit();
    ppal->FieldByName(QStringLiteral("resJud_tiene"))->setAsBoolean(true);
    EXPECT_TRUE(memo->isEnabled());
    ppal->FieldByName(QStringLiteral("resJud_tiene"))->setAsBoolean(false);
    EXPECT_FALSE(memo->isEnabled());
}

// A plan with something on every page the rules touch.
class PlanLleno : public DaluFixture
{
protected:
    void llenar()
    {
        ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("12,5"))) << mensajesTexto();
        ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("7,25"))) << mensajesTexto();
        const QList<std::pair<const char *, Valores>> filas = {
            {"var_cli", {{"var", "1"}, {"val", "12,4"}, {"uni", "1"}}},
            {"hid", {{"num", "2"}, {"mas", "1"}, {"tmp", "1"}, {"dis", "120"}, {"anc", "3,5"}}},
            {"flo", {{"esp", "142"}, {"rod", "1"}, {"den", "40"}}},
            {"fau", {{"esp", "1"}}},
            {"ocu_inc", {{"lug", "Ladera norte"}, {"sup", "0,75"}, {"ano", "2015"}, {"causa", "Quema"}, {"origen", "1"}}},
            {"mag_inc", {{"zona", "Norte"}, {"mag_rie", "1"}, {"mag_pel", "1"}, {"val", "1"}, {"pri", "1"}}},
            {"obj", {{"num", "1, 2"}, {"obj", "Producción de madera"}, {"estr", "Coetánea"}}},
            {"act_nosil", {{"act", "Camino de acceso"}, {"car_tec", "Ripio, 4 m de ancho"}}},
        };
        for (const auto &[sufijo, valores] : filas)
            ASSERT_TRUE(agregar(QLatin1String(sufijo), valores)) << sufijo << ": " << mensajesTexto();
        ASSERT_TRUE(modificar(QStringLiteral("des_cua"), "num", QStringLiteral("1"),
                              {{"tip_for", "70"}, {"esp_dom", "Roble, Raulí"}, {"estr", "1"}, {"est_des", "1"}, {"est_san", "1"}}))
            << mensajesTexto();
        ASSERT_TRUE(agregar(QStringLiteral("desc_det"), {{"act", "1"}, {"cond", "Año 2027"}})) << mensajesTexto();
        ASSERT_TRUE(agregar(QStringLiteral("desc_det"), {{"act", "10"}, {"cond", "Año 2028"}})) << mensajesTexto();
        ASSERT_TRUE(modificar(QStringLiteral("rest"), "num", QStringLiteral("1"), {{"topo", "1"}})) << mensajesTexto();
        ASSERT_TRUE(modificar(QStringLiteral("cor_int"), "obj", QStringLiteral("Producción de madera"),
                              {{"ant_den", "900"}, {"res_den", "600"}, {"ant_ab", "40"}, {"res_ab", "28"}}))
            << mensajesTexto();
        // The stand table of stand 2, as the inventory module writes it.
        Connection *c = form->ConexionBD;
        ASSERT_TRUE(c->exec(QStringLiteral("UPDATE dalu_tab_rod SET tip_for = 70, esp1 = 141, esp2 = 142, esp3 = 144, "
                                           "clas_min = 10, clas_max = 25 WHERE num = '2'")));
        for (int clase = 10; clase < 25; clase += 5)
            ASSERT_TRUE(c->exec(QStringLiteral("INSERT INTO dalu_tab_rod_det (Id_tab_rod, clas_men, clas_may, esp1_den, esp2_den, "
                                               "esp3_den, otra_den, esp1_area, esp2_area, esp3_area, otra_area, esp1_vol, esp2_vol, "
                                               "esp3_vol, otra_vol) SELECT Id_tab_rod, ?, ?, 120, 45, 10, 5, 2.5, 0.9, 0.2, 0.1, 14, "
                                               "6.5, 1.2, 0.4 FROM dalu_tab_rod WHERE num = '2'"),
                                {clase, clase + 5}));
        for (const char *t : {"tab_rod", "tab_rod_det"})
            tabla(QLatin1String(t))->Refresh();
        Dataset *ppal = tabla(QString());
        ppal->Edit();
        for (const auto &[campo, v] : Valores{{"car_sue", "Trumao profundo"}, {"mepr_plag", "Monitoreo anual"},
                                               {"meco_plag", "Extracción de árboles enfermos"}, {"mepr_inc", "Cortafuegos"},
                                               {"meco_inc", "Brigada"}})
            ppal->FieldByName(QLatin1String(campo))->setAsString(v);
        ASSERT_TRUE(catchAbort([ppal] { ppal->Post(); })) << mensajesTexto();
    }
};

// Pictures of every page, for looking at (build/tests/dalu_paginas/NN.png).
TEST_F(PlanLleno, EveryPageRenders)
{
    llenar();
    EXPECT_TRUE(mensajes().isEmpty()) << mensajesTexto();
    FotografiarPaginas(form, area, QStringLiteral("dalu_paginas"));
}

// A saved plan reopens whole, and its rules keep working on the loaded data.
TEST_F(PlanLleno, SavedPlanReopensWhole)
{
    llenar();
    const QString archivo = app + QStringLiteral("plan.fdal");
    ASSERT_TRUE(TCustomMDIChild::GuardarDocumento(archivo, {form.data()})) << mensajesTexto();
    const QStringList tablas{QStringLiteral("dalu"), QStringLiteral("dalu_car"), QStringLiteral("dalu_obj"),
                             QStringLiteral("dalu_des_cua"), QStringLiteral("dalu_cor_int"), QStringLiteral("dalu_pod"),
                             QStringLiteral("dalu_fte_inf"), QStringLiteral("dalu_flo")};
    const QStringList antes = ContenidoTablas(form->ConexionBD, tablas);

    abrirDocumento();
    ASSERT_TRUE(form->Cargar(archivo));
    const QStringList despues = ContenidoTablas(form->ConexionBD, tablas);
    EXPECT_EQ(despues, antes);

    ASSERT_TRUE(modificar(QStringLiteral("car"), "num", QStringLiteral("2"), {{"num", "2B"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM dalu_obj")), QStringList{QStringLiteral("1, 2B")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM dalu_hid")), QStringList{QStringLiteral("2B")});
}

// Fault guarded: a plan saved before its detail tables were indexed stayed without the
// indexes, so every stand or plot move read the whole detail table.
TEST_F(DaluFixture, APlanSavedWithoutIndexesGetsThemWhenItOpens)
{
    const auto indices = [this] {
        return filas(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND name LIKE 'ix_%' ORDER BY name"));
    };
    const QStringList nuevos = indices();
    ASSERT_TRUE(nuevos.contains(QStringLiteral("ix_dalu_tab_rod_det_id_tab_rod"))) << nuevos.join(QLatin1Char(' ')).toStdString();
    for (const QString &indice : nuevos)
        ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("DROP INDEX ") + indice));
    const QString archivo = app + QStringLiteral("antiguo.fdal");
    ASSERT_TRUE(TCustomMDIChild::GuardarDocumento(archivo, {form.data()})) << mensajesTexto();

    abrirDocumento();
    ASSERT_TRUE(form->Cargar(archivo)) << mensajesTexto();
    EXPECT_EQ(indices(), nuevos);
    EXPECT_TRUE(mensajes().isEmpty()) << mensajesTexto();
}

// Typed letters become capitals, but the figures of the stands grid past its first column
// only turn the key-pad decimal into the other separator.
TEST_F(DaluFixture, TypingIsUpperCasedButTheStandFiguresKeepTheirSeparator)
{
    area->show();
    form->CambiarHoja(3);
    auto *memo = form->findChild<QPlainTextEdit *>(QStringLiteral("mem_car_sue"));
    ASSERT_NE(memo, nullptr);
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("trumao"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("TRUMAO"));

    DBGrid *g = grilla(QStringLiteral("car"));
    tabla(QStringLiteral("car"))->Append();
    g->setSelectedIndex(1);
    g->view()->setFocus();
    QTest::keyClick(g->view(), Qt::Key_1);
    auto *linea = g->view()->findChild<QLineEdit *>();
    ASSERT_NE(linea, nullptr);
    QTest::keyClick(linea, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(linea, Qt::Key_5);
    EXPECT_EQ(linea->text(), QStringLiteral("1,5"));
    EXPECT_FALSE(form->TeclaDecimal);
    tabla(QStringLiteral("car"))->Cancel();
}
