// The property register's window: its components and how showing and closing it work.
// The rules of its modes, checks and owners are in tformpredios_reglas.cpp.
#include "tformpredios.h"

#include "abort.h"
#include "classregistry.h"
#include "connection.h"
#include "datasource.h"
#include "dialogservice.h"
#include "ordenlistas.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "dbnavigator.h"
#include "field.h"
#include "gridcolumn.h"
#include "listapropietarios.h"
#include "query.h"
#include "table.h"
#include "teclaprevista.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

BRENVIK_REGISTER_WINDOW(TFormPredios, "TFormPredios");

const QString TFormPredios::NOMBRE_PREDIO_VACIO = QStringLiteral("[SIN_NOMBRE]");

namespace {

QPushButton *boton(QWidget *padre, const QString &nombre, const QString &texto)
{
    auto *b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    b->setAutoDefault(false);
    return b;
}

DBEdit *edit(QWidget *padre, DataSource *fuente, const QString &campo)
{
    auto *e = new DBEdit(padre);
    e->setObjectName(QStringLiteral("edt_") + campo);
    e->setDataSource(fuente, campo);
    return e;
}

QGroupBox *grupoCon(QWidget *padre, const QString &titulo, QWidget *contenido)
{
    auto *g = new QGroupBox(titulo, padre);
    auto *l = new QVBoxLayout(g);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(contenido);
    return g;
}

} // namespace

TFormPredios::TFormPredios(QWidget *owner)
    : TCustomModalChild(owner)
    , m_conexion(new Connection(this))
    , m_adsPredios(new Query(this))
    , m_adsPredios2(new Table(this))
    , m_adqLocalidad(new Query(this))
    , m_adqLocalidades(new Query(this))
    , m_dsrcPredios(new DataSource(this))
    , m_dsrcPredios2(new DataSource(this))
    , m_dsrcLocalidad(new DataSource(this))
{
    setObjectName(QStringLiteral("formPredios"));
    setWindowTitle(QStringLiteral("Base de Datos de Predios"));
    m_conexion->setObjectName(QStringLiteral("ADOConexionBD"));

    m_adqLocalidad->setObjectName(QStringLiteral("adqLocalidad"));
    m_adqLocalidad->setConnection(m_conexion);
    m_adqLocalidad->setSQL(QStringLiteral("SELECT loca_codigo, loca_tipo, loca_descripcion\n"
                                          "FROM localidad \n"
                                          "WHERE loca_tipo='C'\n"
                                          "ORDER BY loca_descripcion COLLATE ESPANOL;"));
    m_dsrcLocalidad->setDataSet(m_adqLocalidad);
    // Every locality, so that the property's province and region show by name.
    m_adqLocalidades->setObjectName(QStringLiteral("adqLocalidades"));
    m_adqLocalidades->setConnection(m_conexion);
    m_adqLocalidades->setSQL(QStringLiteral("SELECT loca_codigo, loca_descripcion FROM localidad"));

    m_adsPredios->setObjectName(QStringLiteral("adsPredios"));
    m_adsPredios->setConnection(m_conexion);
    m_adsPredios->setSQL(QStringLiteral("SELECT * FROM predio ORDER BY ") + QLatin1String(kOrdenPredios));
    // However many properties there are, the list reads the rows it shows.
    m_adsPredios->setReadOnDemand(true);
    m_dsrcPredios->setDataSet(m_adsPredios);

    m_adsPredios2->setObjectName(QStringLiteral("adsPredios2"));
    m_adsPredios2->setConnection(m_conexion);
    m_adsPredios2->setTableName(QStringLiteral("predio"));
    // Linked to the list it reads one property; unlinked (creating) it reads none at once.
    m_adsPredios2->setReadOnDemand(true);
    m_adsPredios2->addLookupField(QStringLiteral("prov_look"), QStringLiteral("pred_provincia"), m_adqLocalidades,
                                  QStringLiteral("loca_codigo"), QStringLiteral("loca_descripcion"));
    m_adsPredios2->addLookupField(QStringLiteral("reg_look"), QStringLiteral("pred_region"), m_adqLocalidades,
                                  QStringLiteral("loca_codigo"), QStringLiteral("loca_descripcion"));
    m_dsrcPredios2->setDataSet(m_adsPredios2);
    enlazarConLista(true);

    m_adtRol = crearTablaHija(QStringLiteral("rol"), QStringLiteral("adtRol"));
    m_adtRol->addLookupField(QStringLiteral("rol_comuna_look"), QStringLiteral("rol_comuna"), m_adqLocalidad,
                             QStringLiteral("loca_codigo"), QStringLiteral("loca_descripcion"));
    m_adtRolContiguo = crearTablaHija(QStringLiteral("rol_contiguo"), QStringLiteral("adtRol_contiguo"));
    m_adtConservador = crearTablaHija(QStringLiteral("conservador"), QStringLiteral("adtConservador"));
    m_adtMinisterio = crearTablaHija(QStringLiteral("ministerio"), QStringLiteral("adtMinisterio"));
    m_adtCoordenada = crearTablaHija(QStringLiteral("coordenada"), QStringLiteral("adtCoordenada"));

    construir();
    conectarReglas();
}

