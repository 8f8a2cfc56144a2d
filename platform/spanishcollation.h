#pragma once
// Spanish alphabetical order for the lists the program shows (communes, provinces,
// persons, properties, species): accents and case do not change a word's place, and "ñ"
// is a letter of its own between "n" and "o". So "Antártica" comes before "Antuco" and
// "Cañete" before "Cauquenes", where SQLite's byte order puts every accented letter
// after "z".
//
// Every Connection registers it as the collation ESPANOL; a list query asks for it by
// name: "ORDER BY loca_descripcion COLLATE ESPANOL". Words equal but for accents or case
// keep a fixed order (unaccented first, then lower case first, then code points), so the
// order is total, as SQLite requires of a collation.
#include <QStringView>

struct sqlite3;

inline constexpr const char *kSpanishCollation = "ESPANOL";

// <0, 0 or >0 as `a` sorts before, with or after `b`.
int compareSpanish(QStringView a, QStringView b);

// Registers ESPANOL on `db`; false when SQLite refused it.
bool registerSpanishCollation(sqlite3 *db);
