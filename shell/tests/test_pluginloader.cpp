#include "cargarlibreria.h"
#include "classregistry.h"
#include "pluginloader.h"
#include "registerwindows.h"
#include "scripteddialogs.h"
#include "terminacion.h"
#include "testprogramdir.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class PluginLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ReiniciarTerminacion();
        copyTestPlugin(QStringLiteral("test1.so"), program.path(), QStringLiteral("test1.so"));
        copyTestPlugin(QStringLiteral("empty.so"), program.path(), QStringLiteral("vacio.so"));
        QFile texto(program.path() + QStringLiteral("/notso.so"));
        ASSERT_TRUE(texto.open(QIODevice::WriteOnly));
        texto.write("esto no es una biblioteca\n");
        texto.close();
        QDir(program.path()).mkdir(QStringLiteral("carpe.so"));
    }
    void TearDown() override { ReiniciarTerminacion(); }

    TestProgramDir program;
    ScriptedDialogs dialogs;
};

TEST_F(PluginLoaderTest, LoadsOnceFindsClassWithoutCaseAndUnloads)
{
    PluginLoader loader(program.path());
    const PluginLoader::Result first = loader.load(QStringLiteral("TEST1"));
    ASSERT_EQ(first.status, PluginLoadStatus::Loaded);
    ASSERT_NE(first.library, nullptr);
    EXPECT_EQ(first.library->classes, QStringList{QStringLiteral("TFormTEST1")});
    EXPECT_TRUE(ClassRegistry::instance().isRegistered(QStringLiteral("tformtest1")));

    QWidget *window = ClassRegistry::instance().create(QStringLiteral("TFORMtest1"), nullptr);
    ASSERT_NE(window, nullptr);
    delete window;

    // The same library whatever the case of the code: loaded once, reused.
    const PluginLoader::Result again = loader.load(QStringLiteral("test1"));
    EXPECT_EQ(again.status, PluginLoadStatus::Loaded);
    EXPECT_EQ(again.library, first.library);
    EXPECT_EQ(loader.loadedCount(), 1);

    EXPECT_TRUE(loader.unload(QStringLiteral("Test1")));
    EXPECT_FALSE(ClassRegistry::instance().isRegistered(QStringLiteral("TFormTEST1")));
    EXPECT_EQ(loader.library(QStringLiteral("TEST1")), nullptr);
    EXPECT_FALSE(loader.unload(QStringLiteral("TEST1")));

    // Loading after unloading registers the class again.
    EXPECT_EQ(loader.load(QStringLiteral("TEST1")).status, PluginLoadStatus::Loaded);
    EXPECT_TRUE(ClassRegistry::instance().isRegistered(QStringLiteral("TFormTEST1")));
}

TEST_F(PluginLoaderTest, DestructorUnloadsEverything)
{
    {
        PluginLoader loader(program.path());
        ASSERT_EQ(loader.load(QStringLiteral("TEST1")).status, PluginLoadStatus::Loaded);
    }
    EXPECT_FALSE(ClassRegistry::instance().isRegistered(QStringLiteral("TFormTEST1")));
}

struct LoadErrorCase
{
    const char *code;
    PluginLoadStatus status;
    const char *message; // null: no message
};

class PluginLoadErrors : public PluginLoaderTest, public ::testing::WithParamInterface<LoadErrorCase>
{
};

