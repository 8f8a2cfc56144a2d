// The volume of a product row over the main database's `unidadproducto` (seeded: unit 5
// of product 5 is 0.05, unit 5 of product 18 is 0.01, unit 8 has no factor for product 5),
// and the check that the unit fits the product.
#include "abort.h"
#include "connection.h"
#include "entrada/ventanaentrada.h"
#include "field.h"
#include "predio/volumenproducto.h"
#include "scripteddialogs.h"
#include "table.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Volumen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(principal.open(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db"), Connection::ReadOnly));
    }
    Connection principal;
};

QVariant nulo()
{
    return QVariant();
}

} // namespace

TEST_F(Volumen, QuantityTimesTheUnitsFactorRoundedHalfToEvenAsProgramText)
{
    VolumenProducto::Configuracion yolva;
    VolumenProducto::Configuracion fenra;
    fenra.productoNegativoEs18 = true;
    const struct
    {
        QVariant cant, unidad, producto;
        const VolumenProducto::Configuracion &config;
        const char *volumen;
    } casos[] = {
        {2.5, 5, 5, yolva, "0,12"},       // 0,125: the half goes to the even 2 (SQL's round gives 0,13)
        {3.5, 5, 5, yolva, "0,18"},       // 0,175 -> 0,18
        {QStringLiteral("7,25"), 11, 5, yolva, "7,25"}, // unit 11 is the volume itself
        {7.25, 11, nulo(), yolva, "7,25"},
        {10, 8, 5, yolva, ""},            // no factor for the pair
        {nulo(), 5, 5, yolva, ""},        // no quantity
        {10, nulo(), 5, yolva, ""},
        {100, 5, -3, fenra, "1"},         // an "other" product counts as 18
        {100, 5, -3, yolva, ""},
        {QStringLiteral("abc"), 5, 5, yolva, ""},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.cant.toString().toStdString() + " " + c.unidad.toString().toStdString() + " " + c.producto.toString().toStdString());
        EXPECT_EQ(VolumenProducto::volumen(principal, c.cant, c.unidad, c.producto, c.config).toStdString(), c.volumen);
    }
}

TEST_F(Volumen, TheUnitMustFitTheProductUnitElevenAsConfigured)
{
    VolumenProducto::Configuracion exenta;
    VolumenProducto::Configuracion trozel;
    trozel.productoNegativoEs18 = true;
    trozel.unidadDirectaSinControl = false;
    EXPECT_TRUE(VolumenProducto::unidadCorresponde(principal, 5, 5, exenta));
    EXPECT_FALSE(VolumenProducto::unidadCorresponde(principal, 8, 5, exenta));
    EXPECT_TRUE(VolumenProducto::unidadCorresponde(principal, 11, 99, exenta));
    EXPECT_FALSE(VolumenProducto::unidadCorresponde(principal, 11, 99, trozel));
    EXPECT_TRUE(VolumenProducto::unidadCorresponde(principal, 11, 5, trozel));
    EXPECT_TRUE(VolumenProducto::unidadCorresponde(principal, 5, -3, trozel));
    EXPECT_FALSE(VolumenProducto::unidadCorresponde(principal, 5, -3, exenta));
    EXPECT_FALSE(VolumenProducto::unidadCorresponde(principal, nulo(), 5, exenta));
    // The values are bound, never spliced into the statement.
    EXPECT_FALSE(VolumenProducto::unidadCorresponde(principal, QStringLiteral("5 OR 1=1"), 5, exenta));
}

TEST_F(Volumen, ARowRecomputesItsVolumeAndIsRefusedWhenTheUnitDoesNotFit)
{
    QTemporaryDir dir;
    Connection trabajo;
    ASSERT_TRUE(trabajo.open(dir.filePath(QStringLiteral("t.db")), Connection::ReadWriteCreate));
    ASSERT_TRUE(trabajo.exec(QStringLiteral("CREATE TABLE prod (Id INTEGER PRIMARY KEY AUTOINCREMENT, tipo_prod INTEGER, "
                                            "cant DOUBLE, unme_codigo INTEGER, volumen VARCHAR(50))")));
    ScriptedDialogs dialogos{ID::OK};
    VentanaEntrada ventana;
    ventana.Codigo = QStringLiteral("YOLVA");
    ventana.ConexionBD = &trabajo;
    ventana.ConexionBDPpal = &principal;
    Table prod;
    prod.setTableName(QStringLiteral("prod"));
    prod.setConnection(&trabajo);
    ASSERT_TRUE(prod.Open());
    VolumenProducto::enlazar(&ventana, &prod);

    ASSERT_TRUE(prod.Append());
    Field *volumen = prod.FieldByName(QStringLiteral("volumen"));
    prod.FieldByName(QStringLiteral("tipo_prod"))->setAsInteger(5);
    prod.FieldByName(QStringLiteral("cant"))->setAsString(QStringLiteral("2,5"));
    EXPECT_TRUE(volumen->IsNull()); // no unit yet
    prod.FieldByName(QStringLiteral("unme_codigo"))->setAsInteger(5);
    EXPECT_EQ(volumen->AsString(), QStringLiteral("0,12"));
    prod.FieldByName(QStringLiteral("cant"))->setAsString(QStringLiteral("3,5"));
    EXPECT_EQ(volumen->AsString(), QStringLiteral("0,18"));
    prod.FieldByName(QStringLiteral("unme_codigo"))->setAsInteger(11);
    EXPECT_EQ(volumen->AsString(), QStringLiteral("3,5"));
    bool ok = false;
    EXPECT_TRUE(catchAbort([&] { ok = prod.Post(); }));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QLatin1Char('|')).toStdString();

    // A unit without a factor for the product: no volume, and the row is refused.
    ASSERT_TRUE(prod.Edit());
    prod.FieldByName(QStringLiteral("unme_codigo"))->setAsInteger(8);
    EXPECT_TRUE(volumen->IsNull());
    EXPECT_FALSE(catchAbort([&] { prod.Post(); }));
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.contains(QStringLiteral("La unidad de medida no corresponde al producto escogido")))
        << dialogos.boxes.first().texto.toStdString();
    // Changing the product recomputes too.
    prod.FieldByName(QStringLiteral("unme_codigo"))->setAsInteger(5);
    prod.FieldByName(QStringLiteral("tipo_prod"))->setAsInteger(18);
    EXPECT_EQ(volumen->AsString(), QStringLiteral("0,04"));
    EXPECT_TRUE(catchAbort([&] { prod.Post(); }));
}
