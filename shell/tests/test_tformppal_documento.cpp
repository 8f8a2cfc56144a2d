// The document cycle of the main window: New, Open, Import, Save, Save As and Close over
// the test form plug-ins.
#include "bloqueodocumento.h"
#include "connection.h"
#include "dataset.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "field.h"
#include "qstringprinter.h"
#include "query.h"
#include "table.h"
#include "registrodocumento.h"
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
#include <QDir>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QTableView>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <sqlite3.h>

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
// writes the code into the index.
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

// Every row of `tablas` of the database `archivo`, in order, "tabla: a|b|c".
QStringList volcado(const QString &archivo, const QStringList &tablas)
{
    QStringList filas;
    for (const QString &tabla : tablas) {
        for (const QStringList &fila : Consulta3(archivo, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(tabla)))
            filas << tabla + QStringLiteral(": ") + fila.join(QLatin1Char('|'));
    }
    return filas;
}

QString esquema(const QString &archivo)
{
    QStringList objetos;
    for (const QStringList &fila : Consulta3(archivo, QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY name")))
        objetos << fila.join(QLatin1Char(' '));
    return objetos.join(QLatin1Char('\n'));
}

const QString kCorpus = QStringLiteral(BRENVIK_TEST_DIR "/../../zedivu/fuzz/corpus/fuzz_baserecibida/");

// The working databases a document may bring, hostile ones among them (the fuzz seeds of
// the copy into the template): "sana*" ones open with their data, the rest are damaged.
class BaseRecibida : public DocumentoTest, public ::testing::WithParamInterface<QString>
{
protected:
    void SetUp() override
    {
        // A Documents folder of its own, so that what is left in it is this test's.
        ASSERT_TRUE(casa.isValid());
        casaAnterior = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(casa.path()));
        DocumentoTest::SetUp();
    }
    void TearDown() override
    {
        DocumentoTest::TearDown();
        qputenv("HOME", casaAnterior);
    }
    // What a saved document's record of PRUEBA holds.
    QStringList contenido(const QString &archivo)
    {
        QFile f(archivo);
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("sin archivo")};
        const RegistroDocumento::Lectura l = RegistroDocumento::leer(f.readAll(), QStringLiteral("PRUEBA"));
        QTemporaryFile base;
        if (l.resultado != RegistroDocumento::Lectura::Encontrado || !base.open() || base.write(l.base) != l.base.size())
            return {QStringLiteral("sin registro")};
        base.close();
        return volcado(base.fileName(), {QStringLiteral("prueba"), QStringLiteral("prueba_det"), QStringLiteral("persona_rep")});
    }
    QStringList bdPpal() const
    {
        QStringList tablas;
        for (const QStringList &fila : Consulta3(program.database(), QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                                                                     "AND name <> 'sqlite_sequence'")))
            tablas << fila.value(0);
        return volcado(program.database(), tablas);
    }

    QTemporaryDir casa;
    QByteArray casaAnterior;
};

