#pragma once
// The base class of the register windows: modal windows over a table of the main database
// (properties, persons, consultants) that can also be opened to choose a row. Callers never
// link a register's class: they create it by its registered name, set the DirAplicacion
// property and invoke one of the two operations through the meta-object.
//
// Typed characters are upper-cased in the Spanish way (key preview). Field checks show the
// register's own "Error en Mantenedor" message through the dialog service.
#include "ttipovalidacion.h"

#include <QDialog>
#include <QString>

class Connection;
class Dataset;
class Field;

class TCustomModalChild : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString DirAplicacion MEMBER DirAplicacion)

public:
    // `owner` null or a top-level window: the window is modal over the application.
    explicit TCustomModalChild(QWidget *owner = nullptr);
    ~TCustomModalChild() override;

    QString DirAplicacion; // program directory ending in "/"; set by the caller before showing
    // A row is being edited or created: the window cannot be closed until it is saved or
    // cancelled.
    bool Editando = false;
    bool Creando = false;

    // Edits the register modally; the window deletes itself when it is closed.
    Q_INVOKABLE virtual void MostrarModal() = 0;
    // Lets the user choose a row; returns its key, 0 when closed without a choice. The
    // caller deletes the window afterwards.
    Q_INVOKABLE virtual int MostrarModalSeleccion() = 0;

    // A register window of class `clase` (by its registered name), with `dirAplicacion`,
    // shown for editing; nothing happens when the class is not registered. The window is
    // owned by `owner`'s top-level window (any widget of a form may be passed).
    static void MostrarRegistro(const QString &clase, const QString &dirAplicacion, QWidget *owner);
    // The same shown for choosing: the chosen key, 0 for none or an unregistered class.
    // The window is gone when this returns.
    static int SeleccionarEnRegistro(const QString &clase, const QString &dirAplicacion, QWidget *owner);

    // A message box of the dialog service; returns the answer (ID::*).
    int Dialogo(int tipo, const QString &texto, int botones);
    // The checks of `flags` on the current value of `campo`; the first failure is told
    // to the user and cancels the running operation with Abort().
    void Validar(Field *campo, TTipoValidaciones flags);
    // Reads `texto` as DD-MM-AA or DD-MM-AAAA into `campo`; a bad text is told to the user
    // and leaves the field unchanged. False when the text was refused.
    bool ValidarFecha(Field *campo, const QString &texto);
    // The check digit field must match the RUT field's digit; otherwise tells the user and
    // Abort()s.
    void ValidarRUT(Dataset *ds, const QString &campoRut, const QString &campoDv);

    // The text of a failed check: "Error en Mantenedor:\n\nEl campo \"label\" " + mensaje.
    static QString MensajeCampo(const QString &etiqueta, const QString &mensaje);
    // The message of the first failed check of `flags` on `campo`, empty when all pass.
    static QString FallaValidacion(Field *campo, TTipoValidaciones flags);
    // The message for a refused date text, empty when `texto` is a valid date (in `fecha`).
    static QString FallaFecha(const QString &etiqueta, const QString &texto, QDate *fecha);

    // Opens `conexion` on DirAplicacion + "bbdd/bd.db" for writing; a missing file is
    // told to the user as the missing "BD.DB".
    bool AbrirBaseDatos(Connection *conexion);

    // Closing (the close button, Escape, the window's close box) is refused while
    // editing or creating.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_reenviando = false;
};
