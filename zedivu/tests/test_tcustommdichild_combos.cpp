// Coded grid columns with an "other" entry: the free description typed for "OTRO" is
// filed in the main database, reused when typed again, and shown in the grid.
#include "connection.h"
#include "datasource.h"
#include "dbgrid.h"
#include "entrada/tformselotro.h"
#include "entrada/ventanaentrada.h"
#include "gridcolumn.h"
#include "scripteddialogs.h"
#include "table.h"
#include "util_bbdd.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ColumnaConOtro : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ventana.DirAplicacion = CopiarProgramaConstruido(dir.path());
        bd = ventana.DirAplicacion + QStringLiteral("bbdd/bd.db");
        ASSERT_TRUE(conexion.open(dir.filePath(QStringLiteral("trabajo.db")), Connection::ReadWriteCreate));
        ASSERT_TRUE(conexion.execScript(QStringLiteral("CREATE TABLE t (Id INTEGER PRIMARY KEY AUTOINCREMENT, uso INTEGER);")));
        tabla.setTableName(QStringLiteral("t"));
        tabla.setConnection(&conexion);
        ASSERT_TRUE(tabla.Open());
        fuente.setDataSet(&tabla);
        grilla.setObjectName(QStringLiteral("dbgT"));
        grilla.setDataSource(&fuente);
        columna = grilla.addColumn(QStringLiteral("uso"));
        ASSERT_TRUE(ventana.ComboExterno(&grilla, QStringLiteral("uso"), tceUsoActual));
    }

    // Chooses "OTRO" in a new row; the dialog gets `texto` (null: cancelled).
    bool elegirOtro(const char *texto)
    {
        AlAbrirModal([texto](QDialog *d) {
            auto *otro = static_cast<TformSelOtro *>(d);
            if (!texto) {
                otro->btnCancelar->click();
                return;
            }
            Teclear(otro->Otro, QString::fromUtf8(texto));
            otro->btnAceptar->click();
        });
        if (!tabla.Append())
            return false;
        return grilla.writeCell(0, QStringLiteral("OTRO"), QStringLiteral("99"));
    }

    int filasOtros() { return Consulta(bd, QStringLiteral("SELECT count(*) FROM otros WHERE otr_tce='tceUsoActual'")).toInt(); }

    QTemporaryDir dir;
    ScriptedDialogs dialogos;
    VentanaEntrada ventana;
    QString bd;
    Connection conexion;
    Table tabla;
    DataSource fuente;
    DBGrid grilla;
    GridColumn *columna = nullptr;
};

TEST_F(ColumnaConOtro, LaColumnaConoceSuTipoYElCodigoDeOtro)
{
    EXPECT_EQ(columna->MinWidth(), -99);
    EXPECT_EQ(ventana.ColumnasOtro, QList<GridColumn *>{columna});
    EXPECT_EQ(ventana.TiposOtro, QStringList{QStringLiteral("tceUsoActual")});
    // Filled again (forms do after an insert): still one entry.
    ASSERT_TRUE(ventana.ComboExterno(&grilla, QStringLiteral("uso"), tceUsoActual));
    EXPECT_EQ(ventana.ColumnasOtro.size(), 1);
}

