// The accreditation's rules over a document with its FERUN request: the described checks
// and the resolution pairs refuse bad rows with their message; a stand's number reaches its
// pruning and thinning rows and a deleted stand takes them along, unless another stand
// carries the same number; the affected surface follows the stands; leaving the stands grid
// shows their surfaces without touching the document.
#include "peltofixture.h"

#include "dbgrid.h"
#include "field.h"
#include "tcustommdichild.h"

#include <functional>

using Pelto = PeltoFixture;

TEST_F(Pelto, CadaReglaRechazaLoQueDebeYAceptaElResto)
{
    struct Caso
    {
        const char *nombre;
        std::function<bool(Pelto &)> probar;
        bool aceptado;
        QString mensaje;
    };
    const auto resolucion = [](const ValoresFila &v) { return [v](Pelto &t) { return t.agregar(QStringLiteral("ant_res"), v); }; };
    const auto rodalSin = [](const char *campo) {
        return [campo](Pelto &t) {
            ValoresFila v = {{"num", "1"}, {"ano", "2012"}, {"sup", "3"}, {"esp", "Pino radiata (Pinus radiata)"},
                             {"ab", "18"}, {"den", "1250"}};
            v.removeIf([campo](const auto &p) { return qstrcmp(p.first, campo) == 0; });
            return t.agregar(QStringLiteral("ant_plan"), v);
        };
    };
    const auto principal = [](const QString &tes) {
        return [tes](Pelto &t) { return t.modificar(QString(), "cod_pre", QStringLiteral("-1"), {{"tes", tes}}); };
    };
    const QList<Caso> casos = {
        {"resolution with neither pair", resolucion({{"num_cal", QString()}}), true, {}},
        {"resolution with only the certificate's number", resolucion({{"num_cal", "R-1"}}), false, QStringLiteral("Fecha")},
        {"resolution with only the plan's date", resolucion({{"fec_plan", "01-03-2020"}}), false, QStringLiteral("Nº")},
        {"resolution with the plan's pair", resolucion({{"num_plan", "PM-1"}, {"fec_plan", "01-03-2020"}}), true, {}},
        {"resolution with both pairs",
         resolucion({{"num_cal", "R-1"}, {"fec_cal", "05-03-2004"}, {"num_plan", "PM-1"}, {"fec_plan", "01-03-2020"}}), true, {}},
        {"stand complete", rodalSin(""), true, {}},
        {"stand without number", rodalSin("num"), false, QStringLiteral("Rodal")},
        {"stand without species", rodalSin("esp"), false, QStringLiteral("Especie")},
        {"stand without basal area", rodalSin("ab"), false, QStringLiteral("Area basal")},
        {"stand with no surface", [](Pelto &t) { return t.rodal(QStringLiteral("1"), QStringLiteral("0")); }, false,
         QStringLiteral("Superficie")},
        {"pruning without stand", [](Pelto &t) { return t.poda(QString(), QStringLiteral("2020"), QString()); }, false,
         QStringLiteral("Rodal")},
        {"main row with the treasury alone", principal(QStringLiteral("12")), true, {}},
        {"main row without treasury", principal(QString()), false, QStringLiteral("Tesorería")},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        EXPECT_EQ(c.probar(*this), c.aceptado) << mensajesTexto();
        if (!c.aceptado)
            EXPECT_TRUE(dialogos.textos().join(QLatin1Char('\n')).contains(c.mensaje)) << mensajesTexto();
        else
            EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();
    }
}

TEST_F(Pelto, LaSuperficieAfectadaSigueALosRodalesYUnCambioModificaElDocumento)
{
    for (TCustomMDIChild *f : {form.data(), ferun.data()})
        f->Modificado = false;
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("3,5"))) << mensajesTexto();
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("2"))) << mensajesTexto();
    EXPECT_TRUE(form->Modificado);
    EXPECT_TRUE(ferun->Modificado);
    EXPECT_EQ(form->DatasetPpal->FieldByName(QStringLiteral("sup_afe"))->AsFloat(), 5.5);
    ASSERT_TRUE(borrar(QStringLiteral("ant_plan"), "num", QStringLiteral("1")));
    EXPECT_EQ(form->DatasetPpal->FieldByName(QStringLiteral("sup_afe"))->AsFloat(), 2);
}

