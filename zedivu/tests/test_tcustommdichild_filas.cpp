// Dependent rows on a small plan: stands (rodal), their objective rows (obj) and two
// grids that name a stand (fis, hidr) through a lookup column.
#include "abort.h"
#include "classregistry.h"
#include "connection.h"
#include "datasource.h"
#include "dbgrid.h"
#include "entrada/ventanaentrada.h"
#include "field.h"
#include "gridcolumn.h"
#include "scripteddialogs.h"
#include "table.h"
#include "tcustommodalchild.h"
#include "util_bbdd.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kDuplicado = QStringLiteral("Error en Formulario PRUE: \n\nEste campo no acepta valores duplicados.");
const QString kConfirmarCambio =
    QStringLiteral("Esta Modificación cambiará todos los campos relacionados ¿Está seguro de modificar este registro?");
const QString kConHijos = QStringLiteral("Este registro no se puede borrar, por que posee registros asociados");
const QString kConfirmarBorrado = QStringLiteral("¿Está seguro de eliminar este registro?");

class Filas : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(conexion.open(dir.filePath(QStringLiteral("trabajo.db")), Connection::ReadWriteCreate));
        ASSERT_TRUE(conexion.execScript(QStringLiteral(
            "CREATE TABLE rodal (Id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(6), sup DOUBLE);"
            "CREATE TABLE obj (Id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(6), sup DOUBLE, obj VARCHAR(20));"
            "CREATE TABLE fis (Id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(6), pend INTEGER);"
            "CREATE TABLE hidr (Id INTEGER PRIMARY KEY AUTOINCREMENT, num VARCHAR(6));"
            "CREATE TABLE var_cli (Id INTEGER PRIMARY KEY AUTOINCREMENT, var INTEGER);"
            "CREATE TABLE fte_inf (Id INTEGER PRIMARY KEY AUTOINCREMENT, var INTEGER, fte VARCHAR(20));"
            "INSERT INTO rodal (num, sup) VALUES ('1', 10.5), ('2', 4), ('O''3', 1);"
            "INSERT INTO obj (num, obj) VALUES ('1', 'PROTECCION'), ('2', 'PRODUCCION'), ('O''3', 'X');"
            "INSERT INTO fis (num, pend) VALUES ('1', 5), ('1', 7), ('2', 1);"
            "INSERT INTO hidr (num) VALUES ('1'), ('O''3');"
            "INSERT INTO var_cli (var) VALUES (12), (7);"
            "INSERT INTO fte_inf (var, fte) VALUES (12, 'A'), (12, 'B'), (7, 'C');")));
        ventana.ConexionBD = &conexion;
        for (const char *nombre : {"rodal", "obj", "fis", "hidr", "var_cli", "fte_inf"}) {
            auto t = std::make_unique<Table>();
            t->setObjectName(QStringLiteral("adt") + QLatin1String(nombre));
            t->setTableName(QLatin1String(nombre));
            t->setConnection(&conexion);
            tablas[nombre] = std::move(t);
        }
        for (const char *nombre : {"fis", "hidr"})
            tabla(nombre)->addLookupField(QStringLiteral("num_look"), QStringLiteral("num"), tabla("rodal"), QStringLiteral("num"),
                                          QStringLiteral("num"));
        for (auto &[nombre, t] : tablas) {
            ASSERT_TRUE(t->Open()) << nombre;
            auto *fuente = new DataSource(&ventana);
            fuente->setDataSet(t.get());
            auto *g = new DBGrid(&ventana);
            g->setObjectName(QStringLiteral("dbg") + QLatin1String(nombre));
            g->setDataSource(fuente);
            grillas[nombre] = g;
        }
        grilla("rodal")->addColumn(QStringLiteral("num"));
        grilla("rodal")->addColumn(QStringLiteral("sup"));
        grilla("fis")->addColumn(QStringLiteral("num_look"));
        grilla("hidr")->addColumn(QStringLiteral("num_look"));
    }

    Table *tabla(const char *nombre) { return tablas.at(nombre).get(); }
    DBGrid *grilla(const char *nombre) { return grillas.at(nombre); }
    QStringList columna(const char *sql)
    {
        return Consulta2(&conexion, QString::fromUtf8(sql));
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogos{ID::YES};
    VentanaEntrada ventana;
    Connection conexion;
    std::map<std::string, std::unique_ptr<Table>> tablas;
    std::map<std::string, DBGrid *> grillas;
};

