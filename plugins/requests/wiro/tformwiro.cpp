#include "tformwiro.h"

#include "abort.h"
#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "dataset.h"
#include "datasource.h"
#include "dbedit.h"
#include "dblookupcombobox.h"
#include "field.h"
#include "formcomponents.h"
#include "pitido.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"
#include "predio/cabecerasolicitudxml.h"
#include "predio/nodospredioxml.h"
#include "predio/seccionpredio.h"
#include "xml/txml.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QToolButton>

BRENVIK_REGISTER_WINDOW(TFormWIRO, "TFormWIRO");

namespace {

const QString kTitulo = QStringLiteral("SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974");

bool enEdicion(const Dataset *ds)
{
    return ds && (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert);
}

// The extended property section, one property per row of wiro_pre: persons without sex,
// representatives typed rather than filled, the fill dating the request, UTM coordinates.
ConfiguracionPredio configuracion()
{
    ConfiguracionPredio c = ConfiguracionPredio::solicitud(QStringLiteral("wiro"));
    c.campoFila = QStringLiteral("id_pre");
    c.fechaAlLlenar = true;
    c.coordenadasUTM = true;
    c.sexoPropietarios = false;
    c.sexoRepresentantes = false;
    c.llenarRepresentantes = false;
    return c;
}

} // namespace

TFormWIRO::TFormWIRO(QWidget *owner)
    : TFormSolicitudPredio(owner, QStringLiteral("WIRO"), configuracion(), kTitulo)
{
    // One row per property; the project is the one row of its master. A document that
    // holds more is damaged.
    setProperty("tablasDeUnaFila", QStringList{QStringLiteral("wiro")});
}

TFormWIRO::~TFormWIRO()
{
    // The bases tear down the datasets and edits after this part of the window is gone,
    // and closing them still signals: nothing of this form may run from them any more.
    for (const char *nombre : {"dbeWIRO_nom_prj", "dbeWIRO_pro_prj"}) {
        if (auto *edit = findComponent<DBEdit>(this, QLatin1String(nombre)))
            disconnect(edit, nullptr, this, nullptr);
    }
    if (Dataset *ppal = DatasetPpal) {
        for (Dataset::Event *evento : {&ppal->AfterScroll, &ppal->AfterPost, &ppal->AfterCancel, &ppal->AfterOpen,
                                       &ppal->BeforeDelete})
            *evento = nullptr;
    }
}

Dataset *TFormWIRO::Maestro() const
{
    return findChild<Dataset *>(QStringLiteral("adsMaestro"));
}

void TFormWIRO::Nuevo()
{
    const int codigo = PredCodigo;
    TFormSolicitudPredio::Nuevo();
    PredCodigo = codigo;
    Dataset *ppal = DatasetPpal;
    if (!ppal)
        return;

    if (auto *nav = findComponent<DBNavigator>(this, QStringLiteral("dbnWIRO_pre2"))) {
        // Connected after the navigator's own action, which it follows.
        for (int b = 0; b < DBNavigator::ButtonCount; ++b)
            connect(nav->button(DBNavigator::Button(b)), &QToolButton::clicked, this,
                    [this, b] { dbnWIRO_pre2Click(DBNavigator::Button(b)); });
    }
    crearCajasPosicion();

    // The refusal comes before the section deletes the row's property rows.
    ppal->BeforeDelete = [this, siguiente = ppal->BeforeDelete](Dataset *ds) {
        adsPpalBeforeDelete(ds);
        if (siguiente)
            siguiente(ds);
    };
    // The boxes follow every move, and the posts and cancels that change the count.
    for (Dataset::Event *evento : {&ppal->AfterScroll, &ppal->AfterPost, &ppal->AfterCancel, &ppal->AfterOpen}) {
        *evento = [this, antes = *evento](Dataset *ds) {
            if (antes)
                antes(ds);
            adsPpalAfterScroll(ds);
        };
    }
    // The project's name and owner announce the property's name as its own edit does.
    for (const char *nombre : {"dbeWIRO_nom_prj", "dbeWIRO_pro_prj"}) {
        if (auto *edit = findComponent<DBEdit>(this, QLatin1String(nombre)))
            connect(edit, &QLineEdit::textChanged, this, [this] { Predio()->anunciarNombre(); });
    }
}

void TFormWIRO::crearCajasPosicion()
{
    auto *fila = findComponent<QWidget>(this, QStringLiteral("filaSeleccionPredio"));
    auto *layout = fila ? qobject_cast<QHBoxLayout *>(fila->layout()) : nullptr;
    if (!layout)
        return;
    auto caja = [fila](const char *nombre) {
        auto *e = new QLineEdit(fila);
        e->setObjectName(QLatin1String(nombre));
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        return e;
    };
    m_posicion = caja("edtPredioActual");
    m_total = caja("edtPrediosTotal");
    // Before the row's closing stretch.
    const int fin = layout->count() - 1;
    layout->insertWidget(fin, m_total);
    layout->insertWidget(fin, new QLabel(QStringLiteral("de"), fila));
    layout->insertWidget(fin, m_posicion);
}

