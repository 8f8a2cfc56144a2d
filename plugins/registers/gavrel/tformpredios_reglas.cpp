// The property register's rules: modes, create/save/cancel/delete, the name rule, the
// commune's province and region, the checks before posting, and the owners.
#include "tformpredios.h"

#include "abort.h"
#include "connection.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "dialogservice.h"
#include "field.h"
#include "listapropietarios.h"
#include "query.h"
#include "table.h"
#include "transaction.h"
#include "util_bbdd.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

namespace {

// Every table whose rows belong to one property.
const char *const kTablasDelPredio[] = {"rol",        "rol_contiguo", "conservador",  "ministerio",
                                        "coordenada", "propietario",  "representante"};

} // namespace

void TFormPredios::conectarReglas()
{
    connect(m_btnCrear, &QPushButton::clicked, this, &TFormPredios::Crear);
    connect(m_btnEditar, &QPushButton::clicked, this, &TFormPredios::Editar);
    connect(m_btnBorrar, &QPushButton::clicked, this, &TFormPredios::Borrar);
    connect(m_btnGuardar, &QPushButton::clicked, this, &TFormPredios::Guardar);
    connect(m_btnCancelar, &QPushButton::clicked, this, &TFormPredios::Cancelar);
    connect(m_btnCerrar, &QPushButton::clicked, this, &TFormPredios::reject);
    connect(m_btnSeleccionar, &QPushButton::clicked, this, &TFormPredios::accept);
    connect(m_btnPersonas, &QPushButton::clicked, this, &TFormPredios::EditarPersonas);
    connect(m_dblPredios->view(), &QAbstractItemView::clicked, this, &TFormPredios::clicLista);
    connect(m_dblPredios->view(), &QAbstractItemView::doubleClicked, this, [this] {
        clicLista();
        if (m_seleccion && m_btnSeleccionar->isEnabled())
            accept();
    });
    connect(m_edtNombre, &QLineEdit::textChanged, this, &TFormPredios::aplicarReglaNombre);
    connect(m_pestanas, &QTabWidget::currentChanged, this, [this] {
        if (m_pestanas->currentWidget() == m_tabPropietarios)
            RefrescarListaPropietarios();
    });
    // Another property shown: its owners, when they are on screen.
    connect(m_dsrcPredios2, &DataSource::dataChanged, this, [this](Field *campo) {
        if (!campo && m_pestanas->currentWidget() == m_tabPropietarios && !Creando)
            RefrescarListaPropietarios();
    });
    m_adsPredios2->AfterOpen = [this](Dataset *ds) {
        if (Field *comuna = ds->FindField(QStringLiteral("pred_comuna")))
            comuna->OnChange = [this](Field *) { cambioComuna(); };
    };

    m_adsPredios2->BeforePost = [this](Dataset *) { validarPredio(); };
    m_adtConservador->BeforePost = [this](Dataset *) { validarConservador(); };
    m_adtMinisterio->BeforePost = [this](Dataset *) { validarMinisterio(); };
    m_adtRol->BeforePost = [this](Dataset *) { validarRol(); };
    m_adtRolContiguo->BeforePost = [this](Dataset *) { validarRolContiguo(); };
    m_adtCoordenada->BeforePost = [this](Dataset *) { validarCoordenada(); };
    for (Table *hija : {m_adtRol, m_adtRolContiguo, m_adtConservador, m_adtMinisterio, m_adtCoordenada}) {
        hija->BeforeDelete = [this](Dataset *) {
            if (!confirmarBorradoFila())
                Abort();
        };
    }
}

bool TFormPredios::confirmarBorradoFila()
{
    return Dialogo(mtConfirmation, QStringLiteral("¿Está seguro de eliminar este registro?"), MB::YESNO) == ID::YES;
}

// --- modes

void TFormPredios::HabilitarControlesEdicion(bool editar)
{
    for (DBEdit *e : std::as_const(m_edits))
        e->setControlReadOnly(!editar);
    m_lcbComuna->setControlReadOnly(!editar);
    m_memUbicacion->setControlReadOnly(!editar);
    m_clbPropietarios->setEnabled(editar);
    for (QWidget *pagina : std::as_const(m_pestanasEdicion))
        pagina->setEnabled(editar);
    m_btnPersonas->setEnabled(true);

    m_dblPredios->setEnabled(!editar);
    m_btnCrear->setEnabled(!editar);
    m_btnEditar->setEnabled(!editar && hayPropiedad());
    m_btnCerrar->setEnabled(!editar);
    m_btnBorrar->setEnabled(!editar && !m_adsPredios->IsEmpty());
    m_btnSeleccionar->setEnabled(m_btnBorrar->isEnabled() && m_btnCerrar->isEnabled());
    m_btnCancelar->setEnabled(editar);
    aplicarReglaNombre();
}

