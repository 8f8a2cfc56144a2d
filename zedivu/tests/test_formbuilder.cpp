#include "builtform.h"
#include "connection.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "formbuilder.h"
#include "formcomponents.h"
#include "formdescriptionparser.h"
#include "formtemplate.h"
#include "table.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

FormDescription demo()
{
    QStringList errors;
    const auto f = FormDescriptionParser::parseFile(QStringLiteral(BRENVIK_TEST_DIR "/forms/demo.form"), &errors);
    EXPECT_TRUE(f) << errors.join(QLatin1Char('\n')).toStdString();
    return f.value_or(FormDescription());
}

struct BuiltDemo
{
    QTemporaryDir dir;
    Connection working;
    Connection main;
    QWidget window;
    BuiltForm *built = nullptr;

    // Builds `form` against the template of `schema` (the same description by default).
    void build(const FormDescription &form, const FormDescription *schema = nullptr)
    {
        const QString path = dir.filePath(QStringLiteral("w.db"));
        QString error;
        ASSERT_TRUE(FormTemplate::write(schema ? *schema : form, path, &error)) << error.toStdString();
        ASSERT_TRUE(working.open(path));
        ASSERT_TRUE(main.open(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db"), Connection::ReadOnly));
        built = FormBuilder::build(form, &window, &working, &main);
    }
};

} // namespace

TEST(FormBuilder, MakesTheComponentsUnderTheirNames)
{
    BuiltDemo d;
    d.build(demo());
    ASSERT_TRUE(d.built->openDatasets());
    EXPECT_EQ(d.built->bindingErrors(), QStringList());

    auto *pages = findComponent<QTabWidget>(&d.window, QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    EXPECT_TRUE(pages->tabBar()->isHidden());
    EXPECT_EQ(pages->count(), 5);
    EXPECT_EQ(pages->widget(3)->objectName(), QStringLiteral("TabSheet3"));
    EXPECT_EQ(d.built->mainDataset(), findComponent<Dataset>(&d.window, QStringLiteral("adsPpal")));
    EXPECT_NE(findComponent<DataSource>(&d.window, QStringLiteral("dsrcPpal")), nullptr);
    EXPECT_NE(findComponent<Table>(&d.window, QStringLiteral("adtDEMO_desc")), nullptr);
    EXPECT_NE(findComponent<DataSource>(&d.window, QStringLiteral("dsrcDEMO_desc")), nullptr);
    // An irregular name given by the description.
    EXPECT_NE(findComponent<DataSource>(&d.window, QStringLiteral("drscDEMO_obj")), nullptr);
    EXPECT_EQ(findComponent<DataSource>(&d.window, QStringLiteral("dsrcDEMO_obj")), nullptr);
    auto *button = findComponent<QPushButton>(&d.window, QStringLiteral("btnLlenarPredio"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isHidden());
    // A control bound later to a sibling form is built without a binding.
    auto *nom = findComponent<DBEdit>(&d.window, QStringLiteral("edt_nom_pre"));
    ASSERT_NE(nom, nullptr);
    EXPECT_EQ(nom->dataSource(), nullptr);
    // Regression: it forgot its field, so the sibling's data never showed in it.
    EXPECT_EQ(nom->dataField(), QStringLiteral("nom_pre"));

    auto *grid = findComponent<DBGrid>(&d.window, QStringLiteral("dbgDEMO_desc"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->ColumnCount(), 6);
    // Blanks written around "|" must not reach headers and check messages.
    EXPECT_EQ(grid->Columns(4)->TitleCaption(), QStringLiteral("Coordenadas UTM|N"));
    EXPECT_EQ(grid->FooterText(0), QStringLiteral("Total:"));
    EXPECT_EQ(grid->FooterText(1), QStringLiteral("19,75"));
    auto *esq = findComponent<DBGrid>(&d.window, QStringLiteral("dbgDEMO_desc_esq"));
    ASSERT_NE(esq, nullptr);
    EXPECT_EQ(esq->Tag(), 1);
    EXPECT_FALSE(esq->allowedOperations() & DBGrid::AllowDelete);
    EXPECT_FALSE(esq->Columns(3)->Visible());
}

TEST(FormBuilder, AppliesLabelsLookupsLinksAndReadOnly)
{
    // Printed widths given to a data column and to a lookup field.
    FormDescription form = demo();
    for (TableDescription &t : form.tables)
        for (ColumnDescription &c : t.columns)
            if ((t.name == QLatin1String("demo_desc") && c.name == QLatin1String("esp"))
                || (t.name == QLatin1String("demo_ocu_inc") && c.name == QLatin1String("num_look")))
                c.displayWidth = 7;
    BuiltDemo d;
    d.build(form);
    ASSERT_TRUE(d.built->openDatasets());
    auto *desc = findComponent<Dataset>(&d.window, QStringLiteral("adtDEMO_desc"));
    EXPECT_EQ(desc->FieldByName(QStringLiteral("sup"))->DisplayLabel(), QStringLiteral("Superficie\n(ha)"));
    auto *ocu = findComponent<Dataset>(&d.window, QStringLiteral("adtDEMO_ocu_inc"));
    EXPECT_EQ(ocu->FieldByName(QStringLiteral("num_look"))->AsString(), QStringLiteral("2"));
    EXPECT_EQ(desc->FieldByName(QStringLiteral("esp"))->DisplayWidth(), 7);
    EXPECT_EQ(ocu->FieldByName(QStringLiteral("num_look"))->DisplayWidth(), 7);
    EXPECT_EQ(desc->FieldByName(QStringLiteral("sup"))->DisplayWidth(), 10);

    // The activities follow the current objective.
    auto *obj = findComponent<Dataset>(&d.window, QStringLiteral("adtDEMO_obj"));
    auto *esq = findComponent<Dataset>(&d.window, QStringLiteral("adtDEMO_desc_esq"));
    ASSERT_TRUE(esq->Append());
    esq->FieldByName(QStringLiteral("act"))->setAsInteger(30);
    ASSERT_TRUE(esq->Post());
    EXPECT_EQ(esq->FieldByName(QStringLiteral("Id_obj"))->AsInteger(), obj->FieldByName(QStringLiteral("Id_obj"))->AsInteger());

    auto *sup = findComponent<DBEdit>(&d.window, QStringLiteral("edt_sup_afe_2"));
    ASSERT_NE(sup, nullptr);
    EXPECT_TRUE(sup->isReadOnly());
    auto *reg = findComponent<DBLookupComboBox>(&d.window, QStringLiteral("lcb_reg"));
    ASSERT_NE(reg, nullptr);
    EXPECT_GT(reg->count(), 10);
}

TEST(FormBuilder, ReportsFieldsTheDatabaseLacks)
{
    // The description and the database disagree: every disagreement is named.
    const FormDescription form = demo();
    FormDescription schema = form;
    for (TableDescription &t : schema.tables)
        if (t.name == QLatin1String("demo_desc")) {
            t.columns.removeIf([](const ColumnDescription &c) { return c.name == QLatin1String("esp"); });
            t.rows.clear();
        }
    for (TableDescription &t : schema.tables)
        if (t.name == QLatin1String("demo"))
            t.columns.removeIf([](const ColumnDescription &c) { return c.name == QLatin1String("obs"); });
    BuiltDemo d;
    d.build(form, &schema);
    ASSERT_TRUE(d.built->openDatasets());
    const QString errors = d.built->bindingErrors().join(QLatin1Char('\n'));
    EXPECT_TRUE(errors.contains(QStringLiteral("Campo \"esp\" no existe en DataSet \"adtDEMO_desc\""))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("mem_obs"))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("grilla"))) << errors.toStdString();
}

TEST(FormBuilder, BuildsAModelMadeInCode)
{
    // The generic form builds its pages from the main database, without a file.
    FormDescription f;
    f.code = QStringLiteral("GEN");
    f.title = QStringLiteral("GENÉRICO");
    TableDescription t;
    t.name = QStringLiteral("gen");
    t.main = true;
    t.dataset = QStringLiteral("adsPpal");
    t.dataSource = QStringLiteral("dsrcPpal");
    ColumnDescription id;
    id.name = QStringLiteral("Id");
    id.type = FieldType::AutoInc;
    ColumnDescription obs;
    obs.name = QStringLiteral("obs");
    obs.type = FieldType::Memo;
    t.columns = {id, obs};
    f.tables << t;
    PageDescription first, second;
    first.name = QStringLiteral("TabSheet0");
    second.name = QStringLiteral("TabSheet18");
    second.outline = QStringLiteral("Observaciones");
    ControlDescription memo;
    memo.kind = ControlDescription::Kind::Memo;
    memo.name = QStringLiteral("memObs");
    memo.field = QStringLiteral("obs");
    second.controls << memo;
    f.pages << first << second;
    ASSERT_EQ(f.check(), QStringList());
    EXPECT_EQ(f.secciones(), QStringLiteral("GENÉRICO\r\n\tObservaciones\r\n"));

    BuiltDemo d;
    d.build(f);
    ASSERT_TRUE(d.built->openDatasets());
    EXPECT_EQ(d.built->bindingErrors(), QStringList());
    EXPECT_NE(findComponent<QWidget>(&d.window, QStringLiteral("TabSheet18")), nullptr);
}
