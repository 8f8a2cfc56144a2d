#include "tformfenra.h"

#include "abort.h"
#include "builtform.h"
#include "classregistry.h"
#include "dataset.h"
#include "dbcombobox.h"
#include "dbedit.h"
#include "field.h"
#include "formcomponents.h"
#include "predio/seccionpredio.h"
#include "predio/volumenproducto.h"

#include <QEvent>
#include <QPushButton>
#include <QTimer>

BRENVIK_REGISTER_WINDOW(TFormFenra, "TFormFenra");

namespace {

bool enEdicion(const Dataset *ds)
{
    return ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert;
}

ConfiguracionPredio origen()
{
    ConfiguracionPredio c;
    c.codigo = QStringLiteral("fenra");
    c.campoUbicacion = QStringLiteral("via");
    c.coordenadas = true;
    c.avisoNombreVacio = QStringLiteral(
        "Dado que el campo \"Nombre de Predio\" Origen está vacío, no se podrá \nalmacenar la información de este "
        "predio en la base de datos central.\n\nPese a ello, igualmente se guardará en el archivo especificado \nla "
        "información contenida en estos formularios.");
    return c;
}

// The destination: its own code, read with the owners' sex and the representatives in
// the owners' columns; neither that sex nor the representatives go back to the register.
ConfiguracionPredio destino()
{
    ConfiguracionPredio c;
    c.codigo = QStringLiteral("fenra");
    c.sufijo = QStringLiteral("2");
    c.campoCodigo = QStringLiteral("cod_pre2");
    c.campoNombre = QStringLiteral("nom_pre2");
    c.campoSuperficie = QStringLiteral("sup2");
    c.campoUbicacion = QStringLiteral("via2");
    c.campoComuna = QStringLiteral("com2");
    c.campoProvincia = QStringLiteral("prv2");
    c.campoRegion = QStringLiteral("reg2");
    c.campoCiudad = QStringLiteral("ciu2");
    c.campoFecha.clear();
    c.campoFirmante.clear();
    c.coordenadas = true;
    c.principal = false;
    c.escribirSexoPropietarios = false;
    c.telefonoRepresentantes = true;
    c.escribirRepresentantes = false;
    c.avisoNombreVacio = QStringLiteral(
        "Dado que el campo \"Nombre de Predio\" Destino está vacío, no se podrá \nalmacenar la información de este "
        "predio en la base de datos central.\n\nPese a ello, igualmente se guardará en el archivo especificado \nla "
        "información contenida en estos formularios.");
    return c;
}

void encadenar(Dataset::Event &evento, Dataset::Event despues)
{
    evento = [antes = evento, despues](Dataset *ds) {
        if (antes)
            antes(ds);
        despues(ds);
    };
}

} // namespace

TFormFenra::TFormFenra(QWidget *owner)
    : TFormSolicitudPredio(owner, QStringLiteral("FENRA"), origen(), QStringLiteral("SOLICITUD DE GUIA DE LIBRE TRANSITO"))
{
    if (m_formulario)
        m_destino = new SeccionPredio(this, destino());
}

void TFormFenra::Nuevo()
{
    TFormSolicitudPredio::Nuevo();
    if (!m_destino || !DatasetPpal)
        return;
    m_destino->enlazar(*m_formulario);
    m_destino->setCodigoPredio(0);
    m_destinoCargado.reset();
    if (auto *boton = findComponent<QPushButton>(this, QStringLiteral("btnLlenarPredio2")))
        connect(boton, &QPushButton::clicked, this, [this] {
            resolverDestinoCargado();
            m_destino->elegirDelRegistro();
        });
    m_otroTransporte = findComponent<DBEdit>(this, QStringLiteral("dbe_tran_otro"));

    // The products' volumes and units: an "other" product (negative) takes product 18's
    // factor, and passes the check only in cubic metres.
    VolumenProducto::Configuracion cfg;
    cfg.productoNegativoEs18 = true;
    cfg.productoNegativoSoloUnidadDirecta = true;
    VolumenProducto::enlazarAlAbrir(this, QStringLiteral("adtFENRA_prod_trans"), cfg);

    Dataset *ppal = DatasetPpal;
    encadenar(ppal->BeforePost, [this](Dataset *) { validarConductor(); });
    encadenar(ppal->AfterOpen, [this](Dataset *ds) {
        if (Field *tipo = ds->FindField(QStringLiteral("trans_tipo")); tipo && !tipo->OnChange)
            tipo->OnChange = [this](Field *) { ActualizarTipoTransporte(true); };
        ActualizarTipoTransporte(false);
        // A document just read names its destination; whether that code is this
        // register's is known once the shell has set the document's property code.
        const Field *codigo = ds->FindField(QStringLiteral("cod_pre2"));
        const int leido = codigo && !codigo->IsNull() ? codigo->AsInteger() : 0;
        if (leido == m_destino->codigoPredio())
            return;
        m_destinoCargado = leido;
        QTimer::singleShot(0, this, [this] { resolverDestinoCargado(); });
    });
    // The main record stays in edit between operations: what is typed there reaches the
    // working database before its connection closes.
    encadenar(ppal->BeforeClose, [this](Dataset *ds) {
        if (!enEdicion(ds))
            return;
        const bool guardando = Guardando;
        Guardando = true;
        catchAbort([ds] { ds->Post(); });
        Guardando = guardando;
    });
}

