// The generic form's printout: the sections in their order and under their titles, columns
// a combination removes left out, the norm for Sirex and quarantine pests, the Sirex annex
// after the signatures; and each combination printed to PDF for a person to look at.
#include "lumolleno.h"

#include "impresion/tformvistapreliminar.h"
#include "impresion/declaracionnorma.h"
#include "impresion/timpresion.h"
#include "impresion/tregistroimpresion.h"

#include <memory>

namespace {

// Index of the first text or box step reading `texto` at or after `desde`; -1 when none.
int indice(const TRegistroImpresion &r, const QString &texto, int desde = 0)
{
    for (int i = std::max(desde, 0); i < r.Pasos.size(); ++i) {
        const TPasoImpresion &p = r.Pasos.at(i);
        if ((p.tipo == TPasoImpresion::Texto || p.tipo == TPasoImpresion::Cuadro) && p.texto.trimmed() == texto.trimmed())
            return i;
    }
    return -1;
}

const QString kNorma = QStringLiteral("I. NORMA DE MANEJO APLICABLE A PLANTACIONES AFECTADAS POR PLAGAS CUARENTENARIAS "
                                      "REGULADAS POR EL SERVICIO AGRICOLA Y GANADERO");
const QString kAnexo = QStringLiteral("ANEXO TÉCNICO");
const QString kCierre = QStringLiteral("Ciudad y Fecha: ");

// The first step whose text starts with `inicio` at or after `desde`; -1 when none.
int empieza(const TRegistroImpresion &r, const QString &inicio, int desde = 0)
{
    for (int i = std::max(desde, 0); i < r.Pasos.size(); ++i)
        if (r.Pasos.at(i).tipo == TPasoImpresion::Texto && r.Pasos.at(i).texto.trimmed().startsWith(inicio))
            return i;
    return -1;
}

} // namespace

class LumoImpresion : public LumoLleno
{
protected:
    // Lays the printout out as the preview does and records what reached the pages.
    void componer()
    {
        registro.Pasos.clear();
        vista = std::make_unique<TformVistaPreliminar>(nullptr, nullptr);
        vista->Impresion->setRegistro(&registro);
        form->ComponerImpresion(vista->Impresion);
    }

    int en(const QString &texto, int desde = 0) const { return indice(registro, texto, desde); }

    TRegistroImpresion registro;
    std::unique_ptr<TformVistaPreliminar> vista;
};

TEST_F(LumoImpresion, SectionsPrintInTheirOrderThenTheNormThenTheClosing)
{
    combinacion = 33;
    secciones(33, {{"0", "PLAGAS", "0", "", "", ""}, {"1", "Observaciones Generales", "1", "18", "", ""},
                   {"2", "Resoluciones del S.A.G.", "1", "", "lumoFrm_plga", ""}, {"3", "Medidas", "1", "16", "", ""}},
              QStringLiteral("NORMA DE MANEJO\\PLAGAS"));
    abrir(33);
    ASSERT_TRUE(form->ConexionBD->exec(QStringLiteral("DELETE FROM lumo_mepr")));
    tabla(QStringLiteral("mepr"))->Refresh();
    componer();
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
    // The title's backslash is a line break.
    const int titulo = en(QStringLiteral("NORMA DE MANEJO\nPLAGAS"));
    const int observaciones = en(QStringLiteral("OBSERVACIONES GENERALES"), titulo);
    const int marco = en(QStringLiteral("Resoluciones del S.A.G."), observaciones);
    const int medidas = en(QStringLiteral("MEDIDAS DE PROTECCION"), marco);
    const int norma = en(kNorma, medidas);
    const int cierre = empieza(registro, kCierre, norma);
    EXPECT_GE(titulo, 0);
    EXPECT_GT(observaciones, titulo);
    EXPECT_GT(marco, observaciones);
    EXPECT_GT(medidas, marco);
    EXPECT_GT(norma, medidas);
    EXPECT_GT(cierre, norma);
    EXPECT_GE(en(QStringLiteral("DECLARACION JURADA DEL (DE LA) PROPIETARIO(A)"), norma), 0);
    // Without protection measures only their sub-title prints.
    EXPECT_EQ(en(QStringLiteral("Medidas de Proteccion:"), medidas), -1);
    EXPECT_LT(en(QStringLiteral("Area Nº:"), medidas), 0);
    EXPECT_EQ(en(kAnexo), -1);
    EXPECT_NE(registro.Buscar(QStringLiteral("Form. PLG (v.2.5)")), nullptr);
}

TEST_F(LumoImpresion, NormAndAnnexGoWithTheirCombinations)
{
    struct Caso
    {
        int id;
        const char *marca;
        bool norma;
        bool anexo;
    };
    for (const Caso &c : {Caso{31, "Form. BQ (v.2.5)", false, false}, Caso{32, "Form. SRX (v.2.5)", true, true},
                          Caso{33, "Form. PLG (v.2.5)", true, false}, Caso{kTodas, "Form. LUMO (v.2.5)", false, false}}) {
        SCOPED_TRACE(c.id);
        abrir(c.id);
        componer();
        EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
        EXPECT_NE(registro.Buscar(QString::fromUtf8(c.marca)), nullptr);
        EXPECT_EQ(en(kNorma) >= 0, c.norma);
        const int cierre = empieza(registro, kCierre);
        ASSERT_GE(cierre, 0);
        EXPECT_EQ(en(kAnexo, cierre) >= 0, c.anexo);
        EXPECT_EQ(en(QStringLiteral("ANTECEDENTES GENERALES")) >= 0, true);
        EXPECT_NE(registro.Buscar(QStringLiteral("Estudio Técnico:")), nullptr);
    }
}

