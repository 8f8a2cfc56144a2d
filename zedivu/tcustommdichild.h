#pragma once
// The base class of every form window. A form plug-in defines one descendant, registered
// as "TForm" + its code (BRENVIK_REGISTER_WINDOW), that builds its widgets, datasets and
// page control and implements the abstract operations.
//
// The window is a plain QWidget: the shell creates it with a null owner (the application
// owns it), puts it into a QMdiSubWindow of its MDI area, sets the public fields below and
// calls Nuevo, then fills Hermanos and calls ConexionesExternas, EstablecerBBDD and
// InicializarDatasetPpal. Closing the window (Cerrar, or closing its sub-window) asks the
// close question, closes its sibling forms and frees it (and its sub-window).
//
// The main window is reached only through MainWindowHooks (activation, close) and the
// three callbacks; message boxes go through the dialog service. Programming faults (a
// missing dataset, field or data source) are reported by FallaProgramacion and the
// operation goes on as far as it can; nothing here aborts the program.
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "entrada/ttipocomboexterno.h"
#include "ttipovalidacion.h"
#include "util_bbdd.h"

class BuiltForm;
class Connection;
class DataAwareControl;
class DBComboBox;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBMemo;
class DataSource;
class Dataset;
class Field;
class GridColumn;
class QKeyEvent;
class QPrintDialog;
class QTabWidget;
class TImpresion;
struct TPapelImpresora;
class TXML;

class TCustomMDIChild : public QWidget
{
    Q_OBJECT

public:
    // A command of the main window called with the form as sender.
    using TNotifyEvent = std::function<void(QObject *sender)>;

    // `owner` null: the application owns the window (the only owner Dialogo accepts).
    explicit TCustomMDIChild(QWidget *owner = nullptr);
    ~TCustomMDIChild() override;

    // --- fields, in their traditional order; who sets each is said beside it.
    Connection *ConexionBD = nullptr;     // the working database; Nuevo
    Connection *ConexionBDPpal = nullptr; // the main database; Nuevo or EstablecerBBDD (a sibling's)
    Dataset *DatasetPpal = nullptr;       // the main dataset; Nuevo
    int PredCodigo = 0;                   // the document's property; shell, property pick
    QString PredNombre;                   // the property's name; the form
    int TisoCodigo = 0;                   // agency type code; shell
    int IndiceLista = 0;                  // index in the form-type list; shell
    QString Codigo;                       // form code in upper case; shell
    QString CodigoPpal;                   // code of the document's principal form; shell
    QString Secciones;                    // outline: title line, one line per page, tabs for levels; Nuevo
    int HojaActual = 0;                   // page shown
    QList<QPointer<TCustomMDIChild>> Hermanos; // the other forms of the document; shell
    QString DirAplicacion;                // program directory ending in "/"; shell
    QTabWidget *Paginas = nullptr;        // one page per outline line after the title; Nuevo
    QString FirmanteNombre;               // a request form's signatory, read by bound forms
    int FirmanteRut = 0;
    QChar FirmanteDv;
    int ConsultorId = 0;                  // the document's consultant; shell
    QString ArchivoDocumento;             // the document file; empty until saved or opened
    QString ArchivoMDB;                   // the working database file; EstablecerBBDD
    bool Validado = false;   // the last full validation passed
    bool Guardando = false;  // a save or load runs; validation is skipped
    bool Modificado = true;  // data changed since the last save
    bool Ocupado = false;    // the program itself changes data: no modification marks
    bool Respondido = false; // the save question was answered or the document saved
    bool TeclaDecimal = false; // the numeric-pad decimal key was pressed
    bool Retroceder = false;   // the next Enter handled by a grid moves one column back
    TXML *XML = nullptr;       // the exchange-XML writer; EstablecerBBDD
    QString HashXML;           // 32 upper-case hex digits, or empty when never exported
    TNotifyEvent OnActualizarBotones; // the main window's command refresh
    TNotifyEvent OnGuardarComo;       // the main window's Save As
    TNotifyEvent OnGuardar;           // the main window's Save
    QPrintDialog *DialogoImpresion = nullptr; // the main window's print dialog
    // Multi-selection bindings: the list's query (with its values) and the connection it
    // runs on (null: ConexionBDPpal at the time of the click); a bound column's Tag and a
    // bound edit's property "Tag" hold its position here.
    struct TSeleccionMultiple
    {
        ConsultaLista consulta;
        Connection *conexion = nullptr;
    };
    QList<TSeleccionMultiple> SeleccionesMultiples;
    QList<GridColumn *> ColumnasOtro; // grid columns whose list holds an "other" entry
    QStringList TiposOtro;            // parallel to ColumnasOtro: the lookup kind's name
    int Tag = 0;                      // the generic form's combination (31, 32, 33); shell

