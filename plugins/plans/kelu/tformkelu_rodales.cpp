// Stands and sectors: their numbers are the keys that the diagnosis tables, the measure
// rows and the management units (in comma lists) refer to. A number in use cannot be
// deleted; renaming one renames every use; the surfaces of the units and of the plan
// follow their stands and sectors.
#include "tformkelu.h"

#include "abort.h"
#include "chileantext.h"
#include "connection.h"
#include "dataset.h"
#include "dialogservice.h"
#include "field.h"
#include "reglasformulario.h"
#include "util_bbdd.h"

#include <tuple>

void TFormKELU::declararRodalesYSectores()
{
    // Stands (num) and sectors (num_sec) are named by the diagnosis rows, the measure rows
    // and, in comma lists, the management units.
    const QStringList rodal{QStringLiteral("fis"), QStringLiteral("hidr"), QStringLiteral("ocu_inc"),
                            QStringLiteral("rest_var"), QStringLiteral("mepr")};
    const QStringList sector{QStringLiteral("fis"), QStringLiteral("hidr"), QStringLiteral("mepr")};
    for (const auto &[sufijo, clave, usos] : {std::tuple{"desc", "num", rodal}, std::tuple{"det_sec", "num_sec", sector}}) {
        RelacionClave r;
        r.ds = tabla(QLatin1String(sufijo));
        r.tabla = QStringLiteral("kelu_") + QLatin1String(sufijo);
        r.clave = QLatin1String(clave);
        r.id = QStringLiteral("Id");
        for (const QString &uso : usos) {
            r.dependientes << Dependiente{QStringLiteral("kelu_") + uso, r.clave};
            r.refrescar << QStringLiteral("adtKELU_") + uso;
        }
        r.dependientes << Dependiente{QStringLiteral("kelu_obj"), r.clave, true};
        r.refrescar << QStringLiteral("adtKELU_obj");
        r.trasPost = [this](Dataset *) { recalcularUnidades(); };
        m_reglas.declararClave(r);
    }
}

double TFormKELU::SuperficieUnidad(const QString &rodales, const QString &sectores) const
{
    double total = 0;
    for (const auto &[lista, sql] : {std::pair{rodales, "SELECT 0+SUM(sup) FROM kelu_desc WHERE num IN (%1)"},
                                     std::pair{sectores, "SELECT 0+SUM(sup) FROM kelu_det_sec WHERE num_sec IN (%1)"}}) {
        QVariantList valores;
        for (const QString &n : numeros(lista))
            valores << n;
        if (valores.isEmpty())
            continue;
        const QString marcas = QStringList(valores.size(), QStringLiteral("?")).join(QLatin1Char(','));
        const QueryResult r = ConexionBD->select(QLatin1String(sql).arg(marcas), valores);
        if (!r.rows.isEmpty())
            total += r.rows.first().value(0).toDouble();
    }
    return total;
}

void TFormKELU::recalcularUnidades()
{
    const QueryResult unidades = ConexionBD->select(QStringLiteral("SELECT Id_obj, num, num_sec, sup_tot FROM kelu_obj"));
    QList<Sentencia> s;
    for (const QVariantList &u : unidades.rows) {
        const double sup = SuperficieUnidad(u.value(1).toString(), u.value(2).toString());
        if (u.value(3).isNull() || u.value(3).toDouble() != sup)
            s << Sentencia{QStringLiteral("UPDATE kelu_obj SET sup_tot = ? WHERE Id_obj = ?"), {sup, u.value(0)}};
    }
    if (!s.isEmpty() && escribir(s))
        refrescar(tabla(QStringLiteral("obj")));
    recalcularSupAfe();
}

void TFormKELU::recalcularSupAfe()
{
    Dataset *ppal = DatasetPpal;
    if (!ppal || !ppal->Active() || !ConexionBD || !ConexionBD->isOpen())
        return;
    const QueryResult r = ConexionBD->select(QStringLiteral("SELECT 0+SUM(sup_tot) FROM kelu_obj"));
    const QVariant suma = r.rows.isEmpty() ? QVariant() : r.rows.first().value(0);
    Field *supAfe = ppal->FieldByName(QStringLiteral("sup_afe"));
    if (supAfe->Value() == (suma.isNull() ? QVariant() : QVariant(suma.toDouble())))
        return;
    // Left in edit: the plan's main record is posted with the rest of the user's entry.
    catchAbort([ppal, supAfe, suma] {
        editar(ppal);
        if (suma.isNull())
            supAfe->Clear();
        else
            supAfe->setAsFloat(suma.toDouble());
    });
}

void TFormKELU::elegirRodales(const QString &campo, const QString &sql)
{
    Dataset *obj = tabla(QStringLiteral("obj"));
    Field *f = obj->FieldByName(campo);
    const QStringList actuales = numeros(f->AsString());
    const std::optional<QStringList> elegidos = elegirVarios(sql, actuales);
    if (!elegidos || *elegidos == actuales)
        return;
    catchAbort([&] {
        editar(obj);
        if (elegidos->isEmpty())
            f->Clear();
        else
            f->setAsString(elegidos->join(QStringLiteral(", ")));
        obj->FieldByName(QStringLiteral("sup_tot"))
            ->setAsFloat(SuperficieUnidad(obj->FieldByName(QStringLiteral("num"))->AsString(),
                                          obj->FieldByName(QStringLiteral("num_sec"))->AsString()));
    });
}
