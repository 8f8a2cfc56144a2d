// The KELU window as the program loads it: its outline, pages and datasets.
#include "kelufixture.h"

#include "datasource.h"
#include "dbedit.h"
#include "formdescriptionparser.h"
#include "gridcolumn.h"

#include <QImage>
#include <QTabWidget>

TEST_F(KeluFixture, OutlineHasTheTitleAndOneLinePerPage)
{
    const QStringList lineas = form->Secciones.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 15);
    EXPECT_EQ(lineas[0], QStringLiteral("PLAN DE MANEJO PLANTACIONES FORESTALES"));
    EXPECT_EQ(lineas[3], QStringLiteral("\t\tClima"));
    EXPECT_EQ(lineas[14], QStringLiteral("\tProtección al Recurso Forestal"));
    ASSERT_NE(form->Paginas, nullptr);
    EXPECT_EQ(form->Paginas->count(), 15);
    EXPECT_EQ(form->windowTitle().left(15), QStringLiteral("Formulario KELU"));
}

TEST_F(KeluFixture, EveryPageHasItsHelpPage)
{
    for (int i = 0; i < form->Paginas->count(); ++i) {
        form->CambiarHoja(i);
        EXPECT_TRUE(QFile::exists(QStringLiteral(BRENVIK_BIN_DIR "/pres/") + form->PaginaAyuda())) << form->PaginaAyuda().toStdString();
    }
}

// Pictures of every page, for looking at (build/tests/kelu_paginas/NN.png).
TEST_F(KeluFixture, EveryPageRenders)
{
    llenarPlan();
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();
    FotografiarPaginas(form, area, QStringLiteral("kelu_paginas"));
}

// --- field checks: one row posted on a plan holding stands 1 and 2 and sector A.
struct CasoComprobacion
{
    const char *nombre;
    const char *tabla;
    KeluFixture::Valores valores;
    const char *mensaje; // the check's text, empty when the post passes
};

void PrintTo(const CasoComprobacion &c, std::ostream *os)
{
    *os << c.nombre;
}

class Comprobaciones : public KeluFixture, public ::testing::WithParamInterface<CasoComprobacion>
{
};

TEST_P(Comprobaciones, PostPassesOrShowsTheFirstFailure)
{
    rodalesYSector();
    const CasoComprobacion &c = GetParam();
    const bool posteado = agregar(QLatin1String(c.tabla), c.valores);
    const QString esperado = QString::fromUtf8(c.mensaje);
    EXPECT_EQ(posteado, esperado.isEmpty());
    if (esperado.isEmpty())
        EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();
    else
        EXPECT_EQ(mensajes(), QStringList{QStringLiteral("Error en Formulario KELU: \n\n") + esperado + QLatin1Char('.')});
}

