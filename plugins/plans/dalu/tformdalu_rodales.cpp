// Stands: `num` of dalu_car is the key of the per-stand tables and of the stand lists of
// the objectives and of the protected flora (a key relation of the framework). A new
// stand gets its row in each per-stand table; a renamed one is renamed everywhere; a stand
// still named by hydrography, an objective or a flora row cannot be deleted, and a deleted
// one leaves no row behind. The plan's affected surface and the objectives' surfaces
// follow the stands'.
#include "tformdalu.h"

#include "abort.h"
#include "connection.h"
#include "dataset.h"
#include "dbedit.h"
#include "field.h"
#include "formcomponents.h"

#include <QScopeGuard>

namespace {

// The tables that hold one row per stand, made with the stand, in this order; `sup`
// says the row starts with the stand's surface.
struct PorRodal
{
    const char *tabla;
    bool sup;
};

constexpr PorRodal kPorRodal[] = {
    {"dalu_res_inv", false}, {"dalu_res_gral", true}, {"dalu_fis", false},  {"dalu_tab_rod", false},
    {"dalu_des_cua", true},  {"dalu_res_mue", false}, {"dalu_car_reg", false}, {"dalu_rest", false},
    {"dalu_inventario", false},
};

// Further rows of the stand's own, kept with it but not made by it.
constexpr const char *kTambienPropias[] = {"dalu_car_inv", "dalu_mepr"};

// The datasets showing what a stand's change writes.
const QStringList kAfectados = {
    QStringLiteral("adtDALU_res_inv"),     QStringLiteral("adtDALU_res_gral"),   QStringLiteral("adtDALU_fis"),
    QStringLiteral("adtDALU_tab_rod"),     QStringLiteral("adtDALU_des_cua"),    QStringLiteral("adtDALU_res_mue"),
    QStringLiteral("adtDALU_car_reg"),     QStringLiteral("adtDALU_rest"),       QStringLiteral("adtDALU_inventario"),
    QStringLiteral("adtDALU_hid"),         QStringLiteral("adtDALU_car_inv"),    QStringLiteral("adtDALU_mepr"),
    QStringLiteral("adtDALU_obj"),         QStringLiteral("adtDALU_flo"),        QStringLiteral("adtDALU_tab_rod_det"),
    QStringLiteral("adtDALU_est_var"),     QStringLiteral("adtDALU_inv_parcela"), QStringLiteral("adtDALU_parcela"),
};

} // namespace

void TFormDALU::enlazarRodales()
{
    // Hydrography, the objectives' and the flora's lists name a stand: while they do it
    // cannot be deleted. Its rows in the per-stand tables are its own: renamed and deleted
    // with it, with what hangs from its stand table and its inventory.
    RelacionClave r{tabla(QStringLiteral("car")), QStringLiteral("dalu_car"), QStringLiteral("num"), QStringLiteral("Id"),
                    {{QStringLiteral("dalu_hid"), QStringLiteral("num")},
                     {QStringLiteral("dalu_obj"), QStringLiteral("num"), true},
                     {QStringLiteral("dalu_flo"), QStringLiteral("rod"), true}},
                    RelacionClave::Borrado::Rechazar, false, kAfectados,
                    [this](Dataset *d) { rodalTrasPost(d); },
                    {QStringLiteral("DELETE FROM dalu_tab_rod_det WHERE Id_tab_rod IN (SELECT Id_tab_rod FROM dalu_tab_rod WHERE num = ?)"),
                     QStringLiteral("DELETE FROM dalu_est_var WHERE Id_tab_rod IN (SELECT Id_tab_rod FROM dalu_tab_rod WHERE num = ?)"),
                     QStringLiteral("DELETE FROM dalu_parcela WHERE id_inv_parc IN (SELECT p.id_inv_parc FROM dalu_inv_parcela p, "
                                    "dalu_inventario i WHERE p.id_inv = i.id_inv AND i.num = ?)"),
                     QStringLiteral("DELETE FROM dalu_inv_parcela WHERE id_inv IN (SELECT id_inv FROM dalu_inventario WHERE num = ?)")}};
    for (const PorRodal &t : kPorRodal)
        r.dependientes << Dependiente{QLatin1String(t.tabla), QStringLiteral("num"), false, true};
    for (const char *t : kTambienPropias)
        r.dependientes << Dependiente{QLatin1String(t), QStringLiteral("num"), false, true};
    m_reglas.declararClave(r);
    // The plan's surface follows its stands when one goes too.
    Dataset *car = r.ds;
    const Dataset::Event trasBorrar = car->AfterDelete;
    car->AfterDelete = [this, trasBorrar](Dataset *d) {
        trasBorrar(d);
        recalcularSupAfe();
    };
}

double TFormDALU::SuperficieRodales(const QStringList &rodales) const
{
    if (rodales.isEmpty() || !ConexionBD || !ConexionBD->isOpen())
        return 0;
    QVariantList valores;
    for (const QString &n : rodales)
        valores << n;
    const QString marcas = QStringList(valores.size(), QStringLiteral("?")).join(QLatin1Char(','));
    return valor(QStringLiteral("SELECT total(sup) FROM dalu_car WHERE num IN (%1)").arg(marcas), valores).toDouble();
}

