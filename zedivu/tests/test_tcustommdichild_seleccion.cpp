// Fields that hold a list of items: the binding of grid columns and edits to their
// multi-selection list, what the list opens with and what the field receives; and the
// lists a form description names for its grid columns.
#include "builtform.h"
#include "connection.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "entrada/consultaseleccionmultiple.h"
#include "entrada/tformmultiseleccion.h"
#include "entrada/ventanaentrada.h"
#include "field.h"
#include "gridcolumn.h"
#include "scripteddialogs.h"
#include "table.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Seleccion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(ppal.open(DirProgramaConstruido() + QStringLiteral("bbdd/bd.db"), Connection::ReadOnly));
        ventana.ConexionBDPpal = &ppal;
        ventana.DirAplicacion = DirProgramaConstruido();
        ASSERT_TRUE(trabajo.open(dir.filePath(QStringLiteral("t.db")), Connection::ReadWriteCreate));
        ASSERT_TRUE(trabajo.execScript(QStringLiteral(
            "CREATE TABLE t (Id INTEGER PRIMARY KEY AUTOINCREMENT, esp VARCHAR(250), ano VARCHAR(100), uso INTEGER);"
            "INSERT INTO t (esp) VALUES (NULL);")));
        tabla.setTableName(QStringLiteral("t"));
        tabla.setConnection(&trabajo);
        ASSERT_TRUE(tabla.Open());
        fuente.setDataSet(&tabla);
        grilla = new DBGrid(&ventana);
        grilla->setObjectName(QStringLiteral("dbgT"));
        grilla->setDataSource(&fuente);
        grilla->addColumn(QStringLiteral("ano"));
        grilla->addColumn(QStringLiteral("esp"));
        const ConsultaLista c = ConsultaSeleccionMultiple(tsmEspecieKELU, true, QDate::currentDate().year());
        especies = Consulta2(&ppal, c.sql, c.params);
        ASSERT_GE(especies.size(), 3);
    }

    void escribir(const QString &campo, const QString &texto)
    {
        ASSERT_TRUE(tabla.Edit());
        ASSERT_TRUE(tabla.FieldByName(campo)->setAsString(texto));
        ASSERT_TRUE(tabla.Post());
    }
    QString valor(const char *campo) { return tabla.FieldByName(QLatin1String(campo))->AsString(); }

    // Clicks the button of the grid's column `columna`; `accion` acts in the list.
    void clic(int columna, std::function<void(TformMultiSeleccion *)> accion)
    {
        AlAbrirModal([accion](QDialog *d) { accion(static_cast<TformMultiSeleccion *>(d)); });
        grilla->setSelectedIndex(columna);
        grilla->clickEditButton();
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogos;
    VentanaEntrada ventana;
    Connection ppal, trabajo;
    Table tabla;
    DataSource fuente;
    DBGrid *grilla = nullptr;
    QStringList especies;
};

TEST_F(Seleccion, ColumnaAbreConLoGuardadoYGuardaLoMarcado)
{
    ventana.SeleccionMultiple(grilla, QStringLiteral("ESP"), tsmEspecieKELU);
    GridColumn *c = grilla->Columns(1);
    EXPECT_EQ(c->buttonStyle(), GridColumn::ButtonStyle::Ellipsis);
    EXPECT_EQ(c->Tag(), 0);
    ASSERT_EQ(ventana.SeleccionesMultiples.size(), 1);

    escribir(QStringLiteral("esp"), especies.at(2) + QStringLiteral(", ") + especies.at(0));
    QStringList alAbrir;
    clic(1, [&](TformMultiSeleccion *v) {
        alAbrir = v->marcados();
        v->clbMultiDblClick(v->clbMulti->item(1));
        v->btnAceptar->click();
    });
    EXPECT_EQ(alAbrir, (QStringList{especies.at(0), especies.at(2)}));
    EXPECT_EQ(valor("esp"), especies.mid(0, 3).join(QStringLiteral(", ")));
    EXPECT_EQ(tabla.State(), DatasetState::Edit);
    ASSERT_TRUE(tabla.Post());

    clic(1, [](TformMultiSeleccion *v) { v->btnCancelar->click(); });
    EXPECT_EQ(valor("esp"), especies.mid(0, 3).join(QStringLiteral(", ")));

    clic(1, [](TformMultiSeleccion *v) {
        for (int i = 0; i < v->clbMulti->count(); ++i)
            v->clbMulti->item(i)->setCheckState(Qt::Unchecked);
        v->btnAceptar->click();
    });
    EXPECT_TRUE(tabla.FieldByName(QStringLiteral("esp"))->IsNull());
}

TEST_F(Seleccion, UnaListaSinFilasPitaYNoCambiaNada)
{
    int pitidos = 0;
    const auto anterior = TformMultiSeleccion::Pitido;
    TformMultiSeleccion::Pitido = [&] { ++pitidos; };
    // The stand list of a plan that has no stands yet.
    ASSERT_TRUE(trabajo.execScript(QStringLiteral("CREATE TABLE rodal (num VARCHAR(6));")));
    ventana.SeleccionMultiple(grilla, QStringLiteral("esp"), QStringLiteral("SELECT num FROM rodal"), &trabajo);
    escribir(QStringLiteral("esp"), QStringLiteral("1, 2"));
    grilla->setSelectedIndex(1);
    grilla->clickEditButton();
    TformMultiSeleccion::Pitido = anterior;
    EXPECT_EQ(pitidos, 1);
    EXPECT_EQ(valor("esp"), QStringLiteral("1, 2"));
    EXPECT_EQ(tabla.State(), DatasetState::Browse);
}

