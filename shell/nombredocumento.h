#pragma once
// The file name that Save As proposes for a document.
#include <QString>

// `carpeta` + name + "." + `extension`, the name being the property name without the
// characters a file name cannot hold, cut to 50 characters, then "_" + `parteCodigo` +
// "_" + a three-digit number, all in lower case; the number is the first whose file does
// not exist in `carpeta` (which ends with "/").
QString NombreDocumentoPorDefecto(const QString &predNombre, const QString &parteCodigo, const QString &carpeta,
                                  const QString &extension);

// The code part of the proposed name: the principal code, or for the generic form the word
// of its variant (`tag` 31, 32, 33).
QString ParteCodigoDocumento(const QString &codigoPpal, int tag);
