// The main window's print commands on the active form: the validation warning, the print
// dialog, printer errors, the busy flags and the state a preview leaves behind.
#include "impresion/impresorapredeterminada.h"
#include "impresion/timpresion.h"
#include "impresion/tformvistapreliminar.h"
#include "scripteddialogs.h"
#include "tcustommdichild.h"
#include "terminacion.h"
#include "util_archivo.h"
#include "testprogramdir.h"
#include "tformppal.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
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
