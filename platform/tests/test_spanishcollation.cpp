// The Spanish order of the lists: SQLite's byte order put every accented letter after "z".
#include "spanishcollation.h"
#include "testdb.h"

#include <QStringList>

namespace {

struct Par
{
    const char *antes;
    const char *despues;
};

class OrdenEspanol : public ::testing::TestWithParam<Par>
{
};

TEST_P(OrdenEspanol, ComparesInBothDirections)
{
    const QString a = QString::fromUtf8(GetParam().antes);
    const QString b = QString::fromUtf8(GetParam().despues);
    EXPECT_LT(compareSpanish(a, b), 0);
    EXPECT_GT(compareSpanish(b, a), 0);
    EXPECT_EQ(compareSpanish(a, a), 0);
}

INSTANTIATE_TEST_SUITE_P(Pares, OrdenEspanol,
                         ::testing::Values(Par{"Antártica", "Antuco"}, Par{"Cañete", "Cauquenes"},
                                           Par{"Nuñoa", "Ñiquén"}, Par{"Ñiquén", "Osorno"}, Par{"Canela", "Cañete"},
                                           Par{"Los Ángeles", "Los Muermos"}, Par{"Ñuñoa", "ÑUÑOA"},
                                           Par{"alamo", "Álamo"}, Par{"PEREZ", "PÉREZ"}, Par{"Pérez", "Pereza"},
                                           Par{"Ana", "Ana María"}, Par{"[SIN_NOMBRE]", "Álamo"},
                                           Par{"Chépica", "Chile Chico"}, Par{"Llanquihue", "Lolol"}));

TEST(OrdenEspanolSql, EveryConnectionSortsByTheCollation)
{
    TestDb db;
    db.create(QString::fromUtf8("CREATE TABLE localidad (loca_descripcion TEXT);"
                                "INSERT INTO localidad VALUES ('Cauquenes'), ('Antuco'), ('Ñiquén'), ('Cañete'),"
                                " ('Antártica'), ('Osorno'), ('Los Ángeles'), ('Lonquimay');"));
    const QueryResult r = db.conn.select(QStringLiteral("SELECT loca_descripcion FROM localidad ORDER BY loca_descripcion "
                                                        "COLLATE ESPANOL"));
    ASSERT_TRUE(r.ok) << r.error.text().toStdString();
    QStringList orden;
    for (const QVariantList &fila : r.rows)
        orden << fila.value(0).toString();
    const QStringList esperado = QString::fromUtf8("Antártica|Antuco|Cañete|Cauquenes|Lonquimay|Los Ángeles|Ñiquén|Osorno")
                                     .split(QLatin1Char('|'));
    EXPECT_EQ(orden, esperado);
}

} // namespace
