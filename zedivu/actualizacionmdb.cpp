#include "actualizacionmdb.h"

#include "connection.h"
#include "sqlidentifier.h"
#include "transaction.h"

#include <QHash>

namespace {

using Paso = ActualizacionMDB::Paso;

// The old column types in this system's schema convention.
const QString kMemo = QStringLiteral("TEXT");
const QString kLogico = QStringLiteral("BOOLEAN");
const QString kDoble = QStringLiteral("DOUBLE");
const QString kEntero = QStringLiteral("INTEGER");

Paso columna(const QString &tabla, const QString &nombre, const QString &tipo, const QVariant &inicial = QVariant())
{
    return Paso{Paso::AgregarColumna, tabla, nombre, tipo, inicial, QString()};
}

QList<Paso> etapa1(const QString &codigo)
{
    const QString vacio = QStringLiteral("");
    static const QHash<QString, QList<Paso>> tabla = {
        {QStringLiteral("ZURI"), {columna("zuri", "act_for_obs", kMemo, vacio)}},
        {QStringLiteral("PRADU"),
         {Paso{Paso::CrearTabla, QStringLiteral("pradu_cbf"), QString(),
               QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT, num_cbf VARCHAR(60), fec_emi DATETIME, sup_bon DOUBLE"),
               QVariant(),
               QStringLiteral("INSERT INTO pradu_cbf (num_cbf, fec_emi, sup_bon) SELECT num_cbf, fec_emi, sup_bon FROM pradu")}}},
        {QStringLiteral("LOSMI"), {columna("losmi", "act_for_obs", kMemo, vacio), columna("losmi", "cfb_obs", kMemo, vacio)}},
        {QStringLiteral("DALU"),
         {columna("dalu_res_mue", "num_arb_t", kDoble, 0), columna("dalu_res_mue", "area_bas_t", kDoble, 0)}},
        {QStringLiteral("VELBO"), {columna("velbo_act_sil", "num_res", "VARCHAR(30)", vacio)}},
        {QStringLiteral("VORDA"),
         {columna("vorda_act", "num_res", "VARCHAR(30)", vacio), columna("vorda_otr", "num_res", "VARCHAR(30)", vacio)}},
        {QStringLiteral("NIRKA"), {columna("nirka", "act_for_obs", kMemo, vacio), columna("nirka", "cfb_obs", kMemo, vacio)}},
        {QStringLiteral("WIRO"), {columna("wiro_pro", "sexo", kEntero, 0), columna("wiro_rep", "sexo", kEntero, 0)}},
        {QStringLiteral("FERUN"),
         {columna("ferun_ces", "sexo", kEntero, 0), columna("ferun_pro", "sexo", kEntero, 0),
          columna("ferun_rep", "sexo", kEntero, 0)}},
        {QStringLiteral("DORVO"), {columna("dorvo_pro", "sexo", kEntero, 0), columna("dorvo_rep", "sexo", kEntero, 0)}},
        {QStringLiteral("BEXA"),
         {columna("bexa", "obs", kMemo, vacio), columna("bexa_pro", "sexo", kEntero, 0),
          columna("bexa_rep", "sexo", kEntero, 0)}},
    };
    return tabla.value(codigo);
}

QList<Paso> etapa2(const QString &codigo)
{
    static const QHash<QString, QList<Paso>> tabla = {
        {QStringLiteral("KELU"),
         {columna("kelu", "resJud_tiene", kLogico, 0), columna("kelu", "resJud_desc", kMemo, QStringLiteral(""))}},
        {QStringLiteral("DALU"),
         {columna("dalu", "resJud_tiene", kLogico, 0), columna("dalu", "resJud_desc", kMemo, QStringLiteral(""))}},
        {QStringLiteral("ZURI"),
         {columna("zuri_car_for", "cerco_repara", kDoble), columna("zuri_car_for", "seguro_for", kDoble),
          columna("zuri_car_for", "subsolado", kEntero)}},
        {QStringLiteral("LOSMI"),
         {columna("losmi_act_for", "cerco_repara", kDoble), columna("losmi_cfb", "cerco_repara", kDoble),
          columna("losmi_cfb", "seguro_for", kDoble), columna("losmi_cfb", "subsolado", kEntero)}},
        {QStringLiteral("NIRKA"),
         {columna("nirka_for", "cerco_repara", kDoble), columna("nirka_certfutbon", "cerco_repara", kDoble),
          columna("nirka_certfutbon", "seguro_for", kDoble), columna("nirka_certfutbon", "subsolado", kEntero)}},
        {QStringLiteral("BEXA"),
         {columna("bexa_bon", "cerco_repara", kDoble), columna("bexa_bon", "seguro_for", kDoble),
          columna("bexa_bon", "subsolado", kEntero)}},
        // PRADU and JOREV only widened text columns (num_cbf, ano_for, den; cond):
        // SQLite keeps text of any length, so there is nothing to do.
    };
    QList<Paso> pasos;
    // The request forms record whether each owner holds a usufruct.
    static const QStringList usufructo = {QStringLiteral("DORVO"), QStringLiteral("FERUN"), QStringLiteral("DUVI"),
                                          QStringLiteral("BEXA"), QStringLiteral("WIRO")};
    if (usufructo.contains(codigo))
        pasos << columna(codigo.toLower() + QStringLiteral("_pro"), QStringLiteral("usuf"), kLogico, 0);
    return pasos + tabla.value(codigo);
}

QList<Paso> etapa3(const QString &codigo)
{
    if (codigo == QLatin1String("MARPO"))
        return {Paso{Paso::CambiarTipo, QStringLiteral("marpo_resumen"), QStringLiteral("refor_sup"), kDoble, QVariant(), QString()}};
    return {};
}

bool fallo(QString *error, const QString &texto)
{
    if (error)
        *error = texto;
    return false;
}

bool existeTabla(Connection &c, const QString &tabla)
{
    const QueryResult r = c.select(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
                                   {tabla});
    return r.ok && !r.rows.isEmpty() && r.rows.first().value(0).toLongLong() > 0;
}

bool existeColumna(Connection &c, const QString &tabla, const QString &columna)
{
    const QueryResult r = c.select(QStringLiteral("SELECT COUNT(*) FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE"),
                                   {tabla, columna});
    return r.ok && !r.rows.isEmpty() && r.rows.first().value(0).toLongLong() > 0;
}

bool nombresValidos(const Paso &p, QString *error)
{
    if (!SqlIdentifier::isValid(p.tabla) || (!p.columna.isEmpty() && !SqlIdentifier::isValid(p.columna)))
        return fallo(error, QStringLiteral("Nombre no válido: %1.%2").arg(p.tabla, p.columna));
    return true;
}

// --- the column definitions of a CREATE TABLE text, for changing one column's type

struct Tramo
{
    int inicio = -1;
    int fin = -1; // one past the end
};

// Skips a quoted name or string starting at i; returns the index after it.
int saltarCita(const QString &s, int i)
{
    const QChar abre = s[i];
    const QChar cierra = abre == QLatin1Char('[') ? QLatin1Char(']') : abre;
    for (++i; i < s.size(); ++i) {
        if (s[i] == cierra) {
            if (cierra != QLatin1Char(']') && i + 1 < s.size() && s[i + 1] == cierra) {
                ++i; // doubled quote inside
                continue;
            }
            return i + 1;
        }
    }
    return int(s.size());
}

bool esCita(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char('`') || c == QLatin1Char('[');
}

// The definitions between the outer parentheses, split at the commas of that level.
QList<Tramo> definiciones(const QString &sql)
{
    QList<Tramo> tramos;
    int nivel = 0;
    Tramo actual;
    for (int i = 0; i < sql.size();) {
        const QChar c = sql[i];
        if (esCita(c)) {
            i = saltarCita(sql, i);
            continue;
        }
        if (c == QLatin1Char('(')) {
            if (++nivel == 1)
                actual.inicio = i + 1;
        } else if (c == QLatin1Char(')')) {
            if (--nivel == 0) {
                actual.fin = i;
                tramos << actual;
                return tramos;
            }
        } else if (c == QLatin1Char(',') && nivel == 1) {
            actual.fin = i;
            tramos << actual;
            actual.inicio = i + 1;
        }
        ++i;
    }
    return {};
}

// Position and text of the word (or quoted name, or parenthesised group) at i.
Tramo palabra(const QString &s, int i)
{
    while (i < s.size() && s[i].isSpace())
        ++i;
    Tramo t;
    t.inicio = i;
    if (i >= s.size()) {
        t.fin = i;
    } else if (esCita(s[i])) {
        t.fin = saltarCita(s, i);
    } else if (s[i] == QLatin1Char('(')) {
        int nivel = 0;
        for (; i < s.size(); ++i) {
            if (s[i] == QLatin1Char('('))
                ++nivel;
            else if (s[i] == QLatin1Char(')') && --nivel == 0)
                break;
        }
        t.fin = qMin(i + 1, int(s.size()));
    } else {
        while (i < s.size() && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('_')))
            ++i;
        t.fin = qMax(i, t.inicio + 1);
    }
    return t;
}

