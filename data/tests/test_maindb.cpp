// The generated main database: the tables and columns that windows and queries bind
// to, the locality hierarchy, the form catalogue and the tool that builds it.
#include "maindb.h"
#include "ordenlistas.h"


#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// Every column that some window or statement names, with its declared type.
const char *const kColumns[] = {
    "consultor: cons_id INTEGER, cons_rut INTEGER, cons_dv VARCHAR(1), cons_paterno VARCHAR(50), cons_materno VARCHAR(50), "
    "cons_nombre VARCHAR(50), cons_profesion VARCHAR(1), cons_sexo INTEGER, cons_universidad VARCHAR(80), cons_ano SMALLINT, "
    "cons_domicilio VARCHAR(100), cons_ciudad VARCHAR(50), cons_telefono VARCHAR(30), cons_correo VARCHAR(80)",
    "predio: pred_codigo INTEGER, pred_nombre VARCHAR(60), pred_superficie DOUBLE, pred_superficie_sii DOUBLE, "
    "pred_superficie_et DOUBLE, pred_ubicacion TEXT, pred_comuna VARCHAR(6), pred_provincia VARCHAR(6), pred_region VARCHAR(6)",
    "rol: rol_numero VARCHAR(20), pred_codigo INTEGER, rol_comuna VARCHAR(20)",
    "rol_contiguo: rol_numero VARCHAR(20), pred_codigo INTEGER",
    "conservador: cons_codigo INTEGER, pred_codigo INTEGER, cons_fojas VARCHAR(20), cons_numero INTEGER, "
    "cons_conservador VARCHAR(60), cons_agno SMALLINT",
    "ministerio: mini_codigo INTEGER, pred_codigo INTEGER, mini_certbn VARCHAR(20), mini_fecha DATETIME",
    "coordenada: coor_orden INTEGER, pred_codigo INTEGER, coor_punto_referencia VARCHAR(60), coor_norte INTEGER, coor_este INTEGER",
    "propietario: pers_codigo INTEGER, pred_codigo INTEGER",
    "representante: pers_codigo INTEGER, pred_codigo INTEGER",
    "persona: pers_codigo INTEGER, pers_rut INTEGER, pers_dv VARCHAR(1), pers_paterno VARCHAR(60), pers_materno VARCHAR(60), "
    "pers_nombre VARCHAR(60), pers_direccion VARCHAR(100), pers_comuna VARCHAR(6), pers_ciudad VARCHAR(50), "
    "pers_telefono VARCHAR(50), pers_sexo INTEGER, pers_es_propietario BOOLEAN, pers_es_representante BOOLEAN, tipr_codigo INTEGER",
    "localidad: loca_codigo VARCHAR(6), loca_tipo VARCHAR(1), loca_descripcion VARCHAR(80), loca_codigo_agrupa VARCHAR(6)",
    "tiposolicitud: tiso_codigo INTEGER, tiso_numero INTEGER, tiso_abreviacion VARCHAR(6), tiso_descripcion VARCHAR(100), "
    "tiso_desccompleta VARCHAR(255), tiso_resolucion_ZURI BOOLEAN",
    "formularios: form_id INTEGER, form_principal VARCHAR(6), form_solicitud VARCHAR(6), form_opcional1 VARCHAR(6), "
    "form_extension VARCHAR(3), form_descripcion VARCHAR(100), form_titulo VARCHAR(255), form_sigla VARCHAR(10)",
    "seccion_formulario: form_id INTEGER, sefo_seccion INTEGER, sefo_titulo VARCHAR(100), sefo_indent VARCHAR(2), "
    "sefo_tabsheet VARCHAR(3), sefo_frame VARCHAR(30), sefo_deshabilitar VARCHAR(255)",
    "formPredio: foco_id INTEGER, pred_codigo INTEGER, form_id INTEGER, foco_estado INTEGER, foco_fecha DATETIME, "
    "foco_nroResol VARCHAR(30), foco_archivo VARCHAR(200), foco_XML VARCHAR(200), foco_hashXml VARCHAR(50), foco_consultorId INTEGER",
    "especie: espe_codigo INTEGER, espe_descripcion VARCHAR(80), espe_tipo INTEGER, espe_conservacion INTEGER, tipo_codigo INTEGER, "
    "espe_primera INTEGER, espe_tamvo INTEGER, espe_quirel INTEGER, espe_coba INTEGER, espe_ertiv INTEGER, espe_kelu INTEGER, "
    "espe_harpe BOOLEAN",
    "fauna: faun_codigo INTEGER, faun_descripcion VARCHAR(80), faun_nombrecomun VARCHAR(80), faun_conservacion INTEGER, tipo_codigo INTEGER",
    "tipo: titi_codigo INTEGER, tipo_codigo INTEGER, tipo_descripcion VARCHAR(100), tipo_suelo_zuri BOOLEAN, tipo_suelo_nirka BOOLEAN, "
    "tipo_suelo_eska BOOLEAN, tipo_obra_rec BOOLEAN, tipo_obra_dun BOOLEAN, tipo_obra_duna_zuri BOOLEAN, unme_obra INTEGER",
    "anos: id_ano INTEGER, ano VARCHAR(4)",
    "atributotipo: att_tipo INTEGER, att_codigo INTEGER, att_descripcion VARCHAR(100), unme_var INTEGER",
    "otros: otr_codigo INTEGER, otr_descripcion VARCHAR(100), otr_tce VARCHAR(40)",
    "categoria: cate_codigo INTEGER, cate_descripcion VARCHAR(60), tica_codigo INTEGER",
    "clase: clas_codigo INTEGER, clas_descripcion VARCHAR(60)",
    "metodo: meto_codigo INTEGER, meto_descripcion VARCHAR(100), time_codigo INTEGER",
    "producto: prod_codigo INTEGER, prod_descripcion VARCHAR(60)",
    "unidadmedida: unme_codigo INTEGER, unme_descripcion VARCHAR(40), unme_climatica BOOLEAN",
    "unidadproducto: unme_codigo INTEGER, prod_codigo INTEGER, unpr_conversion DOUBLE",
    "tesoreria: teso_codigo INTEGER, teso_nombre VARCHAR(60)",
    "tipoactividad: tiac_codigo INTEGER, tiac_descripcion VARCHAR(80), tiac_act_losmi BOOLEAN, tiac_act_podral BOOLEAN",
    "tipoactividad_bn: tabn_codigo INTEGER, tabn_descripcion VARCHAR(80), tiac_codigo INTEGER, tiac_num INTEGER, meto_codigo INTEGER",
    "tipoactividad_pl: tapl_codigo INTEGER, tapl_descripcion VARCHAR(80), tiac_codigo INTEGER, tiac_num INTEGER",
    "tipobon: tibo_codigo INTEGER, tibo_descripcion VARCHAR(80)",
    "tipopredio: tpre_codigo INTEGER, tpre_descripcion VARCHAR(60)",
    "excepciones: exce_codigo INTEGER, exce_descripcion VARCHAR(150)",
    "sexo: sexo_id INTEGER, sexo_descripcion VARCHAR(20)",
};

