#include "util_bbdd.h"

#include "reglasformulario.h"

#include "connection.h"
#include "dataset.h"
#include "dialogservice.h"
#include "field.h"
#include "statement.h"

#include <QLoggingCategory>
#include <cmath>
#include <sqlite3.h>

Q_LOGGING_CATEGORY(lcBbdd, "brenvik.zedivu.bbdd", QtCriticalMsg)

namespace {

SqlError g_ultimoError;

void recordar(const SqlError &error)
{
    g_ultimoError = error;
    if (error.isValid())
        qCWarning(lcBbdd).noquote() << error.text();
}

SqlError sinConexion(const QString &sql)
{
    return SqlError{QStringLiteral("la conexión no está abierta"), sql, QString(), SQLITE_MISUSE};
}

// Runs `sql` on `conexion` and hands each row (as text, by declared type) to `fila`,
// which returns false to stop reading. False on failure, with the error recorded.
template<typename PorFila>
bool leer(Connection *conexion, const QString &sql, const QVariantList &params, PorFila fila)
{
    if (!conexion || !conexion->isOpen()) {
        recordar(sinConexion(sql));
        return false;
    }
    sqlite3 *db = conexion->handle();
    Statement st(db, sql);
    if (!st.isValid() || !st.bind(params)) {
        recordar(SqlError{st.isValid() ? QStringLiteral("cantidad de parámetros incorrecta") : QString::fromUtf8(sqlite3_errmsg(db)),
                          sql, conexion->fileName(), sqlite3_errcode(db)});
        return false;
    }
    const int n = st.columnCount();
    QStringList tipos;
    for (int i = 0; i < n; ++i)
        tipos.append(st.declaredType(i));
    int rc;
    while ((rc = st.step()) == SQLITE_ROW) {
        QList<QVariant> valores;
        valores.reserve(n);
        for (int i = 0; i < n; ++i)
            valores.append(st.value(i));
        if (!fila(valores, tipos)) {
            recordar(SqlError());
            return true;
        }
    }
    if (rc != SQLITE_DONE) {
        recordar(SqlError{QString::fromUtf8(sqlite3_errmsg(db)), sql, conexion->fileName(), sqlite3_extended_errcode(db)});
        return false;
    }
    recordar(SqlError());
    return true;
}

QString texto(const QVariant &valor, const QString &tipo)
{
    return valor.isNull() ? QString() : Field::textOfStored(valor, tipo);
}

template<typename Resultado, typename Funcion>
Resultado porArchivo(const QString &archivo, Connection::OpenMode modo, Funcion funcion)
{
    Connection conexion;
    if (!conexion.open(archivo, modo)) {
        recordar(conexion.lastError());
        return Resultado();
    }
    return funcion(&conexion);
}

} // namespace

SqlError UltimoErrorBBDD()
{
    return g_ultimoError;
}

// --- connections and datasets ----------------------------------------------------------

bool setArchivoADO(Connection *conexion, const QString &archivo)
{
    if (!conexion)
        return false;
    const bool ok = conexion->setFile(archivo);
    recordar(ok ? SqlError() : conexion->lastError());
    return ok;
}

bool ActivarADO(Connection *conexion)
{
    if (!conexion)
        return false;
    if (!conexion->isOpen() && !conexion->open(conexion->fileName())) {
        recordar(conexion->lastError());
        return false;
    }
    bool ok = true;
    for (Dataset *ds : conexion->datasets())
        ok = RefrescarADS(ds) && ok;
    return ok;
}

void DesactivarADO(Connection *conexion)
{
    if (conexion)
        conexion->close();
}

bool RefrescarADS(Dataset *ds)
{
    if (!ds || !ds->Active())
        return true;
    ds->Cancel();
    if (ds->IsEmpty())
        return true;
    const int registro = ds->RecNo();
    ds->Close();
    if (!ds->Open()) {
        recordar(ds->lastError());
        return false;
    }
    if (ds->Filtered())
        ds->First();
    else
        ds->setRecNo(registro);
    return true;
}

bool RefrescarADT(Dataset *t)
{
    if (!t || !t->Active())
        return true;
    // The posts' refreshes of other datasets happen once, after the last post.
    RefrescoDiferido diferido;
    t->Cancel();
    for (int i = t->RecordCount(); i >= 1; --i) {
        t->setRecNo(i);
        if (t->IsEmpty())
            break;
        t->Edit();
        if (!t->Post()) {
            recordar(t->lastError());
            t->Cancel();
            return false;
        }
    }
    return AbreCierraADT(t);
}

bool AbreCierraADT(Dataset *t)
{
    if (!t)
        return false;
    t->Close();
    if (!t->Open()) {
        recordar(t->lastError());
        return false;
    }
    return true;
}

// --- reading ---------------------------------------------------------------------------

QString Consulta(Connection *conexion, const QString &sql, const QVariantList &params)
{
    QString resultado;
    leer(conexion, sql, params, [&](const QList<QVariant> &fila, const QStringList &tipos) {
        if (!fila.isEmpty())
            resultado = texto(fila.first(), tipos.first());
        return false;
    });
    return resultado;
}

