#include "reglasformulario.h"

#include "abort.h"
#include "componentesformulario.h"
#include "connection.h"
#include "datasource.h"
#include "dialogservice.h"
#include "entrada/tformmultiseleccion.h"
#include "field.h"
#include "formcomponents.h"
#include "tcustommdichild.h"
#include "transaction.h"
#include "util_bbdd.h"

#include <QRegularExpression>
#include <utility>

QStringList numeros(const QString &lista)
{
    QStringList r;
    for (const QString &n : lista.split(QLatin1Char(',')))
        if (!n.trimmed().isEmpty())
            r << n.trimmed();
    return r;
}

QString reemplazarEnLista(const QString &lista, const QString &anterior, const QString &nuevo)
{
    QStringList partes = lista.split(QLatin1Char(','));
    for (QString &p : partes) {
        if (p.trimmed() != anterior)
            continue;
        const qsizetype inicio = p.indexOf(anterior);
        p.replace(inicio, anterior.size(), nuevo);
    }
    return partes.join(QLatin1Char(','));
}

namespace {

// Some dependant of the relation holds `valor`: the key's own rows only when `propias`,
// and never the one-to-one row, which is the key's row seen elsewhere.
bool filasConClave(Connection *c, const RelacionClave &r, const QString &valor, bool propias)
{
    for (qsizetype i = 0; i < r.dependientes.size(); ++i) {
        const Dependiente &d = r.dependientes.at(i);
        if ((propias && r.unoAUno && i == 0) || (d.propia && !propias))
            continue;
        if (!d.lista) {
            if (Asercion(c, QStringLiteral("FROM %1 WHERE %2 = ?").arg(d.tabla, d.columna), {valor}))
                return true;
            continue;
        }
        const QueryResult listas = c->select(QStringLiteral("SELECT %1 FROM %2").arg(d.columna, d.tabla));
        for (const QVariantList &fila : listas.rows)
            if (numeros(fila.value(0).toString()).contains(valor))
                return true;
    }
    return false;
}

} // namespace

ReglasFormulario::ReglasFormulario(TCustomMDIChild *form)
    : m_form(form)
{
}

Connection *ReglasFormulario::conexion() const
{
    return m_form->ConexionBD;
}

void ReglasFormulario::antesDePost(Dataset *ds, const Dataset::Event &previo, const Dataset::Event &posterior)
{
    if (!ds)
        return;
    const Dataset::Event descritas = ds->BeforePost;
    ds->BeforePost = [previo, descritas, posterior](Dataset *d) {
        if (previo)
            previo(d);
        if (descritas)
            descritas(d);
        if (posterior)
            posterior(d);
    };
}

Dataset::Event ReglasFormulario::recordarPost(const QString &tabla, const QString &campo, const QString &id)
{
    return [this, tabla, campo, id](Dataset *d) {
        PostEnCurso p;
        p.insercion = d->State() == DatasetState::Insert;
        if (!p.insercion && !campo.isEmpty())
            p.anterior = valorGuardado(tabla, campo, id, d->FieldByName(id)->Value());
        m_posts.insert(d, p);
    };
}

void ReglasFormulario::trasPost(Dataset *ds, const Dataset::Event &regla)
{
    if (!ds)
        return;
    ds->AfterPost = [this, regla](Dataset *d) {
        regla(d);
        m_form->AdsEventoAfterPost(d);
    };
}

void ReglasFormulario::alBorrar(Dataset *ds, const QString &clave, const Dataset::Event &guarda,
                                const std::function<QList<Sentencia>(const QVariant &)> &dependientes,
                                const QStringList &mostrar, const QString &pregunta)
{
    if (!ds)
        return;
    ds->BeforeDelete = [this, clave, guarda, pregunta](Dataset *d) {
        if (guarda)
            guarda(d);
        if (pregunta.isEmpty())
            m_form->AdsEventoBeforeDelete(d);
        else if (d->IsEmpty() || m_form->Dialogo(mtConfirmation, pregunta, MB::YESNO) != ID::YES)
            Abort();
        m_borrados.insert(d, d->FieldByName(clave)->Value());
    };
    ds->AfterDelete = [this, dependientes, mostrar](Dataset *d) {
        const QVariant valor = m_borrados.take(d);
        if (dependientes && !valor.isNull() && escribir(dependientes(valor)))
            refrescar(mostrar);
        m_form->AdsEventoAfterPost(d);
    };
}