void TFormPredios::aplicarReglaNombre()
{
    const QString nombre = m_edtNombre->text().trimmed();
    m_btnGuardar->setEnabled((Editando || Creando) && !nombre.isEmpty() && nombre != NOMBRE_PREDIO_VACIO);
}

void TFormPredios::clicLista()
{
    const bool seleccion = m_adsPredios->Active() && !m_adsPredios->IsEmpty();
    m_btnBorrar->setEnabled(seleccion && !Editando && !Creando);
    m_btnSeleccionar->setEnabled(m_btnBorrar->isEnabled() && m_btnCerrar->isEnabled());
}

bool TFormPredios::hayPropiedad() const
{
    return m_adsPredios2->Active() && !m_adsPredios2->IsEmpty();
}

QVariant TFormPredios::codigoActual() const
{
    if (!m_adsPredios2->Active())
        return {};
    return m_adsPredios2->FieldByName(QStringLiteral("pred_codigo"))->Value();
}

void TFormPredios::enlazarConLista(bool enlazar)
{
    if (enlazar)
        m_adsPredios2->setMasterSource(m_dsrcPredios, QStringLiteral("pred_codigo"), QStringLiteral("pred_codigo"));
    else
        m_adsPredios2->setMasterSource(nullptr, QString(), QString());
}

void TFormPredios::volverAVista()
{
    Editando = false;
    Creando = false;
    HabilitarControlesEdicion(false);
    clicLista();
    m_dblPredios->setFocus();
}

// --- commands

void TFormPredios::Crear()
{
    if (Editando || Creando || !m_adsPredios2->Active())
        return;
    enlazarConLista(false);
    m_adsPredios2->Refresh();
    Creando = true;
    HabilitarControlesEdicion(true);
    // The placeholder is stored now, so that the property's rows have its code at once.
    SinValidar = true;
    bool guardado = false;
    const bool completo = catchAbort([this, &guardado] {
        m_adsPredios2->Append();
        m_adsPredios2->FieldByName(QStringLiteral("pred_nombre"))->setAsString(NOMBRE_PREDIO_VACIO);
        guardado = m_adsPredios2->Post();
    });
    SinValidar = false;
    if (!completo || !guardado) {
        const QString error = m_adsPredios2->lastError().text();
        m_adsPredios2->Cancel();
        enlazarConLista(true);
        volverAVista();
        Dialogo(mtError, QStringLiteral("No se pudo crear el predio.\n") + error, MB::OK);
        return;
    }
    m_adsPredios2->Edit();
    HabilitarControlesEdicion(true);
    RefrescarListaPropietarios();
    aplicarReglaNombre();
    m_edtNombre->setFocus();
    m_edtNombre->selectAll();
}

void TFormPredios::Editar()
{
    if (Editando || Creando || !hayPropiedad())
        return;
    if (!catchAbort([this] { m_adsPredios2->Edit(); }))
        return;
    Editando = true;
    HabilitarControlesEdicion(true);
    m_edtNombre->setFocus();
}

bool TFormPredios::Guardar()
{
    if (!m_btnGuardar->isEnabled())
        return false; // not editing, or the name rule holds it back
    for (DBEdit *e : std::as_const(m_edits)) {
        if (!e->commit()) {
            Dialogo(mtWarning, QStringLiteral("Error en Mantenedor:\n\n") + e->toolTip(), MB::OK);
            e->setFocus();
            return false;
        }
    }
    m_memUbicacion->commit();
    for (DBGrid *grilla : findChildren<DBGrid *>()) {
        if (grilla != m_dblPredios && !grilla->commitEditor())
            return false;
    }
    bool guardado = true;
    QString error;
    const bool completo = catchAbort([&] {
        guardado = m_adsPredios2->Post();
        if (!guardado) {
            error = m_adsPredios2->lastError().text();
            return;
        }
        for (Table *hija : {m_adtConservador, m_adtMinisterio, m_adtRol, m_adtRolContiguo, m_adtCoordenada}) {
            if (hija->State() == DatasetState::Edit || hija->State() == DatasetState::Insert) {
                if (!hija->Post()) {
                    guardado = false;
                    error = hija->lastError().text();
                    return;
                }
            }
        }
    });
    if (!completo)
        return false; // a check refused a row and said why; the rows stay in edit
    if (!guardado) {
        Dialogo(mtError, QStringLiteral("No se pudo guardar el predio.\n") + error, MB::OK);
        return false;
    }
    GuardarPropietarios();
    const QVariant codigo = codigoActual();
    m_adsPredios->Refresh();
    m_adsPredios->Locate(QStringLiteral("pred_codigo"), codigo);
    if (Creando)
        enlazarConLista(true);
    m_adsPredios2->Refresh();
    volverAVista();
    return true;
}