    // --- virtual operations, in their traditional order
    // Builds the form: Secciones, HojaActual 0, ConexionBD, ConexionBDPpal (when the form
    // has its own), DatasetPpal, Paginas, the property button; called once by the shell.
    virtual void Nuevo() = 0;
    // Writes the form's property data into the main database before the form is saved.
    virtual void GuardarPredio();
    // Ends the save that called GuardarPredio. Not `guardado`: the save failed and the
    // main database's write-back was rolled back, so the form forgets what GuardarPredio
    // changed in it (a new property's code).
    virtual void TerminarGuardarPredio(bool guardado);
    // Adds the document's row to the document index (formPredio) after Save As.
    virtual bool GuardarFormPredio(int formId, const QString &archivo);
    // Prepares the main dataset of a new or loaded document.
    virtual void InicializarDatasetPpal(const QString &nombreCompleto);
    // Fills the form from the property PredCodigo (after a property pick).
    virtual void LlenarInfoPredio();
    virtual void ComponerImpresion(TImpresion *impresion) = 0;
    // The base asks the request forms among the siblings (DORVO, FERUN, BEXA).
    virtual void ComponerDifrol(TImpresion *impresion);
    // The form's exchange XML, as the ISO-8859-1 bytes written to the exchange file.
    virtual QByteArray PrepararXML() = 0;
    virtual QByteArray PrepararSolXML();
    // Called when the focus leaves a grid of Tag 1, after its pending edit is posted.
    virtual void DbgEventoOnExitEspecial(QObject *sender);
    // Binds controls to the sibling forms (replicas); the base does nothing.
    virtual void ConexionesExternas();
    virtual bool ValidarTodo();
    virtual bool ValidarFormulario();

    // --- siblings (codes compared without regard to case)
    TCustomMDIChild *BuscarFormulario(const QString &codigo) const;
    DataSource *BuscarDatasource(const QString &codigo) const;
    Dataset *BuscarDataset(const QString &codigo, const QString &sufijo) const;

    // --- read-only replicas of a sibling's data (for ConexionesExternas)
    void DataSourceExterno(DBEdit *control, const QString &codigo);
    void DatasourceExterno(DBLookupComboBox *control, const QString &codigo);
    void DatasourceExterno(DBMemo *control, const QString &codigo);
    void DataSetExterno(DBGrid *grilla, const QString &codigo, const QString &sufijo);

    // --- window
    void CambiarHoja(int hoja);
    // "Formulario KELU (archivo) *", "(Sin Título)" when never saved, " *" when modified.
    void EstablecerTitulo();
    // Retitles this form and hands its file and modified mark to every sibling.
    void ActualizarTitulo();
    // A message box of the dialog service; returns the answer (ID::*).
    int Dialogo(int tipo, const QString &texto, int botones);
    // "Error en Formulario KELU: \n\n" + texto + "."; clears Validado.
    void DialogoError(const QString &texto);
    // Closes the window (its sub-window when it has one); the close question may refuse.
    void Cerrar();
    // Fills the person fields (dv, pat, mat, nom, dom, com, ciu, sexo, fono) of `ds` from
    // the person whose RUT is in the field `campoRut`.
    void LlenarInfoPersona(Dataset *ds, const QString &campoRut);
    // The help page of the current page: Codigo + "_" + two digits + ".html".
    QString PaginaAyuda() const;

    // --- validation (tcustommdichild_validacion.cpp), called from before-post handlers.
    // A failed check shows "El campo "label" " + its message through DialogoError and
    // cancels the post with Abort(); while Guardando only ValidarRUT runs. A null field or
    // a closed dataset is a programming fault: reported, and the check does nothing.
    // Checks tvNoVacio .. tvCoordenadaE and tvAnoActualMin; on failure brings the field's
    // control into view (its page, the form, the focus, the grid column).
    void Validar(Field *campo, TTipoValidaciones tipos);
    // Checks tvMenor, tvMenorIgual, tvMayorIgual and tvMayor against `limite`.
    void Validar(Field *campo, TTipoValidaciones tipos, long double limite);
    // The check digit of the RUT in `campoRut` must equal the text of `campoDv`.
    void ValidarRUT(Dataset *ds, Field *campoRut, Field *campoDv);
    // The grid's dataset must hold a row; `nombre` names the table in the message.
    void ValidarTablaNoVacia(DBGrid *grilla, const QString &nombre);
    // Installs the before-post handlers that run the `validate` checks of the form's
    // description on the datasets FormBuilder made (replacing their BeforePost).
    void InstalarValidaciones(const BuiltForm &formulario);

