// The ERTIV printout in the agency's layout: the head and the property of the DORVO
// request, the stands' characterisation and summary, their soils, the work programme, the
// norm's fixed text (norma.txt), the sworn declaration and the closing signatures.
#include "tformertiv.h"

#include "impresion/impresionnorma.h"
#include "impresion/timpresion.h"

void TFormERTIV::ComponerImpresion(TImpresion *impresion)
{
    // Without the DORVO form the property data and the closing signatures are blank.
    ImprimirConCierre(this, impresion, QStringLiteral("dorvo"), [&] {
        ImpresionNorma p(this, impresion);
        p.cabeza(QStringLiteral("NORMA DE MANEJO\nAPLICABLE AL TIPO FORESTAL SIEMPREVERDE\n(CORTA DE REGENERACION)"));
        p.tablaConTitulo(QStringLiteral("II. CARACTERIZACION DE LOS RODALES"), QStringLiteral("dbgERTIV_car"));
        p.tablaConTitulo(QStringLiteral("III. RESUMEN DE RODALES"), QStringLiteral("dbgERTIV_res"));
        p.tablaConTitulo(QStringLiteral("IV. CARACTERIZACION DE LOS SUELOS"), QStringLiteral("dbgERTIV_car_sue"));
        p.memo(QStringLiteral("Observaciones:"), QStringLiteral("mem_obs1"));
        impresion->Seccion();
        p.subtitulo(QStringLiteral("V. PROGRAMA DE TRABAJO"));
        p.tablaConTitulo(QStringLiteral("1 Actividades de corta"), QStringLiteral("dbgERTIV_act_cor"));
        p.tablaConTitulo(QStringLiteral("2 Actividades de reforestación"), QStringLiteral("dbgERTIV_act_ref"));
        p.norma(QStringLiteral("ERTIV"));
    });
}