// --- key relations

void ReglasFormulario::declararClave(const RelacionClave &r)
{
    if (!r.ds)
        return;
    m_relaciones << r;
    Dataset *ds = r.ds;
    antesDePost(ds, nullptr, [this, r](Dataset *d) {
        recordarPost(r.tabla, r.clave, r.id)(d);
        antesDePostClave(d);
    });
    trasPost(ds, [this](Dataset *d) { trasPostClave(d); });
    const bool cascada = r.borrado == RelacionClave::Borrado::Cascada;
    // What goes with a deleted key: what hangs from its rows, then its rows; nothing while
    // another row still carries the key (a form may let a number repeat).
    auto conLaClave = [this, r, cascada, deps = r.dependientes, tambien = r.borrarTambien](const QVariant &valor) {
        QList<Sentencia> s;
        if (claveEnOtraFila(r, valor, QVariant()))
            return s;
        for (const QString &sql : tambien)
            s << Sentencia{sql, {valor}};
        for (const Dependiente &d : deps) {
            if (!d.lista && (cascada || d.propia))
                s << Sentencia{QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(d.tabla, d.columna), {valor}};
        }
        return s;
    };
    Dataset::Event guarda;
    if (!cascada) {
        guarda = [this, clave = r.clave](Dataset *d) {
            const QString valor = d->FieldByName(clave)->AsString();
            if (!valor.isEmpty() && claveEnUso(d, valor))
                rechazarBorrado();
        };
    }
    alBorrar(ds, r.clave, guarda, conLaClave, r.refrescar);
}

const RelacionClave *ReglasFormulario::relacion(const Dataset *ds) const
{
    for (const RelacionClave &r : m_relaciones)
        if (r.ds == ds)
            return &r;
    return nullptr;
}

bool ReglasFormulario::claveEnOtraFila(const RelacionClave &r, const QVariant &valor, const QVariant &id) const
{
    if (valor.isNull())
        return false;
    if (id.isNull())
        return Asercion(conexion(), QStringLiteral("FROM %1 WHERE %2 = ?").arg(r.tabla, r.clave), {valor});
    return Asercion(conexion(), QStringLiteral("FROM %1 WHERE %2 = ? AND %3 <> ?").arg(r.tabla, r.clave, r.id), {valor, id});
}

bool ReglasFormulario::claveEnUso(const Dataset *ds, const QString &valor) const
{
    const RelacionClave *r = relacion(ds);
    return r && filasConClave(conexion(), *r, valor, false);
}

void ReglasFormulario::antesDePostClave(Dataset *ds)
{
    const RelacionClave *r = relacion(ds);
    const PostEnCurso p = m_posts.value(ds);
    const QString anterior = p.anterior.toString();
    // Asked whenever the rename reaches rows of another table, the stand's own rows
    // included; a one-to-one dependant alone follows without asking.
    if (!r || p.insercion || anterior.isEmpty() || anterior == ds->FieldByName(r->clave)->AsString()
        || !filasConClave(conexion(), *r, anterior, true) || claveEnOtraFila(*r, anterior, ds->FieldByName(r->id)->Value()))
        return;
    if (m_form->Dialogo(mtConfirmation,
                        QStringLiteral("Esta Modificación cambiará todos los campos relacionados ¿Está seguro de "
                                       "modificar este registro?"),
                        MB::YESNO)
        != ID::YES) {
        m_posts.remove(ds);
        Abort();
    }
}

