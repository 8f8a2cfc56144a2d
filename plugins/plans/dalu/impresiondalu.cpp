// The DALU printout in the agency's layout: the general data of the property (replicas of
// the DORVO form's), the diagnosis with the forest resource and one stand table per stand,
// the objectives, the treatments per objective and per stand, the protection of the
// resource, what the maps must show, and the closing signatures. Every block that must
// stay on one page ends with Seccion.
#include "tformdalu.h"

#include "componentesformulario.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"

namespace {

const char *const kPlanos = R"(# 1. Plano de diagnóstico
Representar gráficamente:
· Límites del predio y roles vecinos
· Norte magnético, coordenadas U.T.M.
· Red hidrográfica
· Caminos existentes
· Superficies por capacidades de uso
· Delimitación de terrenos calificados de A.P.F.
· Superficie cubierta por bosque nativo, por rodal
· Plantaciones forestales, por rodal

# 2.Plano de manejo y de protección forestal
Representar gráficamente:
· Límites del predio y roles vecinos
· Norte magnético, coordenadas U.T.M.
· Red hidrográfica
· Caminos existentes
· Rodales a intervenir, individualizados
· Zonas de protección contra incendios forestales
· Torres de observación

# 3. Plano de protección ambiental
Representar gráficamente:
· Límites del predio y roles vecinos
· Norte magnético, coordenadas U.T.M.
· Red hidrográfica
· Caminos existentes
· Curvas de nivel
· Rangos de pendiente: 30% - 45%, 45% - 60%, 60% y más
· Áreas con restricciones
· Franjas de protección de cursos y cuerpos de agua
· Caminos y canchas de acopio planificados
)";

// Writes the DALU printout on a layout; one per ComponerImpresion.
class ImpresionDalu : public ImpresionFormulario
{
public:
    ImpresionDalu(TFormDALU *form, TImpresion *imp)
        : ImpresionFormulario(form, imp)
        , m_imp(imp)
    {
        // Section I prints its places 5 mm apart and its surfaces a sixteenth apart.
        entreLugares = 5;
        entreSuperficies = 0;
        // Masters before their details: putting a stand back re-reads its stand table.
        for (const char *s : {"car", "tab_rod", "obj", "crit", "desc", "desc_det", "prescripcion"})
            cursores()(datos(s));
    }

    void cabeza()
    {
        ImprimirEncabezado(m_imp, form()->DirAplicacion, componentes::codigoDe(form()));
        portada(QStringLiteral("PLAN DE MANEJO\nBOSQUE NATIVO"), CajaRecepcion::Fija);
    }

    void diagnostico()
    {
        subtitulo(QStringLiteral("II. DIAGNOSTICO"));
        grilla(QStringLiteral("2.1. Caracterización de los rodales"), "car");
        memo(QStringLiteral("Características del suelo:"), "car_sue");
        memo(QStringLiteral("Factores limitantes:"), "fac_lim");
        subtitulo(QStringLiteral("2.2 Descripción del medio natural"));
        subtitulo(QStringLiteral("2.2.1 Clima"));
        grilla(QStringLiteral("A) Variables climáticas"), "var_cli");
        grilla(QStringLiteral("B) Fuente de información"), "fte_inf");
        subtitulo(QStringLiteral("2.2.2 Fisiografía e Hidrografía"));
        grilla(QStringLiteral("A) Fisiografía"), "fis");
        grilla(QStringLiteral("B) Hidrografía"), "hid");
        subtitulo(QStringLiteral("2.2.3 Flora y Fauna con problemas de conservación"));
        grilla(QStringLiteral("A) Flora"), "flo");
        grilla(QStringLiteral("B) Fauna"), "fau");
        subtitulo(QStringLiteral("2.2.4 Antecedentes sobre incendios forestales"));
        grilla(QStringLiteral("A) Ocurrencia de incendios, como factor de riesgo"), "ocu_inc");
        grilla(QStringLiteral("B) Determinación de la magnitud del riesgo, peligro y daño potencial"), "mag_inc");
    }

