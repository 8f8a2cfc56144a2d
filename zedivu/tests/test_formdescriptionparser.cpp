#include "formdescriptionparser.h"

#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const char *const kSmall = R"FORM(# a comment
form ABC
caption "Formulario ABC"
title "TÍTULO"   # trailing comment
size 700 500

table abc main
  Id      autoinc
  nom     text 30 "Nombre \"oficial\"" readonly
  sup     float "Superficie\n(ha)" default=0
table abc_det master=abc link=Id:id_abc
  id      autoinc
  id_abc  integer
  num     text
  num_look lookup num=abc_det.num result=num "Rodal Nº"
  pct     calc float "Porcentaje"
  row num=1 id_abc=1

query qryX "SELECT 1 AS a" database=main

page
  button btnLlenarPredio hidden
page "Uno"
  group " Datos "
    edit nom "Nombre:"
    edit nom
    combo sup "Sup:"
      item "Cero" 0
      item "Uno" 1
    lookup abc_det.num "Rodal:" list=abc_det key=num show=num
  grid dbgABC_det abc_det "Detalle" tag=1 allow=update
    num_look "Rodal" width=8
    pct readonly
    id hidden
    footer "Total:" at=num_look align=right pct
page "Dos" level=2
  navigator abc_det

validate abc_det
  num tvNoVacio tvUnico
  pct tvMayorIgual limit=0,5
)FORM";

} // namespace