QList<ReglasFormulario::Sentencia> ReglasFormulario::renombrar(const RelacionClave &r, const QString &anterior,
                                                               const QString &nuevo) const
{
    QList<Sentencia> s;
    for (const Dependiente &d : r.dependientes) {
        if (!d.lista) {
            s << Sentencia{QStringLiteral("UPDATE %1 SET %2 = ? WHERE %2 = ?").arg(d.tabla, d.columna), {nuevo, anterior}};
            continue;
        }
        // The list's rows by their row identity, SQLite's own.
        const QueryResult listas = conexion()->select(QStringLiteral("SELECT rowid, %1 FROM %2").arg(d.columna, d.tabla));
        for (const QVariantList &fila : listas.rows) {
            const QString lista = fila.value(1).toString();
            if (!numeros(lista).contains(anterior))
                continue;
            s << Sentencia{QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(d.tabla, d.columna),
                           {reemplazarEnLista(lista, anterior, nuevo), fila.value(0)}};
        }
    }
    return s;
}

void ReglasFormulario::trasPostClave(Dataset *ds)
{
    const RelacionClave *r = relacion(ds);
    if (!r)
        return;
    const PostEnCurso p = m_posts.take(ds);
    const QString anterior = p.anterior.toString();
    const QVariant valor = ds->FieldByName(r->clave)->Value();
    const QString nuevo = valor.isNull() ? QString() : ds->FieldByName(r->clave)->AsString();
    QList<Sentencia> s;
    // The rows of a number another row still carries stay with that row.
    const bool renombrado = !p.insercion && !anterior.isEmpty() && anterior != nuevo
                            && !claveEnOtraFila(*r, anterior, ds->FieldByName(r->id)->Value());
    if (renombrado)
        s << renombrar(*r, anterior, nuevo);
    if (r->unoAUno && !valor.isNull() && !r->dependientes.isEmpty()) {
        const Dependiente &d = r->dependientes.first();
        s << Sentencia{QStringLiteral("INSERT INTO %1 (%2) SELECT ? WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE %2 = ?)")
                           .arg(d.tabla, d.columna),
                       {valor, valor}};
    }
    // Only rows written or a key changed are news to the dependants: a post that changed
    // neither (every post of RefrescarADT) reads nothing again.
    int escritas = 0;
    if (escribir(s, &escritas)) {
        if (renombrado || escritas > 0)
            refrescar(r->refrescar);
    } else if (renombrado) {
        // Nothing of the rename was written: the row takes its former key back.
        conexion()->exec(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?").arg(r->tabla, r->clave, r->id),
                         {p.anterior, ds->FieldByName(r->id)->Value()});
        refrescar(ds);
    }
    if (r->trasPost)
        r->trasPost(ds);
}

// --- writes

bool ReglasFormulario::escribir(const QList<Sentencia> &sentencias, int *filas)
{
    if (filas)
        *filas = 0;
    if (sentencias.isEmpty())
        return true;
    Connection *c = conexion();
    Transaction tr(*c);
    int cambiadas = 0;
    for (const Sentencia &s : sentencias) {
        if (!tr.isActive() || !c->exec(s.sql, s.params)) {
            const QString error = c->lastError().text();
            tr.rollback();
            m_form->DialogoError(QStringLiteral("No se pudieron actualizar las tablas relacionadas:\n") + error);
            return false;
        }
        cambiadas += c->changes();
    }
    if (!tr.commit())
        return false;
    if (filas)
        *filas = cambiadas;
    return true;
}

QVariant ReglasFormulario::valorGuardado(const QString &tabla, const QString &campo, const QString &id,
                                         const QVariant &valorId) const
{
    if (valorId.isNull())
        return {};
    const QueryResult r = conexion()->select(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(campo, tabla, id), {valorId});
    return r.rows.isEmpty() ? QVariant() : r.rows.first().value(0);
}

void ReglasFormulario::rechazarBorrado()
{
    m_form->Dialogo(mtCustom, QStringLiteral("Este registro no se puede borrar, por que posee registros asociados"), MB::OK);
    Abort();
}

namespace {

int g_diferidos = 0;                    // RefrescoDiferido alive
QList<QPointer<Dataset>> g_porRefrescar; // what they gathered, in order

} // namespace

RefrescoDiferido::RefrescoDiferido()
{
    ++g_diferidos;
}

