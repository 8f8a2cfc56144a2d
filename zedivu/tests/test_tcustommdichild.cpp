// The form window base, driven through a real form plug-in (tests/testform) loaded from
// its shared object and created by its registered name, the way the shell does it.
#include "tcustommdichild.h"

#include "abort.h"
#include "classregistry.h"
#include "connection.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "gridcolumn.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "field.h"
#include "mainwindowhooks.h"
#include "registrodocumento.h"
#include "scripteddialogs.h"
#include "table.h"
#include "util_archivo.h"
#include "util_bbdd.h"
#include "util_texto.h"
#include "xml/txml.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QApplication>
#include <QKeyEvent>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

// Readable QStrings in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// Types text the way a keyboard does, one key event per character (also for letters
// the test library cannot type, like ñ).
void teclear(QWidget *w, const QString &texto)
{
    for (QChar c : texto) {
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

class Ganchos : public MainWindowHooks
{
public:
    Ganchos() { install(this); }
    ~Ganchos() override { install(nullptr); }
    void formActivated(QWidget *form) override { activados << form; }
    void formClosed(QWidget *form) override { cerrados << form; }
    QList<QWidget *> activados, cerrados;
};

void crearBase(const QString &path, const char *sql)
{
    Connection c;
    ASSERT_TRUE(c.open(path, Connection::ReadWriteCreate));
    ASSERT_TRUE(c.execScript(QString::fromUtf8(sql))) << c.lastError().text().toStdString();
}

QLibrary &plugin()
{
    static QLibrary lib(QStringLiteral(BRENVIK_TESTFORM_PLUGIN));
    return lib;
}

class FormBase : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(plugin().load()) << plugin().errorString().toStdString(); }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        QDir().mkpath(app + QStringLiteral("bbdd"));
        // The test form's template serves every code the tests give it.
        for (const char *codigo : {"DORVO", "KELU", "PRUEBA"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_TESTFORM_TEMPLATE),
                                    app + QStringLiteral("bbdd/%1.db").arg(QLatin1String(codigo))));
        crearBase(app + QStringLiteral("bbdd/bd.db"),
                  "CREATE TABLE formPredio (foco_id INTEGER PRIMARY KEY AUTOINCREMENT, pred_codigo INTEGER,"
                  "  form_id INTEGER, foco_estado INTEGER DEFAULT 0, foco_fecha DATETIME, foco_nroResol VARCHAR(30),"
                  "  foco_archivo VARCHAR(200));"
                  "CREATE TABLE persona (pers_rut INTEGER, pers_dv VARCHAR(1), pers_paterno VARCHAR(30),"
                  "  pers_materno VARCHAR(30), pers_nombre VARCHAR(30), pers_direccion VARCHAR(60), pers_comuna INTEGER,"
                  "  pers_ciudad VARCHAR(30), pers_sexo INTEGER, pers_telefono VARCHAR(20));"
                  "INSERT INTO persona VALUES (12345678, '5', 'Pérez', 'Soto', 'Ana', 'Los Aromos 12', 13101, 'Santiago',"
                  "  2, '555 1234');");
        area = new QMdiArea;
    }

    void TearDown() override
    {
        for (auto &f : formularios) {
            if (f) {
                f->Respondido = true;
                f->Modificado = false;
            }
        }
        delete area;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A document of the given forms, created, linked and connected as the shell does.
    void abrir(const QStringList &codigos)
    {
        for (const QString &codigo : codigos) {
            auto *f = qobject_cast<TCustomMDIChild *>(ClassRegistry::instance().create(QStringLiteral("tformprueba"), nullptr));
            ASSERT_NE(f, nullptr);
            area->addSubWindow(f);
            f->DirAplicacion = app;
            f->Codigo = codigo;
            f->CodigoPpal = codigos.first();
            f->OnActualizarBotones = [this](QObject *) { ++refrescos; };
            f->OnGuardarComo = [this](QObject *) { guardarComo(); };
            f->OnGuardar = [this](QObject *) { guardarComo(); };
            f->Nuevo();
            formularios << f;
        }
        for (auto &f : formularios) {
            for (auto &g : formularios) {
                if (f != g)
                    f->Hermanos << g;
            }
        }
        for (auto &f : formularios) {
            f->ConexionesExternas();
            ASSERT_TRUE(f->EstablecerBBDD());
            f->InicializarDatasetPpal(QStringLiteral("Documento de prueba"));
        }
        for (auto &f : formularios) {
            f->Modificado = false;
            f->Ocupado = false;
            f->Respondido = true;
        }
        formularios.first()->ActualizarTitulo();
    }

    // The shell's Save As, as far as the forms see it.
    void guardarComo()
    {
        if (archivoElegido.isEmpty())
            return; // the user cancelled the file dialog
        QList<TCustomMDIChild *> lista;
        for (auto &f : formularios) {
            if (f)
                lista << f.data();
        }
        if (!TCustomMDIChild::GuardarDocumento(archivoElegido, lista))
            return;
        for (TCustomMDIChild *f : lista) {
            f->Modificado = false;
            f->Respondido = true;
        }
    }

    TCustomMDIChild *form(int i) { return formularios.value(i); }
    template<class T>
    T *hijo(int i, const char *nombre)
    {
        return form(i)->findChild<T *>(QLatin1String(nombre));
    }
    Dataset *ppal(int i) { return form(i)->DatasetPpal; }
    void escribirNombre(int i, const QString &nombre)
    {
        ASSERT_TRUE(ppal(i)->Edit());
        ASSERT_TRUE(ppal(i)->FieldByName(QStringLiteral("nombre"))->setAsString(nombre));
    }
    QString nombreEn(int i) { return ppal(i)->FieldByName(QStringLiteral("nombre"))->AsString(); }
    void procesarBorrados() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    int abiertos()
    {
        int n = 0;
        for (auto &f : formularios)
            n += f ? 1 : 0;
        return n;
    }

    QTemporaryDir dir;
    QString app;
    QMdiArea *area = nullptr;
    QList<QPointer<TCustomMDIChild>> formularios;
    ScriptedDialogs dialogos;
    Ganchos ganchos;
    int refrescos = 0;
    QString archivoElegido;
};

} // namespace

