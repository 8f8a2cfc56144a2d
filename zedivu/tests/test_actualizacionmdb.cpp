#include "actualizacionmdb.h"

#include "connection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Actualizacion : public ::testing::Test
{
protected:
    void crear(const char *sql)
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("w.db"));
        Connection c;
        ASSERT_TRUE(c.open(path, Connection::ReadWriteCreate));
        ASSERT_TRUE(c.execScript(QString::fromUtf8(sql))) << c.lastError().text().toStdString();
    }
    QVariant valor(const QString &sql)
    {
        Connection c;
        EXPECT_TRUE(c.open(path, Connection::ReadOnly));
        const QueryResult r = c.select(sql);
        EXPECT_TRUE(r.ok) << r.error.text().toStdString();
        return r.rows.isEmpty() ? QVariant() : r.rows.first().value(0);
    }
    QString tipoDe(const QString &tabla, const QString &columna)
    {
        Connection c;
        EXPECT_TRUE(c.open(path, Connection::ReadOnly));
        const QueryResult r = c.select(QStringLiteral("SELECT type FROM pragma_table_info(?) WHERE name = ?"), {tabla, columna});
        return r.rows.isEmpty() ? QString() : r.rows.first().value(0).toString();
    }

    QTemporaryDir dir;
    QString path;
};

QStringList columnas(const QList<ActualizacionMDB::Paso> &pasos)
{
    QStringList r;
    for (const auto &p : pasos)
        r << p.tabla + QLatin1Char('.') + p.columna;
    return r;
}

} // namespace

struct EtapasCase
{
    const char *version;
    QList<int> etapas;
};

class EtapasPorVersion : public ::testing::TestWithParam<EtapasCase>
{
};

TEST_P(EtapasPorVersion, ExactTagSelectsTheStages)
{
    EXPECT_EQ(ActualizacionMDB::etapas(QString::fromLatin1(GetParam().version)), GetParam().etapas);
}

INSTANTIATE_TEST_SUITE_P(Cases, EtapasPorVersion,
                         ::testing::Values(EtapasCase{"v1.0", {1, 2, 3}}, EtapasCase{"v1.3", {1, 2, 3}},
                                           EtapasCase{"v1.4", {2, 3}}, EtapasCase{"v1.5", {2, 3}},
                                           EtapasCase{"v2.0", {3}}, EtapasCase{"v2.3", {3}}, EtapasCase{"v2.4", {}},
                                           EtapasCase{"v2.5", {}}, EtapasCase{"v1.6", {}}, EtapasCase{"vUnkno", {}},
                                           EtapasCase{"", {}}));

TEST(ActualizacionPasos, V23MarpoGetsOnlyTheTypeChangeAndV13AllThree)
{
    const auto marpo = ActualizacionMDB::pasos(QStringLiteral("MARPO"), QStringLiteral("v2.3"));
    ASSERT_EQ(marpo.size(), 1);
    EXPECT_EQ(marpo.first().tipo, ActualizacionMDB::Paso::CambiarTipo);
    EXPECT_EQ(columnas(marpo), QStringList{QStringLiteral("marpo_resumen.refor_sup")});

    EXPECT_EQ(columnas(ActualizacionMDB::pasos(QStringLiteral("DORVO"), QStringLiteral("v1.3"))),
              (QStringList{"dorvo_pro.sexo", "dorvo_rep.sexo", "dorvo_pro.usuf"}));
    EXPECT_EQ(columnas(ActualizacionMDB::pasos(QStringLiteral("DORVO"), QStringLiteral("v1.5"))),
              QStringList{"dorvo_pro.usuf"});
    EXPECT_TRUE(ActualizacionMDB::pasos(QStringLiteral("DORVO"), QStringLiteral("v2.3")).isEmpty());
    EXPECT_TRUE(ActualizacionMDB::pasos(QStringLiteral("JOREV"), QStringLiteral("v1.0")).isEmpty());
}

