#pragma once
// The field checks behind TCustomMDIChild::Validar, without any window: each returns the
// failure's message (to follow "El campo "label" "), or an empty text when the field
// passes. `anoActual` is the current year (a parameter so that the boundaries can be tested).
#include "ttipovalidacion.h"

#include <QDate>
#include <QString>
#include <optional>

class Connection;
class Field;

// The label a message names: the display label after its last "|", line breaks as blanks,
// "-" read as "Dígito Verificador".
QString EtiquetaCampo(const Field *campo);

// Reads a "DD-MM-AA" or "DD-MM-AAAA" text (two-digit years below 30 are 20xx); on failure
// the message and no date.
std::optional<QDate> LeerFechaValidacion(const QString &texto, int anoActual, QString &mensaje);

// Checks tvNoVacio .. tvCoordenadaE and tvAnoActualMin in their fixed order. tvUnico counts
// the other rows holding the same value on `conexion`; a failed count query is reported in
// `error` (a fault, not a failed check). A valid date is written back into the field.
QString ComprobarCampo(Field *campo, TTipoValidaciones tipos, int anoActual, Connection *conexion,
                       QString *error = nullptr);

// Checks tvMenor, tvMenorIgual, tvMayorIgual and tvMayor against `limite`.
QString ComprobarLimite(const Field *campo, TTipoValidaciones tipos, double limite);

// "El campo "label" " + message.
QString MensajeCampo(const Field *campo, const QString &mensaje);
