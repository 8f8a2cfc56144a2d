// The KELU printout in the agency's layout: the general data of the property (replicas of
// the DORVO form's), the diagnosis, the management units with their activities, the
// protection measures, what the maps must show, and the closing signatures. Every block
// that must stay on one page ends with Seccion.
#include "tformkelu.h"

#include "impresion/timpresion.h"
#include "kelucomponentes.h"
#include "util_texto.h"

#include <algorithm>

namespace {

// Space between two fields printed on one line (mm).
constexpr double kEntreCampos = 4;

// Writes the KELU printout on a layout; one per ComponerImpresion.
class ImpresionKelu
{
public:
    ImpresionKelu(TFormKELU *form, TImpresion *imp)
        : m_form(form)
        , m_imp(imp)
    {
    }

    // A heading in 12-point bold, a little apart from what precedes it; what follows it
    // starts on the next line.
    void subtitulo(const QString &texto)
    {
        m_imp->CrLf4();
        m_imp->SubTitulo(texto, taIzquierda);
        m_imp->Cr();
    }

    void texto(const QString &texto)
    {
        m_imp->Texto(texto, taIzquierda);
        m_imp->Cr();
    }

    // A grid of the form as on screen; the table ends its own block. A replica of the
    // DORVO form's data has nothing to show while that form is not open.
    void tabla(const QString &nombre)
    {
        DBGrid *g = kelu::grilla(m_form, nombre);
        if (g && g->DataSet() && g->DataSet()->Active())
            m_imp->Tabla(g);
    }

    // A heading and its grid.
    void tablaConTitulo(const QString &titulo, const QString &nombre)
    {
        subtitulo(titulo);
        tabla(nombre);
    }

    // Fields side by side on one line, a little apart from what precedes them; the cursor
    // ends at the start of the next line.
    template <class Valor>
    void campos(const QList<QPair<QString, Valor>> &lista, TLabelPosition posicion)
    {
        m_imp->CrLf4();
        double alto = 0;
        for (qsizetype i = 0; i < lista.size(); ++i) {
            if (i > 0)
                m_imp->DeltaX(kEntreCampos);
            const TDimensiones d = m_imp->Campo(lista.at(i).first, lista.at(i).second, posicion);
            m_imp->DeltaY(-d.Alto);
            alto = std::max(alto, d.Alto);
        }
        m_imp->Cr();
        m_imp->DeltaY(alto);
    }

    template <class Valor>
    void campo(const QString &etiqueta, Valor valor, TLabelPosition posicion = lpLeft)
    {
        campos<Valor>({{etiqueta, valor}}, posicion);
    }

    // A memo of the form, under its heading.
    void memo(const QString &titulo, const QString &nombre)
    {
        texto(titulo);
        campo(QString(), kelu::componente<DBMemo>(m_form, nombre));
    }

    void encabezado()
    {
        const QString logo = m_form->DirAplicacion + QStringLiteral("img/logo.bmp");
        m_imp->IniEncabezado();
        const double altoLogo = m_imp->Imagen(logo, 0.5, taIzquierda).Alto;
        m_imp->Cr();
        m_imp->DeltaY(-m_imp->PosY);
        m_imp->Texto(QStringLiteral("Form. ") + m_form->Codigo + QStringLiteral(" (v.") + GetProgramVersion(QString())
                         + QLatin1Char(')'),
                     taDerecha);
        m_imp->CrLf();
        // The body starts a little below the logo, however tall it is.
        if (m_imp->PosY < altoLogo)
            m_imp->DeltaY(altoLogo - m_imp->PosY);
        m_imp->CrLf4();
        m_imp->FinEncabezado();
        m_imp->Seccion();
    }

    // The box the agency fills in on reception, and the title.
    void portada()
    {
        const QString caja = QStringLiteral("Nº:       _________________\n\nFecha:  _________________");
        const double ancho = 60;
        const double margen = 1;
        m_imp->DeltaX(m_imp->AnchoUtil - ancho - 2 * margen);
        m_imp->CuadroTexto(ancho, m_imp->AlturaCuadroTexto(ancho, caja), caja, taIzquierda, margen, true);
        m_imp->Cr();
        m_imp->Texto(QStringLiteral("(Uso Okran)                "), taDerecha);
        m_imp->CrLf();
        m_imp->Titulo(QStringLiteral("PLAN DE MANEJO\nPLANTACIONES FORESTALES"));
        m_imp->CrLf();
    }