TEST_F(FormBase, PluginRegistersOnLoadAndConstructionSetsTheFlags)
{
    EXPECT_TRUE(ClassRegistry::instance().isRegistered(QStringLiteral("TFORMPRUEBA")));
    auto *f = qobject_cast<TCustomMDIChild *>(ClassRegistry::instance().create(QStringLiteral("TFormPRUEBA"), nullptr));
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->Modificado);
    EXPECT_FALSE(f->Validado || f->Guardando || f->Ocupado || f->Respondido || f->TeclaDecimal || f->Retroceder);
    EXPECT_EQ(f->PredCodigo, 0);
    EXPECT_EQ(f->ConexionBDPpal, nullptr);
    EXPECT_TRUE(f->Hermanos.isEmpty() && f->HashXML.isEmpty() && f->SeleccionesMultiples.isEmpty());
    EXPECT_TRUE(f->testAttribute(Qt::WA_DeleteOnClose));
    delete f;
}

TEST_F(FormBase, TitlesFollowFileAndModifiedMark)
{
    abrir({QStringLiteral("KELU"), QStringLiteral("DORVO")});
    EXPECT_EQ(form(0)->windowTitle(), QStringLiteral("Formulario KELU (Sin Título)"));
    EXPECT_EQ(form(0)->parentWidget()->windowTitle(), QStringLiteral("Formulario KELU (Sin Título)"));
    escribirNombre(0, QStringLiteral("x"));
    EXPECT_EQ(form(0)->windowTitle(), QStringLiteral("Formulario KELU (Sin Título) *"));
    EXPECT_EQ(form(1)->windowTitle(), QStringLiteral("Formulario DORVO (Sin Título) *"));
    form(0)->ArchivoDocumento = QStringLiteral("/doc/a.fkelu");
    form(0)->Modificado = false;
    form(0)->ActualizarTitulo();
    EXPECT_EQ(form(1)->windowTitle(), QStringLiteral("Formulario DORVO (/doc/a.fkelu)"));
    EXPECT_EQ(form(1)->ArchivoDocumento, QStringLiteral("/doc/a.fkelu"));
}

TEST_F(FormBase, FirstDataChangeMarksEverySiblingAndOnlyTheFirst)
{
    abrir({QStringLiteral("PRUEBA"), QStringLiteral("KELU"), QStringLiteral("DORVO")});
    for (auto &f : formularios) {
        f->HashXML = QStringLiteral("ABCDEF");
        f->Validado = true;
    }
    // Moving between rows is no change of the document.
    Dataset *tipos = hijo<Table>(1, "adtTipos");
    tipos->Last();
    tipos->First();
    tipos->Refresh();
    EXPECT_FALSE(form(1)->Modificado);

    escribirNombre(1, QStringLiteral("cambio"));
    for (auto &f : formularios) {
        EXPECT_TRUE(f->Modificado);
        EXPECT_FALSE(f->Respondido);
        EXPECT_TRUE(f->HashXML.isEmpty());
    }
    EXPECT_FALSE(form(1)->Validado);
    // A second change retitles nothing.
    form(2)->setWindowTitle(QStringLiteral("sin tocar"));
    escribirNombre(1, QStringLiteral("otro"));
    EXPECT_EQ(form(2)->windowTitle(), QStringLiteral("sin tocar"));
}

TEST_F(FormBase, ChangesWhileBusyDoNotMarkTheDocument)
{
    abrir({QStringLiteral("PRUEBA"), QStringLiteral("KELU")});
    form(0)->Ocupado = true;
    escribirNombre(0, QStringLiteral("del programa"));
    ASSERT_TRUE(ppal(0)->Post());
    EXPECT_FALSE(form(0)->Modificado);
    EXPECT_FALSE(form(1)->Modificado);
}

