// The HARPE printout: a filled norm with its request printed to PDF and read back as text
// (and as pictures for a person to look at).
#include "harpellena.h"

using HarpeImpresion = HarpeLlena;

TEST_F(HarpeImpresion, ImprimeLaNormaConSuTextoYLaDeclaracion)
{
    QString pdf;
    const QString texto = textoImpreso(QStringLiteral("harpe"), &pdf);
    if (texto.isEmpty())
        GTEST_SKIP() << "pdftotext no está instalado";
    EXPECT_EQ(FaltanEnOrden(texto,
         {"Nº:", "Fecha:", "(Uso Okran)", "NORMA DE MANEJO", "APLICABLE AL TIPO FORESTAL LENGA",
          "I. ANTECEDENTES GENERALES", "Díaz", "Estancia Río Verde", "310-4", "COORDENADAS U.T.M.:",
          "Puesto El Ñandú", "Ruta 9 Norte", "310-5", "II. CARACTERIZACION DE LOS RODALES", "48,5",
          "III.CARACTERIZACION DE LA REGENERACION EXISTENTE", "5400", "IV. NORMA DE MANEJO",
          "Estas normas son aplicables a bosques del tipo forestal lenga y corresponden a corta de protección.",
          "1.- Clasificación de los bosques de lenga:",
          "Parámetros del rodal mínimos necesarios para constituir renovales manejable", "0,00 - 0,50 ha",
          "2.- Método de Corta:", "2.1.- Método de Cortas de Protección", "2.2.- Características de las intervenciones:",
          "Coberturas a dejar por situación tipo", "30 - 50", "2.3.- Marcación:", "2.4.- Comprobación de la marcación",
          "2.5.- Planificación y Ejecución de la corta:", "3.000 plantas por hectárea",
          "2.6.- Casos particulares.", "3.- Medidas de protección:", "3.1.- Areas a excluir de intervención.",
          "3.2.- Medidas de Protección en las áreas de intervención:", "V. PLANO",
          "DECLARACION JURADA DEL (DE LA) PROPIETARIO(A)",
          "Declaro bajo juramento que los datos proporcionados son verdaderos",
          "Ciudad y Fecha: Punta Arenas, 14-09-2026"}),
              QStringList());
    // The norm's figures as written, whatever the line breaks.
    EXPECT_TRUE(texto.simplified().contains(QStringLiteral("no podrán superar los 20 m de ancho")));
    PaginasAPng(pdf, QStringLiteral("harpe_impresion"));
}
