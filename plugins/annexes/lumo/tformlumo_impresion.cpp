// The printout of the generic form in the agency's layout: the head with the
// combination's mark and title, the property's general data (replicas of the DORVO
// form's), every section the form shows in its order and under its outline title, the
// quarantine-pest norm with the owner's sworn declaration (Sirex and quarantine pests), the
// closing signatures and, for the Sirex prospection, its technical annex.
#include "tformlumo.h"

#include "dbgrid.h"
#include "dbmemo.h"
#include "gridcolumn.h"
#include "impresion/declaracionnorma.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"
#include "tframelumo.h"

#include <QGroupBox>
#include <QPair>

namespace {

// The norm's introductory paragraph, the paragraph of its scope and its numbered parts,
// whose items are bullets.
const char *const kNormaIntroduccion = R"(Toda corta que el Servicio Agrícola y Ganadero ordene como medida fitosanitaria, en virtud del Decreto Ley Nº 3.557 de 1980, obliga al (a la) propietario(a) a contar con un plan de manejo aprobado o a acogerse a una norma de manejo aprobada, a cumplir sus prescripciones y a reforestar la superficie intervenida conforme al Decreto Ley Nº 701 de 1974.)";

const char *const kNormaAmbito = R"(La presente norma de manejo es aplicable sólo a intervenciones de raleo, raleo sanitario, corta o explotación final y reforestación de plantaciones afectadas por plagas cuarentenarias reguladas por el Servicio Agrícola y Ganadero.)";

const char *const kNormaPlaga = R"(# 1.- PRESCRIPCIONES TÉCNICAS 
# 1.1 Raleo 
• La intensidad de raleo será entre el 25% y el 50% de los árboles del rodal.
• La corta de individuos deberá efectuarse en forma homogénea y en toda el área a intervenir, sin dejar sectores descubiertos de masa arbórea.

# 1.2 Raleo Sanitario
• Se cortarán los árboles atacados, sospechosos y susceptibles de ser atacados por la plaga, según lo disponga el Servicio Agrícola y Ganadero, aun cuando con ello se supere la intensidad de raleo señalada en el punto anterior.

# 1.3 Corta o Explotación Final 
• La corta o explotación final se podrá efectuar mediante cualquier método cuando la plaga afecte a la mayor parte del rodal o cuando así lo ordene el Servicio Agrícola y Ganadero.

# 1.4 Plazos 
• Las intervenciones se ejecutarán en los plazos que fije la resolución del Servicio Agrícola y Ganadero y, a falta de ella, dentro de los dos años siguientes a la aprobación de la presente norma.

# 1.5 Actividades de Reforestación 
• La reforestación deberá efectuarse durante el mismo año en que se efectuó la corta o a más tardar el año calendario siguiente.
• Cuando se maneje la regeneración vegetativa, se dejará un máximo de 6 brotes por tocón.
• La densidad máxima de reforestación será de 1.250 plantas/ha para pino radiata y especies similares, y de 833 plantas/ha para eucalipto globulus y especies similares.
• Las actividades de reforestación se considerarán concluidas cuando la plantación se encuentre establecida, es decir, que haya alcanzado al menos una altura de 1 metro en condiciones áridas o semiáridas, o de 2 metros en circunstancias más favorables, y se encuentre homogéneamente distribuida.

# 2.- MEDIDAS DE PROTECCION AMBIENTAL
• No se utilizará el fuego para eliminar los desechos de la corta, salvo que el Servicio Agrícola y Ganadero lo ordene como medida fitosanitaria y se cuente con la autorización de quema correspondiente.

# 3.- MEDIDAS DE PROTECCION AL RECURSO FORESTAL
# a) Protección al establecimiento de la reforestación
• Se tomarán las medidas de control conducentes a la protección del establecimiento de la reforestación, tales como mantención de cercos, exclusión de ganado y control de fauna dañina.

# b) Protección contra incendios forestales
• Se despejará de material combustible una franja de 25 metros de ancho alrededor de campamentos, depósitos de combustibles, aserraderos u otros lugares donde se puedan originar incendios.
• Se mantendrá en el predio herramientas mínimas para enfrentar emergencias de esta naturaleza (palas, rastrillos, rozones, etc.).
• Se dejará una faja cortafuegos de 10 metros de ancho en la periferia de la plantación, especialmente en sectores adyacentes a caminos, líneas férreas u otro factor de riesgo.
• Se mantendrá vigilancia o se efectuarán recorridos en el predio en la época de mayor peligro.
)";

