// The KELU printout in the agency's layout: the general data of the property (replicas of
// the DORVO form's), the diagnosis, the management units with their activities, the
// protection measures, what the maps must show, and the closing signatures. Every block
// that must stay on one page ends with Seccion.
#include "tformkelu.h"

#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"
#include "componentesformulario.h"
#include "util_texto.h"

#include <algorithm>

namespace {

const char *const kPlanos = R"(# VII. PLANOS
# 1. PLANO DE DIAGNOSTICO
Representar gráficamente:
· Límites del predio y roles vecinos
· Norte magnético, coordenadas U.T.M.
· Red hidrográfica
· Caminos existentes
· Superficies por capacidades de uso
· Delimitación de terrenos calificados de A.P.F.
· Superficie cubierta por bosque nativo
· Plantaciones forestales, por Unidad de Manejo e individualización de rodales
· Áreas forestables, por Unidad de Manejo e individualización de sectores
· Áreas reforestables por Unidad de Manejo e individualización de sectores

# 2. PLANO DE PROTECCION AMBIENTAL
Representar gráficamente:
· Límites del predio
· Norte magnético, coordenadas U.T.M.
· Red hidrográfica
· Caminos existentes
· Curvas de nivel
· Sectores con restricción por topografía
· Sectores con restricción por suelos
· Sectores con restricción por presencia de recursos hídricos
· Caminos y canchas de acopio planificados
· Zonas de protección contra incendios forestales de prioridad alta y media
· Torres de observación y brigadas de combate
)";

// Writes the KELU printout on a layout; one per ComponerImpresion.
class ImpresionKelu : public ImpresionFormulario
{
public:
    ImpresionKelu(TFormKELU *form, TImpresion *imp)
        : ImpresionFormulario(form, imp)
        , m_imp(imp)
    {
    }

    void diagnostico()
    {
        subtitulo(QStringLiteral("II. DIAGNOSTICO"));
        subtitulo(QStringLiteral("1. Clima"));
        tablaConTitulo(QStringLiteral("a) Variables Climáticas:"), QStringLiteral("dbgKELU_var_cli"));
        tablaConTitulo(QStringLiteral("b) Fuente de Información"), QStringLiteral("dbgKELU_fte_inf"));
        subtitulo(QStringLiteral("2. Fisiografía e Hidrografía"));
        tablaConTitulo(QStringLiteral("a) Fisiografía"), QStringLiteral("dbgKELU_fis"));
        tablaConTitulo(QStringLiteral("b) Hidrografía"), QStringLiteral("dbgKELU_hidr"));

        subtitulo(QStringLiteral("3. Uso actual del suelo"));
        const Dataset *p = ppal();
        texto(QStringLiteral("Recurso Forestal:"));
        campos<const Field *>({{QStringLiteral("Plantaciones (há):"), componentes::campo(p, QStringLiteral("uso_rec_pla"))},
                               {QStringLiteral("Bosque Nativo (há):"), componentes::campo(p, QStringLiteral("uso_rec_bos"))}},
                              lpLeft);
        texto(QStringLiteral("Suelos A.P.F. descubiertos de Vegetación:"));
        campos<const Field *>({{QStringLiteral("Forestables (há):"), componentes::campo(p, QStringLiteral("sue_for"))},
                               {QStringLiteral("Reforestables (há):"), componentes::campo(p, QStringLiteral("sue_ref"))}},
                              lpLeft);
        m_imp->Seccion();

        tablaConTitulo(QStringLiteral("4. Descripción de Rodales"), QStringLiteral("dbgKELU_desc"));
        tablaConTitulo(QStringLiteral("5. Detalle de los Sectores Forestables"), QStringLiteral("dbgKELU_det_sec"));
        subtitulo(QStringLiteral("6. Antecedentes sobre incendios forestales"));
        tablaConTitulo(QStringLiteral("a) Ocurrencia de Incendios Forestales, como Factor de Riesgo"),
                       QStringLiteral("dbgKELU_ocu_inc"));
        tablaConTitulo(QStringLiteral("b) Determinación de la Magnitud del Riesgo y Peligro"), QStringLiteral("dbgKELU_det_mag"));
        tablaConTitulo(QStringLiteral("7. Restricciones por Variables del Medio Natural"), QStringLiteral("dbgKELU_rest_var"));
    }

