// The document commands of the main window.
#include "tformppal.h"

#include "abort.h"
#include "bloqueodocumento.h"
#include "connection.h"
#include "dbedit.h"
#include "dbmemo.h"
#include "dataset.h"
#include "dialogservice.h"
#include "field.h"
#include "formulariosdocumento.h"
#include "nombredocumento.h"
#include "reservatemporal.h"
#include "tformppalforms.h"
#include "util_archivo.h"
#include "util_bbdd.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

namespace {

QString carpetaFormularios()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Formularios/");
}

// The extension that names a document's combination: what follows the last "." of the
// file name after its first character ("f"), in lower case; "" without an extension.
QString extensionDocumento(const QString &archivo)
{
    const QString nombre = QFileInfo(archivo).fileName();
    const qsizetype punto = nombre.lastIndexOf(QLatin1Char('.'));
    return punto < 0 ? QString() : nombre.mid(punto + 2).toLower();
}

// Text still being typed into a field of `formulario` goes into its field, as the user's
// own change, so that the save (and the name it proposes) sees it.
void terminarEdicion(TCustomMDIChild *formulario)
{
    QWidget *foco = QApplication::focusWidget();
    if (!foco || !formulario->isAncestorOf(foco))
        return;
    catchAbort([foco] {
        if (auto *edit = qobject_cast<DBEdit *>(foco); edit && edit->pendingInput())
            edit->commit();
        else if (auto *memo = qobject_cast<DBMemo *>(foco); memo && memo->pendingInput())
            memo->commit();
    });
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

// The property code the open document's forms were read with (cod_pre, the code a form
// keeps in its own data) and the property name beside it; 0 when no form holds one.
std::pair<int, QString> predioLeido(const QList<QPointer<TCustomMDIChild>> &lista)
{
    for (const QPointer<TCustomMDIChild> &f : lista) {
        const Dataset *ds = f && f->DatasetPpal && f->DatasetPpal->Active() ? f->DatasetPpal : nullptr;
        const Field *codigo = ds ? ds->FindField(QStringLiteral("cod_pre")) : nullptr;
        if (codigo && codigo->AsInteger() > 0) {
            const Field *nombre = ds->FindField(QStringLiteral("nom_pre"));
            return {int(codigo->AsInteger()), nombre ? nombre->AsString() : f->PredNombre};
        }
    }
    return {0, QString()};
}

// The document's property after a save, as the write-back left it in the forms.
int predioGuardado(const QList<QPointer<TCustomMDIChild>> &lista)
{
    for (const QPointer<TCustomMDIChild> &f : lista)
        if (f && f->PredCodigo > 0)
            return f->PredCodigo;
    return 0;
}

// The document index row of `archivo` names the document's property `codigo`.
void anotarPredioIndice(const QString &bdPpal, int codigo, const QString &archivo)
{
    if (codigo > 0)
        Operacion(bdPpal, QStringLiteral("UPDATE formPredio SET pred_codigo=? WHERE foco_archivo=?"), true, {codigo, archivo});
}

} // namespace

void TformPpal::archGuardarExecute(QObject *sender)
{
    TCustomMDIChild *activo = formularioActivo(mdiArea);
    if (!activo)
        return;
    terminarEdicion(activo);
    const Ocupados ocupados(mdiArea);
    if (!ValidarSoloTablas(activo))
        return;
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
        anotarPredioIndice(baseDatosPpal(), predioGuardado(lista), archivo);
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
    terminarEdicion(activo);
    const Ocupados ocupados(mdiArea);
    if (!ValidarSoloTablas(activo))
        return;
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

    const QString elegido = ConExtension(dlgGuardar ? dlgGuardar(inicial, filtro) : PedirArchivoGuardar(this, inicial, filtro, extension),
                                         extension);
    std::unique_ptr<BloqueoDocumento> bloqueo;
    if (!elegido.isEmpty() && reservarDocumento(elegido, QStringLiteral("No se guardará sobre él"), bloqueo)) {
        setEnabled(false);
        MostrarHint(QStringLiteral("Grabando ..."));
        if (grabarDocumento(mdiArea, elegido)) {
            if (bloqueo)
                m_bloqueo = std::move(bloqueo);
            if (activo->GuardarFormPredio(Combinacion, elegido))
                anotarPredioIndice(baseDatosPpal(), predioGuardado(formularios(mdiArea)), elegido);
        }
    }
    activo->ActualizarTitulo();
    MostrarHint(QString());
    setEnabled(true);
}

bool TformPpal::reservarDocumento(const QString &archivo, const QString &consecuencia,
                                  std::unique_ptr<BloqueoDocumento> &bloqueo)
{
    bloqueo.reset();
    if (!m_reserva)
        return true;
    const QString carpeta = m_reserva->carpeta();
    if (m_bloqueo && BloqueoDocumento::ArchivoBloqueo(carpeta, m_bloqueo->documento())
                         == BloqueoDocumento::ArchivoBloqueo(carpeta, archivo))
        return true;
    bool ocupado = false;
    bloqueo = BloqueoDocumento::Tomar(carpeta, archivo, &ocupado);
    if (!ocupado)
        return true;
    DialogoWin32(mtWarning,
                 QStringLiteral("El documento \"%1\" está abierto en otra ventana del programa. %2").arg(archivo, consecuencia),
                 MB::OK);
    return false;
}

