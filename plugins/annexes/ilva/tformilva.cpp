#include "tformilva.h"

#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "cortinas.h"

BRENVIK_REGISTER_WINDOW(TFormILVA, "TFormILVA");

TFormILVA::TFormILVA(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("ILVA"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
}

void TFormILVA::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormILVA::enlazarReglas()
{
    // A sector with curtains cannot be deleted; a rename reaches its curtains.
    m_reglas.declararClave({tabla(QStringLiteral("uso")), QStringLiteral("ilva_uso"), QStringLiteral("num_sect"),
                            QStringLiteral("Id"), {{QStringLiteral("ilva_car"), QStringLiteral("num_sect")}},
                            RelacionClave::Borrado::Rechazar, false, {QStringLiteral("adtILVA_car")}, nullptr, {}});

    Cortinas cortinas;
    cortinas.cortinas = tabla(QStringLiteral("car"));
    cortinas.tabla = QStringLiteral("ilva_car");
    cortinas.filas = tabla(QStringLiteral("car_det"));
    cortinas.tablaFilas = QStringLiteral("ilva_car_det");
    cortinas.enlace = QStringLiteral("Id_car");
    cortinas.numeroFila = QStringLiteral("hil");
    cortinas.fuente = m_formulario->dataSource(QStringLiteral("ilva_car"));
    cortinas.suma = QStringLiteral("sup");
    DeclararCortinas(m_reglas, cortinas);
}

