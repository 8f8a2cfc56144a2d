#include "tformbexa.h"

#include "builtform.h"
#include "classregistry.h"
#include "datasource.h"
#include "dbcombobox.h"
#include "dbedit.h"
#include "field.h"
#include "formcomponents.h"

BRENVIK_REGISTER_WINDOW(TFormBEXA, "TFormBEXA");

namespace {

// The "other" office of the agencies' list: its text is typed in pres_otr.
constexpr int kEntidadOtra = 1;

// The plain property section: no coordinates nor adjoining rolls; ticking an owner's
// usufruct asks first.
ConfiguracionPredio predio()
{
    ConfiguracionPredio c;
    c.codigo = QStringLiteral("bexa");
    c.preguntarUsufructo = true;
    return c;
}

bool enEdicion(const Dataset *ds)
{
    return ds && (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert);
}

} // namespace

TFormBEXA::TFormBEXA(QWidget *owner)
    : TFormSolicitudPredio(owner, QStringLiteral("BEXA"), predio(),
                           QStringLiteral("SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974, SOBRE CERTIFICACIÓN DE\nFUTURA "
                                          "BONIFICACION "))
{
}

void TFormBEXA::Nuevo()
{
    TFormSolicitudPredio::Nuevo();
    if (!m_formulario || !DatasetPpal)
        return;
    m_presOtr = findComponent<DBEdit>(this, QStringLiteral("dbeBexa_pres_otr"));
    // The sum is the form's own: typing over it would be undone by the next row.
    if (auto *supAfe = findComponent<DBEdit>(this, QStringLiteral("dbe_sup_afe")))
        supAfe->setControlReadOnly(true);

    // Signals rather than the handlers: the framework keeps its own on both sources.
    if (DataSource *ppal = m_formulario->mainDataSource()) {
        connect(ppal, &DataSource::dataChanged, this, [this](Field *f) {
            if (!f || f->FieldName().compare(QLatin1String("pres"), Qt::CaseInsensitive) == 0)
                dbcBexa_presChange();
        });
    }
    if (DataSource *forestacion = m_formulario->dataSource(QStringLiteral("bexa_bon"))) {
        // A row posted, deleted or read again; a value typed reaches the sum once posted.
        connect(forestacion, &DataSource::dataChanged, this, [this](Field *f) {
            if (!f)
                dsrcBexa_bonDataChange();
        });
        connect(forestacion, &DataSource::layoutChanged, this, &TFormBEXA::dsrcBexa_bonDataChange);
    }
}

void TFormBEXA::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormSolicitudPredio::InicializarDatasetPpal(nombreCompleto);
    ComboExterno(findComponent<DBComboBox>(this, QStringLiteral("dbcBexa_pres")), tceEntidad);
    dbcBexa_presChange();
}

void TFormBEXA::dbcBexa_presChange()
{
    const Field *pres = DatasetPpal ? DatasetPpal->FindField(QStringLiteral("pres")) : nullptr;
    Field *otra = DatasetPpal ? DatasetPpal->FindField(QStringLiteral("pres_otr")) : nullptr;
    if (!pres || !otra)
        return;
    const bool esOtra = !pres->IsNull() && pres->AsInteger() == kEntidadOtra;
    if (m_presOtr)
        m_presOtr->setEnabled(esOtra);
    // Written only when there is something to empty: reading a document changes nothing.
    if (!esOtra && enEdicion(DatasetPpal) && !otra->IsNull())
        otra->Clear();
}

void TFormBEXA::dsrcBexa_bonDataChange()
{
    // A load or save leaves the stored value; the sum is 0, never empty, without rows,
    // and written only when it changes, so a scroll does not modify the document.
    if (Guardando)
        return;
    m_reglas.sumaEnPrincipal(QStringLiteral("SELECT coalesce(sum(sup), 0) FROM bexa_bon"), QStringLiteral("sup_afe"));
}
