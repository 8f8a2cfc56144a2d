// Key relations declared per key: stands named by two tables and by comma lists, a
// climatic variable with its one source row.
#include "abort.h"
#include "connection.h"
#include "entrada/ventanaentrada.h"
#include "field.h"
#include "reglasformulario.h"
#include "scripteddialogs.h"
#include "table.h"
#include "util_bbdd.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kConfirmarCambio =
    QStringLiteral("Esta Modificación cambiará todos los campos relacionados ¿Está seguro de modificar este registro?");
const QString kConHijos = QStringLiteral("Este registro no se puede borrar, por que posee registros asociados");
const QString kConfirmarBorrado = QStringLiteral("¿Está seguro de eliminar este registro?");

class Claves : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(conexion.open(dir.filePath(QStringLiteral("trabajo.db")), Connection::ReadWriteCreate));
        ASSERT_TRUE(conexion.execScript(QStringLiteral(
            "CREATE TABLE rodal (Id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(20));"
            "CREATE TABLE fis (Id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(20));"
            "CREATE TABLE hidr (Id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(20));"
            "CREATE TABLE obj (Id_obj INTEGER PRIMARY KEY AUTOINCREMENT, num TEXT);"
            "CREATE TABLE var_cli (id INTEGER PRIMARY KEY AUTOINCREMENT, var INTEGER);"
            "CREATE TABLE fte_inf (id INTEGER PRIMARY KEY AUTOINCREMENT, var INTEGER, fte VARCHAR(20));"
            "INSERT INTO rodal (num) VALUES ('1'), ('12'), ('2'), ('O''Higgins'), ('7');"
            "INSERT INTO fis (num) VALUES ('1'), ('12'), ('O''Higgins');"
            "INSERT INTO hidr (num) VALUES ('1'), ('1');"
            "INSERT INTO obj (num) VALUES ('1,12,2'), ('12'), ('2, 1'), ('O''Higgins, 7');"
            "INSERT INTO var_cli (var) VALUES (12);"
            "INSERT INTO fte_inf (var, fte) VALUES (12, 'A');")));
        ventana.ConexionBD = &conexion;
        for (const char *nombre : {"rodal", "fis", "hidr", "obj", "var_cli", "fte_inf"}) {
            auto *t = new Table(&ventana);
            t->setObjectName(QStringLiteral("adt") + QLatin1String(nombre));
            t->setTableName(QLatin1String(nombre));
            t->setConnection(&conexion);
            ASSERT_TRUE(t->Open()) << nombre;
            tablas[nombre] = t;
        }
        rodal = {tablas["rodal"], QStringLiteral("rodal"), QStringLiteral("num"), QStringLiteral("Id"),
                 {{QStringLiteral("fis"), QStringLiteral("num")},
                  {QStringLiteral("hidr"), QStringLiteral("num")},
                  {QStringLiteral("obj"), QStringLiteral("num"), true}},
                 RelacionClave::Borrado::Rechazar, false, {QStringLiteral("adtfis"), QStringLiteral("adtobj")}, nullptr};
        reglas.declararClave({tablas["var_cli"], QStringLiteral("var_cli"), QStringLiteral("var"), QStringLiteral("id"),
                              {{QStringLiteral("fte_inf"), QStringLiteral("var")}}, RelacionClave::Borrado::Cascada, true,
                              {QStringLiteral("adtfte_inf")}, nullptr});
    }

    QStringList columna(const char *sql) { return Consulta2(&conexion, QString::fromUtf8(sql)); }

    bool renombrar(const char *tabla, const QString &anterior, const QString &nuevo)
    {
        Table *t = tablas[tabla];
        const QString clave = t->FindField(QStringLiteral("num")) ? QStringLiteral("num") : QStringLiteral("var");
        if (!t->Locate(clave, anterior))
            return false;
        return catchAbort([&] {
            t->Edit();
            t->FieldByName(clave)->setAsString(nuevo);
            t->Post();
        });
    }

    bool borrar(const char *tabla, const QString &clave, const QString &valor)
    {
        Table *t = tablas[tabla];
        if (!t->Locate(clave, valor))
            return false;
        return catchAbort([&] { t->Delete(); });
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogos{ID::YES};
    VentanaEntrada ventana;
    Connection conexion;
    std::map<std::string, Table *> tablas;
    ReglasFormulario reglas{&ventana};
    RelacionClave rodal;
};

