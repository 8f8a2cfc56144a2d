#include "tformeska.h"

#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "connection.h"
#include "datasource.h"
#include "validarpares.h"

BRENVIK_REGISTER_WINDOW(TFormESKA, "TFormESKA");

namespace {

const QString kSumaDesafectada = QStringLiteral("SELECT 0+SUM(sup_des) FROM eska_ant_des");

} // namespace

TFormESKA::TFormESKA(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("ESKA"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
}

void TFormESKA::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormESKA::enlazarReglas()
{
    // Resolutions and bonuses keep their sector from being deleted; its justifications go
    // with it. A rename reaches all three.
    m_reglas.declararClave({tabla(QStringLiteral("ant_des")), QStringLiteral("eska_ant_des"), QStringLiteral("num_sect"),
                            QStringLiteral("Id"),
                            {{QStringLiteral("eska_ant_res"), QStringLiteral("num_sect")},
                             {QStringLiteral("eska_ant_bon"), QStringLiteral("num_sect")},
                             {QStringLiteral("eska_jus"), QStringLiteral("num_sect"), false, true}},
                            RelacionClave::Borrado::Rechazar, false,
                            {QStringLiteral("adtESKA_ant_res"), QStringLiteral("adtESKA_ant_bon"), QStringLiteral("adtESKA_jus")},
                            nullptr, {}});

    // The released surface is not stored: every read of the main row (on opening, in the
    // program's export check, in the XML) computes it from the sectors.
    if (Dataset *ppal = tabla(QString())) {
        ppal->OnCalcFields = [this](Dataset *d) {
            Field *f = d->FindField(QStringLiteral("sup_afe"));
            if (!f || !ConexionBD || !ConexionBD->isOpen())
                return;
            const QueryResult r = ConexionBD->select(kSumaDesafectada);
            const QVariant suma = r.rows.isEmpty() ? QVariant() : r.rows.first().value(0);
            if (suma.isNull())
                f->Clear();
            else
                f->setAsFloat(suma.toDouble());
        };
    }
    if (DataSource *sectores = m_formulario->dataSource(QStringLiteral("eska_ant_des"))) {
        sectores->OnDataChange = [this](DataSource *s, Field *f) {
            DSrcEventoOnDataChange(s, f);
            if (m_reglas.cambioDeDatos(s, f))
                m_reglas.sumaEnPrincipal(kSumaDesafectada, QStringLiteral("sup_afe"));
        };
    }
    ReglasFormulario::antesDePost(tabla(QStringLiteral("ant_res")), nullptr, [this](Dataset *d) { validarPares(d); });
}

void TFormESKA::validarPares(Dataset *resoluciones)
{
    ValidarPares(this, resoluciones,
                 {{QStringLiteral("ctapf_no"), QStringLiteral("ctapf_fec")}, {QStringLiteral("pm_no"), QStringLiteral("pm_fec")}});
}

