#include "classregistry.h"
#include "mainwindowhooks.h"
#include "mainwindowsettings.h"
#include "scripteddialogs.h"
#include "terminacion.h"
#include "testprogramdir.h"
#include "tcustommdichild.h"
#include "tformppal.h"
#include "workingdatabases.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class TformPpalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ReiniciarTerminacion();
        qApp->setProperty("testSeleccion", 7);
        qApp->setProperty("testSelecciones", QVariantList());
    }
    void TearDown() override { ReiniciarTerminacion(); }

    void storeSettings(std::initializer_list<std::pair<const char *, int>> values)
    {
        QSettings s(QStringLiteral("Varno"), QStringLiteral("Brenvik"));
        for (const auto &[key, value] : values)
            s.setValue(QLatin1String(key), value);
    }

    std::unique_ptr<TformPpal> start()
    {
        return std::make_unique<TformPpal>(program.path());
    }

    // A window of the open document, in the MDI area.
    static QMdiSubWindow *addForm(TformPpal &ppal, QWidget *contents = nullptr)
    {
        QMdiSubWindow *sub = ppal.mdiArea->addSubWindow(contents ? contents : new QWidget);
        sub->show();
        return sub;
    }

    ScopedSettings settings;
    TestProgramDir program;
    ScriptedDialogs dialogs;
};

TEST_F(TformPpalTest, MissingMainDatabaseEndsStartUpWithoutTouchingSettings)
{
    program.addRegisterPlugins();
    storeSettings({{"Consultor_Id", 7}, {"Ventana_Arr", 33}});
    {
        auto ppal = start();
        EXPECT_TRUE(ppal->terminado());
        EXPECT_TRUE(TerminacionSolicitada());
        EXPECT_EQ(dialogs.textos(), QStringList{QStringLiteral("Falta uno de los archivos requeridos por la aplicación (BD.DB).")});
        EXPECT_EQ(ppal->loader().loadedCount(), 0);
        EXPECT_EQ(MainWindowHooks::instance(), nullptr);
    }
    const MainWindowSettings stored = MainWindowSettings::read();
    EXPECT_EQ(stored.consultorId, 7);
    EXPECT_EQ(stored.top, 33);
}

TEST_F(TformPpalTest, EmptyMainDatabaseStartsWithoutConsultantOrForms)
{
    program.addRegisterPlugins();
    QDir(program.path()).mkpath(QStringLiteral("bbdd"));
    QFile(program.database()).open(QIODevice::WriteOnly);
    storeSettings({{"Consultor_Id", 7}});
    auto ppal = start();
    EXPECT_FALSE(ppal->terminado());
    EXPECT_TRUE(dialogs.textos().isEmpty());
    EXPECT_EQ(ppal->FiltroAbrir, QStringLiteral("Todos los Formularios (*.f*)"));
    EXPECT_EQ(ppal->ConsultorActual, 0);
    EXPECT_EQ(ppal->windowTitle(), QStringLiteral("Brenvik"));
    EXPECT_EQ(ppal->loader().loadedCount(), 3);
}

TEST_F(TformPpalTest, MissingRegisterPluginIsFatal)
{
    program.createDatabase();
    copyTestPlugin(QStringLiteral("gavrel.so"), program.path(), QStringLiteral("gavrel.so"));
    copyTestPlugin(QStringLiteral("nudrel.so"), program.path(), QStringLiteral("nudrel.so"));
    auto ppal = start();
    EXPECT_TRUE(ppal->terminado());
    EXPECT_EQ(dialogs.textos(), QStringList{QStringLiteral("Falta uno de los archivos requeridos por la aplicación (SOTREL.SO).")});
    EXPECT_EQ(ppal->loader().library(QStringLiteral("NUDREL")), nullptr);
}