const char *const kAnexoSirex = R"(# 1.- INTRODUCCIÓN
· El presente anexo contiene las prescripciones técnicas y las recomendaciones para la prevención y el control de Sirex noctilio en las plantaciones de pino del predio.
· Las prescripciones técnicas son de cumplimiento obligatorio para el (la) propietario(a) que se acoge a la norma de manejo.
· Las recomendaciones son de aplicación voluntaria y tienen por objeto disminuir el riesgo de nuevos ataques de la plaga.

# 2.- ANTECEDENTES DE Sirex noctilio
· Sirex noctilio es una avispa taladradora de la madera que ataca preferentemente a los pinos debilitados o estresados; la hembra introduce en el fuste sus huevos junto con un hongo y una secreción que debilitan y secan el árbol.
· El daño se manifiesta en el amarillamiento y la caída del follaje, en gotas de resina en el fuste y, al final, en la muerte del árbol; las larvas destruyen la madera con sus galerías.
· La plaga completa su ciclo en un año: los adultos emergen de los árboles atacados durante el verano y el otoño, por orificios circulares, y vuelven a atacar los árboles vecinos.

# 3.- PRESCRIPCIONES TÉCNICAS
· Se efectuará un raleo sanitario que elimine los árboles infestados, los sospechosos y los susceptibles de ser atacados. Son susceptibles los árboles dominados, los suprimidos, los dañados y los de copa reducida.
· La corta de los árboles infestados y sospechosos se realizará inmediatamente después de aprobada la norma de manejo.
· La intensidad del raleo será entre el 25% y el 50% de los árboles del rodal.
· Cuando los árboles infestados superen el 50% de los árboles del rodal, se efectuará la tala rasa del rodal.
· Se instalarán parcelas de árboles cebo de cinco árboles cada una, a razón de una parcela cada 15 hectáreas. Los árboles cebo se estresarán con un corte de machete en ángulo de 45º en la base del fuste y la aplicación de 2 ml de Dicamba cada 10 cm de circunferencia en árboles de diámetro a la altura del pecho menor a 30 cm, o cada 8 cm en árboles de diámetro mayor a 30 cm.
· Las parcelas cebo se instalarán en el mes de noviembre y sus árboles se cortarán en el mes de septiembre del año siguiente, para su revisión.

# 4.- RECOMENDACIONES
· Efectuar cada año, en primavera y verano, una prospección de las plantaciones y enviar las muestras sospechosas a la oficina de Okran más cercana.
· Efectuar el raleo a desecho cuando los árboles alcancen entre 3 y 7 metros de altura.
· Efectuar el raleo comercial antes de que las copas de los árboles se entrecrucen.
· Efectuar las podas entre los meses de mayo y octubre, sin eliminar más del 50% de la copa viva.
· Retirar de inmediato del predio la madera y los desechos de las cortas.
· Donde la reinfestación sea probable, reforestar con otra especie o con plantas mejoradas.
)";

// The form's mark in the page header: the combination's own, else the form's code.
QString marcaDe(int tag, const QString &codigo)
{
    switch (tag) {
    case 31:
        return QStringLiteral("BQ");
    case 32:
        return QStringLiteral("SRX");
    case 33:
        return QStringLiteral("PLG");
    default:
        return codigo;
    }
}

// Writes the generic form's body on a layout; one per ComponerImpresion.
class ImpresionLumo : public ImpresionFormulario
{
public:
    ImpresionLumo(TFormLUMO *form, TImpresion *imp)
        : ImpresionFormulario(form, imp)
        , m_lumo(form)
    {
    }

    void secciones()
    {
        for (qsizetype i = 0; i < m_lumo->visible_pages.size(); ++i) {
            const QString &pagina = m_lumo->visible_pages.at(i);
            const QString titulo = m_lumo->titles_pages.value(i);
            if (pagina.contains(QLatin1String("TabSheet")))
                imprimeTabSheet(pagina, titulo);
            else if (pagina.contains(QLatin1String("DynaSheet")))
                imprimeFrame(pagina, titulo);
            else
                m_lumo->DialogoError(QStringLiteral("Error al intentar imprimir la página ") + pagina);
        }
    }

