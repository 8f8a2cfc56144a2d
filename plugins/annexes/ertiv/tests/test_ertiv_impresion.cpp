// The ERTIV printout: a filled norm with its request printed to PDF and read back as text
// (and as pictures for a person to look at).
#include "ertivllena.h"

using ErtivImpresion = ErtivLlena;

TEST_F(ErtivImpresion, ImprimeLaNormaConSuTextoYLaDeclaracion)
{
    QString pdf;
    const QString texto = textoImpreso(QStringLiteral("ertiv"), &pdf);
    if (texto.isEmpty())
        GTEST_SKIP() << "pdftotext no está instalado";
    EXPECT_EQ(FaltanEnOrden(texto,
         {"Nº:", "Fecha:", "(Uso Okran)", "NORMA DE MANEJO", "APLICABLE AL TIPO FORESTAL SIEMPREVERDE",
          "(CORTA DE REGENERACION)", "I. ANTECEDENTES GENERALES", "Cárcamo", "Fundo Piedra Azul", "512-9",
          "COORDENADAS U.T.M.:", "Puente Chamiza", "Ruta 7", "512-10", "II. CARACTERIZACION DE LOS RODALES",
          "intolerante", "32,5", "III. RESUMEN DE RODALES", "52,5", "IV. CARACTERIZACION DE LOS SUELOS",
          "Observaciones:", "Suelos trumao", "V. PROGRAMA DE TRABAJO", "1 Actividades de corta", "22,5",
          "2 Actividades de reforestación", "1100", "VI. NORMA DE MANEJO",
          "Estas normas son aplicables a bosques adultos del tipo forestal siempreverde y corresponden a corta final y",
          "150 ha", "50 ha", "1. Clasificación de los bosques siempreverdes.", "D.2.",
          "2. Identificación y caracterización de los rodales.", "3. Métodos de corta y regeneración.",
          "3.1. Métodos de corta.", "3.1.1. Fajas de protección.", "3.1.2. Corta en bosquetes.",
          "3.1.3. Cortas de protección uniforme.", "A) Corta de siembra o preparatoria.", "B) Corta de extracción.",
          "Requisitos para realizar la corta final.", "3.1.4. Fajas alternas o bosquetes de protección",
          "3.1.5. Corta o Anillamiento de Dominantes", "3.2 Marcación", "3.3 Comprobación de la selección y marcación.",
          "3.4 Establecimiento de la Regeneración.", "ESPECIES PRINCIPALES A USAR Y OTRAS CONDICIONES SEGÚN LA SITUACIÓN",
          "SITUACIÓN A.1", "SITUACIÓN A.2", "SITUACIÓN B.1", "SITUACIÓN B.2", "SITUACIÓN C", "SITUACIÓN D.1",
          "SITUACIÓN D.2", "4. Medidas de Protección.", "4.1 Volteo.", "4.2 Madereo.", "4.3 Tratamiento de los desechos.",
          "4.4 Construcción de campamentos, canteras, caminos y canchas de acopio.", "4.5 Cursos de agua",
          "Franjas de protección, en metros", "Cauce No Permanente", "Pendiente > 45%:", "20M", "Cauce Permanente",
          "Pendiente > 45%:", "30M", "4.6 Areas frágiles.", "4.7 Exclusión de ganado.", "4.8 Uso del Fuego", "VII. PLANO",
          "Representar gráficamente:", "DECLARACION JURADA DEL (DE LA) PROPIETARIO(A)",
          "Declaro bajo juramento que los datos proporcionados son verdaderos",
          "Ciudad y Fecha: Puerto Montt, 05-10-2026"}),
              QStringList());
    // Regression: the paragraph of the extraction cut printed twice.
    EXPECT_EQ(texto.count(QStringLiteral("Corta de extracción")), 1);
    PaginasAPng(pdf, QStringLiteral("ertiv_impresion"));
}
