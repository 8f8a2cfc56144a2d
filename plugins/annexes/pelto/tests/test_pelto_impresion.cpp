// The PELTO printout: a filled accreditation with its FERUN request printed to PDF and read
// back as text (and as pictures for a person to look at).
#include "peltolleno.h"

using PeltoImpresion = PeltoLleno;

TEST_F(PeltoImpresion, ImprimeLaAcreditacionAPdf)
{
    QString pdf;
    const QString texto = textoImpreso(QStringLiteral("pelto"), &pdf);
    if (texto.isEmpty())
        GTEST_SKIP() << "pdftotext no está instalado";
    EXPECT_EQ(FaltanEnOrden(texto,
         {"(Uso Okran)", "ESTUDIO TECNICO DE ACREDITACION DE EJECUCION", "DE ACTIVIDADES DE PRIMERA PODA Y/O RALEO",
          "REALIZADAS POR PEQUEÑOS PROPIETARIOS FORESTALES", "I. ANTECEDENTES GENERALES", "Parcela El Maitén",
          "Plano Adjunto:", "II. ANTECEDENTES PARA EL PAGO DE LA BONIFICACION",
          "Señale Tesorería donde desea recibir la bonificación :", "Tesorería Regional de Temuco",
          "Nombre del (de la) cesionario(a)/ beneficiario(a):", "Ñancupil", "O'Ryan",
          "III. ANTECEDENTES DE LAS RESOLUCIONES:", "R-14/2011", "PM-91", "IV. ANTECEDENTES DE LA PLANTACION",
          "Total:", "V. CARACTERISTICAS DE LA PODA Y RALEO", "VI. PLANO", "superficie podada y superficie",
          "menores a 250 ha", "Se deberá consignar la fecha de elaboración", "Ortiz Vera, Camila"}),
              QStringList());
    PaginasAPng(pdf, QStringLiteral("pelto_impresion"));
}
