// The curtain rules the windbreak forms share, run on each of them: a curtain's rows follow
// its row count once it is posted (keeping what was typed into the first ones), no two
// curtains share sector and number (values bound, edits checked too), and a deleted curtain
// takes its rows with it.
#include "documentofixture.h"

#include "abort.h"
#include "connection.h"
#include "filasprueba.h"
#include "planprueba.h"

#include <QVariant>

namespace {

// What tells one windbreak form from another in these tests.
struct FormaCortinas
{
    const char *codigo;
    const char *padre;
    const char *plugin;
    const char *pluginPadre;
    const char *cortinas; // suffixes of the datasets
    const char *filas;
    const char *tablaFilas;
    const char *enlace;
    const char *numeroFila;
    // A curtain as a consultant types it.
    ValoresFila (*cortina)(const QString &sector, const QString &numero, const QString &hileras);
    // What a consultant types into a row, its species first.
    ValoresFila (*fila)(const QString &especie);
    // The question asked before a curtain keeps fewer rows; empty: none.
    QString preguntaMenos;
    QString preguntaBorrado;

    friend void PrintTo(const FormaCortinas &f, std::ostream *os) { *os << f.codigo; }
};

const QString kBorradoComun = QStringLiteral("¿Está seguro de eliminar este registro?");

const FormaCortinas kIlva = {
    "ILVA", "DORVO", BRENVIK_ILVA_PLUGIN, BRENVIK_DORVO_PLUGIN, "car", "car_det", "ilva_car_det", "Id_car", "hil",
    [](const QString &sector, const QString &numero, const QString &hileras) {
        return ValoresFila{{"num_sect", sector}, {"num_cort", numero}, {"sup", "10"}, {"long", "0,5"},
                           {"num_hil", hileras}, {"dis", "3"}, {"ano", "2025"}};
    },
    [](const QString &especie) {
        return ValoresFila{{"esp", especie}, {"tip_pla", "1"}, {"dis", "2,5"}};
    },
    QString(), kBorradoComun};

const FormaCortinas kKifo = {
    "KIFO", "FERUN", BRENVIK_KIFO_PLUGIN, BRENVIK_FERUN_PLUGIN, "car_cort", "car_cort_det", "kifo_car_cort_det", "id_car",
    "num_hil",
    [](const QString &sector, const QString &numero, const QString &hileras) {
        return ValoresFila{{"num_sect", sector}, {"num_cort", numero}, {"long", "0,5"},
                           {"num_hil", hileras}, {"dist_hil", "3"}, {"ano", "2025"}};
    },
    [](const QString &especie) {
        return ValoresFila{{"esp", especie}, {"tip_planta", "1"}, {"dist", "2,5"}, {"num_arb", "400"}};
    },
    QStringLiteral("La cantidad de hileras ingresadas es menor a la existente para esta cortina.\n"
                   "¿Desea descartar las filas adicionales?"),
    QStringLiteral("Al borrar esta fila, se borrará también la información de las hileras.\n"
                   "¿Seguro que desea continuar?")};

class Cortinas : public DocumentoFixture, public TablasFormulario, public ::testing::WithParamInterface<FormaCortinas>
{
public:
    Cortinas()
        : DocumentoFixture({QLatin1String(GetParam().padre), QLatin1String(GetParam().codigo)},
                           [](const QString &) { return 1; }, QStringLiteral("Cortinas de prueba")),
          TablasFormulario(QLatin1String(GetParam().codigo))
    {
    }

    void SetUp() override
    {
        CargarPlugins({QLatin1String(GetParam().plugin), QLatin1String(GetParam().pluginPadre)});
        DocumentoFixture::SetUp();
    }

    void abrirDocumento() override
    {
        DocumentoFixture::abrirDocumento();
        form = ventanas.value(1);
    }

    bool cortina(const QString &sector, const QString &numero, const QString &hileras = QStringLiteral("2"))
    {
        return agregar(QLatin1String(GetParam().cortinas), GetParam().cortina(sector, numero, hileras));
    }
    bool cambiarCortina(const QString &numero, const ValoresFila &valores)
    {
        return modificar(QLatin1String(GetParam().cortinas), "num_cort", numero, valores);
    }
    // The rows of the current curtain, as "number|species" in row order.
    QStringList hileras() const
    {
        const FormaCortinas &p = GetParam();
        const QVariant id = tabla(QLatin1String(p.cortinas))->FieldByName(QStringLiteral("Id_car"))->Value();
        QStringList r;
        const QString sql = QStringLiteral("SELECT %1 || '|' || ifnull(esp, 'null') FROM %2 WHERE %3 = ? ORDER BY rowid")
                                .arg(QLatin1String(p.numeroFila), QLatin1String(p.tablaFilas), QLatin1String(p.enlace));
        for (const QVariantList &fila : form->ConexionBD->select(sql, {id}).rows)
            r << fila.value(0).toString();
        return r;
    }
    bool especie(const QString &numero, const QString &nombre)
    {
        return ModificarFila(tabla(QLatin1String(GetParam().filas)), GetParam().numeroFila, numero, GetParam().fila(nombre));
    }
    int preguntas(const QString &texto) const { return int(dialogos.textos().count(texto)); }
};

const QString kPino = QStringLiteral("Pino radiata (Pinus radiata)");
const QString kEucalipto = QStringLiteral("Eucalipto (Eucalyptus globulus)");
const QString kRepetida = QStringLiteral("El sector y Nº de cortina no puede repetirse");

} // namespace

