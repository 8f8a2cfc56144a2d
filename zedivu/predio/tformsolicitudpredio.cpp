#include "tformsolicitudpredio.h"

#include "abort.h"
#include "builtform.h"
#include "cabecerasolicitudxml.h"
#include "componentesformulario.h"
#include "connection.h"
#include "dataset.h"
#include "dbedit.h"
#include "field.h"
#include "formcomponents.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"
#include "nodospredioxml.h"
#include "seccionpredio.h"
#include "tlistaformularios.h"
#include "util_texto.h"
#include "xml/txml.h"


TFormSolicitudPredio::TFormSolicitudPredio(QWidget *owner, const QString &codigo, const ConfiguracionPredio &config,
                                           const QString &titulo)
    : TFormDescrito(owner, codigo)
    , m_titulo(titulo)
{
    if (!m_formulario)
        return;
    m_predio = new SeccionPredio(this, config);
}

void TFormSolicitudPredio::Nuevo()
{
    if (!NuevoDescrito())
        return;
    PredCodigo = 0;
    // The described checks first: the section chains its own after them.
    InstalarValidaciones(*m_formulario);
    m_predio->enlazar(*m_formulario);
    Maximizar();
}

void TFormSolicitudPredio::InicializarDatasetPpal(const QString &)
{
    if (!m_formulario)
        return;
    InstalarListas(*m_formulario);
    SinPredioPropio(true);
}

void TFormSolicitudPredio::LlenarInfoPredio()
{
    if (m_predio)
        m_predio->llenar();
}

void TFormSolicitudPredio::GuardarPredio()
{
    if (m_predio)
        m_predio->guardar();
}

void TFormSolicitudPredio::TerminarGuardarPredio(bool guardado)
{
    if (m_predio)
        m_predio->terminarGuardado(guardado);
}

void TFormSolicitudPredio::ConexionesExternas()
{
    TCustomMDIChild *ppal = CodigoPpal.compare(Codigo, Qt::CaseInsensitive) == 0 ? nullptr : BuscarFormulario(CodigoPpal);
    if (!ppal || !ppal->DatasetPpal || !ppal->DatasetPpal->FindField(QStringLiteral("sup_afe")) || !BuscarDatasource(CodigoPpal))
        return;
    if (auto *edit = findComponent<DBEdit>(this, QStringLiteral("dbe_sup_afe")))
        DataSourceExterno(edit, CodigoPpal);
}

void TFormSolicitudPredio::ImprimirAdicional(TImpresion *, int &) {}

NodosPredioXML::CabeceraSolicitud TFormSolicitudPredio::CabeceraXml() const
{
    return {};
}

void TFormSolicitudPredio::XmlPredio(TXML &) {}

void TFormSolicitudPredio::XmlAdicional(TXML &) {}

void TFormSolicitudPredio::ComponerImpresion(TImpresion *imp)
{
    imp->IniDocumento();
    ImprimirEncabezado(imp, DirAplicacion, Codigo);

    SeccionPredio::imprimirRecepcion(imp);

    imp->Titulo(m_titulo);
    imp->Cr();
    imp->CrLf();
    imp->Seccion();

    int numero = 1;
    auto subtitulo = [imp, &numero](const QString &texto) {
        imp->SubTitulo(QStringLiteral("%1. %2").arg(numero++).arg(texto), taIzquierda);
        imp->Cr();
        imp->CrLf();
    };
    subtitulo(QStringLiteral("PROPIETARIO(A)"));
    m_predio->imprimirPersonas(imp, QStringLiteral("pro"));
    Dataset *rep = m_predio->tabla(QStringLiteral("rep"));
    if (rep && !rep->IsEmpty()) {
        subtitulo(QStringLiteral("REPRESENTANTE LEGAL"));
        m_predio->imprimirPersonas(imp, QStringLiteral("rep"));
    }
    subtitulo(QStringLiteral("PREDIO"));
    m_predio->imprimirPredio(imp);
    imp->Campo(QStringLiteral("Superficie afecta a la Solicitud (há):"), findComponent<DBEdit>(this, QStringLiteral("dbe_sup_afe")),
               lpLeft);
    imp->Cr();
    imp->CrLf();
    imp->Seccion();
    ImprimirAdicional(imp, numero);
    imp->CrLf();
    prtFirma(imp, Codigo, DatasetPpal);
    imp->Texto(QStringLiteral("Ciudad y Fecha: ") + DatasetPpal->FieldByName(QStringLiteral("ciu"))->AsString()
                   + QStringLiteral(", ") + DatasetPpal->FieldByName(QStringLiteral("fec"))->DisplayText(),
               taIzquierda);
    imp->Cr();
    imp->CrLf();
    imp->Seccion();
    imp->FinDocumento();
}

void TFormSolicitudPredio::ComponerDifrol(TImpresion *imp)
{
    m_predio->componerDifrol(imp);
}

QByteArray TFormSolicitudPredio::PrepararXML()
{
    TXML &x = *XML;
    // The nodes walk and filter the tables; the consultant finds every cursor as it was.
    componentes::CursoresGuardados cursores;
    // (A record being edited stays where it is: moving off it would post it.)
    for (Dataset *ds : findChildren<Dataset *>())
        if (ds->State() == DatasetState::Browse)
            cursores(ds);
    auto tabla = [this](const char *parte) { return m_predio->tabla(QLatin1String(parte)); };
    x.Limpiar();
    const NodosPredioXML::CabeceraSolicitud cabecera = CabeceraXml();
    NodosPredioXML::FormularioSolicitud(x, this, *m_predio, cabecera);
    NodosPredioXML::PredioSolicitud(x, *m_predio, cabecera);
    XmlPredio(x);
    NodosPredioXML::Personas(x, tabla("pro"), NodosPredioXML::OpcionesPropietarios(true));
    NodosPredioXML::Personas(x, tabla("rep"), NodosPredioXML::OpcionesRepresentantes());
    NodosPredioXML::Roles(x, tabla("rol"));
    NodosPredioXML::Conservador(x, tabla("con"), tabla("cer"));
    // Only the tables the section has.
    if (m_predio->config().coordenadas && m_xmlCoordenadasYContiguos)
        NodosPredioXML::Coordenadas(x, tabla("coo"));
    if (m_predio->config().rolesContiguos && m_xmlCoordenadasYContiguos)
        NodosPredioXML::RolesContiguos(x, tabla("rol_con"));
    XmlAdicional(x);
    x.CerrarNodo();
    x.CerrarNodo();
    return x.Texto();
}