QString nombreSinCitas(const QString &n)
{
    if (n.size() >= 2 && esCita(n[0]))
        return n.mid(1, n.size() - 2);
    return n;
}

// The CREATE TABLE text with the declared type of `columna` replaced; empty when the
// column is not there.
QString conTipo(const QString &sql, const QString &columna, const QString &tipo, bool *igual)
{
    static const QStringList restricciones = {
        QStringLiteral("CONSTRAINT"), QStringLiteral("PRIMARY"), QStringLiteral("NOT"), QStringLiteral("NULL"),
        QStringLiteral("UNIQUE"), QStringLiteral("CHECK"), QStringLiteral("DEFAULT"), QStringLiteral("COLLATE"),
        QStringLiteral("REFERENCES"), QStringLiteral("GENERATED"), QStringLiteral("AS")};
    for (const Tramo &d : definiciones(sql)) {
        const Tramo nombre = palabra(sql, d.inicio);
        if (nombre.fin > d.fin
            || nombreSinCitas(sql.mid(nombre.inicio, nombre.fin - nombre.inicio)).compare(columna, Qt::CaseInsensitive) != 0)
            continue;
        Tramo tipoActual{nombre.fin, nombre.fin};
        for (Tramo w = palabra(sql, nombre.fin); w.fin <= d.fin && w.inicio < d.fin; w = palabra(sql, w.fin)) {
            if (restricciones.contains(sql.mid(w.inicio, w.fin - w.inicio).toUpper()))
                break;
            if (tipoActual.inicio == nombre.fin)
                tipoActual.inicio = w.inicio;
            tipoActual.fin = w.fin;
        }
        const QString antes = sql.mid(tipoActual.inicio, tipoActual.fin - tipoActual.inicio);
        *igual = antes.simplified().compare(tipo, Qt::CaseInsensitive) == 0;
        const QString relleno = tipoActual.inicio == nombre.fin ? QStringLiteral(" ") : QString();
        return sql.left(tipoActual.inicio) + relleno + tipo + sql.mid(tipoActual.fin);
    }
    return QString();
}

} // namespace