void TFormDALU::rodalTrasPost(Dataset *ds)
{
    // A stand without its per-stand rows (a new one) gets them; the general summary keeps
    // its surface.
    const QString num = ds->FieldByName(QStringLiteral("num"))->AsString();
    const QVariant sup = ds->FieldByName(QStringLiteral("sup"))->Value();
    const bool nuevo = valor(QStringLiteral("SELECT count(*) FROM dalu_fis WHERE num = ?"), {num}).toInt() == 0;
    QList<Sentencia> s;
    if (nuevo) {
        for (const PorRodal &t : kPorRodal) {
            s << (t.sup ? Sentencia{QStringLiteral("INSERT INTO %1 (num, sup) VALUES (?, ?)").arg(QLatin1String(t.tabla)), {num, sup}}
                        : Sentencia{QStringLiteral("INSERT INTO %1 (num) VALUES (?)").arg(QLatin1String(t.tabla)), {num}});
        }
    }
    s << Sentencia{QStringLiteral("UPDATE dalu_res_gral SET sup = ? WHERE num = ?"), {sup, num}};
    if (m_reglas.escribir(s))
        m_reglas.refrescar(kAfectados);
    if (nuevo)
        refrescarInventario();
    recalcularObjetivos();
    recalcularSupAfe();
}

void TFormDALU::refrescarInventario()
{
    // Re-posting the sampling characteristics brings every stand's inventory parameters
    // up to date, the new stand's among them.
    Dataset *inv = tabla(QStringLiteral("car_inv"));
    if (!inv || !inv->Active() || inv->IsEmpty())
        return;
    const auto restaurar = qScopeGuard([this, guardando = Guardando] { Guardando = guardando; });
    Guardando = true;
    catchAbort([inv] {
        ReglasFormulario::editar(inv);
        Field *tipo = inv->FieldByName(QStringLiteral("lumo_tip_mue"));
        tipo->setValue(tipo->Value());
        inv->Post();
    });
}

void TFormDALU::recalcularSupAfe()
{
    // Left in edit: the plan's main record is posted with the rest of the user's entry.
    m_reglas.sumaEnPrincipal(QStringLiteral("SELECT total(sup) FROM dalu_car"), QStringLiteral("sup_afe"));
}

void TFormDALU::recalcularObjetivos()
{
    const QueryResult r = ConexionBD->select(QStringLiteral("SELECT Id_obj, num, sup FROM dalu_obj"));
    QList<Sentencia> s;
    for (const QVariantList &o : r.rows) {
        const double sup = SuperficieRodales(numeros(o.value(1).toString()));
        if (o.value(2).isNull() || o.value(2).toDouble() != sup)
            s << Sentencia{QStringLiteral("UPDATE dalu_obj SET sup = ? WHERE Id_obj = ?"), {sup, o.value(0)}};
    }
    if (!s.isEmpty() && m_reglas.escribir(s))
        ReglasFormulario::refrescar(tabla(QStringLiteral("obj")));
}

void TFormDALU::elegirRodales(Dataset *ds, const QString &campo)
{
    m_reglas.elegirLista(ds, campo, QStringLiteral("SELECT num FROM dalu_car ORDER BY Id"));
}

void TFormDALU::descripcionDelRodal()
{
    Dataset *car = tabla(QStringLiteral("car"));
    Dataset *cualitativa = tabla(QStringLiteral("des_cua"));
    if (!car || !cualitativa || !car->Active() || !cualitativa->Active() || car->IsEmpty())
        return;
    const QVariant num = car->FieldByName(QStringLiteral("num"))->Value();
    if (cualitativa->FieldByName(QStringLiteral("num"))->Value() != num)
        catchAbort([cualitativa, &num] { cualitativa->Locate(QStringLiteral("num"), num); });
}

void TFormDALU::rodalDelObjetivo()
{
    Dataset *car = tabla(QStringLiteral("car"));
    Dataset *obj = tabla(QStringLiteral("obj"));
    if (!car || !obj || !car->Active() || !obj->Active() || obj->State() != DatasetState::Browse)
        return;
    const QString num = car->IsEmpty() ? QString() : car->FieldByName(QStringLiteral("num"))->AsString();
    const QueryResult r = ConexionBD->select(QStringLiteral("SELECT Id_obj, num FROM dalu_obj ORDER BY Id_obj"));
    for (const QVariantList &fila : r.rows) {
        if (!num.isEmpty() && numeros(fila.value(1).toString()).contains(num)) {
            obj->Locate(QStringLiteral("Id_obj"), fila.value(0));
            return;
        }
    }
    // No objective names the stand: the page shows none.
    if (auto *edit = findComponent<DBEdit>(this, QStringLiteral("edt_obj_rodal")))
        edit->clear();
}