TEST_F(Filas, CrearFilaCopiaLaClaveConGuardandoPuesto)
{
    bool guardandoAlPostear = false;
    tabla("obj")->BeforePost = [&](Dataset *) { guardandoAlPostear = ventana.Guardando; };
    ASSERT_TRUE(tabla("rodal")->Append());
    ASSERT_TRUE(tabla("rodal")->FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("O'9")));
    EXPECT_TRUE(ventana.CrearFila(tabla("rodal"), tabla("obj"), QStringLiteral("num")));
    EXPECT_TRUE(guardandoAlPostear);
    EXPECT_FALSE(ventana.Guardando);
    EXPECT_EQ(columna("SELECT count(*) FROM obj WHERE num='O''9'"), QStringList{QStringLiteral("1")});

    // Neither inserting nor below its Tag: nothing.
    tabla("rodal")->Cancel();
    tabla("rodal")->setTag(tabla("rodal")->RecordCount());
    EXPECT_FALSE(ventana.CrearFila(tabla("rodal"), tabla("obj"), QStringLiteral("num")));
    EXPECT_EQ(columna("SELECT count(*) FROM obj"), QStringList{QStringLiteral("4")});
    tabla("rodal")->setTag(0);
    EXPECT_TRUE(ventana.CrearFila(tabla("rodal"), tabla("obj"), QStringLiteral("num")));

    // A flag that was already set stays set; an abort of the destination restores it too.
    ventana.Guardando = true;
    EXPECT_TRUE(ventana.CrearFila(tabla("rodal"), tabla("obj"), QStringLiteral("num")));
    EXPECT_TRUE(ventana.Guardando);
    ventana.Guardando = false;
    tabla("obj")->BeforePost = [](Dataset *) { Abort(); };
    EXPECT_FALSE(catchAbort([&] { ventana.CrearFila(tabla("rodal"), tabla("obj"), QStringLiteral("num")); }));
    EXPECT_FALSE(ventana.Guardando);
}

TEST_F(Filas, ActualizaYBorraFilaConClavesDeTextoYNumericas)
{
    // A stand renamed: its objective rows follow, apostrophes and all.
    tabla("rodal")->Locate(QStringLiteral("num"), QStringLiteral("O'3"));
    ASSERT_TRUE(tabla("rodal")->Edit());
    tabla("rodal")->FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("O'4"));
    ASSERT_TRUE(tabla("rodal")->Post());
    EXPECT_TRUE(ventana.ActualizaFila(tabla("rodal"), tabla("obj"), true, QStringLiteral("num"), QStringLiteral("O'3")));
    EXPECT_EQ(columna("SELECT obj FROM obj WHERE num='O''4'"), QStringList{QStringLiteral("X")});
    EXPECT_FALSE(ventana.Guardando);

    EXPECT_TRUE(ventana.BorraFila(tabla("rodal"), tabla("obj"), true, QStringLiteral("num")));
    EXPECT_TRUE(columna("SELECT obj FROM obj WHERE num='O''4'").isEmpty());
    EXPECT_EQ(tabla("obj")->RecordCount(), 2);

    // A numeric key, compared as a number.
    tabla("var_cli")->First();
    EXPECT_TRUE(ventana.BorraFila(tabla("var_cli"), tabla("fte_inf"), false, QStringLiteral("var")));
    EXPECT_EQ(columna("SELECT fte FROM fte_inf"), QStringList{QStringLiteral("C")});
    EXPECT_FALSE(ventana.Guardando);
}

TEST_F(Filas, CopiarCampoALaFilaDeLaMismaClave)
{
    tabla("rodal")->First();
    ventana.CopiarCampo(QStringLiteral("num"), tabla("rodal"), QString(), tabla("obj"), QStringLiteral("sup"));
    ventana.CopiarCampo(QStringLiteral("num"), tabla("rodal"), QStringLiteral("obj"), tabla("obj"), QStringLiteral("sup"));
    EXPECT_EQ(columna("SELECT sup || '/' || obj FROM obj WHERE num='1'"), QStringList{QStringLiteral("10.5/10,5")});
    EXPECT_FALSE(ventana.Guardando);
}