TEST_F(FormBase, ClosingOneFormClosesAllAndEmptiesTheTreeOncePerForm)
{
    abrir({QStringLiteral("PRUEBA"), QStringLiteral("KELU"), QStringLiteral("DORVO")});
    form(1)->Cerrar();
    procesarBorrados();
    EXPECT_EQ(abiertos(), 0);
    EXPECT_EQ(ganchos.cerrados.size(), 3);
    EXPECT_EQ(refrescos, 3);
    EXPECT_TRUE(area->subWindowList().isEmpty());
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

TEST_F(FormBase, CancelKeepsEveryFormOpenAndNoneBusy)
{
    abrir({QStringLiteral("PRUEBA"), QStringLiteral("KELU"), QStringLiteral("DORVO")});
    escribirNombre(2, QStringLiteral("cambio"));
    dialogos.responder({ID::CANCEL});
    form(0)->Cerrar();
    procesarBorrados();
    EXPECT_EQ(abiertos(), 3);
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_EQ(dialogos.boxes[0].texto,
              QStringLiteral("Ha realizado modificaciones en uno o más de\nlos formularios abiertos.\n\n¿Desea grabar los cambios?"));
    EXPECT_EQ(dialogos.boxes[0].botones, MB::YESNOCANCEL);
    for (auto &f : formularios) {
        EXPECT_FALSE(f->Ocupado);
        EXPECT_TRUE(f->Modificado);
    }
    EXPECT_TRUE(ganchos.cerrados.isEmpty());
}

// Yes followed by a cancelled Save As closed every form and lost the changes.
TEST_F(FormBase, YesWithCancelledSaveAsKeepsEverythingOpenAndModified)
{
    abrir({QStringLiteral("PRUEBA"), QStringLiteral("KELU")});
    escribirNombre(0, QStringLiteral("cambio"));
    dialogos.responder({ID::YES});
    form(1)->Cerrar();
    procesarBorrados();
    EXPECT_EQ(abiertos(), 2);
    for (auto &f : formularios) {
        EXPECT_TRUE(f->Modificado);
        EXPECT_FALSE(f->Ocupado);
    }
}

TEST_F(FormBase, YesSavesThenClosesAndNoClosesWithoutSaving)
{
    abrir({QStringLiteral("PRUEBA"), QStringLiteral("KELU")});
    escribirNombre(0, QStringLiteral("guardado"));
    archivoElegido = dir.filePath(QStringLiteral("doc.fprueba"));
    dialogos.responder({ID::YES});
    form(0)->Cerrar();
    procesarBorrados();
    EXPECT_EQ(abiertos(), 0);
    EXPECT_TRUE(QFile::exists(archivoElegido));

    formularios.clear();
    abrir({QStringLiteral("PRUEBA")});
    escribirNombre(0, QStringLiteral("descartado"));
    dialogos.responder({ID::NO});
    form(0)->Cerrar();
    procesarBorrados();
    EXPECT_EQ(abiertos(), 0);
}

TEST_F(FormBase, TypedLettersBecomeSpanishCapitalsExceptInTheFormsThatKeepThem)
{
    abrir({QStringLiteral("PRUEBA")});
    auto *edt = hijo<DBEdit>(0, "edtNombre");
    edt->clear();
    teclear(edt, QStringLiteral("añú z"));
    EXPECT_EQ(edt->text(), QStringLiteral("AÑÚ Z"));

    form(0)->setObjectName(QStringLiteral("FormTISA"));
    edt->clear();
    teclear(edt, QStringLiteral("añ"));
    EXPECT_EQ(edt->text(), QStringLiteral("añ"));
}

TEST_F(FormBase, NumericPadDecimalSwapsTheSeparatorOnce)
{
    abrir({QStringLiteral("PRUEBA")});
    auto *edt = hijo<DBEdit>(0, "edtNombre");
    edt->clear();
    QTest::keyClick(edt, Qt::Key_1);
    QTest::keyClick(edt, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(edt, Qt::Key_5);
    QTest::keyClick(edt, Qt::Key_Period);
    QTest::keyClick(edt, Qt::Key_Comma, Qt::KeypadModifier);
    EXPECT_EQ(edt->text(), QStringLiteral("1,5.."));
    EXPECT_FALSE(form(0)->TeclaDecimal);
}

TEST_F(FormBase, SiblingLookupsIgnoreCaseAndReportWhatIsMissing)
{
    abrir({QStringLiteral("PRUEBA"), QStringLiteral("KELU")});
    EXPECT_EQ(form(0)->BuscarFormulario(QStringLiteral("kelu")), form(1));
    EXPECT_EQ(form(0)->BuscarFormulario(QStringLiteral("PRUEBA")), nullptr);
    EXPECT_EQ(form(0)->BuscarDatasource(QStringLiteral("Kelu")), hijo<DataSource>(1, "dsrcPpal"));
    EXPECT_EQ(form(0)->BuscarDataset(QStringLiteral("kelu"), QString()), nullptr);
    EXPECT_EQ(form(0)->BuscarDataset(QStringLiteral("PRUEBA"), QStringLiteral("det")), nullptr);
    // The test form's tables are named after the PRUEBA template, whatever its code.
    EXPECT_EQ(dialogos.boxes.size(), 2);
    EXPECT_TRUE(dialogos.boxes.value(0).texto.startsWith(QStringLiteral("dataset \"\" no encontrado en \"kelu\" (util_eedd, línea ")))
        << dialogos.boxes.value(0).texto.toStdString();
    EXPECT_EQ(dialogos.boxes.value(0).tipo, mtError);

    Table extra;
    extra.setTableName(QStringLiteral("kelu_det"));
    extra.setConnection(form(1)->ConexionBD);
    EXPECT_EQ(form(0)->BuscarDataset(QStringLiteral("KELU"), QStringLiteral("DET")), &extra);
}

TEST_F(FormBase, ReplicasShowTheSiblingsDataReadOnlyInGrey)
{
    abrir({QStringLiteral("PRUEBA"), QStringLiteral("KELU")});
    escribirNombre(1, QStringLiteral("de kelu"));
    ASSERT_TRUE(ppal(1)->Post());
    auto *edt = hijo<DBEdit>(0, "edtNombre");
    auto *memo = hijo<DBMemo>(0, "memObs");
    auto *combo = hijo<DBLookupComboBox>(0, "cmbTipo");
    form(0)->DataSourceExterno(edt, QStringLiteral("kelu"));
    form(0)->DatasourceExterno(memo, QStringLiteral("kelu"));
    form(0)->DatasourceExterno(combo, QStringLiteral("kelu"));
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    EXPECT_EQ(edt->text(), QStringLiteral("de kelu"));
    EXPECT_EQ(edt->dataSource(), hijo<DataSource>(1, "dsrcPpal"));
    EXPECT_EQ(edt->toolTip(), QStringLiteral("Este campo debe llenarse en el formulario KELU.\n"
                                             "La información presentada aquí es sólo una réplica."));
    EXPECT_TRUE(edt->isReadOnly());
    EXPECT_EQ(edt->palette().color(QPalette::Text), QColor(112, 112, 112));
    EXPECT_EQ(edt->palette().color(QPalette::Base), QColor(247, 247, 247));
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(combo->toolTip(), QStringLiteral("Este campo desplegable debe llenarse en el formulario KELU.\n"
                                               "La información presentada aquí es sólo una réplica."));
    EXPECT_EQ(combo->ListSource(), hijo<DataSource>(1, "dsrcTipos"));
    EXPECT_FALSE(combo->isEnabled());

    form(0)->DataSourceExterno(edt, QStringLiteral("ZURI"));
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes[0].texto.startsWith(
        QStringLiteral("TCustomMDIChild.DatasourceExterno: Datasource dsrcPpal no encontrado en \"ZURI\"")));
}

TEST_F(FormBase, MainConnectionComesFromTheFirstSiblingThatHasOne)
{
    auto *f = qobject_cast<TCustomMDIChild *>(ClassRegistry::instance().create(QStringLiteral("TFormPRUEBA"), nullptr));
    abrir({QStringLiteral("KELU")});
    area->addSubWindow(f);
    f->DirAplicacion = app;
    f->Codigo = QStringLiteral("PRUEBA");
    f->Nuevo();
    f->ConexionBDPpal = nullptr; // a form without a main-database connection of its own
    f->Hermanos << form(0);
    formularios << f;
    ASSERT_TRUE(f->EstablecerBBDD());
    EXPECT_EQ(f->ConexionBDPpal, form(0)->ConexionBDPpal);
    EXPECT_TRUE(f->ConexionBDPpal->isOpen());
    EXPECT_FALSE(f->Modificado || f->Ocupado || f->Guardando);
    EXPECT_EQ(f->DatasetPpal->State(), DatasetState::Edit);
    EXPECT_TRUE(f->ArchivoMDB.startsWith(GetMisDocumentos() + QStringLiteral("Formularios/temporal/")));
}

// The file name was spliced into the SQL text and the date followed the machine's locale.
TEST_F(FormBase, GuardarFormPredioBindsTheFileNameAndStoresTheDateInTheSchemaFormat)
{
    abrir({QStringLiteral("PRUEBA")});
    form(0)->PredCodigo = 77;
    const QString archivo = QStringLiteral("/home/u/Formularios/o'higgins_kelu_001.fkelu");
    ASSERT_TRUE(form(0)->GuardarFormPredio(12, archivo));
    const QueryResult r = form(0)->ConexionBDPpal->select(
        QStringLiteral("SELECT pred_codigo, form_id, foco_estado, foco_fecha, foco_archivo FROM formPredio"));
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_EQ(r.rows[0].value(0).toInt(), 77);
    EXPECT_EQ(r.rows[0].value(1).toInt(), 12);
    EXPECT_EQ(r.rows[0].value(2).toInt(), 0);
    EXPECT_EQ(r.rows[0].value(3).toString(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + " 00:00:00");
    EXPECT_EQ(r.rows[0].value(4).toString(), archivo);
}

TEST_F(FormBase, LlenarInfoPersonaCopiesThePersonAndReportsMissingFields)
{
    abrir({QStringLiteral("PRUEBA")});
    Table rep;
    rep.setObjectName(QStringLiteral("adtPersonaRep"));
    rep.setTableName(QStringLiteral("persona_rep"));
    rep.setConnection(form(0)->ConexionBD);
    ASSERT_TRUE(rep.Open());
    ASSERT_TRUE(rep.Edit());
    form(0)->LlenarInfoPersona(&rep, QStringLiteral("rut"));
    EXPECT_EQ(rep.FieldByName(QStringLiteral("pat"))->AsString(), QStringLiteral("Pérez"));
    EXPECT_EQ(rep.FieldByName(QStringLiteral("dv"))->AsString(), QStringLiteral("5"));
    EXPECT_EQ(rep.FieldByName(QStringLiteral("com"))->AsInteger(), 13101);
    EXPECT_EQ(rep.FieldByName(QStringLiteral("fono"))->AsString(), QStringLiteral("555 1234"));
    EXPECT_TRUE(dialogos.boxes.isEmpty());

    Table corta;
    corta.setObjectName(QStringLiteral("adtCorta"));
    corta.setTableName(QStringLiteral("persona_rep"));
    corta.setConnection(form(0)->ConexionBD);
    ASSERT_TRUE(form(0)->ConexionBD->exec(QStringLiteral("ALTER TABLE persona_rep DROP COLUMN ciu")));
    ASSERT_TRUE(corta.Open());
    ASSERT_TRUE(corta.Edit());
    form(0)->LlenarInfoPersona(&corta, QStringLiteral("rut"));
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes[0].texto.startsWith(QStringLiteral("Campo \"ciu\" no existe en DataSet \"adtCorta\"")));
}

TEST_F(FormBase, DeletionAsksAndAnEmptyDatasetCancelsSilently)
{
    abrir({QStringLiteral("PRUEBA")});
    Dataset *det = hijo<Table>(0, "adtPRUEBA_det");
    EXPECT_THROW(form(0)->AdsEventoBeforeDelete(det), EAbort);
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    ASSERT_TRUE(det->Append());
    ASSERT_TRUE(det->FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("1")));
    ASSERT_TRUE(det->Post());
    dialogos.responder({ID::NO});
    EXPECT_THROW(det->Delete(), EAbort);
    EXPECT_EQ(det->RecordCount(), 1);
    EXPECT_EQ(dialogos.textos(), QStringList{QStringLiteral("¿Está seguro de eliminar este registro?")});
    dialogos.responder({ID::YES});
    EXPECT_TRUE(det->Delete());
    EXPECT_EQ(det->RecordCount(), 0);
}

