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

struct Clase
{
    int codigo;
    const char *tabla;
    const char *sufijo;
    const char *especie; // the column of the species of the objective's first stand
    const char *ordinal; // the column of the activity's ordinal (first, second thinning ...)
    const char *metodo;  // the column of the activity's method or cut type
};

constexpr Clase kClases[] = {
    {40, "dalu_cor_int", "cor_int", "esp", "num_raleo", "tip_cor"},
    {50, "dalu_pod", "pod", "esp", "num_poda", nullptr},
    {80, "dalu_cor_reg", "cor_reg", "esp_fav", nullptr, "met"},
    {90, "dalu_reg_ref", "reg_ref", "esp", nullptr, "met"},
    {130, "dalu_est_reg", "est_reg", "esp", nullptr, nullptr},
};

// The secondary and the final protection cut have no regeneration method.
bool sinMetodo(int actividad)
{
    return actividad == 29 || actividad == 34;
}

const Clase *claseDe(const QVariant &codigo)
{
    for (const Clase &c : kClases) {
        if (!codigo.isNull() && c.codigo == codigo.toInt())
            return &c;
    }
    return nullptr;
}

// The parameter rows of the activities of an objective.
const QString kDeSusActividades = QStringLiteral("id_desc_det IN (SELECT Id_desc_det FROM dalu_desc_det WHERE Id_obj = ?)");

} // namespace

void TFormDALU::actividadTrasPost(Dataset *ds)
{
    const ReglasFormulario::PostEnCurso p = m_reglas.tomarPost(ds);
    const QVariant idDesc = ds->FieldByName(QStringLiteral("Id_desc_det"))->Value();
    const QVariant act = ds->FieldByName(QStringLiteral("act"))->Value();
    if (!p.insercion && p.anterior == act)
        return;
    QList<Sentencia> s;
    if (!p.insercion)
        s = borrarFilasActividad(idDesc);
    s << crearFilasActividad(idDesc, ds->FieldByName(QStringLiteral("Id_obj"))->Value(), act);
    if (m_reglas.escribir(s))
        refrescarParametros();
}

QList<TFormDALU::Sentencia> TFormDALU::actividadBorrada(const QVariant &idDesc)
{
    QList<Sentencia> s = borrarFilasActividad(idDesc);
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
    const Clase *clase = claseDe(t.value(0));
    if (!clase)
        return {};
    const QVariant objetivo = valor(QStringLiteral("SELECT obj FROM dalu_obj WHERE Id_obj = ?"), {idObj});
    const QStringList rodales = numeros(valor(QStringLiteral("SELECT num FROM dalu_obj WHERE Id_obj = ?"), {idObj}).toString());
    const QVariant especies =
        valor(QStringLiteral("SELECT esp_dom FROM dalu_des_cua WHERE num = ?"), {rodales.value(0)});
    if (especies.isNull() || especies.toString().isEmpty())
        return {};
    QStringList columnas{QStringLiteral("id_desc_det"), QLatin1String(clase->especie), QStringLiteral("obj")};
    QVariantList valores{idDesc, especies, objetivo};
    if (clase->ordinal) {
        columnas << QLatin1String(clase->ordinal);
        valores << t.value(1);
    }
    // A missing method is stored as such, not as a malformed statement.
    if (clase->metodo && !(clase->codigo == 80 && sinMetodo(act.toInt()))) {
        columnas << QLatin1String(clase->metodo);
        valores << t.value(2);
    }
    const QString marcas = QStringList(valores.size(), QStringLiteral("?")).join(QLatin1Char(','));
    return {{QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                 .arg(QLatin1String(clase->tabla), columnas.join(QLatin1Char(',')), marcas),
             valores}};
}

QList<TFormDALU::Sentencia> TFormDALU::borrarFilasActividad(const QVariant &idDesc)
{
    // Every class's table: a row left in another class by an older code goes as well.
    QList<Sentencia> s;
    for (const Clase &c : kClases)
        s << Sentencia{QStringLiteral("DELETE FROM %1 WHERE id_desc_det = ?").arg(QLatin1String(c.tabla)), {idDesc}};
    return s;
}

void TFormDALU::refrescarParametros()
{
    for (const Clase &c : kClases)
        ReglasFormulario::refrescar(tabla(QLatin1String(c.sufijo)));
}

void TFormDALU::objetivoAntesDeBorrar(Dataset *ds)
{
    const QVariant id = ds->FieldByName(QStringLiteral("Id_obj"))->Value();
    for (const Clase &c : kClases) {
        if (valor(QStringLiteral("SELECT count(*) FROM %1 WHERE ").arg(QLatin1String(c.tabla)) + kDeSusActividades, {id}).toInt() > 0)
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
