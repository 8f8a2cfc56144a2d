#pragma once
// The property register (class "TFormPredios"): the properties of the main database with
// their tax rolls, adjoining rolls, registrar entries, ministry certificates, UTM points
// and owners. Opened for editing from the main window and for choosing a property from a
// form:
//
//     int codigo = TCustomModalChild::SeleccionarEnRegistro("TFormPredios", dirAplicacion, owner);
//     // the chosen pred_codigo, 0 when the user closed the window without a choice
//
// Modes: browse (the list moves), editing ("Editar") and creating ("Crear", which
// stores a placeholder property named "[SIN_NOMBRE]" at once so that its rows have its
// code); "Guardar" or "Cancelar" go back to browse, and the window cannot be closed
// before. Cancelling a creation removes the placeholder and every row keyed by it;
// deleting a property removes its rows in all its tables.
#include "tcustommodalchild.h"

#include <QStringList>
#include <QVariant>
#include <utility>

class Connection;
class DataSource;
class Dataset;
class DBGrid;
class DBEdit;
class DBLookupComboBox;
class DBMemo;
class Query;
class ListaPropietarios;
class QPushButton;
class QTabWidget;
class QTableView;
class Table;

class TFormPredios : public TCustomModalChild
{
    Q_OBJECT

public:
    explicit TFormPredios(QWidget *owner = nullptr);
    ~TFormPredios() override;

    void MostrarModal() override;
    int MostrarModalSeleccion() override;

    // Connects to the main database, opens the datasets and shows the first property in
    // browse mode (what showing the window does); false, told to the user, on failure.
    bool Abrir();

    // The buttons' actions.
    void Crear();
    void Editar();
    bool Guardar();
    void Cancelar();
    void Borrar();
    void EditarPersonas();

    // Fills the owners check list: the property's owners ticked, then every other person.
    void RefrescarListaPropietarios();
    // The owners check list's rows (what the list shows).
    ListaPropietarios *Propietarios() const { return m_propietarios; }
    // Replaces the property's owners with the ticked persons (what leaving the list does).
    // False, writing nothing, when the list shows another property's owners.
    bool GuardarPropietarios();

    // Province and region codes of the commune named `comuna`; empty texts when there is
    // no such commune.
    static std::pair<QString, QString> ProvinciaYRegion(Connection *conexion, const QString &comuna);

    // Suppresses the checks while the placeholder row is posted.
    bool SinValidar = false;

    // The name a property has while it is being created.
    static const QString NOMBRE_PREDIO_VACIO;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void construir();
    QWidget *construirDetalle();
    QWidget *construirPestanas();
    DBGrid *crearGrilla(const QString &nombre, DataSource *fuente, const QStringList &campos, const QStringList &titulos);
    Table *crearTablaHija(const QString &tabla, const QString &nombreDataset);
    void conectarReglas();
    void aplicarEtiquetas();
    void HabilitarControlesEdicion(bool editar);
    void aplicarReglaNombre();
    void clicLista();
    void cambioComuna();
    bool hayPropiedad() const;
    QVariant codigoActual() const;
    void enlazarConLista(bool enlazar);
    // Deletes the property `codigo` and every row keyed by it, in one transaction.
    bool eliminarPredio(const QVariant &codigo, QString *error);
    void volverAVista();
    bool confirmarBorradoFila();

    // Checks of each table before its row is posted.
    void validarPredio();
    void validarConservador();
    void validarMinisterio();
    void validarRol();
    void validarRolContiguo();
    void validarCoordenada();

    bool m_seleccion = false;
    // The property whose owners the check list shows.
    QVariant m_predioPropietarios;

    Connection *m_conexion;
    Query *m_adsPredios;
    Table *m_adsPredios2;
    Table *m_adtRol;
    Table *m_adtRolContiguo;
    Table *m_adtConservador;
    Table *m_adtMinisterio;
    Table *m_adtCoordenada;
    Query *m_adqLocalidad;
    Query *m_adqLocalidades;
    DataSource *m_dsrcPredios;
    DataSource *m_dsrcPredios2;
    DataSource *m_dsrcLocalidad;

    DBGrid *m_dblPredios = nullptr;
    QPushButton *m_btnCrear = nullptr;
    QPushButton *m_btnEditar = nullptr;
    QPushButton *m_btnBorrar = nullptr;
    QPushButton *m_btnCerrar = nullptr;
    QPushButton *m_btnSeleccionar = nullptr;
    QPushButton *m_btnGuardar = nullptr;
    QPushButton *m_btnCancelar = nullptr;
    QPushButton *m_btnPersonas = nullptr;
    DBEdit *m_edtNombre = nullptr;
    QList<DBEdit *> m_edits;
    DBLookupComboBox *m_lcbComuna = nullptr;
    DBMemo *m_memUbicacion = nullptr;
    QTabWidget *m_pestanas = nullptr;
    QWidget *m_tabPropietarios = nullptr;
    QList<QWidget *> m_pestanasEdicion;
    QTableView *m_clbPropietarios = nullptr;
    ListaPropietarios *m_propietarios = nullptr;
};
