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
    m_reglas.sumaEnPrincipal(QStringLiteral("SELECT 0+SUM(sup_tot) FROM kelu_obj"), QStringLiteral("sup_afe"));
}

void TFormKELU::elegirRodales(const QString &campo, const QString &sql)
{
    Dataset *obj = tabla(QStringLiteral("obj"));
    if (!m_reglas.elegirLista(obj, campo, sql))
        return;
    catchAbort([&] {
        obj->FieldByName(QStringLiteral("sup_tot"))
            ->setAsFloat(SuperficieUnidad(obj->FieldByName(QStringLiteral("num"))->AsString(),
                                          obj->FieldByName(QStringLiteral("num_sec"))->AsString()));
    });
}