RefrescoDiferido::~RefrescoDiferido()
{
    if (--g_diferidos > 0)
        return;
    const QList<QPointer<Dataset>> pendientes = std::exchange(g_porRefrescar, {});
    for (const QPointer<Dataset> &ds : pendientes) {
        // A destructor may run while an abort unwinds: a failing refresh stops here.
        try {
            ReglasFormulario::refrescar(ds.data());
        } catch (...) {
        }
    }
}

void ReglasFormulario::refrescar(Dataset *ds)
{
    if (!ds)
        return;
    if (g_diferidos > 0) {
        if (!g_porRefrescar.contains(ds))
            g_porRefrescar.append(ds);
        return;
    }
    if (ds->Active() && ds->State() == DatasetState::Browse)
        ds->Refresh();
}

void ReglasFormulario::refrescar(const QStringList &datasets)
{
    for (const QString &nombre : datasets)
        refrescar(findComponent<Dataset>(m_form, nombre));
}

void ReglasFormulario::editar(Dataset *ds)
{
    if (ds->State() != DatasetState::Edit && ds->State() != DatasetState::Insert)
        ds->Edit();
}

// --- the rules several plans share

bool ReglasFormulario::elegirLista(Dataset *ds, const QString &campo, const QString &sql)
{
    Field *f = ds ? ds->FindField(campo) : nullptr;
    if (!f)
        return false;
    const QStringList actuales = numeros(f->AsString());
    const std::optional<QStringList> elegidos = MultiSeleccion(conexion(), sql, actuales, {}, m_form);
    if (!elegidos || *elegidos == actuales)
        return false;
    return catchAbort([&] {
        editar(ds);
        if (elegidos->isEmpty())
            f->Clear();
        else
            f->setAsString(elegidos->join(QStringLiteral(", ")));
    });
}

bool ReglasFormulario::cambioDeDatos(const DataSource *fuente, const Field *campo)
{
    const Dataset *ds = fuente ? fuente->DataSet() : nullptr;
    if (!ds)
        return campo != nullptr;
    const auto anterior = m_revisiones.constFind(fuente);
    const bool filas = anterior == m_revisiones.cend() || anterior.value() != ds->revision();
    m_revisiones.insert(fuente, ds->revision());
    return campo || filas;
}

void ReglasFormulario::sumaEnPrincipal(const QString &sql, const QString &campo)
{
    Dataset *ppal = m_form->DatasetPpal;
    Connection *c = conexion();
    if (!ppal || !ppal->Active() || !c || !c->isOpen())
        return;
    const QueryResult r = c->select(sql);
    const QVariant suma = r.rows.isEmpty() ? QVariant() : r.rows.first().value(0);
    Field *f = ppal->FindField(campo);
    if (!f || f->Value() == (suma.isNull() ? QVariant() : QVariant(suma.toDouble())))
        return;
    catchAbort([ppal, f, suma] {
        editar(ppal);
        if (suma.isNull())
            f->Clear();
        else
            f->setAsFloat(suma.toDouble());
    });
}

void ReglasFormulario::unidadDeVariable(Field *var, const QString &campoUnidad)
{
    if (!var || var->IsNull())
        return;
    const QString unidad = Consulta(m_form->ConexionBDPpal,
                                    QStringLiteral("SELECT unme_var FROM atributotipo WHERE att_tipo=1 AND att_codigo=?"),
                                    {var->Value()});
    Field *campo = var->DataSet()->FieldByName(campoUnidad);
    if (unidad.isEmpty())
        campo->Clear();
    else
        campo->setAsString(unidad);
}

void ReglasFormulario::memoResolucionJudicial()
{
    auto *memo = findComponent<QWidget>(m_form, QStringLiteral("mem_resJud_desc"));
    const Field *tiene = m_form->DatasetPpal ? m_form->DatasetPpal->FindField(QStringLiteral("resJud_tiene")) : nullptr;
    if (memo && tiene)
        memo->setEnabled(tiene->AsBoolean());
}

