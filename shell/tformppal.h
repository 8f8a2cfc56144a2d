#pragma once
// The main window: an MDI frame for the form windows of at most one open document, the
// navigation tree of its sections, the menus, tool bars and status bar, the register
// commands and the settings. Form windows reach it through MainWindowHooks, which it
// installs for as long as it lives.
#include "formpackagetable.h"
#include "mainwindowhooks.h"
#include "pluginloader.h"
#include "tindicesarbolnavegacion.h"
#include "tlistaformularios.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <QPointer>

class QLabel;
class QMdiArea;
class QPageSetupDialog;
class QPrintDialog;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class BloqueoDocumento;
class ReservaTemporal;
class TCustomMDIChild;
class TFormPpalForms;
class TformPpalAcercade;
class TformPpalNuevo;

class TformPpal : public QMainWindow, public MainWindowHooks
{
    Q_OBJECT

public:
    // Creates the window hidden, as start-up needs it. `dirAplicacion` is the program
    // directory (empty: the executable's). A fatal failure (main database or a register
    // plug-in missing) shows its message and asks the program to end: see terminado().
    explicit TformPpal(const QString &dirAplicacion = QString(), QWidget *parent = nullptr);
    // Closes the form windows, writes the settings and then unloads the plug-ins.
    ~TformPpal() override;

    // Start-up failed; the window must not be shown.
    bool terminado() const { return m_terminado; }

    // Program directory with a trailing "/"; also the working directory.
    QString DirAplicacion;
    // cons_id of the consultant who uses the program; 0 = none.
    int ConsultorActual = 0;
    // cons_id of the open document's consultant.
    int ConsultorDocumento = 0;
    // Form code of the open document's principal form.
    QString CodigoPpal;
    // form_id of the open document's combination.
    int Combinacion = 0;
    // Filter of the open-file dialog, in the file dialog's "Name (*.x);;..." form.
    QString FiltroAbrir;
    // The form types and combinations of the main database.
    TListaFormularios ListaFormularios;
    // One entry per line of the navigation tree.
    TIndicesArbolNavegacion IndicesArbol;

    // Path of the main database.
    QString baseDatosPpal() const;

    // A document is open while the MDI area has at least one window.
    bool documentoAbierto() const;
    // Recomputes which commands are enabled.
    void ActualizarBotones();
    // Refresh callback of the form windows: the commands follow 600 ms later, once the
    // closing windows are gone.
    void ActualizarBotones2();

    // MainWindowHooks
    void formActivated(QWidget *form) override;
    void formClosed(QWidget *form) override;
    // Selects the tree lines of `formulario`'s current page (null: the active form).
    void RefrescarArbolNavegacion(TCustomMDIChild *formulario = nullptr);
    void LimpiarArbolNavegacion();
    // Loads the tree from an outline (one line per node, one leading tab per level).
    void CargarArbol(const QString &texto);
    // Widens the tree's panel so that its entries show whole (within two fifths).
    void ensancharArbol();

    // Runs the consultant choice until a consultant is chosen.
    void ElegirConsultor();

    // Loads the form plug-in of `codigo` into the slot of its form type (once), creates
    // its window in the MDI area, sets the framework's fields and calls Nuevo; null, after
    // a message, when that fails.
    TCustomMDIChild *MostrarMDI(const QString &codigo);

    // --- document commands (tformppal_nuevo.cpp, tformppal_documento.cpp). At most one
    // document is open; every command that opens one closes the current one first and
    // ends when the consultant keeps it open.
    // New: the new-document dialog, then the forms of the chosen combination.
    void archNuevoExecute();
    // Open: a document of the document index (the open-document dialog).
    void archAbrirExecute();
    // Import: a document file chosen in the open-file dialog.
    void archImpExecute();
    // Close: closes the open document (its close question may save it, or keep it open)
    // and deletes this instance's working databases. False when a document is still open.
    bool archCerrarExecute();
    // Creates the form windows of Combinacion (principal, request, optional form), the
    // tree and the navigation index, and connects the forms to their working databases.
    // With `sinFaltantes` false a request or optional form whose plug-in cannot be loaded
    // (the loader has told the consultant) is left out; an opened document needs all its
    // forms, or saving it would drop the missing form's data. When a needed form cannot be
    // created or connected, the forms already created are closed, the consultant is told
    // and the result is false.
    bool SubNuevo(bool sinFaltantes = true);
    // Opens a document file as the document of property `predCodigo` (-1: unknown) with
    // the exchange hash `hash`; false, after a message, when nothing was opened.
    bool AbreArchivo(const QString &archivo, int predCodigo, const QString &hash);

    // Save and Save As of the open document; the form windows call them from their close
    // question with themselves as sender.
    void archGuardarExecute(QObject *sender);
    void archGuardarComoExecute(QObject *sender);
    // The save-file dialog of Save As: (initial file, filter) -> chosen file, empty when
    // cancelled. Tests replace it.
    std::function<QString(const QString &inicial, const QString &filtro)> dlgGuardar;
    // The open-file dialog of Import: (initial folder, filter) -> chosen file, empty when
    // cancelled. Tests replace it.
    std::function<QString(const QString &carpeta, const QString &filtro)> dlgAbrir;