    // --- lookup lists (entrada/tcustommdichild_combos.cpp), read from the main database
    // DirAplicacion + "bbdd/bd.db". Forms call them while setting up their controls:
    //     ComboExterno(dbgKELU_desc, "est_san", tceEstadoSanitario);
    // Fills the key and pick lists of the grid column bound to `campo` (the last such
    // column, case ignored) with the kind's codes and descriptions; the list drops down as
    // the user types. A list with an "other" entry also gets the kind's free descriptions
    // of table `otros` after its own rows, ColEventoOnUpdateData as the column's
    // update-data handler and the other entry's code, negated, as the column's MinWidth.
    // A missing column or a list without rows is a programming fault: reported, false.
    bool ComboExterno(DBGrid *grilla, const QString &campo, TTipoComboExterno tipo);
    // Fills a combo box's items and key items (no "other" handling).
    bool ComboExterno(DBComboBox *combo, TTipoComboExterno tipo);
    // Attaches the lists that the description's grid columns name (`list=tceX` through
    // ComboExterno, `list=tsmX` through SeleccionMultiple). False when a list is unknown,
    // a grid missing or a list empty (each reported).
    bool InstalarListas(const BuiltForm &formulario);
    // The update-data handler of columns with an "other" entry: choosing the entry asks
    // for a free description (SeleccionOtro) and stores the description's code instead,
    // reusing the code of the same description of that kind or filing a new one in
    // `otros`. Cancelling the dialog writes nothing: the cell keeps its value.
    void ColEventoOnUpdateData(GridColumn *columna, QString &texto, QVariant &valor, bool &handled);
    // The "other" dialog for `columna`, whose list is of kind `tipo` ("tceEspecie"): on
    // OK {description, new code}, also appended to the column's lists; empty on Cancel.
    QStringList SeleccionOtro(GridColumn *columna, const QString &tipo);

    // --- dependent rows and property data (entrada/tcustommdichild_filas.cpp). The row
    // routines keep the rows of a dependent ("destination") dataset in step with their
    // parent ("source") rows; `clave` names a field of both. Guardando is set while they
    // post, so that no field check runs on those rows, and restored on every exit.
    // A closed dataset or a missing field is a programming fault: reported, nothing done.
    // When the source is inserting, or its Tag is below its row count, inserts a
    // destination row carrying the source's key and posts it; true when a row was made.
    bool CrearFila(Dataset *origen, Dataset *destino, const QString &clave);
    // Deletes the destination rows whose `clave` equals the source's; `comillas` says the
    // key is text (false for numeric keys). The destination is reopened. True on success.
    bool BorraFila(Dataset *origen, Dataset *destino, bool comillas, const QString &clave);
    // Renames: the destination rows whose `campo` equals `valorAnterior` (the source's
    // value before its edit) get the source's current `campo`. True on success.
    bool ActualizaFila(Dataset *origen, Dataset *destino, bool comillas, const QString &campo,
                       const QVariant &valorAnterior);
    // The destination row whose `clave` equals the source's gets the source's
    // `campoOrigen` (as text) in `campoDestino` (`campoOrigen` when empty) and is posted.
    void CopiarCampo(const QString &clave, Dataset *origen, const QString &campoDestino, Dataset *destino,
                     const QString &campoOrigen);
    // Update-data handler of a key column (a stand's "num") whose value other grids use:
    //     col->OnUpdateData = [this](GridColumn *c, QString &t, QVariant &v, bool &h) {
    //         UpdateHijos(c, t, v, h, {dbgKELU_fis, dbgKELU_hidr}, {"num_look", "num_look"}); };
    // When the row already had a key: a value present in the table is refused ("Este campo
    // no acepta valores duplicados"), else after a Yes to the confirmation the row and the
    // rows of `grillas` whose field `campos[i]` held the old key get the new one, in one
    // transaction. A refusal or No aborts (Abort()).
    void UpdateHijos(GridColumn *columna, QString &texto, QVariant &valor, bool &handled, const QList<DBGrid *> &grillas,
                     const QStringList &campos);
    // Before-delete handler: refuses (message and Abort()) when one of the grids of the
    // list but the LAST holds a row whose field `campos[i]` equals `valor` (the last grid
    // of the list is never searched, and a list of one searches nothing); otherwise asks
    // the delete confirmation (AdsEventoBeforeDelete).
    void TieneHijos(const QList<DBGrid *> &grillas, const QStringList &campos, Dataset *ds, const QVariant &valor);
    // Property data from the main database (ConexionBDPpal). `select` is a column list and
    // FROM clause whose property table has the alias p ("pred_nombre FROM predio p");
    // the property is PredCodigo or `predCodigo`, `condicion` an extra AND condition (form
    // text, never user input). The first value of the first row, "" when none.
    QString ConsultaPredio(const QString &select);
    QString ConsultaPredio(const QString &select, const QString &condicion);
    QString ConsultaPredio(int predCodigo, const QString &select);
    QString ConsultaPredio(int predCodigo, const QString &select, const QString &condicion);
    // Replaces the rows of the grid's dataset by the query's rows, the result's columns
    // going to the grid's columns in order (a lookup column's key field takes the value).
    void ConsultaPredio(DBGrid *grilla, const QString &select, const QString &condicion);
    void ConsultaPredio(int predCodigo, DBGrid *grilla, const QString &select, const QString &condicion);
    // Refuses (message, focus on the column, Abort()) a soil category that the resolution
    // type does not admit: "0" the one list, any other text the other.
    void ValidarTipoSuelo(DBGrid *grilla, GridColumn *columna, const QString &codigoSuelo, const QString &resolucion);

