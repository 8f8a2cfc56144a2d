#include "tformdescrito.h"

#include "builtform.h"
#include "componentesformulario.h"
#include "connection.h"
#include "formbuilder.h"
#include "formdescription.h"
#include "formtemplate.h"
#include "abort.h"
#include "dataset.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "field.h"
#include "formcomponents.h"

#include <QMdiSubWindow>
#include <algorithm>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>

TFormDescrito::TFormDescrito(QWidget *owner, const QString &codigo)
    : TCustomMDIChild(owner)
    , m_conexion(new Connection(this))
    , m_conexionPpal(new Connection(this))
{
    setObjectName(QStringLiteral("Form") + codigo);
    m_formulario = FormBuilder::buildEmbedded(codigo, this, m_conexion, m_conexionPpal);
}

bool TFormDescrito::NuevoDescrito()
{
    if (!m_formulario)
        return false;
    const FormDescription &d = m_formulario->description();
    Secciones = d.secciones();
    HojaActual = 0;
    ConexionBD = m_conexion;
    ConexionBDPpal = m_conexionPpal;
    DatasetPpal = m_formulario->mainDataset();
    Paginas = m_formulario->pages();
    // The described size is what the window scrolls over at least; a page taller than it
    // keeps its own minimum, or its rows would be squeezed together.
    Paginas->setMinimumSize(Paginas->minimumSizeHint().expandedTo(QSize(d.ancho, d.alto)));
    if (auto *boton = findComponent<QPushButton>(this, QStringLiteral("btnLlenarPredio")))
        connect(boton, &QPushButton::clicked, this, [this] { FrmEventoOnSeleccionPredio(); });
    return true;
}

void TFormDescrito::Maximizar()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->setWindowState(sub->windowState() | Qt::WindowMaximized);
    else
        setWindowState(windowState() | Qt::WindowMaximized);
}

Dataset *TFormDescrito::tabla(const QString &sufijo) const
{
    return componentes::tabla(this, sufijo);
}

// --- the parent request form

QString TFormDescrito::CodigoPadre() const
{
    return m_formulario ? m_formulario->description().parent.code : QString();
}

TCustomMDIChild *TFormDescrito::Padre() const
{
    const QString codigo = CodigoPadre();
    return codigo.isEmpty() ? nullptr : BuscarFormulario(codigo);
}

Dataset *TFormDescrito::PadreTabla(const QString &sufijo) const
{
    TCustomMDIChild *padre = Padre();
    if (!padre)
        return nullptr;
    return sufijo.isEmpty() ? padre->DatasetPpal : BuscarDataset(CodigoPadre(), sufijo);
}

QVariant TFormDescrito::PadreValor(const QString &campo) const
{
    const Dataset *ppal = PadreTabla();
    const Field *f = ppal && ppal->Active() ? ppal->FindField(campo) : nullptr;
    return f ? f->Value() : QVariant();
}

int TFormDescrito::PadreTisoCodigo() const
{
    const TCustomMDIChild *padre = Padre();
    return padre ? padre->TisoCodigo : 0;
}

namespace {

// The binding order of the replica controls, by field or parent table suffix.
int rangoReplica(const ControlDescription &c)
{
    static const QStringList orden = {
        QStringLiteral("nom_pre"), QStringLiteral("com"), QStringLiteral("prv"),     QStringLiteral("reg"),
        QStringLiteral("sup"),     QStringLiteral("sup_tit"), QStringLiteral("sup_sii"), QStringLiteral("coo"),
        QStringLiteral("via"),     QStringLiteral("pro"), QStringLiteral("rol"),     QStringLiteral("rol_con"),
        QStringLiteral("ces")};
    const qsizetype i = orden.indexOf(c.kind == ControlDescription::Kind::Grid ? c.source : c.field);
    return i < 0 ? int(orden.size()) : int(i);
}

void replicas(const QList<ControlDescription> &controles, QList<const ControlDescription *> &salida)
{
    for (const ControlDescription &c : controles) {
        if (c.external)
            salida << &c;
        replicas(c.children, salida);
    }
}

QList<const ControlDescription *> replicasEnOrden(const BuiltForm &formulario)
{
    QList<const ControlDescription *> controles;
    for (const PageDescription &p : formulario.description().pages)
        replicas(p.controls, controles);
    std::stable_sort(controles.begin(), controles.end(),
                     [](const ControlDescription *a, const ControlDescription *b) { return rangoReplica(*a) < rangoReplica(*b); });
    return controles;
}

} // namespace

QStringList TFormDescrito::ReplicasEnOrden() const
{
    QStringList nombres;
    if (m_formulario)
        for (const ControlDescription *c : replicasEnOrden(*m_formulario))
            nombres << c->name;
    return nombres;
}

void TFormDescrito::ConexionesExternas()
{
    const QString codigo = CodigoPadre();
    if (codigo.isEmpty() || !BuscarFormulario(codigo))
        return;
    using K = ControlDescription::Kind;
    for (const ControlDescription *c : replicasEnOrden(*m_formulario)) {
        switch (c->kind) {
        case K::Edit:
        case K::Date:
            DataSourceExterno(findComponent<DBEdit>(this, c->name), codigo);
            break;
        case K::Memo:
            DatasourceExterno(findComponent<DBMemo>(this, c->name), codigo);
            break;
        case K::Lookup:
            DatasourceExterno(findComponent<DBLookupComboBox>(this, c->name), codigo);
            break;
        case K::Grid:
            DataSetExterno(findComponent<DBGrid>(this, c->name), codigo, c->source);
            break;
        default:
            break;
        }
    }
}

void TFormDescrito::InicializarDatasetPpal(const QString &)
{
    if (!m_formulario)
        return;
    InstalarListas(*m_formulario);
    if (!CodigoPadre().isEmpty())
        SinPredioPropio();
}

void TFormDescrito::SinPredioPropio(bool seguirEditando)
{
    if (!DatasetPpal || !DatasetPpal->FindField(QStringLiteral("cod_pre")))
        return;
    PostarPrincipal([](Dataset *ppal) { ppal->FieldByName(QStringLiteral("cod_pre"))->setAsInteger(-1); }, seguirEditando);
}

void TFormDescrito::PostarPrincipal(const std::function<void(Dataset *)> &cambios, bool seguirEditando)
{
    Dataset *ppal = DatasetPpal;
    if (!ppal || !ppal->Active())
        return;
    const auto restaurar = qScopeGuard([this, guardando = Guardando] { Guardando = guardando; });
    Guardando = true;
    catchAbort([ppal, &cambios, seguirEditando] {
        if (ppal->State() != DatasetState::Edit && ppal->State() != DatasetState::Insert)
            ppal->Edit();
        cambios(ppal);
        ppal->Post();
        if (seguirEditando)
            ppal->Edit();
    });
}

bool TFormDescrito::ValidarFormulario()
{
    if (!m_formulario || !m_formulario->description().parent.required || Padre())
        return true;
    DialogoError(QStringLiteral("Falta el formulario %1 en este documento").arg(CodigoPadre().toUpper()));
    return false;
}

bool TFormDescrito::CompletarBaseTrabajo(const QString &mdb, QString *error)
{
    return !m_formulario || FormTemplate::addIndexes(m_formulario->description(), mdb, error);
}