TEST_F(Actualizacion, AddsColumnsWithTheirFirstValuesAndKeepsExistingOnes)
{
    crear("CREATE TABLE bexa (id INTEGER PRIMARY KEY, obs TEXT);"
          "INSERT INTO bexa (obs) VALUES ('ya escrito');"
          "CREATE TABLE bexa_pro (id INTEGER PRIMARY KEY, nombre VARCHAR(20));"
          "INSERT INTO bexa_pro (nombre) VALUES ('a'), ('b');"
          "CREATE TABLE bexa_rep (id INTEGER PRIMARY KEY);"
          "CREATE TABLE bexa_bon (id INTEGER PRIMARY KEY);");
    QString error;
    ASSERT_TRUE(ActualizacionMDB::actualizar(path, QStringLiteral("BEXA"), QStringLiteral("v1.3"), &error))
        << error.toStdString();
    // A column already there is not an error, and its data are not written over.
    EXPECT_EQ(valor(QStringLiteral("SELECT obs FROM bexa")).toString(), QStringLiteral("ya escrito"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM bexa_pro WHERE sexo = 0 AND usuf = 0")).toInt(), 2);
    EXPECT_EQ(tipoDe(QStringLiteral("bexa_pro"), QStringLiteral("usuf")), QStringLiteral("BOOLEAN"));
    EXPECT_EQ(tipoDe(QStringLiteral("bexa_bon"), QStringLiteral("subsolado")), QStringLiteral("INTEGER"));
    EXPECT_TRUE(valor(QStringLiteral("SELECT COUNT(*) FROM bexa_bon WHERE seguro_for IS NULL")).isValid());
    // Running it again changes nothing and fails nowhere.
    EXPECT_TRUE(ActualizacionMDB::actualizar(path, QStringLiteral("BEXA"), QStringLiteral("v1.3"), &error));
}

TEST_F(Actualizacion, FailingStatementReportsAndKeepsWhatRanBefore)
{
    crear("CREATE TABLE bexa (id INTEGER PRIMARY KEY);");
    QString error;
    EXPECT_FALSE(ActualizacionMDB::actualizar(path, QStringLiteral("BEXA"), QStringLiteral("v1.3"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("bexa_pro"))) << error.toStdString();
    EXPECT_EQ(tipoDe(QStringLiteral("bexa"), QStringLiteral("obs")), QStringLiteral("TEXT"));
}

TEST_F(Actualizacion, PraduCopiesIntoItsNewTableOnce)
{
    crear("CREATE TABLE pradu (id INTEGER PRIMARY KEY, num_cbf VARCHAR(60), fec_emi DATETIME, sup_bon DOUBLE);"
          "INSERT INTO pradu (num_cbf, fec_emi, sup_bon) VALUES ('C-1', '2004-05-06 00:00:00', 2.5);");
    QString error;
    ASSERT_TRUE(ActualizacionMDB::actualizar(path, QStringLiteral("PRADU"), QStringLiteral("v1.2"), &error))
        << error.toStdString();
    ASSERT_TRUE(ActualizacionMDB::actualizar(path, QStringLiteral("PRADU"), QStringLiteral("v1.2"), &error));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM pradu_cbf WHERE num_cbf = 'C-1' AND sup_bon = 2.5")).toInt(), 1);
}

TEST_F(Actualizacion, MarpoColumnBecomesDoubleKeepingRowsAndIndexes)
{
    crear("CREATE TABLE marpo_resumen (id INTEGER PRIMARY KEY AUTOINCREMENT, \"refor_sup\" VARCHAR(20) NOT NULL DEFAULT '0',"
          "                            nota TEXT, CHECK (id > 0));"
          "CREATE INDEX marpo_resumen_nota ON marpo_resumen (nota);"
          "INSERT INTO marpo_resumen (refor_sup, nota) VALUES ('12.5', 'a, (b)');");
    QString error;
    ASSERT_TRUE(ActualizacionMDB::actualizar(path, QStringLiteral("MARPO"), QStringLiteral("v2.3"), &error))
        << error.toStdString();
    EXPECT_EQ(tipoDe(QStringLiteral("marpo_resumen"), QStringLiteral("refor_sup")), QStringLiteral("DOUBLE"));
    EXPECT_EQ(valor(QStringLiteral("SELECT typeof(refor_sup) || ' ' || refor_sup || ' ' || nota FROM marpo_resumen")).toString(),
              QStringLiteral("real 12.5 a, (b)"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'marpo_resumen_nota'")).toInt(), 1);
    EXPECT_EQ(valor(QStringLiteral("SELECT dflt_value FROM pragma_table_info('marpo_resumen') WHERE name = 'refor_sup'")).toString(),
              QStringLiteral("'0'"));
    // A later version leaves it alone.
    EXPECT_TRUE(ActualizacionMDB::actualizar(path, QStringLiteral("MARPO"), QStringLiteral("v2.4"), &error));
}
