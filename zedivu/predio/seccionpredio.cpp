// The property section: set-up, handlers, checks, signatory and components. The fill and
// write-back are in seccionpredio_bbdd.cpp, the printed blocks in seccionpredio_impresion.cpp.
#include "seccionpredio.h"

#include "abort.h"
#include "builtform.h"
#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dialogservice.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "table.h"
#include "tcustommdichild.h"
#include "util_bbdd.h"

#include <QPointer>

#include <cmath>

namespace {

const QString kListaFirmantes = QStringLiteral("adqNom_firma");

// Runs `antes` (a handler already bound) and then `despues`.
Dataset::Event encadenar(Dataset::Event antes, Dataset::Event despues)
{
    if (!antes)
        return despues;
    return [antes, despues](Dataset *ds) {
        antes(ds);
        despues(ds);
    };
}

void alCambiar(Field *f, std::function<void(Field *)> manejador)
{
    if (!f)
        return;
    auto anterior = f->OnChange;
    f->OnChange = [anterior, manejador](Field *campo) {
        if (anterior)
            anterior(campo);
        manejador(campo);
    };
}

} // namespace

SeccionPredio::SeccionPredio(TCustomMDIChild *formulario, const ConfiguracionPredio &config)
    : QObject(formulario)
    , m_formulario(formulario)
    , m_config(config)
{
}

int SeccionPredio::codigoPredio() const
{
    if (porFila()) {
        const Field *f = campo(m_config.campoCodigo);
        return f && !f->IsNull() ? int(f->AsInteger()) : 0;
    }
    return m_config.principal ? m_formulario->PredCodigo : m_codigo;
}

void SeccionPredio::setCodigoPredio(int codigo)
{
    if (m_config.principal || porFila())
        m_formulario->PredCodigo = codigo;
    else
        m_codigo = codigo;
}

// --- components

Dataset *SeccionPredio::tabla(const QString &parte) const
{
    const QString nombre = m_config.tabla(parte);
    for (Table *t : m_formulario->findChildren<Table *>()) {
        if (t->TableName().compare(nombre, Qt::CaseInsensitive) == 0)
            return t;
    }
    return nullptr;
}

DBGrid *SeccionPredio::grilla(const QString &parte) const
{
    return m_formulario->findChild<DBGrid *>(m_config.grilla(parte));
}

DBLookupComboBox *SeccionPredio::combo(const QString &nombreCampo) const
{
    if (nombreCampo.isEmpty())
        return nullptr;
    for (DBLookupComboBox *c : m_formulario->findChildren<DBLookupComboBox *>()) {
        if (c->dataField().compare(nombreCampo, Qt::CaseInsensitive) == 0 && c->dataSource()
            && c->dataSource()->DataSet() == m_formulario->DatasetPpal)
            return c;
    }
    return nullptr;
}

Field *SeccionPredio::campo(const QString &nombre) const
{
    if (nombre.isEmpty() || !m_formulario->DatasetPpal)
        return nullptr;
    return m_formulario->DatasetPpal->FindField(nombre);
}

// --- set-up

void SeccionPredio::enlazar(const BuiltForm &)
{
    Dataset *ppal = m_formulario->DatasetPpal;
    if (!ppal) {
        FALLA_PROGRAMACION(QStringLiteral("SeccionPredio: el formulario no tiene dataset principal"));
        return;
    }
    for (const QString &parte : partes()) {
        if (!tabla(parte))
            FALLA_PROGRAMACION(QStringLiteral("SeccionPredio: falta la tabla ") + m_config.tabla(parte));
        else
            enlazarValidacion(parte);
    }

    // Fields exist once their dataset is open; they survive a reopen.
    ppal->AfterOpen = encadenar(ppal->AfterOpen, [this](Dataset *) {
        enlazarCampos();
        // A loaded document names its property as a typed one does.
        anunciarNombre();
        // A document just read (not one reopened by a save) says which name goes with
        // the codes it holds.
        if (!m_formulario->Guardando)
            recordarNombres();
    });
    enlazarPersonas(QStringLiteral("pro"));
    enlazarPersonas(QStringLiteral("rep"));

    if (!m_config.campoFirmante.isEmpty()) {
        ppal->AfterOpen = encadenar(ppal->AfterOpen, [this](Dataset *) { actualizarFirmante(); });
        if (auto *lista = m_formulario->findChild<Dataset *>(kListaFirmantes))
            lista->AfterOpen = encadenar(lista->AfterOpen, [this](Dataset *) { actualizarFirmante(); });
    }
    if (m_config.principal)
        ppal->BeforePost = encadenar(ppal->BeforePost, [this](Dataset *) { validarPrincipal(); });
    if (porFila()) {
        ppal->BeforeDelete = encadenar(ppal->BeforeDelete, [this](Dataset *) { borrarFila(); });
        // Another row is another property: its name for the siblings, its signatory.
        ppal->AfterScroll = encadenar(ppal->AfterScroll, [this](Dataset *) {
            anunciarNombre();
            actualizarFirmante();
        });
    }
}