TEST_F(FormBase, PagesHelpAndActivation)
{
    abrir({QStringLiteral("KELU"), QStringLiteral("DORVO")});
    form(0)->CambiarHoja(1);
    EXPECT_EQ(form(0)->HojaActual, 1);
    EXPECT_EQ(form(0)->Paginas->currentIndex(), 1);
    EXPECT_EQ(form(0)->PaginaAyuda(), QStringLiteral("KELU_01.html"));
    form(0)->HojaActual = 12;
    EXPECT_EQ(form(0)->PaginaAyuda(), QStringLiteral("KELU_12.html"));

    area->show();
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(form(0)->parentWidget()));
    ganchos.activados.clear();
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(form(1)->parentWidget()));
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(form(0)->parentWidget()));
    EXPECT_EQ(ganchos.activados, (QList<QWidget *>{form(1), form(0)}));
}

TEST_F(FormBase, DocumentOfThreeFormsSavesAndLoadsEachFormsOwnData)
{
    abrir({QStringLiteral("PRUEBA"), QStringLiteral("KELU"), QStringLiteral("DORVO")});
    for (int i = 0; i < 3; ++i)
        escribirNombre(i, form(i)->Codigo.toLower());
    const QString archivo = dir.filePath(QStringLiteral("doc.fprueba"));
    QList<TCustomMDIChild *> lista{form(2), form(0), form(1)};
    ASSERT_TRUE(TCustomMDIChild::GuardarDocumento(archivo, lista));
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.left(12), QByteArray("v") + GetProgramVersion(QString()).toLatin1().leftJustified(5, ' ', true) + "DORVO ");
    // Records compressed on threads of their own come out as one thread writes them, in
    // the forms' order.
    QByteArray serie;
    for (TCustomMDIChild *f : lista) {
        QFile base(f->ArchivoMDB);
        ASSERT_TRUE(base.open(QIODevice::ReadOnly));
        QByteArray r;
        ASSERT_TRUE(RegistroDocumento::escribir(GetProgramVersion(QString()), f->Codigo, base.readAll(), r));
        serie += r;
    }
    EXPECT_TRUE(bytes == serie);
    EXPECT_EQ(form(0)->ArchivoDocumento, archivo);
    EXPECT_EQ(ppal(0)->State(), DatasetState::Browse);

    for (int i = 0; i < 3; ++i)
        escribirNombre(i, QStringLiteral("después"));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(form(i)->Cargar(archivo));
        EXPECT_EQ(nombreEn(i), form(i)->Codigo.toLower());
    }
    EXPECT_TRUE(dialogos.boxes.isEmpty());

    // Guardar appends one form's record to what the file holds.
    ASSERT_TRUE(form(0)->Guardar(archivo));
    QFile g(archivo);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_TRUE(g.readAll().startsWith(bytes));
}