    void antecedentesGenerales()
    {
        subtitulo(QStringLiteral("I. ANTECEDENTES GENERALES"));
        texto(QStringLiteral("Nombre del (de la) Propietario(a):"));
        tabla(QStringLiteral("dbgPropietarios"));
        campo(QStringLiteral("Nombre del Predio:"), edit(QStringLiteral("edt_nom_pre")));
        texto(QStringLiteral("Roles de Avalúo Nº:"));
        tabla(QStringLiteral("dbgRoles"));
        campos<const DBLookupComboBox *>({{QStringLiteral("Comuna:"), combo(QStringLiteral("lcb_com"))},
                                          {QStringLiteral("Provincia:"), combo(QStringLiteral("lcb_prv"))},
                                          {QStringLiteral("Región:"), combo(QStringLiteral("lcb_reg"))}},
                                         lpLeft);
        m_imp->Seccion();
        tablaConTitulo(QStringLiteral("COORDENADAS U.T.M.:"), QStringLiteral("dbgCoordenadas"));
        subtitulo(QStringLiteral("Superficie total del predio (hectáreas), según:"));
        campos<const DBEdit *>({{QStringLiteral("Título de Dominio:"), edit(QStringLiteral("edt_sup_tit"))},
                                {QStringLiteral("Servicio Impuestos Internos:"), edit(QStringLiteral("edt_sup_sii"))},
                                {QStringLiteral("Plano Adjunto:"), edit(QStringLiteral("edt_sup"))}},
                               lpAbove);
        m_imp->Seccion();
        subtitulo(QStringLiteral("Vías de Acceso:"));
        campo(QString(), kelu::componente<DBMemo>(m_form, QStringLiteral("mem_via")));
        m_imp->Seccion();
        tablaConTitulo(QStringLiteral("Roles de avalúo contiguos al predio:"), QStringLiteral("dbgRolesContiguos"));
        const Field *resolucion = kelu::campo(ppal(), QStringLiteral("resJud_tiene"));
        if (resolucion && resolucion->AsBoolean()) {
            subtitulo(QStringLiteral("Estudio proviene de resolución Judicial. Antecedentes:"));
            campo(QString(), kelu::componente<DBMemo>(m_form, QStringLiteral("mem_resJud_desc")));
            m_imp->Seccion();
        }
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
        campos<const Field *>({{QStringLiteral("Plantaciones (há):"), kelu::campo(p, QStringLiteral("uso_rec_pla"))},
                               {QStringLiteral("Bosque Nativo (há):"), kelu::campo(p, QStringLiteral("uso_rec_bos"))}},
                              lpLeft);
        texto(QStringLiteral("Suelos A.P.F. descubiertos de Vegetación:"));
        campos<const Field *>({{QStringLiteral("Forestables (há):"), kelu::campo(p, QStringLiteral("sue_for"))},
                               {QStringLiteral("Reforestables (há):"), kelu::campo(p, QStringLiteral("sue_ref"))}},
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
        Dataset *unidades = m_cursores(kelu::tabla(m_form, QStringLiteral("obj")));
        m_cursores(kelu::tabla(m_form, QStringLiteral("desc_esq")));
        kelu::paraCadaRegistro(unidades, [&](int) {
            campos<const Field *>({{QStringLiteral("Unidad de manejo: "), kelu::campo(unidades, QStringLiteral("unidad"))},
                                   {QStringLiteral("  Objetivo: "), kelu::campo(unidades, QStringLiteral("obj"))}},
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

    void planos()
    {
        subtitulo(QStringLiteral("VII. PLANOS"));
        subtitulo(QStringLiteral("1. PLANO DE DIAGNOSTICO"));
        texto(QStringLiteral("Representar gráficamente:\n· Límites del predio y roles vecinos\n· Norte magnético, coordenadas "
                             "U.T.M.\n· Red hidrográfica\n· Caminos existentes\n· Superficies por capacidades de uso\n· "
                             "Delimitación de terrenos calificados de A.P.F.\n· Superficie cubierta por bosque nativo\n· "
                             "Plantaciones forestales, por Unidad de Manejo e individualización de rodales\n· Áreas "
                             "forestables, por Unidad de Manejo e individualización de sectores\n· Áreas reforestables por "
                             "Unidad de Manejo e individualización de sectores"));
        m_imp->Seccion();
        subtitulo(QStringLiteral("2. PLANO DE PROTECCION AMBIENTAL"));
        texto(QStringLiteral("Representar gráficamente:\n· Límites del predio\n· Norte magnético, coordenadas U.T.M.\n· Red "
                             "hidrográfica\n· Caminos existentes\n· Curvas de nivel\n· Sectores con restricción por "
                             "topografía\n· Sectores con restricción por suelos\n· Sectores con restricción por presencia de "
                             "recursos hídricos\n· Caminos y canchas de acopio planificados\n· Zonas de protección contra "
                             "incendios forestales de prioridad alta y media\n· Torres de observación y brigadas de combate"));
        m_imp->Seccion();
    }

private:
    void medidas(const QString &prevencion, const QString &control)
    {
        memo(QStringLiteral("a) Medidas de Prevención:"), prevencion);
        m_imp->Seccion();
        memo(QStringLiteral("b) Medidas de Control:"), control);
        m_imp->Seccion();
    }

    const DBEdit *edit(const QString &nombre) const { return kelu::componente<DBEdit>(m_form, nombre); }
    const DBLookupComboBox *combo(const QString &nombre) const
    {
        return kelu::componente<DBLookupComboBox>(m_form, nombre);
    }
    Dataset *ppal() const { return kelu::tabla(m_form, QString()); }

    TFormKELU *m_form;
    TImpresion *m_imp;
    kelu::CursoresGuardados m_cursores;
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
        plan.portada();
        plan.antecedentesGenerales();
        plan.diagnostico();
        plan.objetivosYTratamientos();
        plan.proteccion();
        plan.planos();
    }
    // The signatures and the city and date are the request's: without its DORVO form
    // there is no one to sign.
    if (BuscarFormulario(QStringLiteral("dorvo")))
        prtUltimaSeccion(impresion, ConsultorId, DatasetPpal, QStringLiteral("dorvo"));
    impresion->Seccion();
    impresion->FinDocumento();
}
