#include "tformppal.h"

#include "bloqueodocumento.h"
#include "cargarlibreria.h"
#include "consultasppal.h"
#include "dialogservice.h"
#include "mainwindowsettings.h"
#include "reservatemporal.h"
#include "shelllog.h"
#include "tcustommdichild.h"
#include "terminacion.h"
#include "tformppalacercade.h"
#include "tformppalforms.h"
#include "tformppalnuevo.h"
#include "util_archivo.h"
#include "workingdatabases.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>

namespace {

QString conBarra(const QString &dir)
{
    const QString absoluto = QDir(dir).absolutePath();
    return absoluto.endsWith(QLatin1Char('/')) ? absoluto : absoluto + QLatin1Char('/');
}

// The register plug-ins, loaded at start-up; each is required.
const char *const kRegistros[] = {"GAVREL", "SOTREL", "NUDREL"};

} // namespace

TformPpal::TformPpal(const QString &dirAplicacion, QWidget *parent)
    : QMainWindow(parent),
      DirAplicacion(conBarra(dirAplicacion.isEmpty() ? QCoreApplication::applicationDirPath() : dirAplicacion)),
      m_loader(DirAplicacion)
{
    setWindowTitle(QStringLiteral("Brenvik"));
    QDir::setCurrent(DirAplicacion);

    crearAcciones();
    crearPanelArbol();
    crearMenus();
    crearBarras();
    conectarAcciones();
    resize(783, 583 + menuBar()->sizeHint().height());

    if (!QFileInfo(baseDatosPpal()).isFile()) {
        ArchivoNoEncontrado(QStringLiteral("bd.db"));
        terminar();
        return;
    }
    ListaFormularios.SetBBDD(baseDatosPpal());
    construirFiltroAbrir();
    cargarRegistros();
    if (m_terminado)
        return;
    m_paquetes.clear(ListaFormularios.ObtenerCantidad());
    leerAjustes();
    ajustarBotonesPanel();
    if (const QString documentos = GetMisDocumentos(); !documentos.isEmpty())
        m_reserva = std::make_unique<ReservaTemporal>(documentos + QStringLiteral("Formularios/temporal"));
    MainWindowHooks::install(this);
}

TformPpal::~TformPpal()
{
    if (MainWindowHooks::instance() == this)
        MainWindowHooks::install(nullptr);
    Timer1->stop();
    cerrarVentanasFormularios();
    // Settings are written only by a window that started; a failed start-up must not
    // overwrite the stored placement and consultant with defaults.
    if (!m_terminado)
        escribirAjustes();
    // Windows of plug-in classes must be gone before their code is unloaded: the form
    // windows (also those closed but not yet deleted), the windows this one owns, and
    // whatever waits for its deferred deletion.
    QList<QPointer<QMdiSubWindow>> subventanas;
    for (QMdiSubWindow *w : findChildren<QMdiSubWindow *>())
        subventanas << w;
    for (const QPointer<QMdiSubWindow> &w : subventanas)
        delete w.data();
    const QList<QWidget *> ventanas = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *w : ventanas) {
        if (w->isWindow())
            delete w;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    borrarBasesTrabajo();
    m_loader.unloadAll();
}

void TformPpal::setDialogos(TformPpalNuevo *nuevo, TformPpalAcercade *acercaDe, TFormPpalForms *forms)
{
    m_nuevo = nuevo;
    m_acercaDe = acercaDe;
    m_forms = forms;
}

void TformPpal::borrarBasesTrabajo()
{
    const QStringList sinBorrar = WorkingDatabases::deleteAll();
    if (!sinBorrar.isEmpty())
        qCWarning(lcShell) << "working databases left behind:" << sinBorrar;
    if (m_reserva) {
        m_reserva->Anotar(WorkingDatabases::paths());
        m_reserva->LimpiarAbandonados();
    }
}

QString TformPpal::baseDatosPpal() const
{
    return DirAplicacion + QStringLiteral("bbdd/bd.db");
}