TEST(MainDbSchema, HasEveryColumnWithItsDeclaredType)
{
    MainDb db;
    ASSERT_TRUE(db.isOpen()) << qPrintable(db.error());
    for (const char *entry : kColumns) {
        const QString text = QString::fromLatin1(entry);
        const QString table = text.section(QLatin1Char(':'), 0, 0);
        QHash<QString, QString> declared;
        for (const auto &row : db.rows("SELECT name, type FROM pragma_table_info(?)", {table}))
            declared.insert(row.at(0).toString(), row.at(1).toString());
        ASSERT_FALSE(declared.isEmpty()) << "missing table " << qPrintable(table);
        for (const QString &column : text.section(QLatin1Char(':'), 1).split(QLatin1Char(','))) {
            const QString name = column.trimmed().section(QLatin1Char(' '), 0, 0);
            const QString type = column.trimmed().section(QLatin1Char(' '), 1);
            ASSERT_TRUE(declared.contains(name)) << qPrintable(table + "." + name);
            EXPECT_EQ(declared.value(name), type) << qPrintable(table + "." + name);
        }
    }
}

TEST(MainDbSchema, UsesOnlyTheTypeNamesTheDatasetLayerKnows)
{
    MainDb db;
    static const QRegularExpression known(QStringLiteral("^(INTEGER|SMALLINT|DOUBLE|VARCHAR\\(\\d+\\)|TEXT|BOOLEAN|DATETIME)$"));
    for (const auto &t : db.rows("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'"))
        for (const auto &c : db.rows("SELECT name, type FROM pragma_table_info(?)", {t.at(0)}))
            EXPECT_TRUE(known.match(c.at(1).toString()).hasMatch())
                << qPrintable(t.at(0).toString() + "." + c.at(0).toString() + " " + c.at(1).toString());
}

