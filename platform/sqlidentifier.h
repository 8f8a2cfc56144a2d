#pragma once
// Table and column names come from schemas and form descriptions, never from the user;
// they still pass this check before they reach SQL text: letters, digits and underscore,
// not starting with a digit.
#include <QString>

namespace SqlIdentifier {
bool isValid(const QString &name);
// The name between double quotes, for SQL text. Only call it on valid names.
QString quoted(const QString &name);
} // namespace SqlIdentifier
