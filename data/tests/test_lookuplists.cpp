// Every coded-column list and every multi-selection list that the forms fill from
// the main database must have rows there: a list without rows stops a form's set-up.
#include "maindb.h"

#include <gtest/gtest.h>

#include <QDate>

namespace {

struct ListQuery
{
    const char *kind;
    QString sql;
};

QString currentYear()
{
    return QString::number(QDate::currentDate().year());
}

// The 108 coded-column lists, in the order of their kinds.
QVector<ListQuery> comboQueries()
{
    QVector<ListQuery> q;
    auto att = [&q](const char *kind, int n) {
        q.append({kind, QStringLiteral("SELECT att_codigo,att_descripcion FROM atributotipo WHERE att_tipo=%1").arg(n)});
    };
    auto tipo = [&q](const char *kind, int n, const char *more = "") {
        q.append({kind, QStringLiteral("SELECT tipo_codigo, tipo_descripcion FROM tipo WHERE titi_codigo=%1%2").arg(n).arg(QLatin1String(more))});
    };
    auto metodo = [&q](const char *kind, int n) {
        q.append({kind, QStringLiteral("SELECT meto_codigo, meto_descripcion FROM metodo WHERE time_codigo=%1").arg(n)});
    };
    auto other = [&q](const char *kind, const QString &tail) { q.append({kind, QStringLiteral("SELECT ") + tail}); };
    auto especieOrden = [&other](const char *kind, const char *code) {
        other(kind, QStringLiteral("espe_codigo, espe_descripcion FROM especie ORDER BY espe_%1,espe_descripcion").arg(QLatin1String(code)));
    };

    att("tceVariablesClimaticas", 1);
    att("tceFormasRelieve", 2);
    att("tceExposicion", 14);
    att("tceTemporalidad", 4);
    att("tceEstadoSanitario", 5);
    att("tceVegetacion", 6);
    att("tceMagnitudRiesgo", 7);
    att("tceMagnitudPeligro", 8);
    att("tcePrioridad", 9);
    att("tceMasasAgua", 10);
    att("tceRecursosHidricos", 11);
    att("tceUsoActual", 12);
    att("tceRestriccion", 13);
    att("tcePosicionamiento", 3);
    att("tceGradoRestriccion", 15);
    att("tceRegeneracionNatural", 16);
    att("tceSueloSiempreverde", 17);
    att("tceRoca", 18);
    att("tceProfundidadEfectiva", 19);
    att("tceVarSueloFragil", 20);
    att("tceVarSueloNadis", 21);
    att("tceOrigen", 27);
    att("tceOrigenIncendio", 31);
    att("tceForma", 30);
    att("tceDiseno", 32);
    att("tceTipoParcela", 33);
    att("tceVariableDasometrica", 34);
    att("tceVarSueloDegradado", 22);
    att("tceVarDunas", 23);
    att("tceEstructura", 26);
    att("tceValorPotencial", 24);
    att("tceEstadoDesarrollo", 25);
    att("tcePendiente", 39);
    att("tceDensidad", 40);
    att("tceRegeneracionAlerce", 35);
    att("tceCobertura", 36);
    att("tceCuasaMuerte", 37);
    att("tceCondicion", 38);
    att("tceSueloAlerce", 41);
    tipo("tceExplotacion", 1);
    tipo("tceVegetacion2", 2);
    tipo("tcePlanta", 3);
    tipo("tceProteccion", 4);
    tipo("tceForestal", 5, " ORDER BY tipo_descripcion");
    tipo("tceCorta", 6);
    tipo("tceReforestacion", 7);
    tipo("tceSuelo", 8);
    tipo("tceSueloZURI", 8, " AND tipo_suelo_zuri");
    tipo("tceSueloNirka", 8, " AND tipo_suelo_nirka");
    tipo("tceSueloESKA", 8, " AND tipo_suelo_eska");
    tipo("tceRechazo", 9);
    tipo("tceSituacionLenga", 10);
    tipo("tceDuna", 12);
    tipo("tceControlDunas", 13);
    tipo("tceRoce", 14);
    tipo("tceEstabilizacionDunas", 15);
    tipo("tceBosque", 16);
    tipo("tceCategoriaConservacion", 18);
    tipo("tceSituacionSiempreVerde", 19);
    tipo("tceRoraco", 80);
    tipo("tceObra", 20);
    tipo("tceObraRecSuelos", 20, " AND tipo_obra_rec");
    tipo("tceObraDunas", 20, " AND tipo_obra_dun");
    tipo("tceObraDunasZURI", 20, " AND tipo_obra_duna_zuri");
    tipo("tceEntidad", 21, " order by tipo_descripcion");
    tipo("tceSerieSuelos", 22, " order by tipo_descripcion");
    tipo("tceTipoTransporte", 90, " order by tipo_descripcion");
    att("tceRangoCobertura", 28);
    att("tceDistribucion", 29);
    tipo("tceSintomas", -10);
    metodo("tceMetodoForestacion", 1);
    metodo("tceMetodoReforestacion", 4);
    metodo("tceMetodoReforestacionProsopis", 5);
    metodo("tceMetodoCorta", 7);
    metodo("tceMetodoCortaProsopis", 8);
    metodo("tceMetodoCortaVerde", 10);
    metodo("tceMetodoCortaProteccion", 11);
    other("tceTipoResolucionZURI", "tiso_codigo, tiso_desccompleta FROM tiposolicitud WHERE tiso_resolucion_ZURI");
    other("tceErosion", "cate_codigo, cate_descripcion FROM categoria WHERE tica_codigo=2");
    other("tceBonificacion", "tibo_codigo, tibo_descripcion FROM tipobon");
    other("tceUMed", "unme_codigo, unme_descripcion FROM unidadmedida WHERE NOT unme_climatica");
    other("tceUMedClimaticas", "unme_codigo, unme_descripcion FROM unidadmedida WHERE unme_climatica");
    other("tceCapacidadUso", "clas_codigo, clas_descripcion FROM clase where clas_codigo<>9");
    other("tceCapacidadUsoNIRKA", "clas_codigo, clas_descripcion FROM clase");
    other("tceEspecie", "espe_codigo, espe_descripcion FROM especie ORDER BY espe_primera,espe_descripcion");
    other("tceFlora", "espe_codigo, espe_descripcion FROM especie WHERE espe_conservacion = 1 ORDER BY espe_descripcion");
    other("tceFauna", "faun_codigo, faun_descripcion || ' (' || faun_nombrecomun || ') ' FROM fauna ORDER BY faun_descripcion");
    other("tceAnos", "id_ano, ano FROM anos");
    other("tceAnosActual", "id_ano, ano FROM anos WHERE id_ano<=" + currentYear());
    especieOrden("tceEspecieTAMVO", "tamvo");
    especieOrden("tceEspecieQUIREL", "quirel");
    especieOrden("tceEspecieCOBA", "coba");
    especieOrden("tceEspecieERTIV", "ertiv");
    especieOrden("tceEspecieKELU", "kelu");
    other("tceTesoreria", "teso_codigo, teso_nombre FROM tesoreria ORDER BY teso_nombre");
    other("tceSexo", "sexo_id, sexo_descripcion FROM sexo ORDER BY sexo_id");
    other("tceCondicionProteccionJOREV", "exce_descripcion, exce_descripcion FROM excepciones WHERE exce_codigo=1");
    other("tceEspecieDALU", "espe_codigo, espe_descripcion FROM especie ORDER BY espe_tipo desc, espe_primera,espe_descripcion");
    other("tceEspecieNativo", "espe_codigo, espe_descripcion FROM especie WHERE espe_tipo=2 ORDER BY espe_primera,espe_descripcion");
    other("tceProducto", "prod_codigo, prod_descripcion FROM producto ORDER BY prod_descripcion");
    other("tceRegion", "loca_codigo, loca_descripcion FROM localidad WHERE loca_tipo = 'R' ORDER BY loca_codigo");
    other("tceTipoPredio", "tpre_codigo, tpre_descripcion FROM tipopredio ORDER BY tpre_descripcion");
    other("tceActividad", "tiac_codigo, tiac_descripcion FROM tipoactividad ORDER BY tiac_descripcion");
    other("tceActividadTisa", "tiac_codigo, tiac_descripcion FROM tipoactividad WHERE tiac_codigo>=200 and tiac_codigo<=205 ORDER BY tiac_descripcion");
    other("tceActividadPodaRaleo", "tiac_codigo, tiac_descripcion FROM tipoactividad WHERE tiac_act_podral ORDER BY tiac_descripcion");
    other("tceActividadOtraLOSMI", "tiac_codigo, tiac_descripcion FROM tipoactividad WHERE tiac_act_losmi ORDER BY tiac_descripcion");
    other("tceActividadKELU", "tapl_codigo, tapl_descripcion FROM tipoactividad_pl ORDER BY tapl_descripcion");
    other("tceActividadDALU", "tabn_codigo, tabn_descripcion FROM tipoactividad_bn ORDER BY tabn_descripcion");
    return q;
}

// The 13 multi-selection lists that read the main database (every kind but tsmNinguno).
QVector<ListQuery> multiSelectionQueries()
{
    auto orden = [](const char *code) {
        return QStringLiteral("SELECT espe_descripcion FROM especie ORDER BY espe_%1,espe_descripcion").arg(QLatin1String(code));
    };
    return {
        {"tsmAnoActualMax", "SELECT ano FROM anos WHERE id_ano<=" + currentYear()},
        {"tsmEspecie", "SELECT espe_descripcion FROM especie ORDER BY espe_primera,espe_descripcion"},
        {"tsmEspecieTAMVO", orden("tamvo")},
        {"tsmEspecieQUIREL", orden("quirel")},
        {"tsmEspecieCOBA", orden("coba")},
        {"tsmEspecieERTIV", orden("ertiv")},
        {"tsmEspecieKELU", orden("kelu")},
        {"tsmEspecieNativo", "SELECT espe_descripcion FROM especie WHERE espe_tipo = 2 ORDER BY espe_primera,espe_descripcion"},
        {"tsmEspecieDALU", "SELECT espe_descripcion FROM especie ORDER BY espe_tipo desc, espe_primera,espe_descripcion"},
        {"tsmEspecieMARPO", "SELECT espe_descripcion FROM especie ORDER BY espe_descripcion"},
        {"tsmFlora", "SELECT espe_descripcion FROM especie WHERE espe_conservacion = 1 ORDER BY espe_descripcion"},
        {"tsmFauna", "SELECT faun_descripcion || ' (' || faun_nombrecomun || ') ' FROM fauna ORDER BY faun_descripcion"},
        {"tsmEspecieHARPE", "SELECT espe_descripcion FROM especie WHERE espe_harpe = true ORDER BY espe_primera,espe_descripcion"},
    };
}

class ComboList : public ::testing::TestWithParam<ListQuery>
{
};

TEST_P(ComboList, ReturnsCodesAndDescriptions)
{
    MainDb db;
    ASSERT_TRUE(db.isOpen()) << qPrintable(db.error());
    const auto rows = db.rows(GetParam().sql);
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
                         [](const auto &info) { return std::string(info.param.kind); });

class MultiSelectionList : public ::testing::TestWithParam<ListQuery>
{
};

TEST_P(MultiSelectionList, ReturnsItemsWithoutCommas)
{
    MainDb db;
    ASSERT_TRUE(db.isOpen()) << qPrintable(db.error());
    const auto rows = db.rows(GetParam().sql);
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
                         [](const auto &info) { return std::string(info.param.kind); });

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
}

} // namespace
