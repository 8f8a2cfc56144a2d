// Stands: `num` of dalu_car is the key of the per-stand tables and of the stand lists of
// the objectives and of the protected flora. A new stand gets its row in each per-stand
// table; a renamed one is renamed everywhere; a stand still named by hydrography, an
// objective or a flora row cannot be deleted, and a deleted one leaves no row behind.
// The plan's affected surface and the objectives' surfaces follow the stands'.
#include "tformdalu.h"

#include "abort.h"
#include "connection.h"
#include "dataset.h"
#include "dbedit.h"
#include "dialogservice.h"
#include "entrada/tformmultiseleccion.h"
#include "field.h"
#include "formcomponents.h"

#include <QScopeGuard>

namespace {

// The tables that hold one row per stand, made with the stand, in this order; `sup`
// says the row starts with the stand's surface.
struct PorRodal
{
    const char *tabla;
    const char *sufijo;
    bool sup;
};

constexpr PorRodal kPorRodal[] = {
    {"dalu_res_inv", "res_inv", false}, {"dalu_res_gral", "res_gral", true}, {"dalu_fis", "fis", false},
    {"dalu_tab_rod", "tab_rod", false}, {"dalu_des_cua", "des_cua", true},   {"dalu_res_mue", "res_mue", false},
    {"dalu_car_reg", "car_reg", false}, {"dalu_rest", "rest", false},        {"dalu_inventario", "inventario", false},
};

// Further tables whose `num` names a stand: kept with it, never made by it.
constexpr const char *kTambienPorRodal[] = {"dalu_hid", "dalu_car_inv", "dalu_mepr"};

// Stand lists: table, list column, key column.
struct Lista
{
    const char *tabla;
    const char *columna;
    const char *clave;
};
constexpr Lista kListas[] = {{"dalu_obj", "num", "Id_obj"}, {"dalu_flo", "rod", "Id"}};

// The datasets showing what a stand's change writes.
const QStringList &afectados()
{
    static const QStringList s = [] {
        QStringList l;
        for (const PorRodal &t : kPorRodal)
            l << QLatin1String(t.sufijo);
        l << QStringLiteral("hid") << QStringLiteral("car_inv") << QStringLiteral("mepr") << QStringLiteral("obj")
          << QStringLiteral("flo") << QStringLiteral("tab_rod_det") << QStringLiteral("est_var")
          << QStringLiteral("inv_parcela") << QStringLiteral("parcela");
        return l;
    }();
    return s;
}

} // namespace

