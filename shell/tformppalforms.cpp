#include "tformppalforms.h"

#include "abort.h"
#include "connection.h"
#include "datasource.h"
#include "dbcombobox.h"
#include "dbdateedit.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dialogservice.h"
#include "field.h"
#include "gridcolumn.h"
#include "nombredocumento.h"
#include "ordenlistas.h"
#include "query.h"
#include "shelllog.h"
#include "table.h"
#include "util_archivo.h"
#include "util_bbdd.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QPushButton *boton(const QString &texto, const char *nombre)
{
    auto *b = new QPushButton(texto);
    b->setObjectName(QLatin1String(nombre));
    return b;
}

QString texto(const Dataset *ds, const char *campo)
{
    const Field *f = ds->Active() ? ds->FindField(QLatin1String(campo)) : nullptr;
    return f ? f->AsString() : QString();
}

int entero(const Dataset *ds, const char *campo)
{
    const Field *f = ds->Active() ? ds->FindField(QLatin1String(campo)) : nullptr;
    return f ? int(f->AsInteger()) : 0;
}

} // namespace

QStringList TFormPpalForms::Estados()
{
    return {QStringLiteral("En proceso de Creación"), QStringLiteral("Arch. de Intercambio Generado"),
            QStringLiteral("Entregado a Okran"), QStringLiteral("Aprobado por Okran"), QStringLiteral("Rechazado por Okran")};
}

