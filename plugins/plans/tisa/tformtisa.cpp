#include "tformtisa.h"

#include "abort.h"
#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dbgrid.h"
#include "field.h"
#include "util_bbdd.h"

#include <QEvent>
#include <QScopeGuard>

BRENVIK_REGISTER_WINDOW(TFormTISA, "TFormTISA");

namespace {

// The altitude of a soil row is kept within these, checked on every change.
constexpr double kAltitudMaxima = 32768;
constexpr double kAltitudMinima = -32768;

} // namespace

TFormTISA::TFormTISA(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("TISA"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
}

void TFormTISA::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormTISA::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormDescrito::InicializarDatasetPpal(nombreCompleto);
    if (!m_formulario || !DatasetPpal || !DatasetPpal->Active())
        return;
    enlazarCampos();
    // The flora's stands are ticked among the stands of the plan, kept as a ", " list.
    SeleccionMultiple(grilla(QStringLiteral("flo")), QStringLiteral("num"),
                      QStringLiteral("SELECT num FROM tisa_car_bos ORDER BY Id"), ConexionBD);
}

void TFormTISA::enlazarReglas()
{
    // A stand is named by the diagnosis, the flora lists, the programme and the protection
    // measures: while any of them does it cannot be deleted, and a rename reaches them all
    // (list items one by one). Its objective is its own row, made, renamed and deleted with it.
    QList<Dependiente> dependientes{{QStringLiteral("tisa_obj"), QStringLiteral("num"), false, true}};
    for (const char *t : {"tisa_hidr", "tisa_car_sue", "tisa_prog_corta", "tisa_prog_act", "tisa_mepr"})
        dependientes << Dependiente{QLatin1String(t), QStringLiteral("num")};
    dependientes << Dependiente{QStringLiteral("tisa_flo"), QStringLiteral("num"), true};
    QStringList afectados;
    for (const char *s : {"obj", "hidr", "car_sue", "flo", "prog_corta", "prog_act", "mepr"})
        afectados << QStringLiteral("adtTISA_") + QLatin1String(s);
    // The copied surfaces of the soils and programme grids follow the refreshed datasets.
    m_reglas.declararClave({tabla(QStringLiteral("car_bos")), QStringLiteral("tisa_car_bos"), QStringLiteral("num"),
                            QStringLiteral("Id"), dependientes, RelacionClave::Borrado::Rechazar, true, afectados,
                            nullptr, {}});

    // The affected surface is the stands' total, after every change of the stands.
    if (DataSource *rodales = m_formulario->dataSource(QStringLiteral("tisa_car_bos"))) {
        rodales->OnDataChange = [this](DataSource *s, Field *f) {
            DSrcEventoOnDataChange(s, f);
            if (m_reglas.cambioDeDatos(s, f))
                m_reglas.sumaEnPrincipal(QStringLiteral("SELECT 0+SUM(sup) FROM tisa_car_bos"), QStringLiteral("sup_afe"));
        };
    }

    m_reglas.declararVariablesClimaticas();
}

void TFormTISA::enlazarCampos()
{
    // Fields exist once their datasets have opened; they are kept across reopening.
    if (Field *var = tabla(QStringLiteral("var_cli"))->FindField(QStringLiteral("var")))
        var->OnChange = [this](Field *f) { m_reglas.unidadDeVariable(f, QStringLiteral("unidad")); };
    if (Field *esp = tabla(QStringLiteral("flo"))->FindField(QStringLiteral("esp")))
        esp->OnChange = [this](Field *f) { m_reglas.categoriaConservacion(f, QStringLiteral("especie"), QStringLiteral("espe")); };
    if (Field *esp = tabla(QStringLiteral("fau"))->FindField(QStringLiteral("esp")))
        esp->OnChange = [this](Field *f) { m_reglas.categoriaConservacion(f, QStringLiteral("fauna"), QStringLiteral("faun")); };
    if (Field *alt = tabla(QStringLiteral("car_sue"))->FindField(QStringLiteral("alt")))
        alt->OnChange = [this](Field *f) { limitarAltitud(f); };
}

void TFormTISA::limitarAltitud(Field *alt)
{
    Validar(alt, {tvMenorIgual}, kAltitudMaxima);
    Validar(alt, {tvMayorIgual}, kAltitudMinima);
}

bool TFormTISA::ValidarFormulario()
{
    if (!TFormDescrito::ValidarFormulario())
        return false;
    if (!Asercion(ConexionBD, QStringLiteral("FROM tisa_mepr")) && Asercion(ConexionBD, QStringLiteral("FROM tisa_fau"))) {
        DialogoError(QStringLiteral("Hay fauna con problemas de conservación , pero\n"
                                    "no se tienen definidas medidas de protección"));
        return false;
    }
    // Every stand the flora rows list, each item trimmed and bound.
    QStringList rodales;
    for (const QVariantList &fila : ConexionBD->select(QStringLiteral("SELECT num FROM tisa_flo")).rows) {
        for (const QString &n : numeros(fila.value(0).toString()))
            if (!rodales.contains(n))
                rodales << n;
    }
    if (rodales.isEmpty())
        return true;
    QVariantList valores;
    for (const QString &n : std::as_const(rodales))
        valores << n;
    const QString marcas = QStringList(valores.size(), QStringLiteral("?")).join(QStringLiteral(", "));
    const QueryResult r = ConexionBD->select(
        QStringLiteral("SELECT count(*) FROM tisa_car_bos c WHERE c.num IN (%1) "
                       "AND NOT EXISTS (SELECT 1 FROM tisa_mepr m WHERE m.num = c.num)")
            .arg(marcas),
        valores);
    if (!r.rows.isEmpty() && r.rows.first().value(0).toInt() > 0) {
        DialogoError(QStringLiteral("Hay flora con problemas de conservación , pero\n"
                                    "no se tienen definidas medidas de protección"));
        return false;
    }
    return true;
}

bool TFormTISA::eventFilter(QObject *watched, QEvent *event)
{
    // Typed text is upper-cased as in every form, except in the soils grid, where it reaches
    // the grid as it is (the key-pad decimal included).
    auto *w = event->type() == QEvent::KeyPress ? qobject_cast<QWidget *>(watched) : nullptr;
    DBGrid *suelos = w ? grilla(QStringLiteral("car_sue")) : nullptr;
    if (!suelos || DBGrid::fromWidget(w) != suelos)
        return filtrarTecla(watched, event, true);
    const bool consumida = filtrarTecla(watched, event, false);
    TeclaDecimal = false;
    return consumida;
}


DBGrid *TFormTISA::grilla(const QString &sufijo) const
{
    return findComponent<DBGrid>(const_cast<TFormTISA *>(this), QStringLiteral("dbgTISA_") + sufijo);
}
