#pragma once
// A programming fault found at run time (a form names a dataset, field or data source
// that is not there): logged, and shown as an error box with the unit and line so that
// the user can report it. The program goes on; the caller returns what it can.
#include <QString>

void FallaProgramacion(const QString &mensaje, const char *unidad, int linea);

// In the framework's sources: FALLA_PROGRAMACION("dataset \"x\" no encontrado ...")
#define FALLA_PROGRAMACION(mensaje) FallaProgramacion((mensaje), "util_eedd", __LINE__)