// Regression: leaving the stands grid posted every row again, which marked an unchanged
// document modified.
TEST_F(Pelto, AlDejarLosRodalesLasCaracteristicasMuestranLaSuperficieSinModificarNada)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("3"))) << mensajesTexto();
    ASSERT_TRUE(poda(QStringLiteral("1"), QStringLiteral("2023"), QString())) << mensajesTexto();
    DBGrid *rodales = grilla(QStringLiteral("ant_plan"));
    ASSERT_EQ(rodales->Tag(), 1);

    // A surface typed and the grid left with the edit pending: posted, and shown.
    Dataset *plan = tabla(QStringLiteral("ant_plan"));
    ASSERT_TRUE(plan->Locate(QStringLiteral("num"), QStringLiteral("1")));
    plan->Edit();
    plan->FieldByName(QStringLiteral("sup"))->setAsString(QStringLiteral("4,25"));
    form->DbgEventoOnExit(rodales);
    EXPECT_EQ(plan->State(), DatasetState::Browse);
    Dataset *car = tabla(QStringLiteral("car"));
    car->First();
    EXPECT_EQ(car->FieldByName(QStringLiteral("sup_pod_look"))->AsFloat(), 4.25);
    EXPECT_EQ(filas(QStringLiteral("SELECT sup FROM pelto_ant_plan")), QStringList{QStringLiteral("4.25")});

    // Left again with nothing typed: the document stays as it was.
    for (TCustomMDIChild *f : {form.data(), ferun.data()})
        f->Modificado = false;
    form->DbgEventoOnExit(rodales);
    EXPECT_FALSE(form->Modificado);
    EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();
}

TEST_F(Pelto, UnRodalRenombradoOBorradoLlevaSusCaracteristicas)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("3")));
    ASSERT_TRUE(rodal(QStringLiteral("2"), QStringLiteral("2")));
    ASSERT_TRUE(poda(QStringLiteral("1"), QStringLiteral("2023"), QStringLiteral("2024")));
    ASSERT_TRUE(poda(QStringLiteral("1"), QStringLiteral("2024"), QString()));
    ASSERT_TRUE(poda(QStringLiteral("2"), QStringLiteral("2024"), QString()));

    // A rename reaches the rows after the question.
    dialogos.boxes.clear();
    ASSERT_TRUE(modificar(QStringLiteral("ant_plan"), "num", QStringLiteral("1"), {{"num", "1'A"}})) << mensajesTexto();
    EXPECT_EQ(dialogos.textos().size(), 1);
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM pelto_car ORDER BY Id")),
              (QStringList{QStringLiteral("1'A"), QStringLiteral("1'A"), QStringLiteral("2")}));

    // Deleting asks; No keeps everything, Yes takes the stand's rows along.
    dialogos.boxes.clear();
    dialogos.responder({ID::NO});
    EXPECT_FALSE(borrar(QStringLiteral("ant_plan"), "num", QStringLiteral("1'A")));
    EXPECT_EQ(dialogos.textos(), QStringList{QStringLiteral("¿Está seguro de eliminar este registro?")});
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM pelto_car")), QStringList{QStringLiteral("3")});
    dialogos.boxes.clear();
    ASSERT_TRUE(borrar(QStringLiteral("ant_plan"), "num", QStringLiteral("1'A"))) << mensajesTexto();
    EXPECT_EQ(dialogos.textos(), QStringList{QStringLiteral("¿Está seguro de eliminar este registro?")});
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM pelto_car")), QStringList{QStringLiteral("2")});
    EXPECT_EQ(tabla(QStringLiteral("car"))->RecordCount(), 1);
}

// Regression: with two stands "3", deleting or renaming one took the other's rows along.
TEST_F(Pelto, DosRodalesDelMismoNumeroConservanSusFilasMientrasQuedeUno)
{
    ASSERT_TRUE(rodal(QStringLiteral("3"), QStringLiteral("3")));
    ASSERT_TRUE(rodal(QStringLiteral("3"), QStringLiteral("1,5"))) << mensajesTexto();
    ASSERT_TRUE(poda(QStringLiteral("3"), QStringLiteral("2023"), QStringLiteral("2024")));

    ASSERT_TRUE(modificar(QStringLiteral("ant_plan"), "Id", QStringLiteral("2"), {{"num", "4"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM pelto_car")), QStringList{QStringLiteral("3")});
    ASSERT_TRUE(modificar(QStringLiteral("ant_plan"), "num", QStringLiteral("4"), {{"num", "3"}})) << mensajesTexto();

    ASSERT_TRUE(borrar(QStringLiteral("ant_plan"), "Id", QStringLiteral("2"))) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num || '|' || ano_pod FROM pelto_car")), QStringList{QStringLiteral("3|2023")});
    ASSERT_TRUE(borrar(QStringLiteral("ant_plan"), "num", QStringLiteral("3"))) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM pelto_car")), QStringList{QStringLiteral("0")});
}

// Regression: without pruning and thinning rows the form went on to export "XML MALO".
TEST_F(Pelto, SinCaracteristicasElFormularioSeRechaza)
{
    EXPECT_FALSE(catchAbort([&] { form->ValidarFormulario(); }));
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos().first().contains(QStringLiteral("\"Caracteristicas de la poda y raleo\""))) << mensajesTexto();
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("3")));
    ASSERT_TRUE(poda(QStringLiteral("1"), QStringLiteral("2023"), QString()));
    dialogos.boxes.clear();
    bool valido = false;
    EXPECT_TRUE(catchAbort([&] { valido = form->ValidarFormulario(); }));
    EXPECT_TRUE(valido);
    EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();
}
