// The ZURI printout: a filled accreditation with its FERUN request printed to PDF and read
// back as text, each stand's samples after its heading (and as pictures for a person to
// look at).
#include "zurilleno.h"

#include "imprimirpdf.h"
#include "pdfatexto.h"

using ZuriImpresion = ZuriLleno;

TEST_F(ZuriImpresion, ImprimeLaAcreditacionConLasMuestrasDeCadaRodal)
{
    const QString pdf = dir.filePath(QStringLiteral("zuri.pdf"));
    QString error;
    ASSERT_TRUE(ImprimirAPdf(form, pdf, &error)) << error.toStdString();
    EXPECT_TRUE(dialogos.textos().isEmpty()) << mensajesTexto();
    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    EXPECT_EQ(FaltanEnOrden(texto,
         {"Form. ZURI (v.2.5)", "(Uso Okran)", "ESTUDIO TECNICO DE ACREDITACION DE EJECUCION",
          "ESTABILIZACION DE DUNAS, CUANDO CORRESPONDA", "I. ANTECEDENTES GENERALES", "Fundo Las Vertientes",
          "Plano Adjunto:", "II. ANTECEDENTES PARA EL PAGO DE LA BONIFICACION", "Tesorería Regional de Concepción",
          "Quiroz", "III. ANTECEDENTES DE LAS RESOLUCIONES", "CT-88/2003",
          "IV. CARACTERISTICAS DE LA RECUPERACION DE SUELOS DEGRADADOS", "V. CARACTERISTICAS DE LA ESTABILIZACION DE DUNAS",
          "VI. SECTORES FORESTADOS", "VII. CARACTERISTICAS DE LA FORESTACION", "Observaciones:",
          "Plantación en curvas de nivel", "VIII. ESTUDIO DE PRENDIMIENTO DE LA FORESTACION", "Método de muestreo :",
          "Parcelas circulares", "Fecha de muestreo", "18-05-2026", "Tamaño y número de parcelas:",
          "Antecedentes de muestreo de Rodal \"1\":", "14", "Antecedentes de muestreo de Rodal \"2\":", "33",
          "Resultado cálculos estadísticos:", "282,84", "Resultados de la plantación:", "IX. PLANOS",
          "menores a 50 ha", "Se deberá consignar la fecha de elaboración", "Sepúlveda Mora, Tomás"}),
              QStringList());
    PaginasAPng(pdf, QStringLiteral("zuri_impresion"));
}
