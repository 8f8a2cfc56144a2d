// Stands: the rows a new stand brings, its surface where it is repeated, deletions refused
// while the stand is named and leaving nothing behind, renames carried everywhere.
#include "dalufixture.h"

#include "dbedit.h"
#include "dblookupcombobox.h"
#include "dbnavigator.h"
#include "entrada/tformmultiseleccion.h"

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

// Every table with a stand number, and the column holding it.
const QList<std::pair<QString, QString>> kConRodal = {
    {QStringLiteral("dalu_fis"), QStringLiteral("num")},        {QStringLiteral("dalu_hid"), QStringLiteral("num")},
    {QStringLiteral("dalu_des_cua"), QStringLiteral("num")},    {QStringLiteral("dalu_tab_rod"), QStringLiteral("num")},
    {QStringLiteral("dalu_res_mue"), QStringLiteral("num")},    {QStringLiteral("dalu_res_inv"), QStringLiteral("num")},
    {QStringLiteral("dalu_res_gral"), QStringLiteral("num")},   {QStringLiteral("dalu_car_reg"), QStringLiteral("num")},
    {QStringLiteral("dalu_rest"), QStringLiteral("num")},       {QStringLiteral("dalu_inventario"), QStringLiteral("num")},
    {QStringLiteral("dalu_mepr"), QStringLiteral("num")},       {QStringLiteral("dalu_car_inv"), QStringLiteral("num")},
};

const QStringList kNueve = {QStringLiteral("dalu_res_inv"), QStringLiteral("dalu_res_gral"), QStringLiteral("dalu_fis"),
                            QStringLiteral("dalu_tab_rod"), QStringLiteral("dalu_des_cua"), QStringLiteral("dalu_res_mue"),
                            QStringLiteral("dalu_car_reg"), QStringLiteral("dalu_rest"), QStringLiteral("dalu_inventario")};

} // namespace

using Rodales = DaluFixture;

TEST_F(Rodales, ANewStandHasItsRowInTheNinePerStandTables)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("12,5"))) << mensajesTexto();
    for (const QString &t : kNueve)
        EXPECT_EQ(filas(QStringLiteral("SELECT num FROM ") + t), QStringList{QStringLiteral("1")}) << t.toStdString();
    EXPECT_EQ(filas(QStringLiteral("SELECT sup FROM dalu_res_gral UNION ALL SELECT sup FROM dalu_des_cua")),
              (QStringList{QStringLiteral("12.5"), QStringLiteral("12.5")}));
    // They are shown at once, without a message about their empty fields.
    EXPECT_EQ(tabla(QStringLiteral("rest"))->RecordCount(), 1);
    EXPECT_EQ(tabla(QStringLiteral("tab_rod"))->RecordCount(), 1);
    EXPECT_TRUE(mensajes().isEmpty()) << mensajesTexto();
}

TEST_F(Rodales, SurfaceReachesTheGeneralSummaryAndTheAffectedSurface)
{
    Field *supAfe = tabla(QString())->FieldByName(QStringLiteral("sup_afe"));
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("12,5")));
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("7,25")));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("19,75"));
    ASSERT_TRUE(modificar(QStringLiteral("car"), "num", QStringLiteral("2"), {{"sup", "10"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT num, sup FROM dalu_res_gral ORDER BY num")),
              (QStringList{QStringLiteral("1|12.5"), QStringLiteral("2|10")}));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("22,5"));
    ASSERT_TRUE(borrar(QStringLiteral("car"), "num", QStringLiteral("1")));
    ASSERT_TRUE(borrar(QStringLiteral("car"), "num", QStringLiteral("2")));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("0"));
}