TEST(MainDbSchema, NamesCompareWithoutRegardToCase)
{
    MainDb db;
    EXPECT_EQ(db.value("SELECT loca_codigo FROM localidad WHERE loca_descripcion=?", {"las condes"}).toString(), "13114");
    EXPECT_EQ(db.value("SELECT tiso_numero FROM tiposolicitud WHERE tiso_abreviacion=?", {"kelu"}).toInt(), 3);
    EXPECT_EQ(db.value("SELECT form_id FROM formularios WHERE form_extension=?", {"BQM"}).toInt(), 31);
}

// The big lists read their order (Spanish, as the windows ask for it) from an index,
// never by sorting the whole table.
TEST(MainDbSchema, ListsAreReadInIndexOrder)
{
    MainDb db;
    ASSERT_TRUE(db.error().isEmpty()) << db.error().toStdString();
    for (const QString &sql : {QStringLiteral("SELECT rowid FROM persona ORDER BY ") + QLatin1String(kOrdenPersonas),
                               QStringLiteral("SELECT rowid FROM predio ORDER BY ") + QLatin1String(kOrdenPredios)}) {
        QStringList plan;
        for (const QVariantList &fila : db.rows(QStringLiteral("EXPLAIN QUERY PLAN ") + sql))
            plan << fila.value(3).toString();
        EXPECT_TRUE(db.error().isEmpty()) << sql.toStdString() << ": " << db.error().toStdString();
        EXPECT_TRUE(plan.join(QLatin1Char('|')).contains(QLatin1String("COVERING INDEX")))
            << sql.toStdString() << ": " << plan.join(QLatin1Char('|')).toStdString();
        EXPECT_FALSE(plan.join(QLatin1Char('|')).contains(QLatin1String("TEMP B-TREE"))) << sql.toStdString();
    }
}

TEST(MainDbContent, StartsWithoutConsultantsPropertiesOrDocuments)
{
    MainDb db;
    for (const char *table : {"consultor", "predio", "persona", "propietario", "representante", "rol", "rol_contiguo",
                              "conservador", "ministerio", "coordenada", "formPredio", "otros"})
        EXPECT_EQ(db.value(QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table))).toInt(), 0) << table;
}

TEST(Localidad, HoldsEveryRegionProvinceAndCommune)
{
    MainDb db;
    EXPECT_EQ(db.value("SELECT count(*) FROM localidad WHERE loca_tipo='R'").toInt(), 16);
    EXPECT_EQ(db.value("SELECT count(*) FROM localidad WHERE loca_tipo='P'").toInt(), 56);
    EXPECT_EQ(db.value("SELECT count(*) FROM localidad WHERE loca_tipo='C'").toInt(), 346);
}

TEST(Localidad, EveryCommuneLiesInAProvinceOfARegion)
{
    MainDb db;
    EXPECT_EQ(db.value("SELECT count(*) FROM localidad c WHERE c.loca_tipo='C' AND NOT EXISTS ("
                       " SELECT 1 FROM localidad p, localidad r WHERE p.loca_codigo=c.loca_codigo_agrupa AND p.loca_tipo='P'"
                       " AND r.loca_codigo=p.loca_codigo_agrupa AND r.loca_tipo='R')").toInt(), 0);
    EXPECT_EQ(db.value("SELECT count(*) FROM localidad r WHERE r.loca_tipo='R' AND r.loca_codigo_agrupa IS NOT NULL").toInt(), 0);
    // Codes nest: a commune's code starts with its province's, a province's with its region's.
    EXPECT_EQ(db.value("SELECT count(*) FROM localidad WHERE loca_tipo<>'R' AND substr(loca_codigo,1,length(loca_codigo_agrupa))<>loca_codigo_agrupa").toInt(), 0);
    // The province of a commune is found by the commune's name, so names must not repeat.
    EXPECT_EQ(db.value("SELECT count(*) FROM (SELECT loca_descripcion FROM localidad WHERE loca_tipo='C' GROUP BY loca_descripcion HAVING count(*)>1)").toInt(), 0);
}

