// The ESKA printout: the annex head and the property of the DORVO request, the sectors,
// resolutions, bonuses and justifications, what the maps must show, the owner's or legal
// representative's name and the closing signatures of the request.
#include "tformeska.h"

#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"

namespace {

const char *const kPlanos = R"(# VI. PLANOS
Deberá acompañarse un plano que indicará antecedentes administrativos, límite predial, y límites de capacidades de uso de los terrenos de aptitud preferentemente forestal solicitados a desafectar.
La escala a utilizar en la confección del plano deberá ser 1 : 20.000, excepto en predios menores a 250 ha en los que la escala a utilizar será 1 : 10.000.
Se deberá consignar la fecha de elaboración, el nombre y la firma del (de la) propietario(a) y del (de la) autor(a) del estudio técnico.
)";

} // namespace

void TFormESKA::ComponerImpresion(TImpresion *impresion)
{
    ImprimirConCierre(this, impresion, QStringLiteral("dorvo"), [this, impresion] {
        OpcionesEncabezado cabeza;
        cabeza.dosLf = true;
        ImprimirEncabezado(impresion, DirAplicacion, componentes::codigoDe(this), cabeza);
        ImpresionFormulario p(this, impresion);
        p.portada(QStringLiteral("DESAFECTACION DE TERRENOS CALIFICADOS DE\nAPTITUD PREFERENTEMENTE FORESTAL"),
                  CajaRecepcion::Fija);
        p.antecedentesGenerales();
        const QList<std::pair<const char *, const char *>> secciones = {
            {"II. ANTECEDENTES DE LOS TERRENOS A DESAFECTAR", "ant_des"},
            {"III. ANTECEDENTES DE LAS RESOLUCIONES", "ant_res"},
            {"IV. ANTECEDENTES DE LAS BONIFICACIONES", "ant_bon"},
            {"V.JUSTIFICACION DE LA DESAFECTACION", "jus"},
        };
        for (const auto &[titulo, grilla] : secciones) {
            p.subtitulo(QLatin1String(titulo));
            p.tabla(QStringLiteral("dbgESKA_") + QLatin1String(grilla));
            impresion->Lf();
            impresion->Lf();
            impresion->Seccion();
        }
        p.textoFijo(QString::fromUtf8(kPlanos));
        // An annex holds no signer of its own: the name prints empty, to be written by hand.
        p.campo(QStringLiteral("Nombre del (de la) Propietario(a) o Representante Legal:"), FirmanteNombre);
        for (int i = 0; i < 4; ++i)
            impresion->Lf();
        impresion->Seccion();
    });
}