void TformPpal::terminar()
{
    m_terminado = true;
    SolicitarTerminacion();
}

void TformPpal::construirFiltroAbrir()
{
    QStringList filtros{QStringLiteral("Todos los Formularios (*.f*)")};
    for (const auto &[extension, descripcion] : ConsultasPpal::extensionesFormularios(baseDatosPpal()))
        filtros << QStringLiteral("%1 (*.f%2)").arg(descripcion, extension);
    FiltroAbrir = filtros.join(QStringLiteral(";;"));
}

void TformPpal::cargarRegistros()
{
    for (const char *codigo : kRegistros) {
        if (!CargarLibreria(m_loader, QLatin1String(codigo), true)) {
            m_terminado = true;
            return;
        }
    }
}

void TformPpal::leerAjustes()
{
    const MainWindowSettings ajustes = MainWindowSettings::read();
    // Most of the screen, never less than the classic size; centred until a position
    // was kept.
    if (const QScreen *pantalla = screen()) {
        const QRect disponible = pantalla->availableGeometry();
        resize((disponible.size() * 0.85).expandedTo(size()));
        if (!ajustes.top && !ajustes.left)
            move(disponible.center() - rect().center());
    }
    if (ajustes.top || ajustes.left)
        move(ajustes.left.value_or(x()), ajustes.top.value_or(y()));
    if (ajustes.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (ajustes.treeWidth)
        sptHorizontal->setSizes({*ajustes.treeWidth, qMax(0, width() - *ajustes.treeWidth)});
    ConsultorActual = 0;
    if (ajustes.consultorId != 0 && ConsultasPpal::existeConsultor(baseDatosPpal(), ajustes.consultorId)) {
        ConsultorActual = ajustes.consultorId;
        setWindowTitle(QStringLiteral("Brenvik - ") + ConsultasPpal::nombreConsultor(baseDatosPpal(), ConsultorActual, true));
    }
}

void TformPpal::escribirAjustes()
{
    MainWindowSettings ajustes;
    const bool maximizada = isMaximized();
    const QPoint posicion = maximizada ? normalGeometry().topLeft() : pos();
    ajustes.top = posicion.y();
    ajustes.left = posicion.x();
    ajustes.maximized = maximizada;
    ajustes.treeWidth = Panel1->width();
    ajustes.consultorId = ConsultorActual;
    ajustes.write();
}

void TformPpal::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_mostrada) {
        m_mostrada = true;
        // After the window is on screen, so that the consultant choice shows above it.
        QTimer::singleShot(0, this, &TformPpal::PrimeraMuestra);
    }
}

void TformPpal::PrimeraMuestra()
{
    const QString documentos = GetMisDocumentos();
    if (!documentos.isEmpty())
        QDir().mkpath(documentos + QStringLiteral("Formularios/temporal"));
    // What copies of the program that ended without cleaning up left behind.
    if (m_reserva)
        m_reserva->LimpiarAbandonados();
    if (ConsultorActual == 0)
        ElegirConsultor();
}

void TformPpal::cerrarVentanasFormularios()
{
    const QList<QMdiSubWindow *> ventanas = mdiArea->subWindowList();
    for (QMdiSubWindow *w : ventanas)
        delete w;
}

void TformPpal::closeEvent(QCloseEvent *e)
{
    // The active form decides: its close question may save or cancel, and closing it
    // closes its siblings. A form that stays open keeps the program open.
    if (QMdiSubWindow *activa = mdiArea->currentSubWindow()) {
        if (!activa->close()) {
            e->ignore();
            return;
        }
    }
    borrarBasesTrabajo();
    e->accept();
}

bool TformPpal::event(QEvent *e)
{
    // The hint of whatever is under the mouse goes to the first panel of the status bar.
    if (e->type() == QEvent::StatusTip) {
        MostrarHint(static_cast<QStatusTipEvent *>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TformPpal::MostrarHint(const QString &hint)
{
    stbPanel1->setText(hint);
}

QString TformPpal::hintActual() const
{
    return stbPanel1->text();
}
