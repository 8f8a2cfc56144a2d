// Activities of a management unit and their parameter rows: each activity owns at most
// one row in the parameter table of its class (afforestation, pruning, thinning, harvest,
// reforestation), made when the activity is entered and made again when its code changes.
#include "tformkelu.h"

#include "connection.h"
#include "dataset.h"
#include "field.h"
#include "util_bbdd.h"

namespace {

// The parameter table of each activity class, and what its new row starts with.
struct Clase
{
    int codigo;
    const char *tabla;
    const char *sufijo;
    bool especie; // the species of the unit's first stand
    bool ordinal; // the activity's ordinal (first, second pruning ...)
};

constexpr Clase kClases[] = {
    {30, "kelu_for", "for", true, false},  {50, "kelu_poda", "poda", true, true}, {60, "kelu_ral", "ral", true, true},
    {70, "kelu_cor", "cor", true, false}, {90, "kelu_ref", "ref", false, false},
};

const Clase *claseDe(int codigo)
{
    for (const Clase &c : kClases)
        if (c.codigo == codigo)
            return &c;
    return nullptr;
}

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
    const PostEnCurso p = m_reglas.tomarPost(ds);
    const QVariant idDesc = ds->FieldByName(QStringLiteral("Id_desc"))->Value();
    const QVariant act = ds->FieldByName(QStringLiteral("act"))->Value();
    if (!p.insercion && p.anterior == act)
        return;
    QList<Sentencia> s;
    if (!p.insercion)
        s = borrarFilasActividad(idDesc);
    s << crearFilaActividad(idDesc, ds->FieldByName(QStringLiteral("Id_obj"))->Value(), act);
    if (escribir(s))
        refrescarParametros();
}

QList<TFormKELU::Sentencia> TFormKELU::crearFilaActividad(const QVariant &idDesc, const QVariant &idObj,
                                                          const QVariant &act) const
{
    if (idObj.isNull() || act.isNull())
        return {};
    const QueryResult tipo = ConexionBDPpal->select(
        QStringLiteral("SELECT tiac_codigo, tiac_num FROM tipoactividad_pl WHERE tapl_codigo = ?"), {act});
    const Clase *clase = tipo.rows.isEmpty() ? nullptr : claseDe(tipo.rows.first().value(0).toInt());
    if (!clase)
        return {};
    const QueryResult unidad =
        ConexionBD->select(QStringLiteral("SELECT num, unidad FROM kelu_obj WHERE Id_obj = ?"), {idObj});
    const QVariantList u = unidad.rows.value(0);
    QStringList columnas{QStringLiteral("Id_desc"), QStringLiteral("unidad")};
    QVariantList valores{idDesc, u.value(1)};
    if (clase->especie) {
        const QString primero = u.value(0).toString().section(QLatin1Char(','), 0, 0).trimmed();
        columnas << QStringLiteral("esp");
        valores << Consulta(ConexionBD, QStringLiteral("SELECT esp FROM kelu_desc WHERE num = ?"), {primero});
    }
    if (clase->ordinal) {
        columnas << (clase->codigo == 50 ? QStringLiteral("num_poda") : QStringLiteral("num_raleo"));
        valores << tipo.rows.first().value(1).toString();
    }
    const QString marcas = QStringList(valores.size(), QStringLiteral("?")).join(QLatin1Char(','));
    return {{QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                 .arg(QLatin1String(clase->tabla), columnas.join(QLatin1Char(',')), marcas),
             valores}};
}

QList<TFormKELU::Sentencia> TFormKELU::borrarFilasActividad(const QVariant &idDesc)
{
    // Every class's table: a row left in another class by an older code goes as well.
    QList<Sentencia> s;
    for (const Clase &c : kClases)
        s << Sentencia{QStringLiteral("DELETE FROM %1 WHERE Id_desc = ?").arg(QLatin1String(c.tabla)), {idDesc}};
    return s;
}

void TFormKELU::refrescarParametros()
{
    for (const Clase &c : kClases)
        refrescar(tabla(QLatin1String(c.sufijo)));
}
