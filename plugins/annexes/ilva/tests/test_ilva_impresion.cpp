// The ILVA printout: a filled study with its request printed to PDF and read back as text,
// each curtain's rows after its sector and number (and as pictures for a person to look at).
#include "ilvalleno.h"

using IlvaImpresion = IlvaLleno;

TEST_F(IlvaImpresion, ImprimeElEstudioConCadaCortinaYSusHileras)
{
    QString pdf;
    const QString texto = textoImpreso(QStringLiteral("ilva"), &pdf);
    if (texto.isEmpty())
        GTEST_SKIP() << "pdftotext no está instalado";
    qsizetype desde = 0;
    for (const char *parte :
         {"Nº:", "Fecha:", "(Uso Okran)", "RECONOCIMIENTO DE SUELOS FORESTABLES", "CORTAVIENTOS",
          "I. ANTECEDENTES GENERALES", "Rosa", "Parcela El Ventarrón", "142-7", "Bodega", "Camino a Chanco",
          "II. ESTADO DE DEGRADACION O PELIGRO DE EROSION DEL SUELO A PROTEGER", "Erosión eólica en lomajes",
          "III. USO ACTUAL DE LOS TERRENOS A RECONOCER", "IV. CARACTERISTICAS DE LAS CORTINAS CORTAVIENTOS A ESTABLECER",
          "(km)", "Total:", "Sector Nº", "Cortina Nº", "Pino radiata", "Eucalipto", "Sector Nº",
          "Cortina Nº", "Ciprés", "Sector Nº", "Cortina Nº", "Eucalipto", "V. MEDIDAS DE PROTECCION",
          "1. Protección al suelo", "Labranza mínima", "2. Protección a cursos y masas de agua",
          "3. Protección a la vegetación circundante", "Se conserva el matorral", "4. Protección al establecimiento",
          "VI. PLANOS", "Deberá acompañarse un plano", "1 : 20.000", "Se deberá consignar la fecha", "Vidal Ortega, Camila"}) {
        const qsizetype en = texto.indexOf(QString::fromUtf8(parte), desde);
        EXPECT_GE(en, 0) << parte;
        if (en >= 0)
            desde = en + 1;
    }
    PaginasAPng(pdf, QStringLiteral("ilva_impresion"));
}
