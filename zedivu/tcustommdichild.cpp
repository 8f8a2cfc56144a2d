// The form window base: construction, titles, siblings, replicas, dialogs and the shared
// handlers of data changes, activation, property pick and closing. The working database
// and the document records are in tcustommdichild_bbdd.cpp, the keys in
// tcustommdichild_teclado.cpp.
#include "tcustommdichild.h"

#include "abort.h"
#include "classregistry.h"
#include "connection.h"
#include "dataset.h"
#include "dbgrid.h"
#include "datasource.h"
#include "dblookupcombobox.h"
#include "dbedit.h"
#include "dbmemo.h"
#include "dialogservice.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "gridcolumn.h"
#include "mainwindowhooks.h"
#include "query.h"
#include "table.h"
#include "xml/txml.h"
#include "util_bbdd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QTabWidget>

namespace {

const QChar kComilla = QLatin1Char('"');

QString hintReplica(const QString &que, const QString &codigo, const QString &cierre)
{
    return QStringLiteral("Este %1 debe llenarse en el formulario %2.\n%3").arg(que, codigo.toUpper(), cierre);
}

const QString &cierreCampo()
{
    static const QString s = QStringLiteral("La información presentada aquí es sólo una réplica.");
    return s;
}

} // namespace

TCustomMDIChild::TCustomMDIChild(QWidget *owner)
    : QWidget(owner)
    , m_owner(owner)
{
    // Closing frees the window (and the MDI sub-window that holds it).
    setAttribute(Qt::WA_DeleteOnClose);
    // Key preview: the form sees the keys of all its controls before they do.
    qApp->installEventFilter(this);
}

TCustomMDIChild::~TCustomMDIChild()
{
    delete XML;
}

// --- virtual operations

void TCustomMDIChild::GuardarPredio() {}

void TCustomMDIChild::TerminarGuardarPredio(bool) {}

bool TCustomMDIChild::GuardarFormPredio(int formId, const QString &archivo)
{
    if (!ConexionBDPpal)
        return false;
    // Dates are stored as the schema stores them, whatever the machine's settings.
    const QString hoy = QDate::currentDate().startOfDay().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return ConexionBDPpal->exec(QStringLiteral("INSERT INTO formPredio (pred_codigo, form_id, foco_estado, foco_fecha, "
                                               "foco_archivo) VALUES (?, ?, 0, ?, ?)"),
                                {PredCodigo, formId, hoy, archivo});
}

void TCustomMDIChild::InicializarDatasetPpal(const QString &) {}

void TCustomMDIChild::LlenarInfoPredio() {}

void TCustomMDIChild::ComponerDifrol(TImpresion *impresion)
{
    static const QStringList solicitudes = {QStringLiteral("DORVO"), QStringLiteral("FERUN"), QStringLiteral("BEXA")};
    for (const QPointer<TCustomMDIChild> &h : std::as_const(Hermanos)) {
        if (h && solicitudes.contains(h->Codigo.toUpper()))
            h->ComponerDifrol(impresion);
    }
}

QByteArray TCustomMDIChild::PrepararSolXML()
{
    if (!XML)
        return QByteArray();
    XML->Limpiar();
    return XML->Texto();
}

void TCustomMDIChild::DbgEventoOnExitEspecial(QObject *)
{
    FALLA_PROGRAMACION(QStringLiteral("%1.DbgEventoOnExitEspecial no está implementado").arg(objectName()));
}

void TCustomMDIChild::ConexionesExternas() {}

bool TCustomMDIChild::ValidarTodo()
{
    Validado = true;
    ActualizarTitulo();
    return true;
}

bool TCustomMDIChild::ValidarFormulario()
{
    return true;
}

// --- siblings

TCustomMDIChild *TCustomMDIChild::BuscarFormulario(const QString &codigo) const
{
    TCustomMDIChild *encontrado = nullptr;
    for (const QPointer<TCustomMDIChild> &h : Hermanos) {
        if (h && h->Codigo.compare(codigo, Qt::CaseInsensitive) == 0)
            encontrado = h;
    }
    return encontrado;
}

DataSource *TCustomMDIChild::BuscarDatasource(const QString &codigo) const
{
    TCustomMDIChild *hermano = BuscarFormulario(codigo);
    if (!hermano)
        return nullptr;
    for (DataSource *ds : hermano->findChildren<DataSource *>()) {
        if (ds->objectName().compare(QLatin1String("dsrcPpal"), Qt::CaseInsensitive) == 0)
            return ds;
    }
    return nullptr;
}

