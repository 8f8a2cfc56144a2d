#pragma once
// TFormDALU, the native-forest management plan: the natural setting of each stand, the
// forest resource and its plot inventory, the management objectives, the silvicultural
// treatments with the parameters of their activities, and the protection measures. Its
// window is built from dalu.form; this class adds the lookup lists, the checks with their
// own messages and the rules that keep the per-stand and per-activity tables in step.
//
// Dependent rows are written with SQL, one transaction per change, with bound values,
// and the datasets showing them are re-read; no field check runs on rows the form makes.
#include "tformdescrito.h"

#include <QHash>
#include <QVariant>

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

    // The items of a ", " list of stand numbers, trimmed, empty ones left out.
    static QStringList Rodales(const QString &lista);
    // The surface of the stands of a list (unknown numbers count 0).
    double SuperficieRodales(const QStringList &rodales) const;

    struct Sentencia
    {
        QString sql;
        QVariantList params;
    };

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // --- set-up (tformdalu.cpp)
    // adtDALU_<sufijo>, or adsPpal for an empty suffix; null (reported) when missing.
    Dataset *tabla(const QString &sufijo) const;
    DBGrid *grilla(const QString &sufijo) const;
    void enlazarReglas();
    void enlazarCampos();
    void enlazarControles();
    void enlazarSenales();
    // Re-reads a dataset that rows were written behind; a pending edit is kept.
    static void releer(Dataset *ds);
    static void editar(Dataset *ds);
    // Runs the statements in one transaction; on failure rolls back, tells the user and
    // returns false.
    bool ejecutar(const QList<Sentencia> &sentencias);
    // The first value of a query on the working (or main) database, null when no row.
    QVariant valor(const QString &sql, const QVariantList &params = {}, bool principal = false) const;
    [[noreturn]] void rechazarBorrado();
    void mostrarPagina(int hoja);

    // --- stands (tformdalu_rodales.cpp)
    void rodalAntesDePost(Dataset *ds);
    void rodalTrasPost(Dataset *ds);
    void rodalAntesDeBorrar(Dataset *ds);
    void rodalTrasBorrar(Dataset *ds);
    bool rodalEnUso(const QString &numero) const;
    QList<Sentencia> renombrarRodal(const QString &anterior, const QString &nuevo) const;
    void refrescarInventario();
    void recalcularSupAfe();
    void recalcularObjetivos();
    void elegirRodales(Dataset *ds, const QString &campo);
    void rodalDelObjetivo();

    // --- smaller rules (tformdalu_reglas.cpp)
    void variableCambiada(Field *var);
    void variableTrasPost(Dataset *ds);
    void categoriaConservacion(Field *esp, const QString &tablaBd, const QString &prefijo);
    void resolucionJudicialCambiada();
    void validarRegeneracion(Dataset *ds);
    void validarResidual(Dataset *ds, const char *antes1, const char *despues1, const char *antes2, const char *despues2);
    void validarPoda(Dataset *ds);
    void objetivoRodalesCambiados(Field *num);
    void paginaMostrada(int hoja);
    void focoCambiado(QWidget *antes, QWidget *ahora);

    // --- activities and objectives (tformdalu_actividades.cpp)
    void actividadTrasPost(Dataset *ds);
    void actividadTrasBorrar(Dataset *ds);
    // The parameter row of an activity in the table of its class; none outside the five
    // classes, without an objective or without the dominant species of its first stand.
    QList<Sentencia> crearFilasActividad(const QVariant &idDesc, const QVariant &idObj, const QVariant &act) const;
    static QList<Sentencia> borrarFilasActividad(const QVariant &idDesc);
    void objetivoAntesDeBorrar(Dataset *ds);
    void objetivoTrasBorrar(Dataset *ds);
    void refrescarParametros();

    // What a post is doing, taken before it writes: an insert, and the stored key.
    struct PostEnCurso
    {
        bool insercion = false;
        QVariant anterior;
    };
    void recordarPost(Dataset *ds, const QString &tablaBd, const QString &campo, const QString &clave);
    QHash<const Dataset *, PostEnCurso> m_posts;
    // The key of a row whose deletion was confirmed, until its dependants are gone.
    QHash<const Dataset *, QVariant> m_borrados;
    bool m_tecleando = false; // a replaced key is being sent
};