    void imprimeNormaPlaga()
    {
        imp()->NuevaPagina(toNormal);
        imp()->Titulo(QStringLiteral("I. NORMA DE MANEJO APLICABLE A PLANTACIONES AFECTADAS POR PLAGAS CUARENTENARIAS "
                                     "REGULADAS POR EL SERVICIO AGRICOLA Y GANADERO"));
        imp()->CrLf();
        textoFijo(QString::fromUtf8(kNormaIntroduccion));
        imp()->Seccion();
        imp()->Titulo(QStringLiteral("AMBITO DE APLICACION"));
        imp()->CrLf();
        textoFijo(QString::fromUtf8(kNormaAmbito));
        imp()->Seccion();
        textoFijo(QString::fromUtf8(kNormaPlaga));
        imp()->Seccion();
        imp()->Titulo(QStringLiteral("II. PLANO"));
        imp()->CrLf();
        textoFijo(ContenidoPlanoNorma().replace(QStringLiteral("· "), QStringLiteral("• ")));
        imp()->Seccion();
        ImprimirDeclaracionJuradaNorma(imp(), CajaDeclaracion::Enmarcada);
        imp()->Seccion();
    }

    void imprimeAnexoSirex()
    {
        imp()->NuevaPagina(toNormal);
        imp()->Titulo(QStringLiteral("ANEXO TÉCNICO"));
        subtitulo(QStringLiteral("PREVENCION Y CONTROL DE LA PLAGA CUARENTENARIA: Sirex noctilio"));
        subtitulo(QStringLiteral("(PARTE INTEGRANTE DE LA NORMA DE MANEJO APLICABLE A PLANTACIONES AFECTADAS POR PLAGAS "
                                 "CUARENTENARIAS REGULADAS POR EL SERVICIO AGRICOLA Y GANADERO)"));
        textoFijo(QString::fromUtf8(kAnexoSirex));
    }

private:
    void bloque(const QString &titulo, const QString &grilla)
    {
        subtitulo(titulo);
        imp()->CrLf4();
        tabla(grilla);
        imp()->CrLf();
    }

    void imprimeTabSheet(const QString &pagina, const QString &titulo)
    {
        const int numero = pagina.mid(8).toInt();
        switch (numero) {
        case 1:
        case 2:
            imp()->Seccion();
            bloque(QStringLiteral("Caracterización de los rodales"), numero == 1 ? QStringLiteral("dbgLumo_car") : QStringLiteral("dbgLumo_car2"));
            return;
        case 3:
            dosTablas(QStringLiteral("Descripción del Clima"), {QStringLiteral("A) Variables climáticas"), QStringLiteral("dbgLumo_var_cli")},
                      {QStringLiteral("B) Fuente de información"), QStringLiteral("dbgLumo_fte_inf")});
            return;
        case 4:
            dosTablas(QStringLiteral("Fisiografía e Hidrografía"), {QStringLiteral("A) Fisiografía"), QStringLiteral("dbgLumo_fis")},
                      {QStringLiteral("B) Hidrografía"), QStringLiteral("dbgLumo_hid")});
            return;
        case 5:
            dosTablas(QStringLiteral("Flora y Fauna con problemas de conservación"), {QStringLiteral("A) Flora"), QStringLiteral("dbgLumo_flo")},
                      {QStringLiteral("B) Fauna"), QStringLiteral("dbgLumo_fau")});
            return;
        case 16:
            imprimeTabSheet16();
            return;
        case 17:
            imprimeTabSheet17();
            return;
        case 18:
            subtitulo(QStringLiteral("OBSERVACIONES GENERALES"));
            memo(QStringLiteral("Observaciones:"), QStringLiteral("mem_obs"));
            return;
        default:
            if (numero >= 6 && numero <= 15 && pagina == QStringLiteral("TabSheet%1").arg(numero)) {
                imprimeTabSheet_1Tabla(pagina, titulo);
                return;
            }
            imp()->Titulo(QStringLiteral("ESTA SECCION NO TIENE DEFINIDO"));
            imp()->Titulo(QStringLiteral(" EL PROCEDIMIENTO DE IMPRESION"));
        }
    }

    void dosTablas(const QString &titulo, const QPair<QString, QString> &a, const QPair<QString, QString> &b)
    {
        subtitulo(titulo);
        bloque(a.first, a.second);
        imp()->Seccion();
        bloque(b.first, b.second);
    }

