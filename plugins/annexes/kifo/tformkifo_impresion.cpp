// The KIFO printout: the accreditation head and the property of the FERUN request, the
// bonus payment, the resolutions, the curtains and then each curtain with its rows, what
// the map must show with the signer's line, and the closing signatures of the request.
#include "tformkifo.h"

#include "acreditacionferun.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"

namespace {

const char *const kPlanos = R"(# PLANOS
Deberá acompañarse un plano que indicará antecedentes administrativos, límite predial, superficie de suelos degradados o con serio peligro de erosión por efecto de la acción eólica, y delimitación de la cortina cortavientos establecidas.
La escala a utilizar en la confección del plano deberá ser 1 : 20.000, excepto en predios menores a 50 ha en los que la escala a utilizar será 1 : 10.000.
Se deberá consignar la fecha de elaboración el nombre y firma del (de la) autor(a) del estudio, propietario(a) y/o cesionario(a) cuando corresponda 
)";

} // namespace

void TFormKIFO::ComponerImpresion(TImpresion *impresion)
{
    ImprimirConCierre(this, impresion, QStringLiteral("ferun"), [this, impresion] {
        OpcionesEncabezado cabeza;
        cabeza.dosLf = true;
        ImprimirEncabezado(impresion, DirAplicacion, componentes::codigoDe(this), cabeza);
        ImpresionFormulario p(this, impresion);
        p.portada(QStringLiteral("ESTUDIO TECNICO DE ACREDITACION DE ESTABLECIMIENTO \nDE CORTINAS CORTAVIENTOS"),
                  CajaRecepcion::Fija);
        p.antecedentesGenerales();
        AcreditacionFerun::ImprimirBonificacion(p);

        p.subtitulo(QStringLiteral("III. ANTECEDENTES DE LA RESOLUCION"));
        p.tabla(QStringLiteral("dbgKIFO_ant_resol"));
        impresion->Seccion();
        p.subtitulo(QStringLiteral("IV.  CARACTERÍSTICAS DE LAS CORTINAS CORTA VIENTOS ESTABLECIDAS"));
        p.tabla(QStringLiteral("dbgKIFO_car_cort"));
        // Each curtain made current, so that the rows grid shows its own rows.
        Dataset *cortinas = p.cursores()(tabla(QStringLiteral("car_cort")));
        p.cursores()(tabla(QStringLiteral("car_cort_det")));
        componentes::paraCadaRegistro(cortinas, [&](int) {
            impresion->Seccion();
            p.campo<const Field *>(QStringLiteral("Cortina Nº: "), componentes::campo(cortinas, QStringLiteral("num_cort")));
            p.tabla(QStringLiteral("dbgKIFO_car_cort_det"));
        });
        impresion->Seccion();

        p.textoFijo(QString::fromUtf8(kPlanos));
        AcreditacionFerun::LineaFirmante(p);
    });
}
