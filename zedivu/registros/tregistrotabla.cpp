#include "tregistrotabla.h"

#include "abort.h"
#include "connection.h"
#include "datasource.h"
#include "dbcombobox.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dialogservice.h"
#include "field.h"
#include "gridcolumn.h"
#include "query.h"
#include "transaction.h"
#include "validacion.h"

#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace {

// "Apellido Paterno:" names the field "Apellido Paterno" in messages and list titles.
QString sinDosPuntos(const QString &etiqueta)
{
    QString s = etiqueta.trimmed();
    if (s.endsWith(QLatin1Char(':')))
        s.chop(1);
    return s.trimmed();
}

// The widest a list column is made for its title.
constexpr int kAnchoMaximoColumna = 130;

// "Apellido Paterno o Razón Social" as two lines, broken at the blank nearest the middle.
QString enDosLineas(const QString &titulo)
{
    const qsizetype mitad = titulo.size() / 2;
    qsizetype corte = -1;
    for (qsizetype i = 0; i < titulo.size(); ++i)
        if (titulo.at(i) == QLatin1Char(' ') && (corte < 0 || std::abs(i - mitad) < std::abs(corte - mitad)))
            corte = i;
    if (corte < 0)
        return titulo;
    return titulo.left(corte) + QLatin1Char('\n') + titulo.mid(corte + 1);
}

