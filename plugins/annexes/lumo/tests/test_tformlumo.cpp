// The generic form's sections from the main database: outline, pages and titles for a
// combination's rows, what a row that cannot be shown does, the column removals, and the
// three seeded combinations beside their request form.
#include "lumofixture.h"

#include "gridcolumn.h"
#include "tframelumo.h"

#include <QLabel>

#include <QDir>
#include <QTest>

using Lumo = LumoFixture;

namespace {

constexpr int kPrueba = 90;

struct CasoSecciones
{
    const char *nombre;
    QList<QStringList> filas;
    QString esquema;       // the outline (lines joined by "|", tabs as "\t")
    QStringList paginas;   // the pages shown after TabSheet0
    int problemas;         // rows reported and left out
};

QString lineas(const QString &secciones)
{
    QStringList r = secciones.split(QStringLiteral("\r\n"));
    if (!r.isEmpty() && r.last().isEmpty())
        r.removeLast();
    return r.join(QLatin1Char('|'));
}

} // namespace

TEST_F(Lumo, SectionsFollowTheRowsAndLineKAlwaysOpensPageK)
{
    const QList<CasoSecciones> casos = {
        {"rows stored out of order come sorted, row 0 is the title whatever it names",
         {{"2", "Observaciones", "1", "18", "", ""}, {"0", "TÍTULO", "3", "5", "lumoFrm_titulo", ""},
          {"1", "Rodales", "1", "1", "", ""}},
         "TÍTULO|\tRodales|\tObservaciones", {"TabSheet1", "TabSheet18"}, 0},
        {"indent 2 is two tabs, 0 and negative none",
         {{"0", "T", "", "", "", ""}, {"1", "A", "0", "3", "", ""}, {"2", "B", "2", "4", "", ""}, {"3", "C", "-1", "5", "", ""}},
         "T|A|\t\tB|C", {"TabSheet3", "TabSheet4", "TabSheet5"}, 0},
        {"a missing page shifts nothing after it",
         {{"0", "T", "", "", "", ""}, {"1", "A", "1", "3", "", ""}, {"2", "Nada", "1", "42", "", ""}, {"3", "C", "1", "5", "", ""}},
         "T|\tA|\tC", {"TabSheet3", "TabSheet5"}, 1},
        {"frames, unknown or repeated, get pages named by their rows",
         {{"0", "T", "", "", "", ""}, {"1", "Marco", "1", "", "lumoFrm_nada", ""}, {"2", "Título", "1", "", "lumoFrm_titulo", ""},
          {"3", "Título otra vez", "2", "", "lumoFrm_titulo", ""}},
         "T|\tMarco|\tTítulo|\t\tTítulo otra vez", {"DynaSheet1", "DynaSheet2", "DynaSheet3"}, 0},
        {"a repeated fixed page, the binding page and values that are no numbers are left out",
         {{"0", "T", "", "", "", ""}, {"1", "A", "1", "6", "", ""}, {"2", "A otra vez", "1", "6", "", ""},
          {"3", "Enlace", "1", "0", "", ""}, {"4", "Nivel", "x", "7", "", ""}, {"5", "Página", "1", "siete", "", ""},
          {"6", "B", "1", " 8 ", "", ""}},
         "T|\tA|\tB", {"TabSheet6", "TabSheet8"}, 4},
        {"no rows: the binding page alone", {}, "FORMULARIO GENÉRICO", {}, 0},
    };
    combinacion = kPrueba;
    for (const CasoSecciones &c : casos) {
        SCOPED_TRACE(c.nombre);
        secciones(kPrueba, c.filas);
        abrirDocumento();
        ASSERT_TRUE(form);
        EXPECT_EQ(lineas(form->Secciones), c.esquema);
        EXPECT_EQ(paginas(), c.paginas);
        EXPECT_EQ(lumo()->visible_pages, c.paginas);
        EXPECT_EQ(mensajesAlAbrir.join(QLatin1Char('\n')).count(QStringLiteral("la sección ")), c.problemas)
            << mensajesAlAbrir.join(QLatin1Char('\n')).toStdString();
        // Outline line k (after the title) is page k, under the same title.
        const QStringList l = lineas(form->Secciones).split(QLatin1Char('|'));
        for (qsizetype k = 1; k < l.size() && !c.paginas.isEmpty(); ++k) {
            form->CambiarHoja(int(k));
            EXPECT_EQ(form->Paginas->currentWidget()->objectName(), c.paginas.at(k - 1)) << k;
            EXPECT_EQ(lumo()->titles_pages.value(k - 1), l.at(k).trimmed()) << k;
        }
        // The fixed pages no row names are not among the pages, yet their grids exist.
        EXPECT_NE(grillaLumo(QStringLiteral("mepr")), nullptr);
        EXPECT_EQ(form->Paginas->widget(0)->objectName(), QStringLiteral("TabSheet0"));
    }
}

TEST_F(Lumo, AFrameRowGetsItsFrameOrSaysThatThereIsNone)
{
    combinacion = kPrueba;
    secciones(kPrueba, {{"0", "T", "", "", "", ""}, {"1", "A", "1", "", "lumoFrm_titulo", ""}, {"2", "B", "1", "", "lumoFrm_desconocido", ""},
                        {"3", "C", "1", "", "lumoFrm_titulo", ""}});
    abrirDocumento();
    // The plug-in's frames are reached through the framework's base, as the form does.
    const auto *a = form->findChild<TFrameLumo *>(QStringLiteral("lumoFrm_titulo1"));
    const auto *b = form->findChild<TFrameLumo *>(QStringLiteral("lumoFrm_titulo2"));
    const auto *c = form->findChild<TFrameLumo *>(QStringLiteral("lumoFrm_titulo3"));
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->findChild<QLabel *>()->text(), QStringLiteral("Pagina en Blanco para tener subsecciones bajo esta sección"));
    EXPECT_EQ(b->findChild<QLabel *>()->text(), QStringLiteral("No se encontró el frame llamado lumoFrm_desconocido"));
    EXPECT_EQ(a->parentWidget()->objectName(), QStringLiteral("DynaSheet1"));
    EXPECT_EQ(c->parentWidget()->objectName(), QStringLiteral("DynaSheet3"));
}

