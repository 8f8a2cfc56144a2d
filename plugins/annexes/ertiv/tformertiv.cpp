#include "tformertiv.h"

#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "datasource.h"

BRENVIK_REGISTER_WINDOW(TFormERTIV, "TFormERTIV");

TFormERTIV::TFormERTIV(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("ERTIV"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
}

void TFormERTIV::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormERTIV::enlazarReglas()
{
    // A stand's soil row is made with it; its soil and characterisation rows are its own
    // and go with it. A cut or a reforestation of the stand keeps it from being deleted.
    // A rename reaches all four tables, and the programme grids show the stand's surface
    // again after every post or delete of a stand.
    m_reglas.declararClave({tabla(QStringLiteral("res")), QStringLiteral("ertiv_res"), QStringLiteral("num"),
                            QStringLiteral("Id"),
                            {{QStringLiteral("ertiv_car_sue"), QStringLiteral("num"), false, true},
                             {QStringLiteral("ertiv_act_cor"), QStringLiteral("num")},
                             {QStringLiteral("ertiv_act_ref"), QStringLiteral("num")},
                             {QStringLiteral("ertiv_car"), QStringLiteral("num"), false, true}},
                            RelacionClave::Borrado::Rechazar, true,
                            {QStringLiteral("adtERTIV_car_sue"), QStringLiteral("adtERTIV_car"),
                             QStringLiteral("adtERTIV_act_cor"), QStringLiteral("adtERTIV_act_ref")},
                            nullptr, {}});

    // The affected surface is the stands' total; a load or save leaves it as stored.
    if (DataSource *rodales = m_formulario->dataSource(QStringLiteral("ertiv_res"))) {
        rodales->OnDataChange = [this](DataSource *s, Field *f) {
            if (Guardando)
                return;
            DSrcEventoOnDataChange(s, f);
            if (m_reglas.cambioDeDatos(s, f))
                m_reglas.sumaEnPrincipal(QStringLiteral("SELECT 0+SUM(sup) FROM ertiv_res"), QStringLiteral("sup_afe"));
        };
    }
}

