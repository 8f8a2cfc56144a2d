// The VORDA window as the program loads it, and its surface rules with and without the
// document's KELU plan.
#include "vordafixture.h"

#include "gridcolumn.h"

#include <QImage>
#include <QLocale>
#include <QTabWidget>

TEST_F(VordaFixture, OutlineHasTheTitleAndOneLinePerPage)
{
    abrirSolo();
    const QStringList lineas = form->Secciones.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_EQ(lineas, (QStringList{QStringLiteral("AVISO DE EJECUCIÓN DE PLAN DE MANEJO PLANTACIONES FORESTALES"),
                                   QStringLiteral("\tCalendarización de actividades"),
                                   QStringLiteral("\t\tForestación - Act. Silvícolas"),
                                   QStringLiteral("\t\tOtras Act. Silvícolas - Caminos y Canchas de Acopio")}));
    ASSERT_NE(form->Paginas, nullptr);
    EXPECT_EQ(form->Paginas->count(), 4);
    EXPECT_EQ(form->windowTitle().left(16), QStringLiteral("Formulario VORDA"));
    for (int i = 1; i < form->Paginas->count(); ++i) {
        form->CambiarHoja(i);
        EXPECT_TRUE(QFile::exists(QStringLiteral(BRENVIK_BIN_DIR "/pres/") + form->PaginaAyuda())) << form->PaginaAyuda().toStdString();
    }
}

// A filled notice, pictured page by page (build/tests/vorda_paginas/NN.png), saved and reopened whole.
TEST_F(VordaFixture, FilledNoticeRendersSavesAndReopens)
{
    abrirSolo();
    const QList<std::pair<const char *, Valores>> filas_ = {
        {"for", {{"ano", "2025"}, {"num", "1"}, {"sup", "12,5"}, {"esp", "PINO RADIATA"}, {"den", "1250"}, {"tip_sue", "1"}, {"num_res", "R-15"}}},
        {"for", {{"ano", "2025"}, {"num_sec", "A"}, {"sup", "3"}, {"esp", "EUCALIPTO"}, {"den", "1100"}, {"tip_sue", "2"}}},
        {"act", {{"num", "2"}, {"sup", "7,25"}, {"ano_cor", "2026"}, {"ano_ref", "2027"}, {"esp_ref", "PINO RADIATA"}, {"den_ref", "1250"}}},
        {"otr", {{"ano", "2026"}, {"num", "1"}, {"sup", "12,5"}, {"tip_act", "2"}}},
        {"con", {{"ano", "2025"}, {"cam_id", "C-1"}, {"cam_lar", "1,2"}, {"cam_anc", "4"}, {"can_id", "K-1"}, {"can_sup", "0,3"}}},
    };
    for (const auto &[sufijo, valores] : filas_)
        ASSERT_TRUE(agregar(QLatin1String(sufijo), valores)) << sufijo << ": " << mensajes().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("35,25"));

    FotografiarPaginas(form, area, QStringLiteral("vorda_paginas"));
    EXPECT_EQ(grilla(QStringLiteral("for"))->FooterText(3), QStringLiteral("15,5"));
    EXPECT_EQ(grilla(QStringLiteral("for"))->FooterText(0), QStringLiteral("Total:"));
    // The harvest table's caption is right-aligned; the group title over its cutting year
    // shows whole on screen.
    DBGrid *cosecha = grilla(QStringLiteral("act"));
    EXPECT_EQ(cosecha->FooterText(0), QStringLiteral("Total:"));
    EXPECT_TRUE(cosecha->Columns(0)->footerAt(0).alignment & Qt::AlignRight);
    const GridColumn *corta = cosecha->ColumnByFieldName(QStringLiteral("ano_cor"));
    ASSERT_NE(corta, nullptr);
    EXPECT_GE(corta->Width(), cosecha->fontMetrics().horizontalAdvance(QStringLiteral("Actividades de corta")));

    ASSERT_TRUE(catchAbort([this] { tabla(QString())->CheckBrowseMode(); }));
    const QStringList tablas{QStringLiteral("vorda"), QStringLiteral("vorda_for"), QStringLiteral("vorda_act"),
                             QStringLiteral("vorda_otr"), QStringLiteral("vorda_con")};
    const QStringList antes = ContenidoTablas(form->ConexionBD, tablas);
    const QString archivo = app + QStringLiteral("aviso.fvor");
    ASSERT_TRUE(TCustomMDIChild::GuardarDocumento(archivo, {form.data()}));
    abrirSolo();
    ASSERT_TRUE(form->Cargar(archivo));
    const QStringList despues = ContenidoTablas(form->ConexionBD, tablas);
    EXPECT_EQ(despues, antes);
}