TFormPpalForms::TFormPpalForms(const QString &dirAplicacion, QWidget *parent)
    : QDialog(parent), m_dirAplicacion(dirAplicacion)
{
    setObjectName(QStringLiteral("FormPpalForms"));
    setWindowTitle(QStringLiteral("Formularios"));
    resize(980, 435);

    // --- data
    ADOConexionBD = new Connection(this);
    adsPredios = new Query(this);
    adsPredios->setObjectName(QStringLiteral("adsPredios"));
    adsPredios->setSQL(QStringLiteral("SELECT * FROM predio ORDER BY ") + QLatin1String(kOrdenPredios));
    adsPredios->setReadOnDemand(true);
    adtFormularios = new Query(this);
    adtFormularios->setObjectName(QStringLiteral("adtFormularios"));
    adtFormularios->setSQL(QStringLiteral("SELECT form_id, form_sigla FROM formularios"));
    adtFormPredio = new Table(this);
    adtFormPredio->setObjectName(QStringLiteral("adtFormPredio"));
    adtFormPredio->setTableName(QStringLiteral("formPredio"));
    adsFormulario = new Query(this);
    adsFormulario->setObjectName(QStringLiteral("adsFormulario"));
    adsFormulario->setSQL(QStringLiteral("SELECT * FROM formularios"));
    for (Dataset *ds : std::initializer_list<Dataset *>{adsPredios, adtFormularios, adtFormPredio, adsFormulario})
        ds->setConnection(ADOConexionBD);

    dsrcPredios = new DataSource(this);
    dsrcPredios->setDataSet(adsPredios);
    dsrcFormPredio = new DataSource(this);
    dsrcFormPredio->setDataSet(adtFormPredio);
    dsrcFormulario = new DataSource(this);
    dsrcFormulario->setDataSet(adsFormulario);
    adtFormPredio->setMasterSource(dsrcPredios, QStringLiteral("pred_codigo"), QStringLiteral("pred_codigo"));
    adsFormulario->setMasterSource(dsrcFormPredio, QStringLiteral("form_id"), QStringLiteral("form_id"));
    adtFormPredio->addLookupField(QStringLiteral("form_abrev"), QStringLiteral("form_id"), adtFormularios,
                                  QStringLiteral("form_id"), QStringLiteral("form_sigla"));
    // The grid shows the date of the last save as the date field beside it does, dd-mm-yyyy.
    Field *fecha = adtFormPredio->addCalculatedField(QStringLiteral("foco_fecha_txt"), FieldType::Text, 10);
    // Two documents of one kind and property differ by their file: its name is shown.
    Field *nombre = adtFormPredio->addCalculatedField(QStringLiteral("foco_nombre"), FieldType::Text, 255);
    adtFormPredio->OnCalcFields = [fecha, nombre](Dataset *ds) {
        const QDateTime valor = ds->FieldByName(QStringLiteral("foco_fecha"))->AsDateTime();
        fecha->setAsString(valor.isValid() ? valor.toString(QStringLiteral("dd-MM-yyyy")) : QString());
        nombre->setAsString(QFileInfo(ds->FieldByName(QStringLiteral("foco_archivo"))->AsString()).fileName());
    };
    adtFormPredio->BeforeDelete = [](Dataset *) {
        if (DialogoWin32(mtConfirmation, QStringLiteral("¿Está seguro de eliminar este registro?"), MB::YESNO) != ID::YES)
            Abort();
    };

    // --- left: the properties
    dblPredios = new DBGrid;
    dblPredios->setObjectName(QStringLiteral("dblPredios"));
    dblPredios->setDataSource(dsrcPredios);
    dblPredios->addColumn(QStringLiteral("pred_nombre"))->setTitle(QStringLiteral("Predio"));
    dblPredios->setOptions({});
    dblPredios->setReadOnly(true);
    auto *izquierda = new QVBoxLayout;
    izquierda->addWidget(new QLabel(QStringLiteral("Nombre de Predios existentes:")));
    izquierda->addWidget(dblPredios, 1);

    // --- right: the documents of the property
    auto *grupo = new QGroupBox(QStringLiteral(" Información del Predio "));
    lblNombrePredio = new QLabel;
    lblNombrePredio->setObjectName(QStringLiteral("lblNombrePredio"));
    lblFormulario = new QLabel;
    lblFormulario->setObjectName(QStringLiteral("lblFormulario"));
    lblFormulario->setWordWrap(true);

    DBGridEh1 = new DBGrid;
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setDataSource(dsrcFormPredio);
    DBGridEh1->addColumn(QStringLiteral("form_abrev"))->setTitle(QStringLiteral("Tipo de \nFormulario"));
    DBGridEh1->addColumn(QStringLiteral("foco_fecha_txt"))->setTitle(QStringLiteral("Fecha de\nModificación"));
    GridColumn *estado = DBGridEh1->addColumn(QStringLiteral("foco_estado"));
    estado->setTitle(QStringLiteral("Estado Actual"));
    estado->setKeyList({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    estado->setPickList(Estados());
    estado->setWidth(190);
    DBGridEh1->addColumn(QStringLiteral("foco_nombre"))->setTitle(QStringLiteral("Archivo"));
    for (int i = 0; i < DBGridEh1->ColumnCount(); ++i)
        DBGridEh1->Columns(i)->setReadOnly(true);
    // Rows can be deleted, nothing else is edited in the grid.
    DBGridEh1->setOptions(DBGrid::Editing | DBGrid::Indicator);
    DBGridEh1->setAllowedOperations(DBGrid::AllowDelete);

    edtFecha = new DBDateEdit;
    edtFecha->setObjectName(QStringLiteral("edtFecha"));
    edtFecha->setDataSource(dsrcFormPredio, QStringLiteral("foco_fecha"));
    dbBoxFP_estado = new DBComboBox;
    dbBoxFP_estado->setObjectName(QStringLiteral("dbBoxFP_estado"));
    dbBoxFP_estado->setItems(Estados(), {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                         QStringLiteral("4")});
    dbBoxFP_estado->setDataSource(dsrcFormPredio, QStringLiteral("foco_estado"));
    dbBoxFP_estado->installEventFilter(this);
    edtNroResol = new DBEdit;
    edtNroResol->setObjectName(QStringLiteral("edtNroResol"));
    edtNroResol->setDataSource(dsrcFormPredio, QStringLiteral("foco_nroResol"));

    auto *datos = new QGridLayout(grupo);
    datos->addWidget(new QLabel(QStringLiteral("Nombre Predio:")), 0, 0);
    datos->addWidget(lblNombrePredio, 0, 1, 1, 3);
    datos->addWidget(new QLabel(QStringLiteral("Formulario de:")), 1, 0);
    datos->addWidget(lblFormulario, 1, 1, 1, 3);
    datos->addWidget(DBGridEh1, 2, 0, 1, 4);
    datos->addWidget(new QLabel(QStringLiteral("Fecha de Modificación:")), 3, 0);
    datos->addWidget(edtFecha, 3, 1);
    datos->addWidget(new QLabel(QStringLiteral("Estado:")), 4, 0);
    datos->addWidget(dbBoxFP_estado, 4, 1, 1, 3);
    datos->addWidget(new QLabel(QStringLiteral("Nro. Resolución:")), 5, 0);
    datos->addWidget(edtNroResol, 5, 1);
    datos->setRowStretch(2, 1);
    datos->setColumnStretch(3, 1);

    btnAbrir = boton(QStringLiteral("   Abrir"), "btnAbrir");
    btnGuardar = boton(QStringLiteral("Guardar"), "btnGuardar");
    btnCancelar = boton(QStringLiteral("Cancelar"), "btnCancelar");
    btnExpForm = boton(QStringLiteral("     Exportar Formulario"), "btnExpForm");
    btnCopyXML = boton(QStringLiteral("Copiar Arch. Intercambio"), "btnCopyXML");
    btnCerrar = boton(QStringLiteral("      Cerrar"), "btnCerrar");
    btnAbrir->setDefault(true);
    auto *edicion = new QHBoxLayout;
    edicion->addStretch();
    edicion->addWidget(btnGuardar);
    edicion->addWidget(btnCancelar);
    datos->addLayout(edicion, 5, 2, 1, 2);

    auto *botones = new QHBoxLayout;
    botones->addWidget(btnAbrir);
    botones->addWidget(btnExpForm);
    botones->addWidget(btnCopyXML);
    botones->addStretch();
    botones->addWidget(btnCerrar);

    auto *cuerpo = new QHBoxLayout;
    cuerpo->addLayout(izquierda, 2);
    cuerpo->addWidget(grupo, 5);
    auto *columna = new QVBoxLayout(this);
    columna->addLayout(cuerpo, 1);
    columna->addLayout(botones);

    connect(btnAbrir, &QPushButton::clicked, this, &TFormPpalForms::btnAbrirClick);
    connect(btnGuardar, &QPushButton::clicked, this, &TFormPpalForms::btnGuardarClick);
    connect(btnCancelar, &QPushButton::clicked, this, &TFormPpalForms::btnCancelarClick);
    connect(btnExpForm, &QPushButton::clicked, this, &TFormPpalForms::btnExpFormClick);
    connect(btnCopyXML, &QPushButton::clicked, this, &TFormPpalForms::btnCopyXMLClick);
    connect(btnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGridEh1->view(), &QTableView::doubleClicked, this, &TFormPpalForms::btnAbrirClick);

    for (DataSource *fuente : {dsrcPredios, dsrcFormPredio, dsrcFormulario}) {
        connect(fuente, &DataSource::dataChanged, this, &TFormPpalForms::actualizarControles);
        connect(fuente, &DataSource::stateChanged, this, &TFormPpalForms::actualizarControles);
        connect(fuente, &DataSource::layoutChanged, this, &TFormPpalForms::actualizarControles);
    }
    actualizarControles();
}

void TFormPpalForms::showEvent(QShowEvent *e)
{
    if (const QScreen *pantalla = screen())
        move(pantalla->availableGeometry().center() - rect().center());
    // Read again when the data changed since the last show, so that the documents saved
    // meanwhile are listed; unchanged data is not read again.
    const QString archivo = m_dirAplicacion + QStringLiteral("bbdd/bd.db");
    if (!ADOConexionBD->isOpen() || ADOConexionBD->fileName() != archivo || m_firmaLeida.isEmpty()
        || firmaDatos() != m_firmaLeida) {
        m_firmaLeida.clear();
        if (setArchivoADO(ADOConexionBD, archivo))
            m_firmaLeida = firmaDatos();
        else
            qCWarning(lcShell).noquote() << ADOConexionBD->lastError().text();
    }
    actualizarControles();
    QDialog::showEvent(e);
}

QString TFormPpalForms::firmaDatos() const
{
    const QueryResult version = ADOConexionBD->select(QStringLiteral("PRAGMA data_version"));
    if (!version.ok || version.rows.isEmpty())
        return {};
    const QFileInfo archivo(ADOConexionBD->fileName());
    return QStringLiteral("%1|%2|%3")
        .arg(version.rows.first().value(0).toLongLong())
        .arg(archivo.size())
        .arg(archivo.lastModified().toMSecsSinceEpoch());
}

void TFormPpalForms::actualizarControles()
{
    lblNombrePredio->setText(texto(adsPredios, "pred_nombre"));
    lblFormulario->setText(adtFormPredio->Active() && !adtFormPredio->IsEmpty() ? texto(adsFormulario, "form_descripcion")
                                                                                  : QString());
    const bool hayFila = adtFormPredio->Active() && !adtFormPredio->IsEmpty();
    const bool editando = adtFormPredio->State() == DatasetState::Edit || adtFormPredio->State() == DatasetState::Insert;
    btnGuardar->setEnabled(editando);
    btnCancelar->setEnabled(editando);
    const int estado = entero(adtFormPredio, "foco_estado");
    btnCopyXML->setEnabled(hayFila && estado >= 1);
    btnAbrir->setEnabled(hayFila);
    btnExpForm->setEnabled(hayFila);
    // Only a document whose exchange file exists can change its state.
    dbBoxFP_estado->setControlReadOnly(!hayFila || estado == 0);
}

bool TFormPpalForms::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == dbBoxFP_estado && e->type() == QEvent::MouseButtonPress && dbBoxFP_estado->controlReadOnly()
        && adtFormPredio->Active() && !adtFormPredio->IsEmpty()) {
        DialogoWin32(mtCustom,
                     QStringLiteral("El estado sólo puede ser cambiado después de Generar el archivo de Intercabio para Okran."),
                     MB::OK);
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void TFormPpalForms::btnGuardarClick()
{
    catchAbort([this] {
        if (!adtFormPredio->Post())
            DialogoWin32(mtError, adtFormPredio->lastError().text(), MB::OK);
    });
    actualizarControles();
}

void TFormPpalForms::btnCancelarClick()
{
    catchAbort([this] { adtFormPredio->Cancel(); });
    actualizarControles();
}

void TFormPpalForms::btnAbrirClick()
{
    if (!adtFormPredio->Active() || adtFormPredio->IsEmpty())
        return;
    Tag = 1;
    accept();
}

TFormPpalForms::Documento TFormPpalForms::DocumentoElegido() const
{
    Documento d;
    d.archivo = texto(adtFormPredio, "foco_archivo");
    d.predCodigo = entero(adtFormPredio, "pred_codigo");
    d.hash = texto(adtFormPredio, "foco_hashXml");
    d.consultorId = entero(adtFormPredio, "foco_consultorId");
    d.estado = entero(adtFormPredio, "foco_estado");
    return d;
}

void TFormPpalForms::btnExpFormClick()
{
    const QString extension = QStringLiteral("f") + texto(adsFormulario, "form_extension").toLower();
    copiarA(texto(adtFormPredio, "foco_archivo"),
            QStringLiteral("Formulario %1 (*.%2)").arg(texto(adsFormulario, "form_descripcion"), extension), extension);
}

void TFormPpalForms::btnCopyXMLClick()
{
    copiarA(texto(adtFormPredio, "foco_XML"), QStringLiteral("Archivo XML (*.xml);;Todos los Archivos (*)"), QStringLiteral("xml"));
}

void TFormPpalForms::copiarA(const QString &origen, const QString &filtro, const QString &extension)
{
    if (origen.isEmpty())
        return;
    const QString destino = ConExtension(dlgGuardar ? dlgGuardar(origen, filtro) : PedirArchivoGuardar(this, origen, filtro, extension),
                                         extension);
    if (destino.isEmpty())
        return;
    if (destino == origen)
        return;
    // The copy replaces the target atomically and does nothing when the target is the
    // original under another spelling of its path.
    QString error;
    if (!CopiarArchivo(origen, destino, &error))
        DialogoWin32(mtError, error, MB::OK);
}
