// The ILVA printout: the annex head and the property of the DORVO request, the soil's
// degradation, the sectors' current use, the curtains and then each curtain with its rows,
// the protection measures, what the map must show, and the closing signatures of the
// request.
#include "tformilva.h"

#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"

namespace {

const char *const kPlanos = R"(# VI. PLANOS
Deberá acompañarse un plano que indicará: antecedentes administrativos, límite predial, límite de sectores, delimitación de la cortina cortavientos a establecer y delimitación del área de influencia de ella.
La escala a utilizar en la confección del plano deberá ser 1 : 20.000, excepto en predios menores a 250 ha en los que la escala a utilizar será 1 : 10.000.
Se deberá consignar la fecha de elaboración, el nombre y la firma del (de la) propietario(a) y del (de la) autor(a) del estudio técnico.
)";

} // namespace

void TFormILVA::ComponerImpresion(TImpresion *impresion)
{
    ImprimirConCierre(this, impresion, QStringLiteral("dorvo"), [this, impresion] {
        OpcionesEncabezado cabeza;
        cabeza.dosLf = true;
        ImprimirEncabezado(impresion, DirAplicacion, componentes::codigoDe(this), cabeza);
        ImpresionFormulario p(this, impresion);
        p.entreLugares = 5;
        p.entreSuperficies = 0;
        p.portada(QStringLiteral("RECONOCIMIENTO DE SUELOS FORESTABLES\nPARA EL ESTABLECIMIENTO DE CORTINAS \nCORTAVIENTOS"),
                  CajaRecepcion::Fija);
        p.antecedentesGenerales();

        p.subtitulo(QStringLiteral("II. ESTADO DE DEGRADACION O PELIGRO DE EROSION DEL SUELO A PROTEGER"));
        p.campo<const DBMemo *>(QString(), componentes::componente<DBMemo>(this, QStringLiteral("mem_est_deg")));
        impresion->Seccion();
        p.subtitulo(QStringLiteral("III. USO ACTUAL DE LOS TERRENOS A RECONOCER"));
        p.tabla(QStringLiteral("dbgILVA_uso"));
        impresion->Seccion();
        p.subtitulo(QStringLiteral("IV. CARACTERISTICAS DE LAS CORTINAS CORTAVIENTOS A ESTABLECER"));
        p.tabla(QStringLiteral("dbgILVA_car"));
        impresion->Seccion();
        // Each curtain made current, so that the rows grid shows its own rows.
        Dataset *cortinas = p.cursores()(tabla(QStringLiteral("car")));
        p.cursores()(tabla(QStringLiteral("car_det")));
        componentes::paraCadaRegistro(cortinas, [&](int) {
            p.campos<const Field *>({{QStringLiteral("Sector Nº "), componentes::campo(cortinas, QStringLiteral("num_sect"))},
                                     {QStringLiteral("Cortina Nº "), componentes::campo(cortinas, QStringLiteral("num_cort"))}},
                                    lpLeft);
            p.tabla(QStringLiteral("dbgILVA_car_det"));
            impresion->Seccion();
        });

        p.subtitulo(QStringLiteral("V. MEDIDAS DE PROTECCION"));
        const QList<std::pair<const char *, const char *>> medidas = {
            {"1. Protección al suelo", "mepr_sue"},
            {"2. Protección a cursos y masas de agua", "mepr_cur"},
            {"3. Protección a la vegetación circundante y medidas de preservación", "mepr_veg"},
            {"4. Protección al establecimiento de la plantación", "mepr_est"},
        };
        for (const auto &[titulo, memo] : medidas) {
            p.memo(QString::fromUtf8(titulo), QStringLiteral("mem_") + QLatin1String(memo));
            impresion->Seccion();
        }
        p.textoFijo(QString::fromUtf8(kPlanos));
    });
}