TEST_F(TformPpalTest, StartUpBuildsFilterAndRestoresSettings)
{
    program.createAll();
    storeSettings({{"Consultor_Id", 7}, {"Ventana_Arr", 50}, {"Ventana_Izq", 60}, {"Estado_Ventana", 2}, {"Separador_Izq", 150}});
    auto ppal = start();
    ASSERT_FALSE(ppal->terminado());
    EXPECT_EQ(ppal->FiltroAbrir, QStringLiteral("Todos los Formularios (*.f*);;Acreditación (*.facr);;"
                                                "Plan de Manejo Plantaciones (*.fpmp)"));
    EXPECT_EQ(ppal->ConsultorActual, 7);
    EXPECT_EQ(ppal->windowTitle(), QStringLiteral("Brenvik - Rojas Soto, Ana"));
    EXPECT_EQ(ppal->pos(), QPoint(60, 50));
    EXPECT_FALSE(ppal->windowState() & Qt::WindowMaximized);
    ppal->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(ppal->Panel1->width(), 150);
    EXPECT_TRUE(dialogs.textos().isEmpty());
    EXPECT_EQ(QDir::currentPath(), QDir(program.path()).absolutePath());
}

TEST_F(TformPpalTest, FreshInstallationUsesDefaults)
{
    program.createAll();
    auto ppal = start();
    ppal->show();
    QCoreApplication::processEvents(); // the first show chooses consultant 7
    EXPECT_EQ(ppal->Panel1->width(), 181);
    EXPECT_FALSE(ppal->isMaximized());
    EXPECT_EQ(ppal->ConsultorActual, 7);
}

// Fault: the tree cut its longer entries ("Descripción de Rodales y Sectores") at the
// panel's default width.
TEST_F(TformPpalTest, TheTreeWidensToShowItsEntriesWhole)
{
    program.createAll();
    auto ppal = start();
    ppal->show();
    QCoreApplication::processEvents();
    ppal->CargarArbol(QStringLiteral("PLAN DE MANEJO PLANTACIONES\n\tAntecedentes Generales\n\tDescripción de Rodales y Sectores"));
    QCoreApplication::processEvents();
    EXPECT_GT(ppal->Panel1->width(), 181);
    EXPECT_GE(ppal->trvArbol->viewport()->width(), static_cast<const QAbstractItemView *>(ppal->trvArbol)->sizeHintForColumn(0));
    EXPECT_LE(ppal->Panel1->width(), ppal->sptHorizontal->width() * 2 / 5);
}

TEST_F(TformPpalTest, UnknownStoredConsultantCountsAsNone)
{
    program.createAll();
    storeSettings({{"Consultor_Id", 99}, {"Estado_Ventana", 1}});
    auto ppal = start();
    EXPECT_EQ(ppal->ConsultorActual, 0);
    EXPECT_EQ(ppal->windowTitle(), QStringLiteral("Brenvik"));
    EXPECT_TRUE(ppal->windowState() & Qt::WindowMaximized);
}

TEST_F(TformPpalTest, SettingsAreWrittenAtShutdown)
{
    program.createAll();
    storeSettings({{"Consultor_Id", 7}});
    {
        auto ppal = start();
        ppal->show();
        QCoreApplication::processEvents();
        ppal->move(120, 80);
        ppal->sptHorizontal->setSizes({140, 600});
        ppal->ConsultorActual = 7;
        ppal->close();
    }
    const MainWindowSettings stored = MainWindowSettings::read();
    EXPECT_EQ(stored.left, 120);
    EXPECT_EQ(stored.top, 80);
    EXPECT_EQ(stored.treeWidth, 140);
    EXPECT_FALSE(stored.maximized);
    EXPECT_EQ(stored.consultorId, 7);
    EXPECT_EQ(QSettings(QStringLiteral("Varno"), QStringLiteral("Brenvik")).value(QStringLiteral("Estado_Ventana")).toInt(), 0);
}

TEST_F(TformPpalTest, FirstShowInsistsOnAConsultantAndCreatesFolders)
{
    program.createAll();
    qApp->setProperty("testSelecciones", QVariantList{0, 0, 7});
    auto ppal = start();
    ppal->show();
    QCoreApplication::processEvents();
    const QString error = QStringLiteral("Ha cerrado esta ventana sin haber escogido ningún consultor.\n"
                                         "Debe seleccionarse un consultor para llenar las solicitudes.");
    EXPECT_EQ(dialogs.textos(), QStringList({error, error}));
    EXPECT_EQ(ppal->ConsultorActual, 7);
    EXPECT_EQ(ppal->windowTitle(), QStringLiteral("Brenvik - Ana Rojas Soto"));
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_TRUE(QFileInfo(documentos + QStringLiteral("/Formularios/temporal")).isDir());
}