Dataset *TCustomMDIChild::BuscarDataset(const QString &codigo, const QString &sufijo) const
{
    const QString nombre = sufijo.isEmpty() ? codigo : codigo + QLatin1Char('_') + sufijo;
    TCustomMDIChild *hermano = BuscarFormulario(codigo);
    if (hermano && hermano->ConexionBD) {
        for (Dataset *ds : hermano->ConexionBD->datasets()) {
            QString texto;
            if (auto *t = qobject_cast<Table *>(ds))
                texto = t->TableName();
            else if (auto *q = qobject_cast<Query *>(ds))
                texto = q->SQL().trimmed();
            if (texto.compare(nombre, Qt::CaseInsensitive) == 0)
                return ds;
        }
    }
    FALLA_PROGRAMACION(QStringLiteral("dataset ") + kComilla + sufijo + kComilla + QStringLiteral(" no encontrado en ")
                       + kComilla + codigo + kComilla);
    return nullptr;
}

// --- replicas

void TCustomMDIChild::faltaDatasource(const QString &codigo)
{
    FALLA_PROGRAMACION(QStringLiteral("TCustomMDIChild.DatasourceExterno: Datasource dsrcPpal no encontrado en ") + kComilla
                       + codigo + kComilla);
}

bool TCustomMDIChild::enlazarReplica(DataAwareControl *control, const QString &codigo)
{
    DataSource *fuente = BuscarDatasource(codigo);
    if (!control || !fuente) {
        faltaDatasource(codigo);
        return false;
    }
    control->setDataSource(fuente, control->dataField());
    return true;
}

void TCustomMDIChild::DataSourceExterno(DBEdit *control, const QString &codigo)
{
    if (enlazarReplica(control, codigo))
        control->showAsReplica(hintReplica(QStringLiteral("campo"), codigo, cierreCampo()));
}

void TCustomMDIChild::DatasourceExterno(DBLookupComboBox *control, const QString &codigo)
{
    if (!enlazarReplica(control, codigo))
        return;
    // The list is the sibling's own: the combo of the same field there.
    for (DBLookupComboBox *otro : BuscarFormulario(codigo)->findChildren<DBLookupComboBox *>()) {
        if (otro->dataField().compare(control->dataField(), Qt::CaseInsensitive) == 0) {
            control->setListSource(otro->ListSource(), otro->KeyField(), otro->ListField());
            break;
        }
    }
    control->showAsReplica(hintReplica(QStringLiteral("campo desplegable"), codigo, cierreCampo()));
}

void TCustomMDIChild::DatasourceExterno(DBMemo *control, const QString &codigo)
{
    if (enlazarReplica(control, codigo))
        control->showAsReplica(hintReplica(QStringLiteral("campo"), codigo, cierreCampo()));
}

namespace {

// Columns for a replica grid described without any: those of the sibling's own grid over
// the same table, as the sibling shows them; every field when no grid of it shows the table.
void copiarColumnas(DBGrid *replica, const QWidget *hermano, Dataset *ds)
{
    const DBGrid *original = nullptr;
    if (hermano) {
        for (const DBGrid *g : hermano->findChildren<DBGrid *>()) {
            if (g != replica && g->DataSet() == ds && g->ColumnCount() > 0) {
                original = g;
                break;
            }
        }
    }
    if (!original) {
        for (const Field *f : ds->fieldList())
            if (f->Visible())
                replica->addColumn(f->FieldName());
        return;
    }
    for (int i = 0; i < original->ColumnCount(); ++i) {
        const GridColumn *o = original->Columns(i);
        GridColumn *c = replica->addColumn(o->FieldName());
        c->setTitle(o->Title());
        c->setWidth(o->Width());
        c->setVisible(o->Visible());
        c->setAlignment(o->Alignment());
        c->setKeyList(o->KeyList());
        c->setPickList(o->PickList());
        c->setMinWidth(o->MinWidth());
    }
}

} // namespace

void TCustomMDIChild::DataSetExterno(DBGrid *grilla, const QString &codigo, const QString &sufijo)
{
    Dataset *ds = BuscarDataset(codigo, sufijo);
    if (!grilla || !ds) {
        faltaDatasource(codigo);
        return;
    }
    DataSource *fuente = grilla->dataSource();
    if (!fuente) {
        fuente = new DataSource(grilla);
        grilla->setDataSource(fuente);
    }
    fuente->setDataSet(ds);
    if (grilla->ColumnCount() == 0)
        copiarColumnas(grilla, BuscarFormulario(codigo), ds);
    grilla->setReadOnly(true);
    grilla->setHint(QStringLiteral("Esta tabla debe llenarse en el formulario %1.\nLos datos presentados aquí son sólo una "
                                   "réplica.")
                        .arg(codigo.toUpper()));
    grilla->setFontColor(DataAwareControl::replicaText());
    grilla->setColor(DataAwareControl::replicaBackground());
}

// --- window

void TCustomMDIChild::CambiarHoja(int hoja)
{
    HojaActual = hoja;
    if (Paginas)
        Paginas->setCurrentIndex(hoja);
}

