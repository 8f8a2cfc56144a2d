#pragma once
// TFormDALU, the native-forest management plan: the natural setting of each stand, the
// forest resource and its plot inventory, the management objectives, the silvicultural
// treatments with the parameters of their activities, and the protection measures. Its
// window is built from dalu.form; this class adds the lookup lists, the checks with their
// own messages and the rules that keep the per-stand and per-activity tables in step; the
// property page, its binding and the key bookkeeping come from the framework.
//
// Dependent rows are written with SQL, one transaction per change, with bound values,
// and the datasets showing them are re-read; no field check runs on rows the form makes.
#include "reglasformulario.h"
#include "tformdescrito.h"

class DBEdit;

class TFormDALU : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormDALU(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;
    bool ValidarFormulario() override;
    void DbgEventoOnExitEspecial(QObject *sender) override;

    // The surface of the stands of a list (unknown numbers count 0).
    double SuperficieRodales(const QStringList &rodales) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The pages of the stand table and of the variables at the end of the treatment.
    static constexpr int kHojaTablaRodal = 13;
    static constexpr int kHojaVariablesFinales = 20;

    // --- set-up (tformdalu.cpp)
    // adtDALU_<sufijo>, or adsPpal for an empty suffix; null (reported) when missing.
    DBGrid *grilla(const QString &sufijo) const;
    void enlazarReglas();
    void enlazarCampos();
    void enlazarControles();
    void enlazarSenales();
    using Sentencia = ReglasFormulario::Sentencia;
    // The first value of a query on the working (or main) database, null when no row.
    QVariant valor(const QString &sql, const QVariantList &params = {}, bool principal = false) const;
    void mostrarPagina(int hoja);

    // --- stands (tformdalu_rodales.cpp)
    void enlazarRodales();
    void rodalTrasPost(Dataset *ds);
    void refrescarInventario();
    void recalcularSupAfe();
    void recalcularObjetivos();
    void elegirRodales(Dataset *ds, const QString &campo);
    // The qualitative description (whose forest type the stand table's pages show) on the
    // current stand's row.
    void descripcionDelRodal();
    void rodalDelObjetivo();

    // --- smaller rules (tformdalu_reglas.cpp)
    void variableCambiada(Field *var);
    void resolucionJudicialCambiada();
    void validarRegeneracion(Dataset *ds);
    void validarResidual(Dataset *ds, const char *antes1, const char *despues1, const char *antes2, const char *despues2);
    void validarPoda(Dataset *ds);
    void objetivoRodalesCambiados(Field *num);
    void paginaMostrada(int hoja);
    void focoCambiado(QWidget *antes, QWidget *ahora);

    // --- activities and objectives (tformdalu_actividades.cpp)
    void actividadTrasPost(Dataset *ds);
    // What goes with a deleted activity: its parameter rows and its prescription.
    static QList<Sentencia> actividadBorrada(const QVariant &idDesc);
    // The parameter row of an activity in the table of its class; none outside the five
    // classes, without an objective or without the dominant species of its first stand.
    QList<Sentencia> crearFilasActividad(const QVariant &idDesc, const QVariant &idObj, const QVariant &act) const;
    void objetivoAntesDeBorrar(Dataset *ds);
    // What goes with a deleted objective: criteria, description, activities, prescriptions.
    static QList<Sentencia> objetivoBorrado(const QVariant &idObj);

    // --- plot inventory, stand table and sampling results (tformdalu_inventario.cpp)
    friend class InventarioDalu;
    void enlazarInventario();
    void enlazarCamposInventario();

    ReglasFormulario m_reglas{this};
    bool m_tecleando = false; // a replaced key is being sent
};