void TFormPredios::Cancelar()
{
    if (!Editando && !Creando)
        return;
    for (DBGrid *grilla : findChildren<DBGrid *>())
        grilla->discardEditor();
    for (Table *hija : {m_adtConservador, m_adtMinisterio, m_adtRol, m_adtRolContiguo, m_adtCoordenada})
        hija->Cancel();
    m_adsPredios2->Cancel();
    if (Creando) {
        // The placeholder and whatever was already stored for it go, all or nothing.
        QString error;
        if (!eliminarPredio(codigoActual(), &error))
            Dialogo(mtError, QStringLiteral("No se pudo eliminar el predio en creación.\n") + error, MB::OK);
        enlazarConLista(true);
        m_adsPredios->Refresh();
        for (Dataset *ds : std::initializer_list<Dataset *>{m_adsPredios2, m_adtRol, m_adtRolContiguo, m_adtConservador,
                                                             m_adtMinisterio, m_adtCoordenada})
            ds->Refresh();
    }
    volverAVista();
    if (m_pestanas->currentWidget() == m_tabPropietarios)
        RefrescarListaPropietarios();
}

void TFormPredios::Borrar()
{
    if (Editando || Creando)
        return;
    m_adsPredios2->Cancel();
    if (hayPropiedad()
        && Dialogo(mtConfirmation, QStringLiteral("¿ Está seguro de eliminar la información relativa a este predio ?"),
                   MB::YESNO)
               == ID::YES) {
        QString error;
        if (!eliminarPredio(codigoActual(), &error))
            Dialogo(mtError, QStringLiteral("No se pudo eliminar el predio.\n") + error, MB::OK);
        m_adsPredios->Refresh();
        for (Dataset *ds : std::initializer_list<Dataset *>{m_adsPredios2, m_adtRol, m_adtRolContiguo, m_adtConservador,
                                                             m_adtMinisterio, m_adtCoordenada})
            ds->Refresh();
    }
    volverAVista();
    if (m_pestanas->currentWidget() == m_tabPropietarios)
        RefrescarListaPropietarios();
}

bool TFormPredios::eliminarPredio(const QVariant &codigo, QString *error)
{
    if (codigo.isNull())
        return true;
    Transaction transaccion(*m_conexion);
    bool ok = transaccion.isActive();
    for (const char *tabla : kTablasDelPredio)
        ok = ok
             && m_conexion->exec(QStringLiteral("DELETE FROM %1 WHERE pred_codigo=?").arg(QLatin1String(tabla)), {codigo});
    ok = ok && m_conexion->exec(QStringLiteral("DELETE FROM predio WHERE pred_codigo=?"), {codigo});
    ok = ok && transaccion.commit();
    if (!ok && error)
        *error = m_conexion->lastError().text();
    return ok;
}

void TFormPredios::EditarPersonas()
{
    MostrarRegistro(QStringLiteral("TFormPersonas"), DirAplicacion, this);
    m_propietarios->releerPersonas();
    if (m_pestanas->currentWidget() == m_tabPropietarios)
        RefrescarListaPropietarios();
}

// --- commune, province and region

std::pair<QString, QString> TFormPredios::ProvinciaYRegion(Connection *conexion, const QString &comuna)
{
    const QString provincia =
        Consulta(conexion,
                 QStringLiteral("SELECT l1.loca_codigo FROM localidad l1, localidad l2 WHERE l2.loca_descripcion=?"
                                " AND l1.loca_tipo='P' AND l2.loca_codigo_agrupa=l1.loca_codigo"),
                 {comuna});
    if (provincia.isEmpty())
        return {};
    const QString region =
        Consulta(conexion,
                 QStringLiteral("SELECT l1.loca_codigo FROM localidad l1, localidad l2 WHERE l2.loca_codigo=?"
                                " AND l1.loca_tipo='R' AND l2.loca_codigo_agrupa=l1.loca_codigo"),
                 {provincia});
    return {provincia, region};
}

void TFormPredios::cambioComuna()
{
    if (m_adsPredios2->State() != DatasetState::Edit && m_adsPredios2->State() != DatasetState::Insert)
        return;
    const QString nombre = m_adqLocalidad
                               ->Lookup(QStringLiteral("loca_codigo"),
                                        {m_adsPredios2->FieldByName(QStringLiteral("pred_comuna"))->Value()},
                                        QStringLiteral("loca_descripcion"))
                               .toString();
    const auto [provincia, region] = ProvinciaYRegion(m_conexion, nombre);
    m_adsPredios2->FieldByName(QStringLiteral("pred_provincia"))->setAsString(provincia);
    m_adsPredios2->FieldByName(QStringLiteral("pred_region"))->setAsString(region);
}