void TFormWIRO::InicializarDatasetPpal(const QString &nombreCompleto)
{
    if (!DatasetPpal)
        return;
    InstalarListas(*Formulario());
    const auto restaurar = qScopeGuard([this, guardando = Guardando] { Guardando = guardando; });
    Guardando = true;
    if (Dataset *maestro = Maestro(); maestro && maestro->Active()) {
        catchAbort([maestro, &nombreCompleto] {
            if (!enEdicion(maestro))
                maestro->Edit();
            maestro->FieldByName(QStringLiteral("sol"))->setAsString(nombreCompleto);
            maestro->Post();
        });
    }
    // The template holds the first property row already; a table left empty gets one.
    if (DatasetPpal->IsEmpty())
        insertarPredio();
    else
        SinPredioPropio(true);
    adsPpalAfterScroll(DatasetPpal);
}

void TFormWIRO::insertarPredio()
{
    Dataset *ppal = DatasetPpal;
    const auto restaurar = qScopeGuard([this, guardando = Guardando] { Guardando = guardando; });
    Guardando = true;
    catchAbort([ppal] {
        // A new property goes after the others, wherever the cursor stood.
        if (ppal->State() == DatasetState::Insert)
            ppal->Cancel();
        ppal->Append();
        ppal->FieldByName(QStringLiteral("cod_pre"))->setAsInteger(-1);
        ppal->Post();
    });
    Guardando = false;
    catchAbort([ppal] { ppal->Edit(); });
}

void TFormWIRO::dbnWIRO_pre2Click(DBNavigator::Button boton)
{
    if (boton == DBNavigator::Insert && DatasetPpal && DatasetPpal->State() == DatasetState::Insert)
        insertarPredio();
}

void TFormWIRO::adsPpalBeforeDelete(Dataset *ds)
{
    if (ds->RecordCount() <= 1) {
        Pitido::Sonar();
        Abort();
    }
    // A property goes with all its rolls, owners and coordinates: asked as any row delete.
    AdsEventoBeforeDelete(ds);
}

void TFormWIRO::adsPpalAfterScroll(Dataset *ds)
{
    if (!m_posicion || !m_total || !ds || !ds->Active())
        return;
    const int total = ds->RecordCount();
    const int actual = ds->State() == DatasetState::Insert ? total + 1 : ds->RecNo();
    m_posicion->setText(QString::number(actual));
    m_total->setText(QString::number(total));
}

void TFormWIRO::ComponerDifrol(TImpresion *impresion)
{
    TCustomMDIChild::ComponerDifrol(impresion);
}

void TFormWIRO::ComponerImpresion(TImpresion *imp)
{
    SeccionPredio *predio = Predio();
    Dataset *ppal = DatasetPpal;
    auto seccion = [imp] {
        imp->Cr();
        imp->CrLf();
        imp->Seccion();
    };
    // A title and its table, printed even when the table is empty.
    auto tabla = [imp, predio](const QString &titulo, const char *parte) {
        imp->Texto(titulo, taIzquierda);
        imp->Cr();
        imp->CrLf();
        if (DBGrid *g = predio->grilla(QLatin1String(parte)))
            imp->Tabla(g);
        imp->CrLf();
    };

    imp->IniDocumento();
    OpcionesEncabezado encabezado;
    encabezado.version = false;
    ImprimirEncabezado(imp, DirAplicacion, Codigo, encabezado);
    CajaNumero caja;
    caja.texto = QStringLiteral("Nº:       _________________\n\nFecha:  _________________");
    caja.alto = 20;
    ImprimirCajaNumero(imp, caja);

    imp->Titulo(kTitulo);
    imp->Cr();
    imp->CrLf();
    Dataset *maestro = Maestro();
    imp->Campo(QStringLiteral("Solicitud de:"), maestro ? maestro->FindField(QStringLiteral("sol")) : nullptr, lpLeft);
    seccion();

    imp->Texto(QStringLiteral("Información del (los) Propietario (s):"), taIzquierda);
    imp->Cr();
    imp->CrLf();
    predio->imprimirPersonas(imp, QStringLiteral("pro"));
    imp->Texto(QStringLiteral("Información del (los) Representante (s) Legal (es):"), taIzquierda);
    imp->Cr();
    imp->CrLf();
    predio->imprimirPersonas(imp, QStringLiteral("rep"));
    imp->Campo(QStringLiteral("Nombre del Predio:"), predio->campo(QStringLiteral("nom_pre")), lpLeft);
    seccion();

    tabla(QStringLiteral("Inscripciones en fojas del Conservador de Bienes Raíces:"), "con");
    tabla(QStringLiteral("Inscripciones en certificados del Ministerio de Bienes Nacionales:"), "cer");
    tabla(QStringLiteral("Roles de Avalúo Nº:"), "rol");
    imp->Seccion();

    imp->Campo(QStringLiteral("Superficie total del predio (há):"), predio->campo(QStringLiteral("sup")), lpLeft);
    imp->Cr();
    imp->CrLf4();
    imp->Campo(QStringLiteral("Superficie afecta a la Solicitud (há):"), findComponent<DBEdit>(this, QStringLiteral("dbe_sup_afe")),
               lpLeft);
    seccion();

    imp->Texto(QStringLiteral("Declaro bajo juramento que los datos consignados en la presente solicitud son verdaderas, que "
                              "conozco y deseo acogerme a las disposiciones del D.L. Nº 701 de 1974."),
               taIzquierda);
    seccion();

    // The date, and the signature line an eighth of the width further right.
    imp->CrLf();
    const double y = imp->PosY;
    imp->Campo(QStringLiteral("Fecha: "), ppal->FindField(QStringLiteral("fec")), lpLeft);
    imp->DeltaY(y - imp->PosY);
    imp->DeltaX(imp->AnchoUtil / 8);
    const double x = imp->PosX;
    const TDimensiones linea = imp->Texto(QStringLiteral("___________________________________________"), taIzquierda);
    imp->DeltaY(y + linea.Alto - imp->PosY);
    imp->DeltaX(x - imp->PosX);
    imp->Texto(QStringLiteral("Firma del Propietario o Representante Legal"), taIzquierda);
    seccion();

    const double yCiudad = imp->PosY;
    imp->Campo(QStringLiteral("Ciudad: "), ppal->FindField(QStringLiteral("ciu")), lpLeft);
    imp->DeltaY(yCiudad - imp->PosY);
    imp->DeltaX(imp->AnchoUtil / 8);
    imp->Campo(QStringLiteral("Nombre: "), predio->combo(QStringLiteral("fir")), lpLeft);
    imp->Cr();
    imp->CrLf();
    imp->CrLf();
    imp->Texto(QStringLiteral("Nota: La solicitud que antecede no acredita Resolución, Certificación o Registro inmediato."),
               taIzquierda);
    seccion();
    imp->FinDocumento();
}

