#pragma once
// A register window over one table of the main database, made from a DescripcionRegistro:
// the list of rows at the left ("Crear", "Editar", "Borrar", "Cerrar", "Seleccionar y
// Cerrar" under it) and the edit panel of the current row at the right ("Guardar",
// "Cancelar"). Browse mode lets the user move in the list; "Editar" and "Crear" enter edit
// mode, which only "Guardar" (after the checks) or "Cancelar" leave, and which the window
// cannot be closed in.
//
// Opened to choose (MostrarModalSeleccion) over an empty table it starts creating the
// first row at once, so that a fresh installation's first consultant can register himself.
//
// Components are named for tests and callers: dbgLista, btnCrear, btnEditar, btnBorrar,
// btnCerrar, btnSeleccionar, btnGuardar, btnCancelar, lblAviso and one control per
// field named "edt_" / "cbo_" / "lcb_" + the column.
#include "descripcionregistro.h"
#include "tcustommodalchild.h"

#include <QList>

class Connection;
class DataAwareControl;
class DataSource;
class DBGrid;
class Query;
class QLabel;
class QPushButton;

class TRegistroTabla : public TCustomModalChild
{
    Q_OBJECT

public:
    TRegistroTabla(const DescripcionRegistro &descripcion, QWidget *owner);
    ~TRegistroTabla() override;

    void MostrarModal() override;
    int MostrarModalSeleccion() override;

    // Connects to the main database and shows the list in browse mode on the first row;
    // false (told to the user) when the database cannot be opened.
    bool Abrir();

    // The buttons' actions.
    void Crear();
    void Editar();
    // Writes what the controls hold, checks and posts the row; false when a check or the
    // database refused it (the row stays in edit).
    bool Guardar();
    void Cancelar();
    void Borrar();

    // The key of the current row, 0 when there is none.
    int ClaveActual() const;
    Query *Datos() const { return m_datos; }
    Connection *Conexion() const { return m_conexion; }
    const DescripcionRegistro &Descripcion() const { return m_descripcion; }

private:
    void construir();
    QWidget *crearControl(const CampoRegistro &campo, QWidget *padre);
    void aplicarEtiquetas();
    void habilitarEdicion(bool editar);
    // The checks of every field, the RUT's check digit and uniqueness (before post).
    void validarFila();
    void validarExportable(Field *campo, const QString &separadores);
    void informarError(const QString &texto);

    DescripcionRegistro m_descripcion;
    bool m_seleccion = false;
    Connection *m_conexion;
    Query *m_datos;
    DataSource *m_fuente;
    QList<Query *> m_listas;
    QList<DataAwareControl *> m_controles;
    DBGrid *m_lista = nullptr;
    QLabel *m_aviso = nullptr;
    QPushButton *m_crear = nullptr;
    QPushButton *m_editar = nullptr;
    QPushButton *m_borrar = nullptr;
    QPushButton *m_cerrar = nullptr;
    QPushButton *m_seleccionar = nullptr;
    QPushButton *m_guardar = nullptr;
    QPushButton *m_cancelar = nullptr;
};