TEST_F(Filas, DatasetCerradoOCampoFaltanteSonFallasDeProgramacion)
{
    tabla("obj")->Close();
    EXPECT_FALSE(ventana.CrearFila(tabla("rodal"), tabla("obj"), QStringLiteral("num")));
    EXPECT_TRUE(dialogos.textos().last().startsWith(QStringLiteral("El ADO DataSet Destino \"adtobj\" está inactivo")));
    EXPECT_FALSE(ventana.BorraFila(tabla("rodal"), tabla("hidr"), true, QStringLiteral("sup")));
    EXPECT_TRUE(dialogos.textos().last().startsWith(QStringLiteral("El campo \"sup\" no existe en el dataset \"adthidr\"")));
}

class UpdateHijos : public Filas
{
protected:
    // Types `nuevo` into the stand number of the stand `num`, through the column's handler.
    bool renombrar(const char *num, const char *nuevo)
    {
        GridColumn *c = grilla("rodal")->Columns(0);
        c->OnUpdateData = [this](GridColumn *col, QString &t, QVariant &v, bool &h) {
            ventana.UpdateHijos(col, t, v, h, {grilla("fis"), grilla("hidr")}, {QStringLiteral("num_look"), QStringLiteral("num_look")});
        };
        tabla("rodal")->Locate(QStringLiteral("num"), QString::fromUtf8(num));
        return grilla("rodal")->writeCell(0, QString::fromUtf8(nuevo), QString::fromUtf8(nuevo));
    }
};

TEST_F(UpdateHijos, LlevaLaNuevaClaveALasGrillasDependientes)
{
    EXPECT_TRUE(renombrar("1", "1A"));
    EXPECT_EQ(dialogos.textos(), QStringList{kConfirmarCambio});
    EXPECT_EQ(columna("SELECT num FROM rodal ORDER BY Id").first(), QStringLiteral("1A"));
    EXPECT_EQ(columna("SELECT num FROM fis ORDER BY Id"), (QStringList{QStringLiteral("1A"), QStringLiteral("1A"), QStringLiteral("2")}));
    EXPECT_EQ(columna("SELECT num FROM hidr ORDER BY Id"), (QStringList{QStringLiteral("1A"), QStringLiteral("O'3")}));
    EXPECT_EQ(tabla("rodal")->RecNo(), 1);
    EXPECT_EQ(tabla("rodal")->State(), DatasetState::Edit);
    EXPECT_FALSE(ventana.Ocupado);
    EXPECT_FALSE(ventana.Guardando);
}

TEST_F(UpdateHijos, RechazaUnDuplicadoAntesDePreguntar)
{
    EXPECT_FALSE(renombrar("1", "O'3"));
    EXPECT_EQ(dialogos.textos(), QStringList{kDuplicado});
    EXPECT_EQ(columna("SELECT num FROM fis ORDER BY Id").first(), QStringLiteral("1"));
    EXPECT_FALSE(ventana.Ocupado);
}

TEST_F(UpdateHijos, NoDejaTodoComoEstaba)
{
    dialogos.responder({ID::NO});
    EXPECT_FALSE(renombrar("1", "5"));
    EXPECT_EQ(columna("SELECT num FROM rodal ORDER BY Id").first(), QStringLiteral("1"));
    EXPECT_EQ(columna("SELECT num FROM fis ORDER BY Id").first(), QStringLiteral("1"));
}

