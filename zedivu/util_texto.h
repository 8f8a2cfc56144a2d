#pragma once
// Small text routines the whole system calls: Spanish upper-casing, replacement,
// splitting and joining of lists, counting, list difference, the consultant's
// profession title, the program's version and the trace routines.
// String lists are QStringList values; where a caller could pass "no list", an
// empty list stands for it.
#include <QChar>
#include <QString>
#include <QStringList>
#include <QVariant>

class QObject;

// ASCII a-z to A-Z, and ñ á é í ó ú ü to Ñ Á É Í Ó Ú Ü; every other character unchanged.
// Form windows pass every typed key through it.
QChar Mayuscula(QChar c);
// Mayuscula on every character.
QString Mayusculas(const QString &s);

// Every occurrence of `buscar` replaced, scanning left to right without re-reading
// replaced text ("aaa", "aa" -> "b" gives "ba"). An empty `buscar` changes nothing.
QString Reemplazar(const QString &texto, const QString &buscar, const QString &reemplazo);

// The pieces between separators, each trimmed, in order; always at least one piece
// (an empty text gives one empty piece). An empty separator gives the whole text trimmed.
QStringList Explode(const QString &texto, const QString &separador);
// The items, each trimmed, joined with the separator; an empty list gives "".
QString Implode(const QStringList &lista, const QString &separador);

// Non-overlapping occurrences of `subtexto`, left to right; 0 for an empty `subtexto`.
int Contar(const QString &texto, const QString &subtexto);

// A copy of `a` from which, for every item of `b`, the first item equal to it
// (case ignored) is removed once: x, x, y minus x gives x, y.
QStringList DiferenciaTStrings(const QStringList &a, const QStringList &b);

// "1" INGENIERO FORESTAL, "2" INGENIERO AGRONOMO ESPECIALIZADO, "3" INGENIERO AGRONOMO, else "".
QString getNombreProfesionConsultor(const QString &codigo);

// "<major>.<minor>" of the program version built into every file of the program
// ("2.5"); "Unknown" when `archivo` cannot be read. An empty name means the running program.
QString GetProgramVersion(const QString &archivo);
// "<major>.<minor>.<release>" of the same version, as the about box shows it ("2.5.0");
// "Unknown" when `archivo` cannot be read. An empty name means the running program.
QString ObtenerVersionArchivo(const QString &archivo = QString());

// Trace routines called at the entry and exit of most operations. They write only
// when isDebug() is true, which it is not in this build, so they write nothing.
bool isDebug();
void DebugIn(const QString &nombre, const QObject *sender);
void DebugIn(const QString &nombre, const QString &valor);
void DebugOut(const QString &nombre);
void Debug(const QVariant &valor);