TEST_P(PluginLoadErrors, ReportsEachFailureApart)
{
    const LoadErrorCase &c = GetParam();
    PluginLoader loader(program.path());
    const QString code = QString::fromUtf8(c.code);
    EXPECT_EQ(loader.load(code).status, c.status);

    PluginLibrary *library = CargarLibreria(loader, code, false);
    if (c.message) {
        EXPECT_EQ(library, nullptr);
        ASSERT_EQ(dialogs.textos().size(), 1);
        EXPECT_EQ(dialogs.textos().first(), QString::fromUtf8(c.message));
        EXPECT_EQ(dialogs.boxes.first().tipo, mtError);
    } else {
        EXPECT_NE(library, nullptr);
        EXPECT_TRUE(dialogs.textos().isEmpty());
    }
    EXPECT_FALSE(TerminacionSolicitada());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PluginLoadErrors,
    ::testing::Values(
        LoadErrorCase{"../x", PluginLoadStatus::InvalidName, "Existen problemas al leer la librería ../X.SO."},
        LoadErrorCase{"TOOLONG7", PluginLoadStatus::InvalidName, "Existen problemas al leer la librería TOOLONG7.SO."},
        LoadErrorCase{"", PluginLoadStatus::InvalidName, "Existen problemas al leer la librería .SO."},
        LoadErrorCase{"a b", PluginLoadStatus::InvalidName, "Existen problemas al leer la librería A B.SO."},
        LoadErrorCase{"NADA", PluginLoadStatus::Missing, "Falta uno de los archivos requeridos por la aplicación (NADA.SO)."},
        LoadErrorCase{"NOTSO", PluginLoadStatus::NotLoadable, "Existen problemas al leer la librería NOTSO.SO."},
        LoadErrorCase{"CARPE", PluginLoadStatus::NotLoadable, "Existen problemas al leer la librería CARPE.SO."},
        LoadErrorCase{"VACIO", PluginLoadStatus::NothingRegistered, nullptr}));

TEST_F(PluginLoaderTest, FatalFailureAsksTheProgramToEnd)
{
    PluginLoader loader(program.path());
    EXPECT_EQ(CargarLibreria(loader, QStringLiteral("NADA"), true), nullptr);
    EXPECT_TRUE(TerminacionSolicitada());
}

TEST_F(PluginLoaderTest, RegisterWindowsByClassName)
{
    copyTestPlugin(QStringLiteral("nudrel.so"), program.path(), QStringLiteral("nudrel.so"));
    PluginLoader loader(program.path());
    ASSERT_EQ(loader.load(QStringLiteral("NUDREL")).status, PluginLoadStatus::Loaded);

    qApp->setProperty("testSeleccion", 42);
    EXPECT_EQ(MostrarModalSeleccion(QStringLiteral("tformconsultores"), QStringLiteral("/programa/"), nullptr), 42);
    EXPECT_EQ(qApp->property("testDirAplicacion").toString(), QStringLiteral("/programa/"));

    qApp->setProperty("testMostrarModal", 0);
    MostrarModal(QStringLiteral("TFormConsultores"), program.path() + QLatin1Char('/'), nullptr);
    EXPECT_EQ(qApp->property("testMostrarModal").toInt(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // An unregistered class shows nothing and chooses nothing.
    EXPECT_EQ(MostrarModalSeleccion(QStringLiteral("TFormNoExiste"), QString(), nullptr), 0);
    MostrarModal(QStringLiteral("TFormNoExiste"), program.path(), nullptr);
    EXPECT_EQ(qApp->property("testMostrarModal").toInt(), 1);
}

// Guards against a registration that a second library could take over or remove.
TEST(ClassRegistryTest, FirstRegistrationWinsAndOnlyItsOwnerRemovesIt)
{
    const WindowFactory a = [](QWidget *owner) -> QWidget * { return new QWidget(owner); };
    const WindowFactory b = [](QWidget *) -> QWidget * { return nullptr; };
    ClassRegistry &registry = ClassRegistry::instance();
    ASSERT_TRUE(registry.registerClass(QStringLiteral("TFormDoble"), a));
    EXPECT_FALSE(registry.registerClass(QStringLiteral("TFORMDOBLE"), b));
    EXPECT_EQ(registry.factory(QStringLiteral("tformdoble")), a);
    registry.unregisterClass(QStringLiteral("TFormDoble"), b);
    EXPECT_TRUE(registry.isRegistered(QStringLiteral("TFormDoble")));
    registry.unregisterClass(QStringLiteral("tformdoble"), a);
    EXPECT_FALSE(registry.isRegistered(QStringLiteral("TFormDoble")));
    EXPECT_EQ(registry.create(QStringLiteral("TFormDoble"), nullptr), nullptr);
}

} // namespace