TEST_F(Rodales, AnObjectivesSurfaceFollowsItsStands)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("12,5")));
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("7,25")));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"num", " 2 ,1"}, {"obj", "Protección"}, {"estr", "Multietánea"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT sup FROM dalu_obj")), QStringList{QStringLiteral("19.75")});
    ASSERT_TRUE(modificar(QStringLiteral("car"), "num", QStringLiteral("1"), {{"sup", "2,75"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT sup FROM dalu_obj")), QStringList{QStringLiteral("10")});
}

// Regression: renaming an objective kept its stands without asking for them again.
TEST_F(Rodales, RenamingAnObjectiveAsksForItsStandsAgain)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("12,5")));
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("7,25")));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"num", "1"}, {"obj", "Protección"}, {"estr", "Multietánea"}})) << mensajesTexto();
    QStringList ofrecidos;
    QTimer::singleShot(0, [&] {
        auto *ventana = qobject_cast<TformMultiSeleccion *>(QApplication::activeModalWidget());
        ASSERT_NE(ventana, nullptr);
        for (int i = 0; i < ventana->clbMulti->count(); ++i) {
            QListWidgetItem *item = ventana->clbMulti->item(i);
            ofrecidos << item->text() + (item->checkState() == Qt::Checked ? QStringLiteral("*") : QString());
            item->setCheckState(Qt::Checked);
        }
        ventana->accept();
    });
    ASSERT_TRUE(modificar(QStringLiteral("obj"), "obj", QStringLiteral("Protección"), {{"obj", "Producción"}})) << mensajesTexto();
    EXPECT_EQ(ofrecidos, (QStringList{QStringLiteral("1*"), QStringLiteral("2")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT obj, num, sup FROM dalu_obj")), QStringList{QStringLiteral("Producción|1, 2|19.75")});
}

// Regression: the stand table's pages showed and wrote a forest type of their own, which
// neither the qualitative description nor the exchange file ever saw.
TEST_F(Rodales, TheStandTablePagesShowAndChooseTheStandsForestType)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("12,5")));
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("7,25")));
    ASSERT_TRUE(modificar(QStringLiteral("des_cua"), "num", QStringLiteral("2"),
                          {{"tip_for", "70"}, {"esp_dom", "Roble, Raulí"}, {"estr", "1"}, {"est_des", "1"}, {"est_san", "1"}}))
        << mensajesTexto();
    auto descripcion = [this](const QVariant &codigo) {
        return FilasSql(form->ConexionBDPpal, QStringLiteral("SELECT tipo_descripcion FROM tipo WHERE tipo_codigo = %1").arg(codigo.toInt()))
            .value(0);
    };
    auto tipoForestal = [this](int hoja) -> DBLookupComboBox * {
        for (auto *c : form->Paginas->widget(hoja)->findChildren<DBLookupComboBox *>())
            if (c->field() && c->field()->FieldName() == QLatin1String("tip_for"))
                return c;
        return nullptr;
    };
    Dataset *car = tabla(QStringLiteral("car"));
    for (const int hoja : {13, 20}) {
        SCOPED_TRACE(hoja);
        form->CambiarHoja(hoja);
        DBLookupComboBox *tipo = tipoForestal(hoja);
        ASSERT_NE(tipo, nullptr);
        ASSERT_TRUE(car->Locate(QStringLiteral("num"), QStringLiteral("2")));
        EXPECT_EQ(tipo->currentText(), descripcion(70));
        ASSERT_TRUE(car->Locate(QStringLiteral("num"), QStringLiteral("1")));
        EXPECT_EQ(tipo->currentText(), QString());
    }
    // Chosen on the stand table's page, it is the stand's description's type.
    form->CambiarHoja(13);
    ASSERT_TRUE(car->Locate(QStringLiteral("num"), QStringLiteral("2")));
    DBLookupComboBox *tipo = tipoForestal(13);
    const int indice = tipo->currentIndex() == 0 ? 1 : 0;
    const QVariant elegido = tipo->listKeys().value(indice);
    tipo->setCurrentIndex(indice);
    Q_EMIT tipo->activated(indice);
    ASSERT_TRUE(catchAbort([this] { tabla(QStringLiteral("des_cua"))->Post(); })) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num, tip_for FROM dalu_des_cua ORDER BY num")),
              (QStringList{QStringLiteral("1|null"), QStringLiteral("2|") + elegido.toString()}));
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_tab_rod WHERE tip_for IS NOT NULL")), QStringList{QStringLiteral("0")});
}

// --- a stand that something still names cannot be deleted; one kind of use per case.
struct CasoUso
{
    const char *nombre;
    const char *tabla;
    DaluFixture::Valores valores;
};

void PrintTo(const CasoUso &c, std::ostream *os)
{
    *os << c.nombre;
}

class Usos : public DaluFixture, public ::testing::WithParamInterface<CasoUso>
{
};

// The delete asked only the hydrography, and even that was not searched.
TEST_P(Usos, ANamedStandIsNotDeleted)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("3")));
    ASSERT_TRUE(rodal(QStringLiteral("12"), QStringLiteral("4")));
    ASSERT_TRUE(agregar(QLatin1String(GetParam().tabla), GetParam().valores)) << mensajesTexto();
    dialogos.boxes.clear();
    EXPECT_FALSE(borrar(QStringLiteral("car"), "num", QStringLiteral("1")));
    EXPECT_EQ(mensajes(), QStringList{QStringLiteral("Este registro no se puede borrar, por que posee registros asociados")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM dalu_car ORDER BY Id")), (QStringList{QStringLiteral("1"), QStringLiteral("12")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_fis")), QStringList{QStringLiteral("2")});
}