TEST_P(BaseRecibida, OpensWithItsDataOnlyOrIsRefused)
{
    const QString caso = GetParam();
    QFile semilla(kCorpus + caso);
    ASSERT_TRUE(semilla.open(QIODevice::ReadOnly));
    QByteArray registro;
    ASSERT_TRUE(RegistroDocumento::escribir(QStringLiteral("2.5"), QStringLiteral("PRUEBA"), semilla.readAll(), registro));
    const QString archivo = carpeta.path() + QLatin1Char('/') + caso + QStringLiteral(".fprb");
    {
        QFile f(archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(registro);
    }
    // Another document, and the main database as it stands with it.
    nuevoDocumento(7);
    escribirNombre(QStringLiteral("Otro"));
    const QString otro = carpeta.path() + QStringLiteral("/otro.fprb");
    guardarComo(otro);
    ASSERT_TRUE(ppal->archCerrarExecute());
    const QStringList otroAntes = contenido(otro);
    const QStringList bdAntes = bdPpal();
    ASSERT_EQ(otroAntes.size(), 2); // its main row and the template's person
    dialogs.boxes.clear();

    importar(archivo, -1);
    if (caso.startsWith(QLatin1String("sana"))) {
        ASSERT_EQ(dialogs.textos(), QStringList());
        ASSERT_EQ(forms_().size(), 1);
        EXPECT_EQ(nombre(), QStringLiteral("Sana"));
        // Nothing of the file but its data: the template's schema, no free pages.
        const QString plantilla = program.path() + QStringLiteral("/bbdd/PRUEBA.db");
        EXPECT_EQ(esquema(prueba()->ArchivoMDB), esquema(plantilla));
        EXPECT_LT(QFileInfo(prueba()->ArchivoMDB).size(), 4 * QFileInfo(plantilla).size());
        // A save keeps every row, whatever the file meant to run on it.
        escribirNombre(QStringLiteral("Guardada"));
        ppal->archGuardarExecute(ppal.get());
        EXPECT_EQ(dialogs.textos(), QStringList());
        EXPECT_EQ(contenido(archivo),
                  QStringList({QStringLiteral("prueba: 1|Guardada|Observación|2|-1"), QStringLiteral("prueba_det: 1|1|1|2,5"),
                               QStringLiteral("prueba_det: 2|2|2|3"),
                               QStringLiteral("persona_rep: 1|12345678|||||||||")}));
    } else {
        EXPECT_EQ(dialogs.textos(),
                  QStringList({QStringLiteral("Error en Formulario PRUEBA: \n\nImposible Abrir el Archivo Solicitado."),
                               QStringLiteral("La carga del formulario fue imposible. Se cerrará el documento")}));
        EXPECT_TRUE(forms_().isEmpty());
    }
    ppal->archCerrarExecute();
    EXPECT_TRUE(forms_().isEmpty());

    EXPECT_EQ(contenido(otro), otroAntes);
    // The main database changed only in the index row of a document saved here.
    QStringList bdDespues = bdPpal();
    bdDespues.removeIf([&](const QString &fila) { return fila.startsWith(QLatin1String("formPredio:")) && fila.contains(archivo); });
    EXPECT_EQ(bdDespues, bdAntes);
    // No working database, nor anything beside one, is left.
    const QDir temporal(casa.path() + QStringLiteral("/Documents/Formularios/temporal"));
    EXPECT_EQ(temporal.entryList({QStringLiteral("*.db*")}, QDir::Files), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Corpus, BaseRecibida, ::testing::ValuesIn(QDir(kCorpus).entryList(QDir::Files, QDir::Name)),
                         [](const ::testing::TestParamInfo<QString> &info) { return info.param.toStdString(); });

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

// Guards against a document saved under a name typed without its extension: the index
// pointed to a file that Open then refused and Import did not list.
TEST_F(DocumentoTest, SaveAsGivesATypedNameItsExtension)
{
    for (const auto &[tecleado, escrito] : {std::pair{"Plan Ñires José María", "Plan Ñires José María.fprb"},
                                            std::pair{"Plan Sr. Pérez", "Plan Sr. Pérez.fprb"},
                                            std::pair{"plan.FPRB", "plan.FPRB"}}) {
        nuevoDocumento(7);
        escribirNombre(QString::fromUtf8(tecleado));
        guardarComo(carpeta.path() + QLatin1Char('/') + QString::fromUtf8(tecleado));
        const QString archivo = carpeta.path() + QLatin1Char('/') + QString::fromUtf8(escrito);
        EXPECT_EQ(prueba()->ArchivoDocumento, archivo);
        EXPECT_TRUE(filasIndice().last().endsWith(QLatin1Char(' ') + archivo)) << filasIndice().last().toStdString();
        ASSERT_TRUE(ppal->archCerrarExecute());
        importar(archivo, -1);
        ASSERT_EQ(forms_().size(), 1) << escrito;
        EXPECT_EQ(nombre(), QString::fromUtf8(tecleado));
        ASSERT_TRUE(ppal->archCerrarExecute());
    }
    EXPECT_TRUE(dialogs.textos().isEmpty()) << dialogs.textos().join(QLatin1Char('|')).toStdString();
}

// Guards against two copies of the program saving over each other's work: a document that
// another copy has open is neither opened nor saved over, and one that a copy which ended
// without closing it left behind opens as usual.
TEST_F(DocumentoTest, ADocumentOpenInAnotherCopyIsNeitherOpenedNorSavedOver)
{
    nuevoDocumento(7);
    escribirNombre(QStringLiteral("Uno"));
    const QString archivo = carpeta.path() + QStringLiteral("/compartido.fprb");
    guardarComo(archivo);
    const QString bloqueo = BloqueoDocumento::ArchivoBloqueo(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Formularios/temporal"), archivo);
    auto libre = [&bloqueo] { return QProcess::execute(QStringLiteral("flock"), {QStringLiteral("-n"), bloqueo, QStringLiteral("true")}) == 0; };
    // Held while this copy has it open, released when it closes.
    EXPECT_FALSE(libre());
    ASSERT_TRUE(ppal->archCerrarExecute());
    EXPECT_TRUE(libre());

    // The other copy: one process that takes the document's lock and then only waits.
    QProcess otra;
    otra.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec 9>>\"$0\" && flock 9 && exec sleep 60"), bloqueo});
    ASSERT_TRUE(otra.waitForStarted());
    for (int i = 0; i < 500 && libre(); ++i)
        QTest::qWait(10);
    ASSERT_FALSE(libre());
    const QString mensaje = QStringLiteral("El documento \"%1\" está abierto en otra ventana del programa. %2");
    dialogs.boxes.clear();
    importar(archivo, -1);
    EXPECT_TRUE(forms_().isEmpty());
    EXPECT_EQ(dialogs.textos(), QStringList{mensaje.arg(archivo, QStringLiteral("No se abrirá el documento"))});
    dialogs.boxes.clear();
    nuevoDocumento(7);
    escribirNombre(QStringLiteral("Dos"));
    guardarComo(archivo);
    EXPECT_EQ(dialogs.textos(), QStringList{mensaje.arg(archivo, QStringLiteral("No se guardará sobre él"))});
    EXPECT_TRUE(prueba()->Modificado);
    EXPECT_TRUE(prueba()->ArchivoDocumento.isEmpty());
    dialogs.responder({ID::NO});
    ASSERT_TRUE(ppal->archCerrarExecute());

    // The other copy ends without closing the document.
    otra.kill();
    otra.waitForFinished();
    dialogs.boxes.clear();
    importar(archivo, -1);
    ASSERT_EQ(forms_().size(), 1);
    EXPECT_EQ(nombre(), QStringLiteral("Uno"));
    EXPECT_TRUE(dialogs.textos().isEmpty()) << dialogs.textos().join(QLatin1Char('|')).toStdString();
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

// The program as installed: the seeded main database, the plan KELU with its request form
// DORVO (which carries the property), and register windows that answer a choice with the
// application's "testSeleccion". The register holds LOS ROBLES, code 1.
class DocumentoRegistro : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ReiniciarTerminacion();
        // Documents of its own: the names the program proposes are those of a fresh folder.
        m_home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        QDir(program.path()).mkpath(QStringLiteral("bbdd"));
        for (const char *base : {"bd.db", "KELU.db", "DORVO.db"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/") + QLatin1String(base),
                                    program.path() + QStringLiteral("/bbdd/") + QLatin1String(base)));
        QFile::setPermissions(program.database(), QFile::ReadOwner | QFile::WriteOwner);
        for (const char *plugin : {"kelu.so", "dorvo.so"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/") + QLatin1String(plugin),
                                    program.path() + QLatin1Char('/') + QLatin1String(plugin)));
        program.addRegisterPlugins();
        execSql(program.database(),
                "INSERT INTO consultor (cons_id, cons_paterno, cons_materno, cons_nombre) VALUES (7, 'Rojas', 'Soto', 'Ana');"
                "INSERT INTO predio (pred_codigo, pred_nombre, pred_superficie, pred_comuna, pred_provincia, pred_region)"
                " VALUES (1, 'LOS ROBLES', 40, '13120', '131', '13');");
        qApp->setProperty("testSelecciones", QVariantList());
        qApp->setProperty("testSeleccion", 1);
        arrancar();
    }
    void TearDown() override
    {
        detener();
        TCustomMDIChild::TrasConfirmarGuardado = nullptr;
        qputenv("HOME", m_home);
        ReiniciarTerminacion();
    }

    // The program starts (again) on the program directory.
    void arrancar()
    {
        ppal = std::make_unique<TformPpal>(program.path());
        ASSERT_FALSE(ppal->terminado());
        nuevo = std::make_unique<TformPpalNuevo>(ppal->DirAplicacion);
        forms = std::make_unique<TFormPpalForms>(ppal->DirAplicacion);
        ppal->setDialogos(nuevo.get(), nullptr, forms.get());
        ppal->ConsultorActual = 7;
        // The proposed name is accepted.
        ppal->dlgGuardar = [](const QString &inicial, const QString &) { return inicial; };
        ppal->show();
        QCoreApplication::processEvents();
    }
    // The program ends; a document still open goes without a question.
    void detener()
    {
        if (!ppal)
            return;
        for (TCustomMDIChild *f : forms_()) {
            f->Modificado = false;
            f->Respondido = true;
        }
        ppal.reset();
        forms.reset();
        nuevo.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QList<TCustomMDIChild *> forms_() const
    {
        QList<TCustomMDIChild *> r;
        for (QMdiSubWindow *sub : ppal->mdiArea->subWindowList())
            r << qobject_cast<TCustomMDIChild *>(sub->widget());
        return r;
    }
    TCustomMDIChild *dorvo() const
    {
        for (TCustomMDIChild *f : forms_())
            if (f->Codigo == QStringLiteral("DORVO"))
                return f;
        return nullptr;
    }
    // New plan KELU (with its request DORVO).
    void nuevoKelu()
    {
        cuandoVisible(nuevo.get(), [this] {
            QListWidget *lista = nuevo->ListView1;
            for (int i = 0; i < lista->count(); ++i)
                if (lista->item(i)->data(Qt::UserRole).toInt() == 1)
                    lista->setCurrentItem(lista->item(i));
            nuevo->btnAceptar->click();
        });
        ppal->archNuevoExecute();
        ASSERT_TRUE(dorvo()) << dialogs.textos().join(QLatin1Char('|')).toStdString();
    }
    // The register's property `codigo`, chosen with the request's property button.
    void elegirPredio(int codigo)
    {
        qApp->setProperty("testSeleccion", codigo);
        auto *boton = dorvo()->findChild<QPushButton *>(QStringLiteral("btnLlenarPredio"));
        ASSERT_TRUE(boton);
        boton->click();
    }
    // The property's name, typed into the request.
    void escribirPredio(const QString &nombre)
    {
        Dataset *ds = dorvo()->DatasetPpal;
        if (ds->State() != DatasetState::Edit) {
            ASSERT_TRUE(ds->Edit());
        }
        ASSERT_TRUE(ds->FieldByName(QStringLiteral("nom_pre"))->setAsString(nombre));
    }
    void guardar() { ppal->archGuardarExecute(ppal.get()); }
    QString archivo() const { return dorvo()->ArchivoDocumento; }
    void abrirDelIndice(const QString &archivo)
    {
        const QList<QStringList> fila =
            Consulta3(program.database(), QStringLiteral("SELECT pred_codigo FROM formPredio WHERE foco_archivo = ?"), {archivo});
        ASSERT_EQ(fila.size(), 1);
        cuandoVisible(forms.get(), [this, codigo = fila.first().value(0).toInt(), archivo] {
            forms->adsPredios->Locate(QStringLiteral("pred_codigo"), codigo);
            forms->adtFormPredio->Locate(QStringLiteral("foco_archivo"), archivo);
            forms->btnAbrir->click();
        });
        ppal->archAbrirExecute();
        ASSERT_TRUE(dorvo()) << dialogs.textos().join(QLatin1Char('|')).toStdString();
    }
    void importar(const QString &archivo)
    {
        ppal->dlgAbrir = [archivo](const QString &, const QString &) { return archivo; };
        ppal->archImpExecute();
        ASSERT_TRUE(dorvo()) << dialogs.textos().join(QLatin1Char('|')).toStdString();
    }
    // "code name" of every register property, by code.
    QStringList registro() const
    {
        QStringList r;
        for (const QStringList &f :
             Consulta3(program.database(), QStringLiteral("SELECT pred_codigo, pred_nombre FROM predio ORDER BY pred_codigo")))
            r << f.join(QLatin1Char(' '));
        return r;
    }
    // "code file-name" of every index row, by file.
    QStringList indice() const
    {
        QStringList r;
        for (const QStringList &f : Consulta3(program.database(),
                                              QStringLiteral("SELECT pred_codigo, foco_archivo FROM formPredio ORDER BY foco_archivo")))
            r << f.value(0) + QLatin1Char(' ') + QFileInfo(f.value(1)).fileName();
        return r;
    }
    bool preguntoMismoNombre() const
    {
        for (const QString &t : dialogs.textos())
            if (t.startsWith(QStringLiteral("Ya existe un predio con el mismo nombre")))
                return true;
        return false;
    }

    QTemporaryDir home;
    QByteArray m_home;
    ScopedSettings settings;
    TestProgramDir program;
    ScriptedDialogs dialogs{ID::OK};
    std::unique_ptr<TformPpal> ppal;
    std::unique_ptr<TformPpalNuevo> nuevo;
    std::unique_ptr<TFormPpalForms> forms;
};