// Guards against an endless consultant loop when no register can answer.
TEST_F(TformPpalTest, ConsultantChoiceWithoutRegisterEndsTheProgram)
{
    program.createDatabase();
    copyTestPlugin(QStringLiteral("gavrel.so"), program.path(), QStringLiteral("gavrel.so"));
    copyTestPlugin(QStringLiteral("sotrel.so"), program.path(), QStringLiteral("sotrel.so"));
    copyTestPlugin(QStringLiteral("empty.so"), program.path(), QStringLiteral("nudrel.so"));
    auto ppal = start();
    ASSERT_FALSE(ppal->terminado());
    ppal->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.textos().size(), 1);
    EXPECT_TRUE(ppal->terminado());
    EXPECT_TRUE(TerminacionSolicitada());
    EXPECT_FALSE(ppal->isVisible());
}

TEST_F(TformPpalTest, ActionsStartWithTheirCaptionsShortcutsAndStates)
{
    program.createAll();
    auto ppal = start();
    struct Expected
    {
        QAction *action;
        const char *caption;
        const char *shortcut;
        bool enabled;
    };
    const TformPpal &w = *ppal;
    const Expected table[] = {
        {w.archNuevo, "&Nuevo", "Ctrl+N", true},
        {w.archAbrir, "&Abrir Formulario", "Ctrl+A", true},
        {w.archGuardar, "&Guardar", "Ctrl+G", false},
        {w.archGuardarComo, "Guardar &como...", "", false},
        {w.archGuardarXML, "Generar archivo &intercambio para Okran", "", false},
        {w.archCerrar, "Cerrar", "", false},
        {w.archImp, "&Importar Archivo", "Ctrl+I", true},
        {w.archImprimir, "&Imprimir", "Ctrl+P", false},
        {w.archConfImpresion, "Configurar Impresión", "", false},
        {w.archVistaPreliminar, "Vista &Preliminar", "", false},
        {w.archSalir, "&Salir", "Ctrl+S", true},
        {w.ventCascada, "Cascada", "", false},
        {w.ventMosaHorizontal, "Mosaico Horizontal", "", false},
        {w.ventMosaVertical, "Mosaico Vertical", "", false},
        {w.confPredios, "P&redios", "", true},
        {w.confPersonas, "&Personas", "", true},
        {w.confConsultores, "&Consultores", "", true},
        {w.EditCut1, "Cor&tar", "Ctrl+X", true},
        {w.EditCopy1, "&Copiar", "Ctrl+C", true},
        {w.EditPaste1, "&Pegar", "Ctrl+V", true},
        {w.difrolVistaPreliminar, "Vista &Preliminar de la Carta", "", false},
        {w.difrolImprimir, "&Imprimir Carta", "", false},
    };
    for (const Expected &e : table) {
        SCOPED_TRACE(e.caption);
        EXPECT_EQ(e.action->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(e.action->shortcut(), QKeySequence(QString::fromUtf8(e.shortcut)));
        EXPECT_EQ(e.action->isEnabled(), e.enabled);
    }
    EXPECT_EQ(w.archNuevo->toolTip(), QStringLiteral("Nuevo Formulario"));
    EXPECT_EQ(w.archNuevo->statusTip(), QStringLiteral("Crea un nuevo formulario vacío"));
    EXPECT_EQ(w.archConfImpresion->toolTip(), QStringLiteral("Configurar Formato de Impresión"));
    EXPECT_EQ(w.archConfImpresion->statusTip(), QStringLiteral("Configurar Formato de Impresión"));
}

struct EnablingCase
{
    bool documentOpen;
    const char *codigoPpal;
    bool newOpen, documentCommands, difrol;
};

class CommandEnabling : public TformPpalTest, public ::testing::WithParamInterface<EnablingCase>
{
};

TEST_P(CommandEnabling, FollowsTheOpenDocument)
{
    const EnablingCase &c = GetParam();
    program.createAll();
    auto ppal = start();
    // Commands that the document never changes keep whatever state they have.
    ppal->archImp->setEnabled(false);
    ppal->confPersonas->setEnabled(false);
    ppal->EditPaste1->setEnabled(false);
    ppal->CodigoPpal = QString::fromUtf8(c.codigoPpal);
    if (c.documentOpen)
        addForm(*ppal);
    ppal->ActualizarBotones();

    EXPECT_EQ(ppal->archNuevo->isEnabled(), c.newOpen);
    EXPECT_EQ(ppal->archAbrir->isEnabled(), c.newOpen);
    for (QAction *a : {ppal->archGuardar, ppal->archGuardarXML, ppal->archGuardarComo, ppal->archCerrar, ppal->archImprimir,
                       ppal->archConfImpresion, ppal->archVistaPreliminar, ppal->ventCascada, ppal->ventMosaHorizontal,
                       ppal->ventMosaVertical})
        EXPECT_EQ(a->isEnabled(), c.documentCommands) << a->objectName().toStdString();
    EXPECT_EQ(ppal->difrolImprimir->isEnabled(), c.difrol);
    EXPECT_EQ(ppal->difrolVistaPreliminar->isEnabled(), c.difrol);
    EXPECT_FALSE(ppal->archImp->isEnabled());
    EXPECT_FALSE(ppal->confPersonas->isEnabled());
    EXPECT_FALSE(ppal->EditPaste1->isEnabled());
    EXPECT_TRUE(ppal->archSalir->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandEnabling,
                         ::testing::Values(EnablingCase{false, "", true, false, false},
                                           EnablingCase{true, "KELU", false, true, true},
                                           EnablingCase{true, "MARPO", false, true, false},
                                           EnablingCase{false, "MARPO", true, false, false}));

TEST_F(TformPpalTest, TimerRefreshesCommandsOnceAfterItsDelay)
{
    program.createAll();
    auto ppal = start();
    QMdiSubWindow *form = addForm(*ppal);
    ppal->ActualizarBotones();
    ASSERT_FALSE(ppal->archNuevo->isEnabled());

    // A closing form asks for the refresh; it waits 600 ms for the window to go.
    delete form;
    ppal->ActualizarBotones2();
    EXPECT_TRUE(ppal->Timer1->isActive());
    EXPECT_EQ(ppal->Timer1->interval(), 600);
    EXPECT_FALSE(ppal->archNuevo->isEnabled());
    QSignalSpy fired(ppal->Timer1, &QTimer::timeout);
    ASSERT_TRUE(fired.wait(2000));
    EXPECT_TRUE(ppal->archNuevo->isEnabled());
    EXPECT_FALSE(ppal->Timer1->isActive());
    EXPECT_EQ(ppal->Timer1->interval(), 400);

    // Closing a document starts the timer with its own 400 ms.
    addForm(*ppal);
    ppal->Timer1->start();
    ASSERT_TRUE(fired.wait(2000));
    EXPECT_EQ(fired.size(), 2);
    EXPECT_FALSE(ppal->archNuevo->isEnabled());
    EXPECT_FALSE(ppal->Timer1->isActive());
}

TEST_F(TformPpalTest, TreeHeadingLeadsToItsFirstPageAndFormsClearTheTree)
{
    program.createAll();
    auto ppal = start();
    EXPECT_EQ(MainWindowHooks::instance(), ppal.get());
    addForm(*ppal);
    ppal->CargarArbol(QStringLiteral("Plan\r\n\tAntecedentes\r\n\t\tPredio\r\n\t\tPropietario\r\n\tRodales"));
    QTreeWidget *tree = ppal->trvArbol;
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem *plan = tree->topLevelItem(0);
    ASSERT_EQ(plan->childCount(), 2);
    EXPECT_EQ(plan->child(0)->childCount(), 2);
    EXPECT_EQ(plan->child(1)->text(0), QStringLiteral("Rodales"));

    tree->setCurrentItem(plan->child(0));
    EXPECT_TRUE(QTest::qWaitFor([tree, plan] { return tree->currentItem() == plan->child(0)->child(0); }, 2000));

    MainWindowHooks::notifyFormClosed(nullptr);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    EXPECT_EQ(tree->currentItem(), nullptr);
    ppal.reset();
    EXPECT_EQ(MainWindowHooks::instance(), nullptr);
}

TEST_F(TformPpalTest, TreePanelCollapsesAndExpands)
{
    program.createAll();
    auto ppal = start();
    ppal->show();
    QCoreApplication::processEvents();
    const int collapsed = ppal->spbExpandir->width() + 2;
    ppal->Contraer();
    EXPECT_EQ(ppal->sptHorizontal->sizes().value(0), collapsed);
    EXPECT_TRUE(ppal->spbExpandir->isVisible());
    EXPECT_FALSE(ppal->spbContraer->isVisible());
    ppal->Expandir();
    EXPECT_EQ(ppal->sptHorizontal->sizes().value(0), ppal->centralWidget()->width() / 5);
    EXPECT_TRUE(ppal->spbContraer->isVisible());
    EXPECT_FALSE(ppal->spbExpandir->isVisible());
}

TEST_F(TformPpalTest, TileCommandsArrangeTheForms)
{
    program.createAll();
    auto ppal = start();
    ppal->show();
    QMdiSubWindow *a = addForm(*ppal);
    QMdiSubWindow *b = addForm(*ppal);
    ppal->ActualizarBotones();
    const QRect area = ppal->mdiArea->viewport()->rect();

    ppal->ventMosaVertical->trigger();
    EXPECT_EQ(a->height(), area.height());
    EXPECT_EQ(b->height(), area.height());
    EXPECT_EQ(a->width() + b->width(), area.width());
    EXPECT_NE(a->x(), b->x());

    ppal->ventMosaHorizontal->trigger();
    EXPECT_EQ(a->width(), area.width());
    EXPECT_EQ(a->height() + b->height(), area.height());
    EXPECT_NE(a->y(), b->y());
}

TEST_F(TformPpalTest, ClipboardCommandsGoToTheFocusedEditorOfTheActiveForm)
{
    program.createAll();
    auto ppal = start();
    ppal->show();
    auto *edit = new QLineEdit(QStringLiteral("PREDIO"));
    QMdiSubWindow *form = addForm(*ppal, edit);
    ppal->mdiArea->setActiveSubWindow(form);
    QApplication::setActiveWindow(ppal.get());
    edit->setFocus();
    edit->selectAll();
    ASSERT_EQ(QApplication::focusWidget(), edit);

    QApplication::clipboard()->clear();
    ppal->EditCopy1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("PREDIO"));
    ppal->EditCut1->trigger();
    EXPECT_TRUE(edit->text().isEmpty());
    ppal->EditPaste1->trigger();
    ppal->EditPaste1->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("PREDIOPREDIO"));
}

