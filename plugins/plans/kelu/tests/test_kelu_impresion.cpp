// The KELU printout: a filled plan printed to PDF and read back as text (and as pictures
// for a person to look at), and the blocks that depend on the data.
#include "keluplanlleno.h"

#include "impresion/timpresion.h"
#include "impresion/tformvistapreliminar.h"
#include "impresion/tregistroimpresion.h"
#include "imprimirpdf.h"
#include "pdfatexto.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Index of the first text or box step reading `texto` at or after step `desde`; -1 when none.
int indice(const TRegistroImpresion &r, const char *texto, int desde = 0)
{
    const QString buscado = QString::fromUtf8(texto).trimmed();
    for (int i = std::max(desde, 0); i < r.Pasos.size(); ++i) {
        const TPasoImpresion &p = r.Pasos.at(i);
        if ((p.tipo == TPasoImpresion::Texto || p.tipo == TPasoImpresion::Cuadro) && p.texto.trimmed() == buscado)
            return i;
    }
    return -1;
}

} // namespace

class KeluImpresion : public KeluPlanLleno
{
protected:
    // Lays the printout out as the preview does and records what reached the pages.
    void componer()
    {
        vista = std::make_unique<TformVistaPreliminar>(nullptr, nullptr);
        vista->Impresion->setRegistro(&registro);
        form->ComponerImpresion(vista->Impresion);
    }

    const TPasoImpresion *buscar(const char *texto) const { return registro.Buscar(QString::fromUtf8(texto)); }

    TRegistroImpresion registro;
    std::unique_ptr<TformVistaPreliminar> vista;
};

TEST_F(KeluImpresion, ImprimeElPlanAPdf)
{
    const QString pdf = dir.filePath(QStringLiteral("kelu.pdf"));
    QString error;
    ASSERT_TRUE(ImprimirAPdf(form, pdf, &error)) << error.toStdString();
    EXPECT_TRUE(dialogos.boxes.isEmpty());

    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    const QStringList paginas = texto.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(paginas.size(), 3);
    for (qsizetype i = 0; i < paginas.size(); ++i) {
        EXPECT_TRUE(paginas.at(i).contains(QStringLiteral("Form. KELU (v.2.5)"))) << i;
        EXPECT_TRUE(paginas.at(i).contains(QStringLiteral("Página %1 de %2").arg(i + 1).arg(paginas.size()))) << i;
    }
    // The parts in the agency's order, the closing block last. Table cells are as wide as
    // their fields, so a long cell text may wrap: only its first words are looked for.
    qsizetype desde = 0;
    for (const char *parte : {"(Uso Okran)", "PLAN DE MANEJO", "PLANTACIONES FORESTALES", "I. ANTECEDENTES GENERALES",
                              "Fundo Los Quillayes", "Estudio proviene de resolución Judicial. Antecedentes:",
                              "II. DIAGNOSTICO", "Dirección Meteorológica", "4. Descripción de Rodales",
                              "III. OBJETIVOS DE MANEJO", "IV. TRATAMIENTOS SEGÚN OBJETIVOS", "Poda hasta",
                              "Tala rasa", "e) Si se trata de corta de reforestación:",
                              "Canchas de 50 x 100 m", "V. MEDIDAS DE PROTECCIÓN AMBIENTAL", "Zanjas de",
                              "VI. PROTECCION AL RECURSO FORESTAL", "Brigada propia", "VII. PLANOS",
                              "Torres de observación y brigadas de combate", "Ana María Soto Díaz",
                              "Nombre del (de la) autor(a) del estudio técnico: Fuentes Lagos, María",
                              "Ciudad y Fecha: Constitución, 02-03-2026"}) {
        const qsizetype en = texto.indexOf(QString::fromUtf8(parte), desde);
        EXPECT_GE(en, 0) << parte;
        if (en >= 0)
            desde = en;
    }

    PaginasAPng(pdf, QStringLiteral("kelu_impresion"));
}

// Each management unit is printed with its own activities, one block per unit.
TEST_F(KeluImpresion, CadaUnidadConSusActividades)
{
    tabla(QStringLiteral("obj"))->First();
    componer();
    // Printing visits every unit; the user's current unit stays current.
    EXPECT_EQ(tabla(QStringLiteral("obj"))->RecNo(), 1);
    const int esquema = indice(registro, "1. Descripción del esquema de manejo");
    ASSERT_GE(esquema, 0);
    const int um1 = indice(registro, "UM-1", esquema);
    const int um2 = indice(registro, "UM-2", esquema);
    const int parametros = indice(registro, "2. Parámetros de cada actividad propuesta", esquema);
    ASSERT_TRUE(um1 > esquema && um2 > um1 && parametros > um2);
    for (const char *a : {"Poda hasta 2,5 m", "Raleo a 700 árboles por hectárea", "Plantación del sector A"}) {
        const int i = indice(registro, a, esquema);
        EXPECT_TRUE(i > um1 && i < um2) << a;
    }
    for (const char *a : {"Tala rasa", "Reforestar con pino"}) {
        const int i = indice(registro, a, esquema);
        EXPECT_TRUE(i > um2 && i < parametros) << a;
    }
}

struct CasoImpresion
{
    const char *nombre;
    bool conDorvo;
    const char *sql;      // applied to the filled plan
    const char *presente; // printed (empty: no check)
    const char *ausente;  // not printed (empty: no check)
};

class KeluImpresionCasos : public KeluImpresion, public ::testing::WithParamInterface<CasoImpresion>
{
protected:
    KeluImpresionCasos() { conDorvo = GetParam().conDorvo; }
};

TEST_P(KeluImpresionCasos, Imprime)
{
    const CasoImpresion &c = GetParam();
    ASSERT_TRUE(form->ConexionBD->execScript(QString::fromUtf8(c.sql)));
    for (Dataset *ds : form->ConexionBD->datasets())
        ds->Refresh();
    componer();
    if (*c.presente) {
        EXPECT_NE(buscar(c.presente), nullptr) << c.presente;
    }
    if (*c.ausente) {
        EXPECT_EQ(buscar(c.ausente), nullptr) << c.ausente;
    }
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Kelu, KeluImpresionCasos,
    ::testing::Values(
        CasoImpresion{"ConResolucionJudicial", true, "", "Causa rol 123-2024, Juzgado de Constitución", ""},
        CasoImpresion{"SinResolucionJudicial", true, "UPDATE kelu SET resJud_tiene=0;", "VII. PLANOS",
                      "Estudio proviene de resolución Judicial. Antecedentes:"},
        // Without the request the closing section still ends the plan: the author signs,
        // the request's signatories are not there, and nothing is reported.
        CasoImpresion{"SinDorvo", false, "", "Nombre del (de la) autor(a) del estudio técnico: Fuentes Lagos, María",
                      "RUT:11111111-1"},
        CasoImpresion{"UnidadSinActividades", true, "DELETE FROM kelu_desc_esq WHERE Id_obj=2;", "UM-2",
                      "Reforestar con pino"}),
    [](const ::testing::TestParamInfo<CasoImpresion> &info) { return std::string(info.param.nombre); });