    // --- multi-selection (entrada/tcustommdichild_seleccion.cpp): a field holding a list
    // of items joined with ", " is filled by ticking them in TformMultiSeleccion.
    // Binds a data-aware edit that has an edit button (its first action, added by the form
    // with edit->addAction(icon, QLineEdit::TrailingPosition)): the edit turns read-only
    // and the button opens the kind's list (on ConexionBDPpal) or `sql` on `conexion`.
    void SeleccionMultiple(DBEdit *edit, TTipoSeleccionMultiple tipo);
    void SeleccionMultiple(DBEdit *edit, Connection *conexion, const QString &sql);
    // Binds every column of the grid showing `campo` (case ignored): an ellipsis button
    // that opens the list.
    void SeleccionMultiple(DBGrid *grilla, const QString &campo, TTipoSeleccionMultiple tipo);
    void SeleccionMultiple(DBGrid *grilla, const QString &campo, const QString &sql, Connection *conexion);
    // Opens binding `indice` of SeleccionesMultiples for `campo`: its text split at ","
    // comes preselected; the choice is written joined with ", ", an empty choice clears the
    // field, a list without rows changes nothing. Returns true (the click is handled).
    bool SeleccionMultipleEditClick(int indice, Field *campo);

    // --- help (F1): the help window over pres/PaginaAyuda() of the program directory.
    void MostrarAyuda();

    // --- printing (tcustommdichild_impresion.cpp). The printout is composed by
    // ComponerImpresion (ComponerDifrol for the cover letter) in a preview window on the
    // printer's current paper, with the verification code and page numbers in the footer.
    // Imprimir prints through DialogoImpresion's printer or file; false when nothing was
    // printed, with the printer's error in `error` (empty when the user cancelled).
    bool Imprimir(QString *error = nullptr);
    // Shows the printout in the preview window, modally.
    void Previsualizar();
    bool ImprimirDifrol(QString *error = nullptr);
    void PrevisualizarDifrol();
    // The name the printout carries (its PDF's title, the file that printing to a file
    // proposes): the document file's name without its extension, "Formulario <Codigo>"
    // before the first save.
    QString NombreImpresion() const;
    // Signature lines of the signing owners, representatives (and, for "ferun", assignees)
    // of the tables codigo + "_pro", "_rep", "_ces" on the connection of `ds`; one block each.
    void prtFirma(TImpresion *impresion, const QString &codigo, Dataset *ds);
    // The closing block of a printout: the signatures of the request form `codigo`, the
    // consultant's author block (not for profession 4) and "Ciudad y Fecha: ".
    void prtUltimaSeccion(TImpresion *impresion, int consultorId, Dataset *ds, const QString &codigo);
    // The current printer's paper and settings, and setting its paper back.
    static TPapelImpresora getPapelImpresora();
    static void setPapelImpresora(const QString &nombre, double largo, double ancho);

