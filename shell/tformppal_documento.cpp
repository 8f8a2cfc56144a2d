// The document commands of the main window.
#include "tformppal.h"

#include "formulariosdocumento.h"
#include "nombredocumento.h"
#include "connection.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

QString carpetaFormularios()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Formularios/");
}



// Writes the whole document to `archivo` (the forms in MDI order, atomically) and leaves the
// forms saved; false, after the form's message, when it could not be written.
bool grabarDocumento(const QMdiArea *area, const QString &archivo)
{
    const QList<QPointer<TCustomMDIChild>> lista = formularios(area);
    QList<TCustomMDIChild *> forms;
    for (TCustomMDIChild *f : lista) {
        f->Guardando = true;
        forms.append(f);
    }
    const bool ok = TCustomMDIChild::GuardarDocumento(archivo, forms);
    for (const QPointer<TCustomMDIChild> &f : lista) {
        if (!f)
            continue;
        f->Guardando = false;
        if (ok) {
            f->Modificado = false;
            f->Respondido = true;
        }
    }
    return ok;
}

} // namespace

void TformPpal::archGuardarExecute(QObject *sender)
{
    TCustomMDIChild *activo = formularioActivo(mdiArea);
    if (!activo)
        return;
    const Ocupados ocupados(mdiArea);
    if (activo->ArchivoDocumento.isEmpty()) {
        archGuardarComoExecute(sender);
        return;
    }
    const QString archivo = activo->ArchivoDocumento;
    setEnabled(false);
    MostrarHint(QStringLiteral("Grabando ..."));
    if (grabarDocumento(mdiArea, archivo) && activo->ConexionBDPpal) {
        const QList<QPointer<TCustomMDIChild>> lista = formularios(mdiArea);
        const int estado = !lista.isEmpty() && lista.last() && !lista.last()->HashXML.isEmpty() ? 1 : 0;
        const QString hoy = QDate::currentDate().startOfDay().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        Connection *bd = activo->ConexionBDPpal;
        if (bd->exec(QStringLiteral("UPDATE formPredio SET foco_estado=?, foco_fecha=? WHERE foco_archivo=?"),
                     {estado, hoy, archivo})
            && bd->changes() == 0) {
            bd->exec(QStringLiteral("INSERT INTO formPredio (pred_codigo, form_id, foco_estado, foco_fecha, "
                                    "foco_archivo) VALUES (?, ?, 0, ?, ?)"),
                     {activo->PredCodigo, Combinacion, hoy, archivo});
        }
        activo->ActualizarTitulo();
    }
    MostrarHint(QString());
    QDir::setCurrent(DirAplicacion);
    setEnabled(true);
}

void TformPpal::archGuardarComoExecute(QObject *sender)
{
    Q_UNUSED(sender);
    TCustomMDIChild *activo = formularioActivo(mdiArea);
    if (!activo)
        return;
    const Ocupados ocupados(mdiArea);
    const QString extension = QStringLiteral("f") + ListaFormularios.GetCombinacionExtension(Combinacion).toLower();
    const QString filtro = QStringLiteral("Formulario %1 (*.%2)").arg(ListaFormularios.GetCombinacionNombre(Combinacion), extension);

    const QString base = CodigoPpal.compare(QStringLiteral("MARPO"), Qt::CaseInsensitive) == 0
                             ? QStringLiteral("varios_predios")
                             : activo->PredNombre;
    int tag = 0;
    for (TCustomMDIChild *f : formularios(mdiArea))
        if (f->Codigo.compare(f->CodigoPpal, Qt::CaseInsensitive) == 0) {
            tag = f->Tag;
            break;
        }
    const QString carpeta = carpetaFormularios();
    QDir().mkpath(carpeta);
    const QString inicial = NombreDocumentoPorDefecto(base, ParteCodigoDocumento(CodigoPpal, tag), carpeta, extension);

    const QString elegido = dlgGuardar ? dlgGuardar(inicial, filtro)
                                       : QFileDialog::getSaveFileName(this, QString(), inicial, filtro);
    if (!elegido.isEmpty()) {
        setEnabled(false);
        MostrarHint(QStringLiteral("Grabando ..."));
        if (grabarDocumento(mdiArea, elegido))
            activo->GuardarFormPredio(Combinacion, elegido);
    }
    activo->ActualizarTitulo();
    MostrarHint(QString());
    setEnabled(true);
}
