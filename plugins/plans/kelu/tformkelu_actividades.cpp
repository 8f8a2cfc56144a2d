// Activities of a management unit and their parameter rows: each activity owns at most
// one row in the parameter table of its class (afforestation, pruning, thinning, harvest,
// reforestation), made when the activity is entered and made again when its code changes.
#include "tformkelu.h"

#include "connection.h"
#include "dataset.h"
#include "field.h"
#include "util_bbdd.h"

namespace {

// The parameter tables of afforestation, pruning, thinning, harvest and reforestation.
const ParametrosPorClase kParametros{QStringLiteral("Id_desc"),
                                     {{30, QStringLiteral("kelu_for"), QStringLiteral("adtKELU_for")},
                                      {50, QStringLiteral("kelu_poda"), QStringLiteral("adtKELU_poda")},
                                      {60, QStringLiteral("kelu_ral"), QStringLiteral("adtKELU_ral")},
                                      {70, QStringLiteral("kelu_cor"), QStringLiteral("adtKELU_cor")},
                                      {90, QStringLiteral("kelu_ref"), QStringLiteral("adtKELU_ref")}}};

} // namespace

void TFormKELU::actividadAntesDePost(Dataset *ds)
{
    // The unit's name goes with each activity (and to its parameter row).
    Dataset *obj = tabla(QStringLiteral("obj"));
    Field *unidad = ds->FieldByName(QStringLiteral("unidad"));
    const QString nombre = obj->IsEmpty() ? QString() : obj->FieldByName(QStringLiteral("unidad"))->AsString();
    if (unidad->AsString() != nombre)
        unidad->setAsString(nombre);
}

void TFormKELU::actividadTrasPost(Dataset *ds)
{
    kParametros.trasPost(m_reglas, ds, QStringLiteral("act"), [this, ds](const QVariant &idDesc, const QVariant &act) {
        return crearFilaActividad(idDesc, ds->FieldByName(QStringLiteral("Id_obj"))->Value(), act);
    });
}

QList<TFormKELU::Sentencia> TFormKELU::crearFilaActividad(const QVariant &idDesc, const QVariant &idObj,
                                                          const QVariant &act) const
{
    if (idObj.isNull() || act.isNull())
        return {};
    const QueryResult tipo = ConexionBDPpal->select(
        QStringLiteral("SELECT tiac_codigo, tiac_num FROM tipoactividad_pl WHERE tapl_codigo = ?"), {act});
    const QVariantList t = tipo.rows.value(0);
    const ParametrosPorClase::Clase *clase = kParametros.clase(t.value(0));
    if (!clase)
        return {};
    const QueryResult unidad =
        ConexionBD->select(QStringLiteral("SELECT num, unidad FROM kelu_obj WHERE Id_obj = ?"), {idObj});
    const QVariantList u = unidad.rows.value(0);
    QStringList columnas{QStringLiteral("Id_desc"), QStringLiteral("unidad")};
    QVariantList valores{idDesc, u.value(1)};
    // Every class but reforestation starts with the species of the unit's first stand.
    if (clase->codigo != 90) {
        const QString primero = u.value(0).toString().section(QLatin1Char(','), 0, 0).trimmed();
        columnas << QStringLiteral("esp");
        valores << Consulta(ConexionBD, QStringLiteral("SELECT esp FROM kelu_desc WHERE num = ?"), {primero});
    }
    // Pruning and thinning are numbered (first, second pruning ...).
    if (clase->codigo == 50 || clase->codigo == 60) {
        columnas << (clase->codigo == 50 ? QStringLiteral("num_poda") : QStringLiteral("num_raleo"));
        valores << t.value(1).toString();
    }
    return {ReglasFormulario::insercion(clase->tabla, columnas, valores)};
}

QList<TFormKELU::Sentencia> TFormKELU::borrarFilasActividad(const QVariant &idDesc)
{
    return kParametros.borrar(idDesc);
}

void TFormKELU::refrescarParametros()
{
    kParametros.refrescar(m_reglas);
}

QStringList TFormKELU::tablasDeParametros()
{
    return kParametros.tablas();
}