const CasoComprobacion kComprobaciones[] = {
    {"RodalSinNumero", "desc", {{"sup", "3"}, {"ano", "2000"}, {"esp", "PINO"}, {"est_san", "1"}, {"cap", "4"}},
     "El campo \"Rodal Nº\" no puede quedar vacío"},
    {"RodalRepetido", "desc", {{"num", "2"}, {"sup", "3"}, {"ano", "2000"}, {"esp", "PINO"}, {"est_san", "1"}, {"cap", "4"}},
     "El campo \"Rodal Nº\" contiene un valor utilizado anteriormente.\nSólo se permiten valores únicos para este campo"},
    {"RodalSinSuperficie", "desc", {{"num", "3"}, {"sup", "0"}, {"ano", "2000"}, {"esp", "PINO"}, {"est_san", "1"}, {"cap", "4"}},
     "El campo \"Superficie (ha)\" no puede ser nulo"},
    {"RodalAnoFueraDeRango", "desc", {{"num", "3"}, {"sup", "1"}, {"ano", "1899"}, {"esp", "PINO"}, {"est_san", "1"}, {"cap", "4"}},
     "El campo \"Año Plantación\" sólo permite valores de año entre 1900 y 2099"},
    {"SectorRepetido", "det_sec", {{"num_sec", "A"}, {"sup", "1"}, {"cap", "4"}, {"tip_veg", "1"}},
     "El campo \"Sector Nº\" contiene un valor utilizado anteriormente.\nSólo se permiten valores únicos para este campo"},
    {"FisiografiaSinRodalNiSector", "fis", {{"form", "1"}, {"pen", "5"}, {"alt", "300"}, {"exp", "1"}, {"pos", "1"}},
     "El campo \"Sector Nº\" no puede quedar vacío"},
    {"FisiografiaDeUnRodal", "fis", {{"num", "1"}, {"form", "1"}, {"pen", "0"}, {"alt", "300"}, {"exp", "1"}, {"pos", "1"}}, ""},
    {"FisiografiaPendienteNegativa", "fis", {{"num_sec", "A"}, {"form", "1"}, {"pen", "-1"}, {"alt", "3"}, {"exp", "1"}, {"pos", "1"}},
     "El campo \"Pendiente media (%)\" no puede contener valores negativos"},
    {"HidrografiaSinRodalNiSector", "hidr", {{"masa", "1"}, {"temp", "1"}, {"dist", "10"}, {"ancho", "2"}},
     "El campo \"Sector Nº\" no puede quedar vacío"},
    {"HidrografiaDeUnSector", "hidr", {{"num_sec", "A"}, {"masa", "1"}, {"temp", "1"}, {"dist", "10"}, {"ancho", "0"}}, ""},
    {"IncendioSinSuperficie", "ocu_inc", {{"lug", "Borde"}, {"num", "1"}, {"sup", "0"}, {"ano", "2001"}, {"causa", "x"}, {"origen", "1"}},
     "El campo \"Superficie afectada (ha)\" no puede ser nulo"},
    {"RestriccionSinRecursoHidrico", "rest_var", {{"num", "1"}}, "El campo \"Recursos Hídricos\" no puede quedar vacío"},
    {"UnidadSinRodales", "obj", {{"obj", "Producción"}, {"unidad", "UM"}}, "El campo \"Rodal(es) Nº\" no puede quedar vacío"},
    {"UnidadDeRodalesDesconocidos", "obj", {{"obj", "Producción"}, {"num", "9"}, {"unidad", "UM"}},
     "El campo \"Superficie total unidad (ha)\" no puede ser nulo"},
    {"CaminoIncompleto", "plan_cam", {{"cam_id", "C1"}, {"long", "2"}, {"ancho", "4"}}, "El campo \"Nº\" no puede quedar vacío"},
    {"CaminoSinLongitud", "plan_cam", {{"cam_id", "C1"}, {"num_cam", "1"}, {"long", "0"}, {"ancho", "4"}},
     "El campo \"Longitud (km)\" no puede ser nulo"},
    {"SoloCancha", "plan_cam", {{"can_id", "K1"}, {"num_can", "1"}, {"sup", "0,5"}}, ""},
    {"CanchaSinSuperficie", "plan_cam", {{"can_id", "K1"}, {"num_can", "1"}}, "El campo \"Superficie (ha)\" no puede quedar vacío"},
    {"CaminoYCancha", "plan_cam", {{"cam_id", "C1"}, {"num_cam", "1"}, {"long", "2"}, {"ancho", "4"}, {"can_id", "K1"}, {"num_can", "1"}, {"sup", "1"}}, ""},
};

INSTANTIATE_TEST_SUITE_P(Kelu, Comprobaciones, ::testing::ValuesIn(kComprobaciones),
                         [](const ::testing::TestParamInfo<CasoComprobacion> &i) { return std::string(i.param.nombre); });

TEST_F(KeluFixture, SetUpMarksThePropertyUnknownWithoutAnyMessage)
{
    EXPECT_EQ(filas(QStringLiteral("SELECT cod_pre FROM kelu")), QStringList{QStringLiteral("-1")});
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();
}

TEST_F(KeluFixture, JudicialMemoIsWritableExactlyWhenTheBoxIsTicked)
{
    QWidget *memo = form->findChild<QWidget *>(QStringLiteral("mem_resJud_desc"));
    ASSERT_NE(memo, nullptr);
    EXPECT_FALSE(memo->isEnabled());
    Dataset *ppal = tabla(QString());
    ppal->Edit();
    for (bool tiene : {true, false, true}) {
        ppal->FieldByName(QStringLiteral("resJud_tiene"))->setAsBoolean(tiene);
        EXPECT_EQ(memo->isEnabled(), tiene);
    }
}