TEST_F(VordaFixture, FieldChecksRefuseIncompleteRows)
{
    abrirSolo();
    const std::tuple<const char *, Valores, const char *> casos[] = {
        {"for", {{"ano", "2025"}, {"num", "1"}, {"sup", "2"}, {"den", "1000"}, {"tip_sue", "1"}}, "El campo \"Especie\" no puede quedar vacío"},
        {"for", {{"ano", "2025"}, {"num", "1"}, {"sup", "2"}, {"esp", "PINO"}, {"den", "0"}, {"tip_sue", "1"}}, "El campo \"Densidad\""},
        {"act", {{"sup", "2"}}, "El campo \"Rodal Nº\" no puede quedar vacío"},
        {"otr", {{"ano", "2025"}, {"num", "1"}}, "El campo \"Tipo de actividad\" no puede quedar vacío"},
        {"con", {{"cam_id", "C-1"}}, "El campo \"Año\" no puede quedar vacío"},
    };
    for (const auto &[sufijo, valores, mensaje] : casos) {
        dialogos.boxes.clear();
        EXPECT_FALSE(agregar(QLatin1String(sufijo), valores)) << sufijo;
        ASSERT_EQ(mensajes().size(), 1) << sufijo;
        EXPECT_TRUE(mensajes().first().contains(QString::fromUtf8(mensaje))) << mensajes().first().toStdString();
    }
    EXPECT_EQ(filas(QStringLiteral("SELECT COUNT(*) FROM vorda_for")), QStringList{QStringLiteral("0")});
}

// --- the surface rules, driven as a consultant does, alone and beside the KELU plan.
class ReglasSuperficie : public VordaFixture, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        VordaFixture::SetUp();
        if (GetParam()) {
            abrirConKelu();
            planKelu();
        } else {
            abrirSolo();
        }
    }
    bool conKelu() const { return GetParam(); }
    // An afforestation row of a stand (num) or a sector (num_sec) with its surface; with
    // KELU the stand's surface comes from the plan and the one typed is ignored.
    bool forestacion(const char *clave, const QString &valor, const QString &sup)
    {
        return agregar(QStringLiteral("for"), {{clave, valor}, {"sup", sup}, {"ano", "2025"}, {"esp", "PINO RADIATA"},
                                               {"den", "1250"}, {"tip_sue", "1"}});
    }
    QString supAfe() const { return tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(); }
    QString pie(const char *sufijo, int columna) const { return grilla(QLatin1String(sufijo))->FooterText(columna); }
};

TEST_P(ReglasSuperficie, TwoRowsOfOneStandCountItsSurfaceOnce)
{
    ASSERT_TRUE(forestacion("num", QStringLiteral("1"), QStringLiteral("12,5")));
    ASSERT_TRUE(forestacion("num", QStringLiteral("1"), QStringLiteral("12,5")));
    EXPECT_EQ(pie("for", 3), QStringLiteral("12,5"));
    EXPECT_EQ(supAfe(), QStringLiteral("12,5"));
    // The same stand in the harvest calendar counts there too.
    ASSERT_TRUE(agregar(QStringLiteral("act"), {{"num", "2"}, {"sup", "7,25"}, {"ano_cor", "2026"}}));
    EXPECT_EQ(pie("act", 1), QStringLiteral("7,25"));
    EXPECT_EQ(supAfe(), QStringLiteral("19,75"));
}