void TCustomMDIChild::EstablecerTitulo()
{
    const QString archivo = ArchivoDocumento.isEmpty() ? QStringLiteral("Sin Título") : ArchivoDocumento;
    QString titulo = QStringLiteral("Formulario %1 (%2)").arg(Codigo, archivo);
    if (Modificado)
        titulo += QStringLiteral(" *");
    setWindowTitle(titulo);
}

void TCustomMDIChild::ActualizarTitulo()
{
    EstablecerTitulo();
    for (const QPointer<TCustomMDIChild> &h : std::as_const(Hermanos)) {
        if (h && h->windowTitle() != windowTitle()) {
            h->ArchivoDocumento = ArchivoDocumento;
            h->Modificado = Modificado;
            h->EstablecerTitulo();
        }
    }
}

int TCustomMDIChild::Dialogo(int tipo, const QString &texto, int botones)
{
    if (m_owner)
        FALLA_PROGRAMACION(QStringLiteral("Owner de este TCustomMDIChild (") + kComilla + objectName() + kComilla
                           + QStringLiteral(") no es de TApplication"));
    return DialogoWin32(TMsgDlgType(tipo), texto, botones);
}

void TCustomMDIChild::DialogoError(const QString &texto)
{
    Dialogo(mtWarning, QStringLiteral("Error en Formulario %1: \n\n%2.").arg(Codigo.toUpper(), texto), MB::OK);
    Validado = false;
}

void TCustomMDIChild::Cerrar()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void TCustomMDIChild::LlenarInfoPersona(Dataset *ds, const QString &campoRut)
{
    if (!ds || !ConexionBDPpal)
        return;
    Field *rut = ds->FindField(campoRut);
    if (!rut || rut->IsNull() || rut->AsInteger() <= 0)
        return;
    const QueryResult r = ConexionBDPpal->select(
        QStringLiteral("SELECT pers_dv, pers_paterno, pers_materno, pers_nombre, pers_direccion, pers_comuna, pers_ciudad, "
                       "pers_sexo, pers_telefono FROM persona WHERE pers_rut = ?"),
        {rut->AsInteger()});
    if (!r.ok || r.rows.isEmpty())
        return;
    const QVariantList &fila = r.rows.first();
    static const char *const campos[] = {"dv", "pat", "mat", "nom", "dom", "com", "ciu", "sexo"};
    for (int i = 0; i < 8; ++i) {
        Field *f = ds->FindField(QLatin1String(campos[i]));
        if (!f) {
            FALLA_PROGRAMACION(QStringLiteral("Campo ") + kComilla + QLatin1String(campos[i]) + kComilla
                               + QStringLiteral(" no existe en DataSet ") + kComilla + ds->objectName() + kComilla);
            continue;
        }
        f->setValue(fila.value(i));
    }
    if (Field *fono = ds->FindField(QStringLiteral("fono")))
        fono->setValue(fila.value(8));
}

QString TCustomMDIChild::PaginaAyuda() const
{
    return QStringLiteral("%1_%2%3.html").arg(Codigo).arg((HojaActual / 10) % 10).arg(HojaActual % 10);
}

// --- shared handlers

void TCustomMDIChild::marcarModificado()
{
    if (Modificado || Ocupado)
        return;
    for (const QPointer<TCustomMDIChild> &h : std::as_const(Hermanos)) {
        if (!h)
            continue;
        h->HashXML.clear();
        h->Modificado = true;
        h->Respondido = false;
    }
    HashXML.clear();
    Modificado = true;
    Respondido = false;
    Validado = false;
    ActualizarTitulo();
}

void TCustomMDIChild::DSrcEventoOnDataChange(DataSource *, Field *field)
{
    // A data source also reports the cursor moving (no field); only a change of a value
    // is a change of the document.
    if (field)
        marcarModificado();
}

void TCustomMDIChild::AdsEventoAfterPost(Dataset *ds)
{
    // A posted row or a deleted one is a change even when no field was typed into.
    marcarModificado();
    if (ds && ds->Active())
        RefrescarADS(ds);
}

void TCustomMDIChild::AdsEventoBeforeDelete(Dataset *ds)
{
    if (!ds || ds->IsEmpty())
        Abort();
    if (Dialogo(mtConfirmation, QStringLiteral("¿Está seguro de eliminar este registro?"), MB::YESNO) != ID::YES)
        Abort();
}

void TCustomMDIChild::FrmEventoOnActivate()
{
    MainWindowHooks::notifyFormActivated(this);
}

