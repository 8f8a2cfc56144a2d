// Restrictions of the natural environment and their protection measures: a restriction
// row owns one measure row per kind of restriction it states, in which the user writes
// the measure. After every post the measure rows follow the row: kinds no longer stated
// go, new kinds come with an empty measure, kinds that remain keep what was written.
#include "tformkelu.h"

#include "dataset.h"
#include "field.h"

void TFormKELU::restriccionTrasPost(Dataset *ds)
{
    auto presente = [ds](const char *campo) {
        const Field *f = ds->FieldByName(QLatin1String(campo));
        return !f->IsNull() && !f->AsString().trimmed().isEmpty();
    };
    // Kinds in the order their rows are made: topography, flora, fauna, water, soil.
    // Water code 47 is "Sin recursos hídricos".
    QList<int> tipos;
    if (presente("top"))
        tipos << 54;
    if (presente("esp_flora"))
        tipos << 55;
    if (presente("esp_fauna"))
        tipos << 56;
    if (ds->FieldByName(QStringLiteral("rec_hid"))->AsString().trimmed() != QLatin1String("47"))
        tipos << 52;
    if (presente("suelo"))
        tipos << 53;

    const QVariant id = ds->FieldByName(QStringLiteral("Id"))->Value();
    const QVariant num = ds->FieldByName(QStringLiteral("num"))->Value();
    QVariantList quedan{id};
    for (int t : tipos)
        quedan << t;
    const QString marcas = QStringList(tipos.size(), QStringLiteral("?")).join(QLatin1Char(','));
    QList<Sentencia> s{
        {tipos.isEmpty() ? QStringLiteral("DELETE FROM kelu_mepr WHERE id_restVar = ?")
                         : QStringLiteral("DELETE FROM kelu_mepr WHERE id_restVar = ? AND tip_rest NOT IN (%1)").arg(marcas),
         quedan},
        {QStringLiteral("UPDATE kelu_mepr SET num = ? WHERE id_restVar = ? AND num IS NOT ?"), {num, id, num}}};
    for (int t : tipos)
        s << Sentencia{QStringLiteral("INSERT INTO kelu_mepr (id_restVar, num, tip_rest) SELECT ?, ?, ? WHERE NOT EXISTS "
                                      "(SELECT 1 FROM kelu_mepr WHERE id_restVar = ? AND tip_rest = ?)"),
                       {id, num, t, id, t}};
    if (escribir(s))
        refrescar(tabla(QStringLiteral("mepr")));
}
