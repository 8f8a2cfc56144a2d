#pragma once
// The working database a document brings is a file from anywhere: it is read only as
// data. Its tables and columns that the form's template holds are copied, by name, into
// a fresh copy of that template; nothing else of it (triggers, views, indexes, pragmas,
// journal mode, free pages) reaches the program. Every value must fit its column in the
// template, and a table the form keeps one row in must not hold more; otherwise the
// document is damaged and nothing is copied.
//
// A table or column that a document of an older version lacks gets what the schema
// upgrade (ActualizacionMDB) gives it: the column's initial value, the new table's rows.
#include <QString>
#include <QStringList>

class BaseRecibida
{
public:
    // The longest memo text, in UTF-8 bytes: some thirty pages, far beyond what a
    // consultant writes in one box, and short enough for a text box to lay out at once.
    static constexpr int kLargoMaximoMemo = 64 * 1024;

    struct Formulario
    {
        QString codigo;             // the form's code, upper case
        QString version;            // the record's trimmed version tag ("v2.5")
        QStringList tablasUnaFila;  // tables that hold at most one row
    };

    enum class Resultado {
        Copiada,
        Danada,        // not a sound working database of the form (or a file failed)
        SinActualizar, // an older version's document lacks a table its upgrade changes
    };

    // Copies the data of the database file `origen` into `destino`, a copy of the form's
    // template. `origen` is only read, except that a file in write-ahead-log mode is
    // set back to the rollback journal so that reading it never looks for, or leaves,
    // side files. Unless Copiada, `error` says why (for the log) and `destino` is of no use.
    static Resultado copiar(const QString &origen, const QString &destino, const Formulario &formulario,
                            QString *error = nullptr);
};
