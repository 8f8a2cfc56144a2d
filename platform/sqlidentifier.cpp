#include "sqlidentifier.h"

namespace SqlIdentifier {

bool isValid(const QString &name)
{
    if (name.isEmpty() || name.at(0).isDigit())
        return false;
    for (QChar c : name) {
        const bool ok = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                        || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
        if (!ok)
            return false;
    }
    return true;
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace SqlIdentifier
