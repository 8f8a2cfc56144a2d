#pragma once
// The request WIRO (decree-law 701 for a project over several properties), built from
// wiro.form: the project in the master record (adsMaestro), one property per row of the
// main dataset (wiro_pre), each with its own property tables linked by id_pre. The
// section (SeccionPredio, one property per row) fills, writes back and deletes the
// current property; the navigator "Selección de Predio a Editar:" moves between them.
// The printout is the current property's; the exchange file carries every property.
#include "datasource.h" // DBNavigator holds a QPointer to one
#include "dbnavigator.h"
#include "predio/tformsolicitudpredio.h"

class Dataset;
class QLineEdit;

class TFormWIRO : public TFormSolicitudPredio
{
    Q_OBJECT

public:
    explicit TFormWIRO(QWidget *owner = nullptr);
    ~TFormWIRO() override;

    // As the request forms', but the property code the form had is kept.
    void Nuevo() override;
    // The master's `sol` := the text received; the first property row as the navigator's
    // insert makes one.
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    // The current property, on the request head: reception box, owners, representatives,
    // registrar entries, rolls, surfaces, the sworn declaration and the signature.
    void ComponerImpresion(TImpresion *impresion) override;
    // No cover letter of its own: the base's forwarding to the siblings.
    void ComponerDifrol(TImpresion *impresion) override;
    // One FORMULARIO from the current property, FIRMA once, then one PREDIO per property
    // with its own owners, representatives, rolls and registrar entries. The cursors and
    // the current row's edit are as they were afterwards.
    QByteArray PrepararXML() override;

    // --- handlers
    // After the navigator's own action: an insert becomes a property row with code -1,
    // posted with no check, left in edit.
    void dbnWIRO_pre2Click(DBNavigator::Button boton);
    // The last property cannot be deleted: the warning beep and the delete aborted; any
    // other is deleted once the user confirms it.
    void adsPpalBeforeDelete(Dataset *ds);
    // The position boxes: the current row's number (the count plus one while a row is
    // being inserted), and the count.
    void adsPpalAfterScroll(Dataset *ds);

    // The project's record ("adsMaestro").
    Dataset *Maestro() const;

private:
    // A property row with code -1, posted as bookkeeping (no check) and left in edit.
    void insertarPredio();
    void crearCajasPosicion();

    QLineEdit *m_posicion = nullptr;
    QLineEdit *m_total = nullptr;
};
