#pragma once
// The query helpers through which the framework and the forms reach their databases:
// pointing a connection at a file, refreshing datasets, reading one value or a list of
// rows, running a statement, testing whether rows exist, copying a field, the check digit
// of a RUT and rounding.
//
// Values are never spliced into SQL: every helper that takes SQL takes its values as
// `params`, bound in order to the ? placeholders. Pass them as a QVariantList{...}.
// Helpers taking a file path open a temporary connection for the one call: read-only for
// Consulta, Consulta2, Consulta3 and Asercion; read-write (never creating the file) for
// Operacion.
//
// Results: a missing row or a NULL reads as "" (Consulta), an empty list (Consulta2,
// Consulta3). Values read as text follow the program's Chilean format: integers as digits,
// reals with a decimal comma ("12,5"), dates of DATETIME columns as dd-mm-yyyy, booleans
// of BOOLEAN columns as "True"/"False"; ChileanText::toDouble reads such a number back.
// Failures (missing file, SQL error, closed connection) give the same empty result or
// false, and are kept in UltimoErrorBBDD() until the next helper call; nothing throws.
#include "sqlerror.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class Connection;
class Dataset;

// Kinds of multi-selection lists.
enum TTipoSeleccionMultiple {
    tsmNinguno,
    tsmAnoActualMax,
    tsmEspecie,
    tsmEspecieTAMVO,
    tsmEspecieQUIREL,
    tsmEspecieCOBA,
    tsmEspecieERTIV,
    tsmEspecieKELU,
    tsmEspecieNativo,
    tsmEspecieDALU,
    tsmEspecieMARPO,
    tsmFlora,
    tsmFauna,
    tsmEspecieHARPE,
};

// --- connections and datasets
// Closes the connection, opens `archivo` and opens every attached dataset in order.
// False for a null connection or when the file or a dataset does not open.
bool setArchivoADO(Connection *conexion, const QString &archivo);
// Opens the connection on its file and refreshes every attached dataset (RefrescarADS).
bool ActivarADO(Connection *conexion);
// Closes every attached dataset, then the connection.
void DesactivarADO(Connection *conexion);
// Cancels a pending edit; a non-empty dataset is closed and reopened and positioned on its
// first record when filtered, else on the record number it had. False when it fails to reopen.
bool RefrescarADS(Dataset *ds);
// Cancels pending changes, then edits and posts every record from the last to the first
// (so the before-post and after-post handlers run again), then closes and reopens.
// An Abort() from those handlers propagates.
bool RefrescarADT(Dataset *t);
bool AbreCierraADT(Dataset *t);

// --- reading
QString Consulta(const QString &archivo, const QString &sql, const QVariantList &params = {});
QString Consulta(Connection *conexion, const QString &sql, const QVariantList &params = {});
// First column of every row, NULLs left out.
QStringList Consulta2(const QString &archivo, const QString &sql, const QVariantList &params = {});
QStringList Consulta2(Connection *conexion, const QString &sql, const QVariantList &params = {});
// Every column of every row, NULL as "".
QList<QStringList> Consulta3(const QString &archivo, const QString &sql, const QVariantList &params = {});
QList<QStringList> Consulta3(Connection *conexion, const QString &sql, const QVariantList &params = {});
// The current record's field `campo` (any case) as text; "" when absent or NULL.
QString ValorRS(Dataset *ds, const QString &campo);
// Runs "SELECT COUNT(*) " + resto; true when the count is above 0. `resto` starts at FROM.
bool Asercion(const QString &archivo, const QString &resto, const QVariantList &params = {});
bool Asercion(Connection *conexion, const QString &resto, const QVariantList &params = {});

// --- statements: true only when the statement returned at least one row, so a
// successful INSERT, UPDATE, DELETE, ALTER or CREATE gives false; tell success from
// failure with UltimoErrorBBDD().
// With mostrarError, a failure shows "Error en ejecución de sentencia SQL:" and the SQL.
bool Operacion(const QString &archivo, const QString &sql, bool mostrarError, const QVariantList &params = {});
bool Operacion(const QString &archivo, const QString &sql, const QVariantList &params = {});
// On an open connection of the caller; false for a null or closed connection.
bool Operacion(Connection *conexion, const QString &sql, const QVariantList &params = {});

// The failure of the last helper call above (isValid() false when it succeeded).
SqlError UltimoErrorBBDD();

// --- fields (a missing field is a DatasetError; false when the value does not fit)
bool CopiarCampo(Dataset *origen, const QString &campoOrigen, Dataset *destino, const QString &campoDestino);
// Copies `campo` into `campo` + "_calc" / + "_look" of the same dataset.
bool CopiarCampoCalc(Dataset *ds, const QString &campo);
bool CopiarCampoLook(Dataset *ds, const QString &campo);

// --- numbers
// Check digit of a RUT: '0'..'9' or 'K'; an empty number counts as "0". A number holding
// anything but digits gives QChar() ('\0'), which never equals an entered check digit.
QChar DigitoVerificador(const QString &numero);
// Rounds half away from zero (2.5 -> 3, -2.5 -> -3); NaN gives 0, values beyond the
// 64-bit range are clamped.
qint64 Redondea(double x);
// Redondea(x * 100) * 0.01, with the floating-point value of x * 100 (1.005 -> 1).
double RedondeaSegundoDecimal(double x);
