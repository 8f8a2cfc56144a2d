#include "tformdalu.h"

#include "abort.h"
#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dbgrid.h"
#include "dbmemo.h"
#include "dialogservice.h"
#include "field.h"
#include "formcomponents.h"
#include "mainwindowhooks.h"
#include "teclaprevista.h"
#include "util_bbdd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTabWidget>

BRENVIK_REGISTER_WINDOW(TFormDALU, "TFormDALU");

namespace {

// The page of the prescriptions, where the form-wide check leads.
constexpr int kHojaPrescripciones = 22;

} // namespace

TFormDALU::TFormDALU(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("DALU"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
    enlazarInventario();
}

void TFormDALU::Nuevo()
{
    if (!NuevoDescrito())
        return;
    connect(Paginas, &QTabWidget::currentChanged, this, [this](int hoja) { paginaMostrada(hoja); });
    enlazarSenales();
    Maximizar();
}

void TFormDALU::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormDescrito::InicializarDatasetPpal(nombreCompleto);
    if (!m_formulario || !DatasetPpal || !DatasetPpal->Active())
        return;
    enlazarControles();
    enlazarCampos();
    enlazarCamposInventario();
    resolucionJudicialCambiada();
}

// ComponerImpresion: impresiondalu.cpp; PrepararXML: xmldalu.cpp.

bool TFormDALU::ValidarFormulario()
{
    if (!TFormDescrito::ValidarFormulario())
        return false;
    // Every stand with a restriction needs an objective naming it with a prescription.
    QStringList protegidos;
    const QueryResult r = ConexionBD->select(QStringLiteral(
        "SELECT DISTINCT o.num FROM dalu_obj o, dalu_desc_det d, dalu_prescripcion p "
        "WHERE o.Id_obj = d.Id_obj AND d.Id_desc_det = p.id_desc_det"));
    for (const QVariantList &fila : r.rows)
        for (const QString &n : numeros(fila.value(0).toString()))
            protegidos << n.toLower();
    const QueryResult restricciones =
        ConexionBD->select(QStringLiteral("SELECT num FROM dalu_rest WHERE "
                                          "trim(coalesce(topo,'') || coalesce(sue,'') || coalesce(flora,'') || "
                                          "coalesce(fauna,'') || coalesce(pais,'') || coalesce(otros,'')) <> '' ORDER BY Id"));
    for (const QVariantList &fila : restricciones.rows) {
        if (protegidos.contains(fila.value(0).toString().trimmed().toLower()))
            continue;
        DialogoError(QStringLiteral("Hay rodales que tienen restricciones ambientales definidas, pero\n"
                                    "no tienen explicitada sus medidas de protección"));
        mostrarPagina(kHojaPrescripciones);
        if (auto *memo = findComponent<DBMemo>(this, QStringLiteral("mem_pres")))
            memo->setFocus();
        return false;
    }
    return true;
}

void TFormDALU::DbgEventoOnExitEspecial(QObject *)
{
    // The qualitative description shows each stand's surface, changed in the stands grid.
    const auto restaurar = qScopeGuard([this, guardando = Guardando] { Guardando = guardando; });
    Guardando = true;
    ReglasFormulario::refrescar(tabla(QStringLiteral("des_cua")));
}

bool TFormDALU::eventFilter(QObject *watched, QEvent *event)
{
    // The typed text is upper-cased as in every form, except the figures of the stands
    // grid past its first column: there only the key-pad decimal is turned into the other
    // separator, once.
    QKeyEvent *e = m_tecleando ? nullptr : TeclaPrevista(this, watched, event);
    if (!e)
        return TCustomMDIChild::eventFilter(watched, event);
    auto *receptor = static_cast<QWidget *>(watched);
    if (FrmEventoOnKeyDown(receptor, e))
        return true;
    const QString texto = e->text();
    if (texto.isEmpty() || !texto.at(0).isPrint())
        return false;
    DBGrid *rodales = grilla(QStringLiteral("car"));
    const bool cifras = rodales && DBGrid::fromWidget(receptor) == rodales && rodales->SelectedIndex() > 0;
    QString nuevo = texto;
    if (!cifras) {
        nuevo = FrmEventoOnKeyPress(texto);
    } else if (TeclaDecimal) {
        TeclaDecimal = false;
        if (nuevo == QLatin1String("."))
            nuevo = QStringLiteral(",");
        else if (nuevo == QLatin1String(","))
            nuevo = QStringLiteral(".");
    }
    if (nuevo == texto)
        return false;
    int tecla = e->key();
    Qt::KeyboardModifiers modificadores = e->modifiers();
    if (nuevo == QLatin1String(",") || nuevo == QLatin1String(".")) {
        tecla = nuevo == QLatin1String(",") ? Qt::Key_Comma : Qt::Key_Period;
        modificadores &= ~Qt::KeypadModifier;
    }
    // The replacement goes to the same control and passes this filter untouched.
    m_tecleando = true;
    QKeyEvent reemplazo(QEvent::KeyPress, tecla, modificadores, nuevo);
    QApplication::sendEvent(receptor, &reemplazo);
    m_tecleando = false;
    return true;
}


DBGrid *TFormDALU::grilla(const QString &sufijo) const
{
    return findComponent<DBGrid>(const_cast<TFormDALU *>(this), QStringLiteral("dbgDALU_") + sufijo);
}

QVariant TFormDALU::valor(const QString &sql, const QVariantList &params, bool principal) const
{
    Connection *c = principal ? ConexionBDPpal : ConexionBD;
    if (!c || !c->isOpen())
        return {};
    const QueryResult r = c->select(sql, params);
    return r.rows.isEmpty() ? QVariant() : r.rows.first().value(0);
}

void TFormDALU::mostrarPagina(int hoja)
{
    if (!Paginas || hoja >= Paginas->count())
        return;
    CambiarHoja(hoja);
    // The navigation tree shows the page the user is led to.
    MainWindowHooks::notifyFormActivated(this);
}