QPushButton *boton(const QString &nombre, const QString &texto, QWidget *padre)
{
    auto *b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TRegistroTabla::TRegistroTabla(const DescripcionRegistro &descripcion, QWidget *owner)
    : TCustomModalChild(owner)
    , m_descripcion(descripcion)
    , m_conexion(new Connection(this))
    , m_datos(new Query(this))
    , m_fuente(new DataSource(this))
{
    setObjectName(descripcion.nombre);
    setWindowTitle(descripcion.titulo);
    m_datos->setObjectName(QStringLiteral("ads") + descripcion.tabla);
    m_datos->setConnection(m_conexion);
    m_datos->setSQL(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(descripcion.tabla, descripcion.orden));
    // A register may hold hundreds of thousands of rows: the list reads those it shows.
    m_datos->setReadOnDemand(true);
    m_datos->BeforePost = [this](Dataset *) { validarFila(); };
    m_fuente->setDataSet(m_datos);
    construir();
}

TRegistroTabla::~TRegistroTabla()
{
    // Controls observe the datasets: close the data before the widgets go.
    m_conexion->close();
}

void TRegistroTabla::construir()
{
    auto *principal = new QHBoxLayout(this);

    auto *izquierda = new QVBoxLayout;
    izquierda->addWidget(new QLabel(m_descripcion.tituloLista, this));
    m_lista = new DBGrid(this);
    m_lista->setObjectName(QStringLiteral("dbgLista"));
    m_lista->setReadOnly(true);
    m_lista->setOptions(DBGrid::Indicator);
    m_lista->setAllowedOperations({});
    for (const CampoRegistro &c : m_descripcion.campos) {
        if (!c.enLista)
            continue;
        GridColumn *columna = m_lista->addColumn(c.campo);
        // Narrow enough for the names to show side by side: a longer title goes on two
        // lines, broken at the blank nearest its middle, and fits its column whole.
        QString titulo = sinDosPuntos(c.etiqueta);
        if (fontMetrics().horizontalAdvance(titulo) + 16 > kAnchoMaximoColumna)
            titulo = enDosLineas(titulo);
        columna->setTitle(titulo);
        int ancho = 0;
        for (const QString &linea : titulo.split(QLatin1Char('\n')))
            ancho = std::max(ancho, fontMetrics().horizontalAdvance(linea) + 16);
        columna->setWidth(std::max(72, ancho));
    }
    m_lista->setDataSource(m_fuente);
    m_lista->setMinimumWidth(360);
    connect(m_lista->view(), &QAbstractItemView::doubleClicked, this, [this] {
        if (m_seleccion && m_seleccionar->isEnabled())
            accept();
    });
    izquierda->addWidget(m_lista, 1);
    auto *botonesLista = new QHBoxLayout;
    m_crear = boton(QStringLiteral("btnCrear"), QStringLiteral("Crear"), this);
    m_editar = boton(QStringLiteral("btnEditar"), QStringLiteral("Editar"), this);
    m_borrar = boton(QStringLiteral("btnBorrar"), QStringLiteral("Borrar"), this);
    for (QPushButton *b : {m_crear, m_editar, m_borrar})
        botonesLista->addWidget(b);
    izquierda->addLayout(botonesLista);
    auto *botonesCierre = new QHBoxLayout;
    m_cerrar = boton(QStringLiteral("btnCerrar"), QStringLiteral("Cerrar"), this);
    m_seleccionar = boton(QStringLiteral("btnSeleccionar"), QStringLiteral("Seleccionar y Cerrar"), this);
    botonesCierre->addWidget(m_cerrar);
    botonesCierre->addWidget(m_seleccionar);
    izquierda->addLayout(botonesCierre);
    principal->addLayout(izquierda, 1);

    auto *grupo = new QGroupBox(m_descripcion.tituloGrupo, this);
    auto *derecha = new QVBoxLayout(grupo);
    m_aviso = new QLabel(m_descripcion.avisoSinFilas, grupo);
    m_aviso->setObjectName(QStringLiteral("lblAviso"));
    m_aviso->setWordWrap(true);
    m_aviso->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    m_aviso->hide();
    derecha->addWidget(m_aviso);
    auto *formulario = new QFormLayout;
    for (const CampoRegistro &c : m_descripcion.campos) {
        if (c.campo.compare(m_descripcion.campoDv, Qt::CaseInsensitive) == 0)
            continue; // beside the RUT
        QWidget *control = crearControl(c, grupo);
        if (c.campo.compare(m_descripcion.campoRut, Qt::CaseInsensitive) == 0) {
            auto *fila = new QHBoxLayout;
            fila->addWidget(control, 1);
            fila->addWidget(new QLabel(QStringLiteral("-"), grupo));
            const auto dv = std::find_if(m_descripcion.campos.cbegin(), m_descripcion.campos.cend(),
                                         [this](const CampoRegistro &x) {
                                             return x.campo.compare(m_descripcion.campoDv, Qt::CaseInsensitive) == 0;
                                         });
            if (dv != m_descripcion.campos.cend()) {
                QWidget *digito = crearControl(*dv, grupo);
                digito->setMaximumWidth(36);
                fila->addWidget(digito);
            }
            formulario->addRow(c.etiqueta, fila);
        } else {
            formulario->addRow(c.etiqueta, control);
        }
    }
    derecha->addLayout(formulario);
    derecha->addStretch(1);
    auto *botonesEdicion = new QHBoxLayout;
    botonesEdicion->addStretch(1);
    m_guardar = boton(QStringLiteral("btnGuardar"), QStringLiteral("Guardar"), grupo);
    m_cancelar = boton(QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"), grupo);
    botonesEdicion->addWidget(m_guardar);
    botonesEdicion->addWidget(m_cancelar);
    derecha->addLayout(botonesEdicion);
    principal->addWidget(grupo, 1);

    connect(m_crear, &QPushButton::clicked, this, &TRegistroTabla::Crear);
    connect(m_editar, &QPushButton::clicked, this, &TRegistroTabla::Editar);
    connect(m_borrar, &QPushButton::clicked, this, &TRegistroTabla::Borrar);
    connect(m_guardar, &QPushButton::clicked, this, &TRegistroTabla::Guardar);
    connect(m_cancelar, &QPushButton::clicked, this, &TRegistroTabla::Cancelar);
    connect(m_cerrar, &QPushButton::clicked, this, &TRegistroTabla::reject);
    connect(m_seleccionar, &QPushButton::clicked, this, &TRegistroTabla::accept);
    resize(900, 460);
    habilitarEdicion(false);
}

QWidget *TRegistroTabla::crearControl(const CampoRegistro &c, QWidget *padre)
{
    switch (c.control) {
    case CampoRegistro::Control::Combo: {
        auto *combo = new DBComboBox(padre);
        combo->setObjectName(QStringLiteral("cbo_") + c.campo);
        combo->setItems(c.items, c.claves);
        combo->setDataSource(m_fuente, c.campo);
        m_controles << combo;
        return combo;
    }
    case CampoRegistro::Control::Lookup: {
        auto *lista = new Query(this);
        lista->setObjectName(QStringLiteral("adq_") + c.campo);
        lista->setConnection(m_conexion);
        lista->setSQL(c.lista);
        m_listas << lista;
        auto *fuenteLista = new DataSource(this);
        fuenteLista->setDataSet(lista);
        auto *combo = new DBLookupComboBox(padre);
        combo->setObjectName(QStringLiteral("lcb_") + c.campo);
        combo->setListSource(fuenteLista, c.claveLista, c.textoLista);
        combo->setDataSource(m_fuente, c.campo);
        m_controles << combo;
        return combo;
    }
    case CampoRegistro::Control::Edit:
        break;
    }
    auto *edit = new DBEdit(padre);
    edit->setObjectName(QStringLiteral("edt_") + c.campo);
    edit->setDataSource(m_fuente, c.campo);
    m_controles << edit;
    return edit;
}

void TRegistroTabla::aplicarEtiquetas()
{
    for (const CampoRegistro &c : m_descripcion.campos) {
        if (Field *f = m_datos->FindField(c.campo))
            f->setDisplayLabel(c.campo.compare(m_descripcion.campoDv, Qt::CaseInsensitive) == 0
                                   ? QStringLiteral("Dígito Verificador")
                                   : sinDosPuntos(c.etiqueta));
    }
}

bool TRegistroTabla::Abrir()
{
    if (!m_conexion->isOpen() && !AbrirBaseDatos(m_conexion))
        return false;
    // The lists first, so that the lookup combos show the row's texts at once.
    for (Query *lista : m_listas) {
        if (!lista->Active() && !lista->Open()) {
            informarError(lista->lastError().text());
            return false;
        }
    }
    if (!m_datos->Active() && !m_datos->Open()) {
        informarError(m_datos->lastError().text());
        return false;
    }
    aplicarEtiquetas();
    Editando = false;
    Creando = false;
    m_datos->First();
    habilitarEdicion(false);
    m_lista->setFocus();
    return true;
}

void TRegistroTabla::MostrarModal()
{
    m_seleccionar->hide();
    if (!Abrir()) {
        deleteLater();
        return;
    }
    setAttribute(Qt::WA_DeleteOnClose);
    exec();
}

int TRegistroTabla::MostrarModalSeleccion()
{
    m_seleccion = true;
    if (!Abrir())
        return 0;
    if (m_datos->IsEmpty())
        Crear();
    const int resultado = exec();
    return resultado == QDialog::Accepted ? ClaveActual() : 0;
}

int TRegistroTabla::ClaveActual() const
{
    if (!m_datos->Active() || m_datos->IsEmpty() || m_datos->State() == DatasetState::Insert)
        return 0;
    return int(m_datos->FieldByName(m_descripcion.clave)->AsInteger());
}

void TRegistroTabla::Crear()
{
    if (!m_datos->Active() || Editando || Creando)
        return;
    if (!catchAbort([this] { m_datos->Append(); }))
        return;
    Creando = true;
    habilitarEdicion(true);
    if (!m_controles.isEmpty())
        dynamic_cast<QWidget *>(m_controles.first())->setFocus();
}

void TRegistroTabla::Editar()
{
    if (!m_datos->Active() || m_datos->IsEmpty() || Editando || Creando)
        return;
    if (!catchAbort([this] { m_datos->Edit(); }))
        return;
    Editando = true;
    habilitarEdicion(true);
}

bool TRegistroTabla::Guardar()
{
    if (!Editando && !Creando)
        return false;
    for (DataAwareControl *c : std::as_const(m_controles)) {
        auto *edit = dynamic_cast<DBEdit *>(c);
        if (edit && !edit->commit()) {
            Dialogo(mtWarning, QStringLiteral("Error en Mantenedor:\n\n") + edit->toolTip(), MB::OK);
            edit->setFocus();
            return false;
        }
    }
    bool guardado = false;
    if (!catchAbort([this, &guardado] { guardado = m_datos->Post(); }))
        return false;
    if (!guardado) {
        informarError(QStringLiteral("No se pudo guardar el registro.\n") + m_datos->lastError().text());
        return false;
    }
    Editando = false;
    Creando = false;
    m_datos->Refresh(); // the list in its order, on the saved row
    habilitarEdicion(false);
    m_lista->setFocus();
    return true;
}

void TRegistroTabla::Cancelar()
{
    m_datos->Cancel();
    Editando = false;
    Creando = false;
    habilitarEdicion(false);
    m_lista->setFocus();
}

void TRegistroTabla::Borrar()
{
    if (Editando || Creando || !m_datos->Active() || m_datos->IsEmpty())
        return;
    if (Dialogo(mtConfirmation, QStringLiteral("¿Está seguro de eliminar este registro?"), MB::YESNO) != ID::YES)
        return;
    const QVariant clave = m_datos->FieldByName(m_descripcion.clave)->Value();
    QString error;
    {
        // The row and the rows that point to it go together or not at all.
        Transaction transaccion(*m_conexion);
        bool ok = transaccion.isActive();
        for (const QString &tabla : std::as_const(m_descripcion.tablasHijas)) {
            ok = ok
                 && m_conexion->exec(QStringLiteral("DELETE FROM %1 WHERE %2=?").arg(tabla, m_descripcion.clave),
                                     {clave});
        }
        if (!ok)
            error = m_conexion->lastError().text();
        else if (!m_datos->Delete())
            error = m_datos->lastError().text();
        else if (!transaccion.commit())
            error = m_conexion->lastError().text();
    }
    if (!error.isEmpty()) {
        m_datos->Refresh();
        informarError(QStringLiteral("No se pudo eliminar el registro.\n") + error);
    }
    habilitarEdicion(false);
    m_lista->setFocus();
}

void TRegistroTabla::habilitarEdicion(bool editar)
{
    const bool hayFila = m_datos->Active() && !m_datos->IsEmpty();
    m_lista->setEnabled(!editar);
    m_crear->setEnabled(!editar);
    m_editar->setEnabled(!editar && hayFila);
    m_borrar->setEnabled(!editar && hayFila);
    m_cerrar->setEnabled(!editar);
    m_seleccionar->setEnabled(!editar && hayFila);
    m_guardar->setEnabled(editar);
    m_cancelar->setEnabled(editar);
    for (DataAwareControl *c : std::as_const(m_controles))
        c->setControlReadOnly(!editar);
    m_aviso->setVisible(editar && Creando && !hayFila && m_seleccion && !m_descripcion.avisoSinFilas.isEmpty());
}

void TRegistroTabla::validarFila()
{
    for (const CampoRegistro &c : std::as_const(m_descripcion.campos)) {
        if (!c.validaciones.isEmpty())
            Validar(m_datos->FieldByName(c.campo), c.validaciones);
        if (c.exportable)
            validarExportable(m_datos->FieldByName(c.campo), c.separadores);
    }
    if (m_descripcion.campoRut.isEmpty())
        return;
    Field *rut = m_datos->FieldByName(m_descripcion.campoRut);
    if (rut->IsNull())
        return;
    ValidarRUT(m_datos, m_descripcion.campoRut, m_descripcion.campoDv);
    // Forms find persons by their RUT: two rows with one RUT would make that ambiguous.
    QString error;
    const QString mensaje = ComprobarCampo(rut, {tvUnico}, QDate::currentDate().year(), m_conexion, &error);
    if (!error.isEmpty()) {
        informarError(error);
        Abort();
    }
    if (!mensaje.isEmpty()) {
        Dialogo(mtWarning, MensajeCampo(EtiquetaCampo(rut), mensaje) + QLatin1Char('.'), MB::OK);
        Abort();
    }
}

// The exchange file would write a character outside ISO-8859-1 as "?" and read a separator
// as the end of the field: what is stored would not be what the agency receives.
void TRegistroTabla::validarExportable(Field *campo, const QString &separadores)
{
    const QList<uint> caracteres = campo->AsString().toUcs4();
    for (const uint c : caracteres) {
        const bool fuera = c > 0xFF;
        if (!fuera && !separadores.contains(QChar(char16_t(c))))
            continue;
        const char32_t punto = c;
        const QString caracter = QString::fromUcs4(&punto, 1);
        const QString mensaje =
            fuera ? QStringLiteral("contiene el carácter \"%1\" (U+%2), que el archivo de intercambio para Okran no "
                                   "puede llevar.")
                        .arg(caracter, QStringLiteral("%1").arg(c, 4, 16, QLatin1Char('0')).toUpper())
                  : QStringLiteral("no puede contener el carácter \"%1\", que el archivo de intercambio para Okran "
                                   "usa como separador.")
                        .arg(caracter);
        Dialogo(mtWarning, MensajeCampo(EtiquetaCampo(campo), mensaje), MB::OK);
        Abort();
    }
}

void TRegistroTabla::informarError(const QString &texto)
{
    Dialogo(mtError, texto, MB::OK);
}
