// The COBA printout in the agency's layout: the general data of the property (replicas of
// the DORVO form's), the stands, the thinnings and the harvest with its reforestation, the
// full text of the norm the owner accepts, the sworn declaration and the closing
// signatures. Each grid ends its section so that it stays on one page.
#include "tformcoba.h"

#include "impresion/declaracionnorma.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"

namespace {

const char *const kNorma = R"(# IV. NORMA DE MANEJO APLICABLE A PLANTACIONES DE PINO INSIGNE Y ESPECIES EXOTICAS SIMILARES.
# AMBITO DE APLICACION
· La presente norma de manejo es aplicable a intervenciones de raleo, de corta de cosecha y reforestación de plantaciones de pino insigne y especies exóticas similares.

# EXCLUSIONES
· La presente norma de manejo no es aplicable en terrenos cuya pendiente sea igual o superior a 100%.
· La presente norma de manejo no es aplicable en las situaciones en que las plantaciones de pino insigne y similares compartan el sitio con especies nativas con problema de conservación, y que de acuerdo a lo establecido en el "Libro Rojo de la Flora Terrestre de Chile" publicado por Okran en 1989, se encuentren en las siguientes categorías: "En peligro", "Vulnerable" o "Rara".
· La presente norma de manejo no es aplicable en predios donde existan fuentes abastecedoras de agua potable.

# 1. PRESCRIPCIONES TECNICAS
# 1.1 Raleos
· La intensidad de raleo será entre el 25% y el 50 % de los árboles del rodal.
· La corta de individuos deberá efectuarse en forma homogénea y en toda el área a intervenir, sin dejar sectores descubiertos de masa arbórea, de manera de no dejar terrenos desprotegidos.

# 1.2 Corta de cosecha
· En terrenos cuya pendiente sea inferior a 30%, la corta de cosecha se podrá efectuar mediante cualquier método, sin restricciones (tala rasa, corta selectiva, etc.).
· En terrenos cuya pendiente sea superior al 30%, se podrá emplear cualquier método de corta. No obstante, los desechos de explotación deberán ser distribuidos homogéneamente en todo el terreno o apilados en forma homogénea, en fajas ubicadas en sentido de la curva de nivel, con una distancia máxima de 10 metros entre fajas.

# 1.3 Plazos
· El (La) propietario(a) que se acoja a estas normas de manejo tendrá un plazo máximo de dos años para las intervenciones de corta y raleo, contados desde la fecha de aprobación de la presente norma.

# 1.4 Actividades de Reforestación
· La reforestación deberá efectuarse durante el mismo año en que se efectuó la corta o a más tardar el año calendario siguiente, mediante el método de plantación.
· La densidad mínima a emplear al reforestar con pino insigne u otras especies similares será de 1.100 plantas/ha. Si se reforesta con eucaliptos u otras especies similares, la densidad mínima de reforestación será de 800 plantas/ha.
· Las actividades de reforestación se considerarán concluidas cuando la plantación se encuentre establecida, es decir, que haya alcanzado al menos una altura de 1 metro en condiciones áridas o semiáridas, o de 2 metros en circunstancias más favorables, y se encuentre homogéneamente distribuida.

# 2. MEDIDAS DE PROTECCION AMBIENTAL
· No se utilizará el fuego para eliminar residuos.
· Se protegerá la vegetación nativa aledaña al área a intervenir, quedando prohibida su corta.
· Cuando el área a intervenir colinde con cursos o masas de agua, se conservará una franja de bosque de protección, cuyo ancho estará en función de lo siguiente:
        a) Cursos de agua permanentes y temporales: 25 metros
        b) Masas de agua (lagos, lagunas, embalses y orillas de mar): 50 metros.
· No se cortarán por lo tanto aquellos árboles que se encuentren dentro de esta franja de protección, ni se acumularán en ella desechos provenientes de la corta.

· Los materiales de desecho se agruparán de forma tal que estos no alcancen los cursos de agua existentes, sean estos permanentes o estacionales.
· Cuando el rodal a cosechar colinde con caminos públicos, se dejará una franja de bosque sin cortar, de un ancho mínimo de 15 metros. Esta franja de árboles sólo podrá ser cortada y reforestada cuando el bosque resultante de la reforestación del rodal tenga una altura promedio de 2 metros, sin necesidad de presentar una nueva solicitud para ejecutar esta última intervención.
· Construcción y mantención de caminos: Cuando los caminos crucen un curso de agua permanente o estacional, se desarrollarán las obras de arte necesarias para que el agua, en ningún caso deteriore el camino, ni cause pérdida de suelo o derrumbes. Los caminos contarán con cunetas que permitan orientar el flujo de las aguas lluvias, con el objeto de evitar el daño al camino y posibles desmoronamientos. Dependiendo del volumen y de la estacionalidad del flujo máximo esperado, se construirá cuando corresponda: puentes, alcantarillas, drenes y/o reforzamiento de taludes. Los taludes y terraplenes se protegerán estableciendo una cubierta herbácea y/o arbustiva para prevenir la erosión del suelo.