TEST(FormDescriptionParser, ReadsEveryPartOfADescription)
{
    QStringList errors;
    const auto f = FormDescriptionParser::parse(QString::fromUtf8(kSmall), QStringLiteral("abc.form"), &errors);
    ASSERT_TRUE(f) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(f->code, QStringLiteral("ABC"));
    EXPECT_EQ(f->caption, QStringLiteral("Formulario ABC"));
    EXPECT_EQ(f->ancho, 700);
    EXPECT_EQ(f->alto, 500);
    EXPECT_EQ(f->secciones(), QStringLiteral("TÍTULO\r\n\tUno\r\n\t\tDos\r\n"));

    ASSERT_EQ(f->tables.size(), 2);
    const TableDescription &main = f->tables[0];
    EXPECT_EQ(main.dataset, QStringLiteral("adsPpal"));
    EXPECT_EQ(main.dataSource, QStringLiteral("dsrcPpal"));
    EXPECT_EQ(main.columns[1].size, 30);
    EXPECT_EQ(main.columns[1].label, QStringLiteral("Nombre \"oficial\""));
    EXPECT_TRUE(main.columns[1].readOnly);
    EXPECT_EQ(main.columns[2].label, QStringLiteral("Superficie\n(ha)"));
    EXPECT_EQ(main.columns[2].defaultValue, QStringLiteral("0"));

    const TableDescription &det = f->tables[1];
    EXPECT_EQ(det.dataset, QStringLiteral("adtABC_det"));
    EXPECT_EQ(det.dataSource, QStringLiteral("dsrcABC_det"));
    EXPECT_EQ(det.master, QStringLiteral("abc"));
    EXPECT_EQ(det.masterFields, QStringLiteral("Id"));
    EXPECT_EQ(det.detailFields, QStringLiteral("id_abc"));
    EXPECT_EQ(det.columns[2].size, 20); // a text without size holds 20 characters
    const ColumnDescription &look = det.columns[3];
    EXPECT_EQ(look.kind, ColumnDescription::Kind::Lookup);
    EXPECT_EQ(look.keyFields, QStringLiteral("num"));
    EXPECT_EQ(look.lookupTable, QStringLiteral("abc_det"));
    EXPECT_EQ(look.lookupKeyFields, QStringLiteral("num"));
    EXPECT_EQ(look.resultField, QStringLiteral("num"));
    EXPECT_EQ(det.columns[4].kind, ColumnDescription::Kind::Calculated);
    EXPECT_EQ(det.columns[4].type, FieldType::Float);
    ASSERT_EQ(det.rows.size(), 1);
    EXPECT_EQ(det.rows[0][1], qMakePair(QStringLiteral("id_abc"), QStringLiteral("1")));

    ASSERT_EQ(f->queries.size(), 1);
    EXPECT_TRUE(f->queries[0].mainDatabase);
    EXPECT_EQ(f->queries[0].dataSource, QStringLiteral("dsrcqryX"));

    ASSERT_EQ(f->pages.size(), 3);
    EXPECT_EQ(f->pages[0].name, QStringLiteral("TabSheet0"));
    EXPECT_TRUE(f->pages[0].controls[0].hidden);
    EXPECT_EQ(f->pages[0].controls[0].name, QStringLiteral("btnLlenarPredio"));
    const ControlDescription &group = f->pages[1].controls[0];
    ASSERT_EQ(group.children.size(), 4);
    EXPECT_EQ(group.caption, QStringLiteral(" Datos "));
    // Default names are unique.
    EXPECT_EQ(group.children[0].name, QStringLiteral("edt_nom"));
    EXPECT_EQ(group.children[1].name, QStringLiteral("edt_nom_2"));
    EXPECT_EQ(group.children[2].items, QStringList({QStringLiteral("Cero"), QStringLiteral("Uno")}));
    EXPECT_EQ(group.children[2].keys, QStringList({QStringLiteral("0"), QStringLiteral("1")}));
    EXPECT_EQ(group.children[3].source, QStringLiteral("abc_det"));
    EXPECT_EQ(group.children[3].field, QStringLiteral("num"));
    const ControlDescription &grid = f->pages[1].controls[1];
    EXPECT_EQ(grid.source, QStringLiteral("abc_det"));
    EXPECT_EQ(grid.caption, QStringLiteral("Detalle"));
    EXPECT_EQ(grid.grid.tag, 1);
    EXPECT_TRUE(grid.grid.allowUpdate);
    EXPECT_FALSE(grid.grid.allowInsert);
    ASSERT_EQ(grid.grid.columns.size(), 3);
    EXPECT_EQ(grid.grid.columns[0].width, 8);
    EXPECT_TRUE(grid.grid.columns[1].readOnly);
    EXPECT_TRUE(grid.grid.columns[2].hidden);
    EXPECT_EQ(grid.grid.footerCaption, QStringLiteral("Total:"));
    EXPECT_EQ(grid.grid.footerSums, QStringList{QStringLiteral("pct")});
    EXPECT_EQ(grid.grid.footerColumn, QStringLiteral("num_look"));
    EXPECT_EQ(grid.grid.footerAlignment, QStringLiteral("right"));
    EXPECT_EQ(f->pages[2].level, 2);

    ASSERT_EQ(f->validations.size(), 1);
    EXPECT_EQ(f->validations[0].entries[0].flags, QStringList({QStringLiteral("tvNoVacio"), QStringLiteral("tvUnico")}));
    EXPECT_DOUBLE_EQ(f->validations[0].entries[1].limit.value(), 0.5);
}

