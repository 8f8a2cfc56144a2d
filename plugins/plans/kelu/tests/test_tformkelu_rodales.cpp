// Stands and sectors: surfaces of the units and of the plan, deletions refused while a
// number is used, renames carried to every use.
#include "kelufixture.h"

#include "entrada/tformmultiseleccion.h"
#include "gridcolumn.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>

using Rodales = KeluFixture;

TEST_F(Rodales, UnitSurfaceIsItsStandsPlusItsSectors)
{
    rodalesYSector();
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"obj", "Producción"}, {"num", "1, 2"}, {"num_sec", "A"}, {"unidad", "UM-1"}}));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"obj", "Protección"}, {"num", " 2 "}, {"unidad", "UM-2"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT unidad, sup_tot FROM kelu_obj ORDER BY Id_obj")),
              (QStringList{QStringLiteral("UM-1|22.75"), QStringLiteral("UM-2|7.25")}));
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("30"));

    // Editing a stand's surface recomputes every unit from its own stands and sectors.
    ASSERT_TRUE(modificar(QStringLiteral("desc"), "num", QStringLiteral("2"), {{"sup", "10"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT unidad, sup_tot FROM kelu_obj ORDER BY Id_obj")),
              (QStringList{QStringLiteral("UM-1|25.5"), QStringLiteral("UM-2|10")}));
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("35,5"));
    EXPECT_EQ(mostrado(tabla(QStringLiteral("obj")), {QStringLiteral("sup_tot")}),
              (QStringList{QStringLiteral("25,5"), QStringLiteral("10")}));
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();
}

// --- a number in use cannot be deleted; where it is used, per case.
struct CasoUso
{
    const char *nombre;
    const char *tabla; // where the number is used
    KeluFixture::Valores valores;
    const char *borrado;  // dataset and key of the row then deleted
    const char *clave;
    const char *valor;
};

void PrintTo(const CasoUso &c, std::ostream *os)
{
    *os << c.nombre;
}

class Usos : public KeluFixture, public ::testing::WithParamInterface<CasoUso>
{
};

// A deletion left rows pointing at a stand or sector that no longer existed.
TEST_P(Usos, NumberInUseIsNotDeletedAndAnUnusedOneIs)
{
    rodalesYSector();
    const CasoUso &c = GetParam();
    ASSERT_TRUE(agregar(QLatin1String(c.tabla), c.valores)) << mensajes().join(QLatin1Char('\n')).toStdString();
    const QString sufijo = QLatin1String(c.borrado);
    const QString tablaBd = QStringLiteral("kelu_") + sufijo;
    const QStringList antes = filas(QStringLiteral("SELECT * FROM ") + tablaBd);
    EXPECT_FALSE(borrar(sufijo, c.clave, QLatin1String(c.valor)));
    EXPECT_EQ(mensajes(), QStringList{QStringLiteral("Este registro no se puede borrar, por que posee registros asociados")});
    EXPECT_EQ(filas(QStringLiteral("SELECT * FROM ") + tablaBd), antes);
    EXPECT_EQ(tabla(sufijo)->RecordCount(), antes.size());

    // The other stand (or a sector nobody names) goes after the confirmation.
    const QString otro = sufijo == QLatin1String("desc") ? QStringLiteral("2") : QString();
    if (!otro.isEmpty() && c.tabla != QLatin1String("obj")) {
        dialogos.boxes.clear();
        EXPECT_TRUE(borrar(sufijo, c.clave, otro));
        EXPECT_EQ(mensajes(), QStringList{QStringLiteral("¿Está seguro de eliminar este registro?")});
    }
}

const CasoUso kUsos[] = {
    {"RodalEnFisiografia", "fis", {{"num", "1"}, {"form", "1"}, {"pen", "5"}, {"alt", "3"}, {"exp", "1"}, {"pos", "1"}}, "desc", "num", "1"},
    {"RodalEnHidrografia", "hidr", {{"num", "1"}, {"masa", "1"}, {"temp", "1"}, {"dist", "1"}, {"ancho", "1"}}, "desc", "num", "1"},
    {"RodalEnIncendios", "ocu_inc", {{"lug", "Borde"}, {"num", "1"}, {"sup", "1"}, {"ano", "2001"}, {"causa", "x"}, {"origen", "1"}},
     "desc", "num", "1"},
    {"RodalEnRestricciones", "rest_var", {{"num", "1"}, {"rec_hid", "47"}}, "desc", "num", "1"},
    {"RodalEnUnaUnidad", "obj", {{"obj", "Producción"}, {"num", "2, 1"}, {"unidad", "UM"}}, "desc", "num", "1"},
    {"SectorEnFisiografia", "fis", {{"num_sec", "A"}, {"form", "1"}, {"pen", "5"}, {"alt", "3"}, {"exp", "1"}, {"pos", "1"}},
     "det_sec", "num_sec", "A"},
    {"SectorEnHidrografia", "hidr", {{"num_sec", "A"}, {"masa", "1"}, {"temp", "1"}, {"dist", "1"}, {"ancho", "1"}}, "det_sec", "num_sec", "A"},
    {"SectorEnUnaUnidad", "obj", {{"obj", "Producción"}, {"num", "2"}, {"num_sec", "A"}, {"unidad", "UM"}}, "det_sec", "num_sec", "A"},
};

INSTANTIATE_TEST_SUITE_P(Kelu, Usos, ::testing::ValuesIn(kUsos),
                         [](const ::testing::TestParamInfo<CasoUso> &i) { return std::string(i.param.nombre); });

TEST_F(Rodales, DeletionAnsweredNoKeepsTheRow)
{
    rodalesYSector();
    dialogos.porDefecto = ID::NO;
    EXPECT_FALSE(borrar(QStringLiteral("desc"), "num", QStringLiteral("2")));
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM kelu_desc ORDER BY Id")), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
}

// Renaming a stand left its old number in the diagnosis rows, the measure rows and the
// units' lists.
TEST_F(Rodales, RenamingAStandRenamesEveryUse)
{
    rodalesYSector();
    ASSERT_TRUE(agregar(QStringLiteral("fis"), {{"num", "1"}, {"form", "1"}, {"pen", "5"}, {"alt", "3"}, {"exp", "1"}, {"pos", "1"}}));
    ASSERT_TRUE(agregar(QStringLiteral("hidr"), {{"num", "1"}, {"masa", "1"}, {"temp", "1"}, {"dist", "1"}, {"ancho", "1"}}));
    ASSERT_TRUE(agregar(QStringLiteral("ocu_inc"), {{"lug", "B"}, {"num", "1"}, {"sup", "1"}, {"ano", "2001"}, {"causa", "x"}, {"origen", "1"}}));
    ASSERT_TRUE(agregar(QStringLiteral("rest_var"), {{"num", "1"}, {"suelo", "Erosión"}, {"rec_hid", "47"}}));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"obj", "P"}, {"num", "2, 1"}, {"unidad", "UM-1"}}));
    ASSERT_TRUE(agregar(QStringLiteral("desc"), {{"num", "11"}, {"sup", "1"}, {"ano", "2003"}, {"esp", "PINO"}, {"est_san", "1"},
                                                {"cap", "6"}}));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"obj", "Q"}, {"num", "11"}, {"unidad", "UM-2"}}));
    ASSERT_TRUE(mensajes().isEmpty());

    // Declining the cascade keeps the stand in edit with nothing written.
    dialogos.responder({ID::NO});
    EXPECT_FALSE(modificar(QStringLiteral("desc"), "num", QStringLiteral("1"), {{"num", "10"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM kelu_fis")), QStringList{QStringLiteral("1")});

    dialogos.boxes.clear();
    ASSERT_TRUE(modificar(QStringLiteral("desc"), "num", QStringLiteral("1"), {{"num", "10"}}));
    EXPECT_EQ(mensajes(), QStringList{QStringLiteral("Esta Modificación cambiará todos los campos relacionados ¿Está seguro de "
                                                     "modificar este registro?")});
    for (const char *t : {"kelu_fis", "kelu_hidr", "kelu_ocu_inc", "kelu_rest_var", "kelu_mepr"})
        EXPECT_EQ(filas(QStringLiteral("SELECT num FROM ") + QLatin1String(t)), QStringList{QStringLiteral("10")}) << t;
    // "11" is another stand: only whole numbers of a list are renamed.
    EXPECT_EQ(filas(QStringLiteral("SELECT num, sup_tot FROM kelu_obj ORDER BY Id_obj")),
              (QStringList{QStringLiteral("2, 10|19.75"), QStringLiteral("11|1")}));
    EXPECT_EQ(mostrado(tabla(QStringLiteral("fis")), {QStringLiteral("num_look")}), QStringList{QStringLiteral("10")});
    EXPECT_EQ(mostrado(tabla(QStringLiteral("obj")), {QStringLiteral("num")}),
              (QStringList{QStringLiteral("2, 10"), QStringLiteral("11")}));
}

TEST_F(Rodales, RenamingASectorRenamesEveryUse)
{
    rodalesYSector();
    ASSERT_TRUE(agregar(QStringLiteral("fis"), {{"num_sec", "A"}, {"form", "1"}, {"pen", "5"}, {"alt", "3"}, {"exp", "1"}, {"pos", "1"}}));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"obj", "P"}, {"num", "2"}, {"num_sec", "A"}, {"unidad", "UM-1"}}));
    ASSERT_TRUE(modificar(QStringLiteral("det_sec"), "num_sec", QStringLiteral("A"), {{"num_sec", "B"}, {"sup", "4"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT num_sec FROM kelu_fis")), QStringList{QStringLiteral("B")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num_sec, sup_tot FROM kelu_obj")), QStringList{QStringLiteral("B|11.25")});
    // An unused number changes without a question.
    dialogos.boxes.clear();
    ASSERT_TRUE(agregar(QStringLiteral("det_sec"), {{"num_sec", "C"}, {"sup", "1"}, {"cap", "6"}, {"tip_veg", "1"}}));
    ASSERT_TRUE(modificar(QStringLiteral("det_sec"), "num_sec", QStringLiteral("C"), {{"num_sec", "D"}}));
    EXPECT_TRUE(mensajes().isEmpty());
}