// --- checks before posting

void TFormPredios::validarPredio()
{
    if (SinValidar)
        return;
    const auto campo = [this](const char *nombre) { return m_adsPredios2->FieldByName(QLatin1String(nombre)); };
    Validar(campo("pred_nombre"), {tvNoVacio});
    Validar(campo("pred_superficie"), {tvNoVacio, tvPositivo});
    Validar(campo("pred_superficie_et"), {tvCeroPositivo});
    Validar(campo("pred_comuna"), {tvNoVacio});
    // A pending row of a child table is checked before the property is saved.
    const auto pendiente = [](Dataset *ds) {
        return ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert;
    };
    if (pendiente(m_adtConservador))
        validarConservador();
    if (pendiente(m_adtMinisterio))
        validarMinisterio();
    if (pendiente(m_adtRol))
        validarRol();
    if (pendiente(m_adtRolContiguo))
        validarRolContiguo();
    if (pendiente(m_adtCoordenada))
        validarCoordenada();
}

void TFormPredios::validarConservador()
{
    if (SinValidar)
        return;
    for (const char *nombre : {"cons_fojas", "cons_numero", "cons_conservador"})
        Validar(m_adtConservador->FieldByName(QLatin1String(nombre)), {tvNoVacio});
    Validar(m_adtConservador->FieldByName(QStringLiteral("cons_agno")), {tvNoVacio, tvAnoValido});
}

void TFormPredios::validarMinisterio()
{
    if (SinValidar)
        return;
    // The date was checked as it was typed (ValidarFecha).
    Validar(m_adtMinisterio->FieldByName(QStringLiteral("mini_certbn")), {tvNoVacio});
}

void TFormPredios::validarRol()
{
    if (SinValidar)
        return;
    Validar(m_adtRol->FieldByName(QStringLiteral("rol_numero")), {tvNoVacio});
    Validar(m_adtRol->FieldByName(QStringLiteral("rol_comuna")), {tvNoVacio});
}

void TFormPredios::validarRolContiguo()
{
    if (SinValidar)
        return;
    Field *numero = m_adtRolContiguo->FieldByName(QStringLiteral("rol_numero"));
    Validar(numero, {tvNoVacio});
    // Unique among the adjoining rolls of every property, the row itself not counted.
    const qint64 fila =
        m_adtRolContiguo->State() == DatasetState::Insert ? -1 : m_adtRolContiguo->GetBookmark().key;
    if (Asercion(m_conexion, QStringLiteral("FROM rol_contiguo WHERE rol_numero=? AND rowid<>?"),
                 {numero->AsString().trimmed(), fila})) {
        Dialogo(mtWarning,
                QStringLiteral("El numero de rol ingresado ya aparece como rol contiguo.\n"
                               "Sólo se permiten valores únicos para este campo"),
                MB::OK);
        Abort();
    }
}

void TFormPredios::validarCoordenada()
{
    if (SinValidar)
        return;
    for (const char *nombre : {"coor_punto_referencia", "coor_norte", "coor_este"})
        Validar(m_adtCoordenada->FieldByName(QLatin1String(nombre)), {tvNoVacio});
}

// --- owners

void TFormPredios::RefrescarListaPropietarios()
{
    m_predioPropietarios.clear();
    if (!m_conexion->isOpen()) {
        m_propietarios->vaciar();
        return;
    }
    m_predioPropietarios = codigoActual();
    if (!m_propietarios->cargar(m_predioPropietarios))
        m_predioPropietarios.clear(); // nothing read: nothing to write back either
}

bool TFormPredios::GuardarPropietarios()
{
    const QVariant codigo = codigoActual();
    if (codigo.isNull() || codigo != m_predioPropietarios)
        return false;
    Transaction transaccion(*m_conexion);
    bool ok = transaccion.isActive()
              && m_conexion->exec(QStringLiteral("DELETE FROM propietario WHERE pred_codigo=?"), {codigo});
    for (qint64 persona : m_propietarios->marcados()) {
        if (!ok)
            break;
        ok = m_conexion->exec(QStringLiteral("INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (?, ?)"),
                              {persona, codigo});
    }
    ok = ok && transaccion.commit();
    if (!ok)
        Dialogo(mtError, QStringLiteral("No se pudieron guardar los propietarios.\n") + m_conexion->lastError().text(),
                MB::OK);
    return ok;
}
