#pragma once
// A form window built from the description its plug-in embeds (":/forms/<CODE>.form"):
// it owns the connections to its working copy and to the main database and what the
// description built. A form plug-in derives from it and adds only its rules, printout
// and exchange XML; its Nuevo starts with NuevoDescrito.
//
// A form bound to a request form of its document (`parent dorvo` in its description: the
// plans and annexes) gets from here its property page and its binding (ConexionesExternas),
// its property code -1 (InicializarDatasetPpal), the refusal of an annex without its
// request form (ValidarFormulario) and the access to that form (Padre...). A plug-in that
// overrides these calls the base first.
#include "tcustommdichild.h"

#include <QStringList>
#include <QVariant>

#include <functional>

class BuiltForm;

class TFormDescrito : public TCustomMDIChild
{
    Q_OBJECT

public:
    // `codigo` in upper case ("KELU"); the window is named "Form" + codigo.
    TFormDescrito(QWidget *owner, const QString &codigo);

    // Pages, datasets and data sources of the description; null when it failed to load
    // (reported at construction).
    BuiltForm *Formulario() const { return m_formulario; }

    // Binds every replica control (`external`) to the parent form, in the order name,
    // commune, province, region, surfaces, coordinates, access, owners, rolls, adjoining
    // rolls, assignees, then the others in page order. Nothing without a parent form.
    void ConexionesExternas() override;
    // The names of the replica controls in the order ConexionesExternas binds them.
    QStringList ReplicasEnOrden() const;
    // Attaches the lists the description names; a bound form's main row then takes
    // property code -1, posted with no check running.
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    // A required parent missing: "Falta el formulario DORVO en este documento." and false.
    bool ValidarFormulario() override;
    // The indexes of the description's detail tables.
    bool CompletarBaseTrabajo(const QString &mdb, QString *error) override;

    // --- the parent request form; null or empty when the document has none
    QString CodigoPadre() const; // "dorvo"; empty for an unbound form
    TCustomMDIChild *Padre() const;
    // Its main dataset for an empty suffix, else its table <code>_<sufijo>.
    Dataset *PadreTabla(const QString &sufijo = QString()) const;
    // A field of its main record ("fec", "ciu"); null when missing.
    QVariant PadreValor(const QString &campo) const;
    int PadreTisoCodigo() const;

protected:
    // The set-up every described form's Nuevo shares: outline, first page, connections,
    // main dataset, pages at the described size, and the property button (when the
    // description has one) opening the property register. False when nothing was built.
    bool NuevoDescrito();
    // The main row's cod_pre takes -1 (no property of its own), posted with no check
    // running; with `seguirEditando` the row is left in edit.
    void SinPredioPropio(bool seguirEditando = false);
    // Bookkeeping on the main row, not the user's entry: `cambios` runs with the row in
    // edit, which is then posted with no check running; with `seguirEditando` it is left
    // in edit. Nothing while the main dataset is closed.
    void PostarPrincipal(const std::function<void(Dataset *)> &cambios, bool seguirEditando = false);
    // Maximised inside the document area, or on its own when it has no frame yet.
    void Maximizar();
    // The form's dataset of table suffix `sufijo` (adt<CODE>_<sufijo>); the main one for an
    // empty suffix.
    Dataset *tabla(const QString &sufijo) const;

    Connection *m_conexion;
    Connection *m_conexionPpal;
    BuiltForm *m_formulario = nullptr;
};