// A damaged document replaced the working database before finding out it was damaged.
TEST_F(FormBase, DamagedRecordChangesNothing)
{
    abrir({QStringLiteral("PRUEBA")});
    escribirNombre(0, QStringLiteral("guardado"));
    const QString archivo = dir.filePath(QStringLiteral("doc.fprueba"));
    ASSERT_TRUE(TCustomMDIChild::GuardarDocumento(archivo, {form(0)}));
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    for (qsizetype i = 40; i < bytes.size(); i += 5)
        bytes[i] = char(bytes[i] ^ 0x33);
    f.seek(0);
    f.write(bytes);
    f.close();

    escribirNombre(0, QStringLiteral("en pantalla"));
    ASSERT_TRUE(ppal(0)->Post());
    EXPECT_FALSE(form(0)->Cargar(archivo));
    EXPECT_EQ(dialogos.textos(), QStringList{QStringLiteral("Error en Formulario PRUEBA: \n\nImposible Abrir el Archivo Solicitado.")});
    EXPECT_TRUE(form(0)->ConexionBD->isOpen());
    EXPECT_EQ(nombreEn(0), QStringLiteral("en pantalla"));
    EXPECT_FALSE(form(0)->Cargar(dir.filePath(QStringLiteral("no-existe.fprueba"))));
    QFile corto(dir.filePath(QStringLiteral("corto.fprueba")));
    ASSERT_TRUE(corto.open(QIODevice::WriteOnly));
    corto.write("v2.5  PR");
    corto.close();
    EXPECT_FALSE(form(0)->Cargar(corto.fileName()));
    EXPECT_EQ(dialogos.boxes.size(), 3);
    EXPECT_EQ(nombreEn(0), QStringLiteral("en pantalla"));
}

