#include "tformkelu.h"

#include "abort.h"
#include "builtform.h"
#include "componentesformulario.h"
#include "classregistry.h"
#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "dialogservice.h"
#include "entrada/tformmultiseleccion.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "formcomponents.h"
#include "transaction.h"
#include "util_bbdd.h"

#include <QScopeGuard>
#include <QTabWidget>

BRENVIK_REGISTER_WINDOW(TFormKELU, "TFormKELU");

TFormKELU::TFormKELU(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("KELU"))
{
    if (!m_formulario)
        return;
    InstalarValidaciones(*m_formulario);
    enlazarReglas();
}

void TFormKELU::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormKELU::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormDescrito::InicializarDatasetPpal(nombreCompleto);
    if (!m_formulario || !DatasetPpal || !DatasetPpal->Active())
        return;
    enlazarCampos();
    resolucionJudicialCambiada();
}

bool TFormKELU::ValidarFormulario()
{
    if (!TFormDescrito::ValidarFormulario())
        return false;
    if (Asercion(ConexionBD, QStringLiteral("from kelu_mepr WHERE med_prot is null OR trim(med_prot) = ''"))) {
        DialogoError(QStringLiteral("Hay rodales que tienen restricciones ambientales definidas, pero\n"
                                    "no tienen explicitada sus medidas de protección"));
        if (DBGrid *medidas = grilla(QStringLiteral("mepr"))) {
            for (int i = 0; i < Paginas->count(); ++i) {
                if (Paginas->widget(i)->isAncestorOf(medidas))
                    CambiarHoja(i);
            }
            medidas->setFocus();
        }
        Abort();
    }
    return true;
}


DBGrid *TFormKELU::grilla(const QString &sufijo) const
{
    return findComponent<DBGrid>(const_cast<TFormKELU *>(this), QStringLiteral("dbgKELU_") + sufijo);
}
