#include "tformpelto.h"

#include "acreditacionferun.h"
#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "datasource.h"

BRENVIK_REGISTER_WINDOW(TFormPELTO, "TFormPELTO");

TFormPELTO::TFormPELTO(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("PELTO"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
}

void TFormPELTO::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormPELTO::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormDescrito::InicializarDatasetPpal(nombreCompleto);
    if (!m_formulario || !DatasetPpal || !DatasetPpal->Active())
        return;
    AcreditacionFerun::ListaTesorerias(this);
}

bool TFormPELTO::ValidarFormulario()
{
    if (!TFormDescrito::ValidarFormulario())
        return false;
    ValidarTablaNoVacia(componentes::grilla(this, QStringLiteral("dbgPELTO_car")),
                        QStringLiteral("Caracteristicas de la poda y raleo"));
    return true;
}

void TFormPELTO::enlazarReglas()
{
    ReglasFormulario::antesDePost(tabla(QStringLiteral("ant_res")), [this](Dataset *d) { validarResolucion(d); }, nullptr);

    // The pruning and thinning rows follow their stand's number, and go with the stand.
    m_reglas.declararClave({tabla(QStringLiteral("ant_plan")), QStringLiteral("pelto_ant_plan"), QStringLiteral("num"),
                            QStringLiteral("Id"), {{QStringLiteral("pelto_car"), QStringLiteral("num")}},
                            RelacionClave::Borrado::Cascada, false, {QStringLiteral("adtPELTO_car")}, nullptr, {}});

    // The affected surface is the stands' total; a load or save leaves it as stored.
    if (DataSource *rodales = m_formulario->dataSource(QStringLiteral("pelto_ant_plan"))) {
        rodales->OnDataChange = [this](DataSource *s, Field *f) {
            if (Guardando)
                return;
            DSrcEventoOnDataChange(s, f);
            if (m_reglas.cambioDeDatos(s, f))
                m_reglas.sumaEnPrincipal(QStringLiteral("SELECT 0+SUM(sup) FROM pelto_ant_plan"), QStringLiteral("sup_afe"));
        };
    }
}

void TFormPELTO::validarResolucion(Dataset *ds)
{
    // A row with neither pair is taken as it is.
    if (!Guardando)
        AcreditacionFerun::ParesDeResolucion(this, ds);
}

void TFormPELTO::DbgEventoOnExitEspecial(QObject *)
{
    // The rows are read again, not posted again: leaving the grid changes nothing.
    ReglasFormulario::refrescar(tabla(QStringLiteral("car")));
}

