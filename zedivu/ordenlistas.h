#pragma once
// The order of the lists of persons and properties, in Spanish (ESPANOL): the same
// columns and collation as their indexes in the main database (persona_nombre,
// predio_nombre), so that SQLite reads a list in index order and never sorts it.
// Consultants are few and have no index; they sort the same way.
inline constexpr const char *kOrdenPersonas = "pers_paterno COLLATE ESPANOL, pers_materno COLLATE ESPANOL, pers_nombre COLLATE ESPANOL";
inline constexpr const char *kOrdenConsultores =
    "cons_paterno COLLATE ESPANOL, cons_materno COLLATE ESPANOL, cons_nombre COLLATE ESPANOL";
inline constexpr const char *kOrdenPredios = "pred_nombre COLLATE ESPANOL";