struct CommuneCase
{
    const char *commune;
    const char *province;
    const char *region;
};

class CommuneLookup : public ::testing::TestWithParam<CommuneCase>
{
};

TEST_P(CommuneLookup, FindsProvinceByNameThenRegionByProvince)
{
    MainDb db;
    const CommuneCase c = GetParam();
    const QString province = db.value("SELECT l1.loca_codigo FROM localidad l1, localidad l2 WHERE l2.loca_descripcion=?"
                                      " AND l1.loca_tipo='P' AND l2.loca_codigo_agrupa=l1.loca_codigo",
                                      {QString::fromUtf8(c.commune)}).toString();
    const QString region = db.value("SELECT l1.loca_codigo FROM localidad l1, localidad l2 WHERE l2.loca_codigo=?"
                                    " AND l1.loca_tipo='R' AND l2.loca_codigo_agrupa=l1.loca_codigo",
                                    {province}).toString();
    EXPECT_EQ(province, QString::fromLatin1(c.province));
    EXPECT_EQ(region, QString::fromLatin1(c.region));
}

INSTANTIATE_TEST_SUITE_P(Cases, CommuneLookup,
                         ::testing::Values(CommuneCase{"Valdivia", "141", "14"}, CommuneCase{"Ñuñoa", "131", "13"},
                                           CommuneCase{"Santiago", "131", "13"}, CommuneCase{"O'Higgins", "113", "11"},
                                           CommuneCase{"Chillán", "161", "16"}, CommuneCase{"Arica", "151", "15"},
                                           CommuneCase{"Alto Hospicio", "011", "01"}, CommuneCase{"Torres del Paine", "124", "12"},
                                           // A name that is no commune leaves province and region empty.
                                           CommuneCase{"Atlántida", "", ""}));

TEST(Catalogue, FormTypesAreNumberedFromOne)
{
    MainDb db;
    const int n = db.value("SELECT count(*) FROM tiposolicitud").toInt();
    EXPECT_GE(n, 23);
    EXPECT_LE(n, 100); // the plug-in table has 100 slots
    EXPECT_EQ(db.value("SELECT min(tiso_numero) || '-' || max(tiso_numero) FROM tiposolicitud").toString(),
              QStringLiteral("1-%1").arg(n));
    for (const char *code : {"KELU", "VORDA", "DALU", "TISA", "FENRA", "BEXA", "DUVI", "YOLVA", "TROZEL", "WIRO", "LUMO", "ERTIV",
                             "HARPE", "COBA", "ZURI", "PELTO", "KIFO", "JOREV", "ESKA", "ILVA", "DORVO", "FERUN", "MARPO"})
        EXPECT_EQ(db.value("SELECT count(*) FROM tiposolicitud WHERE tiso_abreviacion=? AND tiso_abreviacion=upper(tiso_abreviacion)"
                           " AND length(tiso_abreviacion)<=6 AND tiso_desccompleta<>''", {code}).toInt(), 1) << code;
    // The generic form's variants write the agency codes 60, 61 and 62 themselves.
    EXPECT_EQ(db.value("SELECT count(*) FROM tiposolicitud WHERE tiso_codigo IN (60,61,62)").toInt(), 0);
}

