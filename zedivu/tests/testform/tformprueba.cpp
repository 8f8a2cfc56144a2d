#include "tformprueba.h"

#include "classregistry.h"
#include "connection.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "gridcolumn.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "field.h"
#include "table.h"

#include <QFormLayout>
#include <QTabWidget>
#include <QVBoxLayout>

BRENVIK_REGISTER_WINDOW(TFormPRUEBA, "TFormPRUEBA");

TFormPRUEBA::TFormPRUEBA(QWidget *owner)
    : TCustomMDIChild(owner)
{
    setObjectName(QStringLiteral("FormPRUEBA"));
    conexion = new Connection(this);
    conexionPpal = new Connection(this);
    auto tabla = [this](const char *nombre, const char *tablaBd) {
        auto *t = new Table(this);
        t->setObjectName(QLatin1String(nombre));
        t->setTableName(QLatin1String(tablaBd));
        t->setConnection(conexion);
        return t;
    };
    adtPRUEBA = tabla("adtPRUEBA", "prueba");
    adtPRUEBA_det = tabla("adtPRUEBA_det", "prueba_det");
    adtTipos = tabla("adtTipos", "tipos");
    auto fuente = [this](const char *nombre, Dataset *ds) {
        auto *s = new DataSource(this);
        s->setObjectName(QLatin1String(nombre));
        s->setDataSet(ds);
        return s;
    };
    dsrcPpal = fuente("dsrcPpal", adtPRUEBA);
    dsrcDet = fuente("dsrcDet", adtPRUEBA_det);
    dsrcTipos = fuente("dsrcTipos", adtTipos);

    pgcPaginas = new QTabWidget(this);
    auto *general = new QWidget;
    auto *campos = new QFormLayout(general);
    edtNombre = new DBEdit;
    edtNombre->setObjectName(QStringLiteral("edtNombre"));
    edtNombre->setDataSource(dsrcPpal, QStringLiteral("nombre"));
    memObs = new DBMemo;
    memObs->setObjectName(QStringLiteral("memObs"));
    memObs->setDataSource(dsrcPpal, QStringLiteral("obs"));
    cmbTipo = new DBLookupComboBox;
    cmbTipo->setObjectName(QStringLiteral("cmbTipo"));
    cmbTipo->setDataSource(dsrcPpal, QStringLiteral("tipo"));
    cmbTipo->setListSource(dsrcTipos, QStringLiteral("codigo"), QStringLiteral("descripcion"));
    campos->addRow(QStringLiteral("Nombre"), edtNombre);
    campos->addRow(QStringLiteral("Tipo"), cmbTipo);
    campos->addRow(QStringLiteral("Observaciones"), memObs);
    pgcPaginas->addTab(general, QStringLiteral("Antecedentes Generales"));
    dbgDetalle = new DBGrid;
    dbgDetalle->setObjectName(QStringLiteral("dbgDetalle"));
    dbgDetalle->setDataSource(dsrcDet);
    dbgDetalle->addColumn(QStringLiteral("num"));
    GridColumn *codificada = dbgDetalle->addColumn(QStringLiteral("tipo"));
    codificada->setKeyList({QStringLiteral("1"), QStringLiteral("2")});
    codificada->setPickList({QStringLiteral("Uno"), QStringLiteral("Dos")});
    dbgDetalle->addColumn(QStringLiteral("sup"));
    dbgDetalle->setTag(1);
    pgcPaginas->addTab(dbgDetalle, QStringLiteral("Detalle"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pgcPaginas);
}

void TFormPRUEBA::Nuevo()
{
    Secciones = QStringLiteral("Formulario de prueba\r\nAntecedentes Generales\r\n\tDetalle");
    HojaActual = 0;
    ConexionBD = conexion;
    ConexionBDPpal = conexionPpal;
    DatasetPpal = adtPRUEBA;
    Paginas = pgcPaginas;
}

void TFormPRUEBA::ComponerImpresion(TImpresion *) {}

QByteArray TFormPRUEBA::PrepararXML()
{
    return QByteArrayLiteral("<prueba/>");
}

void TFormPRUEBA::InicializarDatasetPpal(const QString &nombreCompleto)
{
    adtPRUEBA->FieldByName(QStringLiteral("obs"))->setAsString(nombreCompleto);
}

void TFormPRUEBA::LlenarInfoPredio()
{
    ++llenadosPredio;
}

void TFormPRUEBA::DbgEventoOnExitEspecial(QObject *)
{
    setProperty("salidasEspeciales", property("salidasEspeciales").toInt() + 1);
}
