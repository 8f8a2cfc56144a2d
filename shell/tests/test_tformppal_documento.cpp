// The document cycle of the main window: New, Open, Import, Save, Save As and Close over
// the test form plug-ins.
#include "dataset.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "field.h"
#include "query.h"
#include "table.h"
#include "reservatemporal.h"
#include "scripteddialogs.h"
#include "tcustommdichild.h"
#include "terminacion.h"
#include "testprogramdir.h"
#include "tformppal.h"
#include "tformppalacercade.h"
#include "tformppalforms.h"
#include "tformppalnuevo.h"
#include "util_bbdd.h"
#include "workingdatabases.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QTableView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Runs `accion` once `dialogo` is showing (modally, in its own event loop).
void cuandoVisible(QWidget *dialogo, std::function<void()> accion)
{
    auto *espera = new QTimer(dialogo);
    espera->setInterval(5);
    QObject::connect(espera, &QTimer::timeout, dialogo, [dialogo, espera, accion] {
        if (!dialogo->isVisible())
            return;
        espera->stop();
        espera->deleteLater();
        accion();
    });
    espera->start();
}

class DocumentoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ReiniciarTerminacion();
        qApp->setProperty("testSeleccion", 7);
        qApp->setProperty("testSelecciones", QVariantList());
        program.createAll();
        program.addDocuments();
        ppal = std::make_unique<TformPpal>(program.path());
        ASSERT_FALSE(ppal->terminado());
        nuevo = std::make_unique<TformPpalNuevo>(ppal->DirAplicacion);
        forms = std::make_unique<TFormPpalForms>(ppal->DirAplicacion);
        ppal->setDialogos(nuevo.get(), nullptr, forms.get());
        ppal->ConsultorActual = 7;
        ppal->dlgGuardar = [this](const QString &inicial, const QString &) {
            propuestos << inicial;
            return elegidos.isEmpty() ? QString() : elegidos.takeFirst();
        };
        ppal->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        ppal.reset();
        ReiniciarTerminacion();
    }

    // New, choosing the combination `formId` in the dialog (0: Cancel).
    void nuevoDocumento(int formId)
    {
        cuandoVisible(nuevo.get(), [this, formId] {
            QListWidget *lista = nuevo->ListView1;
            for (int i = 0; i < lista->count(); ++i)
                if (lista->item(i)->data(Qt::UserRole).toInt() == formId)
                    lista->setCurrentItem(lista->item(i));
            if (formId && nuevo->btnAceptar->isEnabled())
                nuevo->btnAceptar->click();
            else
                nuevo->btnCancelar->click();
        });
        ppal->archNuevoExecute();
    }

    QList<TCustomMDIChild *> forms_() const
    {
        QList<TCustomMDIChild *> r;
        for (QMdiSubWindow *sub : ppal->mdiArea->subWindowList())
            r << qobject_cast<TCustomMDIChild *>(sub->widget());
        return r;
    }
    TCustomMDIChild *prueba() const
    {
        for (TCustomMDIChild *f : forms_())
            if (f->Codigo == QStringLiteral("PRUEBA"))
                return f;
        return nullptr;
    }
    void escribirNombre(const QString &nombre)
    {
        Dataset *ds = prueba()->DatasetPpal;
        if (ds->State() != DatasetState::Edit) {
            ASSERT_TRUE(ds->Edit());
        }
        ASSERT_TRUE(ds->FieldByName(QStringLiteral("nombre"))->setAsString(nombre));
    }
    QString nombre() const { return prueba()->DatasetPpal->FieldByName(QStringLiteral("nombre"))->AsString(); }
    // "pred_codigo form_id foco_estado foco_archivo" of each row of the document index.
    QStringList filasIndice() const
    {
        QStringList filas;
        for (const QStringList &fila : Consulta3(program.database(), QStringLiteral("SELECT pred_codigo, form_id, foco_estado, "
                                                                                     "foco_archivo FROM formPredio ORDER BY foco_id")))
            filas << fila.join(QLatin1Char(' '));
        return filas;
    }
    // Saves the open document as `archivo` (Save on a never-saved document runs Save As).
    void guardarComo(const QString &archivo)
    {
        elegidos << archivo;
        ppal->archGuardarExecute(ppal.get());
    }
    // Import of a file `nombre` in the test folder holding `bytes` bytes (-1: no file).
    void importar(const QString &nombre, int bytes)
    {
        const QString archivo = nombre.startsWith(QLatin1Char('/')) ? nombre : carpeta.path() + QLatin1Char('/') + nombre;
        if (bytes >= 0) {
            QFile f(archivo);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(bytes, 'x'));
        }
        ppal->dlgAbrir = [archivo](const QString &, const QString &) { return archivo; };
        ppal->archImpExecute();
    }
    // Open from the document index: the row of `archivo`, then "Abrir".
    void abrirDelIndice(int predCodigo, const QString &archivo)
    {
        cuandoVisible(forms.get(), [this, predCodigo, archivo] {
            forms->adsPredios->Locate(QStringLiteral("pred_codigo"), predCodigo);
            forms->adtFormPredio->Locate(QStringLiteral("foco_archivo"), archivo);
            forms->btnAbrir->click();
        });
        ppal->archAbrirExecute();
    }

    ScopedSettings settings;
    TestProgramDir program;
    ScriptedDialogs dialogs;
    std::unique_ptr<TformPpal> ppal;
    std::unique_ptr<TformPpalNuevo> nuevo;
    std::unique_ptr<TFormPpalForms> forms;
    QStringList propuestos, elegidos;
    QTemporaryDir carpeta;
};