TEST_P(Cortinas, LasHilerasSiguenASuCantidadUnaVezGuardadaLaCortina)
{
    struct Caso
    {
        const char *nombre;
        const char *cantidad;
        int respuesta;
    };
    const QList<Caso> casos = {
        {"3 to 2", "2", ID::YES},
        {"3 to 1, discarding", "1", ID::YES},
        {"3 to 1, keeping them", "1", ID::NO},
        {"3 to 5", "5", ID::YES},
    };
    const bool pregunta = !GetParam().preguntaMenos.isEmpty();
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        dialogos.respuestas.clear();
        ASSERT_TRUE(cortina(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("3"))) << mensajesTexto();
        EXPECT_EQ(hileras(), (QStringList{QStringLiteral("1|null"), QStringLiteral("2|null"), QStringLiteral("3|null")}));
        ASSERT_TRUE(especie(QStringLiteral("1"), kPino)) << mensajesTexto();
        ASSERT_TRUE(especie(QStringLiteral("2"), kEucalipto)) << mensajesTexto();
        dialogos.boxes.clear();

        const int cantidad = QString::fromLatin1(c.cantidad).toInt();
        const bool menos = cantidad < 3;
        const bool queda = !(menos && pregunta && c.respuesta == ID::NO);
        if (menos && pregunta)
            dialogos.responder({c.respuesta});
        EXPECT_EQ(cambiarCortina(QStringLiteral("1"), {{"num_hil", QLatin1String(c.cantidad)}}), queda) << mensajesTexto();
        EXPECT_EQ(preguntas(GetParam().preguntaMenos), menos && pregunta ? 1 : 0) << mensajesTexto();

        const QStringList todas = {QStringLiteral("1|") + kPino, QStringLiteral("2|") + kEucalipto, QStringLiteral("3|null"),
                                   QStringLiteral("4|null"), QStringLiteral("5|null")};
        const int esperadas = queda ? cantidad : 3;
        EXPECT_EQ(hileras(), todas.mid(0, esperadas));
        EXPECT_EQ(tabla(QLatin1String(GetParam().filas))->RecordCount(), esperadas);
    }
}

TEST_P(Cortinas, NingunaCortinaRepiteSectorYNumero)
{
    enum Accion { Agregar, Cambiar };
    struct Caso
    {
        const char *nombre;
        Accion accion;
        ValoresFila valores; // sector and number to add; the fields the edit of curtain 2 types
        bool aceptada;
    };
    const QList<Caso> casos = {
        {"same sector and number", Agregar, {{"num_sect", "1"}, {"num_cort", "1"}}, false},
        {"same number in another sector", Agregar, {{"num_sect", "2"}, {"num_cort", "1"}}, true},
        {"a sector with a double quote", Agregar, {{"num_sect", "5\"A"}, {"num_cort", "3"}}, false},
        {"the same number beside that sector", Agregar, {{"num_sect", "5\"A"}, {"num_cort", "1"}}, true},
        {"a sector named like the column", Agregar, {{"num_sect", "NUM_CORT"}, {"num_cort", "4"}}, false},
        {"a sector with an apostrophe", Agregar, {{"num_sect", "O'Higgins"}, {"num_cort", "5"}}, false},
        {"an edit onto another curtain", Cambiar, {{"num_cort", "1"}}, false},
        {"an edit of the rows", Cambiar, {{"num_hil", "3"}}, true},
        {"an edit typing the same sector and number", Cambiar, {{"num_sect", "1"}, {"num_cort", "2"}}, true},
        {"an edit moving it to a free sector", Cambiar, {{"num_sect", "2"}}, true},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        for (const auto &[sector, numero] : {std::pair{"1", "1"}, std::pair{"1", "2"}, std::pair{"5\"A", "3"},
                                             std::pair{"NUM_CORT", "4"}, std::pair{"O'Higgins", "5"}})
            ASSERT_TRUE(cortina(QString::fromUtf8(sector), QLatin1String(numero))) << mensajesTexto();
        dialogos.boxes.clear();
        bool aceptada = false;
        if (c.accion == Agregar)
            aceptada = cortina(c.valores.at(0).second, c.valores.at(1).second);
        else
            aceptada = cambiarCortina(QStringLiteral("2"), c.valores);
        EXPECT_EQ(aceptada, c.aceptada) << mensajesTexto();
        EXPECT_EQ(dialogos.textos().join(QString()).contains(kRepetida), !c.aceptada) << mensajesTexto();
        EXPECT_EQ(filas(QStringLiteral("SELECT COUNT(*) FROM %1_%2")
                            .arg(QString::fromLatin1(GetParam().codigo).toLower(), QLatin1String(GetParam().cortinas))),
                  QStringList{QString::number(c.accion == Agregar && c.aceptada ? 6 : 5)});
    }
}

TEST_P(Cortinas, UnaCortinaBorradaSeLlevaSusHileras)
{
    for (const int respuesta : {ID::NO, ID::YES}) {
        SCOPED_TRACE(respuesta == ID::YES ? "deleted" : "kept");
        abrirDocumento();
        ASSERT_TRUE(cortina(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("4"))) << mensajesTexto();
        ASSERT_TRUE(cortina(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"))) << mensajesTexto();
        dialogos.boxes.clear();
        dialogos.responder({respuesta});
        EXPECT_EQ(borrar(QLatin1String(GetParam().cortinas), "num_cort", QStringLiteral("1")), respuesta == ID::YES);
        EXPECT_EQ(dialogos.textos(), QStringList{GetParam().preguntaBorrado});
        const QString sql = QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(GetParam().tablaFilas));
        EXPECT_EQ(filas(sql), QStringList{respuesta == ID::YES ? QStringLiteral("1") : QStringLiteral("5")});
    }
}

INSTANTIATE_TEST_SUITE_P(Formas, Cortinas, ::testing::Values(kIlva, kKifo),
                         [](const ::testing::TestParamInfo<FormaCortinas> &i) { return std::string(i.param.codigo); });