TEST_F(Rodales, TheStandsButtonOfAUnitStoresTheTickedStandsAndTheirSurface)
{
    rodalesYSector();
    GridColumn *columna = grilla(QStringLiteral("obj"))->ColumnByFieldName(QStringLiteral("num"));
    ASSERT_NE(columna, nullptr);
    ASSERT_TRUE(columna->OnEditButtonClick);
    EXPECT_EQ(columna->buttonStyle(), GridColumn::ButtonStyle::Ellipsis);
    Dataset *obj = tabla(QStringLiteral("obj"));
    obj->Append();
    obj->FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("2"));
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
    bool manejado = false;
    columna->OnEditButtonClick(columna, manejado);
    EXPECT_TRUE(manejado);
    EXPECT_EQ(ofrecidos, (QStringList{QStringLiteral("1"), QStringLiteral("2*")}));
    EXPECT_EQ(obj->FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("1, 2"));
    EXPECT_EQ(obj->FieldByName(QStringLiteral("sup_tot"))->AsString(), QStringLiteral("19,75"));
    obj->Cancel();
}

// Recomputing the units after a stand's post ran the units' field checks, one message
// per unit in the middle of the loop.
TEST_F(Rodales, RecomputingTheUnitsShowsNoMessage)
{
    rodalesYSector();
    // A unit of an older document that names no existing stand.
    ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("INSERT INTO kelu_obj (obj, num, unidad, sup_tot) VALUES ('Vieja', '9', 'UM-9', 5)")));
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"obj", "P"}, {"num", "1"}, {"unidad", "UM-1"}}));
    ASSERT_TRUE(modificar(QStringLiteral("desc"), "num", QStringLiteral("1"), {{"sup", "20"}}));
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(filas(QStringLiteral("SELECT unidad, sup_tot FROM kelu_obj ORDER BY Id_obj")),
              (QStringList{QStringLiteral("UM-9|0"), QStringLiteral("UM-1|20")}));
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("20"));
}
