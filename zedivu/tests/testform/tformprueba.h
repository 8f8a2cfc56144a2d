#pragma once
// The test form PRUEBA: a main table with an edit, a memo and a lookup combo on its
// first page, a detail table on the second, its own main-database connection.
#include "tcustommdichild.h"

class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBMemo;
class Table;

class TFormPRUEBA : public TCustomMDIChild
{
    Q_OBJECT

public:
    explicit TFormPRUEBA(QWidget *owner = nullptr);

    void Nuevo() override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void LlenarInfoPredio() override;
    void DbgEventoOnExitEspecial(QObject *sender) override;

    Connection *conexion;
    Connection *conexionPpal;
    Table *adtPRUEBA;
    Table *adtPRUEBA_det;
    Table *adtTipos;
    DataSource *dsrcPpal;
    DataSource *dsrcDet;
    DataSource *dsrcTipos;
    DBEdit *edtNombre;
    DBMemo *memObs;
    DBLookupComboBox *cmbTipo;
    DBGrid *dbgDetalle;
    QTabWidget *pgcPaginas;
    int llenadosPredio = 0;
};
