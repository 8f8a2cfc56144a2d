#pragma once
// The property, owner and representative section of a request form, written once and
// configured per form (ConfiguracionPredio). The form window owns it (a QObject child)
// and hands it its overrides:
//
//     m_predio = new SeccionPredio(this, config);   // after FormBuilder::build
//     Nuevo():                  m_predio->enlazar(*m_formulario);   (handlers and checks)
//     LlenarInfoPredio():       m_predio->llenar();
//     GuardarPredio():          m_predio->guardar();
//     ComponerDifrol(imp):      m_predio->componerDifrol(imp);
//
// The section works on the form's working tables <codigo>_rol, _con, _cer, _pro, _rep
// (and _coo, _rol_con when configured), its main dataset and the main database
// (ConexionBDPpal). Messages go through the form window (Dialogo, DialogoError); a check
// that fails aborts the running operation (Abort), as every form check does.
#include "configuracionpredio.h"
#include "impresion/impresionformulario.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>

#include <optional>

class BuiltForm;
class DBGrid;
class DBLookupComboBox;
class Dataset;
class Field;
class TCustomMDIChild;
class TImpresion;

class SeccionPredio : public QObject
{
    Q_OBJECT

public:
    SeccionPredio(TCustomMDIChild *formulario, const ConfiguracionPredio &config);

    const ConfiguracionPredio &config() const { return m_config; }

    // Binds the section's handlers: property name, commune (fills province and region),
    // surfaces (absolute values), owner and representative R.U.T. (fills the person from
    // the register), the requery of the signatory list, the signatory fields of the form
    // and the before-post checks of the main record and of
    // the property tables. Call once the datasets exist (after FormBuilder::build).
    void enlazar(const BuiltForm &formulario);

    // The section's property code in the main database: the form's PredCodigo for the
    // document's property, the section's own for a second property, the current row's
    // `cod_pre` for one property per row; < 1 when unknown. Setting it on a property per
    // row sets the form's PredCodigo (the row's field is written by fill and write-back).
    int codigoPredio() const;
    void setCodigoPredio(int codigo);
    // One property per row of the main table (ConfiguracionPredio::campoFila).
    bool porFila() const { return !m_config.campoFila.isEmpty(); }

    // --- the property register
    // Fills the section from the register's property codigoPredio() (for a property per
    // row: the form's PredCodigo, the register's last choice): main fields, then every
    // property table replaced by the register's rows (owners with their sex); per row only
    // the current row's property rows are replaced, and the row keeps the chosen code. The
    // working tables change in one transaction; false (and the form told) when it failed.
    bool llenar();
    // The property button of a second property: after the user's confirmation, the
    // property chosen in the register fills the section; no choice changes nothing.
    void elegirDelRegistro();
    // Writes the section into the main database in one transaction: the property row
    // (new, or updated by code, or replacing a property of the same name when the user
    // says so), its rolls, adjoining rolls, coordinates, inscriptions, certificates,
    // owners and representatives (persons by R.U.T.). On success the new code goes into
    // the main record, the form and (for the document's property) its siblings, and the
    // document index follows a replaced property. A property another section of the form
    // wrote in this save is not offered for replacing. A failure changes nothing in either
    // database, tells the user and aborts the save. An empty name or Cancel in the
    // same-name question writes nothing and lets the save go on.
    void guardar();
    // Per row: deletes the current row's property rows and the row itself in one
    // transaction (the main dataset's before-delete, so its own delete finds nothing
    // left); a failure tells the user and aborts the delete.
    void borrarFila();
    // Ends the save that called guardar(); when not `guardado` its write-back was rolled
    // back, and the form gets back the property code it had before.
    void terminarGuardado(bool guardado);

    // --- checks
    // The main record's check (skipped while the form is Guardando); aborts on failure.
    void validarPrincipal();
    // The checks of a person row (owner, representative, assignee): surname, R.U.T.
    // (unique, positive, check digit) and, with `conDomicilio`, address, city and commune.
    void validarPersona(Dataset *ds, bool conDomicilio);

    // PredNombre of the form and of its siblings := the property's name (the document's
    // property only); the name edit's handler, also called by the form's other edits that
    // announce it.
    void anunciarNombre();