TFormPredios::~TFormPredios()
{
    // The controls observe the datasets: close the data before the widgets go.
    m_conexion->close();
}

Table *TFormPredios::crearTablaHija(const QString &tabla, const QString &nombreDataset)
{
    auto *t = new Table(this);
    t->setObjectName(nombreDataset);
    t->setConnection(m_conexion);
    t->setTableName(tabla);
    t->setMasterSource(m_dsrcPredios2, QStringLiteral("pred_codigo"), QStringLiteral("pred_codigo"));
    return t;
}

void TFormPredios::construir()
{
    auto *principal = new QHBoxLayout(this);

    auto *izquierda = new QVBoxLayout;
    izquierda->addWidget(new QLabel(QStringLiteral("Nombre de Predios existentes:"), this));
    m_dblPredios = new DBGrid(this);
    m_dblPredios->setObjectName(QStringLiteral("dblPredios"));
    m_dblPredios->setReadOnly(true);
    m_dblPredios->setOptions({});
    m_dblPredios->setAllowedOperations({});
    GridColumn *nombre = m_dblPredios->addColumn(QStringLiteral("pred_nombre"));
    nombre->setTitle(QStringLiteral("Nombre"));
    nombre->setWidth(240);
    m_dblPredios->setDataSource(m_dsrcPredios);
    m_dblPredios->setMinimumWidth(260);
    izquierda->addWidget(m_dblPredios, 1);
    auto *botones = new QGridLayout;
    m_btnCrear = boton(this, QStringLiteral("btnCrear"), QStringLiteral("Crear"));
    m_btnEditar = boton(this, QStringLiteral("btnEditar"), QStringLiteral("Editar"));
    m_btnBorrar = boton(this, QStringLiteral("btnBorrar"), QStringLiteral("Borrar"));
    m_btnCerrar = boton(this, QStringLiteral("btnCerrar"), QStringLiteral("       Cerrar        "));
    m_btnSeleccionar = boton(this, QStringLiteral("btnSeleccionar"), QStringLiteral(" Seleccionar y Cerrar"));
    botones->addWidget(m_btnCrear, 0, 0);
    botones->addWidget(m_btnEditar, 0, 1);
    botones->addWidget(m_btnBorrar, 0, 2);
    botones->addWidget(m_btnCerrar, 1, 0);
    botones->addWidget(m_btnSeleccionar, 1, 1, 1, 2);
    izquierda->addLayout(botones);
    principal->addLayout(izquierda, 2);

    auto *derecha = new QVBoxLayout;
    derecha->addWidget(construirDetalle());
    derecha->addWidget(construirPestanas(), 1);
    principal->addLayout(derecha, 5);
    resize(980, 600);
}