TEST_F(TformPpalTest, HintsGoToTheFirstStatusPanel)
{
    program.createAll();
    auto ppal = start();
    QStatusTipEvent tip(QStringLiteral("Crea un nuevo formulario vacío"));
    QCoreApplication::sendEvent(ppal.get(), &tip);
    EXPECT_EQ(ppal->hintActual(), QStringLiteral("Crea un nuevo formulario vacío"));
    EXPECT_EQ(ppal->stbPanel1->width(), 550);
    EXPECT_EQ(ppal->stbPanel2->width(), 200);
}

// Guards against deleting the working databases of another running copy of the program.
TEST_F(TformPpalTest, ShutdownDeletesOnlyThisInstancesWorkingDatabases)
{
    program.createAll();
    QTemporaryDir temporal;
    const QString mine = temporal.path() + QStringLiteral("/KELU123.db");
    const QString other = temporal.path() + QStringLiteral("/DORVO456.db");
    for (const QString &f : {mine, mine + QStringLiteral("-journal"), other})
        QFile(f).open(QIODevice::WriteOnly);
    WorkingDatabases::add(mine);
    auto ppal = start();
    ppal->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(ppal->close());
    EXPECT_FALSE(QFileInfo::exists(mine));
    EXPECT_FALSE(QFileInfo::exists(mine + QStringLiteral("-journal")));
    EXPECT_TRUE(QFileInfo::exists(other));
    EXPECT_TRUE(WorkingDatabases::paths().isEmpty());
}

