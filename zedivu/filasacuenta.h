#pragma once
// The detail rows of one master row kept to a count (the samples of a plot count): once the
// master's post succeeded, rows beyond the count go, last first, and missing ones are added
// numbered after the others with their starting values.
#include <QString>
#include <QVariant>
#include <QVariantMap>

class Connection;

// The rows of `tabla` whose `enlace` is `valor`, kept to `cantidad` (a negative count keeps
// none): the last in row order go, and each missing row gets `enlace`, its 1-based position
// in `numero` and `iniciales`. Bound values, one transaction; false with nothing written when
// a statement fails or a name is not an identifier.
bool FilasACuenta(Connection *conexion, const QString &tabla, const QString &enlace, const QVariant &valor,
                  const QString &numero, int cantidad, const QVariantMap &iniciales = {});
