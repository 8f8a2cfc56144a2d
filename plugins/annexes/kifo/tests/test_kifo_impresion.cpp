// The KIFO printout: a filled accreditation with its request printed to PDF and read back as
// text, each curtain's rows after its number (and as pictures for a person to look at).
#include "kifolleno.h"

using KifoImpresion = KifoLleno;

TEST_F(KifoImpresion, ImprimeLaAcreditacionConCadaCortinaYSusHileras)
{
    QString pdf;
    const QString texto = textoImpreso(QStringLiteral("kifo"), &pdf);
    if (texto.isEmpty())
        GTEST_SKIP() << "pdftotext no está instalado";
    qsizetype desde = 0;
    for (const char *parte :
         {"(Uso Okran)", "ESTUDIO TECNICO DE ACREDITACION DE ESTABLECIMIENTO", "DE CORTINAS CORTAVIENTOS",
          "I. ANTECEDENTES GENERALES", "Hernán", "Hijuela Las Dunas", "318-22",
          "II. ANTECEDENTES PARA EL PAGO DE LA BONIFICACION", "Señale Tesorería", "Bravo",
          "III. ANTECEDENTES DE LA RESOLUCION", "R-204", "R-219",
          "IV.", "CARACTERÍSTICAS DE LAS CORTINAS CORTA VIENTOS ESTABLECIDAS", "0,45", "Cortina Nº:", "Pino radiata", "400",
          "Eucalipto", "333", "Cortina Nº:", "Ciprés", "500", "PLANOS", "Deberá acompañarse un plano", "1 : 20.000",
          "Se deberá consignar la fecha", "Cárcamo Reyes, Luis"}) {
        const qsizetype en = texto.indexOf(QString::fromUtf8(parte), desde);
        EXPECT_GE(en, 0) << parte;
        if (en >= 0)
            desde = en + 1;
    }
    PaginasAPng(pdf, QStringLiteral("kifo_impresion"));
}
