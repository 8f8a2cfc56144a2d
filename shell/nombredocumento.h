#pragma once
// The file name that Save As proposes for a document.
#include <QString>

class QWidget;

// `carpeta` + name + "." + `extension`, the name being the property name without the
// characters a file name cannot hold, cut to 50 characters, then "_" + `parteCodigo` +
// "_" + a three-digit number, all in lower case; the number is the first whose file does
// not exist in `carpeta` (which ends with "/").
QString NombreDocumentoPorDefecto(const QString &predNombre, const QString &parteCodigo, const QString &carpeta,
                                  const QString &extension);

// The code part of the proposed name: the principal code, or for the generic form the word
// of its variant (`tag` 31, 32, 33).
QString ParteCodigoDocumento(const QString &codigoPpal, int tag);

// `archivo` as a file the program can take back: unchanged when its name ends in "." +
// `extension` (case ignored), else with it appended. A name typed without its extension
// (or with a dot of its own, "Plan Sr. Pérez") would otherwise be saved where Open and
// Import no longer see a document.
QString ConExtension(const QString &archivo, const QString &extension);

// The save dialog over `inicial` with one filter; a name typed without an extension gets
// `extension` before the dialog checks whether it would replace a file. Empty: cancelled.
QString PedirArchivoGuardar(QWidget *padre, const QString &inicial, const QString &filtro, const QString &extension);
