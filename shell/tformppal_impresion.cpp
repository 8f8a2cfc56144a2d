// The main window's print commands: print, printer set-up, preview, and the cover letter's
// print and preview, on the active form of the open document.
#include "tformppal.h"

#include "abort.h"
#include "dialogservice.h"
#include "impresion/impresorapredeterminada.h"
#include "formulariosdocumento.h"
#include "tcustommdichild.h"
#include "util_archivo.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

#include <exception>

namespace {

const QString kSinImpresora = QStringLiteral(
    "No existe ninguna impresora instalada en este equipo.\nInstale una impresora valida y reintente la operacion.");
const QString kSinImpresoraVista = QStringLiteral(
    "No existe ninguna impresora instalada en este equipo.\nInstale una impresora válida y reintente la operación.");

// Runs a print step; a failure of the print system ends the command with `mensaje`. A
// check that refused a row while composing has told why already.
template<typename F>
void protegido(const QString &mensaje, F paso)
{
    try {
        paso();
    } catch (const EAbort &) {
    } catch (const std::exception &) {
        DialogoWin32(mtError, mensaje, MB::OK);
    }
}

// Previews on the active form; the document's forms share one exchange hash and one
// modified state, which composing must leave as they were.
void previsualizar(const QMdiArea *area, void (TCustomMDIChild::*vista)())
{
    TCustomMDIChild *activo = formularioActivo(area);
    if (!activo || !TformPpal::ValidarSoloTablas(activo))
        return;
    const Ocupados ocupados(area);
    const QList<QPointer<TCustomMDIChild>> todos = formularios(area);
    QString hash = todos.first()->HashXML;
    bool modificado = false;
    for (TCustomMDIChild *f : todos) {
        if (f->HashXML != hash)
            hash.clear();
        modificado = modificado || f->Modificado;
    }
    protegido(kSinImpresoraVista, [&] { (activo->*vista)(); });
    for (const QPointer<TCustomMDIChild> &f : todos) {
        if (f) {
            f->HashXML = hash;
            f->Modificado = modificado;
        }
    }
}

// Prints through the print dialog's printer once the dialog is accepted.
void imprimir(QPrintDialog *dialogo, TCustomMDIChild *activo, bool (TCustomMDIChild::*impresion)(QString *))
{
    TformPpal::PrepararDialogoImpresion(dialogo, activo);
    if (dialogo->exec() != QDialog::Accepted)
        return;
    protegido(kSinImpresora, [&] {
        QString error;
        if (!(activo->*impresion)(&error) && !error.isEmpty())
            DialogoWin32(mtError, kSinImpresora, MB::OK);
    });
}

} // namespace

void TformPpal::PrepararDialogoImpresion(QPrintDialog *dialogo, const TCustomMDIChild *activo)
{
    // Without a file of its own the dialog would propose print.pdf in the home folder,
    // whatever the document.
    QPrinter *impresora = dialogo->printer();
    const QString nombre = activo->NombreImpresion();
    impresora->setDocName(nombre);
    if (impresora->outputFormat() != QPrinter::PdfFormat && !impresora->printerName().isEmpty())
        return;
    const QString archivo = GetMisDocumentos() + QStringLiteral("Formularios/") + nombre + QStringLiteral(".pdf");
    impresora->setOutputFileName(archivo);
    // The dialog's file box reads the printer's file only when the dialog is built: it
    // would propose the first name, later the last file printed.
    for (QLineEdit *caja : dialogo->findChildren<QLineEdit *>(QStringLiteral("filename")))
        caja->setText(archivo);
}

void TformPpal::conectarImpresion()
{
    dlgImprimir = new QPrintDialog(ImpresoraPredeterminada(), this);
    dlgImprimir->setObjectName(QStringLiteral("dlgImprimir"));
    dlgImprimir->setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange);
    connect(archImprimir, &QAction::triggered, this, &TformPpal::archImprimirExecute);
    connect(archConfImpresion, &QAction::triggered, this, &TformPpal::archConfImpresionExecute);
    connect(archVistaPreliminar, &QAction::triggered, this, &TformPpal::archVistaPreliminarExecute);
    connect(difrolImprimir, &QAction::triggered, this, &TformPpal::difrolImprimirExecute);
    connect(difrolVistaPreliminar, &QAction::triggered, this, &TformPpal::difrolVistaPreliminarExecute);
}

void TformPpal::archImprimirExecute()
{
    TCustomMDIChild *activo = formularioActivo(mdiArea);
    if (!activo || !ValidarSoloTablas(activo))
        return;
    const Ocupados ocupados(mdiArea);
    activo->ValidarTodo();
    if (!activo->Validado
        && DialogoWin32(mtWarning,
                        QStringLiteral("Este formulario no ha superado el proceso de validación.\nPor esto, el formulario "
                                       "impreso será inválido para ser presentado en Okran.\n\n¿Desea imprimir el "
                                       "formulario de todas maneras?"),
                        MB::YESNO)
               != ID::YES)
        return;
    imprimir(dlgImprimir, activo, &TCustomMDIChild::Imprimir);
}

void TformPpal::archConfImpresionExecute()
{
    // Made when first asked for: built at start-up it warned on every start where the
    // default printer is not a native one (print to file).
    if (!dlgConfImpresion) {
        dlgConfImpresion = new QPageSetupDialog(ImpresoraPredeterminada(), this);
        dlgConfImpresion->setObjectName(QStringLiteral("dlgConfImpresion"));
    }
    dlgConfImpresion->exec();
}

void TformPpal::archVistaPreliminarExecute()
{
    previsualizar(mdiArea, &TCustomMDIChild::Previsualizar);
}

void TformPpal::difrolImprimirExecute()
{
    TCustomMDIChild *activo = formularioActivo(mdiArea);
    if (!activo || !ValidarSoloTablas(activo))
        return;
    const Ocupados ocupados(mdiArea);
    imprimir(dlgImprimir, activo, &TCustomMDIChild::ImprimirDifrol);
}

void TformPpal::difrolVistaPreliminarExecute()
{
    previsualizar(mdiArea, &TCustomMDIChild::PrevisualizarDifrol);
}
