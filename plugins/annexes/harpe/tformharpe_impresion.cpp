// The HARPE printout in the agency's layout: the head and the property of the DORVO
// request, the stands and their regeneration, the norm's fixed text (norma.txt), the
// sworn declaration and the closing signatures.
#include "tformharpe.h"

#include "impresion/impresionnorma.h"

void TFormHARPE::ComponerImpresion(TImpresion *impresion)
{
    // Without the DORVO form the property data and the closing signatures are blank.
    ImprimirConCierre(this, impresion, QStringLiteral("dorvo"), [&] {
        ImpresionNorma p(this, impresion);
        p.cabeza(QStringLiteral("NORMA DE MANEJO\nAPLICABLE AL TIPO FORESTAL LENGA"));
        p.tablaConTitulo(QStringLiteral("II. CARACTERIZACION DE LOS RODALES"), QStringLiteral("dbgHARPE_car"));
        p.tablaConTitulo(QStringLiteral("III.CARACTERIZACION DE LA REGENERACION EXISTENTE"), QStringLiteral("dbgHARPE_car_reg"));
        p.norma(QStringLiteral("HARPE"));
    });
}