TEST(ListasDeClaves, ReemplazoEntradaPorEntradaConSusSeparadores)
{
    struct Caso
    {
        const char *lista, *anterior, *nuevo, *esperado;
    };
    const Caso casos[] = {{"1,12,2", "1", "3", "3,12,2"},  {"1, 12", "1", "3", "3, 12"},  {"12, 21", "1", "3", "12, 21"},
                          {"2, 1 ", "1", "10", "2, 10 "}, {"", "1", "3", ""},             {"O'Higgins,1", "O'Higgins", "X", "X,1"}};
    for (const Caso &c : casos)
        EXPECT_EQ(reemplazarEnLista(QString::fromUtf8(c.lista), QString::fromUtf8(c.anterior), QString::fromUtf8(c.nuevo)),
                  QString::fromUtf8(c.esperado))
            << c.lista;
    EXPECT_EQ(numeros(QStringLiteral(" 1, ,12 ,2")), (QStringList{QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("2")}));
}

TEST_F(Claves, RenombrarAlcanzaColumnasYListasTrasConfirmar)
{
    reglas.declararClave(rodal);
    ASSERT_TRUE(renombrar("rodal", QStringLiteral("1"), QStringLiteral("3")));
    EXPECT_EQ(dialogos.textos(), QStringList{kConfirmarCambio});
    EXPECT_EQ(columna("SELECT num FROM fis ORDER BY Id"),
              (QStringList{QStringLiteral("3"), QStringLiteral("12"), QStringLiteral("O'Higgins")}));
    EXPECT_EQ(columna("SELECT num FROM hidr"), (QStringList{QStringLiteral("3"), QStringLiteral("3")}));
    EXPECT_EQ(columna("SELECT num FROM obj ORDER BY Id_obj"),
              (QStringList{QStringLiteral("3,12,2"), QStringLiteral("12"), QStringLiteral("2, 3"), QStringLiteral("O'Higgins, 7")}));
    // The datasets named show it.
    tablas["obj"]->First();
    EXPECT_EQ(tablas["obj"]->FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("3,12,2"));

    // An apostrophe in the key is a value like any other.
    dialogos.boxes.clear();
    ASSERT_TRUE(renombrar("rodal", QStringLiteral("O'Higgins"), QStringLiteral("D'Or")));
    EXPECT_EQ(dialogos.textos(), QStringList{kConfirmarCambio});
    EXPECT_EQ(columna("SELECT count(*) FROM fis WHERE num = 'D''Or'"), QStringList{QStringLiteral("1")});
    EXPECT_EQ(columna("SELECT num FROM obj WHERE Id_obj = 4"), QStringList{QStringLiteral("D'Or, 7")});

    // A key nobody uses is renamed without a question.
    dialogos.boxes.clear();
    ASSERT_TRUE(conexion.exec(QStringLiteral("INSERT INTO rodal (num) VALUES ('9')")));
    tablas["rodal"]->Refresh();
    ASSERT_TRUE(renombrar("rodal", QStringLiteral("9"), QStringLiteral("19")));
    EXPECT_TRUE(dialogos.textos().isEmpty());
}

TEST_F(Claves, RenombrarRechazadoNoEscribeNada)
{
    reglas.declararClave(rodal);
    dialogos.responder({ID::NO});
    EXPECT_FALSE(renombrar("rodal", QStringLiteral("1"), QStringLiteral("3")));
    tablas["rodal"]->Cancel();
    EXPECT_EQ(columna("SELECT count(*) FROM rodal WHERE num = '1'"), QStringList{QStringLiteral("1")});
    EXPECT_EQ(columna("SELECT num FROM obj WHERE Id_obj = 1"), QStringList{QStringLiteral("1,12,2")});
}

