// Every form description in the tree (the plug-ins' and the test fixtures') is parsed,
// given its template database and built offscreen, and every binding must resolve: a
// wrong field name fails here, not in front of the consultant.
#include "builtform.h"
#include "connection.h"
#include "dataset.h"
#include "formbuilder.h"
#include "formcomponents.h"
#include "formdescriptionparser.h"
#include "formtemplate.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QStringList descriptionFiles()
{
    QStringList files;
    const QString root = QDir(QStringLiteral(BRENVIK_TEST_DIR "/../..")).absolutePath();
    for (const QString &dir : {root + QStringLiteral("/plugins"), root + QStringLiteral("/zedivu/tests")}) {
        QDirIterator it(dir, {QStringLiteral("*.form")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
    }
    files.sort();
    return files;
}

std::string testName(const ::testing::TestParamInfo<QString> &info)
{
    QString name = QFileInfo(info.param).completeBaseName();
    for (QChar &c : name)
        if (!c.isLetterOrNumber())
            c = QLatin1Char('_');
    return QStringLiteral("%1_%2").arg(info.index).arg(name).toStdString();
}

} // namespace

class FormDescriptions : public ::testing::TestWithParam<QString>
{
};

TEST_P(FormDescriptions, BuildsAgainstItsTemplateWithEveryBindingResolved)
{
    QStringList errors;
    const auto form = FormDescriptionParser::parseFile(GetParam(), &errors);
    ASSERT_TRUE(form) << errors.join(QLatin1Char('\n')).toStdString();

    QTemporaryDir dir;
    const QString templatePath = dir.filePath(form->code + QStringLiteral(".db"));
    QString error;
    ASSERT_TRUE(FormTemplate::write(*form, templatePath, &error)) << error.toStdString();

    Connection working, main;
    ASSERT_TRUE(working.open(templatePath));
    ASSERT_TRUE(main.open(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db"), Connection::ReadOnly)) << main.lastError().text().toStdString();

    // Every detail table is searched by its link columns through an index.
    for (const TableDescription &t : form->tables) {
        if (t.master.isEmpty())
            continue;
        QStringList where;
        QVariantList values;
        for (const QString &c : t.detailFields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            where << c.trimmed() + QStringLiteral(" = ?");
            values << 1;
        }
        const QueryResult plan = working.select(
            QStringLiteral("EXPLAIN QUERY PLAN SELECT * FROM %1 WHERE %2").arg(t.name, where.join(QStringLiteral(" AND "))), values);
        QString steps;
        for (const QVariantList &row : plan.rows)
            steps += row.last().toString() + QLatin1Char(' ');
        EXPECT_TRUE(steps.contains(QStringLiteral("USING INDEX"))) << t.name.toStdString() << ": " << steps.toStdString();
    }

    QWidget window;
    window.resize(form->ancho > 0 ? form->ancho : 705, form->alto > 0 ? form->alto : 580);
    BuiltForm *built = FormBuilder::build(*form, &window, &working, &main);
    ASSERT_TRUE(built->openDatasets(&errors)) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(built->bindingErrors(), QStringList());

    // One page per outline line (the generic form writes its outline when it opens), the
    // page control and main dataset under their names.
    auto *pages = findComponent<QTabWidget>(&window, form->pageControl);
    ASSERT_NE(pages, nullptr);
    if (!form->seccionesEnEjecucion)
        EXPECT_EQ(pages->count(), form->secciones().count(QStringLiteral("\r\n")));
    ASSERT_NE(built->mainDataset(), nullptr);
    EXPECT_EQ(built->mainDataset()->RecordCount(), 1);
    for (const TableDescription &t : form->tables)
        EXPECT_NE(findComponent<Dataset>(&window, t.dataset), nullptr) << t.dataset.toStdString();

    // A picture of every content page, for people to look at.
    const QString shots = QStringLiteral(BRENVIK_BIN_DIR "/../screenshots");
    QDir().mkpath(shots);
    window.show();
    for (int i = 1; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        window.grab().save(QStringLiteral("%1/%2_%3.png").arg(shots, form->code).arg(i));
    }
}

INSTANTIATE_TEST_SUITE_P(Tree, FormDescriptions, ::testing::ValuesIn(descriptionFiles()), testName);
