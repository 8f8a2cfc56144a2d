// The evergreen norm's rules over a document with its request form: the checks of each
// table, and a stand's number kept in every table that names it.
#include "ertivfixture.h"

#include "field.h"

using Ertiv = ErtivFixture;

namespace {

const QString kAsociados = QStringLiteral("Este registro no se puede borrar, por que posee registros asociados");

// Every row naming a stand, table by table.
const QString kPorRodal = QStringLiteral(
    "SELECT 'res', num FROM ertiv_res UNION ALL SELECT 'car', num FROM ertiv_car UNION ALL "
    "SELECT 'sue', num FROM ertiv_car_sue UNION ALL SELECT 'cor', num FROM ertiv_act_cor UNION ALL "
    "SELECT 'ref', num FROM ertiv_act_ref ORDER BY 1, 2");

} // namespace

TEST_F(Ertiv, CadaRevisionRechazaLoQueDebeYAceptaElResto)
{
    struct Caso
    {
        const char *nombre;
        std::function<bool(Ertiv &)> probar;
        bool aceptado;
    };
    const QList<Caso> casos = {
        {"a full stand", [](Ertiv &t) { return t.rodal("1", "12,5"); }, true},
        {"a stand without surface", [](Ertiv &t) { return t.rodal("1", "0"); }, false},
        {"a stand without regeneration",
         [](Ertiv &t) {
             return t.agregar(QStringLiteral("res"), {{"num", "1"}, {"sup", "3"}, {"sit", "1"}, {"dmc", "46"}, {"pen", "22"},
                                                      {"por", "35"}, {"num_estr", "2"}});
         },
         false},
        {"a characterisation row", [](Ertiv &t) { return t.rodal("1", "5") && t.especie("1"); }, true},
        {"a negative tree number",
         [](Ertiv &t) {
             return t.rodal("1", "5")
                 && t.agregar(QStringLiteral("car"), {{"num", "1"}, {"esp", "116"}, {"ab_arb_tol", "-2"}});
         },
         false},
        {"a cut", [](Ertiv &t) { return t.rodal("1", "5") && t.corta("1", "A"); }, true},
        {"a cut of no stand (no surface)", [](Ertiv &t) { return t.corta("9", "A"); }, false},
        {"a cut in year 1850",
         [](Ertiv &t) {
             return t.rodal("1", "5")
                 && t.agregar(QStringLiteral("act_cor"),
                              {{"num", "1"}, {"sec", "A"}, {"ano_cor", "1850"}, {"met_cor", "101"}, {"ab", "18,5"}});
         },
         false},
        {"a reforestation", [](Ertiv &t) { return t.rodal("1", "5") && t.reforestacion("1", "A"); }, true},
        {"a soil row left without soil type",
         [](Ertiv &t) {
             return t.rodal("1", "5") && t.modificar(QStringLiteral("car_sue"), "num", "1", {{"prof", "3"}, {"roca", "1"}});
         },
         false},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        EXPECT_EQ(c.probar(*this), c.aceptado) << mensajesTexto();
        if (c.aceptado)
            EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();
        else
            EXPECT_FALSE(dialogos.textos().isEmpty());
    }
}

TEST_F(Ertiv, ElRodalLlevaSuFilaDeSuelosYSuNumeroLlegaALasCuatroTablas)
{
    ASSERT_TRUE(rodal("1", "12,5")) << mensajesTexto();
    ASSERT_TRUE(rodal("2", "8")) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM ertiv_car_sue ORDER BY num")), (QStringList{"1", "2"}));
    EXPECT_EQ(tabla(QStringLiteral("car_sue"))->RecordCount(), 2);
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("20,5"));
    ASSERT_TRUE(modificar(QStringLiteral("car_sue"), "num", "1", {{"prof", "3"}, {"tip_sue", "1"}, {"roca", "2"}}))
        << mensajesTexto();
    ASSERT_TRUE(especie("1")) << mensajesTexto();
    ASSERT_TRUE(especie("1", QStringLiteral("115"))) << mensajesTexto();
    ASSERT_TRUE(corta("1", "A")) << mensajesTexto();
    ASSERT_TRUE(reforestacion("1", "A")) << mensajesTexto();

    // Regression: the characterisation rows kept the old number and left the exchange file.
    ASSERT_TRUE(modificar(QStringLiteral("res"), "num", "1", {{"num", "1'B"}})) << mensajesTexto();
    EXPECT_EQ(filas(kPorRodal), (QStringList{"car|1'B", "car|1'B", "cor|1'B", "ref|1'B", "res|1'B", "res|2", "sue|1'B",
                                             "sue|2"}));
    // The soil row keeps what was typed in it.
    EXPECT_EQ(filas(QStringLiteral("SELECT prof, tip_sue, roca FROM ertiv_car_sue WHERE num = '1''B'")),
              QStringList{"3|1|2"});
    EXPECT_EQ(tabla(QStringLiteral("act_cor"))->FieldByName(QStringLiteral("num_look"))->AsString(), QStringLiteral("1'B"));
}