// Guards against the program closing (and deleting working files) under a form that
// refused to close, e.g. after Cancel in its save question.
TEST_F(TformPpalTest, AFormThatRefusesToCloseKeepsTheProgramOpen)
{
    class Obstinate : public QWidget
    {
    protected:
        void closeEvent(QCloseEvent *e) override { e->ignore(); }
    };
    program.createAll();
    QTemporaryDir temporal;
    const QString mine = temporal.path() + QStringLiteral("/KELU789.db");
    QFile(mine).open(QIODevice::WriteOnly);
    WorkingDatabases::add(mine);
    auto ppal = start();
    ppal->show();
    QCoreApplication::processEvents();
    QMdiSubWindow *form = addForm(*ppal, new Obstinate);
    ppal->mdiArea->setActiveSubWindow(form);
    EXPECT_FALSE(ppal->close());
    EXPECT_TRUE(ppal->isVisible());
    EXPECT_TRUE(QFileInfo::exists(mine));
    WorkingDatabases::remove(mine);
}

TEST_F(TformPpalTest, WindowMenuListsTheOpenForms)
{
    program.createAll();
    auto ppal = start();
    ppal->show();
    addForm(*ppal)->setWindowTitle(QStringLiteral("Formulario DORVO (Sin Título)"));
    QMdiSubWindow *kelu = addForm(*ppal);
    kelu->setWindowTitle(QStringLiteral("Formulario KELU (Sin Título)"));
    ppal->mdiArea->setActiveSubWindow(kelu);
    Q_EMIT ppal->mnuVentana->aboutToShow();
    const QList<QAction *> actions = ppal->mnuVentana->actions();
    ASSERT_EQ(actions.size(), 6);
    EXPECT_EQ(actions[0], ppal->ventCascada);
    EXPECT_TRUE(actions[3]->isSeparator());
    EXPECT_EQ(actions[4]->text(), QStringLiteral("&1 Formulario DORVO (Sin Título)"));
    EXPECT_FALSE(actions[4]->isChecked());
    EXPECT_TRUE(actions[5]->isChecked());
    actions[4]->trigger();
    EXPECT_NE(ppal->mdiArea->currentSubWindow(), kelu);
}