QStringList SeccionPredio::partes() const
{
    QStringList p = {QStringLiteral("rol"), QStringLiteral("con"), QStringLiteral("cer"), QStringLiteral("pro"),
                     QStringLiteral("rep")};
    if (m_config.coordenadas)
        p << QStringLiteral("coo");
    if (m_config.rolesContiguos)
        p << QStringLiteral("rol_con");
    return p;
}

QString SeccionPredio::filtroFila() const
{
    return porFila() ? QStringLiteral(" WHERE %1 = ?").arg(m_config.campoFila) : QString();
}

QVariantList SeccionPredio::parametrosFila() const
{
    const Field *f = porFila() ? campo(m_config.campoFila) : nullptr;
    return f ? QVariantList{f->Value()} : QVariantList{};
}

void SeccionPredio::enlazarCampos()
{
    if (m_camposEnlazados)
        return;
    m_camposEnlazados = true;
    alCambiar(campo(m_config.campoNombre), [this](Field *f) { alCambiarNombre(f); });
    alCambiar(campo(m_config.campoComuna), [this](Field *f) { alCambiarComuna(f); });
    for (const QString &s : {m_config.campoSuperficie, m_config.campoSuperficieTitulo, m_config.campoSuperficieSii})
        alCambiar(campo(s), [this](Field *f) { alCambiarSuperficie(f); });
    alCambiar(campo(m_config.campoFirmante), [this](Field *) { actualizarFirmante(); });
}

void SeccionPredio::enlazarValidacion(const QString &parte)
{
    Dataset *ds = tabla(parte);
    ds->BeforePost = encadenar(ds->BeforePost, [this, parte](Dataset *d) { validarTabla(d, parte); });
}

void SeccionPredio::enlazarPersonas(const QString &parte)
{
    Dataset *ds = tabla(parte);
    if (!ds)
        return;
    const bool usufructo = parte == QLatin1String("pro") && m_config.preguntarUsufructo;
    ds->AfterOpen = encadenar(ds->AfterOpen, [this, usufructo, enlazado = false](Dataset *d) mutable {
        if (!enlazado) {
            alCambiar(d->FindField(QStringLiteral("rut")), [this, d](Field *f) { alCambiarRut(d, f); });
            if (usufructo)
                alCambiar(d->FindField(QStringLiteral("usuf")), [this](Field *f) { alCambiarUsufructo(f); });
        }
        enlazado = true;
    });
    auto despues = [this](Dataset *d) {
        m_formulario->AdsEventoAfterPost(d);
        refrescarFirmantes();
    };
    ds->AfterPost = despues;
    ds->AfterDelete = despues;
}

// --- handlers

void SeccionPredio::alCambiarUsufructo(Field *f)
{
    if (m_formulario->Guardando || f->IsNull() || !f->AsBoolean())
        return;
    if (m_formulario->Dialogo(mtConfirmation,
                              QStringLiteral("¿ Está seguro que desea marcar este propietario como Usufructuario ? "), MB::YESNO)
        != ID::YES)
        f->setAsBoolean(false);
}