// Regression: a repeated stand number was taken, and the exchange file wrote the stand twice.
TEST_F(Ertiv, UnNumeroDeRodalRepetidoSeRechaza)
{
    const QList<std::pair<const char *, std::function<bool(Ertiv &)>>> casos = {
        {"a second stand 1", [](Ertiv &t) { return t.rodal("1", "3"); }},
        {"stand 2 renamed 1", [](Ertiv &t) { return t.modificar(QStringLiteral("res"), "num", "2", {{"num", "1"}}); }},
    };
    for (const auto &[nombre, probar] : casos) {
        SCOPED_TRACE(nombre);
        abrirDocumento();
        ASSERT_TRUE(rodal("1", "12,5") && rodal("2", "8") && especie("1")) << mensajesTexto();
        dialogos.boxes.clear();
        EXPECT_FALSE(probar(*this));
        EXPECT_TRUE(dialogos.textos().join(QLatin1Char('\n')).contains(QStringLiteral("Sólo se permiten valores únicos")))
            << mensajesTexto();
        EXPECT_EQ(filas(kPorRodal), (QStringList{"car|1", "res|1", "res|2", "sue|1", "sue|2"}));
        EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("20,5"));
    }
}

// Regression: a rename reaching the stand's other rows went through without a question.
TEST_F(Ertiv, RenombrarUnRodalConFilasEnOtrasTablasPreguntaPrimero)
{
    const QString pregunta = QStringLiteral("Esta Modificación cambiará todos los campos relacionados ¿Está seguro de "
                                            "modificar este registro?");
    struct Caso
    {
        const char *nombre;
        std::function<bool(Ertiv &)> filas; // stand 1's rows beyond its soil row
        bool pregunta;
        QStringList renombrado; // kPorRodal once the rename is confirmed
    };
    const QList<Caso> casos = {
        {"only its soil row", [](Ertiv &) { return true; }, false, {"res|7", "sue|7"}},
        {"a characterisation row", [](Ertiv &t) { return t.especie("1"); }, true, {"car|7", "res|7", "sue|7"}},
        {"a cut", [](Ertiv &t) { return t.corta("1", "A"); }, true, {"cor|7", "res|7", "sue|7"}},
        {"a reforestation", [](Ertiv &t) { return t.reforestacion("1", "A"); }, true, {"ref|7", "res|7", "sue|7"}},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        ASSERT_TRUE(rodal("1", "12,5") && c.filas(*this)) << mensajesTexto();
        const QStringList antes = filas(kPorRodal);
        dialogos.boxes.clear();
        dialogos.responder({ID::NO});
        const bool renombrado = modificar(QStringLiteral("res"), "num", "1", {{"num", "7"}});
        dialogos.respuestas.clear();
        EXPECT_EQ(dialogos.textos(), c.pregunta ? QStringList{pregunta} : QStringList());
        if (c.pregunta) {
            // No keeps the old number everywhere.
            EXPECT_FALSE(renombrado);
            EXPECT_EQ(filas(kPorRodal), antes);
            EXPECT_EQ(tabla(QStringLiteral("res"))->FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("1"));
            ASSERT_TRUE(modificar(QStringLiteral("res"), "num", "1", {{"num", "7"}})) << mensajesTexto();
        }
        EXPECT_EQ(filas(kPorRodal), c.renombrado);
    }
}

TEST_F(Ertiv, UnRodalConProgramaNoSeBorraYSinElSeVaConSusFilas)
{
    struct Caso
    {
        const char *nombre;
        std::function<bool(Ertiv &)> programa; // the programme rows of stand 1
        const char *tablaPrograma;
    };
    const QList<Caso> casos = {
        {"a cut", [](Ertiv &t) { return t.corta("1", "A"); }, "act_cor"},
        // Regression: reforestation rows alone did not keep their stand.
        {"a reforestation only", [](Ertiv &t) { return t.reforestacion("1", "A"); }, "act_ref"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        ASSERT_TRUE(rodal("1", "12,5") && rodal("2", "8")) << mensajesTexto();
        ASSERT_TRUE(especie("1") && especie("2")) << mensajesTexto();
        ASSERT_TRUE(c.programa(*this)) << mensajesTexto();
        dialogos.boxes.clear();
        EXPECT_FALSE(borrar(QStringLiteral("res"), "num", "1"));
        EXPECT_TRUE(dialogos.textos().join(QLatin1Char('\n')).contains(kAsociados)) << mensajesTexto();
        EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM ertiv_res")), QStringList{"2"});

        ASSERT_TRUE(borrar(QLatin1String(c.tablaPrograma), "num", "1")) << mensajesTexto();
        ASSERT_TRUE(borrar(QStringLiteral("res"), "num", "1")) << mensajesTexto();
        EXPECT_EQ(filas(kPorRodal), (QStringList{"car|2", "res|2", "sue|2"}));
        EXPECT_EQ(tabla(QStringLiteral("car"))->RecordCount(), 1);
        EXPECT_EQ(tabla(QStringLiteral("car_sue"))->RecordCount(), 1);
        EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("8"));
    }
}

TEST_F(Ertiv, PaginasFotografiadas)
{
    ASSERT_TRUE(rodal("1", "12,5"));
    ASSERT_TRUE(especie("1"));
    ASSERT_TRUE(corta("1", "A"));
    ASSERT_TRUE(reforestacion("1", "A"));
    FotografiarPaginas(form, area, QStringLiteral("ertiv_paginas"));
}