TEST_F(DocumentoTest, NewBuildsTheCombinationInTreeOrder)
{
    nuevoDocumento(4);
    ASSERT_TRUE(dialogs.textos().isEmpty()) << dialogs.textos().join(QLatin1Char('|')).toStdString();
    const QList<TCustomMDIChild *> lista = forms_();
    ASSERT_EQ(lista.size(), 3);
    // Created principal, request, optional.
    EXPECT_EQ(lista[0]->Codigo, QStringLiteral("PRUEBA"));
    EXPECT_EQ(lista[1]->Codigo, QStringLiteral("TESTG"));
    EXPECT_EQ(lista[2]->Codigo, QStringLiteral("TESTF"));
    for (TCustomMDIChild *f : lista) {
        EXPECT_EQ(f->Hermanos.size(), 2);
        EXPECT_EQ(f->CodigoPpal, QStringLiteral("PRUEBA"));
        EXPECT_EQ(f->ConsultorId, 7);
        EXPECT_FALSE(f->Modificado);
        EXPECT_FALSE(f->Ocupado);
        EXPECT_TRUE(f->Respondido);
        EXPECT_TRUE(QFileInfo(f->ArchivoMDB).isFile());
    }
    // The principal form got the full name of its form type.
    EXPECT_EQ(prueba()->DatasetPpal->FieldByName(QStringLiteral("obs"))->AsString(),
              QStringLiteral("Formulario de prueba con datos"));

    // The tree reads request, principal, optional; the index follows it line by line.
    QTreeWidget *arbol = ppal->trvArbol;
    ASSERT_EQ(arbol->topLevelItemCount(), 3);
    EXPECT_EQ(arbol->topLevelItem(0)->text(0), QStringLiteral("Formulario de prueba"));
    EXPECT_EQ(arbol->topLevelItem(1)->text(0), QStringLiteral("Formulario de prueba"));
    EXPECT_EQ(arbol->topLevelItem(1)->child(0)->text(0), prueba()->Secciones.split(QStringLiteral("\n")).value(1).trimmed());
    // The first line is the request form's heading: its first page is in front.
    EXPECT_EQ(arbol->currentItem(), arbol->topLevelItem(0)->child(0));
    EXPECT_EQ(ppal->mdiArea->currentSubWindow()->widget(), lista[1]);
    EXPECT_EQ(lista[1]->HojaActual, 1);
    const int lineasPrueba = 1 + arbol->topLevelItem(1)->childCount();
    ASSERT_EQ(ppal->IndicesArbol.Cantidad(), 4 + lineasPrueba + 4);
    struct Tramo
    {
        TCustomMDIChild *form;
        int desde, lineas;
    };
    for (const Tramo &t : {Tramo{lista[1], 0, 4}, Tramo{lista[0], 4, lineasPrueba}, Tramo{lista[2], 4 + lineasPrueba, 4}}) {
        for (int i = 0; i < t.lineas; ++i) {
            EXPECT_EQ(ppal->IndicesArbol.ObtenerFormulario(t.desde + i), t.form) << t.desde + i;
            EXPECT_EQ(ppal->IndicesArbol.ObtenerIndiceRelativo(t.desde + i), i) << t.desde + i;
        }
    }

    // A document is open: New and Open wait, the document commands follow.
    EXPECT_FALSE(ppal->archNuevo->isEnabled());
    EXPECT_FALSE(ppal->archAbrir->isEnabled());
    EXPECT_TRUE(ppal->archGuardar->isEnabled());
    EXPECT_TRUE(ppal->archCerrar->isEnabled());
    EXPECT_TRUE(ppal->archImp->isEnabled());
}