TEST(Catalogue, CombinationsNameKnownFormsAndParents)
{
    MainDb db;
    EXPECT_EQ(db.value("SELECT min(form_id) FROM formularios").toInt(), 1);
    EXPECT_EQ(db.value("SELECT count(*) FROM formularios f WHERE NOT EXISTS (SELECT 1 FROM tiposolicitud WHERE tiso_abreviacion=f.form_principal)"
                       " OR (f.form_solicitud<>'' AND NOT EXISTS (SELECT 1 FROM tiposolicitud WHERE tiso_abreviacion=f.form_solicitud))"
                       " OR (f.form_opcional1<>'' AND NOT EXISTS (SELECT 1 FROM tiposolicitud WHERE tiso_abreviacion=f.form_opcional1))").toInt(), 0);
    for (const char *code : {"ZURI", "KIFO", "PELTO"})
        EXPECT_EQ(db.value("SELECT form_solicitud FROM formularios WHERE form_principal=?", {code}).toString(), "FERUN") << code;
    for (const char *code : {"KELU", "VORDA", "DALU", "TISA", "LUMO", "ILVA", "JOREV", "ESKA", "ERTIV", "HARPE", "COBA"})
        EXPECT_EQ(db.value("SELECT count(*) FROM formularios WHERE form_principal=? AND form_solicitud<>'DORVO'", {code}).toInt(), 0) << code;
    for (const char *code : {"FENRA", "BEXA", "DUVI", "YOLVA", "TROZEL", "WIRO", "DORVO", "FERUN"})
        EXPECT_EQ(db.value("SELECT count(*) FROM formularios WHERE form_principal=? AND form_solicitud='' AND form_opcional1=''", {code}).toInt(), 1) << code;
    for (int id : {31, 32, 33})
        EXPECT_EQ(db.value("SELECT form_principal FROM formularios WHERE form_id=?", {id}).toString(), "LUMO") << id;
    EXPECT_EQ(db.value("SELECT count(*) FROM formularios WHERE form_titulo IS NULL OR form_titulo='' OR form_descripcion IS NULL"
                       " OR form_descripcion='' OR form_sigla IS NULL OR form_sigla=''").toInt(), 0);
}

TEST(Catalogue, ExtensionsAreUniqueLowerCaseLetters)
{
    MainDb db;
    QStringList seen;
    for (const auto &row : db.rows("SELECT form_extension FROM formularios")) {
        const QString ext = row.at(0).toString();
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[a-z]{3}$")).match(ext).hasMatch()) << qPrintable(ext);
        EXPECT_FALSE(seen.contains(ext, Qt::CaseInsensitive)) << qPrintable(ext);
        seen << ext;
    }
}

TEST(Catalogue, GenericFormSectionsFollowTheRules)
{
    MainDb db;
    const QStringList frames = {"lumoFrm_titulo", "lumoFrm_plga", "lumoFrm_srex", "lumoFrm_bqmd"};
    const auto combos = db.rows("SELECT form_id FROM formularios WHERE form_principal='LUMO'");
    ASSERT_FALSE(combos.isEmpty());
    for (const auto &combo : combos) {
        const int id = combo.at(0).toInt();
        const auto rows = db.rows("SELECT sefo_seccion, sefo_titulo, sefo_indent, sefo_tabsheet, sefo_frame FROM seccion_formulario"
                                  " WHERE form_id=? ORDER BY sefo_seccion", {id});
        ASSERT_GE(rows.size(), 2) << id;
        EXPECT_EQ(rows.first().at(0).toInt(), 0) << id;
        for (int i = 1; i < rows.size(); ++i) {
            const auto &r = rows.at(i);
            bool ok = false;
            EXPECT_GE(r.at(2).toString().toInt(&ok), 1) << id;
            EXPECT_TRUE(ok) << id;
            EXPECT_FALSE(r.at(1).toString().isEmpty()) << id;
            if (r.at(4).toString().isEmpty()) {
                const int page = r.at(3).toString().toInt(&ok);
                EXPECT_TRUE(ok && page >= 1 && page <= 18) << id << " row " << i;
            } else {
                EXPECT_TRUE(frames.contains(r.at(4).toString())) << id << " row " << i;
            }
        }
    }
    EXPECT_EQ(db.value("SELECT count(*) FROM seccion_formulario WHERE form_id=31 AND sefo_frame='lumoFrm_bqmd'").toInt(), 1);
    EXPECT_EQ(db.value("SELECT count(*) FROM seccion_formulario WHERE form_id=32 AND sefo_frame='lumoFrm_srex'").toInt(), 1);
    EXPECT_EQ(db.value("SELECT count(*) FROM seccion_formulario WHERE form_id=33 AND sefo_frame='lumoFrm_plga'").toInt(), 1);
}

