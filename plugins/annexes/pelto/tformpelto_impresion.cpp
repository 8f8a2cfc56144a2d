// The PELTO printout: the annex head and the property of the FERUN request, the bonus
// payment, the resolutions, the stands and their pruning and thinning, what the map must
// show, the signer's line and the closing signatures of the request.
#include "tformpelto.h"

#include "acreditacionferun.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"

namespace {

const char *const kPlano = R"(# VI. PLANO 
Deberá acompañarse un plano que indicará antecedentes administrativos, límite predial, superficie podada y superficie raleada, cuando corresponda.
La escala a utilizar en la confección del plano deberá ser 1 : 20.000, excepto en predios menores a 250 ha en los que la escala a utilizar será 1 : 10.000.
Se deberá consignar la fecha de elaboración el nombre y firma del (de la) autor(a) del estudio, propietario(a) y/o cesionario(a) cuando corresponda )";

} // namespace

void TFormPELTO::ComponerImpresion(TImpresion *impresion)
{
    ImprimirConCierre(this, impresion, QStringLiteral("ferun"), [this, impresion] {
        OpcionesEncabezado cabeza;
        cabeza.dosLf = true;
        ImprimirEncabezado(impresion, DirAplicacion, componentes::codigoDe(this), cabeza);
        ImpresionFormulario p(this, impresion);
        p.portada(QStringLiteral("ESTUDIO TECNICO DE ACREDITACION DE EJECUCION\nDE ACTIVIDADES DE PRIMERA PODA Y/O "
                                 "RALEO\nREALIZADAS POR PEQUEÑOS PROPIETARIOS FORESTALES"),
                  CajaRecepcion::Fija);
        p.antecedentesGenerales();
        AcreditacionFerun::ImprimirBonificacion(p);
        p.texto(QStringLiteral("III. ANTECEDENTES DE LAS RESOLUCIONES:"));
        p.tabla(QStringLiteral("dbgPELTO_ant_res"));
        impresion->Seccion();
        p.subtitulo(QStringLiteral("IV. ANTECEDENTES DE LA PLANTACION"));
        p.tabla(QStringLiteral("dbgPELTO_ant_plan"));
        impresion->Seccion();
        p.subtitulo(QStringLiteral("V. CARACTERISTICAS DE LA PODA Y RALEO"));
        p.tabla(QStringLiteral("dbgPELTO_car"));
        impresion->Seccion();
        p.textoFijo(QString::fromUtf8(kPlano));
        AcreditacionFerun::LineaFirmante(p);
    });
}
