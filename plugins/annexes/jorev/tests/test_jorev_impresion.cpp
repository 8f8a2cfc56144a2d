// The JOREV printout: a filled study with its request printed to PDF and read back as text
// (and as pictures for a person to look at).
#include "jorevlleno.h"

using JorevImpresion = JorevLleno;

TEST_F(JorevImpresion, ImprimeElEstudioAPdf)
{
    QString pdf;
    const QString texto = textoImpreso(QStringLiteral("jorev"), &pdf);
    if (texto.isEmpty())
        GTEST_SKIP() << "pdftotext no está instalado";
    qsizetype desde = 0;
    for (const char *parte :
         {"Nº:", "Fecha:", "(Uso Okran)", "ESTUDIO TECNICO DE DECLARACIÓN DE", "BOSQUES DE PROTECCIÓN",
          "I. ANTECEDENTES GENERALES", "Marta Elena", "Fundo El Maitén", "210-4", "Casa patronal", "Ruta 5 Sur",
          "II. CARACTERÍSTICAS DEL BOSQUE DE PROTECCIÓN", "b) Cercano a recursos", "Observaciones:",
          "Áreas en ladera", "III. ANTECEDENTES QUE ACREDITAN LA FRAGILIDAD DE LOS SUELOS", "Franco arenosa",
          "Observaciones:", "Muestreo de suelos", "IV. ANTECEDENTES SOBRE RECURSOS HÍDRICOS", "Estero Pilén",
          "Observaciones:", "Esteros permanentes", "V. PLANO", "Deberá acompañarse un plano",
          "La escala a utilizar", "Se deberá consignar la fecha", "Fuentes Lagos, Tomás"}) {
        const qsizetype en = texto.indexOf(QString::fromUtf8(parte), desde);
        EXPECT_GE(en, 0) << parte;
        if (en >= 0)
            desde = en;
    }
    PaginasAPng(pdf, QStringLiteral("jorev_impresion"));
}