QStringList TFormDALU::Rodales(const QString &lista)
{
    QStringList r;
    for (const QString &n : lista.split(QLatin1Char(','))) {
        if (!n.trimmed().isEmpty())
            r << n.trimmed();
    }
    return r;
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

bool TFormDALU::rodalEnUso(const QString &numero) const
{
    if (valor(QStringLiteral("SELECT count(*) FROM dalu_hid WHERE num = ?"), {numero}).toInt() > 0)
        return true;
    for (const Lista &l : kListas) {
        const QueryResult r = ConexionBD->select(QStringLiteral("SELECT %1 FROM %2").arg(QLatin1String(l.columna), QLatin1String(l.tabla)));
        for (const QVariantList &fila : r.rows) {
            if (Rodales(fila.value(0).toString()).contains(numero))
                return true;
        }
    }
    return false;
}

void TFormDALU::rodalAntesDePost(Dataset *ds)
{
    const PostEnCurso p = m_posts.value(ds);
    const QString anterior = p.anterior.toString();
    if (p.insercion || anterior.isEmpty() || anterior == ds->FieldByName(QStringLiteral("num"))->AsString())
        return;
    if (Dialogo(mtConfirmation,
                QStringLiteral("Esta Modificación cambiará todos los campos relacionados ¿Está seguro de modificar este registro?"),
                MB::YESNO)
        != ID::YES) {
        m_posts.remove(ds);
        Abort();
    }
}

QList<TFormDALU::Sentencia> TFormDALU::renombrarRodal(const QString &anterior, const QString &nuevo) const
{
    QList<Sentencia> s;
    auto renombrar = [&](const char *tabla) {
        s << Sentencia{QStringLiteral("UPDATE %1 SET num = ? WHERE num = ?").arg(QLatin1String(tabla)), {nuevo, anterior}};
    };
    for (const PorRodal &t : kPorRodal)
        renombrar(t.tabla);
    for (const char *t : kTambienPorRodal)
        renombrar(t);
    // In a list only the whole item is renamed: "1, 12" with 1 renamed 3 is "3, 12".
    for (const Lista &l : kListas) {
        const QueryResult r = ConexionBD->select(
            QStringLiteral("SELECT %1, %2 FROM %3").arg(QLatin1String(l.clave), QLatin1String(l.columna), QLatin1String(l.tabla)));
        for (const QVariantList &fila : r.rows) {
            QStringList items = Rodales(fila.value(1).toString());
            if (!items.contains(anterior))
                continue;
            for (QString &item : items) {
                if (item == anterior)
                    item = nuevo;
            }
            s << Sentencia{QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?").arg(QLatin1String(l.tabla), QLatin1String(l.columna), QLatin1String(l.clave)),
                           {items.join(QStringLiteral(", ")), fila.value(0)}};
        }
    }
    return s;
}

void TFormDALU::rodalTrasPost(Dataset *ds)
{
    const PostEnCurso p = m_posts.take(ds);
    const QString num = ds->FieldByName(QStringLiteral("num"))->AsString();
    const QVariant sup = ds->FieldByName(QStringLiteral("sup"))->Value();
    QList<Sentencia> s;
    if (p.insercion) {
        for (const PorRodal &t : kPorRodal) {
            s << (t.sup ? Sentencia{QStringLiteral("INSERT INTO %1 (num, sup) VALUES (?, ?)").arg(QLatin1String(t.tabla)), {num, sup}}
                        : Sentencia{QStringLiteral("INSERT INTO %1 (num) VALUES (?)").arg(QLatin1String(t.tabla)), {num}});
        }
    } else {
        const QString anterior = p.anterior.toString();
        if (!anterior.isEmpty() && anterior != num)
            s << renombrarRodal(anterior, num);
        s << Sentencia{QStringLiteral("UPDATE dalu_res_gral SET sup = ? WHERE num = ?"), {sup, num}};
    }
    if (ejecutar(s)) {
        for (const QString &sufijo : afectados())
            releer(tabla(sufijo));
    }
    if (p.insercion)
        refrescarInventario();
    recalcularObjetivos();
    recalcularSupAfe();
}

void TFormDALU::rodalAntesDeBorrar(Dataset *ds)
{
    const QString numero = ds->FieldByName(QStringLiteral("num"))->AsString();
    if (!numero.isEmpty() && rodalEnUso(numero))
        rechazarBorrado();
}

void TFormDALU::rodalTrasBorrar(Dataset *ds)
{
    const QVariant num = m_borrados.value(ds);
    if (num.isNull())
        return;
    // Rows hanging from the stand's table and inventory go before those.
    QList<Sentencia> s{
        {QStringLiteral("DELETE FROM dalu_tab_rod_det WHERE Id_tab_rod IN (SELECT Id_tab_rod FROM dalu_tab_rod WHERE num = ?)"), {num}},
        {QStringLiteral("DELETE FROM dalu_est_var WHERE Id_tab_rod IN (SELECT Id_tab_rod FROM dalu_tab_rod WHERE num = ?)"), {num}},
        {QStringLiteral("DELETE FROM dalu_parcela WHERE id_inv_parc IN (SELECT p.id_inv_parc FROM dalu_inv_parcela p, "
                        "dalu_inventario i WHERE p.id_inv = i.id_inv AND i.num = ?)"),
         {num}},
        {QStringLiteral("DELETE FROM dalu_inv_parcela WHERE id_inv IN (SELECT id_inv FROM dalu_inventario WHERE num = ?)"), {num}},
    };
    for (const PorRodal &t : kPorRodal)
        s << Sentencia{QStringLiteral("DELETE FROM %1 WHERE num = ?").arg(QLatin1String(t.tabla)), {num}};
    for (const char *t : kTambienPorRodal)
        s << Sentencia{QStringLiteral("DELETE FROM %1 WHERE num = ?").arg(QLatin1String(t)), {num}};
    if (ejecutar(s)) {
        for (const QString &sufijo : afectados())
            releer(tabla(sufijo));
    }
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
        editar(inv);
        Field *tipo = inv->FieldByName(QStringLiteral("lumo_tip_mue"));
        tipo->setValue(tipo->Value());
        inv->Post();
    });
}

void TFormDALU::recalcularSupAfe()
{
    Dataset *ppal = DatasetPpal;
    if (!ppal || !ppal->Active() || !ConexionBD || !ConexionBD->isOpen())
        return;
    const double suma = valor(QStringLiteral("SELECT total(sup) FROM dalu_car")).toDouble();
    Field *supAfe = ppal->FieldByName(QStringLiteral("sup_afe"));
    if (!supAfe->IsNull() && supAfe->AsFloat() == suma)
        return;
    // Left in edit: the plan's main record is posted with the rest of the user's entry.
    catchAbort([ppal, supAfe, suma] {
        editar(ppal);
        supAfe->setAsFloat(suma);
    });
}

void TFormDALU::recalcularObjetivos()
{
    const QueryResult r = ConexionBD->select(QStringLiteral("SELECT Id_obj, num, sup FROM dalu_obj"));
    QList<Sentencia> s;
    for (const QVariantList &o : r.rows) {
        const double sup = SuperficieRodales(Rodales(o.value(1).toString()));
        if (o.value(2).isNull() || o.value(2).toDouble() != sup)
            s << Sentencia{QStringLiteral("UPDATE dalu_obj SET sup = ? WHERE Id_obj = ?"), {sup, o.value(0)}};
    }
    if (!s.isEmpty() && ejecutar(s))
        releer(tabla(QStringLiteral("obj")));
}

void TFormDALU::elegirRodales(Dataset *ds, const QString &campo)
{
    Field *f = ds->FieldByName(campo);
    const QStringList actuales = Rodales(f->AsString());
    const std::optional<QStringList> elegidos =
        MultiSeleccion(ConexionBD, QStringLiteral("SELECT num FROM dalu_car ORDER BY Id"), actuales, {}, this);
    if (!elegidos || *elegidos == actuales)
        return;
    catchAbort([&] {
        editar(ds);
        if (elegidos->isEmpty())
            f->Clear();
        else
            f->setAsString(elegidos->join(QStringLiteral(", ")));
    });
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
        if (!num.isEmpty() && Rodales(fila.value(1).toString()).contains(num)) {
            obj->Locate(QStringLiteral("Id_obj"), fila.value(0));
            return;
        }
    }
    // No objective names the stand: the page shows none.
    if (auto *edit = findComponent<DBEdit>(this, QStringLiteral("edt_obj_rodal")))
        edit->clear();
}