ReglasFormulario::Sentencia ReglasFormulario::insercion(const QString &tabla, const QStringList &columnas,
                                                        const QVariantList &valores)
{
    const QString marcas = QStringList(valores.size(), QStringLiteral("?")).join(QLatin1Char(','));
    return {QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(tabla, columnas.join(QLatin1Char(',')), marcas), valores};
}

// --- activity parameter rows by class

ParametrosPorClase::ParametrosPorClase(const QString &id, const QList<Clase> &clases)
    : m_id(id)
    , m_clases(clases)
{
}

const ParametrosPorClase::Clase *ParametrosPorClase::clase(const QVariant &codigo) const
{
    if (codigo.isNull())
        return nullptr;
    for (const Clase &c : m_clases) {
        if (c.codigo == codigo.toInt())
            return &c;
    }
    return nullptr;
}

QStringList ParametrosPorClase::tablas() const
{
    QStringList r;
    for (const Clase &c : m_clases)
        r << c.tabla;
    return r;
}

QList<ParametrosPorClase::Sentencia> ParametrosPorClase::borrar(const QVariant &id) const
{
    QList<Sentencia> s;
    for (const Clase &c : m_clases)
        s << Sentencia{QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(c.tabla, m_id), {id}};
    return s;
}

void ParametrosPorClase::trasPost(ReglasFormulario &reglas, Dataset *ds, const QString &codigo,
                                  const std::function<QList<Sentencia>(const QVariant &, const QVariant &)> &nuevas) const
{
    const ReglasFormulario::PostEnCurso p = reglas.tomarPost(ds);
    const QVariant id = ds->FieldByName(m_id)->Value();
    const QVariant actual = ds->FieldByName(codigo)->Value();
    if (!p.insercion && p.anterior == actual)
        return;
    QList<Sentencia> s;
    if (!p.insercion)
        s = borrar(id);
    s << nuevas(id, actual);
    if (reglas.escribir(s))
        refrescar(reglas);
}

void ParametrosPorClase::refrescar(ReglasFormulario &reglas) const
{
    QStringList datasets;
    for (const Clase &c : m_clases)
        datasets << c.dataset;
    reglas.refrescar(datasets);
}

void ReglasFormulario::declararVariablesClimaticas(const QString &grillaFuentes)
{
    const QString codigo = componentes::codigoDe(m_form);
    const QString prefijo = codigo.toLower();
    const QString grilla = grillaFuentes.isEmpty() ? QStringLiteral("dbg") + codigo + QStringLiteral("_fte_inf") : grillaFuentes;
    declararClave({componentes::tabla(m_form, QStringLiteral("var_cli")), prefijo + QStringLiteral("_var_cli"),
                   QStringLiteral("var"), QStringLiteral("id"), {{prefijo + QStringLiteral("_fte_inf"), QStringLiteral("var")}},
                   RelacionClave::Borrado::Cascada, true, {QStringLiteral("adt") + codigo + QStringLiteral("_fte_inf")},
                   [this, grilla](Dataset *) {
                       // A free "other" variable typed in the first grid must be offered in the second.
                       m_form->ComboExterno(componentes::grilla(m_form, grilla), QStringLiteral("var"), tceVariablesClimaticas);
                   },
                   {}});
}

void ReglasFormulario::categoriaConservacion(Field *esp, const QString &tablaBd, const QString &prefijo)
{
    Field *cat = esp ? esp->DataSet()->FindField(QStringLiteral("cat")) : nullptr;
    if (!cat)
        return;
    if (esp->IsNull()) {
        cat->Clear();
        return;
    }
    const QString where = QStringLiteral(" FROM %1 WHERE %2_codigo = ?").arg(tablaBd, prefijo);
    const QString protegida =
        Consulta(m_form->ConexionBDPpal, QStringLiteral("SELECT %1_conservacion").arg(prefijo) + where, {esp->Value()});
    const QString categoria = Consulta(m_form->ConexionBDPpal, QStringLiteral("SELECT tipo_codigo") + where, {esp->Value()});
    if (protegida == QLatin1String("1"))
        cat->setAsString(QStringLiteral("0") + categoria);
    else
        cat->Clear();
}
