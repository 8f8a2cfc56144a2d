#pragma once
// The bookkeeping a form's dataset rules share: the before-post chain around the
// described checks, what a post is doing (insert, the key the row had), the after-post and
// delete handlers wrapped around the form's own, and the writes of dependent rows in one
// transaction. On top of them, key relations declared per key:
//
//     ReglasFormulario reglas(this);                     // a member of the form window
//     reglas.declararClave({tabla("desc"), "kelu_desc", "num", "Id",
//                           {{"kelu_fis", "num"}, {"kelu_obj", "num", true}},
//                           RelacionClave::Borrado::Rechazar, {}, {"adtKELU_fis", "adtKELU_obj"}});
//
// A key relation renames every dependant when the key of a row changes (after the user
// confirms it, and only when some row uses it): plain columns by value, comma lists item by
// item with their separators kept. A delete of a key in use is refused; or its dependants
// go with it (Cascada); the key's own rows (`propia`) go in either case. Where a form lets
// a key repeat, a rename or a delete leaves the dependants alone while another row still
// carries the key. With `unoAUno`
// the first dependant table holds one row per key, created after every post when missing.
// Dependent rows are written with bound values in one transaction; a failed statement
// writes nothing, puts the renamed key back and tells the user. The datasets named in
// `refrescar` show the result.
#include "dataset.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class Connection;
class DataSource;
class TCustomMDIChild;

// A column that refers to a key: holding one value, or a comma list of them. A `propia`
// column belongs to the key's own rows elsewhere (the rows a stand has in every per-stand
// table): renamed and deleted with the key, never a reason to refuse its deletion.
struct Dependiente
{
    QString tabla;
    QString columna;
    bool lista = false;
    bool propia = false;
};

struct RelacionClave
{
    enum class Borrado { Rechazar, Cascada };

    Dataset *ds = nullptr; // the rows that own the key
    QString tabla;         // their table in the working database
    QString clave;         // the key column
    QString id;            // the row identity (autoincrement)
    QList<Dependiente> dependientes;
    Borrado borrado = Borrado::Rechazar;
    bool unoAUno = false;
    QStringList refrescar; // dataset component names
    // Runs after the post's own bookkeeping (surfaces and the like).
    Dataset::Event trasPost;
    // Deletes of rows that hang from the dependants (by their own identities), each run
    // with the deleted key bound once, first in the deletion's transaction.
    QStringList borrarTambien;
};

class ReglasFormulario
{
public:
    struct Sentencia
    {
        QString sql;
        QVariantList params;
    };
    // What a post is doing, taken before it writes: its state and the key the row had.
    struct PostEnCurso
    {
        bool insercion = false;
        QVariant anterior; // stored value of the watched column (edit only)
    };

    explicit ReglasFormulario(TCustomMDIChild *form);

    TCustomMDIChild *form() const { return m_form; }

    // The before-post handler becomes: `previo`, the described checks, `posterior`.
    static void antesDePost(Dataset *ds, const Dataset::Event &previo, const Dataset::Event &posterior);
    // A before-post step remembering the post's state and the stored `campo` of the row
    // (found by `id`), for the after-post rules (tomarPost).
    Dataset::Event recordarPost(const QString &tabla, const QString &campo, const QString &id);
    PostEnCurso tomarPost(const Dataset *ds) { return m_posts.take(ds); }
    // `regla`, then the form's own after-post handling.
    void trasPost(Dataset *ds, const Dataset::Event &regla);
    // A delete is confirmed first (after `guarda`), with `pregunta` when given instead of
    // the framework's question; once the row is gone `dependientes` of its `clave` value
    // are written and `mostrar` refreshed.
    void alBorrar(Dataset *ds, const QString &clave, const Dataset::Event &guarda,
                  const std::function<QList<Sentencia>(const QVariant &)> &dependientes, const QStringList &mostrar,
                  const QString &pregunta = QString());

    void declararClave(const RelacionClave &relacion);
    // True when some dependant of the relation over `ds` holds `valor`.
    bool claveEnUso(const Dataset *ds, const QString &valor) const;

    // One transaction on the form's working connection; on failure rolled back, the user
    // told and false. `filas`, when given, receives the rows the statements changed.
    bool escribir(const QList<Sentencia> &sentencias, int *filas = nullptr);
    QVariant valorGuardado(const QString &tabla, const QString &campo, const QString &id, const QVariant &valorId) const;
    // "Este registro no se puede borrar, ..." and a silent abort.
    [[noreturn]] void rechazarBorrado();
    // Shows rows written behind a dataset's back; a dataset with a pending edit keeps it.
    // While a RefrescoDiferido lives the refresh waits for its end, once per dataset.
    static void refrescar(Dataset *ds);
    void refrescar(const QStringList &datasets);
    static void editar(Dataset *ds);

