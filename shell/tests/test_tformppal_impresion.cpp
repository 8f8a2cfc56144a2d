// The main window's print commands on the active form: the validation warning, the print
// dialog, printer errors, the busy flags, the state a preview leaves behind, and the stop
// on a row a real form's check refused.
#include "dataset.h"
#include "documentoprueba.h"
#include "field.h"
#include "filasprueba.h"
#include "impresion/impresorapredeterminada.h"
#include "impresion/timpresion.h"
#include "impresion/tformvistapreliminar.h"
#include "scripteddialogs.h"
#include "tcustommdichild.h"
#include "terminacion.h"
#include "util_archivo.h"
#include "testprogramdir.h"
#include "planprueba.h"
#include "tformppal.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class FormImpresion : public TCustomMDIChild
{
public:
    void Nuevo() override {}
    QByteArray PrepararXML() override { return {}; }
    bool ValidarTodo() override
    {
        Validado = valido;
        return valido;
    }
    void ComponerImpresion(TImpresion *imp) override
    {
        ocupadoAlComponer = Ocupado;
        ++compuestos;
        imp->IniDocumento();
        imp->Seccion();
        imp->Texto(QStringLiteral("Contenido del formulario"), taIzquierda);
        imp->FinDocumento();
    }
    void ComponerDifrol(TImpresion *imp) override
    {
        ++cartas;
        imp->IniDocumento();
        imp->FinDocumento();
    }

    bool valido = true;
    bool ocupadoAlComponer = false;
    int compuestos = 0;
    int cartas = 0;
};

// Answers the next modal dialog: accepted or rejected. An accepted print dialog prints to
// `archivo`, as if the user had chosen printing to that file.
void responderDialogo(bool aceptar, const QString &archivo = QString())
{
    QTimer::singleShot(0, [aceptar, archivo] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            aceptar ? d->accept() : d->reject();
        if (!archivo.isEmpty())
            ImpresoraPredeterminada()->setOutputFileName(archivo);
    });
}

class ImpresionPpalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ReiniciarTerminacion();
        qApp->setProperty("testSeleccion", 7);
        program.createAll();
        ppal = std::make_unique<TformPpal>(program.path());
        ASSERT_FALSE(ppal->terminado());
    }
    void TearDown() override
    {
        ImpresoraPredeterminada()->setOutputFileName(QString());
        for (QMdiSubWindow *s : ppal->mdiArea->subWindowList())
            if (auto *f = dynamic_cast<FormImpresion *>(s->widget())) {
                f->Modificado = false;
                f->Respondido = true;
            }
        ppal.reset();
        ReiniciarTerminacion();
    }

    FormImpresion *abrir()
    {
        auto *f = new FormImpresion;
        f->DialogoImpresion = ppal->dlgImprimir;
        f->DirAplicacion = program.path() + QLatin1Char('/');
        ppal->mdiArea->addSubWindow(f)->show();
        return f;
    }

    ScopedSettings settings;
    TestProgramDir program;
    ScriptedDialogs dialogos;
    QTemporaryDir salida;
    std::unique_ptr<TformPpal> ppal;
};

const QString kAdvertencia = QStringLiteral(
    "Este formulario no ha superado el proceso de validación.\nPor esto, el formulario impreso será inválido para "
    "ser presentado en Okran.\n\n¿Desea imprimir el formulario de todas maneras?");

} // namespace