QWidget *TFormPredios::construirDetalle()
{
    auto *grupo = new QGroupBox(QStringLiteral(" Información del Predio "), this);
    auto *g = new QGridLayout(grupo);
    m_edtNombre = edit(grupo, m_dsrcPredios2, QStringLiteral("pred_nombre"));
    m_edtNombre->installEventFilter(this);
    DBEdit *superficie = edit(grupo, m_dsrcPredios2, QStringLiteral("pred_superficie"));
    DBEdit *sii = edit(grupo, m_dsrcPredios2, QStringLiteral("pred_superficie_sii"));
    DBEdit *titulo = edit(grupo, m_dsrcPredios2, QStringLiteral("pred_superficie_et"));
    m_edits = {m_edtNombre, superficie, sii, titulo};
    m_lcbComuna = new DBLookupComboBox(grupo);
    m_lcbComuna->setObjectName(QStringLiteral("lcbComuna"));
    m_lcbComuna->setListSource(m_dsrcLocalidad, QStringLiteral("loca_codigo"), QStringLiteral("loca_descripcion"));
    m_lcbComuna->setDataSource(m_dsrcPredios2, QStringLiteral("pred_comuna"));
    // Province and region follow the commune; they are shown, never typed.
    DBEdit *provincia = edit(grupo, m_dsrcPredios2, QStringLiteral("prov_look"));
    DBEdit *region = edit(grupo, m_dsrcPredios2, QStringLiteral("reg_look"));
    for (DBEdit *e : {provincia, region}) {
        e->setControlReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    m_memUbicacion = new DBMemo(grupo);
    m_memUbicacion->setObjectName(QStringLiteral("mem_pred_ubicacion"));
    m_memUbicacion->setDataSource(m_dsrcPredios2, QStringLiteral("pred_ubicacion"));
    m_memUbicacion->setMaximumHeight(56);
    DBEdit *codigo = edit(grupo, m_dsrcPredios2, QStringLiteral("pred_codigo"));
    codigo->setControlReadOnly(true);
    codigo->setFocusPolicy(Qt::NoFocus);
    codigo->setMaximumWidth(80);
    m_btnGuardar = boton(grupo, QStringLiteral("btnGuardar"), QStringLiteral("Guardar"));
    m_btnCancelar = boton(grupo, QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"));

    g->addWidget(new QLabel(QStringLiteral("Nombre:"), grupo), 0, 0);
    g->addWidget(m_edtNombre, 0, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Superficie (há):"), grupo), 1, 0);
    g->addWidget(superficie, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Según SII (há):"), grupo), 1, 2);
    g->addWidget(sii, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Según Título de Dominio (há):"), grupo), 2, 0);
    g->addWidget(titulo, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Comuna:"), grupo), 3, 0);
    auto *localidades = new QHBoxLayout;
    localidades->addWidget(m_lcbComuna, 2);
    localidades->addWidget(provincia, 2);
    localidades->addWidget(region, 3);
    g->addLayout(localidades, 3, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Vías de Acceso:"), grupo), 4, 0, Qt::AlignTop);
    g->addWidget(m_memUbicacion, 4, 1, 1, 3);
    auto *pie = new QHBoxLayout;
    pie->addWidget(new QLabel(QStringLiteral("Código:"), grupo));
    pie->addWidget(codigo);
    pie->addStretch(1);
    pie->addWidget(m_btnGuardar);
    pie->addWidget(m_btnCancelar);
    g->addLayout(pie, 5, 0, 1, 4);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    return grupo;
}

DBGrid *TFormPredios::crearGrilla(const QString &nombre, DataSource *fuente, const QStringList &campos,
                                  const QStringList &titulos)
{
    auto *grilla = new DBGrid(this);
    grilla->setObjectName(nombre);
    grilla->setOptions(DBGrid::Editing | DBGrid::Indicator);
    grilla->setAllowedOperations(DBGrid::AllowInsert | DBGrid::AllowUpdate | DBGrid::AllowDelete | DBGrid::AllowAppend);
    for (int i = 0; i < campos.size(); ++i) {
        GridColumn *columna = grilla->addColumn(campos[i]);
        columna->setTitle(titulos.value(i));
        columna->setWidth(qMax(110, fontMetrics().horizontalAdvance(titulos.value(i).section(QLatin1Char('\n'), -1)) + 24));
    }
    grilla->setDataSource(fuente);
    grilla->OnError = [this](DBGrid *, const QString &mensaje) { Dialogo(mtError, mensaje, MB::OK); };
    return grilla;
}

QWidget *TFormPredios::construirPestanas()
{
    m_pestanas = new QTabWidget(this);
    m_pestanas->setObjectName(QStringLiteral("PageControl1"));
    const auto fuente = [this](Dataset *ds) {
        auto *f = new DataSource(this);
        f->setDataSet(ds);
        return f;
    };

    auto *roles = new QWidget(m_pestanas);
    roles->setObjectName(QStringLiteral("tabRoles"));
    auto *lRoles = new QHBoxLayout(roles);
    DBGrid *grillaRol = crearGrilla(QStringLiteral("dbgRol"), fuente(m_adtRol),
                                    {QStringLiteral("rol_numero"), QStringLiteral("rol_comuna_look")},
                                    {QStringLiteral("Rol Nº"), QStringLiteral("Comuna")});
    DBGrid *grillaContiguo = crearGrilla(QStringLiteral("dbgRol_contiguo"), fuente(m_adtRolContiguo),
                                         {QStringLiteral("rol_numero")}, {QStringLiteral("Rol Nº")});
    lRoles->addWidget(grupoCon(roles, QStringLiteral("Roles de Avalúo del Predio"), grillaRol), 3);
    lRoles->addWidget(grupoCon(roles, QStringLiteral("Roles de avalúo Contiguos"), grillaContiguo), 2);

    auto *conservador = new QWidget(m_pestanas);
    conservador->setObjectName(QStringLiteral("tabConservador"));
    auto *lConservador = new QVBoxLayout(conservador);
    DBGrid *grillaConservador =
        crearGrilla(QStringLiteral("dbgConservador"), fuente(m_adtConservador),
                    {QStringLiteral("cons_fojas"), QStringLiteral("cons_numero"), QStringLiteral("cons_conservador"),
                     QStringLiteral("cons_agno")},
                    {QStringLiteral("Fojas"), QStringLiteral("Nº"), QStringLiteral("Conservador"), QStringLiteral("Año")});
    lConservador->addWidget(grupoCon(conservador, QStringLiteral("Conservador de Bienes Raíces"), grillaConservador));

    auto *certificados = new QWidget(m_pestanas);
    certificados->setObjectName(QStringLiteral("tabCertificados"));
    auto *lCertificados = new QVBoxLayout(certificados);
    DBGrid *grillaMinisterio =
        crearGrilla(QStringLiteral("dbgMinisterio"), fuente(m_adtMinisterio),
                    {QStringLiteral("mini_certbn"), QStringLiteral("mini_fecha")},
                    {QStringLiteral("Nº Certificado del\nMinisterio de Bienes Nacionales"), QStringLiteral("Fecha")});
    // A typed date passes the register's date check, which writes it or refuses it.
    grillaMinisterio->ColumnByFieldName(QStringLiteral("mini_fecha"))->OnUpdateData =
        [this](GridColumn *columna, QString &texto, QVariant &, bool &manejado) {
            if (texto.trimmed().isEmpty())
                return;
            if (!ValidarFecha(columna->field(), texto.trimmed()))
                Abort();
            manejado = true;
        };
    lCertificados->addWidget(
        grupoCon(certificados, QStringLiteral("Certificados del Ministerio de Bienes Nacionales"), grillaMinisterio));

    auto *coordenadas = new QWidget(m_pestanas);
    coordenadas->setObjectName(QStringLiteral("tabCoordenadas"));
    auto *lCoordenadas = new QVBoxLayout(coordenadas);
    DataSource *fuenteCoordenadas = fuente(m_adtCoordenada);
    DBGrid *grillaCoordenadas =
        crearGrilla(QStringLiteral("dbgCoordenada"), fuenteCoordenadas,
                    {QStringLiteral("coor_punto_referencia"), QStringLiteral("coor_norte"), QStringLiteral("coor_este")},
                    {QStringLiteral("Punto de Referencia"), QStringLiteral("Norte (metros)"), QStringLiteral("Este (metros)")});
    auto *navegador = new DBNavigator(coordenadas);
    navegador->setObjectName(QStringLiteral("navCoordenada"));
    navegador->setDataSource(fuenteCoordenadas);
    auto *cajaCoordenadas = new QWidget(coordenadas);
    auto *lCaja = new QVBoxLayout(cajaCoordenadas);
    lCaja->setContentsMargins(0, 0, 0, 0);
    lCaja->addWidget(grillaCoordenadas);
    lCaja->addWidget(navegador, 0, Qt::AlignLeft);
    lCoordenadas->addWidget(grupoCon(coordenadas, QStringLiteral("Coordenadas U.T.M."), cajaCoordenadas));

    m_tabPropietarios = new QWidget(m_pestanas);
    m_tabPropietarios->setObjectName(QStringLiteral("tabPropietarios"));
    auto *lPropietarios = new QHBoxLayout(m_tabPropietarios);
    // A check list over every person: a one-column table of fixed-height rows, which lays
    // out and paints only the rows on screen (a list view lays out every row again).
    m_clbPropietarios = new QTableView(m_tabPropietarios);
    m_clbPropietarios->setObjectName(QStringLiteral("clbPropietarios"));
    m_clbPropietarios->horizontalHeader()->hide();
    m_clbPropietarios->horizontalHeader()->setStretchLastSection(true);
    m_clbPropietarios->verticalHeader()->hide();
    m_clbPropietarios->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_clbPropietarios->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_clbPropietarios->setShowGrid(false);
    m_clbPropietarios->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_clbPropietarios->setSelectionMode(QAbstractItemView::SingleSelection);
    m_clbPropietarios->setWordWrap(false);
    m_propietarios = new ListaPropietarios(m_conexion, this);
    m_clbPropietarios->setModel(m_propietarios);
    m_clbPropietarios->installEventFilter(this);
    lPropietarios->addWidget(grupoCon(m_tabPropietarios, QStringLiteral("Lista de Propietarios"), m_clbPropietarios), 1);
    m_btnPersonas = boton(m_tabPropietarios, QStringLiteral("btnPersonas"), QStringLiteral(" Editar        \n Personas  "));
    lPropietarios->addWidget(m_btnPersonas, 0, Qt::AlignTop);

    m_pestanas->addTab(roles, QStringLiteral("Roles de Avalúo"));
    m_pestanas->addTab(conservador, QStringLiteral("Conservador"));
    m_pestanas->addTab(certificados, QStringLiteral("Certificados"));
    m_pestanas->addTab(coordenadas, QStringLiteral("Coordenadas"));
    m_pestanas->addTab(m_tabPropietarios, QStringLiteral("Propietarios"));
    m_pestanasEdicion = {roles, conservador, certificados, coordenadas};
    return m_pestanas;
}

void TFormPredios::aplicarEtiquetas()
{
    const auto etiquetar = [](Dataset *ds, const char *campo, const QString &etiqueta) {
        if (Field *f = ds->FindField(QLatin1String(campo)))
            f->setDisplayLabel(etiqueta);
    };
    etiquetar(m_adsPredios2, "pred_nombre", QStringLiteral("Nombre"));
    etiquetar(m_adsPredios2, "pred_superficie", QStringLiteral("Superficie (há)"));
    etiquetar(m_adsPredios2, "pred_superficie_sii", QStringLiteral("Según SII (há)"));
    etiquetar(m_adsPredios2, "pred_superficie_et", QStringLiteral("Según Título de Dominio (há)"));
    etiquetar(m_adsPredios2, "pred_comuna", QStringLiteral("Comuna"));
    etiquetar(m_adsPredios2, "pred_codigo", QStringLiteral("Código"));
    etiquetar(m_adtRol, "rol_numero", QStringLiteral("Rol Nº"));
    etiquetar(m_adtRol, "rol_comuna", QStringLiteral("Comuna"));
    etiquetar(m_adtRolContiguo, "rol_numero", QStringLiteral("Rol Nº"));
    etiquetar(m_adtConservador, "cons_fojas", QStringLiteral("Fojas"));
    etiquetar(m_adtConservador, "cons_numero", QStringLiteral("Nº"));
    etiquetar(m_adtConservador, "cons_conservador", QStringLiteral("Conservador"));
    etiquetar(m_adtConservador, "cons_agno", QStringLiteral("Año"));
    etiquetar(m_adtMinisterio, "mini_certbn", QStringLiteral("Nº Certificado del Ministerio de Bienes Nacionales"));
    etiquetar(m_adtMinisterio, "mini_fecha", QStringLiteral("Fecha"));
    etiquetar(m_adtCoordenada, "coor_punto_referencia", QStringLiteral("Punto de Referencia"));
    etiquetar(m_adtCoordenada, "coor_norte", QStringLiteral("Norte (metros)"));
    etiquetar(m_adtCoordenada, "coor_este", QStringLiteral("Este (metros)"));
    // UTM coordinates read grouped by thousands; the stored metres stay as typed.
    for (const auto &[campo, formato] : {std::pair{"coor_norte", "0,000,000"}, std::pair{"coor_este", "000,000"}})
        if (Field *f = m_adtCoordenada->FindField(QLatin1String(campo)))
            f->setDisplayFormat(QLatin1String(formato));
}

bool TFormPredios::Abrir()
{
    if (!m_conexion->isOpen() && !AbrirBaseDatos(m_conexion))
        return false;
    // Lists first, then the properties, then their rows (masters before details).
    for (Dataset *ds : std::initializer_list<Dataset *>{m_adqLocalidad, m_adqLocalidades, m_adsPredios, m_adsPredios2,
                                                         m_adtRol, m_adtRolContiguo, m_adtConservador, m_adtMinisterio,
                                                         m_adtCoordenada}) {
        if (!ds->Active() && !ds->Open()) {
            Dialogo(mtError, QStringLiteral("No se pudo leer la base de datos:\n") + ds->lastError().text(), MB::OK);
            return false;
        }
    }
    aplicarEtiquetas();
    Editando = false;
    Creando = false;
    m_btnSeleccionar->setEnabled(false);
    HabilitarControlesEdicion(false);
    RefrescarListaPropietarios();
    m_dblPredios->setFocus();
    if (!m_adsPredios->IsEmpty()) {
        m_adsPredios->First();
        clicLista();
    }
    return true;
}

void TFormPredios::MostrarModal()
{
    m_btnSeleccionar->hide();
    QDir::setCurrent(DirAplicacion);
    if (!Abrir()) {
        deleteLater();
        return;
    }
    setAttribute(Qt::WA_DeleteOnClose);
    exec();
}

int TFormPredios::MostrarModalSeleccion()
{
    m_seleccion = true;
    QDir::setCurrent(DirAplicacion);
    if (!Abrir())
        return 0;
    const int resultado = exec();
    if (resultado != QDialog::Accepted || m_adsPredios->IsEmpty())
        return 0;
    return int(m_adsPredios->FieldByName(QStringLiteral("pred_codigo"))->AsInteger());
}

bool TFormPredios::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_clbPropietarios && event->type() == QEvent::FocusOut && m_clbPropietarios->isEnabled())
        GuardarPropietarios();
    // The placeholder name is there to be replaced: entering the field by mouse or key
    // selects it whole, once the click has placed its cursor.
    if (watched == m_edtNombre && (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonRelease)) {
        QTimer::singleShot(0, m_edtNombre, [this] {
            if (m_edtNombre->hasFocus() && m_edtNombre->text() == NOMBRE_PREDIO_VACIO)
                m_edtNombre->selectAll();
        });
    }
    // The keypad's decimal key gives the other separator: "." typed there is ",".
    if (event->type() == QEvent::KeyPress) {
        auto *tecla = static_cast<QKeyEvent *>(event);
        const QString texto = tecla->text();
        if ((tecla->modifiers() & Qt::KeypadModifier) && (texto == QLatin1String(".") || texto == QLatin1String(","))
            && TeclaPrevista(this, watched, event)) {
            const QString otro = texto == QLatin1String(".") ? QStringLiteral(",") : QStringLiteral(".");
            QKeyEvent reemplazo(QEvent::KeyPress, tecla->key(), tecla->modifiers() & ~Qt::KeypadModifier, otro);
            QApplication::sendEvent(watched, &reemplazo);
            return true;
        }
    }
    return TCustomModalChild::eventFilter(watched, event);
}