TEST_F(Lumo, ColumnRemovalCountsWhatIsLeftAndSkipsWhatItCannotApply)
{
    struct Caso
    {
        const char *nombre;
        QString especificacion;
        QStringList columnas; // of dbgLumo_car afterwards
        int problemas;
    };
    const QStringList todas = {"num", "sup", "esp", "pen", "ano", "den", "est_sani", "cap_uso", "ano_bonif"};
    const QList<Caso> casos = {
        {"6 then 6 removes est_sani and then cap_uso", "GroupBox9-dbgLumo_car,6,6",
         {"num", "sup", "esp", "pen", "ano", "den", "ano_bonif"}, 0},
        {"2 and 2 remove the first-defined 2 and 3", "GroupBox9-dbgLumo_car,2,2",
         {"num", "sup", "ano", "den", "est_sani", "cap_uso", "ano_bonif"}, 0},
        {"entries of one item are ignored", "GroupBox9-dbgLumo_car|GroupBox9-dbgLumo_car,0|", todas.mid(1), 0},
        {"an unknown parent, a grid not directly on the page and three names are skipped",
         "GroupBoxX-dbgLumo_car,1|dbgLumo_car,1|a-b-c,1", todas, 3},
        {"bad indices are skipped, the good ones applied", "GroupBox9-dbgLumo_car,x,9,-1,8", todas.mid(0, 8), 3},
    };
    combinacion = kPrueba;
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        secciones(kPrueba, {{"0", "T", "", "", "", ""}, {"1", "Rodales", "1", "1", "", c.especificacion}});
        abrirDocumento();
        EXPECT_EQ(columnas(QStringLiteral("car")), c.columnas);
        EXPECT_EQ(mensajesAlAbrir.join(QLatin1Char('\n')).count(QStringLiteral("la sección ")), c.problemas)
            << mensajesAlAbrir.join(QLatin1Char('\n')).toStdString();
        // The other grid of the same table keeps its columns.
        EXPECT_EQ(columnas(QStringLiteral("car2")).size(), 19);
    }
}

TEST_F(Lumo, FindColumnIsTheFirstColumnOfExactlyThatField)
{
    DBGrid *g = grillaLumo(QStringLiteral("car2"));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(TFormLUMO::findColumn(g, QStringLiteral("est_sani")), g->Columns(8));
    EXPECT_EQ(TFormLUMO::findColumn(g, QStringLiteral("EST_SANI")), nullptr);
    EXPECT_EQ(TFormLUMO::findColumn(nullptr, QStringLiteral("num")), nullptr);
}

// The seeded combinations open with their own sections and titles, and no message.
TEST_F(Lumo, EachSeededCombinationOpensWithItsSections)
{
    struct Caso
    {
        int id;
        QStringList paginas;
        QString primera;
        QString titulo;
    };
    const QList<Caso> casos = {
        {31, {"TabSheet1", "DynaSheet2", "DynaSheet3", "TabSheet9", "TabSheet10", "TabSheet17", "TabSheet18"},
         "NORMA DE MANEJO BOSQUES QUEMADOS", "NORMA DE MANEJO\\PARA BOSQUES AFECTADOS POR INCENDIOS FORESTALES"},
        {32, {"TabSheet1", "DynaSheet2", "TabSheet17", "TabSheet18"}, "PROSPECCIÓN DE Sirex noctilio",
         "NORMA DE MANEJO APLICABLE A PLANTACIONES\\AFECTADAS POR PLAGAS CUARENTENARIAS\\PROSPECCIÓN DE Sirex noctilio"},
        {33, {"DynaSheet1", "TabSheet1", "DynaSheet3", "TabSheet8", "TabSheet9", "TabSheet17", "TabSheet18"},
         "NORMA DE MANEJO PLAGAS CUARENTENARIAS", "NORMA DE MANEJO APLICABLE A PLANTACIONES\\AFECTADAS POR PLAGAS CUARENTENARIAS"},
    };
    const QString carpeta = QDir::currentPath() + QStringLiteral("/lumo_secciones");
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.id);
        combinacion = c.id;
        abrirDocumento();
        ASSERT_TRUE(form && dorvo);
        EXPECT_EQ(lumo()->visible_pages, c.paginas);
        EXPECT_EQ(lumo()->titulo_sol, c.titulo);
        EXPECT_TRUE(form->Secciones.startsWith(c.primera + QStringLiteral("\r\n")));
        EXPECT_TRUE(mensajesAlAbrir.isEmpty()) << mensajesAlAbrir.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(tabla(QString())->FieldByName(QStringLiteral("cod_pre"))->AsInteger(), -1);
        // The burned forest's stands grid goes without its sanitary state and use class.
        EXPECT_EQ(columnas(QStringLiteral("car")).contains(QStringLiteral("est_sani")), c.id != 31);
        FotografiarPaginas(form, form->parentWidget(), carpeta + QStringLiteral("/%1").arg(c.id));
    }
}