# 3. MEDIDAS DE PROTECCION AL RECURSO FORESTAL
# a) Protección al establecimiento de la reforestación
· Se tomarán las medidas de control conducentes a la protección del establecimiento de la reforestación, tales como mantención de cercos, exclusión de ganado, control fauna dañina, etc.

# b) Protección contra incendios forestales
· Se despejará de material combustible una franja de 25 metros de ancho alrededor de campamentos, depósitos de combustibles, aserraderos u otros lugares donde se puedan originar incendios.
· Se mantendrá en el predio herramientas mínimas para enfrentar emergencias de esta naturaleza (palas, rastrillos, rozones, etc.)
· Se dejará una faja cortafuegos en la periferia de la plantación, especialmente en sectores adyacentes a caminos, líneas férreas, u otro factor de riesgo. Estos tendrán un ancho de 10 metros y se levantarán sobre terrenos ya cosechados y sin que esto implique la corta de vegetación aledaña, de ningún tipo.

· En lo posible, se instalarán carteles en donde se prohiba el uso del fuego, en los que se entregue un mensaje claro y llamativo.
· Se mantendrá vigilancia o se efectuará recorridos en el predio en épocas de mayor peligro.
· Se tomarán todas las precauciones, que de acuerdo a la realidad del predio, sean conducentes a la efectiva protección contra incendios forestales.

# c) Protección contra plagas y enfermedades
· Con el objeto de poder detectar la presencia de Polilla del Brote u otra plaga que ponga en riesgo la plantación, se efectuarán recorridos y revisión de las plantaciones, a lo menos una vez al año, de preferencia en los meses de Septiembre, Octubre y Noviembre.

# V. PLANO
# Se debe incluir al menos la siguiente información:
· Nombre del (de la) propietario(a)
· Nombre del predio, rol SII y ubicación administrativa
· Escala, base cartográfica y mapa de ubicación del predio
· Límites del predio, roles vecinos, norte magnético y coordenadas U.T.M.
· Red hidrográfica y caminos existentes.
· Identificación y límite de rodales a intervenir
)";

// Writes the COBA body on a layout; one per ComponerImpresion.
class ImpresionCoba : public ImpresionFormulario
{
public:
    using ImpresionFormulario::ImpresionFormulario;

    void programa()
    {
        grilla(QStringLiteral("II. CARACTERIZACION DE LOS RODALES A INTERVENIR"), QStringLiteral("car"), QStringLiteral("obs1"));
        subtitulo(QStringLiteral("III. PROGRAMA DE TRABAJO"));
        grilla(QStringLiteral("Actividades de Raleo"), QStringLiteral("act_ral"), QStringLiteral("obs2"));
        grilla(QStringLiteral("Actividades de corta de cosecha y reforestación"), QStringLiteral("act_cor_ref"),
               QStringLiteral("obs3"));
    }

private:
    // A grid with its footer, then its observations, each a section.
    void grilla(const QString &titulo, const QString &sufijo, const QString &observaciones)
    {
        tablaConTitulo(titulo, QStringLiteral("dbgCoba_") + sufijo);
        imp()->CrLf();
        imp()->Seccion();
        memo(QStringLiteral("Observaciones:"), QStringLiteral("mem_") + observaciones);
        imp()->CrLf();
        imp()->Seccion();
    }
};

} // namespace

void TFormCOBA::ComponerImpresion(TImpresion *impresion)
{
    // Without the DORVO form the property data and the closing signatures are blank.
    ImprimirConCierre(this, impresion, QStringLiteral("dorvo"), [&] {
        OpcionesEncabezado encabezado;
        encabezado.dosLf = true;
        ImprimirEncabezado(impresion, DirAplicacion, componentes::codigoDe(this), encabezado);
        ImpresionCoba norma(this, impresion);
        norma.entreLugares = 5;
        norma.entreSuperficies = 0;
        // The norm's paragraphs print apart, its groups further apart.
        norma.espaciadoTexto.entreLineas = 2;
        norma.espaciadoTexto.entreSecciones = 2;
        norma.portada(QStringLiteral("NORMA DE MANEJO\nAPLICABLE A PLANTACIONES DE PINO INSIGNE Y ESPECIES\nEXÓTICAS "
                                     "SIMILARES\n(RALEO, CORTA O EXPLOTACIÓN Y REFORESTACION)"),
                      CajaRecepcion::Fija);
        norma.antecedentesGenerales();
        norma.programa();
        norma.textoFijo(QString::fromUtf8(kNorma));
        ImprimirDeclaracionJuradaNorma(impresion);
    });
}