TEST_F(Claves, UnaSentenciaFallidaDejaTodoComoEstaba)
{
    // The last dependant names a column that does not exist: its statement fails.
    rodal.dependientes << Dependiente{QStringLiteral("hidr"), QStringLiteral("no_existe")};
    reglas.declararClave(rodal);
    renombrar("rodal", QStringLiteral("1"), QStringLiteral("3"));
    EXPECT_EQ(dialogos.textos().size(), 2);
    EXPECT_TRUE(dialogos.textos().value(1).contains(QStringLiteral("No se pudieron actualizar las tablas relacionadas")));
    EXPECT_EQ(columna("SELECT num FROM rodal ORDER BY Id").value(0), QStringLiteral("1"));
    EXPECT_EQ(columna("SELECT count(*) FROM fis WHERE num = '1'"), QStringList{QStringLiteral("1")});
    EXPECT_EQ(columna("SELECT count(*) FROM hidr WHERE num = '1'"), QStringList{QStringLiteral("2")});
    EXPECT_EQ(columna("SELECT num FROM obj WHERE Id_obj = 1"), QStringList{QStringLiteral("1,12,2")});
    EXPECT_EQ(tablas["rodal"]->FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("1"));
}

TEST_F(Claves, BorrarRechazaMientrasSeUseYCascadaSeLlevaSusFilas)
{
    reglas.declararClave(rodal);
    struct Caso
    {
        const char *num;
        bool rechaza;
    };
    // "2" and "7" are named only inside lists; "1" in a column; a list is never edited
    // silently, so they stay.
    for (const Caso &c : {Caso{"2", true}, Caso{"7", true}, Caso{"1", true}}) {
        dialogos.boxes.clear();
        EXPECT_FALSE(borrar("rodal", QStringLiteral("num"), QLatin1String(c.num))) << c.num;
        EXPECT_EQ(dialogos.textos(), QStringList{kConHijos}) << c.num;
    }
    EXPECT_EQ(columna("SELECT count(*) FROM rodal"), QStringList{QStringLiteral("5")});
    ASSERT_TRUE(conexion.exec(QStringLiteral("INSERT INTO rodal (num) VALUES ('21')")));
    tablas["rodal"]->Refresh();
    dialogos.boxes.clear();
    EXPECT_TRUE(borrar("rodal", QStringLiteral("num"), QStringLiteral("21")));
    EXPECT_EQ(dialogos.textos(), QStringList{kConfirmarBorrado});

    // Cascade: the variable's source row goes with it.
    dialogos.boxes.clear();
    EXPECT_TRUE(borrar("var_cli", QStringLiteral("var"), QStringLiteral("12")));
    EXPECT_EQ(dialogos.textos(), QStringList{kConfirmarBorrado});
    EXPECT_EQ(columna("SELECT count(*) FROM fte_inf"), QStringList{QStringLiteral("0")});
    EXPECT_EQ(tablas["fte_inf"]->RecordCount(), 0);
}

TEST_F(Claves, UnoAUnoCreaLaFilaYLaRenombraSinPreguntar)
{
    Table *vars = tablas["var_cli"];
    ASSERT_TRUE(catchAbort([&] {
        vars->Append();
        vars->FieldByName(QStringLiteral("var"))->setAsInteger(9);
        vars->Post();
    }));
    EXPECT_EQ(columna("SELECT var FROM fte_inf ORDER BY id"), (QStringList{QStringLiteral("12"), QStringLiteral("9")}));
    ASSERT_TRUE(renombrar("var_cli", QStringLiteral("12"), QStringLiteral("4")));
    EXPECT_TRUE(dialogos.textos().isEmpty());
    EXPECT_EQ(columna("SELECT var || fte FROM fte_inf WHERE fte IS NOT NULL"), QStringList{QStringLiteral("4A")});
    EXPECT_EQ(columna("SELECT count(*) FROM fte_inf"), QStringList{QStringLiteral("2")});
}

} // namespace