TEST_F(ImpresionPpalTest, ImprimeAPdfConLosFormulariosOcupadosMientras)
{
    FormImpresion *f = abrir();
    FormImpresion *otro = abrir();
    const QString pdf = salida.filePath(QStringLiteral("impreso.pdf"));
    ppal->mdiArea->setActiveSubWindow(ppal->mdiArea->subWindowList().first());
    responderDialogo(true, pdf);
    ppal->archImprimir->setEnabled(true);
    ppal->archImprimir->trigger();
    EXPECT_EQ(f->compuestos, 1);
    EXPECT_EQ(otro->compuestos, 0);
    EXPECT_TRUE(f->ocupadoAlComponer);
    EXPECT_FALSE(f->Ocupado);
    EXPECT_FALSE(otro->Ocupado);
    EXPECT_TRUE(dialogos.textos().isEmpty());
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

// Fault: printing to a file proposed print.pdf in the home folder and titled the PDF
// "<Documento>", whatever the document.
TEST_F(ImpresionPpalTest, ElPdfLlevaElNombreDelDocumentoYSeProponeEnLaCarpetaDeFormularios)
{
    FormImpresion *f = abrir();
    f->Codigo = QStringLiteral("PRUEBA");
    f->ArchivoDocumento = salida.filePath(QStringLiteral("los_robles_prueba_001.fpru"));
    const QString pdf = salida.filePath(QStringLiteral("impreso.pdf"));
    QString propuesto;
    QTimer::singleShot(0, [&propuesto] { propuesto = ImpresoraPredeterminada()->outputFileName(); });
    responderDialogo(true, pdf);
    ppal->archImprimirExecute();
    EXPECT_EQ(propuesto, GetMisDocumentos() + QStringLiteral("Formularios/los_robles_prueba_001.pdf"));
    QFile archivo(pdf);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QByteArray bytes = archivo.readAll();
    // The PDF's strings are UTF-16 with a byte order mark.
    const auto utf16 = [](const QString &texto) {
        QByteArray r("\xfe\xff", 2);
        for (QChar c : texto)
            r += QByteArray(1, char(0)) + QByteArray(1, char(c.unicode()));
        return r;
    };
    EXPECT_TRUE(bytes.contains(utf16(QStringLiteral("los_robles_prueba_001"))));
    EXPECT_FALSE(bytes.contains(utf16(QStringLiteral("<Documento>"))));
}

// Fault: the print dialog read the file name once, when built: it proposed print.pdf in the
// home folder, later the last file printed, whatever the document. It proposes the active
// document's name under Formularios every time it opens.
TEST_F(ImpresionPpalTest, ElDialogoProponeElPdfDelDocumentoCadaVez)
{
    FormImpresion *f = abrir();
    f->ArchivoDocumento = salida.filePath(QStringLiteral("los_robles_prueba_001.fpru"));
    const QString carpeta = GetMisDocumentos() + QStringLiteral("Formularios/");
    // What the dialog's file box shows when it opens; it is then accepted printing to `otro`
    // or cancelled.
    const auto propuesto = [this](const QString &otro) {
        QString texto = QStringLiteral("(sin diálogo)");
        QTimer::singleShot(0, [&texto, otro] {
            auto *d = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            if (!d)
                return;
            const QList<QLineEdit *> cajas = d->findChildren<QLineEdit *>(QStringLiteral("filename"));
            texto = cajas.isEmpty() ? QStringLiteral("(sin caja)") : cajas.first()->text();
            if (otro.isEmpty()) {
                d->reject();
            } else {
                cajas.first()->setText(otro);
                d->accept();
            }
        });
        ppal->archImprimirExecute();
        return texto;
    };
    EXPECT_EQ(propuesto(salida.filePath(QStringLiteral("elegido.pdf"))), carpeta + QStringLiteral("los_robles_prueba_001.pdf"));
    EXPECT_TRUE(QFileInfo::exists(salida.filePath(QStringLiteral("elegido.pdf"))));
    EXPECT_EQ(propuesto(QString()), carpeta + QStringLiteral("los_robles_prueba_001.pdf"));
    FormImpresion *g = abrir();
    g->ArchivoDocumento = salida.filePath(QStringLiteral("el_alamo_prueba_002.fpru"));
    ppal->mdiArea->setActiveSubWindow(ppal->mdiArea->subWindowList().last());
    EXPECT_EQ(propuesto(QString()), carpeta + QStringLiteral("el_alamo_prueba_002.pdf"));
}

// Answering No to the validation warning, or cancelling the print dialog, prints nothing
// and leaves no form busy.
TEST_F(ImpresionPpalTest, SinValidarPreguntaYNoImprime)
{
    FormImpresion *f = abrir();
    f->valido = false;
    dialogos.respuestas = {ID::NO};
    ppal->archImprimirExecute();
    EXPECT_EQ(dialogos.textos(), QStringList{kAdvertencia});
    EXPECT_EQ(dialogos.boxes.first().tipo, mtWarning);
    EXPECT_EQ(f->compuestos, 0);
    EXPECT_FALSE(f->Ocupado);

    dialogos.respuestas = {ID::YES};
    responderDialogo(false);
    ppal->archImprimirExecute();
    EXPECT_EQ(f->compuestos, 0);
    EXPECT_FALSE(f->Ocupado);
}

TEST_F(ImpresionPpalTest, ErrorDeImpresoraSeInforma)
{
    FormImpresion *f = abrir();
    responderDialogo(true, salida.filePath(QStringLiteral("no/existe/x.pdf")));
    ppal->archImprimirExecute();
    EXPECT_EQ(f->compuestos, 1);
    EXPECT_EQ(dialogos.textos(),
              QStringList{QStringLiteral("No existe ninguna impresora instalada en este equipo.\nInstale una impresora "
                                         "valida y reintente la operacion.")});
    EXPECT_FALSE(f->Ocupado);
}

// A preview leaves the document's forms one exchange hash (none when they differ) and one
// modified state.
TEST_F(ImpresionPpalTest, VistaPreliminarDejaHashYModificadoComunes)
{
    FormImpresion *f = abrir();
    FormImpresion *g = abrir();
    f->HashXML = QStringLiteral("AAAAA");
    g->HashXML = QStringLiteral("BBBBB");
    f->Modificado = false;
    g->Modificado = true;
    responderDialogo(false);
    ppal->archVistaPreliminarExecute();
    EXPECT_EQ(f->compuestos + g->compuestos, 1);
    EXPECT_TRUE(f->HashXML.isEmpty());
    EXPECT_TRUE(g->HashXML.isEmpty());
    EXPECT_TRUE(f->Modificado);
    EXPECT_TRUE(g->Modificado);
    EXPECT_FALSE(f->Ocupado || g->Ocupado);
}

TEST_F(ImpresionPpalTest, VistaPreliminarDeUnFormularioConservaSuEstado)
{
    FormImpresion *f = abrir();
    f->HashXML = QStringLiteral("0123456789ABCDEF0123456789ABCDEF");
    f->Modificado = false;
    responderDialogo(false);
    ppal->archVistaPreliminarExecute();
    EXPECT_EQ(f->compuestos, 1);
    EXPECT_EQ(f->HashXML, QStringLiteral("0123456789ABCDEF0123456789ABCDEF"));
    EXPECT_FALSE(f->Modificado);
}

TEST_F(ImpresionPpalTest, CartaSeImprimeYPrevisualiza)
{
    FormImpresion *f = abrir();
    responderDialogo(true, salida.filePath(QStringLiteral("carta.pdf")));
    ppal->difrolImprimirExecute();
    EXPECT_EQ(f->cartas, 1);
    EXPECT_TRUE(QFileInfo::exists(salida.filePath(QStringLiteral("carta.pdf"))));
    responderDialogo(false);
    ppal->difrolVistaPreliminarExecute();
    EXPECT_EQ(f->cartas, 2);
    EXPECT_EQ(f->compuestos, 0);
    EXPECT_FALSE(f->Ocupado);
}

TEST_F(ImpresionPpalTest, SinDocumentoNoHaceNada)
{
    ppal->archImprimirExecute();
    ppal->archVistaPreliminarExecute();
    ppal->difrolImprimirExecute();
    EXPECT_TRUE(dialogos.textos().isEmpty());
}

namespace {

// A row typed into a real form's table and left pending (not posted), as a consultant
// leaves one with Enter when its check refuses it.
struct FilaRechazada
{
    const char *nombre;
    QStringList codigos; // the document: principal form first
    const char *form;    // the form holding the row
    const char *tabla;   // the suffix of its dataset
    // The rows the refused one needs before it, typed and posted.
    ValoresFila antes;
    const char *tablaAntes;
    bool editar; // the refused values go into the first row, else into a new one
    ValoresFila valores;
    const char *mensaje; // what the check says
};

class ImpresionFilaRechazadaTest : public ImpresionPpalTest
{
protected:
    static void SetUpTestSuite()
    {
        CargarPlugins({QStringLiteral(BRENVIK_ILVA_PLUGIN), QStringLiteral(BRENVIK_DORVO_PLUGIN),
                       QStringLiteral(BRENVIK_FERUN_PLUGIN),
                       QStringLiteral(BRENVIK_ZURI_PLUGIN)});
    }

    // The document in the main window, its form `codigo` active.
    TCustomMDIChild *abrirDocumento(const FilaRechazada &c)
    {
        const QString app = documentos.path() + QLatin1Char('/') + QString::fromUtf8(c.nombre).replace(QLatin1Char(' '), QLatin1Char('_')) + QLatin1Char('/');
        QStringList bases{QStringLiteral("bd.db")};
        for (const QString &codigo : c.codigos)
            bases << codigo + QStringLiteral(".db");
        PrepararPrograma(app, bases);
        const QList<TCustomMDIChild *> forms = CrearDocumento(
            ppal->mdiArea, app, c.codigos, [](const QString &) { return 1; }, QStringLiteral("Documento de prueba"));
        for (TCustomMDIChild *f : forms) {
            abiertos << f;
            if (f->Codigo == QLatin1String(c.form))
                ppal->mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(f->parentWidget()));
        }
        return formularioActivoDe();
    }
    TCustomMDIChild *formularioActivoDe() const
    {
        QMdiSubWindow *s = ppal->mdiArea->activeSubWindow();
        return s ? qobject_cast<TCustomMDIChild *>(s->widget()) : nullptr;
    }
    void TearDown() override
    {
        for (TCustomMDIChild *f : std::as_const(abiertos))
            if (f) {
                f->Modificado = false;
                f->Respondido = true;
            }
        ImpresionPpalTest::TearDown();
    }

    QTemporaryDir documentos;
    QList<QPointer<TCustomMDIChild>> abiertos;
};

} // namespace