TEST_F(DocumentoTest, NewCancelledCreatesNothing)
{
    nuevoDocumento(0);
    EXPECT_TRUE(forms_().isEmpty());
    EXPECT_TRUE(ppal->archNuevo->isEnabled());
    EXPECT_TRUE(ppal->isEnabled());
}

// A request form whose plug-in is missing is left out of a new document (the loader has
// told which); the document holds its other forms.
TEST_F(DocumentoTest, ACombinationWithAMissingPluginIsCreatedWithoutThatForm)
{
    nuevoDocumento(9);
    const QList<TCustomMDIChild *> lista = forms_();
    ASSERT_EQ(lista.size(), 1);
    EXPECT_EQ(lista[0]->Codigo, QStringLiteral("TESTF"));
    EXPECT_TRUE(lista[0]->Hermanos.isEmpty());
    EXPECT_TRUE(QFileInfo(lista[0]->ArchivoMDB).isFile());
    EXPECT_FALSE(lista[0]->Modificado);
    EXPECT_EQ(ppal->IndicesArbol.Cantidad(), 4);
    EXPECT_EQ(ppal->trvArbol->topLevelItemCount(), 1);
    EXPECT_EQ(dialogs.textos(), (QStringList{QStringLiteral("Falta uno de los archivos requeridos por la aplicación (NADA.SO)."),
                                             QStringLiteral("No se pudo instanciar la librería del formulario \"NADA\".")}));
    EXPECT_FALSE(ppal->archNuevo->isEnabled());
    EXPECT_TRUE(ppal->archGuardar->isEnabled());
    EXPECT_TRUE(ppal->isEnabled());
}

TEST_F(DocumentoTest, SavedDocumentReopensFromTheIndexAndByImport)
{
    nuevoDocumento(4);
    ASSERT_EQ(forms_().size(), 3);
    // As a request form's property choice would leave it.
    for (TCustomMDIChild *f : forms_())
        f->PredCodigo = 5;
    escribirNombre(QStringLiteral("Bosque Uno"));
    EXPECT_TRUE(prueba()->Modificado);
    const QString archivo = carpeta.path() + QStringLiteral("/documento.fpru");
    guardarComo(archivo);
    ASSERT_TRUE(QFileInfo(archivo).isFile());
    EXPECT_EQ(filasIndice(), QStringList{QStringLiteral("5 4 0 ") + archivo});
    for (TCustomMDIChild *f : forms_()) {
        EXPECT_FALSE(f->Modificado);
        EXPECT_EQ(f->ArchivoDocumento, archivo);
    }
    const QStringList trabajo = WorkingDatabases::paths();
    ASSERT_EQ(trabajo.size(), 3);

    EXPECT_TRUE(ppal->archCerrarExecute());
    EXPECT_TRUE(forms_().isEmpty());
    for (const QString &f : trabajo)
        EXPECT_FALSE(QFileInfo::exists(f)) << f.toStdString();

    // The exchange hash of the index row counts only once the file was generated.
    Operacion(program.database(), QStringLiteral("UPDATE formPredio SET foco_hashXml = 'ABC', foco_consultorId = 9"));
    for (const auto &[estado, hash] : {std::pair<int, QString>{0, QString()}, std::pair<int, QString>{1, QStringLiteral("ABC")}}) {
        Operacion(program.database(), QStringLiteral("UPDATE formPredio SET foco_estado = ?"), QVariantList{estado});
        abrirDelIndice(5, archivo);
        ASSERT_EQ(forms_().size(), 3) << dialogs.textos().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(nombre(), QStringLiteral("Bosque Uno"));
        for (TCustomMDIChild *f : forms_()) {
            EXPECT_EQ(f->PredCodigo, 5);
            EXPECT_EQ(f->HashXML, hash);
            EXPECT_EQ(f->ConsultorId, 9);
            EXPECT_EQ(f->ArchivoDocumento, archivo);
            EXPECT_FALSE(f->Modificado);
        }
        EXPECT_TRUE(ppal->archCerrarExecute());
    }

    // Import: no property, no hash, the current consultant.
    ppal->dlgAbrir = [&](const QString &, const QString &) { return archivo; };
    ppal->archImpExecute();
    ASSERT_EQ(forms_().size(), 3);
    EXPECT_EQ(nombre(), QStringLiteral("Bosque Uno"));
    for (TCustomMDIChild *f : forms_()) {
        EXPECT_EQ(f->PredCodigo, -1);
        EXPECT_TRUE(f->HashXML.isEmpty());
        EXPECT_EQ(f->ConsultorId, 7);
    }
    // Saving again updates the row of the file instead of adding one.
    escribirNombre(QStringLiteral("Bosque Dos"));
    ppal->archGuardarExecute(ppal.get());
    EXPECT_EQ(filasIndice().size(), 1);
    EXPECT_TRUE(dialogs.textos().isEmpty()) << dialogs.textos().join(QLatin1Char('|')).toStdString();
}