QList<int> ActualizacionMDB::etapas(const QString &version)
{
    static const QStringList hasta13 = {QStringLiteral("v1.0"), QStringLiteral("v1.1"), QStringLiteral("v1.2"),
                                        QStringLiteral("v1.3")};
    static const QStringList hasta15 = hasta13 + QStringList{QStringLiteral("v1.4"), QStringLiteral("v1.5")};
    static const QStringList hasta23 = hasta15 + QStringList{QStringLiteral("v2.0"), QStringLiteral("v2.1"),
                                                             QStringLiteral("v2.2"), QStringLiteral("v2.3")};
    QList<int> r;
    if (hasta13.contains(version))
        r << 1;
    if (hasta15.contains(version))
        r << 2;
    if (hasta23.contains(version))
        r << 3;
    return r;
}

QList<ActualizacionMDB::Paso> ActualizacionMDB::pasosEtapa(int etapa, const QString &codigo)
{
    switch (etapa) {
    case 1:
        return etapa1(codigo);
    case 2:
        return etapa2(codigo);
    case 3:
        return etapa3(codigo);
    default:
        return {};
    }
}

QList<ActualizacionMDB::Paso> ActualizacionMDB::pasos(const QString &codigo, const QString &version)
{
    QList<Paso> r;
    for (int etapa : etapas(version))
        r += pasosEtapa(etapa, codigo);
    return r;
}