TEST(FormDescriptionParser, AGridColumnTakesAFixedPickList)
{
    const char *const texto = R"FORM(form ABC
table abc main
  Id   autoinc
  est  integer
  cond text 40
page
page "Uno"
  grid dbgABC abc
    est
      item "Bueno" 1
      item "Malo" 2
    cond
      item "a) Frágil"
      item "b) Cercano"
)FORM";
    QStringList errors;
    const auto f = FormDescriptionParser::parse(QString::fromUtf8(texto), QStringLiteral("abc.form"), &errors);
    ASSERT_TRUE(f) << errors.join(QLatin1Char('\n')).toStdString();
    const QList<GridColumnDescription> &columnas = f->pages[1].controls[0].grid.columns;
    ASSERT_EQ(columnas.size(), 2);
    EXPECT_EQ(columnas[0].items, QStringList({QStringLiteral("Bueno"), QStringLiteral("Malo")}));
    EXPECT_EQ(columnas[0].keys, QStringList({QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(columnas[1].items, QStringList({QStringLiteral("a) Frágil"), QStringLiteral("b) Cercano")}));
    EXPECT_TRUE(columnas[1].keys.isEmpty());

    // Nothing but items goes under a column.
    const auto mala = FormDescriptionParser::parse(QString::fromUtf8(texto).replace(QStringLiteral("item \"Malo\" 2"),
                                                                                    QStringLiteral("width=3")),
                                                   QStringLiteral("abc.form"), &errors);
    EXPECT_FALSE(mala);
    EXPECT_TRUE(errors.join(QLatin1Char('\n')).contains(QStringLiteral("sólo lleva líneas item"))) << errors.join(QLatin1Char('\n')).toStdString();
}

struct BadCase
{
    const char *name;
    const char *replace; // text of kSmall to replace
    const char *with;
    int line;
    const char *message;
};

class FormDescriptionErrors : public ::testing::TestWithParam<BadCase>
{
};

TEST_P(FormDescriptionErrors, NameTheLineAndTheCause)
{
    const BadCase c = GetParam();
    QString text = QString::fromUtf8(kSmall);
    ASSERT_TRUE(text.contains(QString::fromUtf8(c.replace))) << c.replace;
    text.replace(QString::fromUtf8(c.replace), QString::fromUtf8(c.with));
    QStringList errors;
    EXPECT_FALSE(FormDescriptionParser::parse(text, QStringLiteral("abc.form"), &errors));
    ASSERT_FALSE(errors.isEmpty());
    const QString expected = QStringLiteral("abc.form:%1: ").arg(c.line);
    EXPECT_TRUE(errors.first().startsWith(expected)) << errors.first().toStdString();
    EXPECT_TRUE(errors.first().contains(QString::fromUtf8(c.message))) << errors.first().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, FormDescriptionErrors, ::testing::Values(
    BadCase{"UnknownType", "sup     float", "sup     real", 10, "tipo desconocido \"real\""},
    BadCase{"GridColumnMissing", "    pct readonly", "    pcx readonly", 33, "el campo \"pcx\" no existe en la tabla \"abc_det\""},
    BadCase{"EditFieldMissing", "    edit nom \"Nombre:\"", "    edit nombre \"Nombre:\"", 25, "\"nombre\" no existe"},
    BadCase{"UnknownSource", "navigator abc_det", "navigator abc_xx", 37, "el origen de datos \"abc_xx\" no existe"},
    BadCase{"LookupTableMissing", "num=abc_det.num", "num=abc_nada.num", 15, "la tabla de búsqueda \"abc_nada\""},
    BadCase{"UnknownList", "    pct readonly", "    pct readonly list=tceEspecies", 33, "lista \"tceEspecies\" desconocida"},
    BadCase{"UnknownFlag", "tvNoVacio tvUnico", "tvNoVacio tvUnic", 40, "la validación \"tvUnic\" no existe"},
    BadCase{"LimitMissing", "tvMayorIgual limit=0,5", "tvMayorIgual", 41, "necesita un límite"},
    BadCase{"UnknownOption", "tag=1", "tga=1", 31, "no admite la opción \"tga=\""},
    BadCase{"TabIndent", "  Id      autoinc", "\tId      autoinc", 8, "espacios"},
    BadCase{"UnclosedQuote", "caption \"Formulario ABC\"", "caption \"Formulario ABC", 3, "comillas de cierre"},
    BadCase{"DuplicateName", "edit nom\n", "edit nom name=btnLlenarPredio\n", 26, "\"btnLlenarPredio\" ya se usó"},
    BadCase{"SecondPageWithoutOutline", "page \"Dos\" level=2", "page level=2", 36, "no tiene su línea de secciones"},
    BadCase{"BadColumnName", "  num     text\n", "  num-x   text\n", 14, "no es un nombre de columna válido"},
    BadCase{"UnknownControl", "navigator abc_det", "navegador abc_det", 37, "control desconocido"},
    BadCase{"FooterAlignment", "align=right", "align=diagonal", 35, "align= admite left, center o right"},
    BadCase{"FooterColumnMissing", "at=num_look", "at=sup", 31, "\"sup\", en el pie, no es una columna de la grilla"}),
    [](const ::testing::TestParamInfo<BadCase> &info) { return std::string(info.param.name); });

// The generic form writes its outline itself: its pages may go without lines, and
// nothing but `runtime` is accepted.
TEST(FormDescriptionParser, SectionsRuntimeLetsPagesGoWithoutOutlineLines)
{
    QStringList errors;
    const QString sinLinea = QString::fromUtf8(kSmall).replace(QStringLiteral("page \"Dos\" level=2"), QStringLiteral("page"));
    const auto f = FormDescriptionParser::parse(sinLinea + QStringLiteral("sections runtime\n"), QStringLiteral("abc.form"), &errors);
    ASSERT_TRUE(f) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(f->seccionesEnEjecucion);
    EXPECT_TRUE(f->pages[2].outline.isEmpty());

    errors.clear();
    EXPECT_FALSE(FormDescriptionParser::parse(QString::fromUtf8(kSmall) + QStringLiteral("sections code\n"),
                                              QStringLiteral("abc.form"), &errors));
    EXPECT_TRUE(errors.join(QLatin1Char('\n')).contains(QStringLiteral("sections solo admite runtime")))
        << errors.join(QLatin1Char('\n')).toStdString();
}

TEST(FormDescriptionParser, TheDocumentedExampleParses)
{
    QFile doc(QStringLiteral(BRENVIK_TEST_DIR "/../FORMS.md"));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(doc.readAll());
    const qsizetype section = text.indexOf(QStringLiteral("## Example"));
    const qsizetype start = text.indexOf(QStringLiteral("```\n"), section) + 4;
    const qsizetype end = text.indexOf(QStringLiteral("```"), start);
    ASSERT_GT(section, 0);
    QStringList errors;
    const auto f = FormDescriptionParser::parse(text.mid(start, end - start), QStringLiteral("FORMS.md"), &errors);
    ASSERT_TRUE(f) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(f->code, QStringLiteral("EJEM"));
}

namespace {

QStringList nombresDe(const QList<ControlDescription> &controles)
{
    QStringList r;
    for (const ControlDescription &c : controles) {
        if (c.external)
            r << c.name + QLatin1Char('>') + (c.kind == ControlDescription::Kind::Grid ? c.source : c.field);
        r << nombresDe(c.children);
    }
    return r;
}

} // namespace

// A bound form names its request form; its first page is the property replica, with the
// options' controls, ahead of the pages it writes.
TEST(FormDescriptionParser, AParentStatementWritesTheReplicaPage)
{
    struct Caso
    {
        const char *parent;
        QStringList extra;
        bool required;
    };
    const QStringList base = {
        QStringLiteral("edt_nom_pre>nom_pre"),     QStringLiteral("lcb_reg>reg"),          QStringLiteral("lcb_prv>prv"),
        QStringLiteral("lcb_com>com"),             QStringLiteral("edt_sup>sup"),          QStringLiteral("edt_sup_tit>sup_tit"),
        QStringLiteral("edt_sup_sii>sup_sii"),     QStringLiteral("mem_via>via"),          QStringLiteral("dbgPropietarios>pro"),
        QStringLiteral("dbgRoles>rol"),            QStringLiteral("dbgRolesContiguos>rol_con"),
        QStringLiteral("dbgCoordenadas>coo")};
    for (const Caso &c : {Caso{"parent dorvo", {}, false},
                          Caso{"parent ferun ces ciu fir required", {QStringLiteral("dbgCesionarios>ces"), QStringLiteral("edt_ciu>ciu"), QStringLiteral("lcb_fir>fir")}, true}}) {
        const QString text = QStringLiteral("form ANEX\ncaption \"A\"\ntitle \"T\"\nsize 10 10\n%1\n"
                                            "table anex main\n  Id autoinc\n  cod_pre integer default=-1\n"
                                            "page \"Uno\"\n  label \"x\"\n")
                                 .arg(QLatin1String(c.parent));
        QStringList errors;
        const auto f = FormDescriptionParser::parse(text, QStringLiteral("anex.form"), &errors);
        ASSERT_TRUE(f) << errors.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(f->parent.required, c.required);
        ASSERT_EQ(f->pages.size(), 2);
        EXPECT_TRUE(f->pages[0].outline.isEmpty());
        EXPECT_EQ(f->pages[1].outline, QStringLiteral("Uno"));
        EXPECT_EQ(nombresDe(f->pages[0].controls), base + c.extra) << c.parent;
        // The form's own code is there hidden (it has no sup_afe), with the register button.
        const QList<ControlDescription> &pagina = f->pages[0].controls;
        EXPECT_TRUE(std::any_of(pagina.begin(), pagina.end(), [](const ControlDescription &k) {
            return k.name == QLatin1String("edt_cod_pre") && k.hidden && !k.external;
        }));
        EXPECT_TRUE(std::none_of(pagina.begin(), pagina.end(),
                                 [](const ControlDescription &k) { return k.field == QLatin1String("sup_afe"); }));
    }
    QStringList errors;
    EXPECT_FALSE(FormDescriptionParser::parse(QStringLiteral("form ANEX\nparent eska\ntable anex main\n  Id autoinc\n"),
                                              QStringLiteral("anex.form"), &errors));
    EXPECT_TRUE(errors.join(QLatin1Char('\n')).contains(QStringLiteral("anex.form:2: parent es dorvo o ferun")));
}

TEST(FormDescriptionParser, AColumnTakesItsDisplayFormatAndAGridColumnItsPickList)
{
    const QString texto = QStringLiteral(
        "form ABC\n"
        "table abc main\n"
        "  Id   autoinc\n"
        "  sup  float \"Superficie\" format=\"#.00\"\n"
        "  seg  integer \"Seguro\" display=24\n"
        "  tip  text \"Tipo\"\n"
        "page\n"
        "  grid dbgAbc abc\n"
        "    sup\n"
        "    seg\n"
        "      item \"NO\" 0\n"
        "      item \"SI\" 1\n"
        "    tip\n"
        "      item \"Uno\"\n"
        "      item \"Dos\"\n");
    QStringList errors;
    const auto f = FormDescriptionParser::parse(texto, QStringLiteral("abc.form"), &errors);
    ASSERT_TRUE(f) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(f->tables[0].column(QStringLiteral("sup"))->displayFormat, QStringLiteral("#.00"));
    EXPECT_TRUE(f->tables[0].column(QStringLiteral("seg"))->displayFormat.isEmpty());
    EXPECT_EQ(f->tables[0].column(QStringLiteral("seg"))->displayWidth, 24);
    EXPECT_EQ(f->tables[0].column(QStringLiteral("sup"))->displayWidth, 0);
    const GridDescription &g = f->pages[0].controls[0].grid;
    ASSERT_EQ(g.columns.size(), 3);
    EXPECT_TRUE(g.columns[0].items.isEmpty());
    EXPECT_EQ(g.columns[1].items, (QStringList{QStringLiteral("NO"), QStringLiteral("SI")}));
    EXPECT_EQ(g.columns[1].keys, (QStringList{QStringLiteral("0"), QStringLiteral("1")}));
    EXPECT_EQ(g.columns[2].items, (QStringList{QStringLiteral("Uno"), QStringLiteral("Dos")}));
    EXPECT_TRUE(g.columns[2].keys.isEmpty());
}
