#pragma once
// TFormVORDA, the notice that the works of a plantation plan begin: a calendar, by year,
// of the afforestation, of the harvest and reforestation, of the other silvicultural
// activities and of the roads and log yards. Its window is built from vorda.form; this
// class adds the surface rules: a stand's surface is the same in the three calendars,
// each calendar's footer counts every stand (or sector) once, and the notice's affected
// surface (`sup_afe`) is the sum of the three footers. With the document's KELU form open
// the stands, sectors and surfaces are looked up in that form's tables.
#include "reglasformulario.h"
#include "tformdescrito.h"

#include <QHash>
#include <QVariant>

class DBGrid;

class TFormVORDA : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormVORDA(QWidget *owner = nullptr);

    void Nuevo() override;
    // The property page bound to the DORVO form (the framework's), then the KELU lookups.
    void ConexionesExternas() override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

    // The surface of the calendar `tabla` counting each stand (or sector) once, stored as
    // the footer of the grid's column `columna` and returned.
    double cambioSuma(const QString &tabla, int columna);
    // Gives the stand `num` the surface `sup` in the three calendars; nothing while a
    // document is saved or loaded, for a row without a stand or without a surface.
    void actualizoSuperficie(const QVariant &num, const QVariant &sup);
    // The last sum cambioSuma stored for the calendar (0 before any).
    double Suma(const QString &tabla) const { return m_sumas.value(tabla); }

private:
    Dataset *tabla(const QString &sufijo) const;
    DBGrid *grilla(const QString &sufijo) const;
    void enlazarReglas();
    // The after-post chain of a calendar: the stand's surface everywhere, the footers, sup_afe
    // (a delete recomputes the footers and sup_afe alike).
    void calendarioTrasPost(Dataset *ds);
    // The three footers, and sup_afe := their sum (the main record left in edit, posted
    // with the rest of the user's entry).
    void recalcularSupAfe();
    // A calendar page shown: its footers are recomputed.
    void TabSheetShow();
    // Points the stand, sector and surface columns at lookups on the KELU form's tables.
    void buscarEnKelu(const QString &sufijo, const QList<std::pair<const char *, const char *>> &campos,
                      const QList<int> &columnas);

    ReglasFormulario m_reglas{this};
    QHash<QString, double> m_sumas;
};