class SqlRun : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &text)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }
    int run(const QStringList &args, QString *errors = nullptr)
    {
        QProcess p;
        p.start(QStringLiteral(BRENVIK_SQLRUN), args);
        p.waitForFinished(60000);
        if (errors)
            *errors = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    QTemporaryDir dir;
};

TEST_F(SqlRun, BuildsADatabaseFromSeveralFilesInOrder)
{
    const QString out = dir.filePath("x.db");
    const QString a = write("a.sql", "-- tables\nCREATE TABLE t (a INTEGER, b VARCHAR(10));\n");
    const QString b = write("b.sql", "/* rows */ INSERT INTO t VALUES (1, 'peñón');\n\nINSERT INTO t VALUES (2, 'b');\n-- end\n");
    ASSERT_EQ(run({out, a, b}), 0);
    MainDb db(out);
    EXPECT_EQ(db.value("SELECT b FROM t WHERE a=1").toString(), QStringLiteral("peñón"));
    EXPECT_EQ(db.value("SELECT count(*) FROM t").toInt(), 2);
    EXPECT_FALSE(QFile::exists(out + ".tmp"));
}

TEST_F(SqlRun, AFailingStatementNamesFileAndLineAndKeepsTheOldDatabase)
{
    const QString out = dir.filePath("x.db");
    const QString a = write("a.sql", "CREATE TABLE t (a INTEGER);\n");
    ASSERT_EQ(run({out, a}), 0);
    const QString bad = write("bad.sql", "INSERT INTO t VALUES (1);\n\n-- next one fails\nINSERT INTO nothere VALUES (2);\n");
    QString errors;
    EXPECT_NE(run({out, a, bad}, &errors), 0);
    EXPECT_TRUE(errors.contains(bad + ":4:")) << qPrintable(errors);
    EXPECT_TRUE(errors.contains("nothere")) << qPrintable(errors);
    MainDb db(out);
    EXPECT_EQ(db.value("SELECT count(*) FROM t").toInt(), 0);
    EXPECT_FALSE(QFile::exists(out + ".tmp"));
}

// Tests fill the main database through the tool: its indexes sorted in Spanish order can
// only be written with the collation registered.
TEST_F(SqlRun, FillsAnExistingDatabaseWithSpanishOrderOrLeavesItAsItWas)
{
    const QString out = dir.filePath("x.db");
    ASSERT_EQ(run({out, write("a.sql", "CREATE TABLE t (n VARCHAR(10));\nCREATE INDEX t_n ON t (n COLLATE ESPANOL);\n")}), 0);
    ASSERT_EQ(run({"--into", out, write("b.sql", "INSERT INTO t VALUES ('Oyarzún'), ('Ñuñez'), ('Nuñez');\n")}), 0);
    QString errors;
    EXPECT_NE(run({"--into", out, write("c.sql", "INSERT INTO t VALUES ('Antuco');\nINSERT INTO nothere VALUES (1);\n")}, &errors), 0);
    EXPECT_TRUE(errors.contains("nothere")) << qPrintable(errors);
    MainDb db(out);
    QStringList orden;
    for (const QVariantList &fila : db.rows("SELECT n FROM t ORDER BY n COLLATE ESPANOL"))
        orden << fila.value(0).toString();
    EXPECT_EQ(orden, QStringList({QStringLiteral("Nuñez"), QStringLiteral("Ñuñez"), QStringLiteral("Oyarzún")}));
    EXPECT_NE(run({"--into", dir.filePath("none.db"), write("d.sql", "CREATE TABLE u (a INTEGER);\n")}), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("none.db")));
}

TEST_F(SqlRun, MissingFileOrArgumentsFail)
{
    EXPECT_NE(run({dir.filePath("x.db"), dir.filePath("none.sql")}), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.db")));
    EXPECT_NE(run({dir.filePath("x.db")}), 0);
}

} // namespace