bool ActualizacionMDB::ejecutar(Connection &conexion, const QList<Paso> &pasos, QString *error)
{
    QList<const Paso *> porIniciar;
    // A stage's new columns get their first values once all its columns are in place.
    auto iniciar = [&]() {
        for (const Paso *p : std::as_const(porIniciar)) {
            const QString sql = QStringLiteral("UPDATE %1 SET %2 = ?").arg(SqlIdentifier::quoted(p->tabla),
                                                                          SqlIdentifier::quoted(p->columna));
            if (!conexion.exec(sql, {p->inicial}))
                return fallo(error, conexion.lastError().message);
        }
        porIniciar.clear();
        return true;
    };
    for (const Paso &p : pasos) {
        if (!nombresValidos(p, error))
            return false;
        switch (p.tipo) {
        case Paso::AgregarColumna:
            if (existeColumna(conexion, p.tabla, p.columna))
                break;
            if (!conexion.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                   .arg(SqlIdentifier::quoted(p.tabla), SqlIdentifier::quoted(p.columna), p.definicion)))
                return fallo(error, conexion.lastError().message);
            if (p.inicial.isValid())
                porIniciar << &p;
            break;
        case Paso::CrearTabla:
            if (!iniciar())
                return false;
            if (existeTabla(conexion, p.tabla))
                break;
            if (!conexion.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(SqlIdentifier::quoted(p.tabla), p.definicion))
                || (!p.copia.isEmpty() && !conexion.exec(p.copia)))
                return fallo(error, conexion.lastError().message);
            break;
        case Paso::CambiarTipo:
            if (!iniciar() || !cambiarTipoColumna(conexion, p.tabla, p.columna, p.definicion, error))
                return false;
            break;
        }
    }
    return iniciar();
}

bool ActualizacionMDB::actualizar(const QString &mdb, const QString &codigo, const QString &version, QString *error)
{
    const QList<Paso> lista = pasos(codigo, version);
    if (lista.isEmpty())
        return true;
    Connection conexion;
    if (!conexion.open(mdb, Connection::ReadWrite))
        return fallo(error, conexion.lastError().message);
    return ejecutar(conexion, lista, error);
}

bool ActualizacionMDB::cambiarTipoColumna(Connection &conexion, const QString &tabla, const QString &columna,
                                          const QString &tipo, QString *error)
{
    if (!SqlIdentifier::isValid(tabla) || !SqlIdentifier::isValid(columna))
        return fallo(error, QStringLiteral("Nombre no válido: %1.%2").arg(tabla, columna));
    const QueryResult t = conexion.select(
        QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"), {tabla});
    if (!t.ok)
        return fallo(error, t.error.message);
    if (t.rows.isEmpty())
        return fallo(error, QStringLiteral("no such table: %1").arg(tabla));
    const QString nombre = t.rows.first().value(0).toString();
    const QString sql = t.rows.first().value(1).toString();
    bool igual = false;
    const QString nuevoSql = conTipo(sql, columna, tipo, &igual);
    if (nuevoSql.isEmpty())
        return fallo(error, QStringLiteral("no such column: %1.%2").arg(tabla, columna));
    if (igual)
        return true;

    const QueryResult anexos = conexion.select(
        QStringLiteral("SELECT sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND tbl_name = ? AND sql IS NOT NULL"),
        {nombre});
    if (!anexos.ok)
        return fallo(error, anexos.error.message);

    // The usual rebuild: a new table under a temporary name, the rows copied (the new
    // column's type converts what it can), the old one dropped and the new one renamed.
    const QString temporal = nombre + QStringLiteral("__tipo");
    const int parentesis = int(nuevoSql.indexOf(QLatin1Char('(')));
    Transaction tr(conexion);
    if (!tr.isActive())
        return fallo(error, conexion.lastError().message);
    bool ok = conexion.exec(QStringLiteral("CREATE TABLE %1 %2").arg(SqlIdentifier::quoted(temporal), nuevoSql.mid(parentesis)))
              && conexion.exec(QStringLiteral("INSERT INTO %1 SELECT * FROM %2")
                                   .arg(SqlIdentifier::quoted(temporal), SqlIdentifier::quoted(nombre)))
              && conexion.exec(QStringLiteral("DROP TABLE %1").arg(SqlIdentifier::quoted(nombre)))
              && conexion.exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2")
                                   .arg(SqlIdentifier::quoted(temporal), SqlIdentifier::quoted(nombre)));
    for (int i = 0; ok && i < anexos.rows.size(); ++i)
        ok = conexion.exec(anexos.rows[i].value(0).toString());
    if (!ok)
        return fallo(error, conexion.lastError().message);
    if (!tr.commit())
        return fallo(error, conexion.lastError().message);
    return true;
}
