// The TISA printout: a filled plan with its request printed to PDF and read back as text
// (and as pictures for a person to look at).
#include "tisaplanlleno.h"

#include "imprimirpdf.h"
#include "pdfatexto.h"

using TisaImpresion = TisaPlanLleno;

TEST_F(TisaImpresion, ImprimeElPlanAPdf)
{
    const QString pdf = dir.filePath(QStringLiteral("tisa.pdf"));
    QString error;
    ASSERT_TRUE(ImprimirAPdf(form, pdf, &error)) << error.toStdString();
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();

    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    const QStringList paginas = texto.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(paginas.size(), 3);
    EXPECT_EQ(PaginasSinEncabezado(texto, QStringLiteral("Form. TISA (v.2.5)")), QStringList());
    // The parts in the agency's order, the closing block last. Table cells are as wide as
    // their fields, so a long cell text may wrap: only its first words are looked for.
    EXPECT_EQ(FaltanEnOrden(texto,
         {"Nº:", "Fecha:", "(Uso Okran)", "PLAN DE MANEJO", "CORTA DE BOSQUE NATIVO",
          "PARA RECUPERAR TERRENOS CON FINES AGRICOLAS", "I. ANTECEDENTES GENERALES", "Parcela Santa Inés",
          "COORDENADAS U.T.M.:", "Puente Duqueco", "Camino Los Ángeles", "II. DIAGNOSTICO", "1. Clima",
          "A) Variables climáticas", "B) Fuente de información", "Dirección Meteorológica", "2. Hidrografía",
          "3. Caracterización del suelo", "SA-3", "4. Flora y Fauna con problemas de conservación", "A) Flora", "Hualo",
          "B) Fauna", "Pudu puda", "5. Antecedentes sobre incendios forestales",
          "A) Ocurrencia de incendios, como factor de riesgo", "Borde del camino",
          "B) Determinación de la magnitud del riesgo y peligro", "Sector poniente", "6. Caracterización del bosque",
          "III. OBJETIVOS", "Habilitar potrero", "IV. PROGRAMA DE ACTIVIDADES", "ACTIVIDADES DE CORTA", "OTRAS ACTIVIDADES",
          "Destronque", "V. MEDIDAS DE PROTECCION PARA EL AREA A INTERVENIR", "1. Medidas de protección ambiental",
          "Franja de", "2. Protección contra incendios forestales", "A) Medidas de Prevención:",
          "Cortafuegos perimetral", "B) Medidas de Control:", "Estanque de 5000", "VI. PLANO", "Representar gráficamente:",
          "· límites del predio y roles vecinos.", "· medidas de protección graficables.", "Luis Alberto Henríquez Paredes",
          "Nombre del (de la) autor(a) del estudio técnico: Riquelme Soto, Camila",
          "Ciudad y Fecha: Los Ángeles, 14-05-2026"}),
              QStringList());
    // A plan has no judicial antecedents.
    EXPECT_FALSE(texto.contains(QStringLiteral("resolución Judicial")));

    PaginasAPng(pdf, QStringLiteral("tisa_impresion"));
}
