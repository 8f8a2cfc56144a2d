// A small described plan, built as a form plug-in builds itself, with the framework's
// data-entry services attached: its validation table stops a bad post with the message
// and the focus, its coded columns offer their lists with free entries, its stand numbers
// are carried into the grids that use them.
#include "abort.h"
#include "builtform.h"
#include "connection.h"
#include "dbgrid.h"
#include "entrada/tformselotro.h"
#include "entrada/ventanaentrada.h"
#include "field.h"
#include "formbuilder.h"
#include "formcomponents.h"
#include "formdescriptionparser.h"
#include "formtemplate.h"
#include "gridcolumn.h"
#include "scripteddialogs.h"
#include "table.h"
#include "util_bbdd.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char *kDescripcion = R"form(form ENTR
caption "Formulario ENTR"
title "PLAN DE PRUEBA"

table entr main
  Id       autoinc
  sup_afe  float

table entr_desc
  Id       autoinc
  num      text 6   "Rodal\nNº"
  sup      float    "Superficie\n(ha)"
  uso      integer  "Uso Actual"

table entr_fis
  Id       autoinc
  num      text 6
  pend     integer  "Pendiente"
  num_look lookup num=entr_desc.num result=num "Rodal Nº"

page
  label "No cambiar nada de esta página !" warning

page "Descripción de Rodales"
  grid dbgENTR_desc entr_desc
    num
    sup
    uso list=tceUsoActual

page "Fisiografía"
  grid dbgENTR_fis entr_fis
    num_look
    pend

validate entr_desc
  num tvNoVacio tvUnico
  sup tvNoVacio tvPositivo
)form";

class FormularioEntrada : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QStringList errores;
        const auto d = FormDescriptionParser::parse(QString::fromUtf8(kDescripcion), QStringLiteral("entr.form"), &errores);
        ASSERT_TRUE(d) << errores.join(QLatin1Char('\n')).toStdString();
        QString error;
        ASSERT_TRUE(FormTemplate::write(*d, dir.filePath(QStringLiteral("ENTR.db")), &error)) << error.toStdString();
        ventana.DirAplicacion = CopiarProgramaConstruido(dir.path());
        ASSERT_TRUE(trabajo.open(dir.filePath(QStringLiteral("ENTR.db"))));
        ASSERT_TRUE(ppal.open(ventana.DirAplicacion + QStringLiteral("bbdd/bd.db")));
        construido = FormBuilder::build(*d, &ventana, &trabajo, &ppal);
        ASSERT_TRUE(construido->openDatasets(&errores)) << errores.join(QLatin1Char('\n')).toStdString();
        ventana.ConexionBD = &trabajo;
        ventana.ConexionBDPpal = &ppal;
        ventana.Paginas = construido->pages();
        ventana.InstalarValidaciones(*construido);
        ASSERT_TRUE(ventana.InstalarListas(*construido));
        rodales = findComponent<DBGrid>(&ventana, QStringLiteral("dbgENTR_desc"));
        fisiografia = findComponent<DBGrid>(&ventana, QStringLiteral("dbgENTR_fis"));
        ASSERT_TRUE(rodales && fisiografia);
        desc = rodales->DataSet();
        fis = fisiografia->DataSet();
    }

    void rodal(const char *num, double sup)
    {
        ASSERT_TRUE(desc->Append());
        ASSERT_TRUE(desc->FieldByName(QStringLiteral("num"))->setAsString(QString::fromUtf8(num)));
        ASSERT_TRUE(desc->FieldByName(QStringLiteral("sup"))->setAsFloat(sup));
        ASSERT_TRUE(catchAbort([&] { ASSERT_TRUE(desc->Post()); }));
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogos{ID::YES};
    VentanaEntrada ventana;
    Connection trabajo, ppal;
    BuiltForm *construido = nullptr;
    DBGrid *rodales = nullptr;
    DBGrid *fisiografia = nullptr;
    Dataset *desc = nullptr;
    Dataset *fis = nullptr;
};