    // --- the rules several plans share
    // The multi-selection window over the first column of `sql` with the entries of the
    // list field `campo` of `ds` ticked; the choice goes back as a ", " list (or null) with
    // `ds` left in edit. True when it changed.
    bool elegirLista(Dataset *ds, const QString &campo, const QString &sql);
    // For work that depends on a data source's rows (sums): true when a field changed or
    // the rows of its dataset changed since the last call (a post, a delete, a refresh, a
    // master move), false when its cursor only moved.
    bool cambioDeDatos(const DataSource *fuente, const Field *campo);
    // The main record's `campo` takes the first value of `sql` (a column sum; null when
    // there are no rows), left in edit to be posted with the user's entry; unchanged
    // values leave the record alone.
    void sumaEnPrincipal(const QString &sql, const QString &campo);
    // A climatic variable's unit of measure from the main database into `campoUnidad`.
    void unidadDeVariable(Field *var, const QString &campoUnidad);
    // The main record's judicial-resolution memo can be written only while its box is
    // ticked; to be called when the box changes and when a document is loaded.
    void memoResolucionJudicial();
    // An INSERT of `valores` (bound) into `columnas` of `tabla`.
    static Sentencia insercion(const QString &tabla, const QStringList &columnas, const QVariantList &valores);
    // The climatic variables of a plan (adt<CODE>_var_cli, table <code>_var_cli) and their
    // information sources (<code>_fte_inf): one source row per variable, made, renamed and
    // deleted with it; a new variable is offered in the sources' grid too (`grillaFuentes`;
    // empty: dbg<CODE>_fte_inf).
    void declararVariablesClimaticas(const QString &grillaFuentes = QString());
    // A species (`tablaBd` especie, prefix espe) or an animal (fauna, faun) with a
    // conservation problem brings its category ("0" + its type code: 0 without one) into
    // `cat` of the same row; any other choice clears it.
    void categoriaConservacion(Field *esp, const QString &tablaBd, const QString &prefijo);

private:
    const RelacionClave *relacion(const Dataset *ds) const;
    // Some row of the relation's table other than `id` (any row, for null) holds `valor`.
    bool claveEnOtraFila(const RelacionClave &r, const QVariant &valor, const QVariant &id) const;
    void antesDePostClave(Dataset *ds);
    void trasPostClave(Dataset *ds);
    QList<Sentencia> renombrar(const RelacionClave &r, const QString &anterior, const QString &nuevo) const;
    Connection *conexion() const;

    TCustomMDIChild *m_form;
    QHash<const Dataset *, PostEnCurso> m_posts;
    QHash<const Dataset *, QVariant> m_borrados;
    QHash<const DataSource *, quint64> m_revisiones; // for cambioDeDatos
    QList<RelacionClave> m_relaciones;
};

// The parameter rows of activities by class: an activity owns a row in the parameter
// table of its class, keyed by the activity's identity. The row is made when the activity
// is entered, made again when its code changes (a row left in another class's table by the
// older code goes) and goes with the activity.
class ParametrosPorClase
{
public:
    using Sentencia = ReglasFormulario::Sentencia;
    struct Clase
    {
        int codigo;
        QString tabla;   // in the working database
        QString dataset; // the component showing it
    };

    ParametrosPorClase(const QString &id, const QList<Clase> &clases);

    // The class of a class code; null outside them (and for null).
    const Clase *clase(const QVariant &codigo) const;
    QStringList tablas() const;
    // The activity's rows in every class table.
    QList<Sentencia> borrar(const QVariant &id) const;
    // The after-post rule of an activity whose `codigo` the before-post remembered
    // (recordarPost): when it is new or its code changed, its rows are replaced by what
    // `nuevas` gives for its identity and code, in one transaction, and shown.
    void trasPost(ReglasFormulario &reglas, Dataset *ds, const QString &codigo,
                  const std::function<QList<Sentencia>(const QVariant &id, const QVariant &codigo)> &nuevas) const;
    void refrescar(ReglasFormulario &reglas) const;

private:
    QString m_id;
    QList<Clase> m_clases;
};

// The values of a comma list, trimmed, empty entries left out.
QStringList numeros(const QString &lista);
// `lista` with every entry equal to `anterior` replaced by `nuevo`; separators and blanks
// as they were.
QString reemplazarEnLista(const QString &lista, const QString &anterior, const QString &nuevo);

// While one lives, ReglasFormulario::refrescar only gathers the datasets; when the last one
// goes each is refreshed once. For work that posts many rows in a row (RefrescarADT), where
// every post would otherwise read its dependants again.
class RefrescoDiferido
{
public:
    RefrescoDiferido();
    ~RefrescoDiferido();
    RefrescoDiferido(const RefrescoDiferido &) = delete;
    RefrescoDiferido &operator=(const RefrescoDiferido &) = delete;
};
