// Dependent rows kept in step with their parent rows, deletions refused while other rows
// use a key, the document's property data and the soil-type check of a resolution.
#include "tcustommdichild.h"

#include "abort.h"
#include "chileantext.h"
#include "connection.h"
#include "dataset.h"
#include "dbgrid.h"
#include "dialogservice.h"
#include "filasacuenta.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "gridcolumn.h"
#include "query.h"
#include "sqlidentifier.h"
#include "table.h"
#include "transaction.h"
#include "util_bbdd.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace {

const QChar kComilla = QLatin1Char('"');

QString entreComillas(const QString &s)
{
    return kComilla + s + kComilla;
}

// False (reported) when a dataset is closed or lacks the field `clave`.
bool datasetsListos(Dataset *origen, Dataset *destino, const QString &clave)
{
    const std::pair<Dataset *, const char *> pares[] = {{origen, "Fuente "}, {destino, "Destino "}};
    for (const auto &[ds, rol] : pares) {
        if (!ds || !ds->Active()) {
            FALLA_PROGRAMACION(QStringLiteral("El ADO DataSet ") + QLatin1String(rol) + entreComillas(ds ? ds->objectName() : QString())
                               + QStringLiteral(" está inactivo"));
            return false;
        }
    }
    for (Dataset *ds : {origen, destino}) {
        if (!ds->FindField(clave)) {
            FALLA_PROGRAMACION(QStringLiteral("El campo ") + entreComillas(clave) + QStringLiteral(" no existe en el dataset ")
                               + entreComillas(ds->objectName()));
            return false;
        }
    }
    return true;
}

// The table a dataset writes to, as SQL text; empty (reported) when it has none.
QString tablaSql(Dataset *ds)
{
    QString tabla;
    if (auto *t = qobject_cast<Table *>(ds))
        tabla = t->TableName();
    else if (auto *q = qobject_cast<Query *>(ds))
        tabla = q->editableTable();
    if (!SqlIdentifier::isValid(tabla)) {
        FALLA_PROGRAMACION(QStringLiteral("El dataset ") + entreComillas(ds->objectName()) + QStringLiteral(" no escribe en una tabla"));
        return {};
    }
    return SqlIdentifier::quoted(tabla);
}

QString columnaSql(const QString &campo)
{
    if (!SqlIdentifier::isValid(campo)) {
        FALLA_PROGRAMACION(QStringLiteral("El campo ") + entreComillas(campo) + QStringLiteral(" no es un nombre de columna"));
        return {};
    }
    return SqlIdentifier::quoted(campo);
}

// A key as the statement compares it: as text when `comillas`, else as a number when the
// field's text is one (a numeric key written bare).
QVariant valorClave(const Field *campo, bool comillas)
{
    if (campo->isNumeric() || campo->IsNull())
        return campo->Value();
    const QString texto = campo->AsString();
    if (comillas)
        return texto;
    bool entero = false;
    const qlonglong n = texto.trimmed().toLongLong(&entero);
    return entero ? QVariant(n) : QVariant(texto);
}

// The field that holds a key in a dependent dataset: a lookup column that shows its own
// key ("num_look" over "num") stands for its key field.
Field *campoDeClave(Dataset *ds, const QString &nombre)
{
    Field *f = ds ? ds->FindField(nombre) : nullptr;
    if (f && f->Kind() == FieldKind::Lookup && !f->KeyFields().contains(QLatin1Char(';'))
        && f->LookupKeyFields().compare(f->LookupResultField(), Qt::CaseInsensitive) == 0) {
        if (Field *clave = ds->FindField(f->KeyFields()))
            return clave;
    }
    return f;
}

bool reabrir(Dataset *ds)
{
    ds->Close();
    return ds->Open();
}

} // namespace

bool TCustomMDIChild::CrearFila(Dataset *origen, Dataset *destino, const QString &clave)
{
    if (!datasetsListos(origen, destino, clave))
        return false;
    if (origen->State() != DatasetState::Insert && origen->Tag() >= origen->RecordCount())
        return false;
    QScopedValueRollback<bool> guardando(Guardando, true);
    destino->Cancel();
    if (!destino->Append())
        return false;
    if (!destino->FieldByName(clave)->setAsString(origen->FieldByName(clave)->AsString()) || !destino->Post()) {
        destino->Cancel();
        return false;
    }
    RefrescarADS(destino);
    return true;
}