void SeccionPredio::anunciarNombre()
{
    if (Field *nombre = campo(m_config.campoNombre))
        alCambiarNombre(nombre);
}

void SeccionPredio::alCambiarNombre(Field *f)
{
    if (!m_config.principal)
        return;
    m_formulario->PredNombre = f->AsString();
    for (const QPointer<TCustomMDIChild> &h : std::as_const(m_formulario->Hermanos)) {
        if (h)
            h->PredNombre = m_formulario->PredNombre;
    }
}

QVariant SeccionPredio::localidadSuperior(const QVariant &codigo, const QString &tipo) const
{
    if (codigo.isNull() || codigo.toString().isEmpty() || !m_formulario->ConexionBDPpal)
        return QVariant();
    const QueryResult r = m_formulario->ConexionBDPpal->select(
        QStringLiteral("SELECT l1.loca_codigo FROM localidad l1, localidad l2 WHERE l2.loca_codigo = ? "
                       "AND l1.loca_tipo = ? AND l2.loca_codigo_agrupa = l1.loca_codigo"),
        {codigo.toString(), tipo});
    return r.rows.isEmpty() ? QVariant() : r.rows.first().value(0);
}

void SeccionPredio::alCambiarComuna(Field *f)
{
    Dataset *ppal = m_formulario->DatasetPpal;
    if (ppal->State() != DatasetState::Edit && ppal->State() != DatasetState::Insert)
        return;
    const QVariant provincia = localidadSuperior(f->Value(), QStringLiteral("P"));
    if (Field *prv = campo(m_config.campoProvincia))
        prv->setValue(provincia);
    if (Field *reg = campo(m_config.campoRegion))
        reg->setValue(localidadSuperior(provincia, QStringLiteral("R")));
}

void SeccionPredio::alCambiarSuperficie(Field *f)
{
    if (!f->IsNull() && f->AsFloat() < 0)
        f->setAsFloat(std::fabs(f->AsFloat()));
}

void SeccionPredio::alCambiarRut(Dataset *ds, Field *f)
{
    const FieldType tipo = f->DataType();
    if (tipo == FieldType::Integer || tipo == FieldType::SmallInt)
        m_formulario->LlenarInfoPersona(ds, f->FieldName());
}

void SeccionPredio::refrescarFirmantes()
{
    if (auto *lista = m_formulario->findChild<Dataset *>(kListaFirmantes); lista && lista->Active())
        lista->Refresh();
    actualizarFirmante();
}

// --- signatory

void SeccionPredio::actualizarFirmante()
{
    Field *fir = campo(m_config.campoFirmante);
    if (!fir)
        return;
    if (fir->IsNull() || fir->AsInteger() <= 0) {
        m_formulario->FirmanteNombre.clear();
        m_formulario->FirmanteRut = 0;
        m_formulario->FirmanteDv = QChar();
        return;
    }
    const qint64 rut = fir->AsInteger();
    QString nombre;
    if (auto *lista = m_formulario->findChild<Dataset *>(kListaFirmantes); lista && lista->Active())
        nombre = lista->Lookup(QStringLiteral("rut"), {rut}, QStringLiteral("nom_completo")).toString();
    m_formulario->FirmanteNombre = nombre.trimmed();
    m_formulario->FirmanteRut = int(rut);
    m_formulario->FirmanteDv = DigitoVerificador(QString::number(rut));
}

bool SeccionPredio::personaNatural(qint64 rut) const
{
    if (!m_formulario->ConexionBDPpal)
        return true;
    const QueryResult r = m_formulario->ConexionBDPpal->select(
        QStringLiteral("SELECT tipr_codigo FROM persona WHERE pers_rut = ? ORDER BY pers_codigo"), {rut});
    if (r.rows.isEmpty())
        return true;
    const QString tipo = r.rows.first().value(0).toString().trimmed();
    return tipo.isEmpty() || tipo == QLatin1String("1");
}

// --- checks