bool TformPpal::archCerrarExecute()
{
    TCustomMDIChild *activo = formularioActivo(mdiArea);
    if (!activo)
        return true;
    // The close question may save, or keep the document open; closing one form closes
    // its siblings.
    activo->Cerrar();
    if (documentoAbierto())
        return false;
    m_bloqueo.reset();
    // The closed windows go now, so that no connection still holds a working database.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    borrarBasesTrabajo();
    Timer1->start();
    return true;
}

void TformPpal::archImpExecute()
{
    const int consultor = ConsultorActual;
    if (!archCerrarExecute())
        return;
    ConsultorDocumento = consultor;
    const QString carpeta = carpetaFormularios();
    QDir().mkpath(carpeta);
    const QString archivo = dlgAbrir ? dlgAbrir(carpeta, FiltroAbrir)
                                     : QFileDialog::getOpenFileName(this, QString(), carpeta, FiltroAbrir);
    if (!archivo.isEmpty())
        AbreArchivo(archivo, -1, QString());
}

void TformPpal::archAbrirExecute()
{
    if (!m_forms)
        return;
    m_forms->Tag = 0;
    m_forms->exec();
    if (m_forms->Tag != 1)
        return;
    const TFormPpalForms::Documento elegido = m_forms->DocumentoElegido();
    const int consultor = elegido.consultorId > 0 ? elegido.consultorId : ConsultorActual;
    if (!QFileInfo(elegido.archivo).isFile()) {
        DialogoWin32(mtError, QStringLiteral("Lo siento, El archivo (%1) fue borrado en forma externa").arg(elegido.archivo),
                     MB::OK);
        return;
    }
    if (!archCerrarExecute())
        return;
    QCoreApplication::processEvents();
    ConsultorDocumento = consultor;
    AbreArchivo(elegido.archivo, elegido.predCodigo, elegido.estado != 0 ? elegido.hash : QString());
}

bool TformPpal::AbreArchivo(const QString &archivo, int predCodigo, const QString &hash)
{
    if (archivo.size() < 4 || TamanoArchivo(archivo) < 7) {
        DialogoWin32(mtError, QStringLiteral("No se puede abrir archivo \"%1\".\nTamaño de archivo incorrecto.").arg(archivo),
                     MB::OK);
        return false;
    }
    setEnabled(false);
    MostrarHint(QStringLiteral("Abriendo ..."));
    auto terminar = [this](bool abierto) {
        MostrarHint(QString());
        setEnabled(true);
        mostrarPrimeraPagina();
        ActualizarBotones();
        return abierto;
    };

    const QString extension = extensionDocumento(archivo);
    const QList<QStringList> combinacion =
        Consulta3(baseDatosPpal(), QStringLiteral("SELECT form_id, form_principal FROM formularios WHERE form_extension = ?"),
                  {extension});
    if (extension.isEmpty() || combinacion.isEmpty() || combinacion.first().value(1).isEmpty()) {
        DialogoWin32(mtWarning,
                     QStringLiteral("La extensión del archivo no correspone a un formulario válido. No se abrirá el documento"),
                     MB::OK);
        return terminar(false);
    }
    std::unique_ptr<BloqueoDocumento> bloqueo;
    if (!reservarDocumento(archivo, QStringLiteral("No se abrirá el documento"), bloqueo))
        return terminar(false);
    Combinacion = combinacion.first().value(0).toInt();
    CodigoPpal = combinacion.first().value(1);
    if (!SubNuevo())
        return terminar(false);
    if (bloqueo)
        m_bloqueo = std::move(bloqueo);

    const QList<QPointer<TCustomMDIChild>> lista = formularios(mdiArea);
    bool cargado = true;
    for (TCustomMDIChild *f : lista) {
        if (!f->Cargar(archivo)) {
            cargado = false;
            break;
        }
    }
    // Opened from the index, the row is the register's word on the document's property.
    // Only a row that names none (the document was saved before its property was
    // registered) takes the code the forms were read with, and only while the register
    // holds that code under the document's property name: a code the register lost, or
    // gave to another property since, must not draw the document to that property. An
    // imported file may come from another register: its codes mean nothing here.
    int codigo = predCodigo;
    if (cargado && predCodigo == 0) {
        const auto [leido, nombre] = predioLeido(lista);
        const QList<QStringList> registro =
            leido > 0 ? Consulta3(baseDatosPpal(), QStringLiteral("SELECT pred_nombre FROM predio WHERE pred_codigo = ?"), {leido})
                      : QList<QStringList>();
        if (!registro.isEmpty() && !nombre.trimmed().isEmpty()
            && registro.first().value(0).trimmed().compare(nombre.trimmed(), Qt::CaseInsensitive) == 0) {
            codigo = leido;
            anotarPredioIndice(baseDatosPpal(), codigo, archivo);
        }
    }
    for (TCustomMDIChild *f : lista) {
        f->Modificado = false;
        f->Respondido = true;
        f->PredCodigo = codigo;
        f->HashXML = hash;
    }
    if (!cargado) {
        DialogoWin32(mtWarning, QStringLiteral("La carga del formulario fue imposible. Se cerrará el documento"), MB::OK);
        archCerrarExecute();
    } else if (TCustomMDIChild *activo = formularioActivo(mdiArea)) {
        activo->ActualizarTitulo();
    }
    return terminar(cargado);
}