void TCustomMDIChild::FrmEventoOnSeleccionPredio()
{
    if (Modificado
        && Dialogo(mtWarning,
                   QStringLiteral("La inclusión de datos de un predio puede involucrar el reemplazo de\nparte de la "
                                  "información ingresada en la sección de \"Antecedentes Generales\".\n\n¿Está seguro "
                                  "que desea continuar?"),
                   MB::YESNO)
               != ID::YES)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Closing the register without a choice keeps the document's property and its data
    // as they are: taking the 0 would make the next save register the property again.
    const int elegido = ElegirPredioRegistro();
    if (elegido == 0) {
        QApplication::restoreOverrideCursor();
        return;
    }
    if (elegido > 0)
        PredCodigo = elegido;
    if (PredCodigo > 0) {
        catchAbort([this] {
            LlenarInfoPredio();
            for (const QPointer<TCustomMDIChild> &h : std::as_const(Hermanos)) {
                if (h) {
                    h->PredCodigo = PredCodigo;
                    h->LlenarInfoPredio();
                }
            }
        });
    }
    QApplication::restoreOverrideCursor();
}

int TCustomMDIChild::ElegirPredioRegistro()
{
    // The property register is a plug-in: it is reached by its registered name and its
    // invokable MostrarModalSeleccion, which returns the chosen pred_codigo (0: none).
    QWidget *predios = ClassRegistry::instance().create(QStringLiteral("TFormPredios"), nullptr);
    if (!predios)
        return -1;
    predios->setProperty("DirAplicacion", DirAplicacion);
    int elegido = 0;
    const bool conCursor = QApplication::overrideCursor() != nullptr;
    if (conCursor)
        QApplication::restoreOverrideCursor();
    const bool mostrado =
        QMetaObject::invokeMethod(predios, "MostrarModalSeleccion", Qt::DirectConnection, Q_RETURN_ARG(int, elegido));
    if (conCursor)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    delete predios;
    return mostrado && elegido > 0 ? elegido : 0;
}

bool TCustomMDIChild::FrmEventoOnCloseQuery(QObject *sender)
{
    Ocupado = true;
    Hermanos.removeAll(QPointer<TCustomMDIChild>());
    bool pregunta = Modificado && !Respondido;
    for (const QPointer<TCustomMDIChild> &h : std::as_const(Hermanos))
        pregunta = pregunta || (h->Modificado && !h->Respondido);
    if (pregunta) {
        const int r = Dialogo(mtConfirmation,
                              QStringLiteral("Ha realizado modificaciones en uno o más de\nlos formularios abiertos.\n\n"
                                             "¿Desea grabar los cambios?"),
                              MB::YESNOCANCEL);
        bool respondido = r == ID::YES || r == ID::NO;
        if (r == ID::YES) {
            const TNotifyEvent &guardar = ArchivoDocumento.isEmpty() ? OnGuardarComo : OnGuardar;
            if (guardar)
                guardar(sender);
            // A Save As the user cancelled (or a save that failed) leaves the document
            // modified: then nothing closes, as after Cancel.
            respondido = !Modificado;
        }
        Respondido = respondido;
        if (respondido) {
            for (const QPointer<TCustomMDIChild> &h : std::as_const(Hermanos)) {
                if (h)
                    h->Respondido = true;
            }
        }
    }
    if (!Respondido && pregunta) {
        Ocupado = false;
        return false;
    }
    return true;
}

void TCustomMDIChild::FrmEventoOnClose(QObject *sender)
{
    if (ConexionBD) {
        for (Dataset *ds : ConexionBD->datasets()) {
            if (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert)
                ds->Cancel();
        }
    }
    SeleccionesMultiples.clear();
    const QList<QPointer<TCustomMDIChild>> hermanos = Hermanos;
    for (const QPointer<TCustomMDIChild> &h : hermanos) {
        if (!h)
            continue;
        h->Hermanos.clear();
        h->Cerrar();
    }
    Hermanos.clear();
    MainWindowHooks::notifyFormClosed(this);
    if (OnActualizarBotones)
        OnActualizarBotones(sender);
}

void TCustomMDIChild::closeEvent(QCloseEvent *event)
{
    if (!FrmEventoOnCloseQuery(this)) {
        event->ignore();
        return;
    }
    FrmEventoOnClose(this);
    event->accept();
}

bool TCustomMDIChild::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        vincularSubventana();
        break;
    case QEvent::WindowActivate:
        // A top-level form (no MDI frame) is activated like a window of its own.
        if (!qobject_cast<QMdiSubWindow *>(parentWidget()))
            FrmEventoOnActivate();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TCustomMDIChild::vincularSubventana()
{
    disconnect(m_activacion);
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        m_activacion = connect(sub, &QMdiSubWindow::windowStateChanged, this,
                               [this](Qt::WindowStates antes, Qt::WindowStates ahora) {
                                   if ((ahora & Qt::WindowActive) && !(antes & Qt::WindowActive))
                                       FrmEventoOnActivate();
                               });
    }
}
