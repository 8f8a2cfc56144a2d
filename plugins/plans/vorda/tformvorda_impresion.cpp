// The VORDA printout in the agency's layout: the head and general data of a bound plan
// (without the judicial antecedents, which a notice has not), the four calendars, the
// map's requirement and the closing signatures. Every block that must stay on one page
// ends with Seccion.
#include "tformvorda.h"

#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"

void TFormVORDA::ComponerImpresion(TImpresion *impresion)
{
    if (!impresion)
        return;
    impresion->IniDocumento();
    {
        ImpresionFormulario aviso(this, impresion);
        aviso.encabezado();
        aviso.portada(QStringLiteral("AVISO DE EJECUCION DE FAENAS Nº_______\nPLAN DE MANEJO PLANTACIONES FORESTALES"));
        aviso.antecedentesGenerales();
        aviso.subtitulo(QStringLiteral("CALENDARIZACION DE ACTIVIDADES"));
        const std::pair<const char *, const char *> calendarios[] = {
            {"1. Forestación", "dbgVORDA_for"},
            {"2. Actividades silvícolas de corta o cosecha y reforestación", "dbgVORDA_act"},
            {"3. Otras actividades silvícolas", "dbgVORDA_otr"},
            {"4. Construcción de caminos y canchas de acopio", "dbgVORDA_con"},
        };
        for (const auto &[titulo, grilla] : calendarios) {
            aviso.tablaConTitulo(QString::fromUtf8(titulo), QLatin1String(grilla));
            impresion->CrLf();
            impresion->Seccion();
        }
        aviso.subtitulo(QStringLiteral("5. Plano"));
        aviso.texto(QStringLiteral("Adjuntar plano con delimitación de sectores y/o rodales incluidos en el presente Aviso."));
        impresion->Seccion();
    }
    // Without the DORVO form its signatories, city and date are simply blank.
    prtUltimaSeccion(impresion, ConsultorId, DatasetPpal, QStringLiteral("dorvo"));
    impresion->Seccion();
    impresion->FinDocumento();
}
