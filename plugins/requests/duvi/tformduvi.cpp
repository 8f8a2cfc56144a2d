#include "tformduvi.h"

#include "classregistry.h"
#include "dataset.h"
#include "dbedit.h"
#include "field.h"
#include "formcomponents.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"
#include "predio/seccionpredio.h"
#include "xml/txml.h"

BRENVIK_REGISTER_WINDOW(TFormDUVI, "TFormDUVI");

namespace {

const QString kDeclaracion = QStringLiteral(
    "Declaro bajo juramento que los antecedentes presentados a esta Corporación son verdaderos y por medio del "
    "presente documento solicito la APROBACIÓN del Plan de Extracción adjunto, comprometiéndome a dar todas las "
    "facilidades a objeto que personal de Okran practique las medidas de control y fiscalización correspondiente.");

// The representatives stay as the consultant typed them when a property is picked.
ConfiguracionPredio configuracion()
{
    ConfiguracionPredio c = ConfiguracionPredio::solicitud(QStringLiteral("duvi"));
    c.llenarRepresentantes = false;
    c.preguntarUsufructo = true;
    return c;
}

} // namespace

TFormDUVI::TFormDUVI(QWidget *owner)
    : TFormSolicitudPredio(owner, QStringLiteral("DUVI"), configuracion(),
                           QStringLiteral("SOLICITUD RELATIVA AL D.S. Nº 490, MINISTERIO DE AGRICULTURA, 1976"))
{
    // The register keeps the points and adjoining rolls; the agency's file does not ask for them.
    m_xmlCoordenadasYContiguos = false;
}

void TFormDUVI::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormSolicitudPredio::InicializarDatasetPpal(nombreCompleto);
    PostarPrincipal([&nombreCompleto](Dataset *ppal) { ppal->FieldByName(QStringLiteral("sol"))->setAsString(nombreCompleto); },
                    true);
}

NodosPredioXML::CabeceraSolicitud TFormDUVI::CabeceraXml() const
{
    NodosPredioXML::CabeceraSolicitud c;
    c.acceso = false;
    c.predio = [](TXML &xml) {
        for (const auto &[nodo, campo] : {std::pair{"NORTE", "norte"}, std::pair{"SUR", "sur"}, std::pair{"ESTE", "este"},
                                          std::pair{"OESTE", "oeste"}})
            xml.HijoCampo(QLatin1String(nodo), QLatin1String(campo));
    };
    return c;
}

void TFormDUVI::ComponerImpresion(TImpresion *imp)
{
    SeccionPredio *predio = Predio();
    Dataset *ppal = DatasetPpal;
    if (!imp || !predio || !ppal)
        return;
    const auto renglon = [imp] {
        imp->Cr();
        imp->CrLf();
    };
    const auto subtitulo = [&](const QString &texto) {
        imp->SubTitulo(texto, taIzquierda);
        renglon();
    };
    const auto campo = [&](const QString &etiqueta, const char *nombre) {
        imp->Campo(etiqueta, ppal->FindField(QLatin1String(nombre)), lpLeft);
        renglon();
    };

    imp->IniDocumento();
    ImprimirEncabezado(imp, DirAplicacion, Codigo);
    SeccionPredio::imprimirRecepcion(imp);

    imp->Titulo(QStringLiteral("SOLICITUD RELATIVA AL D.S. Nº 490, MINISTERIO DE AGRICULTURA, 1976"));
    renglon();
    campo(QStringLiteral("Solicitud de:"), "sol");
    imp->Seccion();
    subtitulo(QStringLiteral("1. SOLICITUD DE:    PLAN DE EXTRACCION DE ALERCE MUERTO"));
    imp->Seccion();

    subtitulo(QStringLiteral("2. PROPIETARIO(A)"));
    predio->imprimirPersonas(imp, QStringLiteral("pro"));
    Dataset *rep = predio->tabla(QStringLiteral("rep"));
    if (rep && !rep->IsEmpty()) {
        subtitulo(QStringLiteral("3. REPRESENTANTE LEGAL"));
        predio->imprimirPersonas(imp, QStringLiteral("rep"));
    }

    subtitulo(QStringLiteral("4. PREDIO"));
    campo(QStringLiteral("Nombre:"), "nom_pre");
    imp->Seccion();
    predio->imprimirTabla(imp, QStringLiteral("Inscripciones en fojas del Conservador de Bienes Raíces:"), QStringLiteral("con"));
    predio->imprimirTabla(imp, QStringLiteral("Inscripciones en certificados del Ministerio de Bienes Nacionales:"),
                          QStringLiteral("cer"));
    predio->imprimirTabla(imp, QStringLiteral("Roles de Avalúo Nº:"), QStringLiteral("rol"));

    subtitulo(QStringLiteral("  LIMITES"));
    for (const auto &[etiqueta, nombre] : {std::pair{"Norte:", "norte"}, std::pair{"Sur:  ", "sur"},
                                           std::pair{"Este: ", "este"}, std::pair{"Oeste:", "oeste"}})
        campo(QLatin1String(etiqueta), nombre);
    imp->Seccion();

    campo(QStringLiteral("Superficie total del predio (há):"), "sup");
    // The affected surface as its edit shows it: the principal form's when it has one.
    imp->Campo(QStringLiteral("Superficie afecta a la Solicitud (há):"), findComponent<DBEdit>(this, QStringLiteral("dbe_sup_afe")),
               lpLeft);
    renglon();
    imp->Seccion();

    imp->Texto(kDeclaracion, taIzquierda);
    renglon();
    imp->Seccion();

    prtFirma(imp, Codigo, predio->tabla(QStringLiteral("pro")));
    imp->Seccion();
    imp->FinDocumento();
}