    void objetivosYTratamientos()
    {
        tablaConTitulo(QStringLiteral("III. OBJETIVOS DE MANEJO"), QStringLiteral("dbgKELU_obj"));

        subtitulo(QStringLiteral("IV. TRATAMIENTOS SEGÚN OBJETIVOS"));
        subtitulo(QStringLiteral("1. Descripción del esquema de manejo"));
        // Each unit with its own activities: the activities grid shows the current unit's.
        Dataset *unidades = cursores()(componentes::tabla(form(), QStringLiteral("obj")));
        cursores()(componentes::tabla(form(), QStringLiteral("desc_esq")));
        componentes::paraCadaRegistro(unidades, [&](int) {
            campos<const Field *>({{QStringLiteral("Unidad de manejo: "), componentes::campo(unidades, QStringLiteral("unidad"))},
                                   {QStringLiteral("  Objetivo: "), componentes::campo(unidades, QStringLiteral("obj"))}},
                                  lpLeft);
            tabla(QStringLiteral("dbgKELU_desc_esq"));
            m_imp->Seccion();
        });
        m_imp->Seccion();

        subtitulo(QStringLiteral("2. Parámetros de cada actividad propuesta"));
        tablaConTitulo(QStringLiteral("a) Si se trata de forestación:"), QStringLiteral("dbgKELU_for"));
        tablaConTitulo(QStringLiteral("b) Si se trata de poda:"), QStringLiteral("dbgKELU_poda"));
        tablaConTitulo(QStringLiteral("c) Si se trata de raleo:"), QStringLiteral("dbgKELU_ral"));
        tablaConTitulo(QStringLiteral("d) Si se trata de corta de cosecha:"), QStringLiteral("dbgKELU_cor"));
        tablaConTitulo(QStringLiteral("e) Si se trata de corta de reforestación:"), QStringLiteral("dbgKELU_ref"));

        tablaConTitulo(QStringLiteral("3. Planificación de caminos y canchas de acopio"), QStringLiteral("dbgKELU_plan_cam"));
        memo(QStringLiteral("Descripción técnica de caminos:"), QStringLiteral("mem_desc_tec_cam"));
        m_imp->Seccion();
        memo(QStringLiteral("Descripción técnica de canchas de acopio:"), QStringLiteral("mem_desc_tec_can"));
        m_imp->Seccion();
    }

    void proteccion()
    {
        tablaConTitulo(QStringLiteral("V. MEDIDAS DE PROTECCIÓN AMBIENTAL"), QStringLiteral("dbgKELU_mepr"));

        subtitulo(QStringLiteral("VI. PROTECCION AL RECURSO FORESTAL"));
        subtitulo(QStringLiteral("1. Protección contra plagas y enfermedades forestales"));
        medidas(QStringLiteral("mem_mepr_plag"), QStringLiteral("mem_meco_plag"));
        subtitulo(QStringLiteral("2. Protección contra incendios"));
        medidas(QStringLiteral("mem_mepr_inc"), QStringLiteral("mem_meco_inc"));
    }

    void planos() { textoFijo(QString::fromUtf8(kPlanos)); }

private:
    void medidas(const QString &prevencion, const QString &control)
    {
        memo(QStringLiteral("a) Medidas de Prevención:"), prevencion);
        m_imp->Seccion();
        memo(QStringLiteral("b) Medidas de Control:"), control);
        m_imp->Seccion();
    }

    Dataset *ppal() const { return componentes::tabla(form(), QString()); }

    TImpresion *m_imp;
};

} // namespace

void TFormKELU::ComponerImpresion(TImpresion *impresion)
{
    if (!impresion)
        return;
    impresion->IniDocumento();
    {
        ImpresionKelu plan(this, impresion);
        plan.encabezado();
        plan.portada(QStringLiteral("PLAN DE MANEJO\nPLANTACIONES FORESTALES"));
        plan.antecedentesGenerales();
        plan.diagnostico();
        plan.objetivosYTratamientos();
        plan.proteccion();
        plan.planos();
    }
    // The closing signatures end every printout; without the DORVO form its signatories,
    // city and date are simply blank.
    prtUltimaSeccion(impresion, ConsultorId, DatasetPpal, QStringLiteral("dorvo"));
    impresion->Seccion();
    impresion->FinDocumento();
}