// Fault: printing or previewing with a refused row pending showed the check's message twice
// and ended the program (an exception thrown while another unwound), losing the document.
// The commands stop as Save does: the message once, the row kept as typed, nothing shown.
TEST_F(ImpresionFilaRechazadaTest, ImprimirOPrevisualizarSeDetieneEnLaFilaRechazada)
{
    const QList<FilaRechazada> casos = {
        {"curtain with no rows of trees", {"DORVO", "ILVA"}, "ILVA", "car", {}, nullptr, false,
         {{"num_sect", "1"}, {"num_cort", "1"}, {"sup", "10"}, {"long", "0,5"}, {"num_hil", "0"}, {"dis", "3"}, {"ano", "2025"}},
         "hileras"},
        {"new curtain without its year", {"DORVO", "ILVA"}, "ILVA", "car", {}, nullptr, false,
         {{"num_sect", "1"}, {"num_cort", "1"}, {"sup", "10"}, {"long", "0,5"}, {"num_hil", "2"}, {"dis", "3"}},
         "Plantación"},
        {"plot-size row of one plot", {"FERUN", "ZURI"}, "ZURI", "tam_num_par",
         {{"num_sec", "1"}, {"num", "1"}, {"tip_res", "10"}, {"cat_suelo", "1"}}, "sec_for", true,
         {{"sup", "100"}, {"num_par", "1"}}, "Parcelas"},
    };
    using Comando = void (TformPpal::*)();
    const QList<std::pair<const char *, Comando>> comandos = {
        {"preview", &TformPpal::archVistaPreliminarExecute},
        {"print", &TformPpal::archImprimirExecute},
        {"cover letter preview", &TformPpal::difrolVistaPreliminarExecute},
        {"cover letter print", &TformPpal::difrolImprimirExecute},
    };
    for (const FilaRechazada &c : casos) {
        SCOPED_TRACE(c.nombre);
        TCustomMDIChild *f = abrirDocumento(c);
        ASSERT_TRUE(f);
        ASSERT_EQ(f->Codigo, QLatin1String(c.form));
        const QString prefijo = QStringLiteral("adt%1_").arg(f->Codigo);
        if (c.tablaAntes) {
            Dataset *antes = f->findChild<Dataset *>(prefijo + QLatin1String(c.tablaAntes));
            ASSERT_TRUE(antes && AgregarFila(antes, c.antes)) << dialogos.textos().join('\n').toStdString();
        }
        Dataset *ds = f->findChild<Dataset *>(prefijo + QLatin1String(c.tabla));
        ASSERT_TRUE(ds);
        c.editar ? (ds->First(), ds->Edit()) : ds->Append();
        for (const auto &[campo, valor] : c.valores)
            ds->FieldByName(QLatin1String(campo))->setAsString(valor);
        dialogos.boxes.clear();
        for (const auto &[nombre, comando] : comandos) {
            SCOPED_TRACE(nombre);
            QStringList abiertas;
            QTimer vigia;
            QObject::connect(&vigia, &QTimer::timeout, [&abiertas] {
                if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                    abiertas << QString::fromLatin1(d->metaObject()->className());
                    d->reject();
                }
            });
            vigia.start(10);
            (ppal.get()->*comando)();
            vigia.stop();
            EXPECT_TRUE(abiertas.isEmpty()) << abiertas.join(' ').toStdString();
            ASSERT_EQ(dialogos.textos().size(), 1) << dialogos.textos().join('\n').toStdString();
            EXPECT_TRUE(dialogos.textos().first().contains(QString::fromUtf8(c.mensaje)))
                << dialogos.textos().first().toStdString();
            dialogos.boxes.clear();
            EXPECT_TRUE(ds->State() == DatasetState::Insert || ds->State() == DatasetState::Edit);
            for (const auto &[campo, valor] : c.valores)
                EXPECT_EQ(ds->FieldByName(QLatin1String(campo))->AsString(), valor) << campo;
            EXPECT_FALSE(f->Ocupado);
        }
        ds->Cancel();
    }
}