// A key's own rows elsewhere do not keep it from being deleted; they go with it, after
// what hangs from them, in the deletion's transaction.
TEST_F(Claves, LasFilasPropiasNoImpidenElBorradoYSeVanConLaClave)
{
    ASSERT_TRUE(conexion.execScript(QStringLiteral(
        "CREATE TABLE det (Id INTEGER PRIMARY KEY AUTOINCREMENT, id_fis INTEGER);"
        "INSERT INTO det (id_fis) SELECT Id FROM fis;")));
    rodal.dependientes.first().propia = true; // fis
    rodal.borrarTambien = {QStringLiteral("DELETE FROM det WHERE id_fis IN (SELECT Id FROM fis WHERE num = ?)")};
    reglas.declararClave(rodal);
    // "12" has only its own row in fis, yet the list of an objective names it.
    EXPECT_FALSE(borrar("rodal", QStringLiteral("num"), QStringLiteral("12")));
    ASSERT_TRUE(conexion.exec(QStringLiteral("UPDATE obj SET num = '1' WHERE num IN ('12', '1,12,2')")));
    dialogos.boxes.clear();
    EXPECT_TRUE(borrar("rodal", QStringLiteral("num"), QStringLiteral("12")));
    EXPECT_EQ(dialogos.textos(), QStringList{kConfirmarBorrado});
    EXPECT_EQ(columna("SELECT num FROM fis ORDER BY Id"), (QStringList{QStringLiteral("1"), QStringLiteral("O'Higgins")}));
    EXPECT_EQ(columna("SELECT count(*) FROM det"), QStringList{QStringLiteral("2")});
    EXPECT_EQ(tablas["fis"]->RecordCount(), 2);
    // Renamed with the key all the same.
    ASSERT_TRUE(renombrar("rodal", QStringLiteral("O'Higgins"), QStringLiteral("D'Agostini")));
    EXPECT_EQ(columna("SELECT num FROM fis ORDER BY Id"), (QStringList{QStringLiteral("1"), QStringLiteral("D'Agostini")}));
}

// Regression: with a number two stands carry, deleting or renaming one of them took the
// other's dependent rows with it.
TEST_F(Claves, UnNumeroRepetidoConservaSusFilasMientrasOtraFilaLoLleve)
{
    rodal.borrado = RelacionClave::Borrado::Cascada;
    reglas.declararClave(rodal);
    ASSERT_TRUE(conexion.exec(QStringLiteral("INSERT INTO rodal (num) VALUES ('1'), ('1')")));
    tablas["rodal"]->Refresh();

    // Renaming one "1" of three: nothing is asked and nothing else moves.
    ASSERT_TRUE(renombrar("rodal", QStringLiteral("1"), QStringLiteral("3")));
    EXPECT_TRUE(dialogos.textos().isEmpty());
    EXPECT_EQ(columna("SELECT count(*) FROM hidr WHERE num = '1'"), QStringList{QStringLiteral("2")});
    EXPECT_EQ(columna("SELECT num FROM obj WHERE Id_obj = 1"), QStringList{QStringLiteral("1,12,2")});

    // Deleting: the rows stay while a "1" is left, and go with the last one.
    for (const char *quedan : {"2", "0"}) {
        dialogos.boxes.clear();
        EXPECT_TRUE(borrar("rodal", QStringLiteral("num"), QStringLiteral("1")));
        EXPECT_EQ(dialogos.textos(), QStringList{kConfirmarBorrado});
        EXPECT_EQ(columna("SELECT count(*) FROM hidr WHERE num = '1'"), QStringList{QLatin1String(quedan)});
    }
    EXPECT_EQ(columna("SELECT count(*) FROM rodal WHERE num = '1'"), QStringList{QStringLiteral("0")});
}