bool TCustomMDIChild::BorraFila(Dataset *origen, Dataset *destino, bool comillas, const QString &clave)
{
    if (!datasetsListos(origen, destino, clave))
        return false;
    const QString tabla = tablaSql(destino);
    const QString columna = columnaSql(clave);
    if (tabla.isEmpty() || columna.isEmpty() || !destino->connection())
        return false;
    QScopedValueRollback<bool> guardando(Guardando, true);
    destino->Cancel();
    const bool ok = destino->connection()->exec(QStringLiteral("DELETE FROM ") + tabla + QStringLiteral(" WHERE ") + columna
                                                    + QStringLiteral("=?"),
                                                {valorClave(origen->FieldByName(clave), comillas)});
    reabrir(destino);
    return ok;
}

bool TCustomMDIChild::ActualizaFila(Dataset *origen, Dataset *destino, bool comillas, const QString &campo,
                                    const QVariant &valorAnterior)
{
    if (!datasetsListos(origen, destino, campo))
        return false;
    const QString tabla = tablaSql(destino);
    const QString columna = columnaSql(campo);
    if (tabla.isEmpty() || columna.isEmpty() || !destino->connection())
        return false;
    QScopedValueRollback<bool> guardando(Guardando, true);
    destino->Cancel();
    const QVariant anterior = comillas ? QVariant(valorAnterior.toString()) : valorAnterior;
    const bool ok = destino->connection()->exec(QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ") + columna
                                                    + QStringLiteral("=? WHERE ") + columna + QStringLiteral("=?"),
                                                {valorClave(origen->FieldByName(campo), comillas), anterior});
    reabrir(destino);
    return ok;
}

void TCustomMDIChild::CopiarCampo(const QString &clave, Dataset *origen, const QString &campoDestino, Dataset *destino,
                                  const QString &campoOrigen)
{
    const QString destinoNombre = campoDestino.isEmpty() ? campoOrigen : campoDestino;
    if (!datasetsListos(origen, destino, clave))
        return;
    Field *fuente = origen->FindField(campoOrigen);
    Field *meta = destino->FindField(destinoNombre);
    if (!fuente || !meta) {
        FALLA_PROGRAMACION(QStringLiteral("El campo ") + entreComillas(fuente ? destinoNombre : campoOrigen)
                           + QStringLiteral(" no existe en el dataset ") + entreComillas((fuente ? destino : origen)->objectName()));
        return;
    }
    QScopedValueRollback<bool> guardando(Guardando, true);
    destino->Cancel();
    if (!destino->Locate(clave, origen->FieldByName(clave)->Value()))
        return;
    if (destino->Edit() && meta->setAsString(fuente->AsString()) && destino->Post())
        RefrescarADS(destino);
    else
        destino->Cancel();
}