struct IndiceCase
{
    const char *nombre;
    bool guardar; // Save the older document once opened, else close it untouched
};

class IndiceManda : public DocumentoRegistro, public ::testing::WithParamInterface<IndiceCase>
{
};

// Guards against an older document, opened from the index after its property was
// registered again under a new code, being drawn back to the code it was saved with: its
// row was rewritten to a code the register no longer has, and its save registered the
// property a second time.
TEST_P(IndiceManda, TheIndexRowNamesTheDocumentsPropertyOverTheCodeInside)
{
    QStringList archivos;
    for (int i = 0; i < 2; ++i) {
        nuevoKelu();
        elegirPredio(1);
        guardar();
        archivos << archivo();
        ASSERT_TRUE(ppal->archCerrarExecute());
    }
    ASSERT_EQ(indice(), (QStringList{QStringLiteral("1 los robles_kelu_001.fkel"), QStringLiteral("1 los robles_kelu_002.fkel")}));
    // The second, imported and saved, replaces the register's LOS ROBLES: code 2.
    importar(archivos[1]);
    dialogs.responder({ID::YES});
    guardar();
    ASSERT_TRUE(ppal->archCerrarExecute());
    ASSERT_EQ(registro(), QStringList{QStringLiteral("2 LOS ROBLES")});
    ASSERT_EQ(indice(), (QStringList{QStringLiteral("2 los robles_kelu_001.fkel"), QStringLiteral("2 los robles_kelu_002.fkel")}));

    dialogs.boxes.clear();
    abrirDelIndice(archivos[0]);
    EXPECT_EQ(dorvo()->PredCodigo, 2);
    if (GetParam().guardar)
        guardar();
    ASSERT_TRUE(ppal->archCerrarExecute());
    EXPECT_EQ(registro(), QStringList{QStringLiteral("2 LOS ROBLES")});
    EXPECT_EQ(indice(), (QStringList{QStringLiteral("2 los robles_kelu_001.fkel"), QStringLiteral("2 los robles_kelu_002.fkel")}));
    EXPECT_FALSE(preguntoMismoNombre()) << dialogs.textos().join(QLatin1Char('|')).toStdString();
    // Saved, the document now carries the register's code itself.
    if (GetParam().guardar) {
        importar(archivos[0]);
        EXPECT_EQ(dorvo()->DatasetPpal->FieldByName(QStringLiteral("cod_pre"))->AsInteger(), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, IndiceManda,
                         ::testing::Values(IndiceCase{"closedUntouched", false}, IndiceCase{"saved", true}),
                         [](const auto &info) { return std::string(info.param.nombre); });

struct FilaSinPredioCase
{
    const char *nombre;
    const char *registroDespues; // run on the main database before the document opens
    int codigo;                  // the document's property once opened
};

class FilaSinPredio : public DocumentoRegistro, public ::testing::WithParamInterface<FilaSinPredioCase>
{
};

// A row that names no property (written before the property was registered) takes the
// code the document was saved with only while the register holds that code under the
// document's property name.
TEST_P(FilaSinPredio, TakesTheDocumentsCodeOnlyWhileTheRegisterAgrees)
{
    nuevoKelu();
    escribirPredio(QStringLiteral("FUNDO LOS ÑIRES"));
    guardar();
    const QString documento = archivo();
    ASSERT_EQ(indice(), QStringList{QStringLiteral("2 fundo los ñires_kelu_001.fkel")});
    ASSERT_TRUE(ppal->archCerrarExecute());
    execSql(program.database(), "UPDATE formPredio SET pred_codigo = 0");
    execSql(program.database(), GetParam().registroDespues);

    ASSERT_TRUE(ppal->AbreArchivo(documento, 0, QString()));
    for (TCustomMDIChild *f : forms_())
        EXPECT_EQ(f->PredCodigo, GetParam().codigo) << f->Codigo.toStdString();
    EXPECT_EQ(indice(), QStringList{QStringLiteral("%1 fundo los ñires_kelu_001.fkel").arg(GetParam().codigo)});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilaSinPredio,
    ::testing::Values(FilaSinPredioCase{"registerAgrees", "SELECT 1", 2},
                      FilaSinPredioCase{"nameInOtherCase", "UPDATE predio SET pred_nombre = 'Fundo Los Ñires' WHERE pred_codigo = 2", 2},
                      FilaSinPredioCase{"codeGivenToAnotherProperty",
                                        "DELETE FROM predio WHERE pred_codigo = 2;"
                                        "INSERT INTO predio (pred_codigo, pred_nombre) VALUES (2, 'OTRO PREDIO')",
                                        0},
                      FilaSinPredioCase{"codeGone", "DELETE FROM predio WHERE pred_codigo = 2", 0}),
    [](const auto &info) { return std::string(info.param.nombre); });

// Copies `desde` (with its journal, if any) to `hacia`, or removes `hacia` when `desde`
// does not exist: what a process killed at this moment leaves on disk.
void copiarEstado(const QString &desde, const QString &hacia)
{
    for (const QString &sufijo : {QString(), QStringLiteral("-journal")}) {
        QFile::remove(hacia + sufijo);
        if (QFileInfo::exists(desde + sufijo)) {
            ASSERT_TRUE(QFile::copy(desde + sufijo, hacia + sufijo));
        }
    }
}

// Guards against a save killed between the new file and the main database's commit: the
// file named a property code the register had not kept, the next property registered took
// that code, and the document, opened from the index and saved, overwrote it.
TEST_F(DocumentoRegistro, ASaveKilledBetweenFileAndRegisterNeverHandsItsCodeToAnotherProperty)
{
    nuevoKelu();
    elegirPredio(1);
    guardar();
    const QString documento = archivo();
    ASSERT_TRUE(ppal->archCerrarExecute());
    // Imported and saved, it replaces the register's LOS ROBLES under a new code; the
    // program is killed during that save.
    importar(documento);
    const QString foto = program.path() + QStringLiteral("/foto");
    TCustomMDIChild::TrasConfirmarGuardado = [&](const QString &) {
        copiarEstado(program.database(), foto + QStringLiteral(".db"));
        copiarEstado(documento, foto + QStringLiteral(".fkel"));
    };
    dialogs.responder({ID::YES});
    guardar();
    TCustomMDIChild::TrasConfirmarGuardado = nullptr;
    ASSERT_TRUE(QFileInfo::exists(foto + QStringLiteral(".db")));
    detener();
    copiarEstado(foto + QStringLiteral(".db"), program.database());
    copiarEstado(foto + QStringLiteral(".fkel"), documento);
    arrancar();

    // The next property registered.
    nuevoKelu();
    escribirPredio(QStringLiteral("OTRO PREDIO"));
    guardar();
    const QString otro = archivo();
    ASSERT_TRUE(ppal->archCerrarExecute());
    const QString codigoOtro =
        Consulta3(program.database(), QStringLiteral("SELECT pred_codigo FROM predio WHERE pred_nombre = 'OTRO PREDIO'"))
            .value(0)
            .value(0);
    ASSERT_FALSE(codigoOtro.isEmpty());

    abrirDelIndice(documento);
    guardar();
    ASSERT_TRUE(ppal->archCerrarExecute());
    // OTRO PREDIO keeps its code and its name, and its document still names it; LOS
    // ROBLES is one property.
    const QStringList propiedades = registro();
    EXPECT_TRUE(propiedades.contains(codigoOtro + QStringLiteral(" OTRO PREDIO"))) << propiedades.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(propiedades.size(), 2) << propiedades.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(indice().contains(codigoOtro + QStringLiteral(" otro predio_kelu_001.fkel")))
        << indice().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(indice().contains(codigoOtro + QLatin1Char(' ') + QFileInfo(documento).fileName()))
        << indice().join(QLatin1Char('|')).toStdString();
}

// Another process reading the main database (a backup, a database browser).
class Lector
{
public:
    explicit Lector(const QString &base)
    {
        sqlite3_open(QFile::encodeName(base).constData(), &m_db);
        sqlite3_exec(m_db, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    }
    ~Lector() { soltar(); }
    void soltar()
    {
        if (!m_db)
            return;
        sqlite3_exec(m_db, "COMMIT;", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
        m_db = nullptr;
    }

private:
    sqlite3 *m_db = nullptr;
};

// Whether another program can write the main database right now.
bool seEscribe(const QString &base)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(base).constData(), &db);
    const bool ok = sqlite3_exec(db, "BEGIN IMMEDIATE; COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

QByteArray contenido(const QString &archivo)
{
    QFile f(archivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Guards against a save whose main-database commit is refused (a reader holding the file
// past the busy timeout) having already replaced the document, reporting SQLite's English
// text, and keeping the main database locked until the document was closed.
TEST_F(DocumentoRegistro, ASaveWhoseRegisterCommitFailsLeavesFileAndRegisterAsTheyWere)
{
    nuevoKelu();
    elegirPredio(1);
    guardar();
    const QString documento = archivo();
    const QByteArray antes = contenido(documento);
    escribirPredio(QStringLiteral("LOS ROBLES ALTOS"));
    for (TCustomMDIChild *f : forms_())
        if (f->ConexionBDPpal)
            f->ConexionBDPpal->setBusyTimeout(100);
    dialogs.boxes.clear();
    {
        Lector lector(program.database());
        guardar();
        ASSERT_EQ(dialogs.textos().size(), 1);
        const QString mensaje = dialogs.textos().first();
        EXPECT_TRUE(mensaje.contains(QStringLiteral("la base de datos central está siendo usada por otro programa")))
            << mensaje.toStdString();
        EXPECT_TRUE(mensaje.contains(QStringLiteral("quedan como estaban"))) << mensaje.toStdString();
        for (const char *ingles : {"locked", "busy", "SELECT", "INSERT", "UPDATE", "RELEASE", "bd.db"})
            EXPECT_FALSE(mensaje.contains(QLatin1String(ingles), Qt::CaseInsensitive)) << mensaje.toStdString();
    }
    EXPECT_EQ(contenido(documento), antes);
    EXPECT_EQ(registro(), QStringList{QStringLiteral("1 LOS ROBLES")});
    EXPECT_TRUE(seEscribe(program.database()));
    for (TCustomMDIChild *f : forms_()) {
        EXPECT_TRUE(f->Modificado) << f->Codigo.toStdString();
        EXPECT_EQ(f->PredCodigo, 1) << f->Codigo.toStdString();
    }
    // Once the reader has gone, the same save goes through.
    dialogs.boxes.clear();
    guardar();
    EXPECT_TRUE(dialogs.textos().isEmpty()) << dialogs.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(registro(), QStringList{QStringLiteral("1 LOS ROBLES ALTOS")});
    EXPECT_NE(contenido(documento), antes);
}

} // namespace