    // A page holding one grid, alone or in its one group box (beside the grid's caption).
    void imprimeTabSheet_1Tabla(const QString &pagina, const QString &titulo)
    {
        const QWidget *p = findComponent<QWidget>(m_lumo, pagina);
        const QList<QWidget *> controles = p ? p->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly) : QList<QWidget *>();
        if (controles.size() != 1)
            return;
        DBGrid *g = qobject_cast<DBGrid *>(controles.first());
        if (auto *grupo = qobject_cast<QGroupBox *>(controles.first()))
            g = grupo->findChild<DBGrid *>(QString(), Qt::FindDirectChildrenOnly);
        if (!g)
            return;
        imp()->Seccion();
        bloque(titulo, g->objectName());
    }

    void imprimeTabSheet16()
    {
        subtitulo(QStringLiteral("MEDIDAS DE PROTECCION"));
        DBGrid *g = componentes::grilla(m_lumo, QStringLiteral("dbgLumo_mepr"));
        Dataset *ds = cursores()(g ? g->DataSet() : nullptr);
        const GridColumn *restriccion = TFormLUMO::findColumn(g, QStringLiteral("tipo_rest"));
        componentes::paraCadaRegistro(ds, [&](int) {
            const TDimensiones area = imp()->Texto(
                QStringLiteral("Area Nº:") + componentes::texto(componentes::campo(ds, QStringLiteral("num"))), taIzquierda);
            // The restriction goes on the same line.
            imp()->DeltaY(-area.Alto);
            imp()->DeltaX(15);
            const QString tipo = restriccion ? restriccion->displayTextOf(componentes::campo(ds, QStringLiteral("tipo_rest"))->Value())
                                             : QString();
            imp()->Texto(QStringLiteral("Tipo de Restricción: ") + tipo, taIzquierda);
            imp()->Cr();
            imp()->Seccion();
            imp()->Texto(QStringLiteral("Medidas de Proteccion: ") + componentes::texto(componentes::campo(ds, QStringLiteral("trozel"))),
                         taIzquierda);
            imp()->CrLf();
            imp()->Seccion();
        });
    }

    void imprimeTabSheet17()
    {
        subtitulo(QStringLiteral("PROTECCION AL RECURSO FORESTAL"));
        texto(QStringLiteral("1. Protección contra plagas y enfermedades forestales"));
        memo(QStringLiteral("a) Medidas de prevención"), QStringLiteral("mem_mepr_plag"));
        imp()->Seccion();
        memo(QStringLiteral("b) Medidas de Control: "), QStringLiteral("mem_meco_plag"));
        imp()->Seccion();
        texto(QStringLiteral("2. Protección contra incendios forestales"));
        memo(QStringLiteral("a) Medidas de prevención"), QStringLiteral("mem_mepr_inc"));
        imp()->Seccion();
        memo(QStringLiteral("b) Medidas de Control: "), QStringLiteral("mem_meco_inc"));
    }

    void imprimeFrame(const QString &pagina, const QString &titulo)
    {
        const QWidget *p = findComponent<QWidget>(m_lumo, pagina);
        if (TFrameLumo *marco = p ? p->findChild<TFrameLumo *>() : nullptr)
            marco->getImpresion(pagina, titulo, imp());
    }

    TFormLUMO *m_lumo;
};

} // namespace

void TFormLUMO::ComponerImpresion(TImpresion *impresion)
{
    ImpresionLumo p(this, impresion);
    ImprimirConCierre(
        this, impresion, QStringLiteral("dorvo"),
        [&] {
            OpcionesEncabezado encabezado;
            encabezado.dosLf = true;
            ImprimirEncabezado(impresion, DirAplicacion, marcaDe(Tag, componentes::codigoDe(this)), encabezado);
            p.entreLugares = 5;
            p.entreSuperficies = 0;
            p.tituloAntecedentes = QStringLiteral("ANTECEDENTES GENERALES");
            p.etiquetaSuperficiePlano = QStringLiteral("Estudio Técnico:");
            p.portada(QString(titulo_sol).replace(QLatin1Char('\\'), QLatin1Char('\n')), CajaRecepcion::Fija);
            p.antecedentesGenerales();
            p.secciones();
            impresion->Seccion();
            if (Tag == 32 || Tag == 33)
                p.imprimeNormaPlaga();
        },
        [&] {
            if (Tag == 32)
                p.imprimeAnexoSirex();
        });
}