TEST_F(KeluFixture, FormCheckWantsAMeasureForEveryStatedRestriction)
{
    rodalesYSector();
    EXPECT_TRUE(form->ValidarFormulario());
    ASSERT_TRUE(agregar(QStringLiteral("rest_var"), {{"num", "1"}, {"suelo", "Erosión"}, {"rec_hid", "47"}}));
    bool valido = true;
    EXPECT_FALSE(catchAbort([&] { valido = form->ValidarFormulario(); }));
    EXPECT_EQ(mensajes().value(0), QStringLiteral("Error en Formulario KELU: \n\nHay rodales que tienen restricciones ambientales "
                                                  "definidas, pero\nno tienen explicitada sus medidas de protección."));
    EXPECT_EQ(form->HojaActual, 13);
    EXPECT_EQ(form->Paginas->currentIndex(), 13);

    ASSERT_TRUE(modificar(QStringLiteral("mepr"), "tip_rest", QStringLiteral("53"), {{"med_prot", "Curvas de nivel"}}));
    EXPECT_TRUE(form->ValidarFormulario());
}

TEST_F(KeluFixture, EveryListTheDescriptionNamesIsAttached)
{
    QStringList errores;
    const auto d = FormDescriptionParser::parseFile(QStringLiteral(":/forms/KELU.form"), &errores);
    ASSERT_TRUE(d) << errores.join(QLatin1Char('\n')).toStdString();
    int listas = 0;
    std::function<void(const QList<ControlDescription> &)> recorrer = [&](const QList<ControlDescription> &controles) {
        for (const ControlDescription &c : controles) {
            recorrer(c.children);
            for (const GridColumnDescription &col : c.grid.columns) {
                if (col.list.isEmpty())
                    continue;
                ++listas;
                GridColumn *g = form->findChild<DBGrid *>(c.name)->ColumnByFieldName(col.field);
                ASSERT_NE(g, nullptr) << c.name.toStdString();
                if (col.list.startsWith(QLatin1String("tce")))
                    EXPECT_FALSE(g->KeyList().isEmpty()) << c.name.toStdString() << " " << col.field.toStdString();
                else
                    EXPECT_EQ(g->buttonStyle(), GridColumn::ButtonStyle::Ellipsis) << c.name.toStdString() << " " << col.field.toStdString();
            }
        }
    };
    for (const PageDescription &p : d->pages)
        recorrer(p.controls);
    EXPECT_EQ(listas, 31);
}

// --- the document's request form DORVO: the first page shows its property data.
class KeluConDorvo : public KeluFixture
{
protected:
    KeluConDorvo() { conDorvo = true; }
};

TEST_F(KeluConDorvo, PropertyPageShowsTheRequestFormsDataReadOnly)
{
    TCustomMDIChild *dorvo = formularios.value(1);
    ASSERT_NE(dorvo, nullptr);
    // Filled by hand, without the request form's own checks.
    dorvo->Guardando = true;
    Dataset *ppal = dorvo->DatasetPpal;
    ppal->Edit();
    ppal->FieldByName(QStringLiteral("nom_pre"))->setAsString(QStringLiteral("EL ROBLE"));
    ppal->FieldByName(QStringLiteral("sup"))->setAsString(QStringLiteral("120,5"));
    ASSERT_TRUE(catchAbort([ppal] { ppal->Post(); }));
    Dataset *coo = form->BuscarDataset(QStringLiteral("dorvo"), QStringLiteral("coo"));
    ASSERT_NE(coo, nullptr);
    coo->Append();
    coo->FieldByName(QStringLiteral("pun"))->setAsString(QStringLiteral("Portón"));
    coo->FieldByName(QStringLiteral("n"))->setAsString(QStringLiteral("6298000"));
    coo->FieldByName(QStringLiteral("e"))->setAsString(QStringLiteral("352000"));
    ASSERT_TRUE(catchAbort([coo] { coo->Post(); }));
    dorvo->Guardando = false;

    auto *nombre = form->findChild<DBEdit *>(QStringLiteral("edt_nom_pre"));
    ASSERT_NE(nombre, nullptr);
    EXPECT_EQ(nombre->text(), QStringLiteral("EL ROBLE"));
    EXPECT_TRUE(nombre->isReadOnly());
    EXPECT_EQ(form->findChild<DBEdit *>(QStringLiteral("edt_sup"))->text(), QStringLiteral("120,5"));
    DBGrid *coordenadas = form->findChild<DBGrid *>(QStringLiteral("dbgCoordenadas"));
    ASSERT_NE(coordenadas, nullptr);
    ASSERT_NE(coordenadas->dataSource(), nullptr);
    EXPECT_EQ(coordenadas->dataSource()->DataSet(), coo);
    for (const char *grilla : {"dbgPropietarios", "dbgRoles", "dbgRolesContiguos"}) {
        DBGrid *g = form->findChild<DBGrid *>(QLatin1String(grilla));
        ASSERT_TRUE(g && g->dataSource() && g->dataSource()->DataSet()) << grilla;
    }
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();

    area->show();
    form->CambiarHoja(0);
    QCoreApplication::processEvents();
    QDir().mkpath(QStringLiteral("kelu_paginas"));
    form->grab().save(QStringLiteral("kelu_paginas/00_dorvo.png"));
}