void TCustomMDIChild::UpdateHijos(GridColumn *columna, QString &texto, QVariant &valor, bool &handled,
                                  const QList<DBGrid *> &grillas, const QStringList &campos)
{
    Q_UNUSED(valor);
    Field *campo = columna ? columna->field() : nullptr;
    Dataset *ds = campo ? campo->DataSet() : nullptr;
    // A new row, or a key typed again unchanged, has nothing to carry.
    if (!campo || campo->IsNull() || ds->State() == DatasetState::Insert || campo->AsString() == texto)
        return;
    const QString tabla = tablaSql(ds);
    const QString columnaClave = columnaSql(campo->FieldName());
    if (tabla.isEmpty() || columnaClave.isEmpty() || grillas.size() != campos.size()) {
        if (grillas.size() != campos.size())
            FALLA_PROGRAMACION(QStringLiteral("UpdateHijos: cada grilla necesita su campo"));
        return;
    }
    const QString cuenta = Consulta(ConexionBD, QStringLiteral("SELECT Count(*) FROM ") + tabla + QStringLiteral(" WHERE ")
                                                    + columnaClave + QStringLiteral("= ?"),
                                    {texto});
    if (cuenta.toLongLong() >= 1) {
        DialogoError(QStringLiteral("Este campo no acepta valores duplicados"));
        Abort();
    }
    if (Dialogo(mtConfirmation,
                QStringLiteral("Esta Modificación cambiará todos los campos relacionados ¿Está seguro de modificar este registro?"),
                MB::YESNO)
        != ID::YES)
        Abort();

    QScopedValueRollback<bool> ocupado(Ocupado, true);
    const QString anterior = campo->AsString();
    const int registro = ds->RecNo();
    QList<Dataset *> hijos;
    for (DBGrid *g : grillas) {
        if (g && g->DataSet() && g->DataSet()->Active())
            hijos << g->DataSet();
    }
    // The parent and its dependent rows change together or not at all.
    Connection *conexion = ds->connection();
    std::optional<Transaction> transaccion;
    if (conexion)
        transaccion.emplace(*conexion);
    bool ok = true;
    auto reabrirTodo = [&] {
        for (Dataset *h : std::as_const(hijos))
            reabrir(h);
        reabrir(ds);
        ds->setRecNo(registro);
        ds->Edit();
    };
    try {
        if (ds->State() == DatasetState::Browse)
            ok = ds->Edit();
        ok = ok && campo->setAsString(texto) && ds->Post();
        for (int i = 0; ok && i < grillas.size(); ++i) {
            Dataset *h = grillas.at(i) ? grillas.at(i)->DataSet() : nullptr;
            Field *clave = campoDeClave(h, campos.at(i));
            if (!h || !h->Active() || !clave) {
                FALLA_PROGRAMACION(QStringLiteral("El campo ") + entreComillas(campos.at(i)) + QStringLiteral(" no existe en la grilla ")
                                   + entreComillas(grillas.at(i) ? grillas.at(i)->objectName() : QString()));
                continue;
            }
            // Only the key changes: the dependent rows' own checks are not asked again.
            QScopedValueRollback<bool> guardando(Guardando, true);
            h->Cancel();
            h->DisableControls();
            h->First();
            while (ok && !h->Eof()) {
                if (clave->AsString() == anterior)
                    ok = h->Edit() && clave->setAsString(texto) && h->Post();
                h->Next();
            }
            h->EnableControls();
        }
    } catch (...) {
        for (Dataset *h : std::as_const(hijos)) {
            if (h->ControlsDisabled())
                h->EnableControls();
        }
        if (transaccion)
            transaccion->rollback();
        reabrirTodo();
        throw;
    }
    QString error;
    if (ok && transaccion && !transaccion->commit())
        ok = false;
    if (!ok) {
        error = conexion ? conexion->lastError().text() : QString();
        if (transaccion)
            transaccion->rollback();
    }
    reabrirTodo();
    handled = true;
    if (!ok) {
        DialogoError(QStringLiteral("No se pudo modificar el registro: ") + error);
        Abort();
    }
}

void TCustomMDIChild::TieneHijos(const QList<DBGrid *> &grillas, const QStringList &campos, Dataset *ds, const QVariant &valor)
{
    // Compared as the grids show their values (numbers with a decimal comma).
    const bool numero = valor.typeId() == QMetaType::Double || valor.typeId() == QMetaType::Float;
    const QString buscado = numero ? ChileanText::fromDouble(valor.toDouble()) : valor.toString();
    // The last grid of the list is not searched: forms pass the grid whose rows go with
    // the deleted row at the end.
    for (int i = 0; i + 1 < grillas.size() && i < campos.size(); ++i) {
        Dataset *d = grillas.at(i) ? grillas.at(i)->DataSet() : nullptr;
        Field *clave = campoDeClave(d, campos.at(i));
        if (!d || !d->Active() || !clave)
            continue;
        for (int fila = 0; fila < d->rowCount(); ++fila) {
            if (clave->textOf(d->valueAt(fila, clave)) == buscado) {
                DialogoWin32(mtCustom, QStringLiteral("Este registro no se puede borrar, por que posee registros asociados"), MB::OK);
                Abort();
            }
        }
    }
    AdsEventoBeforeDelete(ds);
}

QString TCustomMDIChild::ConsultaPredio(const QString &select)
{
    return ConsultaPredio(PredCodigo, select, QString());
}

QString TCustomMDIChild::ConsultaPredio(const QString &select, const QString &condicion)
{
    return ConsultaPredio(PredCodigo, select, condicion);
}

QString TCustomMDIChild::ConsultaPredio(int predCodigo, const QString &select)
{
    return ConsultaPredio(predCodigo, select, QString());
}

namespace {

QString sqlPredio(const QString &select, const QString &condicion)
{
    QString sql = QStringLiteral("SELECT ") + select + QStringLiteral(" WHERE p.pred_codigo=?");
    if (!condicion.isEmpty())
        sql += QStringLiteral(" AND ") + condicion;
    return sql;
}

} // namespace

QString TCustomMDIChild::ConsultaPredio(int predCodigo, const QString &select, const QString &condicion)
{
    return Consulta(ConexionBDPpal, sqlPredio(select, condicion), {predCodigo});
}