    void recursoForestal()
    {
        subtitulo(QStringLiteral("2.3. Descripción del recurso forestal"));
        grilla(QStringLiteral("2.3.1 Descripción cualitativa"), "des_cua");
        memo(QStringLiteral("Descripción de los problemas de sanidad:"), "des_pro_san");
        subtitulo(QStringLiteral("2.3.3 Descripción cuantitativa"));
        subtitulo(QStringLiteral("a) Tabla de rodal y existencia"));
        // The stand table follows the stand: one block per stand, in stand order.
        Dataset *rodales = datos("car");
        componentes::paraCadaRegistro(rodales, [&](int) {
            campo(QStringLiteral("Rodal:"), componentes::campo(rodales, QStringLiteral("num")));
            especies(QStringLiteral("Otras especies:"));
            tabla(QStringLiteral("dbgDALU_tab_rod_det"));
            m_imp->CrLf();
            m_imp->Seccion();
        });

        subtitulo(QStringLiteral("b) Características del inventario forestal"));
        texto(QStringLiteral("General:"));
        muestreo("lcb_lumo_tip_mue", "lcb_lumo_form_parc", "edt_lumo_tam_parc");
        texto(QStringLiteral("De la regeneración"));
        muestreo("lcb_reg_tip_mue", "lcb_reg_form_parc", "edt_reg_tam_parc");
        m_imp->Seccion();
        grilla(QStringLiteral("c) Resultados del muestreo"), "res_mue");
        grilla(QStringLiteral("d) Características de la regeneración existente"), "car_reg");
        grilla(QStringLiteral("e) Resumen del inventario"), "res_inv");
        grilla(QStringLiteral("f) Resumen general"), "res_gral");
        grilla(QStringLiteral("2.3.4 Resticciones de manejo según variables del medio natural"), "rest");
    }

    void objetivosYTratamientos()
    {
        grilla(QStringLiteral("III. OBJETIVOS DE MANEJO"), "obj");

        subtitulo(QStringLiteral("IV. TRATAMIENTOS SEGÚN OBJETIVOS"));
        // Criteria, description, activities and prescriptions follow their objective.
        Dataset *objetivos = datos("obj");
        Dataset *criterios = datos("crit");
        Dataset *actividades = datos("desc_det");
        const Field *objetivo = componentes::campo(objetivos, QStringLiteral("obj"));

        subtitulo(QStringLiteral("4.1. Criterios para el tratamiento silvícola"));
        componentes::paraCadaRegistro(objetivos, [&](int) {
            if (!criterios || !criterios->Active() || criterios->IsEmpty())
                return;
            campo(QStringLiteral("Objetivo"), objetivo);
            tabla(QStringLiteral("dbgDALU_crit"));
            m_imp->CrLf();
            m_imp->Seccion();
        });

        subtitulo(QStringLiteral("4.2. Descripción del tratamiento silvícola"));
        componentes::paraCadaRegistro(objetivos, [&](int) {
            campo(QStringLiteral("Estructura deseada"), componentes::campo(objetivos, QStringLiteral("estr")));
            tabla(QStringLiteral("dbgDALU_desc_det"));
            m_imp->CrLf();
            m_imp->Seccion();
            memo(QStringLiteral("Justificación de la elección del tratamiento :"), "jus");
        });

        subtitulo(QStringLiteral("4.3. Estimación de variables dasométricas al final de tratamiento"));
        Dataset *rodales = datos("car");
        componentes::paraCadaRegistro(rodales, [&](int) {
            campo(QStringLiteral("Rodal:"), componentes::campo(rodales, QStringLiteral("num")));
            campo(QStringLiteral("Superficie:"), componentes::campo(rodales, QStringLiteral("sup")));
            especies(QStringLiteral("Otras especies"));
            tabla(QStringLiteral("dbgDALU_est_var"));
            m_imp->CrLf();
            m_imp->Seccion();
        });

        subtitulo(QStringLiteral("4.4. Prescripción técnica y medidas de protección ambiental"));
        const DBLookupComboBox *actividad = componentes::componente<DBLookupComboBox>(form(), QStringLiteral("lcb_act"));
        componentes::paraCadaRegistro(objetivos, [&](int) {
            campo(QStringLiteral("Rodal"), componentes::campo(objetivos, QStringLiteral("num")));
            texto(QStringLiteral("Prescripción técnica y medidas de protección ambiental:"));
            m_imp->Seccion();
            componentes::paraCadaRegistro(actividades, [&](int) {
                campo(QStringLiteral("Actividad:"), actividad);
                memo(QStringLiteral("Prescripción técnica"), "pres");
            });
        });

        subtitulo(QStringLiteral("4.4.1. Parámetros de cada actividad propuesta"));
        grilla(QStringLiteral("a) Si se trata de corta intermedia :"), "cor_int");
        grilla(QStringLiteral("b) Si se trata de poda :"), "pod");
        grilla(QStringLiteral("c) Si se trata de corta de regeneración :"), "cor_reg");
        grilla(QStringLiteral("d) Si se trata de regeneración o reforestación :"), "reg_ref");
        grilla(QStringLiteral("e) Si se trata de establecimiento de la regeneración :"), "est_reg");
        grilla(QStringLiteral("4.5. Actividades no silvícolas"), "act_nosil");
    }