// A document first saved before its property was registered: the save that registers it
// writes the code into the index, and a row still holding 0 from before is corrected on
// Open from the forms' own code, so the next save does not register the property again.
TEST_F(DocumentoTest, TheIndexAndTheFormsAgreeOnTheProperty)
{
    nuevoDocumento(7);
    escribirNombre(QStringLiteral("Bosque Nuevo"));
    const QString archivo = carpeta.path() + QStringLiteral("/predio.fprb");
    guardarComo(archivo);
    EXPECT_EQ(filasIndice(), QStringList{QStringLiteral("0 7 0 ") + archivo});

    // As the save that registers the property leaves the form.
    Dataset *ds = prueba()->DatasetPpal;
    if (ds->State() != DatasetState::Edit) {
        ASSERT_TRUE(ds->Edit());
    }
    ASSERT_TRUE(ds->FieldByName(QStringLiteral("cod_pre"))->setAsInteger(6));
    prueba()->PredCodigo = 6;
    ppal->archGuardarExecute(ppal.get());
    EXPECT_EQ(filasIndice(), QStringList{QStringLiteral("6 7 0 ") + archivo});

    EXPECT_TRUE(ppal->archCerrarExecute());
    Operacion(program.database(), QStringLiteral("UPDATE formPredio SET pred_codigo = 0"));
    ASSERT_TRUE(ppal->AbreArchivo(archivo, 0, QString()));
    ASSERT_EQ(forms_().size(), 1);
    EXPECT_EQ(prueba()->PredCodigo, 6);
    EXPECT_EQ(filasIndice(), QStringList{QStringLiteral("6 7 0 ") + archivo});
    EXPECT_TRUE(ppal->archCerrarExecute());

    // An imported file keeps no code: it may come from another register.
    ASSERT_TRUE(ppal->AbreArchivo(archivo, -1, QString()));
    EXPECT_EQ(prueba()->PredCodigo, -1);
    EXPECT_TRUE(dialogs.textos().isEmpty()) << dialogs.textos().join(QLatin1Char('|')).toStdString();
}

TEST_F(DocumentoTest, OpeningAFileDeletedOutsideKeepsTheCurrentDocument)
{
    nuevoDocumento(7);
    prueba()->PredCodigo = 6;
    const QString archivo = carpeta.path() + QStringLiteral("/borrado.fprb");
    guardarComo(archivo);
    ASSERT_TRUE(QFile::remove(archivo));
    abrirDelIndice(6, archivo);
    EXPECT_EQ(dialogs.textos(), QStringList{QStringLiteral("Lo siento, El archivo (%1) fue borrado en forma externa").arg(archivo)});
    EXPECT_EQ(forms_().size(), 1);
}

