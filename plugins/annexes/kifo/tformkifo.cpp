#include "tformkifo.h"

#include "acreditacionferun.h"
#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "cortinas.h"
#include "dbnavigator.h"

#include <QToolButton>

BRENVIK_REGISTER_WINDOW(TFormKIFO, "TFormKIFO");

TFormKIFO::TFormKIFO(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("KIFO"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
    // The curtains are walked through, never added or deleted, from the navigator.
    if (auto *nav = findComponent<DBNavigator>(this, QStringLiteral("nav_kifo_car_cort"))) {
        for (int b = 0; b < DBNavigator::ButtonCount; ++b)
            if (b != DBNavigator::Prior && b != DBNavigator::Next)
                nav->button(DBNavigator::Button(b))->hide();
    }
}

void TFormKIFO::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormKIFO::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormDescrito::InicializarDatasetPpal(nombreCompleto);
    if (m_formulario && DatasetPpal && DatasetPpal->Active())
        AcreditacionFerun::ListaTesorerias(this);
}

bool TFormKIFO::ValidarFormulario()
{
    if (!TFormDescrito::ValidarFormulario())
        return false;
    ValidarTablaNoVacia(componentes::grilla(this, QStringLiteral("dbgKIFO_ant_resol")),
                        QStringLiteral("Antecedentes de la resolución"));
    return true;
}

void TFormKIFO::enlazarReglas()
{
    Cortinas cortinas;
    cortinas.cortinas = tabla(QStringLiteral("car_cort"));
    cortinas.tabla = QStringLiteral("kifo_car_cort");
    cortinas.filas = tabla(QStringLiteral("car_cort_det"));
    cortinas.tablaFilas = QStringLiteral("kifo_car_cort_det");
    cortinas.enlace = QStringLiteral("id_car");
    cortinas.numeroFila = QStringLiteral("num_hil");
    cortinas.preguntaMenos = QStringLiteral("La cantidad de hileras ingresadas es menor a la existente para esta cortina.\n"
                                            "¿Desea descartar las filas adicionales?");
    cortinas.preguntaBorrado = QStringLiteral("Al borrar esta fila, se borrará también la información de las hileras.\n"
                                              "¿Seguro que desea continuar?");
    cortinas.fuente = m_formulario->dataSource(QStringLiteral("kifo_car_cort"));
    cortinas.suma = QStringLiteral("long");
    DeclararCortinas(m_reglas, cortinas);
}