void SeccionPredio::validarPersona(Dataset *ds, bool conDomicilio)
{
    m_formulario->Validar(ds->FindField(QStringLiteral("pat")), {tvNoVacio});
    m_formulario->Validar(ds->FindField(QStringLiteral("rut")), {tvNoVacio, tvUnico, tvPositivo});
    m_formulario->Validar(ds->FindField(QStringLiteral("dv")), {tvNoVacio});
    m_formulario->ValidarRUT(ds, ds->FindField(QStringLiteral("rut")), ds->FindField(QStringLiteral("dv")));
    if (!conDomicilio)
        return;
    for (const char *c : {"dom", "ciu", "com"})
        m_formulario->Validar(ds->FindField(QLatin1String(c)), {tvNoVacio});
}

void SeccionPredio::validarTabla(Dataset *ds, const QString &parte)
{
    auto validar = [this, ds](const char *nombre, TTipoValidaciones tipos) {
        m_formulario->Validar(ds->FindField(QLatin1String(nombre)), tipos);
    };
    if (parte == QLatin1String("rol")) {
        validar("rol", {tvNoVacio});
        validar("com", {tvNoVacio});
    } else if (parte == QLatin1String("con")) {
        validar("foj", {tvNoVacio});
        validar("num", {tvNoVacio});
        validar("ano", {tvNoVacio, tvAnoValido});
        validar("con", {tvNoVacio});
    } else if (parte == QLatin1String("cer")) {
        validar("cer", {tvNoVacio});
        validar("fec", {tvNoVacio, tvFechaValida});
    } else if (parte == QLatin1String("pro") || parte == QLatin1String("rep")) {
        validarPersona(ds, true);
    } else if (parte == QLatin1String("rol_con")) {
        validar("rol", {tvNoVacio});
    } else if (parte == QLatin1String("coo")) {
        validar("pun", {tvNoVacio});
        if (m_config.coordenadasUTM) {
            validar("n", {tvNoVacio, tvCoordenadaN});
            validar("e", {tvNoVacio, tvCoordenadaE});
        } else {
            validar("n", {tvCeroPositivo});
            validar("e", {tvCeroPositivo});
        }
    }
}

void SeccionPredio::validarPrincipal()
{
    if (m_formulario->Guardando)
        return;
    auto validar = [this](const QString &nombre, TTipoValidaciones tipos) {
        if (Field *f = campo(nombre))
            m_formulario->Validar(f, tipos);
    };
    auto noVacia = [this](const QString &parte, const QString &titulo) {
        m_formulario->ValidarTablaNoVacia(grilla(parte), titulo);
    };
    validar(m_config.campoNombre, {tvNoVacio});
    validar(m_config.campoComuna, {tvNoVacio});
    for (const QString &s : {m_config.campoSuperficie, m_config.campoSuperficieTitulo, m_config.campoSuperficieSii})
        validar(s, {tvNoVacio, tvPositivo});
    if (m_config.coordenadas)
        noVacia(QStringLiteral("coo"), QStringLiteral("Coordenadas UTM"));
    validar(m_config.campoUbicacion, {tvNoVacio});
    noVacia(QStringLiteral("rol"), QStringLiteral("Roles de Avalúo"));
    if (m_config.rolesContiguos)
        noVacia(QStringLiteral("rol_con"), QStringLiteral("Roles de Avalúo contiguos al Predio"));
    Dataset *con = tabla(QStringLiteral("con"));
    Dataset *cer = tabla(QStringLiteral("cer"));
    if ((!con || con->IsEmpty()) && (!cer || cer->IsEmpty())) {
        m_formulario->DialogoError(
            QStringLiteral("Al menos debe existir un elemento en la tabla de \"Inscripción en el Conservador de Bienes "
                           "Raíces\", o bien en \"Certificados del Ministerio de Bienes Nacionales\""));
        m_formulario->show();
        m_formulario->raise();
        m_formulario->CambiarHoja(1);
        Abort();
    }
    noVacia(QStringLiteral("pro"), QStringLiteral("Nombre de los Propietarios"));
    validar(m_config.campoCiudad, {tvNoVacio});
    validar(m_config.campoFecha, {tvNoVacio, tvFechaValida});
    validar(m_config.campoFirmante, {tvNoVacio, tvPositivo});
}