    // --- signatory
    // FirmanteNombre/Rut/Dv of the form from the signatory field and the signatory list.
    void actualizarFirmante();
    // Whether the printout shows the R.U.T.'s person in the grid of natural persons: yes
    // unless the register holds it with a person type set and other than "1" (the type is
    // seldom written, so a missing one means a natural person).
    bool personaNatural(qint64 rut) const;

    // --- printing
    // The owners (or representatives) as a table, in the layout personaNatural chooses
    // for the first row (wherever the cursor stands); `parte` is "pro" or "rep".
    void imprimirPersonas(TImpresion *imp, const QString &parte);
    // The producer's line of the dead-alerce requests, from the current representative:
    // "1. YO " + names + "   RUT " + R.U.T. + " - " + check digit.
    QString lineaProductor() const;
    // Name, commune, province, region, surfaces, access routes and the property tables.
    void imprimirPredio(TImpresion *imp);
    // Commune, province and region as their combos show them, on one line 5 mm apart.
    void imprimirLugar(TImpresion *imp);
    // One property table (`parte`: "rol", "con", ...) under its title; nothing when empty.
    void imprimirTabla(TImpresion *imp, const QString &titulo, const QString &parte);
    // The cover letter for the border authority.
    void componerDifrol(TImpresion *imp);
    // The box the agency fills in on reception (number and date) and "(Uso Okran)": the
    // request forms' by default; the plans' variants in CajaRecepcion.
    static void imprimirRecepcion(TImpresion *imp, CajaRecepcion caja = CajaRecepcion::Solicitud);

    // --- components
    Dataset *tabla(const QString &parte) const;
    DBGrid *grilla(const QString &parte) const;
    DBLookupComboBox *combo(const QString &campo) const;
    Field *campo(const QString &nombre) const; // a main-record field; null for an empty name

private:
    void alCambiarNombre(Field *f);
    void alCambiarComuna(Field *f);
    void alCambiarSuperficie(Field *f);
    void alCambiarRut(Dataset *ds, Field *f);
    void alCambiarUsufructo(Field *f);
    void enlazarPersonas(const QString &parte);
    void enlazarValidacion(const QString &parte);
    void enlazarCampos();
    void validarTabla(Dataset *ds, const QString &parte);
    void refrescarFirmantes();
    QVariant localidadSuperior(const QVariant &codigo, const QString &tipo) const;
    // The write-back inside its transaction; false with `error` set on a failure.
    bool escribir(int codigo, int reemplazado, int &nuevo, QString &error);
    // Gives the form the property `codigo`: the code field (`valorCampo`), the section and,
    // for the document's property, the sibling forms.
    void ponerCodigo(int codigo, const QVariant &valorCampo);
    bool escribirPersonas(int codigo, const QString &parte, bool propietarios, QString &error);
    // Codes of the register properties named `nombre` (case ignored), lowest first.
    QList<int> prediosDeNombre(const QString &nombre) const;
    // Whether the register's property `codigo` is the one this section (its current row)
    // stands for: the register holds it and, when the section knows the name that went
    // with the code, under that name. A code the register lost, or gave to another
    // property since (a save that ended before its commit), is no longer this property's.
    bool esPropio(int codigo) const;
    // The names the document's rows bear with their codes, as read from the document.
    void recordarNombres();
    // The key of the current row in the known names (0 without a property per row).
    qint64 claveFila() const;
    bool publicarTablas();
    // The property tables the configuration has ("rol", "con", ..., "coo", "rol_con").
    QStringList partes() const;
    // " WHERE id_pre = ?" and the current row's key for a property per row; else nothing.
    QString filtroFila() const;
    QVariantList parametrosFila() const;

    TCustomMDIChild *m_formulario;
    ConfiguracionPredio m_config;
    int m_codigo = 0; // a second property's code
    // What the last guardar() replaced when it gave the property a new code.
    struct Anterior
    {
        int codigo = 0;
        QVariant campo;
        std::optional<QString> nombre; // the known name before it
        bool cambiado = false;         // the save gave the form another code
        qint64 clave = 0;              // the row it concerns
    };
    std::optional<Anterior> m_anterior;
    // The code the running save wrote (0 outside a save), kept out of the same-name
    // question of the form's other sections.
    int m_escrito = 0;
    // The name the register gave each row's property when the code came to the document
    // (read with it, filled from the register or written back), by claveFila().
    QHash<qint64, QString> m_nombres;
    bool m_camposEnlazados = false;
    int m_sinRut = 0; // person rows the running write-back skipped for want of a R.U.T.
};
