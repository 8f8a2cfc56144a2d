#include "programa.h"
#include "scripteddialogs.h"
#include "terminacion.h"
#include "testprogramdir.h"
#include "tformppal.h"
#include "tformppalacercade.h"
#include "tformppalforms.h"
#include "tformppalnuevo.h"
#include "traduccionqt.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ProgramaTest : public ::testing::Test
{
protected:
    void SetUp() override { ReiniciarTerminacion(); }
    void TearDown() override { ReiniciarTerminacion(); }

    ScopedSettings settings;
    TestProgramDir program;
    ScriptedDialogs dialogs;
};

template <typename T>
T *topLevel()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<T *>(w))
            return found;
    }
    return nullptr;
}

TEST_F(ProgramaTest, MissingMainDatabaseEndsBeforeAnythingShows)
{
    program.addRegisterPlugins();
    EXPECT_EQ(EjecutarBrenvik(*qApp, program.path()), 1);
    EXPECT_EQ(dialogs.textos(), QStringList{QStringLiteral("Falta uno de los archivos requeridos por la aplicación (BD.DB).")});
    EXPECT_EQ(topLevel<TformPpal>(), nullptr);
    EXPECT_EQ(topLevel<TformPpalAcercade>(), nullptr);
}

TEST_F(ProgramaTest, StartsWithTheMainWindowAndItsDialogsAndEndsWhenItCloses)
{
    program.createAll();
    QSettings(QStringLiteral("Varno"), QStringLiteral("Brenvik")).setValue(QStringLiteral("Consultor_Id"), 7);
    bool checked = false;
    QTimer::singleShot(0, [&checked] {
        TformPpal *ppal = topLevel<TformPpal>();
        ASSERT_NE(ppal, nullptr);
        EXPECT_TRUE(ppal->isVisible());
        EXPECT_EQ(ppal->windowTitle(), QStringLiteral("Brenvik - Rojas Soto, Ana"));
        ASSERT_NE(topLevel<TformPpalNuevo>(), nullptr);
        EXPECT_FALSE(topLevel<TformPpalNuevo>()->isVisible());
        ASSERT_NE(topLevel<TformPpalAcercade>(), nullptr);
        ASSERT_NE(topLevel<TFormPpalForms>(), nullptr);
        checked = true;
        ppal->archSalir->trigger();
    });
    EXPECT_EQ(EjecutarBrenvik(*qApp, program.path()), 0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(dialogs.textos().isEmpty());
    EXPECT_EQ(topLevel<TformPpal>(), nullptr);
}

// Fault: Qt's file dialog showed folders as "Folder", a text Qt's Spanish catalogue lacks.
TEST(TraduccionQt, TheFileDialogNamesFoldersInSpanish)
{
    InstalarTraduccionQt();
    InstalarTraduccionQt();
    QAbstractFileIconProvider iconos;
    EXPECT_EQ(iconos.type(QFileInfo(QDir::tempPath())), QStringLiteral("Carpeta"));
    // Texts the catalogue lacks and nobody translated stay as they are.
    EXPECT_EQ(QCoreApplication::translate("Nadie", "Folder"), QStringLiteral("Folder"));
}

} // namespace
