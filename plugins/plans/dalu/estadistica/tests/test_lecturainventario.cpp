#include "lecturainventario.h"

#include "connection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace EstadisticaDalu;

namespace {

class LecturaInventario : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(db.open(dir.filePath(QStringLiteral("trabajo.db")), Connection::ReadWriteCreate));
        // The worked example as the form stores it (plot type as step 1 writes it, with its
        // blank), a second stand, and a tree still without a diameter.
        ASSERT_TRUE(db.execScript(QStringLiteral(
            "CREATE TABLE dalu_inventario (id_inv INTEGER, num INTEGER, tip_parc INTEGER, mag DOUBLE, num_parc INTEGER);"
            "CREATE TABLE dalu_inv_parcela (id_inv_parc INTEGER, id_inv INTEGER, id_parc INTEGER);"
            "CREATE TABLE dalu_parcela (id_inv_parc INTEGER, esp INTEGER, dap DOUBLE);"
            "CREATE TABLE especie (espe_codigo INTEGER, espe_descripcion VARCHAR(100));"
            "INSERT INTO dalu_inventario VALUES (1, 1, '128 ', 500, 4), (2, 2, NULL, '12,5', NULL);"
            "INSERT INTO dalu_inv_parcela VALUES (10, 1, 1), (11, 1, 2), (12, 1, 3), (13, 1, 4), (20, 2, 1);"
            "INSERT INTO dalu_parcela VALUES (10, 7, 12), (10, 7, 14), (10, 7, 18), (11, 7, 11), (11, 7, 16),"
            "  (12, 7, 13), (12, 7, 21), (12, 7, 22), (12, 7, 15), (13, 7, 19), (13, 7, NULL), (20, 8, 30.5);"
            "INSERT INTO especie VALUES (7, 'Raulí'), (8, 'Roble'), (9, 'Coihue');")))
            << db.lastError().text().toStdString();
    }

    QTemporaryDir dir;
    Connection db;
};

TEST_F(LecturaInventario, ReadsTheWorkedExampleThatTheStatisticsTake)
{
    const std::optional<Inventario> inv = leerInventario(db, 1);
    ASSERT_TRUE(inv);
    EXPECT_EQ(inv->tipoParcela, kParcelaSuperficieFija);
    EXPECT_EQ(inv->superficie, 500);
    EXPECT_EQ(inv->numeroParcelas, 4);
    ASSERT_EQ(inv->parcelas.size(), 4u);
    EXPECT_EQ(inv->parcelas[2].numero, 3);
    EXPECT_EQ(inv->parcelas[2].arboles.size(), 4u);
    EXPECT_EQ(inv->parcelas[3].arboles.size(), 1u);  // the tree without a diameter is left out

    EspeciesTabla especies;
    especies.esp1 = 7;
    const Muestreo m = muestreo(*inv, tablaRodal(*inv, especies, 11, 22));
    EXPECT_EQ(m.numArbMed, 50);
    EXPECT_EQ(m.numArbErr, 82.16);
    EXPECT_EQ(m.areaBasErr, 104.78);
}

TEST_F(LecturaInventario, EmptyValuesAndMissingRows)
{
    const std::optional<Inventario> segundo = leerInventario(db, 2);
    ASSERT_TRUE(segundo);
    EXPECT_EQ(segundo->tipoParcela, 0);
    EXPECT_EQ(segundo->superficie, 12.5);
    EXPECT_EQ(segundo->numeroParcelas, 0);
    ASSERT_EQ(segundo->parcelas.size(), 1u);
    EXPECT_EQ(segundo->parcelas[0].arboles[0].especie, 8);
    EXPECT_EQ(segundo->parcelas[0].arboles[0].dap, 30.5);

    const std::optional<Inventario> ninguno = leerInventario(db, 99);
    ASSERT_TRUE(ninguno);
    EXPECT_EQ(ninguno->numeroParcelas, 0);
    EXPECT_TRUE(ninguno->parcelas.empty());
}

TEST_F(LecturaInventario, ADatabaseFailureIsReportedNotReadAsAnEmptyStand)
{
    ASSERT_TRUE(db.exec(QStringLiteral("DROP TABLE dalu_parcela")));
    SqlError error;
    EXPECT_FALSE(leerInventario(db, 1, &error));
    EXPECT_TRUE(error.message.contains(QStringLiteral("dalu_parcela"))) << error.text().toStdString();
}

TEST_F(LecturaInventario, OtherSpeciesNamesTurnIntoCodes)
{
    EXPECT_EQ(codigosEspecies(db, QStringLiteral("Roble,Coihue")), (std::vector<int>{8, 9}));
    EXPECT_EQ(codigosEspecies(db, QStringLiteral("Roble, Desconocida ,Raulí")), (std::vector<int>{8, 7}));
    EXPECT_EQ(codigosEspecies(db, QString()), std::vector<int>{});
    // A name holding a quote is a value, not SQL.
    EXPECT_EQ(codigosEspecies(db, QStringLiteral("x\" OR 1=1 --")), std::vector<int>{});

    ASSERT_TRUE(db.exec(QStringLiteral("DROP TABLE especie")));
    SqlError error;
    EXPECT_FALSE(codigosEspecies(db, QStringLiteral("Roble"), &error));
    EXPECT_TRUE(error.isValid());
}

} // namespace
