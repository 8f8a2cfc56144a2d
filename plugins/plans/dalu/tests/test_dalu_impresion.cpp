// The DALU printout: a filled plan printed to PDF and read back as text (and as pictures
// for a person to look at), and the blocks that repeat per stand and per objective.
#include "daluplanlleno.h"

#include "impresion/tformvistapreliminar.h"
#include "impresion/timpresion.h"
#include "impresion/tregistroimpresion.h"
#include "imprimirpdf.h"
#include "pdfatexto.h"

namespace {

// Indices of the text steps reading `texto`, in order.
QList<int> indices(const TRegistroImpresion &r, const char *texto)
{
    const QString buscado = QString::fromUtf8(texto).trimmed();
    QList<int> encontrados;
    for (int i = 0; i < r.Pasos.size(); ++i) {
        const TPasoImpresion &p = r.Pasos.at(i);
        if ((p.tipo == TPasoImpresion::Texto || p.tipo == TPasoImpresion::Cuadro) && p.texto.trimmed() == buscado)
            encontrados << i;
    }
    return encontrados;
}

// The first of those indices after `desde`; -1 when none.
int despues(const TRegistroImpresion &r, const char *texto, int desde)
{
    for (int i : indices(r, texto))
        if (i > desde)
            return i;
    return -1;
}

// How many text steps read `texto` between the steps `desde` and `hasta`.
qsizetype entre(const TRegistroImpresion &r, const char *texto, int desde, int hasta)
{
    const QList<int> todos = indices(r, texto);
    return std::count_if(todos.begin(), todos.end(), [&](int i) { return i > desde && i < hasta; });
}

} // namespace

class DaluImpresion : public DaluPlanLleno
{
protected:
    // Lays the printout out as the preview does and records what reached the pages.
    void componer()
    {
        vista = std::make_unique<TformVistaPreliminar>(nullptr, nullptr);
        vista->Impresion->setRegistro(&registro);
        form->ComponerImpresion(vista->Impresion);
    }

    TRegistroImpresion registro;
    std::unique_ptr<TformVistaPreliminar> vista;
};

TEST_F(DaluImpresion, ImprimeElPlanAPdf)
{
    const QString pdf = dir.filePath(QStringLiteral("dalu.pdf"));
    QString error;
    ASSERT_TRUE(ImprimirAPdf(form, pdf, &error)) << error.toStdString();
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();

    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    EXPECT_GE(texto.count(QLatin1Char('\f')), 3);
    EXPECT_EQ(PaginasSinEncabezado(texto, QStringLiteral("Form. DALU (v.2.5)")), QStringList());
    // The parts in the agency's order, one stand block per stand, the three maps' texts and
    // the closing block last. Table cells are as wide as their fields, so only short or
    // first words of a cell are looked for.
    EXPECT_EQ(FaltanEnOrden(texto, {"(Uso Okran)", "PLAN DE MANEJO", "BOSQUE NATIVO", "I. ANTECEDENTES GENERALES",
                                    "Fundo El Manzano", "Estudio proviene de resolución Judicial. Antecedentes:",
                                    "II. DIAGNOSTICO", "Trumaos profundos", "2.2.1 Clima", "2.3.3 Descripción cuantitativa",
                                    "a) Tabla de rodal y existencia", "Rodal: 1", "Roble (Nothofagus", "Rodal: 2",
                                    "b) Características del inventario forestal", "Muestreo sistemático",
                                    "III. OBJETIVOS DE MANEJO", "IV. TRATAMIENTOS SEGÚN OBJETIVOS",
                                    "4.3. Estimación de variables dasométricas al final de tratamiento", "Raleo por lo bajo",
                                    "Poda hasta 3 m", "4.5. Actividades no silvícolas", "V. PROTECCION AL RECURSO FORESTAL",
                                    "Brigada de la comuna", "VI. Planos", "1. Plano de diagnóstico",
                                    "Representar gráficamente:", "Plantaciones forestales, por rodal",
                                    "2.Plano de manejo y de protección forestal", "Representar gráficamente:",
                                    "Torres de observación", "3. Plano de protección ambiental", "Representar gráficamente:",
                                    "60% y más", "Carmen Huenchul Rivas",
                                    "Nombre del (de la) autor(a) del estudio técnico: Riquelme Paredes, Tomás",
                                    "Ciudad y Fecha: Temuco, 14-05-2026"}),
              QStringList());

    PaginasAPng(pdf, QStringLiteral("dalu_impresion"));
}

