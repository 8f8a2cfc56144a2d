// The `predio` statement of form descriptions: the property section of a request form
// described once. The request forms written with it keep their template databases
// column for column (the golden schemas beside each form).
#include "formdescriptionparser.h"
#include "formtemplate.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QString sourceRoot()
{
    return QDir(QStringLiteral(BRENVIK_TEST_DIR "/../..")).absolutePath();
}

// The CREATE TABLE statements of the form's template, sorted: its tables and columns.
QString schema(const FormDescription &form)
{
    QList<FormTemplate::Statement> statements;
    QString error;
    if (!FormTemplate::statements(form, statements, &error))
        return error;
    QStringList creates;
    for (const auto &s : statements)
        if (s.sql.startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive))
            creates << s.sql;
    creates.sort();
    return creates.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

class RequestFormSchema : public ::testing::TestWithParam<const char *>
{
};

TEST_P(RequestFormSchema, KeepsTheColumnsOfItsTemplate)
{
    const QString code = QString::fromLatin1(GetParam());
    const QString dir = sourceRoot() + QStringLiteral("/plugins/requests/") + code;
    QStringList errors;
    const auto form = FormDescriptionParser::parseFile(dir + QLatin1Char('/') + code + QStringLiteral(".form"), &errors);
    ASSERT_TRUE(form) << errors.join(QLatin1Char('\n')).toStdString();
    QFile golden(dir + QStringLiteral("/tests/") + code + QStringLiteral(".schema"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << schema(*form).toStdString();
    EXPECT_EQ(schema(*form).toStdString(), QString::fromUtf8(golden.readAll()).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Requests, RequestFormSchema, ::testing::Values("dorvo", "ferun", "wiro"));

namespace {

std::optional<FormDescription> parsePredio(const QString &options, const QString &suffix, QStringList *errors)
{
    const QString s = suffix;
    QString text = QStringLiteral("form ABC\ntable abc main\n  id autoinc\n  id_pre integer\n  fec datetime\n  ciu text 50\n  fir integer\n");
    for (const char *f : {"cod_pre integer", "nom_pre text 50", "com text 6", "prv text 6", "reg text 6", "sup float", "sup_afe float", "via memo"}) {
        const QString column = QString::fromLatin1(f);
        const int blank = column.indexOf(QLatin1Char(' '));
        text += QStringLiteral("  ") + column.left(blank) + s + column.mid(blank) + QLatin1Char('\n');
    }
    const QString at = s.isEmpty() ? QString() : QStringLiteral(" suffix=") + s;
    text += QStringLiteral("predio %1%2\npage\npage \"Predio\"\n  predio property%2\npage \"Personas\"\n  predio persons%2\n").arg(options, at);
    if (s.isEmpty())
        text += QStringLiteral("  predio request\n");
    return FormDescriptionParser::parse(text, QStringLiteral("abc.form"), errors);
}

QString columnsOf(const FormDescription &form, const QString &table)
{
    const TableDescription *t = form.table(table);
    if (!t)
        return QStringLiteral("(no table)");
    QStringList names;
    for (const ColumnDescription &c : t->columns)
        names << (c.type == FieldType::Text && c.kind == ColumnDescription::Kind::Data ? QStringLiteral("%1:%2").arg(c.name).arg(c.size) : c.name);
    return names.join(QLatin1Char(' '));
}

const ControlDescription *control(const QList<ControlDescription> &controls, const QString &name)
{
    for (const ControlDescription &c : controls) {
        if (c.name == name)
            return &c;
        if (const ControlDescription *inner = control(c.children, name))
            return inner;
    }
    return nullptr;
}

QString gridOf(const FormDescription &form, const QString &name)
{
    for (const PageDescription &p : form.pages)
        if (const ControlDescription *c = control(p.controls, name)) {
            QStringList fields;
            for (const GridColumnDescription &g : c->grid.columns)
                fields << g.field;
            return fields.join(QLatin1Char(' '));
        }
    return QStringLiteral("(no grid)");
}

} // namespace

TEST(PredioStatement, WritesTheTablesListsAndControlsItsOptionsAsk)
{
    const struct
    {
        const char *options;
        const char *suffix;
        const char *tables; // present tables, then absent ones after "|"
        const char *pro, *rep, *proGrid, *proNat, *proJur;
    } cases[] = {
        {"", "", "abc_rol abc_con abc_cer abc_pro abc_rep|abc_coo abc_rol_con",
         "id rut dv:1 nom:60 pat:60 mat:60 dom:80 ciu:60 com:6 com_look fono:30 firm sexo",
         "id rut dv:1 nom:60 pat:60 mat:60 dom:80 ciu:60 com:6 com_look fono:30 firm sexo",
         "firm rut dv nom pat mat sexo dom com_look ciu fono", "nom pat mat rut dv dom com_look ciu fono",
         "nom rut dv dom com_look ciu fono"},
        {"coo rol_con usuf rutfirst fono=50 juridical=pat", "2", "abc_coo2 abc_rol2 abc_rol_con2 abc_pro2 abc_rep2|abc_coo abc_pro",
         "id rut dv:1 nom:60 pat:60 mat:60 dom:80 ciu:60 com:6 com_look fono:50 firm sexo usuf",
         "id rut dv:1 nom:60 pat:60 mat:60 dom:80 ciu:60 com:6 com_look fono:50 firm sexo",
         "firm usuf rut dv nom pat mat sexo dom com_look ciu fono", "rut dv nom pat mat dom com_look ciu fono",
         "pat rut dv dom com_look ciu fono"},
        {"id_pre fono=none reponly", "", "abc_pro abc_rep|abc_coo",
         "id id_pre rut dv:1 nom:60 pat:60 mat:60 dom:80 ciu:60 com:6 com_look fono:30 sexo",
         "id id_pre rut dv:1 nom:60 pat:60 mat:60 dom:80 ciu:60 com:6 com_look sexo",
         "rut dv nom pat mat dom com_look ciu fono", "nom pat mat rut dv dom com_look ciu fono", "nom rut dv dom com_look ciu fono"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.options);
        const QString s = QString::fromLatin1(c.suffix);
        QStringList errors;
        const auto form = parsePredio(QString::fromLatin1(c.options), s, &errors);
        ASSERT_TRUE(form) << errors.join(QLatin1Char('\n')).toStdString();
        const QStringList parts = QString::fromLatin1(c.tables).split(QLatin1Char('|'));
        for (const QString &t : parts[0].split(QLatin1Char(' ')))
            EXPECT_NE(form->table(t), nullptr) << t.toStdString();
        for (const QString &t : parts[1].split(QLatin1Char(' ')))
            EXPECT_EQ(form->table(t), nullptr) << t.toStdString();
        EXPECT_EQ(columnsOf(*form, QStringLiteral("abc_pro") + s).toStdString(), c.pro);
        EXPECT_EQ(columnsOf(*form, QStringLiteral("abc_rep") + s).toStdString(), c.rep);
        EXPECT_EQ(gridOf(*form, QStringLiteral("dbgABC_pro") + s).toStdString(), c.proGrid);
        EXPECT_EQ(gridOf(*form, QStringLiteral("dbgABC_pro") + s + QStringLiteral("_nat")).toStdString(), c.proNat);
        EXPECT_EQ(gridOf(*form, QStringLiteral("dbgABC_pro") + s + QStringLiteral("_jur")).toStdString(), c.proJur);
        EXPECT_EQ(gridOf(*form, QStringLiteral("dbgABC_rep") + s + QStringLiteral("_jur")).toStdString(),
                  QString::fromLatin1(c.proJur).remove(QStringLiteral(" fono")).toStdString());
        // The property's own controls carry the suffix; the locality lists exist once.
        for (const QString &name : {QStringLiteral("btnLlenarPredio"), QStringLiteral("dbe_nom_pre"), QStringLiteral("dbl_com"),
                                    QStringLiteral("dbl_reg"), QStringLiteral("dbe_sup_afe"), QStringLiteral("dbm_via")})
            EXPECT_NE(control(form->pages[1].controls, name + s), nullptr) << name.toStdString();
        for (const char *list : {"qryComunas", "qryProvincias", "qryRegiones"})
            EXPECT_NE(form->query(QLatin1String(list)), nullptr);
        // The signatory list belongs to the first property.
        const QueryDescription *firma = form->query(QStringLiteral("adqNom_firma"));
        EXPECT_EQ(firma != nullptr, s.isEmpty());
        if (firma)
            EXPECT_EQ(firma->sql.contains(QLatin1String("FROM abc_rep r, abc_pro p")), !QString::fromLatin1(c.options).contains(QLatin1String("reponly")))
                << firma->sql.toStdString();
    }
}

TEST(PredioStatement, LinksEveryTableToItsPropertyRowWithIdPre)
{
    QStringList errors;
    const auto form = parsePredio(QStringLiteral("id_pre coo rol_con"), QString(), &errors);
    ASSERT_TRUE(form) << errors.join(QLatin1Char('\n')).toStdString();
    for (const char *t : {"abc_coo", "abc_rol", "abc_rol_con", "abc_con", "abc_cer", "abc_pro", "abc_rep"}) {
        const TableDescription *table = form->table(QLatin1String(t));
        ASSERT_NE(table, nullptr) << t;
        EXPECT_EQ(table->master, QStringLiteral("abc"));
        EXPECT_EQ(table->detailFields, QStringLiteral("id_pre"));
        EXPECT_NE(table->column(QStringLiteral("id_pre")), nullptr);
    }
}

// The persons' groups: their own titles, or the owners' and then the representatives'
// given in the page ("Productor o Comerciante" in the dead-alerce requests).
TEST(PredioStatement, PersonsGroupsTakeTheTitlesThePageGives)
{
    const auto titulos = [](const QString &persons) {
        QStringList errors;
        const auto form = FormDescriptionParser::parse(
            QStringLiteral("form ABC\ntable abc main\n  id autoinc\npredio\npage\npage \"Personas\"\n  ") + persons + QLatin1Char('\n'),
            QStringLiteral("abc.form"), &errors);
        QStringList grupos;
        if (!form)
            return errors;
        for (const ControlDescription &c : form->pages[1].controls)
            if (c.kind == ControlDescription::Kind::Group)
                grupos << c.caption;
        return grupos;
    };
    EXPECT_EQ(titulos(QStringLiteral("predio persons")), (QStringList{QStringLiteral(" Propietarios "), QStringLiteral(" Representantes Legales ")}));
    EXPECT_EQ(titulos(QStringLiteral("predio persons \" Dueños \"")), (QStringList{QStringLiteral(" Dueños "), QStringLiteral(" Representantes Legales ")}));
    EXPECT_EQ(titulos(QStringLiteral("predio persons \" Propietarios \" \" Productor o Comerciante \"")),
              (QStringList{QStringLiteral(" Propietarios "), QStringLiteral(" Productor o Comerciante ")}));
}

TEST(PredioStatement, RefusesWhatItCannotWrite)
{
    const struct
    {
        const char *text;
        const char *message;
    } cases[] = {
        {"form ABC\npredio\n", "predio va después de la tabla principal"},
        {"form ABC\ntable abc main\n  id autoinc\npredio fono=40\n", "fono= es 30, 50 o none"},
        {"form ABC\ntable abc main\n  id autoinc\npredio juridical=mat\n", "juridical= es nom o pat"},
        {"form ABC\ntable abc main\n  id autoinc\npredio\npredio\n", "ya hay un predio"},
        {"form ABC\ntable abc main\n  id autoinc\npage\n  predio persons\n", "falta la instrucción predio antes de las páginas"},
        {"form ABC\ntable abc main\n  id autoinc\npredio\npage\n  predio persons suffix=2\n", "falta la instrucción predio suffix=2"},
        {"form ABC\ntable abc main\n  id autoinc\npredio\npage\n  predio owners\n", "property, persons o request"},
    };
    for (const auto &c : cases) {
        QStringList errors;
        EXPECT_FALSE(FormDescriptionParser::parse(QString::fromUtf8(c.text), QStringLiteral("abc.form"), &errors)) << c.text;
        EXPECT_TRUE(errors.join(QLatin1Char('\n')).contains(QString::fromUtf8(c.message))) << errors.join(QLatin1Char('\n')).toStdString();
    }
}
