#include "sqlerror.h"

QString SqlError::text() const
{
    if (!isValid())
        return QString();
    QString t = message;
    if (!file.isEmpty())
        t += QStringLiteral(" (") + file + QLatin1Char(')');
    if (!sql.isEmpty())
        t += QStringLiteral("\n") + sql;
    return t;
}
