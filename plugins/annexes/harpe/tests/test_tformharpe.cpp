// The lenga norm's rules over a document with its request form: the initial total
// density, the checks of a stand, and the one regeneration row each stand keeps.
#include "harpefixture.h"

#include "field.h"

using Harpe = HarpeFixture;

TEST_F(Harpe, LaDensidadTotalEsLengaMasCoigue)
{
    struct Caso
    {
        const char *nombre;
        ValoresFila tecleado; // in the order typed
        QString coigue;       // stored, "null" when empty
        QString total;
    };
    const QList<Caso> casos = {
        {"800 lenga, no coigüe", {{"den_ini_len", "800"}}, "0", "800"},
        {"lenga then coigüe", {{"den_ini_len", "800"}, {"den_ini_coi", "150"}}, "150", "950"},
        {"coigüe then lenga", {{"den_ini_coi", "150"}, {"den_ini_len", "600"}}, "150", "750"},
        {"lenga changed keeps coigüe", {{"den_ini_len", "800"}, {"den_ini_coi", "150"}, {"den_ini_len", "900"}},
         "150", "1050"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        ValoresFila valores = {{"num", "1"}, {"sup", "4"}, {"sit", "1"}, {"dmc", "40"}, {"pen", "10"},
                               {"ano_cor", "2098"}, {"alt", "22"}};
        valores << c.tecleado;
        ASSERT_TRUE(agregar(QStringLiteral("car"), valores)) << mensajesTexto();
        EXPECT_EQ(filas(QStringLiteral("SELECT den_ini_coi, den_init_tot FROM harpe_car")),
                  QStringList{c.coigue + QLatin1Char('|') + c.total});
    }
    // Coigüe alone makes no total (and the row is refused for its missing lenga).
    Dataset *rodales = tabla(QStringLiteral("car"));
    rodales->Append();
    rodales->FieldByName(QStringLiteral("den_ini_coi"))->setAsString(QStringLiteral("300"));
    EXPECT_TRUE(rodales->FieldByName(QStringLiteral("den_init_tot"))->IsNull());
    rodales->Cancel();
}

TEST_F(Harpe, CadaRevisionRechazaLoQueDebeYAceptaElResto)
{
    struct Caso
    {
        const char *nombre;
        std::function<bool(Harpe &)> probar;
        bool aceptado;
        QString mensaje; // part of the message shown when refused
    };
    const QList<Caso> casos = {
        {"a cut year in the past", [](Harpe &t) { return t.rodal("1", "5", "2020"); }, false,
         QStringLiteral("El año debe ser mayor o igual que el año en curso")},
        {"a cut year to come", [](Harpe &t) { return t.rodal("1", "5", "2098"); }, true, {}},
        {"no lenga density", [](Harpe &t) { return t.rodal("1", "5", "2098", QString()); }, false,
         QStringLiteral("no puede quedar vacío")},
        {"a negative coigüe density", [](Harpe &t) { return t.rodal("1", "5", "2098", "800", "-1"); }, false,
         QStringLiteral("no puede contener valores negativos")},
        {"a stand number twice", [](Harpe &t) { return t.rodal("1", "5") && t.rodal("1", "3"); }, false, {}},
        {"a regeneration without species",
         [](Harpe &t) {
             return t.rodal("1", "5") && t.modificar(QStringLiteral("car_reg"), "num", "1", {{"den", "3500"}, {"alt", "40"}});
         },
         false, QStringLiteral("no puede quedar vacío")},
        {"a full regeneration", [](Harpe &t) { return t.rodal("1", "5") && t.regeneracion("1", "3500"); }, true, {}},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        EXPECT_EQ(c.probar(*this), c.aceptado) << mensajesTexto();
        if (!c.aceptado && !c.mensaje.isEmpty())
            EXPECT_TRUE(dialogos.textos().join(QLatin1Char('\n')).contains(c.mensaje)) << mensajesTexto();
        if (c.aceptado)
            EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();
    }
}

TEST_F(Harpe, CadaRodalTieneSuFilaDeRegeneracionQueLoSigue)
{
    ASSERT_TRUE(rodal("1", "5")) << mensajesTexto();
    ASSERT_TRUE(rodal("2", "3,5")) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM harpe_car_reg ORDER BY num")), (QStringList{"1", "2"}));
    EXPECT_EQ(tabla(QStringLiteral("car_reg"))->RecordCount(), 2);
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("8,5"));
    ASSERT_TRUE(regeneracion("1", "3500")) << mensajesTexto();

    // A rename carries the stand's own regeneration, data and all, without asking.
    ASSERT_TRUE(modificar(QStringLiteral("car"), "num", "1", {{"num", "1'A"}})) << mensajesTexto();
    EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num, den FROM harpe_car_reg ORDER BY Id")),
              (QStringList{"1'A|3500", "2|null"}));

    // A delete is confirmed first; refused, nothing goes.
    dialogos.porDefecto = ID::NO;
    EXPECT_FALSE(borrar(QStringLiteral("car"), "num", "1'A"));
    EXPECT_TRUE(dialogos.textos().join(QLatin1Char('\n')).contains(QStringLiteral("¿Está seguro de eliminar este registro?")));
    EXPECT_EQ(filas(QStringLiteral("SELECT count(*) FROM harpe_car_reg")), QStringList{"2"});
    // Confirmed, the stand and its regeneration go; the other stand keeps its own.
    dialogos.porDefecto = ID::YES;
    ASSERT_TRUE(borrar(QStringLiteral("car"), "num", "1'A")) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num FROM harpe_car_reg")), QStringList{"2"});
    EXPECT_EQ(tabla(QStringLiteral("car_reg"))->RecordCount(), 1);
    EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("sup_afe"))->AsString(), QStringLiteral("3,5"));
}

TEST_F(Harpe, PaginasFotografiadas)
{
    ASSERT_TRUE(rodal("1", "5", "2098", "800", "120"));
    ASSERT_TRUE(regeneracion("1", "3500"));
    FotografiarPaginas(form, area, QStringLiteral("harpe_paginas"));
}
