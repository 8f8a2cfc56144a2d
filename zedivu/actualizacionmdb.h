#pragma once
// Schema upgrade of a working database written by an older version of the program.
// Three cumulative stages, each applied when the record's version tag is in its list:
//   stage 1  v1.0 v1.1 v1.2 v1.3
//   stage 2  v1.0 ... v1.5
//   stage 3  v1.0 ... v1.5, v2.0 ... v2.3
// Inside a stage the changes for the form code run in order. A column or table that is
// already there is left as it is (and its initial value is not written over its data);
// widening a text column has nothing to change in SQLite, so those changes are absent.
// Later versions (v2.4 on) and unknown tags are not upgraded.
//
// Returns results only; TCustomMDIChild::ActualizaMDB shows the messages.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class Connection;

class ActualizacionMDB
{
public:
    struct Paso
    {
        enum Tipo {
            AgregarColumna, // ALTER TABLE tabla ADD COLUMN columna definicion; then, when
                            // `inicial` is valid, UPDATE tabla SET columna = inicial
            CrearTabla,     // CREATE TABLE tabla (definicion); then the statement `copia`
            CambiarTipo,    // the column's declared type becomes `definicion` (table rebuilt)
        };
        Tipo tipo;
        QString tabla;
        QString columna;
        QString definicion;
        QVariant inicial;
        QString copia;
    };

    // Stages (1, 2, 3) that apply to a trimmed version tag ("v1.3").
    static QList<int> etapas(const QString &version);
    // The changes of one stage for a form code (upper case), in order.
    static QList<Paso> pasosEtapa(int etapa, const QString &codigo);
    // Every change that upgrades a record of `codigo` written by `version`.
    static QList<Paso> pasos(const QString &codigo, const QString &version);

    // Runs the changes on an open connection. The initial values of a code's new columns
    // are written after all its columns were added, as the stages always did. Each
    // change is its own statement: on failure the ones before it stay and `error` holds
    // SQLite's message.
    static bool ejecutar(Connection &conexion, const QList<Paso> &pasos, QString *error);
    // Opens `mdb`, runs the upgrade of `codigo` from `version` and closes it.
    static bool actualizar(const QString &mdb, const QString &codigo, const QString &version, QString *error);

    // Changes the declared type of one column by rebuilding its table in one transaction
    // (rows, indexes and triggers kept); nothing happens when the type is already that.
    static bool cambiarTipoColumna(Connection &conexion, const QString &tabla, const QString &columna,
                                   const QString &tipo, QString *error);
};
