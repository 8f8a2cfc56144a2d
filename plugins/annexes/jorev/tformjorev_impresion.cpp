// The JOREV printout: the annex head and the property of the DORVO request, the areas, the
// soil-fragility evidence and the water resources (each with its observations), what the
// map must show, and the closing signatures of the request.
#include "tformjorev.h"

#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"

namespace {

const char *const kPlano = R"(# V. PLANO 
Deberá acompañarse un plano que indicará antecedentes administrativos, límite predial, límites de los bosques solicitados a declarar por tipo de protección.
La escala a utilizar en la confección del plano deberá ser 1 : 20.000, excepto en predios menores a 250 ha en los que la escala a utilizar será 1 : 10.000.
Se deberá consignar la fecha de elaboración, el nombre y la firma del (de la) propietario(a) y del (de la) autor(a) del estudio.
)";

} // namespace

void TFormJOREV::ComponerImpresion(TImpresion *impresion)
{
    ImprimirConCierre(this, impresion, QStringLiteral("dorvo"), [this, impresion] {
        OpcionesEncabezado cabeza;
        cabeza.dosLf = true;
        ImprimirEncabezado(impresion, DirAplicacion, componentes::codigoDe(this), cabeza);
        ImpresionFormulario p(this, impresion);
        p.portada(QStringLiteral("ESTUDIO TECNICO DE DECLARACIÓN DE\nBOSQUES DE PROTECCIÓN"), CajaRecepcion::Fija);
        p.antecedentesGenerales();
        const QList<std::array<const char *, 3>> secciones = {
            {"II. CARACTERÍSTICAS DEL BOSQUE DE PROTECCIÓN", "car", "obs"},
            {"III. ANTECEDENTES QUE ACREDITAN LA FRAGILIDAD DE LOS SUELOS", "ant_frag_suelo", "obs2"},
            {"IV. ANTECEDENTES SOBRE RECURSOS HÍDRICOS", "ant_rec_hid", "obs3"},
        };
        for (const auto &[titulo, grilla, memo] : secciones) {
            p.texto(QString::fromUtf8(titulo));
            p.tabla(QStringLiteral("dbgJOREV_") + QLatin1String(grilla));
            p.memo(QStringLiteral("Observaciones:"), QStringLiteral("mem_") + QLatin1String(memo));
            impresion->Seccion();
        }
        p.textoFijo(QString::fromUtf8(kPlano));
        for (int i = 0; i < 6; ++i)
            impresion->Lf();
        impresion->Seccion();
    });
}
