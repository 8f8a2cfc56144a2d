// Objectives' activities and their parameter rows: each silvicultural activity owns a row
// in the parameter table of its class (intermediate cut, pruning, regeneration cut,
// reforestation, establishment of the regeneration), made when the activity is entered
// and made again when its code changes; the activity takes it and its prescription when
// it goes. An objective whose activities have parameter rows cannot be deleted.
#include "tformdalu.h"

#include "connection.h"
#include "dataset.h"
#include "field.h"

namespace {

// What a class's new row starts with, besides the activity and its objective.
struct Columnas
{
    int codigo;
    const char *especie; // the column of the species of the objective's first stand
    const char *ordinal; // the column of the activity's ordinal (first, second thinning ...)
    const char *metodo;  // the column of the activity's method or cut type
};

constexpr Columnas kColumnas[] = {
    {40, "esp", "num_raleo", "tip_cor"}, {50, "esp", "num_poda", nullptr}, {80, "esp_fav", nullptr, "met"},
    {90, "esp", nullptr, "met"},         {130, "esp", nullptr, nullptr},
};

// The parameter tables of the intermediate cut, pruning, regeneration cut, reforestation
// and establishment of the regeneration.
const ParametrosPorClase kParametros{
    QStringLiteral("id_desc_det"),
    {{40, QStringLiteral("dalu_cor_int"), QStringLiteral("adtDALU_cor_int")},
     {50, QStringLiteral("dalu_pod"), QStringLiteral("adtDALU_pod")},
     {80, QStringLiteral("dalu_cor_reg"), QStringLiteral("adtDALU_cor_reg")},
     {90, QStringLiteral("dalu_reg_ref"), QStringLiteral("adtDALU_reg_ref")},
     {130, QStringLiteral("dalu_est_reg"), QStringLiteral("adtDALU_est_reg")}}};

const Columnas *columnasDe(int codigo)
{
    for (const Columnas &c : kColumnas) {
        if (c.codigo == codigo)
            return &c;
    }
    return nullptr;
}

// The secondary and the final protection cut have no regeneration method.
bool sinMetodo(int actividad)
{
    return actividad == 29 || actividad == 34;
}

// The parameter rows of the activities of an objective.
const QString kDeSusActividades = QStringLiteral("id_desc_det IN (SELECT Id_desc_det FROM dalu_desc_det WHERE Id_obj = ?)");

} // namespace

void TFormDALU::actividadTrasPost(Dataset *ds)
{
    kParametros.trasPost(m_reglas, ds, QStringLiteral("act"), [this, ds](const QVariant &idDesc, const QVariant &act) {
        return crearFilasActividad(idDesc, ds->FieldByName(QStringLiteral("Id_obj"))->Value(), act);
    });
}

QList<TFormDALU::Sentencia> TFormDALU::actividadBorrada(const QVariant &idDesc)
{
    QList<Sentencia> s = kParametros.borrar(idDesc);
    s << Sentencia{QStringLiteral("DELETE FROM dalu_prescripcion WHERE id_desc_det = ?"), {idDesc}};
    return s;
}

QList<TFormDALU::Sentencia> TFormDALU::crearFilasActividad(const QVariant &idDesc, const QVariant &idObj,
                                                           const QVariant &act) const
{
    if (idObj.isNull() || act.isNull())
        return {};
    const QueryResult tipo = ConexionBDPpal->select(
        QStringLiteral("SELECT tiac_codigo, tiac_num, meto_codigo FROM tipoactividad_bn WHERE tabn_codigo = ?"), {act});
    const QVariantList t = tipo.rows.value(0);
    const ParametrosPorClase::Clase *clase = kParametros.clase(t.value(0));
    const Columnas *col = clase ? columnasDe(clase->codigo) : nullptr;
    if (!col)
        return {};
    const QVariant objetivo = valor(QStringLiteral("SELECT obj FROM dalu_obj WHERE Id_obj = ?"), {idObj});
    const QStringList rodales = numeros(valor(QStringLiteral("SELECT num FROM dalu_obj WHERE Id_obj = ?"), {idObj}).toString());
    const QVariant especies =
        valor(QStringLiteral("SELECT esp_dom FROM dalu_des_cua WHERE num = ?"), {rodales.value(0)});
    if (especies.isNull() || especies.toString().isEmpty())
        return {};
    QStringList columnas{QStringLiteral("id_desc_det"), QLatin1String(col->especie), QStringLiteral("obj")};
    QVariantList valores{idDesc, especies, objetivo};
    if (col->ordinal) {
        columnas << QLatin1String(col->ordinal);
        valores << t.value(1);
    }
    // A missing method is stored as such, not as a malformed statement.
    if (col->metodo && !(col->codigo == 80 && sinMetodo(act.toInt()))) {
        columnas << QLatin1String(col->metodo);
        valores << t.value(2);
    }
    return {ReglasFormulario::insercion(clase->tabla, columnas, valores)};
}

void TFormDALU::objetivoAntesDeBorrar(Dataset *ds)
{
    const QVariant id = ds->FieldByName(QStringLiteral("Id_obj"))->Value();
    for (const QString &t : kParametros.tablas()) {
        if (valor(QStringLiteral("SELECT count(*) FROM %1 WHERE ").arg(t) + kDeSusActividades, {id}).toInt() > 0)
            m_reglas.rechazarBorrado();
    }
}

QList<TFormDALU::Sentencia> TFormDALU::objetivoBorrado(const QVariant &id)
{
    return {
        {QStringLiteral("DELETE FROM dalu_prescripcion WHERE ") + kDeSusActividades, {id}},
        {QStringLiteral("DELETE FROM dalu_desc_det WHERE Id_obj = ?"), {id}},
        {QStringLiteral("DELETE FROM dalu_crit WHERE id_obj = ?"), {id}},
        {QStringLiteral("DELETE FROM dalu_desc WHERE id_obj = ?"), {id}},
    };
}