TEST_F(Seleccion, AnosHastaElEnCurso)
{
    ventana.SeleccionMultiple(grilla, QStringLiteral("ano"), tsmAnoActualMax);
    QString ultimo;
    clic(0, [&](TformMultiSeleccion *v) {
        ultimo = v->clbMulti->item(v->clbMulti->count() - 1)->text();
        v->clbMulti->item(0)->setCheckState(Qt::Checked);
        v->btnAceptar->click();
    });
    EXPECT_EQ(ultimo, QString::number(QDate::currentDate().year()));
    EXPECT_FALSE(valor("ano").isEmpty());
}

TEST_F(Seleccion, EditConYSinBoton)
{
    auto *sinBoton = new DBEdit(&ventana);
    sinBoton->setObjectName(QStringLiteral("edt_esp"));
    sinBoton->setDataSource(&fuente, QStringLiteral("esp"));
    ventana.SeleccionMultiple(sinBoton, tsmEspecie);
    EXPECT_TRUE(dialogos.textos().last().startsWith(
        QStringLiteral("El DBEditEh \"edt_esp\" no tiene un TEditButtonEh creado en design-time")));
    EXPECT_TRUE(ventana.SeleccionesMultiples.isEmpty());

    auto *edit = new DBEdit(&ventana);
    edit->setDataSource(&fuente, QStringLiteral("esp"));
    QAction *boton = edit->addAction(QIcon(), QLineEdit::TrailingPosition);
    // Flora and fauna are for grids: an edit gets nothing.
    ventana.SeleccionMultiple(edit, tsmFlora);
    EXPECT_TRUE(ventana.SeleccionesMultiples.isEmpty());
    ventana.SeleccionMultiple(edit, tsmEspecie);
    EXPECT_TRUE(edit->controlReadOnly());
    AlAbrirModal([](QDialog *d) {
        auto *v = static_cast<TformMultiSeleccion *>(d);
        v->clbMulti->item(0)->setCheckState(Qt::Checked);
        v->btnAceptar->click();
    });
    boton->trigger();
    EXPECT_FALSE(valor("esp").isEmpty());
}

// After the list window closed from an edit's button no window was active, so keys went
// nowhere until the user clicked.
TEST_F(Seleccion, ElEditRecuperaElTecladoTrasLaVentana)
{
    auto *edit = new DBEdit(&ventana);
    edit->setDataSource(&fuente, QStringLiteral("esp"));
    QAction *boton = edit->addAction(QIcon(), QLineEdit::TrailingPosition);
    ventana.SeleccionMultiple(edit, tsmEspecie);
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    AlAbrirModal([](QDialog *d) { static_cast<TformMultiSeleccion *>(d)->btnAceptar->click(); });
    boton->trigger();
    QTest::qWait(20);
    EXPECT_EQ(QApplication::activeWindow(), &ventana);
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST_F(Seleccion, ListasDeLaDescripcion)
{
    FormDescription d;
    PageDescription p;
    ControlDescription g;
    g.kind = ControlDescription::Kind::Grid;
    g.name = QStringLiteral("dbgT");
    g.grid.columns << GridColumnDescription{QStringLiteral("ano"), {}, 0, false, false, QStringLiteral("tsmAnoActualMax"), 1}
                   << GridColumnDescription{QStringLiteral("uso"), {}, 0, false, false, QStringLiteral("tceUsoActual"), 2};
    grilla->addColumn(QStringLiteral("uso"));
    ControlDescription grupo;
    grupo.kind = ControlDescription::Kind::Group;
    grupo.children << g;
    p.controls << grupo;
    d.pages << p;
    BuiltForm construido(d, &ventana);
    EXPECT_TRUE(ventana.InstalarListas(construido));
    EXPECT_EQ(grilla->Columns(0)->buttonStyle(), GridColumn::ButtonStyle::Ellipsis);
    EXPECT_FALSE(grilla->Columns(2)->KeyList().isEmpty());
    EXPECT_TRUE(dialogos.boxes.isEmpty());

    d.pages[0].controls[0].children[0].grid.columns[1].list = QStringLiteral("tceNoExiste");
    BuiltForm malo(d, &ventana);
    EXPECT_FALSE(ventana.InstalarListas(malo));
    EXPECT_TRUE(dialogos.textos().last().startsWith(QStringLiteral("Lista \"tceNoExiste\" desconocida (columna \"uso\" de \"dbgT\")")));
}

// Fault: long scientific names were cut off at the window's right edge.
TEST(VentanaMultiSeleccion, ShowsTheLongestNameWhole)
{
    const QString largo = QStringLiteral("Nothofagus alessandrii x Nothofagus glauca (híbrido de ruil y hualo)");
    TformMultiSeleccion corta;
    corta.cargar({QStringLiteral("Pinus radiata")}, {});
    EXPECT_EQ(corta.width(), 320);
    TformMultiSeleccion ventana;
    ventana.cargar({QStringLiteral("Pinus radiata"), largo}, {});
    ventana.show();
    QApplication::processEvents();
    EXPECT_GE(ventana.clbMulti->viewport()->width(), ventana.clbMulti->sizeHintForColumn(0));
}

} // namespace
