// The TISA printout in the agency's layout: the general data of the property (replicas of
// the DORVO form's), the diagnosis, the objectives, the programme of activities, the
// protection measures, what the map must show, and the closing signatures. Every grid is
// followed by a line feed and ends its section, so that it stays on one page.
#include "tformtisa.h"

#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"

namespace {

const char *const kPlano = R"(# VI. PLANO
Representar gráficamente:
· límites del predio y roles vecinos.
· norte magnético, coordenadas U.T.M.
· red hidrográfica.
· caminos existentes.
· curvas de nivel cada 50 metros.
· superficie cubierta por clase de capacidad de uso del área a intervenir.
· superficie a intervenir por rodal.
· zonas de riesgo en directa relación con la recuperación de terrenos.
· medidas de protección graficables.
)";

// Writes the TISA printout on a layout; one per ComponerImpresion.
class ImpresionTisa : public ImpresionFormulario
{
public:
    using ImpresionFormulario::ImpresionFormulario;

    void diagnostico()
    {
        subtitulo(QStringLiteral("II. DIAGNOSTICO"));
        subtitulo(QStringLiteral("1. Clima"));
        grilla(QStringLiteral("A) Variables climáticas"), QStringLiteral("var_cli"));
        grilla(QStringLiteral("B) Fuente de información"), QStringLiteral("fte_inf"));
        grilla(QStringLiteral("2. Hidrografía"), QStringLiteral("hidr"));
        grilla(QStringLiteral("3. Caracterización del suelo"), QStringLiteral("car_sue"));
        subtitulo(QStringLiteral("4. Flora y Fauna con problemas de conservación"));
        grilla(QStringLiteral("A) Flora"), QStringLiteral("flo"));
        grilla(QStringLiteral("B) Fauna"), QStringLiteral("fau"));
        subtitulo(QStringLiteral("5. Antecedentes sobre incendios forestales"));
        grilla(QStringLiteral("A) Ocurrencia de incendios, como factor de riesgo"), QStringLiteral("ocu"));
        grilla(QStringLiteral("B) Determinación de la magnitud del riesgo y peligro"), QStringLiteral("det"));
        grilla(QStringLiteral("6. Caracterización del bosque"), QStringLiteral("car_bos"));
    }

    void objetivosYPrograma()
    {
        grilla(QStringLiteral("III. OBJETIVOS"), QStringLiteral("obj"));
        subtitulo(QStringLiteral("IV. PROGRAMA DE ACTIVIDADES"));
        tablaConTitulo(QStringLiteral("ACTIVIDADES DE CORTA"), QStringLiteral("dbgTISA_prog_corta"));
        grilla(QStringLiteral("OTRAS ACTIVIDADES"), QStringLiteral("prog_act"));
    }

    void proteccion()
    {
        subtitulo(QStringLiteral("V. MEDIDAS DE PROTECCION PARA EL AREA A INTERVENIR"));
        grilla(QStringLiteral("1. Medidas de protección ambiental"), QStringLiteral("mepr"));
        subtitulo(QStringLiteral("2. Protección contra incendios forestales"));
        memo(QStringLiteral("A) Medidas de Prevención:"), QStringLiteral("mem_mepr_inc"));
        imp()->Seccion();
        memo(QStringLiteral("B) Medidas de Control:"), QStringLiteral("mem_meco_inc"));
        imp()->Seccion();
    }

    void plano() { textoFijo(QString::fromUtf8(kPlano)); }

private:
    void grilla(const QString &titulo, const QString &sufijo)
    {
        tablaConTitulo(titulo, QStringLiteral("dbgTISA_") + sufijo);
        imp()->CrLf();
        imp()->Seccion();
    }
};

} // namespace

void TFormTISA::ComponerImpresion(TImpresion *impresion)
{
    if (!impresion)
        return;
    impresion->IniDocumento();
    ImprimirEncabezado(impresion, DirAplicacion, componentes::codigoDe(this));
    {
        ImpresionTisa plan(this, impresion);
        plan.portada(QStringLiteral("PLAN DE MANEJO\nCORTA DE BOSQUE NATIVO\nPARA RECUPERAR TERRENOS CON FINES AGRICOLAS"),
                     CajaRecepcion::Fija);
        plan.antecedentesGenerales();
        plan.diagnostico();
        plan.objetivosYPrograma();
        plan.proteccion();
        plan.plano();
    }
    // The closing signatures end every printout; without the DORVO form its signatories,
    // city and date are simply blank.
    prtUltimaSeccion(impresion, ConsultorId, DatasetPpal, QStringLiteral("dorvo"));
    impresion->Seccion();
    impresion->FinDocumento();
}