    void proteccion()
    {
        subtitulo(QStringLiteral("V. PROTECCION AL RECURSO FORESTAL"));
        subtitulo(QStringLiteral("1. Protección contra plagas y enfermedades forestales"));
        memo(QStringLiteral("a) Medidas de prevención"), "mepr_plag");
        memo(QStringLiteral("b) Medidas de Control: "), "meco_plag");
        subtitulo(QStringLiteral("2. Protección contra incendios forestales"));
        memo(QStringLiteral("a) Medidas de prevención"), "mepr_inc");
        memo(QStringLiteral("b) Medidas de Control: "), "meco_inc");
    }

    void planos()
    {
        subtitulo(QStringLiteral("VI. Planos"));
        textoFijo(QString::fromUtf8(kPlanos));
    }

private:
    using ImpresionFormulario::memo;
    Dataset *datos(const char *sufijo) const { return componentes::tabla(form(), QLatin1String(sufijo)); }

    // A grid of the form under its title, then a line feed; a block of its own.
    void grilla(const QString &titulo, const char *sufijo)
    {
        tablaConTitulo(titulo, QStringLiteral("dbgDALU_") + QLatin1String(sufijo));
        m_imp->CrLf();
        m_imp->Seccion();
    }

    // A memo under its title, then a line feed; a block of its own.
    void memo(const QString &titulo, const char *campo)
    {
        memo(titulo, QStringLiteral("mem_") + QLatin1String(campo));
        m_imp->CrLf();
        m_imp->Seccion();
    }

    // The three species of the current stand table as their combos show them, and the others.
    void especies(const QString &otras)
    {
        for (int i = 1; i <= 3; ++i) {
            const QString n = QString::number(i);
            campo(QStringLiteral("Especie ") + n + QLatin1Char(':'),
                  static_cast<const DBLookupComboBox *>(componentes::componente<DBLookupComboBox>(form(), QStringLiteral("lcb_esp") + n)));
        }
        campo(otras, componentes::campo(datos("tab_rod"), QStringLiteral("esps")));
    }

    // Sampling type and plot shape as their combos show them, and the plot size.
    void muestreo(const char *tipo, const char *forma, const char *tamano)
    {
        const auto combo = [this](const char *n) {
            return static_cast<const DBLookupComboBox *>(componentes::componente<DBLookupComboBox>(form(), QLatin1String(n)));
        };
        campo(QStringLiteral("Tipo de muestreo:"), combo(tipo));
        campo(QStringLiteral("Forma de las parcelas:"), combo(forma));
        campo(QStringLiteral("Tamaño de la parcela:"), static_cast<const DBEdit *>(componentes::componente<DBEdit>(form(), QLatin1String(tamano))));
    }

    TImpresion *m_imp;
};

} // namespace

void TFormDALU::ComponerImpresion(TImpresion *impresion)
{
    ImprimirConCierre(this, impresion, QStringLiteral("dorvo"), [&] {
        ImpresionDalu plan(this, impresion);
        plan.cabeza();
        plan.antecedentesGenerales();
        plan.diagnostico();
        plan.recursoForestal();
        plan.objetivosYTratamientos();
        plan.proteccion();
        plan.planos();
    });
}
