// The rules of the generic form's data: the stands as the key of every per-stand table,
// the affected surface as their total, the climate pair, the conservation categories,
// the comparisons of the activity grids and the order of the protection measures.
#include "tformlumo.h"

#include "abort.h"
#include "builtform.h"
#include "componentesformulario.h"
#include "datasource.h"
#include "table.h"
#include "tlumofrmgrilla.h"
#include "util_bbdd.h"
#include <tuple>

namespace {

// The tables whose `num` names a stand, as shown by the datasets of the same suffix.
const char *const kTablasDeRodal[] = {"fis", "hid", "for", "pod", "raleo", "corta", "refor",
                                      "cor_int", "cor_reg", "regen", "mepr", "frmLumo", "frmLumo2"};

} // namespace

void TFormLUMO::enlazarReglas()
{
    // A stand named anywhere cannot be deleted, and its rename reaches every table naming
    // it, the flora's stand lists item by item.
    QList<Dependiente> dependientes;
    QStringList mostrar;
    for (const char *t : kTablasDeRodal) {
        dependientes << Dependiente{QStringLiteral("lumo_") + QLatin1String(t), QStringLiteral("num")};
        mostrar << QStringLiteral("adtLUMO_") + QLatin1String(t);
    }
    dependientes << Dependiente{QStringLiteral("lumo_flo"), QStringLiteral("rod"), true};
    mostrar << QStringLiteral("adtLUMO_flo");
    m_reglas.declararClave({tabla(QStringLiteral("car")), QStringLiteral("lumo_car"), QStringLiteral("num"), QStringLiteral("id"),
                            dependientes, RelacionClave::Borrado::Rechazar, false, mostrar,
                            [this](Dataset *) {
                                // The frames read the stand tables through datasets of their own.
                                for (TlumoFrmGrilla *marco : findChildren<TlumoFrmGrilla *>())
                                    marco->Refrescar();
                            },
                            {}});

    // The affected surface is the stands' total, after every change of the stands.
    if (DataSource *rodales = m_formulario->dataSource(QStringLiteral("lumo_car"))) {
        rodales->OnDataChange = [this](DataSource *s, Field *f) {
            DSrcEventoOnDataChange(s, f);
            if (m_reglas.cambioDeDatos(s, f))
                m_reglas.sumaEnPrincipal(QStringLiteral("SELECT 0+SUM(sup) FROM lumo_car"), QStringLiteral("sup_afe"));
        };
    }

    m_reglas.declararVariablesClimaticas(QStringLiteral("dbgLumo_fte_inf"));

    const auto antesDePost = &ReglasFormulario::antesDePost;
    antesDePost(tabla(QStringLiteral("pod")), nullptr, [this](Dataset *d) {
        validarComparacion(d, QStringLiteral("den_pod"), QStringLiteral("den_tot"),
                           QStringLiteral("La densidad a podar supera la densidad total"));
    });
    antesDePost(tabla(QStringLiteral("raleo")), nullptr, [this](Dataset *d) {
        validarComparacion(d, QStringLiteral("den_despues"), QStringLiteral("den_antes"),
                           QStringLiteral("La densidad después del raleo no puede superar \na la densidad anterior al raleo"));
        Validar(d->FieldByName(QStringLiteral("ano")), {tvNoVacio});
    });
    for (const auto &[sufijo, den, denAntes, ab, abAntes] :
         {std::tuple{"cor_int", "res_den", "ant_den", "res_ab", "ant_ab"}, std::tuple{"cor_reg", "den_res", "den_ant", "ab_res", "ab_ant"}}) {
        antesDePost(tabla(QLatin1String(sufijo)), nullptr, [=, this](Dataset *d) {
            validarComparacion(d, QLatin1String(den), QLatin1String(denAntes),
                               QStringLiteral("La densidad residual supera a la densidad antes de la corta"));
            validarComparacion(d, QLatin1String(ab), QLatin1String(abAntes),
                               QStringLiteral("El área basal residual supera al área basal antes de la corta"));
        });
    }

    if (auto *medidas = qobject_cast<Table *>(tabla(QStringLiteral("mepr"))))
        medidas->setOrderField(QStringLiteral("num"));
}

void TFormLUMO::enlazarCampos()
{
    // Fields exist once their datasets have opened; they are kept across reopening.
    if (Field *var = tabla(QStringLiteral("var_cli"))->FindField(QStringLiteral("var")))
        var->OnChange = [this](Field *f) { m_reglas.unidadDeVariable(f, QStringLiteral("uni")); };
    if (Field *esp = tabla(QStringLiteral("flo"))->FindField(QStringLiteral("esp")))
        esp->OnChange = [this](Field *f) { m_reglas.categoriaConservacion(f, QStringLiteral("especie"), QStringLiteral("espe")); };
    if (Field *esp = tabla(QStringLiteral("fau"))->FindField(QStringLiteral("esp")))
        esp->OnChange = [this](Field *f) { m_reglas.categoriaConservacion(f, QStringLiteral("fauna"), QStringLiteral("faun")); };
}

void TFormLUMO::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormDescrito::InicializarDatasetPpal(nombreCompleto);
    if (m_formulario && DatasetPpal && DatasetPpal->Active()) {
        enlazarCampos();
        SeleccionMultiple(grilla(QStringLiteral("car")), QStringLiteral("esp"),
                          QStringLiteral("SELECT espe_descripcion FROM especie ORDER BY espe_primera,espe_descripcion"),
                          ConexionBDPpal);
        // The flora's stands are ticked among the stands of the form.
        SeleccionMultiple(grilla(QStringLiteral("flo")), QStringLiteral("rod"), QStringLiteral("SELECT num FROM lumo_car"), ConexionBD);
    }
    retirarColumnas();
}

void TFormLUMO::validarComparacion(Dataset *ds, const QString &mayor, const QString &menor, const QString &mensaje)
{
    if (Guardando)
        return;
    const Field *a = ds->FieldByName(mayor);
    const Field *b = ds->FieldByName(menor);
    if (a && b && !a->IsNull() && !b->IsNull() && a->AsFloat() > b->AsFloat()) {
        DialogoError(mensaje);
        Abort();
    }
}

void TFormLUMO::TabSheet1Enter()
{
    // The stands may have changed behind the grid (a rename from another table).
    if (Dataset *rodales = tabla(QStringLiteral("car")); rodales && rodales->Active() && rodales->State() == DatasetState::Browse)
        RefrescarADT(rodales);
}
