#pragma once
// TFormKELU, the plantation management plan: stands and forestable sectors of the
// property, the diagnosis of its natural setting, management units with their activities
// and the protection measures. Its window is built from kelu.form; this class adds what
// the description cannot say: the rules that keep dependent tables in step with the rows
// they hang from. Its property page, the binding to the DORVO form of the document and the
// lists of its grids come from the framework (TFormDescrito, ReglasFormulario). The printout (tformkelu_impresion.cpp) and the exchange XML
// (tformkelu_xml.cpp) read the form's controls and datasets and write nothing.
//
// Dependent rows are written with SQL in one transaction per change and the datasets
// showing them are refreshed; none of those writes goes through a dataset's post, so no
// field check runs (or complains) in the middle of them.
#include "reglasformulario.h"
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
    bool ValidarFormulario() override;

    // The surface of a management unit: its stands' plus its sectors' (comma lists of
    // numbers; blanks around them ignored, unknown numbers count 0).
    double SuperficieUnidad(const QString &rodales, const QString &sectores) const;

private:
    // --- set-up (tformkelu.cpp)
    // adtKELU_<sufijo>, or adsPpal for an empty suffix; null (reported) when missing.
    DBGrid *grilla(const QString &sufijo) const;
    // The dataset handlers of the rules (at construction) and the field handlers (once
    // the datasets have opened and their fields exist).
    void enlazarReglas();
    void enlazarCampos();
    static void refrescar(Dataset *ds) { ReglasFormulario::refrescar(ds); }
    static void editar(Dataset *ds) { ReglasFormulario::editar(ds); }
    using Sentencia = ReglasFormulario::Sentencia;
    using PostEnCurso = ReglasFormulario::PostEnCurso;
    bool escribir(const QList<Sentencia> &sentencias) { return m_reglas.escribir(sentencias); }

    // --- stands, sectors and the surfaces of the units (tformkelu_rodales.cpp)
    void declararRodalesYSectores();
    void recalcularUnidades();
    void recalcularSupAfe();
    void elegirRodales(const QString &campo, const QString &sql);
    void rodalOSector(Field *cambiado, const QString &otro);
    void validarRodalOSector(Dataset *ds);

    // --- climatic variables and their sources (tformkelu_reglas.cpp)
    void variableCambiada(Field *var);
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
    static QStringList tablasDeParametros();
    void refrescarParametros();

    // --- restrictions and their protection measures (tformkelu_restricciones.cpp)
    void restriccionTrasPost(Dataset *ds);

    ReglasFormulario m_reglas{this};
};
