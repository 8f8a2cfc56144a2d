#include "tformharpe.h"

#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "datasource.h"
#include "field.h"

BRENVIK_REGISTER_WINDOW(TFormHARPE, "TFormHARPE");

TFormHARPE::TFormHARPE(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("HARPE"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
}

void TFormHARPE::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormHARPE::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormDescrito::InicializarDatasetPpal(nombreCompleto);
    // Fields exist once their datasets have opened; they are kept across reopening.
    Dataset *rodales = tabla(QStringLiteral("car"));
    for (const char *nombre : {"den_ini_len", "den_ini_coi"}) {
        if (Field *f = rodales ? rodales->FindField(QLatin1String(nombre)) : nullptr)
            f->OnChange = [this](Field *c) { densidadTotal(c); };
    }
}

void TFormHARPE::enlazarReglas()
{
    // Each stand has its regeneration row, found by the stand's number wherever it stands
    // in its table: made after the stand's first post, renamed with it, deleted with it
    // once the deletion is confirmed.
    m_reglas.declararClave({tabla(QStringLiteral("car")), QStringLiteral("harpe_car"), QStringLiteral("num"),
                            QStringLiteral("Id"),
                            {{QStringLiteral("harpe_car_reg"), QStringLiteral("num"), false, true}},
                            RelacionClave::Borrado::Cascada, true, {QStringLiteral("adtHARPE_car_reg")}, nullptr, {}});

    // The surface to be worked is the stands' total; a load or save leaves it as stored.
    if (DataSource *rodales = m_formulario->dataSource(QStringLiteral("harpe_car"))) {
        rodales->OnDataChange = [this](DataSource *s, Field *f) {
            if (Guardando)
                return;
            DSrcEventoOnDataChange(s, f);
            if (m_reglas.cambioDeDatos(s, f))
                m_reglas.sumaEnPrincipal(QStringLiteral("SELECT 0+SUM(sup) FROM harpe_car"), QStringLiteral("sup_afe"));
        };
    }
}

void TFormHARPE::densidadTotal(Field *cambiado)
{
    Dataset *ds = cambiado->DataSet();
    Field *lenga = ds->FieldByName(QStringLiteral("den_ini_len"));
    Field *coigue = ds->FieldByName(QStringLiteral("den_ini_coi"));
    Field *total = ds->FieldByName(QStringLiteral("den_init_tot"));
    const auto vacio = [](const Field *f) { return f->IsNull() || f->AsString().trimmed().isEmpty(); };
    if (vacio(lenga)) {
        total->Clear();
        return;
    }
    if (cambiado == lenga && vacio(coigue)) {
        coigue->setAsFloat(0); // its own change sets the total
        return;
    }
    total->setAsFloat(lenga->AsFloat() + (vacio(coigue) ? 0 : coigue->AsFloat()));
}

