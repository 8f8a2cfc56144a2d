#pragma once
// File routines: size, whole-file copy, a time-based unique number for file names
// and the user's Documents folder. Paths use "/".
#include <QString>

// Size in bytes; -1 when there is no such file (a folder counts as none).
qint64 TamanoArchivo(const QString &archivo);

// Copies the whole file, creating or replacing `destino`. The copy is written to a
// temporary file beside `destino` and renamed over it, so a failed copy leaves
// `destino` as it was. Copying a file onto itself does nothing and succeeds.
// On failure returns false and, when `error` is given, a Spanish text naming the
// file and the cause.
bool CopiarArchivo(const QString &origen, const QString &destino, QString *error = nullptr);

// Decimal digits of the milliseconds elapsed since the start of the current year
// (local time); used to name working databases.
QString MilisegundosAno();

// The user's Documents folder ending in "/", or "" when it cannot be located.
QString GetMisDocumentos();