    // --- working database and document records
    // Creates the working database from the form's template and connects everything;
    // false (after telling the user) when the template cannot be copied.
    bool EstablecerBBDD();
    // Appends the form's record to the document file (created when missing); the file is
    // replaced atomically, so it holds the old records or all of them.
    bool Guardar(const QString &archivo);
    // Writes a whole document, one record per form in the order given, atomically: the
    // old file stays untouched until every record is ready. For the shell's Save.
    static bool GuardarDocumento(const QString &archivo, const QList<TCustomMDIChild *> &formularios);
    // Called by a save once the main database has committed and before the new file
    // takes the document's place: the one moment where a save stopped by force leaves
    // the two apart. Tests look at the files there; null otherwise.
    static inline std::function<void(const QString &archivo)> TrasConfirmarGuardado;
    // Replaces the working database with the form's record in the document and upgrades
    // it. A missing or damaged record changes nothing and tells the user.
    bool Cargar(const QString &archivo);
    // Upgrades the database at `mdb` written by `versionArchivo` ("v1.3"); tells the user
    // and returns false when a change fails. `versionPrograma` is not used.
    bool ActualizaMDB(const QString &mdb, const QString &codigo, const QString &versionArchivo,
                      const QString &versionPrograma);
    // Adds to the upgraded working database at `mdb` what the form's template has and a
    // document saved before may lack (indexes); false with `error` when that fails, which
    // leaves the document usable.
    virtual bool CompletarBaseTrabajo(const QString &mdb, QString *error);

    // --- shared handlers (bound by the constructor and EstablecerBBDD; public so that
    // forms can bind them to their own components)
    void DSrcEventoOnDataChange(DataSource *sender, Field *field);
    void AdsEventoAfterPost(Dataset *ds);
    void AdsEventoBeforeDelete(Dataset *ds);
    void FrmEventoOnActivate();
    void FrmEventoOnSeleccionPredio();
    // Shows the property register (the class registered as "TFormPredios") for a choice:
    // the chosen property's code, 0 when none was chosen, -1 when there is no register.
    int ElegirPredioRegistro();
    // False when closing is refused (Cancel, or a save that did not happen).
    bool FrmEventoOnCloseQuery(QObject *sender);
    void FrmEventoOnClose(QObject *sender);
    // Key preview: true when the key was consumed or replaced.
    bool FrmEventoOnKeyDown(QWidget *receptor, QKeyEvent *e);
    // Typed text: the decimal swap and the Spanish upper case; returns the text to type.
    QString FrmEventoOnKeyPress(const QString &texto);
    // Enter in a grid whose dataset is being edited moves to the next column (back one
    // after Shift+Tab or Left on a lookup column); on the last column it posts the row
    // and appends another when the grid allows it.
    void DbgEventoOnKeyPress(DBGrid *grilla, QChar &tecla);
    // Leaving a grid of Tag 1 posts its pending edit and calls DbgEventoOnExitEspecial.
    void DbgEventoOnExit(DBGrid *grilla);

    // The forms whose typed letters stay as typed.
    static bool conservaMinusculas(const QString &nombreVentana);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The key preview of eventFilter: FrmEventoOnKeyDown, then, with `convertir`, the typed
    // text through FrmEventoOnKeyPress (a form that decides per control calls it itself);
    // without `mayusculas` the text keeps its case and only the decimal swap applies.
    bool filtrarTecla(QObject *watched, QEvent *event, bool convertir, bool mayusculas = true);
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The first data change of a document marks it modified (all forms).
    void marcarModificado();
    // After the numeric-pad decimal key, "." and "," swap once.
    void cambiarDecimal(QString &texto);
    // Binds a replica control to the sibling's "dsrcPpal"; false (reported) when missing.
    bool enlazarReplica(DataAwareControl *control, const QString &codigo);
    void faltaDatasource(const QString &codigo);
    // Posts pending edits, writes the property back and reads the working database's bytes
    // for the document `archivo`; false (reported) when any step fails.
    bool prepararBase(const QString &archivo, QByteArray &base);
    bool prepararRegistro(const QString &archivo, QByteArray &registro);
    void vincularEventosDatasets();
    void vincularComponentes();
    void vincularGrillas();
    void vincularSubventana();
    // The first edit, memo, lookup combo or grid showing `campo` that can take the focus.
    QWidget *controlDeCampo(const Field *campo) const;
    // Makes the page holding `control` the current one and brings the form to the front.
    void mostrarControl(QWidget *control);
    // Appends a multi-selection binding and binds the edit's button or the grid's columns.
    void enlazarSeleccion(DBEdit *edit, const TSeleccionMultiple &seleccion);
    void enlazarSeleccion(DBGrid *grilla, const QString &campo, const TSeleccionMultiple &seleccion);
    bool enviarTecla(QWidget *receptor, int tecla, const QString &texto, Qt::KeyboardModifiers modificadores);

    QWidget *m_owner = nullptr;
    bool m_reenviando = false;
    QMetaObject::Connection m_activacion;
};
