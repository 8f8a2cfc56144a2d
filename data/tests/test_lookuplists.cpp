// Every coded-column list and every multi-selection list that the forms fill from
// the main database must have rows there: a list without rows stops a form's set-up.
#include "maindb.h"

#include "entrada/consultaseleccionmultiple.h"
#include "entrada/ttipocomboexterno.h"

#include <gtest/gtest.h>

#include <QDate>

namespace {

struct ListQuery
{
    std::string kind;
    ConsultaLista query;
};

int currentYear()
{
    return QDate::currentDate().year();
}

// The 108 coded-column lists, in the order of their kinds.
QVector<ListQuery> comboQueries()
{
    QVector<ListQuery> q;
    for (int i = 0; i < kCantidadTiposCombo; ++i)
        q.append({NombreTipoCombo(TTipoComboExterno(i)).toStdString(), ConsultaTipoCombo(TTipoComboExterno(i), currentYear())});
    return q;
}

// The multi-selection lists that read the main database (every kind but tsmNinguno), as
// grid columns offer them.
QVector<ListQuery> multiSelectionQueries()
{
    QVector<ListQuery> q;
    for (int i = tsmAnoActualMax; i < kCantidadTiposSeleccionMultiple; ++i) {
        const auto kind = TTipoSeleccionMultiple(i);
        q.append({NombreSeleccionMultiple(kind).toStdString(), ConsultaSeleccionMultiple(kind, true, currentYear())});
    }
    return q;
}

class ComboList : public ::testing::TestWithParam<ListQuery>
{
};

TEST_P(ComboList, ReturnsCodesAndDescriptions)
{
    MainDb db;
    ASSERT_TRUE(db.isOpen()) << qPrintable(db.error());
    const auto rows = db.rows(GetParam().query.sql, GetParam().query.params);
    ASSERT_TRUE(db.error().isEmpty()) << qPrintable(db.error());
    ASSERT_FALSE(rows.isEmpty());
    QStringList codes;
    for (const auto &row : rows) {
        ASSERT_EQ(row.size(), 2);
        EXPECT_FALSE(row.at(0).isNull());
        EXPECT_FALSE(row.at(1).toString().trimmed().isEmpty());
        codes << row.at(0).toString();
    }
    // The code is the key of the column's key list: two rows with one code make one ambiguous.
    // (The protection-condition list uses its text as its code, which is unique too.)
    codes.removeDuplicates();
    EXPECT_EQ(codes.size(), rows.size());
}

INSTANTIATE_TEST_SUITE_P(Kinds, ComboList, ::testing::ValuesIn(comboQueries()),
                         [](const auto &info) { return info.param.kind; });

class MultiSelectionList : public ::testing::TestWithParam<ListQuery>
{
};

TEST_P(MultiSelectionList, ReturnsItemsWithoutCommas)
{
    MainDb db;
    ASSERT_TRUE(db.isOpen()) << qPrintable(db.error());
    const auto rows = db.rows(GetParam().query.sql, GetParam().query.params);
    ASSERT_TRUE(db.error().isEmpty()) << qPrintable(db.error());
    ASSERT_FALSE(rows.isEmpty());
    for (const auto &row : rows) {
        const QString item = row.at(0).toString();
        EXPECT_FALSE(item.trimmed().isEmpty());
        // A chosen list is stored joined with ", " and split again at ",".
        EXPECT_FALSE(item.contains(QLatin1Char(','))) << qPrintable(item);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, MultiSelectionList, ::testing::ValuesIn(multiSelectionQueries()),
                         [](const auto &info) { return info.param.kind; });

TEST(LookupLists, CoverEveryKind)
{
    EXPECT_EQ(comboQueries().size(), 108);
    EXPECT_EQ(multiSelectionQueries().size(), 13);
}

TEST(LookupLists, CurrentYearListEndsAtThisYear)
{
    MainDb db;
    EXPECT_EQ(db.value("SELECT max(id_ano) FROM anos WHERE id_ano<=?", {QDate::currentDate().year()}).toInt(),
              QDate::currentDate().year());
}

TEST(LookupLists, SpeciesAndFaunaNamesTurnBackIntoTheirCodes)
{
    MainDb db;
    // The exchange file maps every chosen name back to its code, fauna by the name before "(".
    for (const auto &row : db.rows("SELECT espe_codigo, espe_descripcion FROM especie"))
        EXPECT_EQ(db.value("SELECT espe_codigo FROM especie WHERE TRIM(espe_descripcion)=?", {row.at(1).toString().trimmed()}),
                  row.at(0));
    for (const auto &row : db.rows("SELECT faun_codigo, faun_descripcion || ' (' || faun_nombrecomun || ') ' FROM fauna")) {
        const QString name = row.at(1).toString().section(QLatin1Char('('), 0, 0).trimmed();
        EXPECT_EQ(db.value("SELECT faun_codigo FROM fauna WHERE faun_descripcion =?", {name}), row.at(0)) << qPrintable(name);
    }
}

TEST(LookupLists, ConservationSpeciesCarryTheirCategory)
{
    MainDb db;
    EXPECT_EQ(db.value("SELECT count(*) FROM especie e WHERE espe_conservacion=1 AND NOT EXISTS "
                       "(SELECT 1 FROM tipo t WHERE t.titi_codigo=18 AND t.tipo_codigo=e.tipo_codigo)").toInt(), 0);
    EXPECT_EQ(db.value("SELECT count(*) FROM fauna f WHERE faun_conservacion=1 AND NOT EXISTS "
                       "(SELECT 1 FROM tipo t WHERE t.titi_codigo=18 AND t.tipo_codigo=f.tipo_codigo)").toInt(), 0);
}

TEST(LookupLists, CodesTheFormsRelyOn)
{
    MainDb db;
    // Plantation plans: restriction kinds 52..56, "47" = no water resources.
    EXPECT_EQ(db.value("SELECT count(*) FROM atributotipo WHERE att_tipo=13 AND att_codigo BETWEEN 52 AND 56").toInt(), 5);
    EXPECT_EQ(db.value("SELECT count(*) FROM atributotipo WHERE att_tipo=11 AND att_codigo=47").toInt(), 1);
    // Native-forest inventories: plot type 128 is the fixed-area plot that densities scale by.
    EXPECT_EQ(db.value("SELECT att_descripcion FROM atributotipo WHERE att_tipo=33 AND att_codigo=128").toString(),
              QStringLiteral("Parcela de superficie fija"));
    // Every climate variable has a climatic unit.
    EXPECT_EQ(db.value("SELECT count(*) FROM atributotipo a WHERE att_tipo=1 AND NOT EXISTS "
                       "(SELECT 1 FROM unidadmedida u WHERE u.unme_codigo=a.unme_var AND u.unme_climatica)").toInt(), 0);
    // Transit guides: unit 11 is the cubic metre; negative product codes fall back to 18.
    EXPECT_EQ(db.value("SELECT count(*) FROM producto WHERE prod_codigo=18").toInt(), 1);
    EXPECT_EQ(db.value("SELECT count(*) FROM producto p WHERE NOT EXISTS "
                       "(SELECT 1 FROM unidadproducto u WHERE u.prod_codigo=p.prod_codigo AND u.unme_codigo=11)").toInt(), 0);
    EXPECT_DOUBLE_EQ(db.value("SELECT round(? * unpr_conversion, 2) FROM unidadproducto WHERE unme_codigo=9 AND prod_codigo=1", {"10"}).toDouble(), 15.0);
    // Every plantation and native-forest activity names an activity class.
    EXPECT_EQ(db.value("SELECT count(*) FROM tipoactividad_pl p WHERE NOT EXISTS "
                       "(SELECT 1 FROM tipoactividad t WHERE t.tiac_codigo=p.tiac_codigo)").toInt(), 0);
    EXPECT_EQ(db.value("SELECT count(*) FROM tipoactividad_bn p WHERE NOT EXISTS "
                       "(SELECT 1 FROM tipoactividad t WHERE t.tiac_codigo=p.tiac_codigo)").toInt(), 0);
    // Soil categories 7, 10, 12 and 13 (degraded) exist.
    EXPECT_EQ(db.value("SELECT count(*) FROM tipo WHERE titi_codigo=8 AND tipo_codigo IN (7,10,12,13)").toInt(), 4);
    // Every work has a unit of measure.
    EXPECT_EQ(db.value("SELECT count(*) FROM tipo t WHERE titi_codigo=20 AND NOT EXISTS "
                       "(SELECT 1 FROM unidadmedida u WHERE u.unme_codigo=t.unme_obra)").toInt(), 0);
    // Bonus certifications: the office typed by hand is code 1, the one "other" of the
    // offices' list, which the form's free text and the grids' "other" both take.
    EXPECT_EQ(db.value("SELECT group_concat(tipo_codigo) FROM tipo WHERE titi_codigo=21 AND tipo_descripcion IN "
                       "('OTRO','OTROS','OTRA','OTRAS')").toString(),
              QStringLiteral("1"));
    EXPECT_GT(db.value("SELECT count(*) FROM tipo WHERE titi_codigo=21 AND tipo_descripcion LIKE 'Okran %'").toInt(), 1);
}

} // namespace
