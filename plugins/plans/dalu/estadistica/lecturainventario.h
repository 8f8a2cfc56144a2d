#pragma once
// Reads what the stand statistics take from the databases: one inventory with its plots
// and trees from the working database, and the species codes of a stand table's "other
// species" text from the main database. Values are bound, never spliced into the SQL.
#include "estadisticadalu.h"

#include "sqlerror.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

class Connection;

namespace EstadisticaDalu {

// The dalu_inventario row `idInv` (tip_parc, mag, num_parc; empty or NULL read as 0,
// numbers stored as text read in either decimal mark) and the trees of its plots (a tree
// without a diameter is not a measured tree and is left out). A missing row gives an
// empty inventory. Empty on a database failure, which `error` then holds.
std::optional<Inventario> leerInventario(Connection &trabajo, const QVariant &idInv, SqlError *error = nullptr);

// The codes of the species named in `esps` (descriptions separated by ","), looked up in
// the main database's especie table, in order; a name that matches no species is left
// out. Empty on a database failure, which `error` then holds.
std::optional<std::vector<int>> codigosEspecies(Connection &principal, const QString &esps,
                                                SqlError *error = nullptr);

// The stand table (dalu_tab_rod_det) of the dalu_tab_rod row `idTabRod` in the order it
// was written, with each row's Id in `ids` when given. Empty on a database failure,
// which `error` then holds.
std::optional<std::vector<FilaTablaRodal>> leerTablaRodal(Connection &trabajo, const QVariant &idTabRod,
                                                          std::vector<QVariant> *ids = nullptr,
                                                          SqlError *error = nullptr);

// A stored number: NULL and empty text are 0, text is read in either decimal mark.
double numeroGuardado(const QVariant &valor);

} // namespace EstadisticaDalu