void TFormFenra::resolverDestinoCargado()
{
    if (!m_destinoCargado)
        return;
    const int leido = *m_destinoCargado;
    m_destinoCargado.reset();
    m_destino->setCodigoPredio(PredCodigo < 0 ? 0 : std::max(leido, 0));
}

int TFormFenra::CodigoDestino()
{
    resolverDestinoCargado();
    return m_destino ? m_destino->codigoPredio() : 0;
}

void TFormFenra::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormSolicitudPredio::InicializarDatasetPpal(nombreCompleto);
    for (const char *nombre : {"dbcb_tipo_pre", "dbcb_tipo_pre2"})
        ComboExterno(findComponent<DBComboBox>(this, QLatin1String(nombre)), tceTipoPredio);
    ComboExterno(findComponent<DBComboBox>(this, QStringLiteral("dbcb_tran_tipo")), tceTipoTransporte);
    ActualizarTipoTransporte(false);
}

void TFormFenra::LlenarInfoPredio()
{
    resolverDestinoCargado();
    TFormSolicitudPredio::LlenarInfoPredio();
}

void TFormFenra::GuardarPredio()
{
    resolverDestinoCargado();
    // Each property is written in its own transaction: the destination's failure or
    // Cancel leaves the origin written.
    TFormSolicitudPredio::GuardarPredio();
    if (m_destino)
        m_destino->guardar();
}

void TFormFenra::TerminarGuardarPredio(bool guardado)
{
    TFormSolicitudPredio::TerminarGuardarPredio(guardado);
    if (m_destino)
        m_destino->terminarGuardado(guardado);
}

void TFormFenra::ActualizarTipoTransporte(bool enfocar)
{
    DBEdit *otro = m_otroTransporte;
    Field *tipo = DatasetPpal ? DatasetPpal->FindField(QStringLiteral("trans_tipo")) : nullptr;
    if (!otro || !tipo)
        return;
    const bool esOtro = !tipo->IsNull() && tipo->AsInteger() == kTransporteOtro;
    otro->setEnabled(esOtro);
    if (esOtro && enfocar && otro->isVisible())
        otro->setFocus();
}

void TFormFenra::ValidarOtroTransporte()
{
    Field *tipo = DatasetPpal ? DatasetPpal->FindField(QStringLiteral("trans_tipo")) : nullptr;
    if (tipo && !tipo->IsNull() && tipo->AsInteger() == kTransporteOtro)
        Validar(DatasetPpal->FindField(QStringLiteral("trans_tipo_otro")), {tvNoVacio});
}

bool TFormFenra::eventFilter(QObject *watched, QEvent *event)
{
    // The window already watches the application's events (its keyboard handling).
    if (event->type() == QEvent::FocusOut && watched && watched == m_otroTransporte)
        catchAbort([this] { ValidarOtroTransporte(); });
    return TFormSolicitudPredio::eventFilter(watched, event);
}

void TFormFenra::validarConductor()
{
    for (const char *nombre : {"cond_nom", "cond_pat", "cond_mat"})
        Validar(DatasetPpal->FindField(QLatin1String(nombre)), {tvNoVacio});
    Validar(DatasetPpal->FindField(QStringLiteral("cond_rut")), {tvNoVacio, tvPositivo});
    Validar(DatasetPpal->FindField(QStringLiteral("cond_dv")), {tvNoVacio});
}