// A saved plan reopens whole, and its rules keep working on the loaded data.
TEST_F(KeluFixture, SavedPlanReopensWithItsRulesAtWork)
{
    llenarPlan();
    Dataset *ppal = tabla(QString());
    ppal->Edit();
    ppal->FieldByName(QStringLiteral("resJud_tiene"))->setAsBoolean(true);
    ppal->FieldByName(QStringLiteral("resJud_desc"))->setAsString(QStringLiteral("Causa rol 123-2019"));
    ASSERT_TRUE(catchAbort([ppal] { ppal->Post(); }));
    const QString archivo = app + QStringLiteral("plan.fkel");
    ASSERT_TRUE(TCustomMDIChild::GuardarDocumento(archivo, {form.data()}));
    const QStringList tablas{QStringLiteral("kelu_desc"), QStringLiteral("kelu_obj"), QStringLiteral("kelu_mepr"),
                             QStringLiteral("kelu_poda"), QStringLiteral("kelu")};
    const QStringList antes = ContenidoTablas(form->ConexionBD, tablas);

    abrirDocumento();
    ASSERT_TRUE(form->Cargar(archivo));
    const QStringList despues = ContenidoTablas(form->ConexionBD, tablas);
    EXPECT_EQ(despues, antes);
    EXPECT_TRUE(form->findChild<QWidget *>(QStringLiteral("mem_resJud_desc"))->isEnabled());

    ASSERT_TRUE(modificar(QStringLiteral("desc"), "num", QStringLiteral("1"), {{"num", "1A"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM kelu_obj")), QStringList{QStringLiteral("1A, 2")});
    EXPECT_EQ(filas(QStringLiteral("SELECT DISTINCT num FROM kelu_mepr")), QStringList{QStringLiteral("1A")});
    ASSERT_TRUE(modificar(QStringLiteral("var_cli"), "var", QStringLiteral("1"), {{"var", "2"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT var FROM kelu_fte_inf ORDER BY var")), (QStringList{QStringLiteral("2"), QStringLiteral("4")}));
}

TEST_F(KeluFixture, ThePlanItselfWantsItsSurfacesAndProtectionMeasuresUnlessSaving)
{
    rodalesYSector();
    ASSERT_TRUE(agregar(QStringLiteral("obj"), {{"obj", "P"}, {"num", "1"}, {"unidad", "UM-1"}}));
    Dataset *ppal = tabla(QString());
    ppal->Edit();
    for (const auto &[campo, valor] : Valores{{"uso_rec_pla", "12,5"}, {"uso_rec_bos", "0"}, {"sue_for", "0"}, {"sue_ref", "0"}})
        ppal->FieldByName(QLatin1String(campo))->setAsString(valor);
    EXPECT_FALSE(catchAbort([ppal] { ppal->Post(); }));
    EXPECT_EQ(mensajes(), QStringList{QStringLiteral("Error en Formulario KELU: \n\nEl campo \"Medidas de Prevención contra Plagas\" "
                                                     "no puede quedar vacío.")});
    form->Guardando = true;
    EXPECT_TRUE(catchAbort([ppal] { ppal->Post(); }));
    form->Guardando = false;
    EXPECT_EQ(mensajes().size(), 1);
    EXPECT_EQ(filas(QStringLiteral("SELECT sup_afe, uso_rec_pla FROM kelu")), QStringList{QStringLiteral("12.5|12.5")});
}