const CasoUso kUsos[] = {
    {"Hidrografia", "hid", {{"num", "1"}, {"mas", "1"}, {"tmp", "1"}}},
    {"ListaDeUnObjetivo", "obj", {{"num", "12, 1"}, {"obj", "Producción"}, {"estr", "Coetánea"}}},
    {"RodalesDeLaFlora", "flo", {{"esp", "141"}, {"rod", "12,1"}, {"den", "10"}}},
};

INSTANTIATE_TEST_SUITE_P(Dalu, Usos, ::testing::ValuesIn(kUsos),
                         [](const ::testing::TestParamInfo<CasoUso> &i) { return std::string(i.param.nombre); });

// A deleted stand left rows in the stand table's details, the inventory's plots, the
// final variables and the measures.
TEST_F(Rodales, ADeletedStandLeavesNoRowBehind)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("3")));
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("4")));
    // Rows that hang from the stand through its stand table and its inventory.
    Connection *c = form->ConexionBD;
    for (const char *num : {"1", "2"}) {
        const QVariant tab = c->select(QStringLiteral("SELECT Id_tab_rod FROM dalu_tab_rod WHERE num = ?"), {QLatin1String(num)}).rows.value(0).value(0);
        const QVariant inv = c->select(QStringLiteral("SELECT id_inv FROM dalu_inventario WHERE num = ?"), {QLatin1String(num)}).rows.value(0).value(0);
        ASSERT_TRUE(c->exec(QStringLiteral("INSERT INTO dalu_tab_rod_det (Id_tab_rod, clas_men) VALUES (?, 10)"), {tab}));
        ASSERT_TRUE(c->exec(QStringLiteral("INSERT INTO dalu_est_var (Id_tab_rod, clas_men) VALUES (?, 10)"), {tab}));
        ASSERT_TRUE(c->exec(QStringLiteral("INSERT INTO dalu_inv_parcela (id_inv, id_parc) VALUES (?, 1)"), {inv}));
        ASSERT_TRUE(c->exec(QStringLiteral("INSERT INTO dalu_parcela (id_inv_parc, esp, dap) VALUES (last_insert_rowid(), 141, 22)")));
        ASSERT_TRUE(c->exec(QStringLiteral("INSERT INTO dalu_mepr (num, act) VALUES (?, 1)"), {QLatin1String(num)}));
        ASSERT_TRUE(c->exec(QStringLiteral("INSERT INTO dalu_car_inv (num) VALUES (?)"), {QLatin1String(num)}));
    }
    ASSERT_TRUE(borrar(QStringLiteral("car"), "num", QStringLiteral("1"))) << mensajesTexto();
    EXPECT_EQ(mensajes(), QStringList{QStringLiteral("¿Está seguro de eliminar este registro?")});

    QStringList union_;
    for (const auto &[t, col] : kConRodal)
        union_ << QStringLiteral("SELECT '%1' FROM %1 WHERE %2 = '1'").arg(t, col);
    union_ << QStringLiteral("SELECT 'dalu_tab_rod_det' FROM dalu_tab_rod_det WHERE Id_tab_rod NOT IN (SELECT Id_tab_rod FROM dalu_tab_rod)")
           << QStringLiteral("SELECT 'dalu_est_var' FROM dalu_est_var WHERE Id_tab_rod NOT IN (SELECT Id_tab_rod FROM dalu_tab_rod)")
           << QStringLiteral("SELECT 'dalu_inv_parcela' FROM dalu_inv_parcela WHERE id_inv NOT IN (SELECT id_inv FROM dalu_inventario)")
           << QStringLiteral("SELECT 'dalu_parcela' FROM dalu_parcela WHERE id_inv_parc NOT IN (SELECT id_inv_parc FROM dalu_inv_parcela)");
    EXPECT_EQ(filas(union_.join(QStringLiteral(" UNION ALL "))), QStringList());
    // The other stand keeps all of its rows.
    EXPECT_EQ(filas(QStringLiteral("SELECT (SELECT count(*) FROM dalu_tab_rod_det) || (SELECT count(*) FROM dalu_parcela) || "
                                   "(SELECT count(*) FROM dalu_fis WHERE num = '2')")),
              QStringList{QStringLiteral("111")});
}

TEST_F(Rodales, DeletionAnsweredNoKeepsEverything)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("3")));
    dialogos.porDefecto = ID::NO;
    EXPECT_FALSE(borrar(QStringLiteral("car"), "num", QStringLiteral("1")));
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_car UNION ALL SELECT count(*) FROM dalu_fis")),
              (QStringList{QStringLiteral("1"), QStringLiteral("1")}));
}