// Burned forest removes the stands' sanitary state and use class from its grid: the
// printed table has no such columns.
TEST_F(LumoImpresion, RemovedColumnsAreNotPrinted)
{
    abrir(31);
    componer();
    const int rodales = en(QStringLiteral("Caracterización de los rodales"));
    ASSERT_GE(rodales, 0);
    EXPECT_GE(en(QStringLiteral("Año Bonificación (si corresponde)"), rodales), 0);
    EXPECT_EQ(en(QStringLiteral("Estado Sanitario"), rodales), -1);
    EXPECT_EQ(en(QStringLiteral("Clase capacidad de uso"), rodales), -1);
    // The title frame prints its title in capitals.
    EXPECT_GE(en(QStringLiteral("ACTIVIDADES SILVÍCOLAS"), rodales), 0);
}

// Fault: the activity pages printed nothing, their grid being second in its group box
// after the grid's caption. Each activity page prints its title and its table with its rows.
TEST_F(LumoImpresion, ActivityPagesPrintTheirTables)
{
    abrir(kTodas);
    componer();
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
    struct Caso
    {
        int pagina;
        const char *celda; // a cell of a row typed into its table; none when the table is empty
    };
    const QList<Caso> casos = {
        {6, nullptr},   {7, "1250"},   {8, nullptr},       {9, "25,5"},   {10, nullptr},
        {11, "700"},    {12, "600"},   {13, nullptr},  {14, nullptr}, {15, "Control de malezas"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.pagina);
        const int titulo = en(QStringLiteral("Página %1").arg(c.pagina));
        ASSERT_GE(titulo, 0);
        const int siguiente = en(QStringLiteral("Página %1").arg(c.pagina + 1), titulo);
        const int hasta = siguiente < 0 ? int(registro.Pasos.size()) : siguiente;
        // A framed table: its header cells follow the title before the next page's.
        int celdas = 0;
        for (int i = titulo; i < hasta; ++i)
            celdas += registro.Pasos.at(i).tipo == TPasoImpresion::Cuadro && registro.Pasos.at(i).marco;
        EXPECT_GE(celdas, 2);
        if (c.celda) {
            const int celda = en(QString::fromUtf8(c.celda), titulo);
            EXPECT_TRUE(celda > titulo && celda < hasta) << c.celda;
        }
    }
}

// The office box, the norm's text and the sworn statement as the form draws them.
TEST_F(LumoImpresion, NormPrintsAsDrawn)
{
    abrir(33);
    componer();
    const TPasoImpresion *caja = registro.Buscar(QStringLiteral("Nº:       _________________\n\nFecha:  _________________"));
    ASSERT_TRUE(caja);
    EXPECT_FALSE(caja->marco);
    EXPECT_EQ(caja->alineamiento, taDerecha);

    const TPasoImpresion *ambito = registro.Buscar(QStringLiteral("AMBITO DE APLICACION"));
    ASSERT_TRUE(ambito);
    EXPECT_EQ(ambito->tamanoFuente, 14);
    EXPECT_TRUE(ambito->negrita);
    const int norma = en(kNorma);
    ASSERT_GE(norma, 0);
    const int introduccion = empieza(registro, QStringLiteral("Toda corta que el Servicio"), norma);
    EXPECT_GT(introduccion, norma);
    int vinetas = 0;
    for (int i = norma; i < registro.Pasos.size(); ++i) {
        const QString t = registro.Pasos.at(i).texto;
        EXPECT_FALSE(t.contains(QStringLiteral("· "))) << t.toStdString();
        vinetas += int(t.count(QStringLiteral("• ")));
    }
    EXPECT_GE(vinetas, 15);

    const TPasoImpresion *declaracion = registro.Buscar(DeclaracionJuradaNorma());
    ASSERT_TRUE(declaracion);
    EXPECT_TRUE(declaracion->marco);
    EXPECT_NEAR(declaracion->ancho, 156, 1e-9);
    EXPECT_NEAR(declaracion->alto, 51, 1e-9);

    // A protection measure's restriction type stands on its area's line.
    abrir(kTodas);
    componer();
    const int area = empieza(registro, QStringLiteral("Area Nº:"));
    const int tipo = empieza(registro, QStringLiteral("Tipo de Restricción: "), area);
    ASSERT_GE(area, 0);
    ASSERT_GT(tipo, area);
    EXPECT_NEAR(registro.Pasos.at(tipo).y, registro.Pasos.at(area).y, 1e-9);
    EXPECT_GE(registro.Pasos.at(tipo).x, registro.Pasos.at(area).x + registro.Pasos.at(area).ancho + 15 - 1e-9);
}

TEST_F(LumoImpresion, EachCombinationPrintsToPdf)
{
    for (int id : {31, 32, 33, static_cast<int>(kTodas)}) {
        SCOPED_TRACE(id);
        abrir(id);
        const QString pdf = dir.filePath(QStringLiteral("lumo_%1.pdf").arg(id));
        QString error;
        ASSERT_TRUE(ImprimirAPdf(form, pdf, &error)) << error.toStdString();
        EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
        PaginasAPng(pdf, QStringLiteral("lumo_%1").arg(id));
        if (!HayPdftotext())
            continue;
        const QString texto = PdfATexto(pdf);
        const QString marca = id == 31 ? QStringLiteral("Form. BQ") : id == 32 ? QStringLiteral("Form. SRX")
                                                               : id == 33 ? QStringLiteral("Form. PLG") : QStringLiteral("Form. LUMO");
        EXPECT_TRUE(PaginasSinEncabezado(texto, marca).isEmpty()) << texto.toStdString();
        EXPECT_TRUE(FaltanEnOrden(texto, {"(Uso Okran)", "ANTECEDENTES GENERALES", "Fundo Las Quilas", "Ciudad y Fecha"}).isEmpty())
            << texto.toStdString();
    }
}
