#pragma once
// TFormLUMO, the generic form: one window class for every combination whose sections
// the main database lists (seccion_formulario by the combination's form_id, which the
// shell sets as Tag before Nuevo): burned forest (31), Sirex prospection (32), quarantine
// pests (33) and any other. A section is one of the fixed pages of lumo.form or a frame
// made at run time (TFrameLumo). The outline, the pages and the navigation tree always
// agree: line k of the outline is page k. Rules in tformlumo_reglas.cpp, the printout in
// tformlumo_impresion.cpp and the exchange XML in tformlumo_xml.cpp.
#include "dbgrid.h"
#include "gridcolumn.h"
#include "reglasformulario.h"
#include "tformdescrito.h"

#include <QHash>
#include <QPointer>
#include <QStringList>

class TFrameLumo;

class TFormLUMO : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormLUMO(QWidget *owner = nullptr);

    // The sections of combination Tag: outline, pages, titles. A row that cannot be shown
    // (a missing page, a value that is no number) is told to the user and left out.
    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

    // The frame of a section named `nombre` in its row `i`: the frame of that design name,
    // or the title frame telling that there is none. Owned by the form, connected to the
    // working database and named its design name followed by `i`.
    TFrameLumo *getFrame(const QString &nombre, int i);
    // Removes grid columns on `pagina`: entries split by "|", each "grid,index,..." or
    // "parent-grid,index,..."; the indices count the columns left by the previous removal.
    // Entries of one item are ignored; anything else that cannot be applied is described
    // in `problemas` and skipped.
    void deshabilitaEnPagina(QWidget *pagina, const QString &especificacion, QStringList *problemas = nullptr);
    // The first column of `grilla` showing exactly `campo`; null when none.
    static GridColumn *findColumn(const DBGrid *grilla, const QString &campo)
    {
        for (int i = 0; grilla && i < grilla->ColumnCount(); ++i)
            if (GridColumn *c = grilla->Columns(i); c && c->FieldName() == campo)
                return c;
        return nullptr;
    }

    // The combination's title (form_titulo): "\" separates its printed lines.
    QString titulo_sol;
    // The pages Nuevo showed, in section order ("TabSheet5", "DynaSheet2"), and their titles.
    QStringList visible_pages;
    QStringList titles_pages;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void armarSecciones(QStringList *problemas);
    // The column removals the rows ask for, once the grids have their lists.
    void retirarColumnas();
    void informarSecciones(const QStringList &problemas);
    void enlazarReglas();
    void enlazarCampos();
    void validarComparacion(Dataset *ds, const QString &mayor, const QString &menor, const QString &mensaje);
    void TabSheet1Enter();
    DBGrid *grilla(const QString &sufijo) const;

    // The fixed pages no row has shown yet, by name; they stay children of the form.
    QHash<QString, QPointer<QWidget>> m_paginasOcultas;
    struct Retiro
    {
        QPointer<QWidget> pagina;
        QString especificacion;
        QString seccion; // "la sección N ("title") ", for its problems
    };
    QList<Retiro> m_retiros;
    ReglasFormulario m_reglas{this};
};