TEST_P(ReglasSuperficie, TwoSectorsOfEqualSurfaceCountTwice)
{
    ASSERT_TRUE(forestacion("num_sec", QStringLiteral("A"), QStringLiteral("3")));
    ASSERT_TRUE(forestacion("num_sec", QStringLiteral("B"), QStringLiteral("3")));
    EXPECT_EQ(pie("for", 3), QStringLiteral("6"));
    EXPECT_EQ(supAfe(), QStringLiteral("6"));
    // A row without a stand rewrites no other row.
    EXPECT_EQ(filas(QStringLiteral("SELECT num_sec, sup FROM vorda_for ORDER BY Id")),
              (QStringList{QStringLiteral("A|3"), QStringLiteral("B|3")}));
}

TEST_P(ReglasSuperficie, AStandsSurfaceIsTheSameInTheThreeCalendars)
{
    ASSERT_TRUE(forestacion("num", QStringLiteral("1"), QStringLiteral("12,5")));
    ASSERT_TRUE(agregar(QStringLiteral("act"), {{"num", "1"}, {"sup", "10"}, {"ano_cor", "2026"}}));
    ASSERT_TRUE(agregar(QStringLiteral("otr"), {{"ano", "2026"}, {"num", "1"}, {"sup", "11"}, {"tip_act", "2"}}));
    // With KELU every row takes the plan's surface; alone the last one typed wins.
    const QString esperado = conKelu() ? QStringLiteral("12.5") : QStringLiteral("11");
    for (const char *t : {"vorda_for", "vorda_act", "vorda_otr"})
        EXPECT_EQ(filas(QStringLiteral("SELECT sup FROM %1").arg(QLatin1String(t))), QStringList{esperado}) << t;
    if (!conKelu()) {
        ASSERT_TRUE(modificar(QStringLiteral("act"), "num", QStringLiteral("1"), {{"sup", "9,5"}}));
        for (const char *t : {"vorda_for", "vorda_act", "vorda_otr"})
            EXPECT_EQ(filas(QStringLiteral("SELECT sup FROM %1").arg(QLatin1String(t))), QStringList{QStringLiteral("9.5")}) << t;
        EXPECT_EQ(tabla(QStringLiteral("for"))->FieldByName(QStringLiteral("sup"))->AsString(), QStringLiteral("9,5"));
    }
    EXPECT_EQ(supAfe(), conKelu() ? QStringLiteral("37,5") : QStringLiteral("28,5"));
}

// The sums touch nothing of the process: number texts read the same before and after.
TEST_P(ReglasSuperficie, NumberTextsAreUnchangedAfterASum)
{
    const QLocale antes;
    ASSERT_TRUE(forestacion("num", QStringLiteral("2"), QStringLiteral("7,25")));
    EXPECT_EQ(QLocale().name(), antes.name());
    EXPECT_EQ(QLocale().decimalPoint(), antes.decimalPoint());
    EXPECT_EQ(tabla(QStringLiteral("for"))->FieldByName(QStringLiteral("den"))->AsString(), QStringLiteral("1250"));
    EXPECT_EQ(QString::number(0.5), QStringLiteral("0.5"));
    EXPECT_EQ(supAfe(), QStringLiteral("7,25"));
}

INSTANTIATE_TEST_SUITE_P(Vorda, ReglasSuperficie, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &i) { return i.param ? "ConKelu" : "Solo"; });

