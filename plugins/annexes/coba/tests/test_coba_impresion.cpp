// The COBA printout: a filled norm with its request printed to PDF and read back as text
// (and as pictures for a person to look at).
#include "cobanormallena.h"

#include "imprimirpdf.h"
#include "pdfatexto.h"

using CobaImpresion = CobaNormaLlena;

TEST_F(CobaImpresion, ImprimeLaNormaConSuTextoYLaDeclaracion)
{
    const QString pdf = dir.filePath(QStringLiteral("coba.pdf"));
    QString error;
    ASSERT_TRUE(ImprimirAPdf(form, pdf, &error)) << error.toStdString();
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();

    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    ASSERT_GE(texto.count(QLatin1Char('\f')), 2);
    // Every page, the second included, opens with the head and closes with its number.
    EXPECT_EQ(PaginasSinEncabezado(texto, QStringLiteral("Form. COBA (v.2.5)")), QStringList());
    EXPECT_EQ(FaltanEnOrden(texto, {"Nº:", "Fecha:", "(Uso Okran)", "NORMA DE MANEJO",
                                    "APLICABLE A PLANTACIONES DE PINO INSIGNE Y ESPECIES", "I. ANTECEDENTES GENERALES",
                                    "Carrasco", "Fundo El Maitén", "210-7", "COORDENADAS U.T.M.:", "Portón norte",
                                    "Ruta 5 Sur", "210-8", "II. CARACTERIZACION DE LOS RODALES A INTERVENIR",
                                    "Pino radiata", "Total:", "Rodales en lomaje suave", "III. PROGRAMA DE TRABAJO",
                                    "Actividades de Raleo", "35,7", "Raleo a desecho",
                                    "Actividades de corta de cosecha y reforestación", "2027", "IV. NORMA DE MANEJO",
                                    "AMBITO DE APLICACION", "EXCLUSIONES", "1. PRESCRIPCIONES TECNICAS", "1.1 Raleos",
                                    "1.2 Corta de cosecha", "1.3 Plazos", "1.4 Actividades de Reforestación",
                                    "2. MEDIDAS DE PROTECCION AMBIENTAL", "a) Cursos de agua permanentes",
                                    "3. MEDIDAS DE PROTECCION AL RECURSO FORESTAL",
                                    "a) Protección al establecimiento de la reforestación",
                                    "b) Protección contra incendios forestales", "c) Protección contra plagas y enfermedades",
                                    "V. PLANO", "Se debe incluir al menos la siguiente información:",
                                    "Identificación y límite de rodales a intervenir",
                                    "DECLARACION JURADA DEL (DE LA) PROPIETARIO(A)",
                                    "Declaro bajo juramento que los datos proporcionados son verdaderos",
                                    "De igual modo, mediante el presente acto autorizo", "Rosa Elena Carrasco Vidal",
                                    "Ciudad y Fecha: Mulchén, 02-06-2026"}),
              QStringList());

    PaginasAPng(pdf, QStringLiteral("coba_impresion"));
}
