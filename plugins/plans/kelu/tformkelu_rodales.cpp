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
#include "util_bbdd.h"

#include <QSet>

namespace {

// Where a stand's (num) or a sector's (num_sec) number is used.
struct Usos
{
    QList<std::pair<QString, QString>> columnas; // table, column holding one number
    QString lista;                               // column of kelu_obj holding a comma list
    QStringList refrescar;                       // datasets (suffixes) showing them
};

const Usos &usosDe(const QString &clave)
{
    static const Usos rodal{{{QStringLiteral("kelu_fis"), QStringLiteral("num")},
                             {QStringLiteral("kelu_hidr"), QStringLiteral("num")},
                             {QStringLiteral("kelu_ocu_inc"), QStringLiteral("num")},
                             {QStringLiteral("kelu_rest_var"), QStringLiteral("num")},
                             {QStringLiteral("kelu_mepr"), QStringLiteral("num")}},
                            QStringLiteral("num"),
                            {QStringLiteral("fis"), QStringLiteral("hidr"), QStringLiteral("ocu_inc"),
                             QStringLiteral("rest_var"), QStringLiteral("mepr"), QStringLiteral("obj")}};
    static const Usos sector{{{QStringLiteral("kelu_fis"), QStringLiteral("num_sec")},
                              {QStringLiteral("kelu_hidr"), QStringLiteral("num_sec")},
                              {QStringLiteral("kelu_mepr"), QStringLiteral("num_sec")}},
                             QStringLiteral("num_sec"),
                             {QStringLiteral("fis"), QStringLiteral("hidr"), QStringLiteral("mepr"), QStringLiteral("obj")}};
    return clave == QLatin1String("num") ? rodal : sector;
}

// The numbers of a comma list, trimmed, empty entries left out.
QStringList numeros(const QString &lista)
{
    QStringList r;
    for (const QString &n : lista.split(QLatin1Char(',')))
        if (!n.trimmed().isEmpty())
            r << n.trimmed();
    return r;
}

} // namespace

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

bool TFormKELU::rodalEnUso(const QString &clave, const QString &numero) const
{
    const Usos &u = usosDe(clave);
    for (const auto &[t, c] : u.columnas) {
        if (Asercion(ConexionBD, QStringLiteral("FROM %1 WHERE %2 = ?").arg(t, c), {numero}))
            return true;
    }
    const QueryResult listas = ConexionBD->select(QStringLiteral("SELECT %1 FROM kelu_obj").arg(u.lista));
    for (const QVariantList &fila : listas.rows) {
        if (numeros(fila.value(0).toString()).contains(numero))
            return true;
    }
    return false;
}

void TFormKELU::rodalAntesDePost(Dataset *ds, const QString &clave)
{
    const PostEnCurso p = m_posts.value(ds);
    const QString anterior = p.anterior.toString();
    if (p.insercion || anterior.isEmpty() || anterior == ds->FieldByName(clave)->AsString()
        || !rodalEnUso(clave, anterior))
        return;
    if (Dialogo(mtConfirmation,
                QStringLiteral("Esta Modificación cambiará todos los campos relacionados ¿Está seguro de modificar este registro?"),
                MB::YESNO)
        != ID::YES) {
        m_posts.remove(ds);
        Abort();
    }
}

void TFormKELU::rodalTrasPost(Dataset *ds, const QString &clave)
{
    const PostEnCurso p = m_posts.take(ds);
    const QString anterior = p.anterior.toString();
    const QString nuevo = ds->FieldByName(clave)->AsString();
    if (!p.insercion && !anterior.isEmpty() && anterior != nuevo) {
        const Usos &u = usosDe(clave);
        QList<Sentencia> s;
        for (const auto &[t, c] : u.columnas)
            s << Sentencia{QStringLiteral("UPDATE %1 SET %2 = ? WHERE %2 = ?").arg(t, c), {nuevo, anterior}};
        const QueryResult listas = ConexionBD->select(QStringLiteral("SELECT Id_obj, %1 FROM kelu_obj").arg(u.lista));
        for (const QVariantList &fila : listas.rows) {
            QStringList lista = numeros(fila.value(1).toString());
            if (!lista.contains(anterior))
                continue;
            lista.replace(lista.indexOf(anterior), nuevo);
            s << Sentencia{QStringLiteral("UPDATE kelu_obj SET %1 = ? WHERE Id_obj = ?").arg(u.lista),
                           {lista.join(QStringLiteral(", ")), fila.value(0)}};
        }
        if (escribir(s)) {
            for (const QString &sufijo : u.refrescar)
                refrescar(tabla(sufijo));
        }
    }
    recalcularUnidades();
}

void TFormKELU::rodalAntesDeBorrar(Dataset *ds, const QString &clave)
{
    const QString numero = ds->FieldByName(clave)->AsString();
    if (!numero.isEmpty() && rodalEnUso(clave, numero))
        rechazarBorrado();
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