TEST_F(UpdateHijos, LaMismaClaveYUnaFilaNuevaPasanSinPreguntar)
{
    EXPECT_TRUE(renombrar("2", "2"));
    ASSERT_TRUE(tabla("rodal")->Append());
    EXPECT_TRUE(grilla("rodal")->writeCell(0, QStringLiteral("7"), QStringLiteral("7")));
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

// Regression: a dependent row refused by its own before-post left the other rows renamed.
TEST_F(UpdateHijos, UnaFallaDeshaceTodoElCambio)
{
    tabla("hidr")->BeforePost = [](Dataset *) { Abort(); };
    EXPECT_FALSE(renombrar("1", "1A"));
    EXPECT_EQ(columna("SELECT num FROM rodal ORDER BY Id").first(), QStringLiteral("1"));
    EXPECT_EQ(columna("SELECT num FROM fis ORDER BY Id").first(), QStringLiteral("1"));
    EXPECT_FALSE(ventana.Ocupado);
    EXPECT_EQ(tabla("fis")->FieldByName(QStringLiteral("num"))->AsString(), QStringLiteral("1"));
}

struct CasoHijos
{
    const char *nombre;
    std::vector<const char *> grillas;
    const char *valor;
    bool rechaza;
};

class TieneHijos : public Filas, public ::testing::WithParamInterface<CasoHijos>
{
};

TEST_P(TieneHijos, BuscaEnTodasLasGrillasMenosLaUltima)
{
    const CasoHijos &c = GetParam();
    QList<DBGrid *> lista;
    QStringList campos;
    for (const char *g : c.grillas) {
        lista << grilla(g);
        campos << QStringLiteral("num_look");
    }
    const bool siguio = catchAbort([&] { ventana.TieneHijos(lista, campos, tabla("rodal"), QString::fromUtf8(c.valor)); });
    EXPECT_EQ(siguio, !c.rechaza);
    EXPECT_EQ(dialogos.textos(), QStringList{c.rechaza ? kConHijos : kConfirmarBorrado});
}

INSTANTIATE_TEST_SUITE_P(Casos, TieneHijos,
                         ::testing::Values(CasoHijos{"EnLaPrimera", {"fis", "hidr"}, "1", true},
                                           CasoHijos{"SoloEnLaUltima", {"fis", "hidr"}, "O'3", false},
                                           CasoHijos{"UnaSolaGrilla", {"fis"}, "1", false},
                                           CasoHijos{"EnNinguna", {"fis", "hidr"}, "9", false}),
                         [](const auto &info) { return std::string(info.param.nombre); });

class DatosPredio : public Filas
{
protected:
    void SetUp() override
    {
        Filas::SetUp();
        ASSERT_TRUE(ppal.open(dir.filePath(QStringLiteral("bd.db")), Connection::ReadWriteCreate));
        ASSERT_TRUE(ppal.execScript(QStringLiteral(
            "CREATE TABLE predio (pred_codigo INTEGER, pred_nombre VARCHAR(50), pred_sup DOUBLE);"
            "CREATE TABLE rol (pred_codigo INTEGER, rol_numero VARCHAR(10), rol_sup DOUBLE);"
            "INSERT INTO predio VALUES (7, 'Fundo O''Higgins', 120.5), (8, 'Otro', 1);"
            "INSERT INTO rol VALUES (7, '100-1', 20), (7, '100-2', 100.5), (8, '9-9', 1);")));
        ventana.ConexionBDPpal = &ppal;
        ventana.PredCodigo = 7;
    }

    Connection ppal;
};

TEST_F(DatosPredio, ValoresDelPredioDelDocumentoODeOtro)
{
    EXPECT_EQ(ventana.ConsultaPredio(QStringLiteral("pred_nombre FROM predio p")), QStringLiteral("Fundo O'Higgins"));
    EXPECT_EQ(ventana.ConsultaPredio(QStringLiteral("pred_sup FROM predio p")), QStringLiteral("120,5"));
    EXPECT_EQ(ventana.ConsultaPredio(8, QStringLiteral("pred_nombre FROM predio p")), QStringLiteral("Otro"));
    EXPECT_EQ(ventana.ConsultaPredio(QStringLiteral("r.rol_numero FROM predio p JOIN rol r ON r.pred_codigo=p.pred_codigo"),
                                     QStringLiteral("r.rol_sup>50")),
              QStringLiteral("100-2"));
    EXPECT_EQ(ventana.ConsultaPredio(8, QStringLiteral("pred_nombre FROM predio p"), QStringLiteral("p.pred_sup>5")), QString());
}

TEST_F(DatosPredio, LaGrillaTomaLasFilasDelRegistroSinPreguntar)
{
    int preguntas = 0;
    tabla("hidr")->BeforeDelete = [&](Dataset *) { ++preguntas; };
    // The hydrography grid: its lookup column's key takes the first result column.
    ventana.ConsultaPredio(grilla("hidr"), QStringLiteral("r.rol_numero FROM predio p JOIN rol r ON r.pred_codigo=p.pred_codigo"),
                           QString());
    EXPECT_EQ(columna("SELECT num FROM hidr ORDER BY Id"), (QStringList{QStringLiteral("100-1"), QStringLiteral("100-2")}));
    // Columns in the grid's order; numbers keep their decimals.
    grilla("obj")->addColumn(QStringLiteral("num"));
    grilla("obj")->addColumn(QStringLiteral("sup"));
    ventana.ConsultaPredio(8, grilla("obj"), QStringLiteral("r.rol_numero, r.rol_sup FROM predio p JOIN rol r ON r.pred_codigo=p.pred_codigo"),
                           QString());
    ventana.ConsultaPredio(grilla("obj"), QStringLiteral("r.rol_numero, r.rol_sup FROM predio p JOIN rol r ON r.pred_codigo=p.pred_codigo"),
                           QStringLiteral("r.rol_sup>50"));
    EXPECT_EQ(columna("SELECT num || '=' || sup FROM obj"), QStringList{QStringLiteral("100-2=100.5")});
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QString()).toStdString();
    EXPECT_FALSE(ventana.Guardando);
    EXPECT_EQ(preguntas, 0);
    EXPECT_TRUE(bool(tabla("hidr")->BeforeDelete));
}