TEST_F(FormularioEntrada, LaTablaDeValidacionDetieneUnaFilaMala)
{
    ventana.CambiarHoja(2);
    ASSERT_TRUE(desc->Append());
    rodales->setSelectedIndex(2);
    EXPECT_FALSE(catchAbort([&] { desc->Post(); }));
    EXPECT_EQ(dialogos.textos(), QStringList{QStringLiteral("Error en Formulario PRUE: \n\nEl campo \"Rodal Nº\" no puede quedar vacío.")});
    EXPECT_EQ(ventana.HojaActual, 1);
    EXPECT_EQ(rodales->SelectedIndex(), 0);
    EXPECT_EQ(desc->State(), DatasetState::Insert);

    desc->Cancel();
    rodal("1", 10);
    ASSERT_TRUE(desc->Append());
    ASSERT_TRUE(desc->FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("1")));
    EXPECT_FALSE(catchAbort([&] { desc->Post(); }));
    EXPECT_TRUE(dialogos.textos().last().contains(QStringLiteral("El campo \"Rodal Nº\" contiene un valor utilizado anteriormente")));
    ASSERT_TRUE(desc->FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("2")));
    EXPECT_FALSE(catchAbort([&] { desc->Post(); }));
    EXPECT_TRUE(dialogos.textos().last().endsWith(QStringLiteral("El campo \"Superficie (ha)\" no puede quedar vacío.")));
    EXPECT_EQ(rodales->SelectedIndex(), 1);
}

TEST_F(FormularioEntrada, LaColumnaCodificadaOfreceSuListaConOtro)
{
    GridColumn *uso = rodales->ColumnByFieldName(QStringLiteral("uso"));
    EXPECT_TRUE(uso->PickList().contains(QStringLiteral("OTRO")));
    rodal("1", 10);
    AlAbrirModal([](QDialog *d) {
        auto *otro = static_cast<TformSelOtro *>(d);
        Teclear(otro->Otro, QStringLiteral("matorral"));
        otro->btnAceptar->click();
    });
    ASSERT_TRUE(rodales->writeCell(2, QStringLiteral("OTRO"), QStringLiteral("99")));
    ASSERT_TRUE(catchAbort([&] { ASSERT_TRUE(desc->Post()); }));
    EXPECT_EQ(uso->DisplayText(), QStringLiteral("MATORRAL"));
    EXPECT_EQ(desc->FieldByName(QStringLiteral("uso"))->AsInteger(), -1);
}

TEST_F(FormularioEntrada, ElNumeroDeRodalSigueASusFilas)
{
    rodal("1", 10);
    rodal("2", 5);
    for (const char *num : {"1", "2", "1"}) {
        ASSERT_TRUE(fis->Append());
        ASSERT_TRUE(fis->FieldByName(QStringLiteral("num_look"))->setAsString(QString::fromUtf8(num)));
        ASSERT_TRUE(fis->Post());
    }
    GridColumn *num = rodales->Columns(0);
    num->OnUpdateData = [this](GridColumn *c, QString &t, QVariant &v, bool &h) {
        ventana.UpdateHijos(c, t, v, h, {fisiografia}, {QStringLiteral("num_look")});
    };
    desc->First();
    ASSERT_TRUE(rodales->writeCell(0, QStringLiteral("1A"), QStringLiteral("1A")));
    EXPECT_EQ(Consulta2(&trabajo, QStringLiteral("SELECT num FROM entr_fis ORDER BY Id")),
              (QStringList{QStringLiteral("1A"), QStringLiteral("2"), QStringLiteral("1A")}));
    fis->First();
    EXPECT_EQ(fisiografia->Columns(0)->DisplayText(), QStringLiteral("1A"));

    // Deleting a stand that rows use is refused when their grid is searched.
    desc->BeforeDelete = [this](Dataset *ds) {
        ventana.TieneHijos({fisiografia, rodales}, {QStringLiteral("num_look"), QStringLiteral("num")}, ds,
                           ds->FieldByName(QStringLiteral("num"))->Value());
    };
    desc->Cancel();
    desc->First();
    EXPECT_FALSE(catchAbort([&] { desc->Delete(); }));
    EXPECT_EQ(dialogos.textos().last(), QStringLiteral("Este registro no se puede borrar, por que posee registros asociados"));
    EXPECT_EQ(desc->RecordCount(), 2);
}

} // namespace