// The stand table and the final variables repeat once per stand, in stand order, each
// with its own stand's table; printing leaves the user's stand and objective current.
TEST_F(DaluImpresion, UnBloquePorRodalEnOrden)
{
    tabla(QStringLiteral("car"))->setRecNo(2);
    componer();
    EXPECT_EQ(tabla(QStringLiteral("car"))->RecNo(), 2);
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();

    const int tablaRodal = indices(registro, "a) Tabla de rodal y existencia").value(0, -1);
    const int inventario = indices(registro, "b) Características del inventario forestal").value(0, -1);
    const int estimacion = indices(registro, "4.3. Estimación de variables dasométricas al final de tratamiento").value(0, -1);
    const int prescripcion = indices(registro, "4.4. Prescripción técnica y medidas de protección ambiental").value(0, -1);
    ASSERT_TRUE(tablaRodal > 0 && inventario > tablaRodal && estimacion > inventario && prescripcion > estimacion);
    // Each block names its stand and, for the first stand only, its species and classes.
    for (const auto &[desde, hasta] : {std::pair{tablaRodal, inventario}, std::pair{estimacion, prescripcion}}) {
        QList<int> rodales;
        for (int i : indices(registro, "Rodal:"))
            if (i > desde && i < hasta)
                rodales << i;
        ASSERT_EQ(rodales.size(), 2);
        const auto dentro = [&](const char *t, int a, int b) {
            for (int i : indices(registro, t))
                if (i > a && i < b)
                    return true;
            return false;
        };
        EXPECT_TRUE(dentro("1", rodales[0], rodales[1]));
        EXPECT_TRUE(dentro("2", rodales[1], hasta));
        EXPECT_TRUE(dentro("Roble (Nothofagus obliqua)", rodales[0], rodales[1]));
        EXPECT_FALSE(dentro("Roble (Nothofagus obliqua)", rodales[1], hasta));
    }
    // The prescriptions of the objective's activities, each after its activity.
    const int raleo = despues(registro, "Primer raleo", prescripcion);
    const int presRaleo = despues(registro, "Raleo por lo bajo", prescripcion);
    const int poda = despues(registro, "Primera poda", prescripcion);
    const int presPoda = despues(registro, "Poda hasta 3 m", prescripcion);
    EXPECT_TRUE(prescripcion < raleo && raleo < presRaleo && presRaleo < poda && poda < presPoda)
        << raleo << " " << presRaleo << " " << poda << " " << presPoda;
}

// The criteria block is printed for an objective that has criteria, and only then.
TEST_F(DaluImpresion, CriteriosSoloDeObjetivosQueLosTienen)
{
    const auto bloques = [this] {
        componer();
        const int criterios = indices(registro, "4.1. Criterios para el tratamiento silvícola").value(0, -1);
        const int descripcion = indices(registro, "4.2. Descripción del tratamiento silvícola").value(0, -1);
        EXPECT_TRUE(criterios > 0 && descripcion > criterios);
        return entre(registro, "Objetivo", criterios, descripcion);
    };
    EXPECT_EQ(bloques(), 1);
    cambiar("DELETE FROM dalu_crit;");
    registro.Pasos.clear();
    EXPECT_EQ(bloques(), 0);
}

struct CasoImpresion
{
    const char *nombre;
    const char *sql;      // applied to the filled plan
    const char *presente; // printed (empty: no check)
    const char *ausente;  // not printed (empty: no check)
};

class DaluImpresionCasos : public DaluImpresion, public ::testing::WithParamInterface<CasoImpresion>
{};

TEST_P(DaluImpresionCasos, Imprime)
{
    const CasoImpresion &c = GetParam();
    cambiar(c.sql);
    componer();
    if (*c.presente) {
        EXPECT_FALSE(indices(registro, c.presente).isEmpty()) << c.presente;
    }
    if (*c.ausente) {
        EXPECT_TRUE(indices(registro, c.ausente).isEmpty()) << c.ausente;
    }
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
}

INSTANTIATE_TEST_SUITE_P(
    Dalu, DaluImpresionCasos,
    ::testing::Values(
        CasoImpresion{"SinResolucionJudicial", "UPDATE dalu SET resJud_tiene=0;", "VI. Planos",
                      "Estudio proviene de resolución Judicial. Antecedentes:"}),
    [](const ::testing::TestParamInfo<CasoImpresion> &info) { return std::string(info.param.nombre); });

// Without the request form the plan still prints whole: its own parts and the author's
// block, the request's property data and signatories blank, nothing reported.
TEST_F(DaluSinDorvo, ImprimeSinLaSolicitud)
{
    TRegistroImpresion registro;
    TformVistaPreliminar vista(nullptr, nullptr);
    vista.Impresion->setRegistro(&registro);
    form->ComponerImpresion(vista.Impresion);
    for (const char *presente : {"I. ANTECEDENTES GENERALES", "a) Tabla de rodal y existencia", "VI. Planos",
                                 "Nombre del (de la) autor(a) del estudio técnico: Riquelme Paredes, Tomás"})
        EXPECT_FALSE(indices(registro, presente).isEmpty()) << presente;
    EXPECT_TRUE(indices(registro, "Carmen Huenchul Rivas").isEmpty());
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
}
