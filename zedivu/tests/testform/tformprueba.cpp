#include "tformprueba.h"

#include "builtform.h"
#include "classregistry.h"
#include "connection.h"
#include "dataset.h"
#include "dbgrid.h"
#include "field.h"
#include "formcomponents.h"
#include "gridcolumn.h"

BRENVIK_REGISTER_WINDOW(TFormPRUEBA, "TFormPRUEBA");

TFormPRUEBA::TFormPRUEBA(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("PRUEBA"))
{
    if (!m_formulario)
        return;
    // The type column of the detail grid is coded, as lookup columns of real forms are.
    if (auto *grilla = findComponent<DBGrid>(this, QStringLiteral("dbgDetalle"))) {
        if (GridColumn *tipo = grilla->ColumnByFieldName(QStringLiteral("tipo"))) {
            tipo->setKeyList({QStringLiteral("1"), QStringLiteral("2")});
            tipo->setPickList({QStringLiteral("Uno"), QStringLiteral("Dos")});
        }
    }
}

void TFormPRUEBA::Nuevo()
{
    NuevoDescrito();
}

void TFormPRUEBA::ComponerImpresion(TImpresion *) {}

QByteArray TFormPRUEBA::PrepararXML()
{
    return QByteArrayLiteral("<prueba/>");
}

void TFormPRUEBA::InicializarDatasetPpal(const QString &nombreCompleto)
{
    DatasetPpal->FieldByName(QStringLiteral("obs"))->setAsString(nombreCompleto);
}

void TFormPRUEBA::DbgEventoOnExitEspecial(QObject *)
{
    setProperty("salidasEspeciales", property("salidasEspeciales").toInt() + 1);
}