    // The exchange file for the agency (tformppal_xml.cpp): checks every form, saves the
    // document, writes every form's XML under the integrity line, records the file in the
    // document's formPredio row and offers to print the forms.
    void archGuardarXMLExecute();
    // The save-file dialog of the exchange file: (initial file, filter) -> chosen file, empty
    // when cancelled. Tests replace it.
    std::function<QString(const QString &inicial, const QString &filtro)> dlgGuardarXML;
    // The form and its siblings finish the pending rows of their grids: a row with typed
    // data is posted, an untouched one is dropped. False when a check refused a row: its
    // message was shown, the focus is on the field, and the command that asked must stop,
    // since the save itself posts without the checks.
    static bool ValidarSoloTablas(TCustomMDIChild *formulario);

    // Print commands (tformppal_impresion.cpp), on the active form of the open document;
    // every form window is busy while they run.
    void archImprimirExecute();
    void archConfImpresionExecute();
    void archVistaPreliminarExecute();
    void difrolImprimirExecute();
    void difrolVistaPreliminarExecute();
    // The print dialog (with print to file and page numbers) and the printer set-up dialog,
    // both on the program's printer (the set-up dialog made when first asked for); the
    // form windows print through dlgImprimir.
    QPrintDialog *dlgImprimir = nullptr;
    QPageSetupDialog *dlgConfImpresion = nullptr;
    // Readies the print dialog for `activo`'s printout: the document's name as the print
    // job's name and, when printing to a file, that name in the forms folder.
    static void PrepararDialogoImpresion(QPrintDialog *dialogo, const TCustomMDIChild *activo);
    // The first show's work: the document folders and the consultant choice.
    void PrimeraMuestra();

    // The dialogs that start-up creates after this window (any may be null): New shows
    // the new-document dialog, Open the open-document dialog, the "?" menu the about box.
    void setDialogos(TformPpalNuevo *nuevo, TformPpalAcercade *acercaDe, TFormPpalForms *forms);
    TformPpalNuevo *dialogoNuevo() const { return m_nuevo; }
    TFormPpalForms *dialogoForms() const { return m_forms; }

    PluginLoader &loader() { return m_loader; }
    FormPackageTable &paquetesFormularios() { return m_paquetes; }

    // Status bar: the first panel shows the current hint.
    void MostrarHint(const QString &hint);
    QString hintActual() const;

    // Actions, in menu order.
    QAction *archNuevo, *archAbrir, *archGuardar, *archGuardarComo, *archGuardarXML, *archCerrar, *archImp;
    QAction *archImprimir, *archConfImpresion, *archVistaPreliminar, *archSalir;
    QAction *ventCascada, *ventMosaHorizontal, *ventMosaVertical;
    QAction *confPredios, *confPersonas, *confConsultores;
    QAction *EditCut1, *EditCopy1, *EditPaste1;
    QAction *difrolVistaPreliminar, *difrolImprimir;
    QAction *acercaDe;

    QToolBar *tlbArchivo, *tlbEdicion, *tlbVentana, *tlbConfiguracion;
    QWidget *Panel1;
    QLabel *lblSecciones;
    QToolButton *spbContraer, *spbExpandir;
    QTreeWidget *trvArbol;
    QSplitter *sptHorizontal;
    QMdiArea *mdiArea;
    QLabel *stbPanel1, *stbPanel2;
    QTimer *Timer1;
    QMenu *mnuVentana;

    // Tree panel commands.
    void Contraer();
    void Expandir();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void crearAcciones();
    void crearMenus();
    void crearBarras();
    void crearPanelArbol();
    void conectarAcciones();
    void conectarImpresion();
    void terminar();
    void leerAjustes();
    void escribirAjustes();
    void construirFiltroAbrir();
    void cargarRegistros();
    void ajustarBotonesPanel();
    void trvArbolChange(QTreeWidgetItem *actual);
    void mosaico(Qt::Orientation orientacion);
    void enviarPortapapeles(const char *operacion);
    void actualizarMenuVentana();
    void cerrarVentanasFormularios();
    // Deletes this instance's working databases and those no running instance holds.
    void borrarBasesTrabajo();
    // The form windows of a document that could not be built, gone at once.
    void descartarFormularios();
    // Takes `archivo` for this copy of the program into `bloqueo` (left null when this
    // copy holds it already or the lock cannot be made). False, after telling the
    // consultant "… " + `consecuencia`, when another copy has the document open.
    bool reservarDocumento(const QString &archivo, const QString &consecuencia, std::unique_ptr<BloqueoDocumento> &bloqueo);
    // Selects the first line of the tree and brings its page forward.
    void mostrarPrimeraPagina();

    PluginLoader m_loader;
    FormPackageTable m_paquetes;
    TformPpalNuevo *m_nuevo = nullptr;
    TformPpalAcercade *m_acercaDe = nullptr;
    TFormPpalForms *m_forms = nullptr;
    std::unique_ptr<ReservaTemporal> m_reserva;
    std::unique_ptr<BloqueoDocumento> m_bloqueo; // the open document, held against other copies
    QPointer<TCustomMDIChild> m_ultimoFormularioActivo;
    bool m_terminado = false;
    bool m_mostrada = false;
    bool m_cambiandoArbol = false; // the program, not the user, moves the tree selection
    bool m_navegando = false;      // the tree is bringing a form and its page forward
    QTimer *m_retardoArbol = nullptr;
};
