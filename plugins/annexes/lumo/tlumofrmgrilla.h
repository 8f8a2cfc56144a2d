#pragma once
// A frame section of the generic form that shows one table of its own in one grid: its
// description (":/frames/<archivo>.form") built per frame on the form's working database,
// so that two frames of one kind never share a dataset. Printed as its title and its grid;
// the kinds add their XML and, where they show stands, the stand look-ups.
#include "tframelumo.h"

class BuiltForm;
class Dataset;
class DBGrid;

class TlumoFrmGrilla : public TFrameLumo
{
    Q_OBJECT

public:
    TlumoFrmGrilla(QWidget *parent, const QString &nombreDiseno, const QString &archivo, const QString &grilla);

    // Builds the frame's datasets and grid on `conexion` (opened with it), the grid's
    // handlers being the form's.
    void InicializarConexion(Connection *conexion, TCustomMDIChild *form) override;
    void getImpresion(const QString &pagina, const QString &titulo, TImpresion *impresion) override;

    Dataset *Tabla() const;
    DBGrid *Grilla() const;
    // Shows rows written behind the frame's back (a stand renamed).
    void Refrescar();

protected:
    // Between the build and the opening: look-ups and lists.
    virtual void prepararTabla(TCustomMDIChild *form);
    // The form's stands as the look-up source of `campo` (its `resultado` by `num`).
    void buscarEnRodales(TCustomMDIChild *form, const QString &campo, const QString &resultado);

private:
    QString m_archivo;
    QString m_grilla;
    BuiltForm *m_formulario = nullptr;
};
