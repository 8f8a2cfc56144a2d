#pragma once
// The lists of the multi-selection kinds: one text column of items, read from the main
// database (TCustomMDIChild::SeleccionMultiple binds them to edits and grid columns).
#include "ttipocomboexterno.h"
#include "util_bbdd.h"

constexpr int kCantidadTiposSeleccionMultiple = int(tsmEspecieHARPE) + 1;

// The kind's name as written in code ("tsmEspecieKELU").
QString NombreSeleccionMultiple(TTipoSeleccionMultiple tipo);

// The kind named `nombre` ("tsmFlora", exact case); false when there is none.
bool TipoSeleccionMultiplePorNombre(const QString &nombre, TTipoSeleccionMultiple &tipo);

// The kind's SELECT of items. Empty for tsmNinguno, and for tsmFlora and tsmFauna unless
// `paraGrilla` (those two lists are offered in grid columns only). `anoActual` bounds the
// list of tsmAnoActualMax.
ConsultaLista ConsultaSeleccionMultiple(TTipoSeleccionMultiple tipo, bool paraGrilla, int anoActual);