QByteArray TFormWIRO::PrepararXML()
{
    TXML &x = *XML;
    SeccionPredio *predio = Predio();
    Dataset *ppal = DatasetPpal;
    // Walking the properties moves off the current row: what is typed there is posted
    // first, as bookkeeping, and the row is put back in edit afterwards.
    const bool editando = enEdicion(ppal);
    if (editando) {
        const auto restaurar = qScopeGuard([this, guardando = Guardando] { Guardando = guardando; });
        Guardando = true;
        catchAbort([ppal] { ppal->Post(); });
    }
    x.Limpiar();
    {
        componentes::CursoresGuardados cursores;
        cursores(ppal);
        for (Dataset *ds : findChildren<Dataset *>())
            if (ds != ppal && ds->State() == DatasetState::Browse)
                cursores(ds);
        NodosPredioXML::CabeceraSolicitud cabecera;
        cabecera.registroActual = true;
        NodosPredioXML::FormularioSolicitud(x, this, *predio, cabecera);
        const Field *ciudad = predio->campo(QStringLiteral("ciu"));
        NodosPredioXML::Firma(x, this, ciudad ? ciudad->AsString() : QString());

        NodosPredioXML::OpcionesPersona propietarios = NodosPredioXML::OpcionesPropietarios(false);
        propietarios.sexo = false;
        propietarios.firma = false;
        NodosPredioXML::OpcionesPersona representantes = NodosPredioXML::OpcionesRepresentantes();
        representantes.firma = false;
        // A plain PREDIO per property: a repeating one would repeat its owners, rolls and
        // registrar entries only within the first property.
        componentes::paraCadaRegistro(ppal, [&](int) {
            x.AbrirNodo(QStringLiteral("PREDIO"));
            const auto hoja = [&](const char *tag, const char *nombre) {
                x.Hijo(QLatin1String(tag), ppal->FindField(QLatin1String(nombre)));
            };
            hoja("PRED_CODIGO", "cod_pre");
            x.Hijo(QStringLiteral("LOCALIDAD.REGION"), QStringLiteral("POR LLENAR"));
            x.Hijo(QStringLiteral("LOCALIDAD.PROVINCIA"), QStringLiteral("POR LLENAR"));
            hoja("LOCALIDAD.COMUNA", "com");
            hoja("NOMBRE", "nom_pre");
            hoja("SUPERFICIE_ET", "sup");
            x.Hijo(QStringLiteral("PRED_ESTADO"), QStringLiteral("1"));
            NodosPredioXML::Personas(x, predio->tabla(QStringLiteral("pro")), propietarios);
            NodosPredioXML::Personas(x, predio->tabla(QStringLiteral("rep")), representantes);
            NodosPredioXML::Roles(x, predio->tabla(QStringLiteral("rol")));
            NodosPredioXML::Conservador(x, predio->tabla(QStringLiteral("con")), predio->tabla(QStringLiteral("cer")));
            x.CerrarNodo();
        });
        x.CerrarNodo();
    }
    if (editando)
        catchAbort([ppal] { ppal->Edit(); });
    return x.Texto();
}
