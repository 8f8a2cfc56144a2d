#pragma once
// The windbreak curtains of the forms that plan or accredit them, one rule set for all.
// A curtain is named by its sector and number, which no other curtain of the form repeats
// (checked on every insert and on an edit that changes either). It owns its rows of trees,
// a detail table by the curtain's identity numbered 1 .. its row count: once the curtain's
// post succeeded the rows are made to agree with the count (the first rows keep what was
// typed into them, missing ones are appended, the excess goes, in one transaction).
// Deleting a curtain deletes its rows. The main record's sup_afe keeps the curtains' total
// of one column. Declared once by the form window, after its described checks are
// installed; what tells the forms apart is said in a Cortinas.
#include <QString>

class DataSource;
class Dataset;
class ReglasFormulario;

struct Cortinas
{
    Dataset *cortinas = nullptr;
    QString tabla;         // the curtains' table in the working database
    Dataset *filas = nullptr;
    QString tablaFilas;    // the rows' table
    QString enlace;        // the rows' column holding the curtain's identity
    QString numeroFila;    // the rows' number, 1 ..
    QString id = QStringLiteral("Id_car");
    QString sector = QStringLiteral("num_sect");
    QString numero = QStringLiteral("num_cort");
    QString cantidad = QStringLiteral("num_hil"); // the curtain's row count
    DataSource *fuente = nullptr; // the curtains' data source
    QString suma;                 // the column whose total sup_afe keeps
    // Asked before a post that leaves the curtain fewer rows than it has; No keeps it in
    // edit. Empty: the excess goes without asking.
    QString preguntaMenos;
    // Asked instead of the framework's delete confirmation; empty: that confirmation.
    QString preguntaBorrado;
};

void DeclararCortinas(ReglasFormulario &reglas, const Cortinas &cortinas);