TEST_F(FormBase, OldRecordsAreUpgradedAndAFailedUpgradeIsReported)
{
    // The DORVO template as the program has it now: its persons have sex and usufruct.
    {
        Connection c;
        ASSERT_TRUE(c.open(app + QStringLiteral("bbdd/DORVO.db")));
        ASSERT_TRUE(c.execScript(QStringLiteral(
            "CREATE TABLE dorvo_pro (id INTEGER PRIMARY KEY AUTOINCREMENT, nom VARCHAR(30), sexo INTEGER, usuf BOOLEAN);"
            "CREATE TABLE dorvo_rep (id INTEGER PRIMARY KEY AUTOINCREMENT, nom VARCHAR(30), sexo INTEGER);")));
    }
    abrir({QStringLiteral("DORVO")});
    // An untagged record of a DORVO database that lacks the columns later versions added.
    const QString vieja = dir.filePath(QStringLiteral("vieja.db"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_TESTFORM_TEMPLATE), vieja));
    {
        Connection c;
        ASSERT_TRUE(c.open(vieja));
        ASSERT_TRUE(c.execScript(QStringLiteral("UPDATE prueba SET nombre = 'de 2004';"
                                                "CREATE TABLE dorvo_pro (id INTEGER PRIMARY KEY, nom VARCHAR(30));"
                                                "INSERT INTO dorvo_pro VALUES (1, 'Ana');"
                                                "CREATE TABLE dorvo_rep (id INTEGER PRIMARY KEY, nom VARCHAR(30));"
                                                "INSERT INTO dorvo_rep VALUES (1, 'Luis');")));
    }
    auto documento = [&](const QString &version, const QString &archivo) {
        QFile vf(vieja);
        EXPECT_TRUE(vf.open(QIODevice::ReadOnly));
        QByteArray registro;
        EXPECT_TRUE(RegistroDocumento::escribir(version, QStringLiteral("DORVO"), vf.readAll(), registro));
        QFile doc(archivo);
        EXPECT_TRUE(doc.open(QIODevice::WriteOnly));
        doc.write(version.isEmpty() ? registro.mid(6) : registro);
    };
    const QString archivo = dir.filePath(QStringLiteral("viejo.fprueba"));
    documento(QString(), archivo);
    ASSERT_TRUE(form(0)->Cargar(archivo));
    EXPECT_EQ(nombreEn(0), QStringLiteral("de 2004"));
    // The persons keep their rows; the columns they lacked hold what the upgrade gives them.
    const QueryResult r = form(0)->ConexionBD->select(
        QStringLiteral("SELECT nom, sexo, usuf FROM dorvo_pro UNION ALL SELECT nom, sexo, NULL FROM dorvo_rep"));
    ASSERT_EQ(r.rows.size(), 2);
    EXPECT_EQ(r.rows[0], (QVariantList{QStringLiteral("Ana"), 0, 0}));
    EXPECT_EQ(r.rows[1], (QVariantList{QStringLiteral("Luis"), 0, QVariant()}));

    // Without dorvo_rep the upgrade fails: the version message alone, the detail to the log.
    {
        Connection c;
        ASSERT_TRUE(c.open(vieja));
        ASSERT_TRUE(c.exec(QStringLiteral("DROP TABLE dorvo_rep")));
    }
    documento(QStringLiteral("1.2"), archivo);
    EXPECT_FALSE(form(0)->Cargar(archivo));
    EXPECT_EQ(dialogos.textos(),
              QStringList{QStringLiteral("Error en Formulario DORVO: \n\nNo se pudo actualizar la version para el formulario indicado..")});
    EXPECT_TRUE(form(0)->ConexionBD->isOpen());
    EXPECT_EQ(nombreEn(0), QStringLiteral("de 2004"));
}