// Guards against a second document opening beside one the consultant chose to keep open.
TEST_F(DocumentoTest, ADocumentKeptOpenByItsCloseQuestionEndsTheCommand)
{
    nuevoDocumento(7);
    escribirNombre(QStringLiteral("Sin guardar"));
    dialogs.responder({ID::CANCEL});
    bool preguntado = false;
    ppal->dlgAbrir = [&](const QString &, const QString &) {
        preguntado = true;
        return QString();
    };
    ppal->archImpExecute();
    EXPECT_FALSE(preguntado);
    EXPECT_EQ(forms_().size(), 1);
    EXPECT_FALSE(ppal->archCerrarExecute() && forms_().isEmpty());
    EXPECT_EQ(nombre(), QStringLiteral("Sin guardar"));
    EXPECT_FALSE(WorkingDatabases::paths().isEmpty());
    EXPECT_TRUE(QFileInfo(prueba()->ArchivoMDB).isFile());
}

struct ArchivoMaloCase
{
    const char *nombre;
    int bytes; // -1: no such file
    const char *mensaje;
};

class ArchivoMalo : public DocumentoTest, public ::testing::WithParamInterface<ArchivoMaloCase>
{
};

TEST_P(ArchivoMalo, IsRefusedWithItsMessage)
{
    const ArchivoMaloCase &c = GetParam();
    const QString nombre = QString::fromUtf8(c.nombre);
    const QString archivo = nombre.startsWith(QLatin1Char('/')) ? nombre : carpeta.path() + QLatin1Char('/') + nombre;
    importar(nombre, c.bytes);
    const QString mensaje = QString::fromUtf8(c.mensaje);
    EXPECT_EQ(dialogs.textos(), QStringList{mensaje.contains(QStringLiteral("%1")) ? mensaje.arg(archivo) : mensaje});
    EXPECT_TRUE(forms_().isEmpty());
    EXPECT_TRUE(ppal->isEnabled());
    EXPECT_TRUE(ppal->hintActual().isEmpty());
}

const char *const kTamano = "No se puede abrir archivo \"%1\".\nTamaño de archivo incorrecto.";
const char *const kExtension = "La extensión del archivo no correspone a un formulario válido. No se abrirá el documento";

INSTANTIATE_TEST_SUITE_P(Cases, ArchivoMalo,
                         ::testing::Values(ArchivoMaloCase{"corto.fpru", 6, kTamano}, ArchivoMaloCase{"falta.fpru", -1, kTamano},
                                           ArchivoMaloCase{"/a.f", -1, kTamano},
                                           ArchivoMaloCase{"otro.fzzz", 40, kExtension},
                                           ArchivoMaloCase{"sinpunto", 40, kExtension},
                                           ArchivoMaloCase{"vacio.f", 40, kExtension}));

// Guards against a document whose form plug-in is missing opening half-built.
TEST_F(DocumentoTest, ADocumentWhosePluginIsMissingDoesNotOpen)
{
    importar(QStringLiteral("sin.fnad"), 64);
    EXPECT_TRUE(forms_().isEmpty());
    ASSERT_EQ(dialogs.textos().size(), 3);
    EXPECT_TRUE(dialogs.textos().last().contains(QStringLiteral("\"NADA\"")));
    EXPECT_TRUE(ppal->isEnabled());
    EXPECT_TRUE(ppal->archNuevo->isEnabled());
}

TEST_F(DocumentoTest, ADamagedDocumentIsClosedAfterItsMessage)
{
    importar(QStringLiteral("danado.fprb"), 64);
    ASSERT_FALSE(dialogs.textos().isEmpty());
    EXPECT_EQ(dialogs.textos().last(), QStringLiteral("La carga del formulario fue imposible. Se cerrará el documento"));
    EXPECT_TRUE(forms_().isEmpty());
    EXPECT_TRUE(WorkingDatabases::paths().isEmpty());
}