TEST_F(ColumnaConOtro, OtroSeCreaSeReusaYSeMuestra)
{
    const int fijas = columna->KeyList().size();
    ASSERT_TRUE(elegirOtro("huerto de o'higgins"));
    EXPECT_EQ(tabla.FieldByName(QStringLiteral("uso"))->AsInteger(), -1);
    EXPECT_EQ(columna->DisplayText(), QStringLiteral("HUERTO DE O'HIGGINS"));
    ASSERT_TRUE(tabla.Post());
    EXPECT_EQ(filasOtros(), 1);
    EXPECT_EQ(Consulta(bd, QStringLiteral("SELECT otr_descripcion FROM otros WHERE otr_codigo=-1 AND otr_tce=?"),
                       {QStringLiteral("tceUsoActual")}),
              QStringLiteral("HUERTO DE O'HIGGINS"));

    // The same description again: its code, no second row, one list entry.
    ASSERT_TRUE(elegirOtro("huerto de o'higgins"));
    EXPECT_EQ(tabla.FieldByName(QStringLiteral("uso"))->AsInteger(), -1);
    ASSERT_TRUE(tabla.Post());
    EXPECT_EQ(filasOtros(), 1);
    EXPECT_EQ(columna->KeyList().size(), fijas + 1);

    // Another description: the next code down.
    ASSERT_TRUE(elegirOtro("vivero"));
    EXPECT_EQ(tabla.FieldByName(QStringLiteral("uso"))->AsInteger(), -2);
    ASSERT_TRUE(tabla.Post());
    EXPECT_EQ(filasOtros(), 2);

    // A column filled later offers the filed descriptions after the fixed rows.
    DBGrid otra;
    otra.setDataSource(&fuente);
    GridColumn *c = otra.addColumn(QStringLiteral("uso"));
    ASSERT_TRUE(ventana.ComboExterno(&otra, QStringLiteral("uso"), tceUsoActual));
    EXPECT_EQ(c->KeyList().mid(fijas), (QStringList{QStringLiteral("-1"), QStringLiteral("-2")}));
    EXPECT_EQ(c->PickList().mid(fijas), (QStringList{QStringLiteral("HUERTO DE O'HIGGINS"), QStringLiteral("VIVERO")}));
    tabla.First();
    EXPECT_EQ(c->DisplayText(), QStringLiteral("HUERTO DE O'HIGGINS"));
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QString()).toStdString();
}

TEST_F(ColumnaConOtro, CancelarNoEscribeNada)
{
    ASSERT_TRUE(tabla.Append());
    ASSERT_TRUE(tabla.FieldByName(QStringLiteral("uso"))->setAsInteger(1));
    ASSERT_TRUE(tabla.Post());
    const int entradas = columna->KeyList().size();
    AlAbrirModal([](QDialog *d) { static_cast<TformSelOtro *>(d)->btnCancelar->click(); });
    grilla.writeCell(0, QStringLiteral("OTRO"), QStringLiteral("99"));
    EXPECT_EQ(tabla.FieldByName(QStringLiteral("uso"))->AsInteger(), 1);
    EXPECT_EQ(filasOtros(), 0);
    EXPECT_EQ(columna->KeyList().size(), entradas);
}

TEST_F(ColumnaConOtro, OtrasEleccionesPasanSinCambio)
{
    ASSERT_TRUE(tabla.Append());
    QString texto = columna->PickList().first();
    QVariant valor = columna->KeyList().first();
    bool handled = false;
    ventana.ColEventoOnUpdateData(columna, texto, valor, handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(valor.toString(), columna->KeyList().first());
}

} // namespace

namespace {

TEST_F(ColumnaConOtro, ElEditorDeLaGrillaPideLaDescripcionUnaVez)
{
    int dialogosOtro = 0;
    QTimer reloj;
    reloj.setInterval(5);
    QObject::connect(&reloj, &QTimer::timeout, [&] {
        auto *d = qobject_cast<TformSelOtro *>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || d->property("visto").toBool())
            return;
        d->setProperty("visto", true);
        ++dialogosOtro;
        Teclear(d->Otro, QStringLiteral("vivero"));
        d->btnAceptar->click();
    });
    reloj.start();
    grilla.show();
    QApplication::setActiveWindow(&grilla);
    ASSERT_TRUE(tabla.Append());
    const QModelIndex celda = grilla.view()->model()->index(0, 0);
    grilla.view()->setCurrentIndex(celda);
    grilla.view()->edit(celda);
    auto *combo = grilla.view()->findChild<QComboBox *>();
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    combo->setCurrentIndex(combo->findText(QStringLiteral("OTRO")));
    Q_EMIT combo->activated(combo->currentIndex());
    EXPECT_TRUE(grilla.commitEditor());
    QApplication::processEvents();
    EXPECT_EQ(dialogosOtro, 1);
    EXPECT_EQ(tabla.FieldByName(QStringLiteral("uso"))->AsInteger(), -1);
    EXPECT_EQ(filasOtros(), 1);
}

} // namespace