void TCustomMDIChild::ConsultaPredio(DBGrid *grilla, const QString &select, const QString &condicion)
{
    ConsultaPredio(PredCodigo, grilla, select, condicion);
}

void TCustomMDIChild::ConsultaPredio(int predCodigo, DBGrid *grilla, const QString &select, const QString &condicion)
{
    Dataset *ds = grilla ? grilla->DataSet() : nullptr;
    if (!ds || !ds->Active()) {
        FALLA_PROGRAMACION(QStringLiteral("La grilla ") + entreComillas(grilla ? grilla->objectName() : QString())
                           + QStringLiteral(" no muestra un dataset abierto"));
        return;
    }
    const QList<QStringList> filas = Consulta3(ConexionBDPpal, sqlPredio(select, condicion), {predCodigo});
    // The register's rows replace the grid's as they are: no delete question, no checks.
    QScopedValueRollback<bool> guardando(Guardando, true);
    QScopedValueRollback<Dataset::Event> antesDeBorrar(ds->BeforeDelete, nullptr);
    ds->Cancel();
    while (!ds->IsEmpty()) {
        ds->First();
        if (!ds->Delete())
            return;
    }
    for (const QStringList &fila : filas) {
        if (!ds->Append())
            return;
        for (int c = 0; c < fila.size() && c < grilla->ColumnCount(); ++c) {
            Field *f = grilla->Columns(c)->field();
            if (f && f->Kind() == FieldKind::Lookup)
                f = ds->FindField(f->KeyFields());
            if (f)
                f->setAsString(fila.at(c));
        }
        if (!ds->Post()) {
            ds->Cancel();
            return;
        }
    }
}

void TCustomMDIChild::ValidarTipoSuelo(DBGrid *grilla, GridColumn *columna, const QString &codigoSuelo, const QString &resolucion)
{
    const QString lista = resolucion == QLatin1String("0") ? QStringLiteral("tipo_suelo_zuri") : QStringLiteral("tipo_suelo_nirka");
    const QString cuenta = Consulta(DirAplicacion + QStringLiteral("bbdd/bd.db"),
                                    QStringLiteral("SELECT count(*) FROM tipo where tipo_codigo=? and titi_codigo=8 and ") + lista
                                        + QStringLiteral("<>0"),
                                    {codigoSuelo.trimmed()});
    if (cuenta != QLatin1String("0"))
        return;
    DialogoError(QStringLiteral("La Categoría de Suelo no corresponde al tipo de resolución seleccionada"));
    if (grilla) {
        grilla->setFocus();
        if (columna)
            grilla->setSelectedIndex(grilla->indexOf(columna));
    }
    Abort();
}

bool FilasACuenta(Connection *conexion, const QString &tabla, const QString &enlace, const QVariant &valor,
                  const QString &numero, int cantidad, const QVariantMap &iniciales)
{
    QStringList nombres = {tabla, enlace, numero};
    nombres << iniciales.keys();
    for (const QString &n : nombres)
        if (!SqlIdentifier::isValid(n))
            return false;
    if (!conexion || !conexion->isOpen())
        return false;
    cantidad = std::max(cantidad, 0);
    Transaction tr(*conexion);
    if (!tr.isActive())
        return false;
    const QString filas = QStringLiteral("FROM %1 WHERE %2 = ?").arg(tabla, enlace);
    bool ok = conexion->exec(QStringLiteral("DELETE %1 AND rowid NOT IN (SELECT rowid %1 ORDER BY rowid LIMIT ?)").arg(filas),
                             {valor, valor, cantidad});
    const int existentes = Consulta(conexion, QStringLiteral("SELECT COUNT(*) ") + filas, {valor}).toInt();
    QStringList columnas = {enlace, numero};
    QStringList marcas = {QStringLiteral("?"), QStringLiteral("?")};
    for (auto it = iniciales.cbegin(); it != iniciales.cend(); ++it) {
        columnas << it.key();
        marcas << QStringLiteral("?");
    }
    const QString insercion = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(tabla, columnas.join(QLatin1Char(',')), marcas.join(QLatin1Char(',')));
    for (int n = existentes + 1; ok && n <= cantidad; ++n) {
        QVariantList params = {valor, n};
        params << iniciales.values();
        ok = conexion->exec(insercion, params);
    }
    if (!ok) {
        tr.rollback();
        return false;
    }
    return tr.commit();
}
