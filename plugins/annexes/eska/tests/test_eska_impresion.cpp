// The ESKA printout: a filled request with its DORVO request printed to PDF and read back
// as text (and as pictures for a person to look at).
#include "eskalleno.h"

using EskaImpresion = EskaLleno;

TEST_F(EskaImpresion, ImprimeLaSolicitudAPdf)
{
    QString pdf;
    const QString texto = textoImpreso(QStringLiteral("eska"), &pdf);
    if (texto.isEmpty())
        GTEST_SKIP() << "pdftotext no está instalado";
    EXPECT_EQ(FaltanEnOrden(texto,
         {"(Uso Okran)", "DESAFECTACION DE TERRENOS CALIFICADOS DE", "APTITUD PREFERENTEMENTE FORESTAL",
          "I. ANTECEDENTES GENERALES", "Hijuela Los Robles", "II. ANTECEDENTES DE LOS TERRENOS A DESAFECTAR", "Total:",
          "III. ANTECEDENTES DE LAS RESOLUCIONES", "C-331", "IV. ANTECEDENTES DE LAS BONIFICACIONES", "B-77",
          "V.JUSTIFICACION DE LA DESAFECTACION", "VI. PLANOS", "Deberá acompañarse un plano",
          "Nombre del (de la) Propietario(a) o Representante Legal:", "Araya Pinto, Valeria"}),
              QStringList());
    PaginasAPng(pdf, QStringLiteral("eska_impresion"));
}