// Guards against losing what was typed into the focused field when saving from the keyboard.
TEST_F(DocumentoTest, SaveKeepsTheTextStillBeingTypedInAField)
{
    nuevoDocumento(7);
    const QString archivo = carpeta.path() + QStringLiteral("/tecleado.fprb");
    guardarComo(archivo);
    QApplication::setActiveWindow(ppal.get());
    auto *edit = prueba()->findChild<DBEdit *>(QStringLiteral("edtNombre"));
    ASSERT_TRUE(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Tecleado"));
    ASSERT_TRUE(edit->pendingInput());
    ppal->archGuardarExecute(ppal.get());
    ASSERT_TRUE(ppal->archCerrarExecute());
    importar(archivo, -1);
    ASSERT_EQ(forms_().size(), 1);
    EXPECT_EQ(nombre(), QStringLiteral("TECLEADO"));
}

TEST_F(DocumentoTest, SaveAsProposesTheNextFreeNameOfTheProperty)
{
    nuevoDocumento(7);
    // As a request form keeps the property's name; it is still being typed.
    TCustomMDIChild *form = prueba();
    form->DatasetPpal->FieldByName(QStringLiteral("nombre"))->OnChange = [form](Field *f) { form->PredNombre = f->AsString(); };
    QApplication::setActiveWindow(ppal.get());
    auto *edit = form->findChild<DBEdit *>(QStringLiteral("edtNombre"));
    ASSERT_TRUE(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("a/b"));
    const QString formularios = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Formularios/");
    QFile::remove(formularios + QStringLiteral("ab_prueba_001.fprb"));
    QFile::remove(formularios + QStringLiteral("ab_prueba_002.fprb"));
    guardarComo(formularios + QStringLiteral("ab_prueba_001.fprb"));
    ppal->archGuardarComoExecute(ppal.get());
    EXPECT_EQ(propuestos, QStringList({formularios + QStringLiteral("ab_prueba_001.fprb"),
                                       formularios + QStringLiteral("ab_prueba_002.fprb")}));
    QFile::remove(formularios + QStringLiteral("ab_prueba_001.fprb"));
}

struct GuardadoCase
{
    const char *nombre;
    bool guardarComo;  // Save As rather than Save of a saved document
    const char *destino; // "": cancelled; "/": not writable
    bool guardado;
};

class Guardado : public DocumentoTest, public ::testing::WithParamInterface<GuardadoCase>
{
};

// Guards against forms left busy (their edits no longer marking the document modified)
// after a save that was cancelled or failed.
TEST_P(Guardado, ClearsTheBusyFlagsOnEveryPath)
{
    const GuardadoCase &c = GetParam();
    nuevoDocumento(4);
    if (!c.guardarComo) {
        guardarComo(carpeta.path() + QStringLiteral("/primero.fpru"));
        dialogs.boxes.clear();
    }
    escribirNombre(QStringLiteral("Cambio"));
    const QString destino = QString::fromUtf8(c.destino) == QStringLiteral("/")
                                ? carpeta.path() + QStringLiteral("/no/existe/x.fpru")
                                : QString::fromUtf8(c.destino).isEmpty() ? QString() : carpeta.path() + QLatin1Char('/') + QString::fromUtf8(c.destino);
    if (c.guardarComo) {
        elegidos << destino;
        ppal->archGuardarComoExecute(ppal.get());
    } else {
        if (!destino.isEmpty() && QString::fromUtf8(c.destino) == QStringLiteral("/"))
            for (TCustomMDIChild *f : forms_())
                f->ArchivoDocumento = destino;
        ppal->archGuardarExecute(ppal.get());
    }
    for (TCustomMDIChild *f : forms_()) {
        EXPECT_FALSE(f->Ocupado) << f->Codigo.toStdString();
        EXPECT_FALSE(f->Guardando) << f->Codigo.toStdString();
        EXPECT_EQ(f->Modificado, !c.guardado) << f->Codigo.toStdString();
    }
    EXPECT_TRUE(ppal->isEnabled());
    EXPECT_TRUE(ppal->hintActual().isEmpty());
    // An edit after it marks the document modified again.
    escribirNombre(QStringLiteral("Otro cambio"));
    EXPECT_TRUE(prueba()->Modificado);
}

INSTANTIATE_TEST_SUITE_P(Cases, Guardado,
                         ::testing::Values(GuardadoCase{"saveAsDone", true, "nuevo.fpru", true},
                                           GuardadoCase{"saveAsCancelled", true, "", false},
                                           GuardadoCase{"saveAsFailed", true, "/", false},
                                           GuardadoCase{"saveDone", false, "primero.fpru", true},
                                           GuardadoCase{"saveFailed", false, "/", false}),
                         [](const auto &info) { return std::string(info.param.nombre); });

enum class Orden
{
    Guardar,
    GuardarComo,
    Cerrar,
    Salir,
    Intercambio
};

struct FilaRechazadaCase
{
    const char *nombre;
    Orden orden;
};

class FilaRechazada : public DocumentoTest, public ::testing::WithParamInterface<FilaRechazadaCase>
{
};

// Guards against a row the checks refuse reaching the saved document: the save posts
// without the checks, so a refused row must stop every command that saves.
TEST_P(FilaRechazada, StopsTheCommandAndKeepsTheDocumentModified)
{
    nuevoDocumento(4);
    ASSERT_EQ(forms_().size(), 3);
    const QString archivo = carpeta.path() + QStringLiteral("/rechazo.fpru");
    guardarComo(archivo);
    QFile guardado(archivo);
    ASSERT_TRUE(guardado.open(QIODevice::ReadOnly));
    const QByteArray antes = guardado.readAll();
    guardado.close();
    propuestos.clear();
    bool intercambio = false;
    ppal->dlgGuardarXML = [&](const QString &, const QString &) {
        intercambio = true;
        return QString();
    };

    // A detail row with a surface and no number, in a sibling of the active form.
    QApplication::setActiveWindow(ppal.get());
    auto *grilla = prueba()->findChild<DBGrid *>(QStringLiteral("dbgDetalle"));
    ASSERT_TRUE(grilla);
    Dataset *det = grilla->DataSet();
    ASSERT_TRUE(det->Append());
    ASSERT_TRUE(det->FieldByName(QStringLiteral("sup"))->setAsFloat(5));
    ASSERT_TRUE(prueba()->Modificado);
    dialogs.boxes.clear();
    dialogs.responder({ID::YES});

    switch (GetParam().orden) {
    case Orden::Guardar:
        ppal->archGuardarExecute(ppal.get());
        break;
    case Orden::GuardarComo:
        elegidos << carpeta.path() + QStringLiteral("/otro.fpru");
        ppal->archGuardarComoExecute(ppal.get());
        break;
    case Orden::Cerrar:
        EXPECT_FALSE(ppal->archCerrarExecute());
        break;
    case Orden::Salir:
        EXPECT_FALSE(ppal->close());
        break;
    case Orden::Intercambio:
        ppal->archGuardarXMLExecute();
        break;
    }

    ASSERT_FALSE(dialogs.textos().isEmpty());
    EXPECT_EQ(dialogs.textos().last(), QStringLiteral("Error en Formulario PRUEBA: \n\nEl campo \"Nº\" no puede quedar vacío."));
    ASSERT_EQ(forms_().size(), 3);
    EXPECT_TRUE(ppal->isVisible());
    ASSERT_TRUE(guardado.open(QIODevice::ReadOnly));
    EXPECT_EQ(guardado.readAll(), antes);
    EXPECT_FALSE(QFileInfo::exists(carpeta.path() + QStringLiteral("/otro.fpru")));
    EXPECT_TRUE(propuestos.isEmpty());
    EXPECT_FALSE(intercambio);
    for (TCustomMDIChild *f : forms_()) {
        EXPECT_TRUE(f->Modificado) << f->Codigo.toStdString();
        EXPECT_TRUE(f->windowTitle().endsWith(QStringLiteral(" *"))) << f->windowTitle().toStdString();
        EXPECT_FALSE(f->Ocupado) << f->Codigo.toStdString();
    }
    EXPECT_EQ(det->State(), DatasetState::Insert);
    EXPECT_EQ(grilla->SelectedIndex(), 0);
    EXPECT_TRUE(grilla->contains(QApplication::focusWidget()));
    EXPECT_TRUE(ppal->isEnabled());
    EXPECT_TRUE(ppal->hintActual().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, FilaRechazada,
                         ::testing::Values(FilaRechazadaCase{"save", Orden::Guardar},
                                           FilaRechazadaCase{"saveAs", Orden::GuardarComo},
                                           FilaRechazadaCase{"closeQuestion", Orden::Cerrar},
                                           FilaRechazadaCase{"exit", Orden::Salir},
                                           FilaRechazadaCase{"exchange", Orden::Intercambio}),
                         [](const auto &info) { return std::string(info.param.nombre); });

// Guards against unloading a plug-in while a window of its class still waits to be deleted.
TEST_F(DocumentoTest, PluginsOutliveTheirClosedWindows)
{
    nuevoDocumento(4);
    ASSERT_EQ(forms_().size(), 3);
    QPointer<TCustomMDIChild> form = forms_().first();
    form->Cerrar(); // deleted later, by the event loop
    ASSERT_TRUE(form);
    ppal.reset();
    EXPECT_FALSE(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