// A rename reached only the lookup columns of six tables, and never the lists.
TEST_F(Rodales, RenamingAStandRenamesItEverywhereAndOnlyWholeListItems)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("3")));
    ASSERT_TRUE(rodal(QStringLiteral("12"), QStringLiteral("4")));
    ASSERT_TRUE(agregar(QStringLiteral("hid"), {{"num", "1"}, {"mas", "1"}, {"tmp", "1"}}));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"num", "1, 12"}, {"obj", "Producción"}, {"estr", "Coetánea"}}));
    ASSERT_TRUE(agregar(QStringLiteral("flo"), {{"esp", "141"}, {"rod", "12, 1"}, {"den", "10"}}));
    ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("INSERT INTO dalu_mepr (num, act) VALUES ('1', 1)")));
    ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("INSERT INTO dalu_car_inv (num) VALUES ('1')")));

    // Declining keeps the stand in edit with nothing written.
    dialogos.responder({ID::NO});
    EXPECT_FALSE(modificar(QStringLiteral("car"), "num", QStringLiteral("1"), {{"num", "3"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM dalu_obj")), QStringList{QStringLiteral("1, 12")});

    dialogos.boxes.clear();
    ASSERT_TRUE(modificar(QStringLiteral("car"), "num", QStringLiteral("1"), {{"num", "3"}})) << mensajesTexto();
    EXPECT_EQ(mensajes(), QStringList{QStringLiteral("Esta Modificación cambiará todos los campos relacionados ¿Está seguro de "
                                                     "modificar este registro?")});
    for (const auto &[t, col] : kConRodal)
        EXPECT_EQ(filas(QStringLiteral("SELECT %1 FROM %2 WHERE %1 <> '12'").arg(col, t)), QStringList{QStringLiteral("3")}) << t.toStdString();
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM dalu_obj")), QStringList{QStringLiteral("3, 12")});
    EXPECT_EQ(filas(QStringLiteral("SELECT rod FROM dalu_flo")), QStringList{QStringLiteral("12, 3")});
    EXPECT_EQ(tabla(QStringLiteral("fis"))->displayTextAt(0, tabla(QStringLiteral("fis"))->FieldByName(QStringLiteral("num_look"))),
              QStringLiteral("3"));
}

// A stand number with a quote reaches the statements as a value.
TEST_F(Rodales, AStandNamedWithAQuoteIsKeptDeletedAndRenamed)
{
    ASSERT_TRUE(rodal(QStringLiteral("O'Higgins"), QStringLiteral("5"))) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM dalu_rest")), QStringList{QStringLiteral("O'Higgins")});
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"num", "O'Higgins"}, {"obj", "Protección"}, {"estr", "Coetánea"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT sup FROM dalu_obj")), QStringList{QStringLiteral("5")});
    ASSERT_TRUE(modificar(QStringLiteral("car"), "num", QStringLiteral("O'Higgins"), {{"num", "D'Agostini"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM dalu_obj UNION ALL SELECT num FROM dalu_fis")),
              (QStringList{QStringLiteral("D'Agostini"), QStringLiteral("D'Agostini")}));
    EXPECT_FALSE(borrar(QStringLiteral("car"), "num", QStringLiteral("D'Agostini")));
    ASSERT_TRUE(borrar(QStringLiteral("obj"), "obj", QStringLiteral("Protección")));
    ASSERT_TRUE(borrar(QStringLiteral("car"), "num", QStringLiteral("D'Agostini")));
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM dalu_fis")), QStringList{QStringLiteral("0")});
}

// The final-variables page names the first objective whose list holds the stand itself,
// not a stand whose number merely contains it.
TEST_F(Rodales, MovingThroughTheStandsShowsTheirObjective)
{
    for (const char *n : {"1", "12", "2", "3"})
        ASSERT_TRUE(rodal(QLatin1String(n), QStringLiteral("1")));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"num", "12"}, {"obj", "Protección"}, {"estr", "Multietánea"}}));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"num", "2, 1"}, {"obj", "Producción"}, {"estr", "Coetánea"}}));
    auto *nav = form->findChild<DBNavigator *>(QStringLiteral("nav_dalu_car_est"));
    auto *objetivo = form->findChild<DBEdit *>(QStringLiteral("edt_obj_rodal"));
    ASSERT_TRUE(nav && objetivo);
    form->CambiarHoja(20);
    QStringList vistos;
    nav->button(DBNavigator::First)->click();
    for (int i = 0; i < 4; ++i) {
        vistos << tabla(QStringLiteral("car"))->FieldByName(QStringLiteral("num"))->AsString() + QLatin1Char('>') + objetivo->text();
        nav->button(DBNavigator::Next)->click();
    }
    EXPECT_EQ(vistos, (QStringList{QStringLiteral("1>Producción"), QStringLiteral("12>Protección"), QStringLiteral("2>Producción"),
                                   QStringLiteral("3>")}));
}
