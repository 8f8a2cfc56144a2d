#include "tformsolicitudpredio.h"

#include "abort.h"
#include "builtform.h"
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
    Dataset *ppal = DatasetPpal;
    auto tabla = [this](const char *parte) { return m_predio->tabla(QLatin1String(parte)); };
    TListaFormularios lista;
    lista.SetBBDD(DirAplicacion + QStringLiteral("bbdd/bd.db"));
    const QString ciudad = ppal->FieldByName(QStringLiteral("ciu"))->AsString();
    auto *supAfe = findComponent<DBEdit>(this, QStringLiteral("dbe_sup_afe"));

    x.Limpiar();
    x.AbrirNodo(QStringLiteral("FORMULARIO"), ppal);
    x.Hijo(QStringLiteral("TISO_CODIGO"), TisoCodigo);
    x.Hijo(QStringLiteral("VERSION"), GetProgramVersion(QString()));
    x.Hijo(QStringLiteral("TISO_CODIGO_DE"), lista.GetCodigo(CodigoPpal));
    x.Hijo(QStringLiteral("SOLI_SUP_SOLICITADA"), supAfe ? supAfe->text() : QString());
    x.HijoCampo(QStringLiteral("SOLI_SUP_TOTAL"), QStringLiteral("sup"));
    x.Hijo(QStringLiteral("ESTA_CODIGO"), QStringLiteral("1"));
    x.HijoCampo(QStringLiteral("LUGAR"), QStringLiteral("ciu"));
    x.Hijo(QStringLiteral("FECHA"), ppal->FieldByName(QStringLiteral("fec"))->DisplayText());
    NodosPredioXML::Firmas(x, tabla("pro"), ciudad);
    NodosPredioXML::Firmas(x, tabla("rep"), ciudad);
    x.AbrirNodo(QStringLiteral("PREDIO"), ppal);
    x.HijoCampo(QStringLiteral("PRED_CODIGO"), QStringLiteral("cod_pre"));
    x.HijoCampo(QStringLiteral("LOCALIDAD.REGION"), QStringLiteral("reg"));
    x.HijoCampo(QStringLiteral("LOCALIDAD.PROVINCIA"), QStringLiteral("prv"));
    x.HijoCampo(QStringLiteral("LOCALIDAD.COMUNA"), QStringLiteral("com"));
    x.HijoCampo(QStringLiteral("NOMBRE"), QStringLiteral("nom_pre"));
    x.HijoCampo(QStringLiteral("SUPERFICIE_ET"), QStringLiteral("sup"));
    x.HijoCampo(QStringLiteral("SUPERFICIE_SII"), QStringLiteral("sup_sii"));
    x.HijoCampo(QStringLiteral("SUPERFICIE_TD"), QStringLiteral("sup_tit"));
    x.HijoCampo(QStringLiteral("ACCESO"), QStringLiteral("via"));
    x.Hijo(QStringLiteral("PRED_ESTADO"), QStringLiteral("1"));
    NodosPredioXML::Personas(x, tabla("pro"), NodosPredioXML::OpcionesPropietarios(true));
    NodosPredioXML::Personas(x, tabla("rep"), NodosPredioXML::OpcionesRepresentantes());
    NodosPredioXML::Roles(x, tabla("rol"));
    NodosPredioXML::Conservador(x, tabla("con"), tabla("cer"));
    NodosPredioXML::Coordenadas(x, tabla("coo"));
    NodosPredioXML::RolesContiguos(x, tabla("rol_con"));
    XmlAdicional(x);
    x.CerrarNodo();
    x.CerrarNodo();
    return x.Texto();
}
