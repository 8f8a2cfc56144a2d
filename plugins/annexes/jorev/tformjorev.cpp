#include "tformjorev.h"

#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "datasource.h"

BRENVIK_REGISTER_WINDOW(TFormJOREV, "TFormJOREV");

TFormJOREV::TFormJOREV(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("JOREV"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
}

void TFormJOREV::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormJOREV::enlazarReglas()
{
    // A fragility row keeps its area from being deleted; water rows go with it. A rename
    // reaches both, and the copied surfaces follow.
    m_reglas.declararClave({tabla(QStringLiteral("car")), QStringLiteral("jorev_car"), QStringLiteral("num_area"),
                            QStringLiteral("Id"),
                            {{QStringLiteral("jorev_ant_frag_suelo"), QStringLiteral("num_area")},
                             {QStringLiteral("jorev_ant_rec_hid"), QStringLiteral("num_area"), false, true}},
                            RelacionClave::Borrado::Rechazar, false,
                            {QStringLiteral("adtJOREV_ant_frag_suelo"), QStringLiteral("adtJOREV_ant_rec_hid")},
                            nullptr, {}});

    // The affected surface is the areas' total; a load or save leaves it as stored.
    if (DataSource *areas = m_formulario->dataSource(QStringLiteral("jorev_car"))) {
        areas->OnDataChange = [this](DataSource *s, Field *f) {
            if (Guardando)
                return;
            DSrcEventoOnDataChange(s, f);
            if (m_reglas.cambioDeDatos(s, f))
                m_reglas.sumaEnPrincipal(QStringLiteral("SELECT 0+SUM(sup) FROM jorev_car"), QStringLiteral("sup_afe"));
        };
    }
}

