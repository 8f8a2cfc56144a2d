#include "consultasppal.h"

#include "shelllog.h"

#include <QFile>

#include <sqlite3.h>

namespace {

// Runs `sql` read-only with one optional integer parameter and returns every row as text
// columns (NULL as an empty text).
QList<QStringList> filas(const QString &bd, const char *sql, const int *parametro = nullptr)
{
    QList<QStringList> result;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(bd).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        qCWarning(lcShell) << "cannot open" << bd << ":" << sqlite3_errmsg(db);
        sqlite3_close(db);
        return result;
    }
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        qCWarning(lcShell) << "query on" << bd << "failed:" << sqlite3_errmsg(db) << sql;
    } else {
        if (parametro)
            sqlite3_bind_int(stmt, 1, *parametro);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            QStringList fila;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                fila << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
            result << fila;
        }
        if (rc != SQLITE_DONE)
            qCWarning(lcShell) << "query on" << bd << "failed:" << sqlite3_errmsg(db) << sql;
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

} // namespace

namespace ConsultasPpal {

QList<QPair<QString, QString>> extensionesFormularios(const QString &bd)
{
    QList<QPair<QString, QString>> result;
    for (const QStringList &fila : filas(bd, "SELECT form_extension, form_descripcion FROM formularios ORDER BY form_extension"))
        result.append({fila.value(0), fila.value(1)});
    return result;
}

bool existeConsultor(const QString &bd, int consId)
{
    return !filas(bd, "SELECT cons_id FROM consultor WHERE cons_id=?", &consId).isEmpty();
}

QString nombreConsultor(const QString &bd, int consId, bool apellidoPrimero)
{
    const QList<QStringList> rows = filas(bd, "SELECT cons_paterno, cons_materno, cons_nombre FROM consultor WHERE cons_id=?", &consId);
    if (rows.isEmpty())
        return QString();
    const QStringList &f = rows.first();
    return apellidoPrimero ? f.value(0) + QLatin1Char(' ') + f.value(1) + QStringLiteral(", ") + f.value(2)
                           : f.value(2) + QLatin1Char(' ') + f.value(0) + QLatin1Char(' ') + f.value(1);
}

} // namespace ConsultasPpal