TEST_F(TformPpalTest, RegisterCommandsOpenTheRegisters)
{
    program.createAll();
    auto ppal = start();
    qApp->setProperty("testMostrarModal", 0);
    ppal->confPredios->trigger();
    ppal->confPersonas->trigger();
    EXPECT_EQ(qApp->property("testMostrarModal").toInt(), 2);
    EXPECT_EQ(qApp->property("testDirAplicacion").toString(), ppal->DirAplicacion);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(TformPpalTest, PluginsAreUnloadedWithTheWindow)
{
    program.createAll();
    auto ppal = start();
    EXPECT_TRUE(ClassRegistry::instance().isRegistered(QStringLiteral("TFormPredios")));
    EXPECT_TRUE(ClassRegistry::instance().isRegistered(QStringLiteral("TFormConsultores")));
    ppal.reset();
    EXPECT_FALSE(ClassRegistry::instance().isRegistered(QStringLiteral("TFormPredios")));
    EXPECT_FALSE(ClassRegistry::instance().isRegistered(QStringLiteral("TFormConsultores")));
}

TEST_F(TformPpalTest, FormWindowsByCode)
{
    program.createAll();
    copyTestPlugin(QStringLiteral("testf.so"), program.path(), QStringLiteral("testf.so"));
    copyTestPlugin(QStringLiteral("lumo.so"), program.path(), QStringLiteral("lumo.so"));
    auto ppal = start();
    for (int slot = 1; slot <= FormPackageTable::Size; ++slot)
        ASSERT_EQ(ppal->paquetesFormularios().slot(slot), nullptr);
    ppal->CodigoPpal = QStringLiteral("TESTF");
    ppal->ConsultorDocumento = 7;
    ppal->Combinacion = 32;

    EXPECT_EQ(ppal->MostrarMDI(QString()), nullptr);
    // A code written in lower case still finds its class and gets Codigo in upper case.
    QPointer<TCustomMDIChild> form = ppal->MostrarMDI(QStringLiteral("testf"));
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->property("nuevoLlamado").toBool());
    EXPECT_EQ(form->DirAplicacion, ppal->DirAplicacion);
    EXPECT_EQ(form->Codigo, QStringLiteral("TESTF"));
    EXPECT_EQ(form->TisoCodigo, 905);
    EXPECT_EQ(form->CodigoPpal, QStringLiteral("TESTF"));
    EXPECT_EQ(form->IndiceLista, 4);
    EXPECT_EQ(form->HojaActual, 0);
    EXPECT_EQ(form->ConsultorId, 7);
    EXPECT_EQ(form->Tag, 0);
    EXPECT_TRUE(form->OnActualizarBotones && form->OnGuardar && form->OnGuardarComo);
    ASSERT_EQ(ppal->mdiArea->subWindowList().size(), 1);
    EXPECT_EQ(ppal->mdiArea->subWindowList().first()->widget(), form.data());

    // The callback refreshes the commands after its delay.
    form->OnActualizarBotones(form);
    EXPECT_TRUE(ppal->Timer1->isActive());
    EXPECT_EQ(ppal->Timer1->interval(), 600);

    PluginLibrary *library = ppal->paquetesFormularios().slot(4);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library, ppal->loader().library(QStringLiteral("TESTF")));
    // The second window of the same form type reuses the slot's library.
    QPointer<TCustomMDIChild> second = ppal->MostrarMDI(QStringLiteral("TESTF"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(ppal->paquetesFormularios().slot(4), library);
    EXPECT_EQ(ppal->loader().loadedCount(), 4);

    // The generic form carries the document's combination in its Tag.
    QPointer<TCustomMDIChild> generic = ppal->MostrarMDI(QStringLiteral("LUMO"));
    ASSERT_NE(generic, nullptr);
    EXPECT_EQ(generic->Tag, 32);
    EXPECT_EQ(generic->TisoCodigo, 999);
    EXPECT_TRUE(dialogs.textos().isEmpty());
}

TEST_F(TformPpalTest, FormWindowsThatCannotBeCreated)
{
    program.createAll();
    copyTestPlugin(QStringLiteral("empty.so"), program.path(), QStringLiteral("vacio.so"));
    copyTestPlugin(QStringLiteral("testf.so"), program.path(), QStringLiteral("lejos.so"));
    copyTestPlugin(QStringLiteral("test1.so"), program.path(), QStringLiteral("test1.so"));
    auto ppal = start();

    const QString noInstancia = QStringLiteral("No se pudo instanciar la librería del formulario \"%1\".");
    EXPECT_EQ(ppal->MostrarMDI(QStringLiteral("NADA")), nullptr);
    EXPECT_EQ(ppal->MostrarMDI(QStringLiteral("vacio")), nullptr);
    EXPECT_EQ(ppal->MostrarMDI(QStringLiteral("TEST1")), nullptr);   // registers a window that is no form
    EXPECT_EQ(ppal->MostrarMDI(QStringLiteral("LEJOS")), nullptr);   // index 101: no slot
    EXPECT_EQ(ppal->MostrarMDI(QStringLiteral("OTRO")), nullptr);    // not a form type
    const QStringList textos = dialogs.textos();
    ASSERT_EQ(textos.size(), 6);
    EXPECT_EQ(textos[0], QStringLiteral("Falta uno de los archivos requeridos por la aplicación (NADA.SO)."));
    EXPECT_EQ(textos[1], noInstancia.arg(QStringLiteral("NADA")));
    EXPECT_TRUE(textos[2].startsWith(QStringLiteral("Clase \"TFormvacio\" no ha sido registrada. No se puede instanciar el formulario. (ppal, línea ")));
    EXPECT_TRUE(textos[3].startsWith(QStringLiteral("Clase \"TFormTEST1\" no ha sido registrada.")));
    EXPECT_EQ(textos[4], noInstancia.arg(QStringLiteral("LEJOS")));
    EXPECT_EQ(textos[5], noInstancia.arg(QStringLiteral("OTRO")));
    EXPECT_EQ(ppal->loader().library(QStringLiteral("LEJOS")), nullptr);
    EXPECT_TRUE(ppal->mdiArea->subWindowList().isEmpty());
    EXPECT_FALSE(TerminacionSolicitada());
}

TEST_F(TformPpalTest, TreeShowsTheChosenPageAndFollowsTheActiveForm)
{
    program.createAll();
    copyTestPlugin(QStringLiteral("testf.so"), program.path(), QStringLiteral("testf.so"));
    copyTestPlugin(QStringLiteral("testg.so"), program.path(), QStringLiteral("testg.so"));
    auto ppal = start();
    ppal->show();
    QApplication::setActiveWindow(ppal.get());
    QCoreApplication::processEvents();
    QPointer<TCustomMDIChild> f = ppal->MostrarMDI(QStringLiteral("TESTF"));
    QPointer<TCustomMDIChild> g = ppal->MostrarMDI(QStringLiteral("TESTG"));
    ASSERT_TRUE(f && g);
    // As a document is built: the tree G then F, the index entries in the same order.
    ppal->CargarArbol(g->Secciones + QStringLiteral("\r\n") + f->Secciones);
    for (TCustomMDIChild *form : {f.data(), g.data()}) {
        for (int line = 0; line < 4; ++line)
            ppal->IndicesArbol.Agregar(form, form->IndiceLista);
    }
    QTreeWidget *tree = ppal->trvArbol;
    ASSERT_EQ(tree->topLevelItemCount(), 2);

    // Clicking F's third page line (absolute 7, relative 3) brings F forward on that page.
    QTreeWidgetItem *fPage = tree->topLevelItem(1)->child(2);
    tree->setCurrentItem(fPage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f->HojaActual == 3; }, 2000));
    EXPECT_EQ(ppal->mdiArea->currentSubWindow()->widget(), f.data());
    EXPECT_EQ(tree->currentItem(), fPage);

    // Activating G selects G's current page in the tree.
    g->CambiarHoja(2);
    ppal->mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(g->parentWidget()));
    QCoreApplication::processEvents();
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0)->child(1));

    // Closing a form closes its document's forms and empties the tree and the index.
    f->Hermanos = {g};
    g->Hermanos = {f};
    f->Respondido = g->Respondido = true;
    f->Cerrar();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    EXPECT_EQ(ppal->IndicesArbol.Cantidad(), 0);
    EXPECT_TRUE(ppal->mdiArea->subWindowList().isEmpty());
}

TEST_F(TformPpalTest, StartsOnTheProgramsOwnMainDatabase)
{
    const QString ownDatabase = QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db");
    if (!QFileInfo::exists(ownDatabase))
        GTEST_SKIP() << "the main database is not built";
    program.addRegisterPlugins();
    QDir(program.path()).mkpath(QStringLiteral("bbdd"));
    ASSERT_TRUE(QFile::copy(ownDatabase, program.database()));
    auto ppal = start();
    ASSERT_FALSE(ppal->terminado());
    const QStringList filters = ppal->FiltroAbrir.split(QStringLiteral(";;"));
    EXPECT_EQ(filters.first(), QStringLiteral("Todos los Formularios (*.f*)"));
    EXPECT_EQ(filters.size(), 1 + ppal->ListaFormularios.ObtenerCombinaciones());
    EXPECT_GT(filters.size(), 1);
    EXPECT_EQ(ppal->ListaFormularios.GetIndice(QStringLiteral("kelu")), ppal->ListaFormularios.GetIndice(QStringLiteral("KELU")));
    EXPECT_TRUE(dialogs.textos().isEmpty());
}

} // namespace