namespace {

void pulsar(QWidget *w, int tecla, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    const QString texto = tecla == Qt::Key_Tab ? QStringLiteral("\t") : QString();
    QKeyEvent e(QEvent::KeyPress, tecla, mod, texto);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST_F(FormBase, GridsGetTheFrameworksHandlersAndEditingOptions)
{
    abrir({QStringLiteral("PRUEBA")});
    auto *grilla = hijo<DBGrid>(0, "dbgDetalle");
    EXPECT_TRUE(grilla->OnKeyPress && grilla->OnExit);
    EXPECT_TRUE(grilla->options().testFlag(DBGrid::AlwaysShowEditor));
    EXPECT_TRUE(grilla->options().testFlag(DBGrid::Editing));
    EXPECT_TRUE(grilla->options().testFlag(DBGrid::CancelOnExit));
}

// Saving writes a grid's new row only when something was typed into it: a row appended
// and left blank is no row of the document.
TEST_F(FormBase, SaveKeepsOnlyNewRowsThatHoldTypedData)
{
    abrir({QStringLiteral("PRUEBA")});
    Dataset *det = hijo<Table>(0, "adtPRUEBA_det");
    const QString archivo = dir.filePath(QStringLiteral("filas.fprueba"));
    const auto filas = [&] {
        return Consulta(form(0)->ArchivoMDB, QStringLiteral("SELECT COUNT(*) || '|' || IFNULL(group_concat(num), '') FROM prueba_det"));
    };
    ASSERT_TRUE(det->Append());
    ASSERT_TRUE(form(0)->Guardar(archivo));
    EXPECT_EQ(filas(), QStringLiteral("0|"));
    EXPECT_EQ(det->State(), DatasetState::Browse);

    ASSERT_TRUE(det->Append());
    ASSERT_TRUE(det->FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("7")));
    ASSERT_TRUE(form(0)->Guardar(archivo));
    EXPECT_EQ(filas(), QStringLiteral("1|7"));
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

TEST_F(FormBase, EnterTabAndArrowsWalkTheGridColumnsWhileEditing)
{
    abrir({QStringLiteral("PRUEBA")});
    auto *grilla = hijo<DBGrid>(0, "dbgDetalle");
    Dataset *det = grilla->DataSet();
    QWidget *vista = grilla->view();
    grilla->setSelectedIndex(2);
    // Not editing: Enter on the last column does nothing.
    pulsar(vista, Qt::Key_Return);
    EXPECT_EQ(det->RecordCount(), 0);
    EXPECT_EQ(det->State(), DatasetState::Browse);

    ASSERT_TRUE(det->Append());
    ASSERT_TRUE(det->FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("1")));
    grilla->setSelectedIndex(0);
    pulsar(vista, Qt::Key_Return);
    EXPECT_EQ(grilla->SelectedIndex(), 1);
    pulsar(vista, Qt::Key_Tab);
    EXPECT_EQ(grilla->SelectedIndex(), 2);
    pulsar(vista, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grilla->SelectedIndex(), 1);
    EXPECT_FALSE(form(0)->Retroceder);
    // Left on the coded column goes back; Right goes on.
    pulsar(vista, Qt::Key_Left);
    EXPECT_EQ(grilla->SelectedIndex(), 0);
    pulsar(vista, Qt::Key_Right);
    pulsar(vista, Qt::Key_Right);
    EXPECT_EQ(grilla->SelectedIndex(), 2);
    // From the first column, back is the last.
    grilla->setSelectedIndex(0);
    pulsar(vista, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grilla->SelectedIndex(), 2);
    // On the last column the row is posted and a new one appended.
    pulsar(vista, Qt::Key_Return);
    EXPECT_EQ(det->State(), DatasetState::Insert);
    EXPECT_EQ(det->RecordCount(), 1);
    EXPECT_EQ(grilla->SelectedIndex(), 0);

    // Without appending allowed the row is only posted.
    det->Cancel();
    ASSERT_TRUE(det->Edit());
    grilla->setAllowedOperations(DBGrid::AllowUpdate);
    grilla->setSelectedIndex(2);
    pulsar(vista, Qt::Key_Return);
    EXPECT_EQ(det->State(), DatasetState::Browse);
    EXPECT_EQ(det->RecordCount(), 1);
}

TEST_F(FormBase, LeavingAGridOfTag1PostsAndCallsTheFormsSpecialExit)
{
    abrir({QStringLiteral("PRUEBA")});
    auto *grilla = hijo<DBGrid>(0, "dbgDetalle");
    Dataset *det = grilla->DataSet();
    ASSERT_TRUE(det->Append());
    ASSERT_TRUE(det->FieldByName(QStringLiteral("num"))->setAsString(QStringLiteral("7")));
    form(0)->DbgEventoOnExit(grilla);
    EXPECT_EQ(det->State(), DatasetState::Browse);
    EXPECT_EQ(det->RecordCount(), 1);
    EXPECT_EQ(form(0)->property("salidasEspeciales").toInt(), 1);
    grilla->setTag(0);
    form(0)->DbgEventoOnExit(grilla);
    EXPECT_EQ(form(0)->property("salidasEspeciales").toInt(), 1);
}

TEST_F(FormBase, GridReplicaShowsTheSiblingsTableReadOnly)
{
    abrir({QStringLiteral("KELU"), QStringLiteral("PRUEBA")});
    auto *grilla = hijo<DBGrid>(0, "dbgDetalle");
    form(0)->DataSetExterno(grilla, QStringLiteral("prueba"), QStringLiteral("det"));
    EXPECT_EQ(grilla->DataSet(), hijo<Table>(1, "adtPRUEBA_det"));
    EXPECT_EQ(hijo<Table>(0, "adtPRUEBA_det")->dataSources().size(), 0);
    EXPECT_TRUE(grilla->ReadOnly());
    EXPECT_EQ(grilla->Hint(), QStringLiteral("Esta tabla debe llenarse en el formulario PRUEBA.\n"
                                             "Los datos presentados aquí son sólo una réplica."));
    EXPECT_EQ(grilla->FontColor(), QColor(112, 112, 112));
    EXPECT_EQ(grilla->Color(), QColor(247, 247, 247));
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

// Regression: a replica grid described without columns showed nothing of the sibling's table.
TEST_F(FormBase, GridReplicaWithoutColumnsShowsTheSiblingsColumns)
{
    abrir({QStringLiteral("KELU"), QStringLiteral("PRUEBA")});
    DBGrid replica(form(0));
    form(0)->DataSetExterno(&replica, QStringLiteral("prueba"), QStringLiteral("det"));
    const DBGrid *original = hijo<DBGrid>(1, "dbgDetalle");
    ASSERT_EQ(replica.ColumnCount(), original->ColumnCount());
    for (int i = 0; i < replica.ColumnCount(); ++i) {
        EXPECT_EQ(replica.Columns(i)->FieldName(), original->Columns(i)->FieldName());
        EXPECT_EQ(replica.Columns(i)->TitleCaption(), original->Columns(i)->TitleCaption());
        EXPECT_EQ(replica.Columns(i)->PickList(), original->Columns(i)->PickList());
    }
    // A table no grid of the sibling shows: one column per field.
    DBGrid principal(form(0));
    form(0)->DataSetExterno(&principal, QStringLiteral("prueba"), QString());
    ASSERT_NE(principal.DataSet(), nullptr);
    EXPECT_EQ(principal.ColumnCount(), principal.DataSet()->FieldCount());
    // Columns the form describes are kept.
    auto *descrita = hijo<DBGrid>(0, "dbgDetalle");
    const int columnas = descrita->ColumnCount();
    form(0)->DataSetExterno(descrita, QStringLiteral("prueba"), QStringLiteral("det"));
    EXPECT_EQ(descrita->ColumnCount(), columnas);
}

TEST_F(FormBase, EveryFormGetsAnExchangeWriterOnTheMainDatabase)
{
    abrir({QStringLiteral("PRUEBA")});
    ASSERT_NE(form(0)->XML, nullptr);
    EXPECT_EQ(form(0)->XML->Conexion(), form(0)->ConexionBDPpal);
    EXPECT_TRUE(form(0)->PrepararSolXML().isEmpty());
}
