#pragma once
// TFormKELU, the plantation management plan: stands and forestable sectors of the
// property, the diagnosis of its natural setting, management units with their activities
// and the protection measures. Its window is built from kelu.form; this class adds what
// the description cannot say: the binding to the DORVO form of the document, the lookup
// lists of the grids and the rules that keep dependent tables in step with the rows they
// hang from. The printout (tformkelu_impresion.cpp) and the exchange XML
// (tformkelu_xml.cpp) read the form's controls and datasets and write nothing.
//
// Dependent rows are written with SQL in one transaction per change and the datasets
// showing them are refreshed; none of those writes goes through a dataset's post, so no
// field check runs (or complains) in the middle of them.
#include "tformdescrito.h"

#include <QHash>
#include <QVariant>
#include <optional>

class BuiltForm;

class TFormKELU : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormKELU(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;
    void ConexionesExternas() override;
    bool ValidarFormulario() override;

    // The surface of a management unit: its stands' plus its sectors' (comma lists of
    // numbers; blanks around them ignored, unknown numbers count 0).
    double SuperficieUnidad(const QString &rodales, const QString &sectores) const;

private:
    // --- set-up (tformkelu.cpp)
    // adtKELU_<sufijo>, or adsPpal for an empty suffix; null (reported) when missing.
    Dataset *tabla(const QString &sufijo) const;
    DBGrid *grilla(const QString &sufijo) const;
    // The dataset handlers of the rules (at construction) and the field handlers (once
    // the datasets have opened and their fields exist).
    void enlazarReglas();
    void enlazarCampos();
    // Shows rows written behind a dataset's back; a dataset with a pending edit keeps it
    // (its post writes only the fields the user changed) and is refreshed after it.
    static void refrescar(Dataset *ds);
    // Puts the dataset in edit unless it is editing or inserting already.
    static void editar(Dataset *ds);
    // The multi-selection window over the first column of `sql` on the working database,
    // `actuales` ticked; nothing when the list is empty.
    std::optional<QStringList> elegirVarios(const QString &sql, const QStringList &actuales);
    // Runs the statements in one transaction on the working database; on failure rolls
    // back, tells the user and returns false.
    struct Sentencia
    {
        QString sql;
        QVariantList params;
    };
    bool escribir(const QList<Sentencia> &sentencias);
    // The value of `campo` as stored for the row whose `clave` is `id` (before an edit is
    // posted), or null.
    QVariant valorGuardado(const QString &tablaBd, const QString &campo, const QString &clave, const QVariant &id) const;
    // A before-delete refusal: "Este registro no se puede borrar, ..." and a silent abort.
    [[noreturn]] void rechazarBorrado();

    // --- stands, sectors and the surfaces of the units (tformkelu_rodales.cpp)
    void rodalAntesDePost(Dataset *ds, const QString &clave);
    void rodalTrasPost(Dataset *ds, const QString &clave);
    void rodalAntesDeBorrar(Dataset *ds, const QString &clave);
    bool rodalEnUso(const QString &clave, const QString &numero) const;
    void recalcularUnidades();
    void recalcularSupAfe();
    void elegirRodales(const QString &campo, const QString &sql);
    void rodalOSector(Field *cambiado, const QString &otro);
    void validarRodalOSector(Dataset *ds);

    // --- climatic variables and their sources (tformkelu_reglas.cpp)
    void variableCambiada(Field *var);
    void variableTrasPost(Dataset *ds);
    // --- judicial resolution, roads, the unit's name (tformkelu_reglas.cpp)
    void resolucionJudicialCambiada();
    void validarCaminosYCanchas(Dataset *ds);
    void unidadTrasPost(Dataset *ds);
    void unidadAntesDeBorrar(Dataset *ds);

    // --- activities and their parameter rows (tformkelu_actividades.cpp)
    void actividadAntesDePost(Dataset *ds);
    void actividadTrasPost(Dataset *ds);
    // The parameter row of an activity in the table of its class; none outside the five.
    QList<Sentencia> crearFilaActividad(const QVariant &idDesc, const QVariant &idObj, const QVariant &act) const;
    static QList<Sentencia> borrarFilasActividad(const QVariant &idDesc);
    void refrescarParametros();

    // --- restrictions and their protection measures (tformkelu_restricciones.cpp)
    void restriccionTrasPost(Dataset *ds);

    // What a post is doing, taken before it writes: its state and the key the row had.
    struct PostEnCurso
    {
        bool insercion = false;
        QVariant anterior; // the stored value of the watched column (edit only)
    };
    QHash<const Dataset *, PostEnCurso> m_posts;
    // Rows confirmed for deletion, by dataset: what their dependants are found by.
    QHash<const Dataset *, QVariant> m_borrados;
};