QString Consulta(const QString &archivo, const QString &sql, const QVariantList &params)
{
    return porArchivo<QString>(archivo, Connection::ReadOnly, [&](Connection *c) { return Consulta(c, sql, params); });
}

QStringList Consulta2(Connection *conexion, const QString &sql, const QVariantList &params)
{
    QStringList resultado;
    leer(conexion, sql, params, [&](const QList<QVariant> &fila, const QStringList &tipos) {
        if (!fila.isEmpty() && !fila.first().isNull())
            resultado.append(texto(fila.first(), tipos.first()));
        return true;
    });
    return resultado;
}

QStringList Consulta2(const QString &archivo, const QString &sql, const QVariantList &params)
{
    return porArchivo<QStringList>(archivo, Connection::ReadOnly, [&](Connection *c) { return Consulta2(c, sql, params); });
}

QList<QStringList> Consulta3(Connection *conexion, const QString &sql, const QVariantList &params)
{
    QList<QStringList> resultado;
    leer(conexion, sql, params, [&](const QList<QVariant> &fila, const QStringList &tipos) {
        QStringList textos;
        for (int i = 0; i < fila.size(); ++i)
            textos.append(texto(fila.at(i), tipos.at(i)));
        resultado.append(textos);
        return true;
    });
    return resultado;
}

QList<QStringList> Consulta3(const QString &archivo, const QString &sql, const QVariantList &params)
{
    return porArchivo<QList<QStringList>>(archivo, Connection::ReadOnly, [&](Connection *c) { return Consulta3(c, sql, params); });
}

QString ValorRS(Dataset *ds, const QString &campo)
{
    if (!ds)
        return QString();
    const Field *f = ds->FindField(campo);
    return (f && !f->IsNull()) ? f->AsString() : QString();
}

bool Asercion(Connection *conexion, const QString &resto, const QVariantList &params)
{
    return Consulta(conexion, QStringLiteral("SELECT COUNT(*) ") + resto, params).toLongLong() > 0;
}

bool Asercion(const QString &archivo, const QString &resto, const QVariantList &params)
{
    return Consulta(archivo, QStringLiteral("SELECT COUNT(*) ") + resto, params).toLongLong() > 0;
}

// --- statements ------------------------------------------------------------------------

bool Operacion(Connection *conexion, const QString &sql, const QVariantList &params)
{
    bool filas = false;
    leer(conexion, sql, params, [&](const QList<QVariant> &, const QStringList &) {
        filas = true;
        return true; // read to the end, so that every effect of the statement happens
    });
    return filas;
}

bool Operacion(const QString &archivo, const QString &sql, bool mostrarError, const QVariantList &params)
{
    Connection conexion;
    bool filas = false;
    if (conexion.open(archivo, Connection::ReadWrite))
        filas = Operacion(&conexion, sql, params);
    else
        recordar(conexion.lastError());
    if (g_ultimoError.isValid() && mostrarError)
        DialogoWin32(mtCustom, QStringLiteral("Error en ejecución de sentencia SQL:\n\n") + sql, MB::OK);
    return filas;
}

bool Operacion(const QString &archivo, const QString &sql, const QVariantList &params)
{
    return Operacion(archivo, sql, true, params);
}

// --- fields ----------------------------------------------------------------------------

bool CopiarCampo(Dataset *origen, const QString &campoOrigen, Dataset *destino, const QString &campoDestino)
{
    if (!origen || !destino)
        return false;
    return destino->FieldByName(campoDestino)->setAsString(origen->FieldByName(campoOrigen)->AsString());
}

bool CopiarCampoCalc(Dataset *ds, const QString &campo)
{
    return CopiarCampo(ds, campo, ds, campo + QStringLiteral("_calc"));
}

bool CopiarCampoLook(Dataset *ds, const QString &campo)
{
    return CopiarCampo(ds, campo, ds, campo + QStringLiteral("_look"));
}

// --- numbers ---------------------------------------------------------------------------

QChar DigitoVerificador(const QString &numero)
{
    const QString n = numero.isEmpty() ? QStringLiteral("0") : numero;
    int suma = 0;
    int peso = 2;
    for (qsizetype i = n.size() - 1; i >= 0; --i) {
        const QChar c = n.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QChar();
        suma += (c.unicode() - '0') * peso;
        peso = peso == 7 ? 2 : peso + 1;
    }
    const int r = suma % 11;
    if (r == 0)
        return QLatin1Char('0');
    if (r == 1)
        return QLatin1Char('K');
    return QChar(char16_t(u'0' + (11 - r)));
}

qint64 Redondea(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = std::trunc(x < 0 ? x - 0.5 : x + 0.5);
    if (r >= 9.2e18)
        return std::numeric_limits<qint64>::max();
    if (r <= -9.2e18)
        return std::numeric_limits<qint64>::min();
    return qint64(r);
}

double RedondeaSegundoDecimal(double x)
{
    return double(Redondea(x * 100)) * 0.01;
}