// Regression: a deleted row's surface stayed in sup_afe, and the exchange file carried it.
TEST_F(VordaFixture, ADeletedRowTakesItsSurfaceOutOfTheNotice)
{
    const std::tuple<const char *, int, Valores> calendarios[] = {
        {"for", 3, {{"ano", "2025"}, {"esp", "PINO RADIATA"}, {"den", "1250"}, {"tip_sue", "1"}}},
        {"act", 1, {{"ano_cor", "2026"}}},
        {"otr", 2, {{"ano", "2026"}, {"tip_act", "2"}}},
    };
    for (const auto &[sufijo, columna, resto] : calendarios) {
        SCOPED_TRACE(sufijo);
        abrirSolo();
        const QString calendario = QLatin1String(sufijo);
        for (const auto &[num, sup] : {std::pair{"1", "10"}, std::pair{"2", "5"}})
            ASSERT_TRUE(agregar(calendario, Valores{{"num", num}, {"sup", sup}} + resto)) << mensajes().join(QLatin1Char('\n')).toStdString();
        Field *supAfe = tabla(QString())->FieldByName(QStringLiteral("sup_afe"));
        ASSERT_EQ(supAfe->AsString(), QStringLiteral("15"));
        for (const auto &[num, queda] : {std::pair{"2", "10"}, std::pair{"1", "0"}}) {
            Dataset *ds = tabla(calendario);
            ASSERT_TRUE(ds->Locate(QStringLiteral("num"), QLatin1String(num)));
            bool borrado = false;
            ASSERT_TRUE(catchAbort([&] { borrado = ds->Delete(); }) && borrado);
            EXPECT_EQ(supAfe->AsString(), QLatin1String(queda));
            EXPECT_EQ(grilla(calendario)->FooterText(columna), QLatin1String(queda));
            EXPECT_TRUE(QString::fromLatin1(form->PrepararXML())
                            .contains(QStringLiteral("<FORMULARIO.SOLI_SUP_SOLICITADA>%1</FORMULARIO.SOLI_SUP_SOLICITADA>").arg(QLatin1String(queda))));
        }
    }
}

// A stand number is a value, never part of a statement.
TEST_F(VordaFixture, StandNumbersWithQuotesAreValues)
{
    abrirSolo();
    const QString raro = QStringLiteral("O'Higgins");
    ASSERT_TRUE(agregar(QStringLiteral("act"), {{"num", raro}, {"sup", "4"}}));
    ASSERT_TRUE(agregar(QStringLiteral("act"), {{"num", "2"}, {"sup", "5"}}));
    ASSERT_TRUE(agregar(QStringLiteral("otr"), {{"ano", "2026"}, {"num", raro}, {"sup", "6"}, {"tip_act", "2"}}));
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(filas(QStringLiteral("SELECT num, sup FROM vorda_act ORDER BY Id")),
              (QStringList{QStringLiteral("O'Higgins|6"), QStringLiteral("2|5")}));
}

// Beside KELU the stand, sector and surface columns show the plan's rows.
TEST_F(VordaFixture, WithKeluTheColumnsLookUpThePlan)
{
    abrirConKelu();
    planKelu();
    DBGrid *g = grilla(QStringLiteral("for"));
    EXPECT_EQ(g->Columns(1)->FieldName(), QStringLiteral("num_sec_look"));
    EXPECT_EQ(g->Columns(2)->FieldName(), QStringLiteral("num_look"));
    EXPECT_EQ(g->Columns(3)->FieldName(), QStringLiteral("sup_look"));
    EXPECT_EQ(grilla(QStringLiteral("act"))->Columns(1)->FieldName(), QStringLiteral("sup_look"));
    EXPECT_EQ(grilla(QStringLiteral("otr"))->Columns(2)->FieldName(), QStringLiteral("sup_look"));
    Dataset *forest = tabla(QStringLiteral("for"));
    ASSERT_TRUE(agregar(QStringLiteral("for"), {{"num", "2"}, {"ano", "2025"}, {"esp", "PINO"}, {"den", "1000"}, {"tip_sue", "1"}}));
    EXPECT_EQ(forest->FieldByName(QStringLiteral("sup_look"))->AsString(), QStringLiteral("7,25"));
    EXPECT_EQ(forest->FieldByName(QStringLiteral("num_look"))->AsString(), QStringLiteral("2"));
    EXPECT_EQ(filas(QStringLiteral("SELECT sup FROM vorda_for")), QStringList{QStringLiteral("7.25")});
    // Alone, the same columns keep the typed fields.
    abrirSolo();
    EXPECT_EQ(grilla(QStringLiteral("for"))->Columns(3)->FieldName(), QStringLiteral("sup"));
}