struct CasoSuelo
{
    const char *suelo;
    const char *resolucion;
    bool admite;
};

class TipoSuelo : public Filas, public ::testing::WithParamInterface<CasoSuelo>
{
};

TEST_P(TipoSuelo, SegunLaResolucion)
{
    ventana.DirAplicacion = DirProgramaConstruido();
    GridColumn *c = grilla("rodal")->Columns(1);
    const CasoSuelo &caso = GetParam();
    EXPECT_EQ(catchAbort([&] {
                  ventana.ValidarTipoSuelo(grilla("rodal"), c, QLatin1String(caso.suelo), QLatin1String(caso.resolucion));
              }),
              caso.admite);
    if (!caso.admite) {
        EXPECT_EQ(dialogos.textos(),
                  QStringList{QStringLiteral(
                      "Error en Formulario PRUE: \n\nLa Categoría de Suelo no corresponde al tipo de resolución seleccionada.")});
        EXPECT_EQ(grilla("rodal")->SelectedIndex(), 1);
    }
}

// Soil 1 is in both lists, 2 only in the second, 3 only in the first; 99 in none.
INSTANTIATE_TEST_SUITE_P(Casos, TipoSuelo,
                         ::testing::Values(CasoSuelo{"1", "0", true}, CasoSuelo{"1", "1", true}, CasoSuelo{"2", "0", false},
                                           CasoSuelo{"2", "1", true}, CasoSuelo{"3", "0", true}, CasoSuelo{"3", "2", true},
                                           CasoSuelo{"99", "1", false}));

// A property register whose pick is set by the test (0: closed without a choice).
class RegistroPredios : public TCustomModalChild
{
public:
    using TCustomModalChild::TCustomModalChild;
    void MostrarModal() override {}
    int MostrarModalSeleccion() override { return eleccion; }
    static inline int eleccion = 0;
};

class VentanaConPredio : public VentanaEntrada
{
public:
    void LlenarInfoPredio() override { llenados << PredCodigo; }
    QList<int> llenados;
};

TEST(SeleccionPredio, SinEleccionConservaElPredioDelDocumento)
{
    const ClassRegistrar registro("TFormPredios", [](QWidget *owner) -> QWidget * { return new RegistroPredios(owner); });
    const struct
    {
        int antes, eleccion, despues;
        QList<int> llenados;
    } casos[] = {
        {7, 0, 7, {}}, // closed without a choice: the property and its data stay
        {0, 0, 0, {}},
        {7, 9, 9, {9, 9}}, // the form and its sibling take the chosen property
        {0, 9, 9, {9, 9}},
    };
    ScriptedDialogs dialogos;
    for (const auto &c : casos) {
        VentanaConPredio ventana, hermana;
        ventana.Modificado = false; // no question about replacing typed data
        ventana.Hermanos << &hermana;
        ventana.PredCodigo = c.antes;
        hermana.PredCodigo = c.antes;
        RegistroPredios::eleccion = c.eleccion;
        ventana.FrmEventoOnSeleccionPredio();
        EXPECT_EQ(ventana.PredCodigo, c.despues) << c.antes << " " << c.eleccion;
        EXPECT_EQ(hermana.PredCodigo, c.despues) << c.antes << " " << c.eleccion;
        EXPECT_EQ(ventana.llenados + hermana.llenados, c.llenados) << c.antes << " " << c.eleccion;
    }
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

} // namespace
