// The print layout layer on a bare preview control, seen through the recording of what
// reached the pages.
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"
#include "impresion/tregistroimpresion.h"

#include "connection.h"
#include "datasource.h"
#include "dbgrid.h"
#include "gridcolumn.h"
#include "table.h"
#include "tpgpreview.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

class ImpresionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vista.SetPaperSize(TPgPaperSize::Legal);
        imp = std::make_unique<TImpresion>(&vista);
        imp->setRegistro(&registro);
        imp->IniDocumento();
    }

    // A fresh document on a fresh preview, under a 20 mm header.
    void nuevoDocumento()
    {
        registro.Pasos.clear();
        imp.reset();
        otraVista = std::make_unique<TPgPreview>();
        otraVista->SetPaperSize(TPgPaperSize::Legal);
        imp = std::make_unique<TImpresion>(otraVista.get());
        imp->setRegistro(&registro);
        imp->IniDocumento();
        encabezado(20);
    }

    // A header of exactly `alto` mm, then the first block.
    void encabezado(double alto)
    {
        imp->IniEncabezado();
        imp->CuadroTexto(50, alto, QStringLiteral("ENCABEZADO"), taIzquierda, 0, false);
        imp->FinEncabezado();
        imp->Seccion();
    }

    QList<TPasoImpresion> cuadrosDePagina(int pagina) const
    {
        QList<TPasoImpresion> r;
        for (const TPasoImpresion &p : registro.Pasos)
            if (p.pagina == pagina && (p.tipo == TPasoImpresion::Cuadro || p.tipo == TPasoImpresion::Texto))
                r.append(p);
        return r;
    }

    TPgPreview vista;
    std::unique_ptr<TPgPreview> otraVista; // nuevoDocumento's
    TRegistroImpresion registro;
    std::unique_ptr<TImpresion> imp;
};

// A grid over a table of the temporary database; columns given as field, title, characters.
struct GrillaPrueba
{
    struct Columna
    {
        QString campo;
        QString titulo;
        int caracteres;
    };

    GrillaPrueba(const QString &script, const QList<Columna> &columnas)
    {
        EXPECT_TRUE(dir.isValid());
        EXPECT_TRUE(conexion.open(dir.filePath(QStringLiteral("t.db")), Connection::ReadWriteCreate));
        EXPECT_TRUE(conexion.execScript(script)) << conexion.lastError().text().toStdString();
        tabla.setConnection(&conexion);
        tabla.setTableName(QStringLiteral("t"));
        EXPECT_TRUE(tabla.Open());
        fuente.setDataSet(&tabla);
        grilla.setDataSource(&fuente);
        for (const Columna &c : columnas) {
            GridColumn *col = grilla.addColumn(c.campo);
            col->setTitle(c.titulo);
            tabla.FieldByName(c.campo)->setDisplayWidth(c.caracteres);
        }
    }

    QTemporaryDir dir;
    Connection conexion;
    Table tabla;
    DataSource fuente;
    DBGrid grilla;
};

const QString kTabla = QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY, a VARCHAR(20), b VARCHAR(20), c VARCHAR(20));");

} // namespace

// A block ending exactly at the usable height stays; 0.01 mm more moves it whole to the next
// page, below the header replayed there.
class SeccionQueCabe : public ImpresionTest, public ::testing::WithParamInterface<std::pair<double, int>>
{};

TEST_P(SeccionQueCabe, SeQuedaOPasaEntera)
{
    const auto [alto, pagina] = GetParam();
    encabezado(20);
    imp->AltoUtil = 200;
    imp->CuadroTexto(10, alto - 10, QStringLiteral("PARTE 1"), taIzquierda, 0, true);
    imp->CuadroTexto(10, 10, QStringLiteral("PARTE 2"), taIzquierda, 0, true);
    imp->Seccion();
    imp->FinDocumento();

    ASSERT_EQ(vista.GetNumPages(), pagina);
    const TPasoImpresion *p1 = registro.Buscar(QStringLiteral("PARTE 1"));
    const TPasoImpresion *p2 = registro.Buscar(QStringLiteral("PARTE 2"));
    ASSERT_TRUE(p1 && p2);
    EXPECT_EQ(p1->pagina, pagina);
    EXPECT_EQ(p2->pagina, pagina);
    EXPECT_DOUBLE_EQ(p1->y, MARGEN_SUP + 20);
    // The header heads every page.
    const QList<TPasoImpresion> ultima = cuadrosDePagina(pagina);
    ASSERT_FALSE(ultima.isEmpty());
    EXPECT_EQ(ultima.first().texto, QStringLiteral("ENCABEZADO"));
    EXPECT_DOUBLE_EQ(ultima.first().y, MARGEN_SUP);
}

INSTANTIATE_TEST_SUITE_P(Alturas, SeccionQueCabe,
                         ::testing::Values(std::make_pair(180.0, 1), std::make_pair(180.01, 2)));

TEST_F(ImpresionTest, BloqueMasAltoQueUnaPaginaEmpiezaArribaYNoSeParte)
{
    encabezado(20);
    imp->Texto(QStringLiteral("ANTES"), taIzquierda);
    imp->Seccion();
    imp->CuadroTexto(10, 400, QStringLiteral("ENORME"), taIzquierda, 0, true);
    imp->Seccion();
    imp->FinDocumento();
    EXPECT_EQ(vista.GetNumPages(), 2);
    EXPECT_EQ(registro.Buscar(QStringLiteral("ENORME"))->pagina, 2);
}

// Whatever a form places after its last Seccion (the city and date line) lost nothing.
TEST_F(ImpresionTest, FinDocumentoImprimeLaSeccionAbierta)
{
    encabezado(20);
    imp->Texto(QStringLiteral("Ciudad y Fecha: Talca, 01-02-2025"), taIzquierda);
    imp->FinDocumento();
    const TPasoImpresion *p = registro.Buscar(QStringLiteral("Ciudad y Fecha: Talca, 01-02-2025"));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->pagina, 1);
    EXPECT_EQ(p->tamanoFuente, 11);
}

// A fixed text printed with a form's looser spacing: each gap is as wide as it says and
// every later line goes lower by what the gaps added. Unspaced, it prints as always.
TEST(TextoFijo, EspaciadoDelFormularioBajaLasLineasSiguientes)
{
    const QString texto = QStringLiteral("# TÍTULO\nPrimera línea\n· un punto\n\nOtra sección\n|A|B\nÚltima");
    struct Impreso
    {
        TPgPreview vista;
        TRegistroImpresion registro;
        double y(const QString &t) const
        {
            const TPasoImpresion *p = registro.Buscar(t);
            EXPECT_TRUE(p) << t.toStdString();
            return p ? p->y : 0;
        }
    };
    const auto imprimir = [&](Impreso &r, const EspaciadoTextoFijo *espaciado) {
        r.vista.SetPaperSize(TPgPaperSize::Legal);
        TImpresion imp(&r.vista);
        imp.setRegistro(&r.registro);
        imp.IniDocumento();
        imp.Seccion();
        {
            ImpresionFormulario p(nullptr, &imp);
            if (espaciado)
                p.espaciadoTexto = *espaciado;
            p.textoFijo(texto);
        }
        imp.Seccion();
        imp.FinDocumento();
    };
    Impreso antes;
    imprimir(antes, nullptr);
    // Unspaced, a block's paragraphs and items are one text.
    const TPasoImpresion *bloque = antes.registro.Buscar(QStringLiteral("Primera línea\n· un punto"));
    ASSERT_TRUE(bloque);
    const double trasBloque = antes.y(QStringLiteral("Otra sección")) - (bloque->y + bloque->alto);

    const EspaciadoTextoFijo holgado{12, 3, 5};
    Impreso despues;
    imprimir(despues, &holgado);
    const TPasoImpresion *primera = despues.registro.Buscar(QStringLiteral("Primera línea"));
    const TPasoImpresion *punto = despues.registro.Buscar(QStringLiteral("· un punto"));
    ASSERT_TRUE(primera && punto);
    EXPECT_GE(despues.y(QStringLiteral("TÍTULO")) - antes.y(QStringLiteral("TÍTULO")), 10); // 12 mm, not a quarter line
    EXPECT_NEAR(punto->y - (primera->y + primera->alto), 3, 0.01);
    EXPECT_NEAR(despues.y(QStringLiteral("Otra sección")) - (punto->y + punto->alto), trasBloque + 5, 0.01);
    // What follows goes down by as much.
    const double baja = despues.y(QStringLiteral("Otra sección")) - antes.y(QStringLiteral("Otra sección"));
    EXPECT_GT(baja, 10 + 3 + 5);
    for (const char *t : {"A", "B", "Última"})
        EXPECT_NEAR(despues.y(QString::fromUtf8(t)) - antes.y(QString::fromUtf8(t)), baja, 0.01) << t;
}

TEST_F(ImpresionTest, TituloCentradoEnNegritaYVuelveA12)
{
    encabezado(20);
    const TDimensiones d = imp->Titulo(QStringLiteral("PLAN DE MANEJO"));
    imp->Seccion();
    const TPasoImpresion *p = registro.Buscar(QStringLiteral("PLAN DE MANEJO"));
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->negrita);
    EXPECT_EQ(p->tamanoFuente, 14);
    EXPECT_NEAR(p->x - MARGEN_IZQ + d.Ancho / 2, imp->AnchoUtil / 2, 0.01);
    EXPECT_EQ(vista.Canvas().GetFont().Size, 12);
    EXPECT_EQ(vista.Canvas().GetFont().Style, 0);
}

// An empty field still prints a box; with the label above, the cursor moves down by the
// label's height plus the box's.
TEST_F(ImpresionTest, CampoVacioConEtiquetaArriba)
{
    encabezado(20);
    const double y0 = imp->PosY;
    const double x0 = imp->PosX;
    const TDimensiones d = imp->Campo(QStringLiteral("Nombre del predio:"), QString(), lpAbove);
    EXPECT_DOUBLE_EQ(imp->PosY - y0, d.Alto);
    EXPECT_DOUBLE_EQ(imp->PosX - x0, d.Ancho);
    imp->Seccion();
    const TPasoImpresion *etiqueta = registro.Buscar(QStringLiteral("Nombre del predio:"));
    ASSERT_TRUE(etiqueta);
    const TPasoImpresion *caja = nullptr;
    for (const TPasoImpresion &p : registro.Pasos)
        if (p.texto == QString(22, QLatin1Char(' ')))
            caja = &p;
    ASSERT_TRUE(caja);
    EXPECT_EQ(caja->tamanoFuente, 12);
    EXPECT_EQ(etiqueta->tamanoFuente, 11);
    EXPECT_NEAR(caja->y, etiqueta->y + etiqueta->alto, 1e-9);
    EXPECT_NEAR(d.Alto, etiqueta->alto + caja->alto, 1e-9);
}

TEST_F(ImpresionTest, CampoConEtiquetaALaIzquierda)
{
    encabezado(20);
    const TDimensiones d = imp->Campo(QStringLiteral("Rol:"), QStringLiteral("123-45"), lpLeft);
    imp->Seccion();
    const TPasoImpresion *etiqueta = registro.Buscar(QStringLiteral("Rol:"));
    const TPasoImpresion *valor = registro.Buscar(QStringLiteral("123-45"));
    ASSERT_TRUE(etiqueta && valor);
    EXPECT_NEAR(valor->x, etiqueta->x + etiqueta->ancho, 1e-9);
    EXPECT_NEAR(d.Ancho, etiqueta->ancho + valor->ancho, 1e-9);
}

class EscalaFuenteTabla : public ::testing::TestWithParam<std::pair<double, int>>
{};

TEST_P(EscalaFuenteTabla, TamanoSegunRazon)
{
    EXPECT_EQ(TImpresion::TamanoFuenteTabla(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Razones, EscalaFuenteTabla,
                         ::testing::Values(std::make_pair(2.5, 6), std::make_pair(1.71, 6), std::make_pair(1.7, 7),
                                           std::make_pair(1.61, 7), std::make_pair(1.6, 8), std::make_pair(1.41, 8),
                                           std::make_pair(1.4, 9), std::make_pair(1.35, 9), std::make_pair(1.3, 10),
                                           std::make_pair(1.01, 10), std::make_pair(1.0, 11), std::make_pair(0.4, 11)));

// Widths that add up to 1.35 times the usable width print in 9 points, widths that add up
// to exactly the usable width in 11 points; both are scaled so that the cells, each with
// its 0.2 mm joint, end at the right margin.
class AnchoTabla : public ImpresionTest, public ::testing::WithParamInterface<std::pair<double, int>>
{};

TEST_P(AnchoTabla, EscalaAnchosYFuente)
{
    const auto [razon, tamano] = GetParam();
    GrillaPrueba g(kTabla + QStringLiteral("INSERT INTO t VALUES (1, 'x', 'y', 'z');"),
                   {{QStringLiteral("a"), QStringLiteral("Columna A"), 20},
                    {QStringLiteral("b"), QStringLiteral("Columna B"), 30},
                    {QStringLiteral("c"), QStringLiteral("Columna C"), 15}});
    const double anchos[] = {40.1, 60.1, 30.1};
    encabezado(20);
    imp->AnchoUtil = (anchos[0] + anchos[1] + anchos[2]) / razon;
    imp->Tabla(&g.grilla);
    imp->FinDocumento();

    EXPECT_EQ(tamano_fte_tabla, tamano);
    const char *titulos[] = {"Columna A", "Columna B", "Columna C"};
    for (int i = 0; i < 3; ++i) {
        const TPasoImpresion *p = registro.Buscar(QLatin1String(titulos[i]));
        ASSERT_TRUE(p) << titulos[i];
        EXPECT_NEAR(p->ancho - 0.2, anchos[i] * (imp->AnchoUtil - 0.6) / (anchos[0] + anchos[1] + anchos[2]), 1e-9)
            << titulos[i];
        EXPECT_EQ(p->tamanoFuente, tamano);
    }
}

INSTANTIATE_TEST_SUITE_P(Razones, AnchoTabla, ::testing::Values(std::make_pair(1.35, 9), std::make_pair(1.0, 11)));

// Fault: a table wider than the page was scaled to the usable width without the joints
// between its cells, and so ran past the right margin.
TEST_F(ImpresionTest, TablaAnchaTerminaDentroDelMargenDerecho)
{
    GrillaPrueba g(kTabla + QStringLiteral("INSERT INTO t VALUES (1, 'x', 'y', 'z');"),
                   {{QStringLiteral("a"), QStringLiteral("Columna A"), 90},
                    {QStringLiteral("b"), QStringLiteral("Columna B"), 90},
                    {QStringLiteral("c"), QStringLiteral("Columna C"), 90}});
    encabezado(20);
    imp->Tabla(&g.grilla);
    imp->FinDocumento();
    double derecha = 0;
    for (const TPasoImpresion &p : registro.DeTipo(TPasoImpresion::Cuadro))
        derecha = std::max(derecha, p.x + p.ancho - MARGEN_IZQ);
    EXPECT_GT(derecha, imp->AnchoUtil - 1);
    EXPECT_LE(derecha, imp->AnchoUtil + 1e-9);
}

// A column prints as wide as its field (by default a text field's size), however wide the
// consultant has dragged it on screen.
TEST_F(ImpresionTest, AnchoDeColumnaSegunElCampoNoLaPantalla)
{
    GrillaPrueba g(QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY, a VARCHAR(20), n INTEGER);"
                                  "INSERT INTO t VALUES (1, 'x', 5);"),
                   {});
    GridColumn *a = g.grilla.addColumn(QStringLiteral("a"));
    a->setTitle(QStringLiteral("Columna A"));
    GridColumn *n = g.grilla.addColumn(QStringLiteral("n"));
    n->setTitle(QStringLiteral("Columna N"));
    a->setWidth(900);
    n->setWidth(15);
    EXPECT_DOUBLE_EQ(TImpresion::AnchoColumna(a), 40.1);
    EXPECT_DOUBLE_EQ(TImpresion::AnchoColumna(n), 20.1);
    encabezado(20);
    imp->AnchoUtil = 200;
    imp->Tabla(&g.grilla);
    imp->FinDocumento();
    const TPasoImpresion *p = registro.Buscar(QStringLiteral("Columna A"));
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->ancho - 0.2, 40.1, 1e-9);
}

// Fault: shrinking by the fields' widths left a narrow column (a R.U.T. of 4 characters
// beside two wide ones, in 6 points) narrower than the one word it prints. It now takes its
// word's width from the wide columns, and the table still ends inside the right margin.
TEST_F(ImpresionTest, ColumnaAngostaTomaElAnchoDeSuPalabra)
{
    GrillaPrueba g(kTabla + QStringLiteral("INSERT INTO t VALUES (1, '12.345.678-9', 'x', 'y');"),
                   {{QStringLiteral("a"), QStringLiteral("R.U.T."), 4},
                    {QStringLiteral("b"), QStringLiteral("Columna B"), 150},
                    {QStringLiteral("c"), QStringLiteral("Columna C"), 150}});
    encabezado(20);
    imp->Tabla(&g.grilla);
    imp->FinDocumento();
    ASSERT_EQ(tamano_fte_tabla, 6);

    const TPasoImpresion *rut = registro.Buscar(QStringLiteral("12.345.678-9"));
    ASSERT_TRUE(rut);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSizeF(6);
    const QFontMetricsF m(f);
    const double palabraMm = m.horizontalAdvance(QStringLiteral("12.345.678-9")) * 25.4 / m.fontDpi();
    EXPECT_GE(rut->ancho, 0.95 * palabraMm);
    const TPasoImpresion *b = registro.Buscar(QStringLiteral("x"));
    ASSERT_TRUE(b);
    // Column B gave up part of its share of the usable width.
    EXPECT_LT(b->ancho - 0.2, 300.1 * (imp->AnchoUtil - 0.6) / 608.3 - 0.5);
    double derecha = 0;
    for (const TPasoImpresion &p : registro.DeTipo(TPasoImpresion::Cuadro))
        derecha = std::max(derecha, p.x + p.ancho - MARGEN_IZQ);
    EXPECT_LE(derecha, imp->AnchoUtil + 1e-9);
}

// Regression: a box that opened a block was drawn in the small font of the table measured
// after it in the same block.
TEST_F(ImpresionTest, CuadroSeDibujaEnLaFuenteEnQueSeMidio)
{
    GrillaPrueba g(kTabla + QStringLiteral("INSERT INTO t VALUES (1, 'x', 'y', 'z');"),
                   {{QStringLiteral("a"), QStringLiteral("Columna A"), 60},
                    {QStringLiteral("b"), QStringLiteral("Columna B"), 60},
                    {QStringLiteral("c"), QStringLiteral("Columna C"), 60}});
    encabezado(20);
    imp->Texto(QStringLiteral("Texto"), taIzquierda);
    imp->Seccion();
    imp->CuadroTexto(40, 10, QStringLiteral("CAJA"), taIzquierda, 1, true);
    imp->Cr();
    imp->Tabla(&g.grilla);
    imp->FinDocumento();
    ASSERT_LT(tamano_fte_tabla, 11);
    const TPasoImpresion *caja = registro.Buscar(QStringLiteral("CAJA"));
    ASSERT_TRUE(caja);
    EXPECT_EQ(caja->tamanoFuente, 11);
}

// Columns whose titles share their first "|" piece print one merged cell over separate
// ones; a title with one piece fills both header rows; equal pieces under different groups
// stay apart.
TEST_F(ImpresionTest, EncabezadoAgrupaColumnasPorBarra)
{
    GrillaPrueba g(kTabla + QStringLiteral("INSERT INTO t VALUES (1, '1', '2', 'Pino');"),
                   {{QStringLiteral("a"), QStringLiteral("Coordenadas|Norte"), 10},
                    {QStringLiteral("b"), QStringLiteral("Coordenadas|Este"), 10},
                    {QStringLiteral("c"), QStringLiteral("Especie"), 10}});
    encabezado(20);
    imp->Tabla(&g.grilla);
    imp->FinDocumento();

    const TPasoImpresion *grupo = registro.Buscar(QStringLiteral("Coordenadas"));
    const TPasoImpresion *norte = registro.Buscar(QStringLiteral("Norte"));
    const TPasoImpresion *este = registro.Buscar(QStringLiteral("Este"));
    const TPasoImpresion *especie = registro.Buscar(QStringLiteral("Especie"));
    ASSERT_TRUE(grupo && norte && este && especie);
    EXPECT_NEAR(grupo->ancho, norte->ancho + este->ancho, 1e-9);
    EXPECT_NEAR(grupo->x, norte->x, 1e-9);
    EXPECT_NEAR(este->x, norte->x + norte->ancho, 1e-9);
    EXPECT_NEAR(norte->y, grupo->y + grupo->alto, 1e-9);
    EXPECT_NEAR(especie->y, grupo->y, 1e-9);
    EXPECT_NEAR(especie->alto, grupo->alto + norte->alto, 1e-9);
    EXPECT_EQ(registro.DeTipo(TPasoImpresion::Cuadro).count(), 4 + 3); // header cells + one row
}

TEST_F(ImpresionTest, PiezasIgualesBajoGruposDistintosNoSeUnen)
{
    GrillaPrueba g(kTabla, {{QStringLiteral("a"), QStringLiteral("Antes|ha"), 10},
                            {QStringLiteral("b"), QStringLiteral("Después|ha"), 10}});
    encabezado(20);
    imp->Tabla(&g.grilla);
    imp->FinDocumento();
    int ha = 0;
    for (const TPasoImpresion &p : registro.Pasos)
        ha += p.texto == QLatin1String("ha");
    EXPECT_EQ(ha, 2);
}

TEST_F(ImpresionTest, TablaSinRegistrosImprimeUnaFilaVacia)
{
    GrillaPrueba g(kTabla, {{QStringLiteral("a"), QStringLiteral("A"), 10},
                            {QStringLiteral("b"), QStringLiteral("B"), 10},
                            {QStringLiteral("c"), QStringLiteral("C"), 10}});
    encabezado(20);
    imp->Tabla(&g.grilla);
    imp->FinDocumento();
    QList<TPasoImpresion> vacias;
    for (const TPasoImpresion &p : registro.DeTipo(TPasoImpresion::Cuadro))
        if (p.texto == QLatin1String(" "))
            vacias.append(p);
    ASSERT_EQ(vacias.size(), 3);
    EXPECT_GT(vacias.first().alto, 1.0);
    EXPECT_TRUE(vacias.first().marco);
}

// A data row that does not fit starts the next page below the page header and the table's
// header, repeated; every row lines up with the header's columns.
TEST_F(ImpresionTest, FilaQueNoCabePasaConEncabezadoDeTabla)
{
    QString script = kTabla;
    for (int i = 1; i <= 120; ++i)
        script += QStringLiteral("INSERT INTO t VALUES (%1, 'fila %1', 'b', 'c');").arg(i);
    GrillaPrueba g(script, {{QStringLiteral("a"), QStringLiteral("Rodal|Número"), 10},
                            {QStringLiteral("b"), QStringLiteral("Rodal|Tipo"), 10},
                            {QStringLiteral("c"), QStringLiteral("Especie"), 10}});
    encabezado(20);
    imp->Tabla(&g.grilla);
    imp->FinDocumento();
    ASSERT_GE(vista.GetNumPages(), 2);
    const QList<TPasoImpresion> p2 = cuadrosDePagina(2);
    ASSERT_GE(p2.size(), 5);
    EXPECT_EQ(p2.at(0).texto, QStringLiteral("ENCABEZADO"));
    EXPECT_EQ(p2.at(1).texto, QStringLiteral("Rodal"));
    EXPECT_NEAR(p2.at(1).y, MARGEN_SUP + 20, 1e-9);
    const QList<TPasoImpresion> p1 = cuadrosDePagina(1);
    const TPasoImpresion *ultimaP1 = p1.isEmpty() ? nullptr : &p1.last();
    const TPasoImpresion *numero = registro.Buscar(QStringLiteral("Número"));
    ASSERT_TRUE(numero && ultimaP1);
    EXPECT_LE(ultimaP1->y + ultimaP1->alto, MARGEN_SUP + imp->AltoUtil + 1e-9);
    // Column 2 of a data row starts where column 2 of the header starts.
    const TPasoImpresion *tipo = registro.Buscar(QStringLiteral("Tipo"));
    const TPasoImpresion *celdaB = registro.Buscar(QStringLiteral("b"));
    ASSERT_TRUE(tipo && celdaB);
    EXPECT_NEAR(tipo->x, celdaB->x, 1e-9);
    int filas = 0;
    for (const TPasoImpresion &p : registro.Pasos)
        filas += p.texto.startsWith(QLatin1String("fila "));
    EXPECT_EQ(filas, 120);
}

TEST_F(ImpresionTest, PieDeTablaConTextoYSuma)
{
    GrillaPrueba g(QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY, a VARCHAR(20), s DOUBLE);"
                                  "INSERT INTO t VALUES (1, 'x', 1.5), (2, 'y', 2.25);"),
                   {{QStringLiteral("a"), QStringLiteral("Rodal"), 10}, {QStringLiteral("s"), QStringLiteral("Sup"), 10}});
    g.grilla.setFooterRowCount(1);
    g.grilla.Columns(0)->Footer(0).valueType = GridFooter::ValueType::StaticText;
    g.grilla.Columns(0)->Footer(0).value = QStringLiteral("Total:");
    g.grilla.Columns(1)->Footer(0).valueType = GridFooter::ValueType::Sum;
    g.grilla.updateFooters();
    encabezado(20);
    imp->Tabla(&g.grilla);
    imp->FinDocumento();
    const TPasoImpresion *total = registro.Buscar(QStringLiteral("Total:"));
    const TPasoImpresion *suma = registro.Buscar(QStringLiteral("3,75"));
    ASSERT_TRUE(total && suma);
    EXPECT_NEAR(total->y, suma->y, 1e-9);
    EXPECT_EQ(suma->alineamiento, taDerecha);
}

// NuevaPagina(toApaisado) turns the pages from there on; the earlier ones stay portrait and
// a later NuevaPagina(toNormal) keeps landscape.
TEST_F(ImpresionTest, CambioDeOrientacionAMitadDelDocumento)
{
    encabezado(20);
    const double anchoVertical = imp->AnchoUtil;
    imp->Texto(QStringLiteral("VERTICAL"), taIzquierda);
    imp->NuevaPagina(toApaisado);
    EXPECT_GT(imp->AnchoUtil, anchoVertical);
    imp->Texto(QStringLiteral("APAISADA"), taIzquierda);
    imp->NuevaPagina(toNormal);
    imp->Texto(QStringLiteral("SIGUE APAISADA"), taIzquierda);
    imp->FinDocumento();

    ASSERT_EQ(vista.GetNumPages(), 3);
    EXPECT_EQ(vista.Page(1)->Orientation(), gmPortrait);
    EXPECT_EQ(vista.Page(2)->Orientation(), gmLandscape);
    EXPECT_EQ(vista.Page(3)->Orientation(), gmLandscape);
    EXPECT_LT(vista.Page(1)->Width().GetAsUnits(), vista.Page(1)->Height().GetAsUnits());
    EXPECT_GT(vista.Page(2)->Width().GetAsUnits(), vista.Page(2)->Height().GetAsUnits());
    EXPECT_EQ(registro.Buscar(QStringLiteral("VERTICAL"))->pagina, 1);
    EXPECT_EQ(registro.Buscar(QStringLiteral("APAISADA"))->pagina, 2);
    EXPECT_EQ(registro.Buscar(QStringLiteral("SIGUE APAISADA"))->pagina, 3);
    // The header heads the landscape pages too.
    EXPECT_EQ(cuadrosDePagina(2).first().texto, QStringLiteral("ENCABEZADO"));
}

// A missing logo is reported to the caller; the printout goes on without it.
TEST_F(ImpresionTest, ImagenQueFaltaSeAvisaSinDetenerse)
{
    imp->IniEncabezado();
    const TDimensiones d = imp->Imagen(QStringLiteral("/no/existe/logo.bmp"), 0.5, taIzquierda);
    imp->Texto(QStringLiteral("Form. KELU (v.2.5)"), taIzquierda);
    imp->FinEncabezado();
    imp->Seccion();
    imp->FinDocumento();
    EXPECT_EQ(d.Ancho, 0);
    ASSERT_EQ(imp->Avisos().size(), 1);
    EXPECT_EQ(imp->Avisos().first(), QStringLiteral("Archivo /no/existe/logo.bmp no existe"));
    EXPECT_TRUE(registro.Buscar(QStringLiteral("Form. KELU (v.2.5)")));
}

TEST_F(ImpresionTest, ImagenSeDibujaAEscalaYAlineada)
{
    QTemporaryDir dir;
    const QString archivo = dir.filePath(QStringLiteral("logo.bmp"));
    QImage img(96, 48, QImage::Format_RGB888);
    img.fill(Qt::darkGreen);
    ASSERT_TRUE(img.save(archivo, "BMP"));
    imp->IniEncabezado();
    const TDimensiones d = imp->Imagen(archivo, 0.5, taDerecha);
    imp->FinEncabezado();
    imp->FinDocumento();
    EXPECT_NEAR(d.Ancho, 12.7, 0.01); // 96 px at 96 dpi is 25.4 mm
    EXPECT_NEAR(d.Alto, 6.35, 0.01);
    const QList<TPasoImpresion> imagenes = registro.DeTipo(TPasoImpresion::Imagen);
    ASSERT_EQ(imagenes.size(), 1);
    EXPECT_NEAR(imagenes.first().x, MARGEN_IZQ + imp->AnchoUtil - d.Ancho, 0.01);
    EXPECT_NEAR(imp->PosYEncabezado, d.Alto, 0.01);
}

// A block of line feeds only that runs past the page opens no blank page.
TEST_F(ImpresionTest, BloqueSinDibujoNoAbrePagina)
{
    encabezado(20);
    imp->DeltaY(400);
    imp->Seccion();
    imp->FinDocumento();
    EXPECT_EQ(vista.GetNumPages(), 1);
}

namespace {

// `n` numbered words "p001" ..., a paragraph break after every tenth.
QString palabrasNumeradas(int n)
{
    QString t;
    for (int i = 1; i <= n; ++i)
        t += QStringLiteral("p%1").arg(i, 3, 10, QLatin1Char('0')) + (i % 10 == 0 ? QStringLiteral("\n") : QStringLiteral(" "));
    return t.trimmed();
}

// The numbered words that reached the pages, in drawing order.
QStringList palabrasImpresas(const TRegistroImpresion &registro)
{
    QStringList r;
    for (const TPasoImpresion &p : registro.Pasos)
        for (const QString &w : p.texto.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            if (w.startsWith(QLatin1Char('p')) && w.size() == 4)
                r << w;
    return r;
}

} // namespace

// Fault: a memo or a table row taller than a page ran past the bottom of the sheet and its
// last lines were lost. It is cut between words and goes on on the next pages (a table's
// titles repeated there), every word printed once, in order, nothing below the usable
// height; what follows it starts right below its last part.
TEST_F(ImpresionTest, TextoMasAltoQueUnaPaginaSigueEnLasSiguientes)
{
    const QString largo = palabrasNumeradas(900);
    GrillaPrueba g(kTabla + QStringLiteral("INSERT INTO t VALUES (1, 'corta', 'b', 'x');"),
                   {{QStringLiteral("a"), QStringLiteral("Rodal"), 10},
                    {QStringLiteral("b"), QStringLiteral("Causas"), 20},
                    {QStringLiteral("c"), QStringLiteral("Especie"), 10}});
    ASSERT_TRUE(g.conexion.exec(QStringLiteral("UPDATE t SET b = ?"), {largo}));
    g.tabla.Close();
    ASSERT_TRUE(g.tabla.Open());
    const QList<std::pair<const char *, std::function<void(TImpresion *)>>> casos = {
        {"memo", [&](TImpresion *i) { i->Campo(QStringLiteral("Observaciones:"), largo, lpAbove); }},
        {"text", [&](TImpresion *i) { i->Texto(largo, taIzquierda); }},
        {"table row", [&](TImpresion *i) { i->Tabla(&g.grilla); }},
    };
    QStringList esperadas = palabrasNumeradas(900).split(QRegularExpression(QStringLiteral("\\s+")));
    for (const auto &[nombre, poner] : casos) {
        SCOPED_TRACE(nombre);
        nuevoDocumento();
        imp->Texto(QStringLiteral("ANTES"), taIzquierda);
        imp->CrLf();
        poner(imp.get());
        imp->Texto(QStringLiteral("DESPUÉS"), taIzquierda);
        imp->FinDocumento();

        EXPECT_EQ(palabrasImpresas(registro), esperadas);
        EXPECT_GE(otraVista->GetNumPages(), 2);
        const TPasoImpresion *antes = registro.Buscar(QStringLiteral("ANTES"));
        ASSERT_TRUE(antes);
        EXPECT_EQ(antes->pagina, 1);
        double finUltima = 0;
        int paginaUltima = 0;
        for (const TPasoImpresion &p : registro.Pasos) {
            if (p.tipo != TPasoImpresion::Texto && p.tipo != TPasoImpresion::Cuadro)
                continue;
            EXPECT_LE(p.y + p.alto, MARGEN_SUP + imp->AltoUtil + 1e-6) << p.texto.left(20).toStdString();
            if (p.texto.contains(QStringLiteral("p900"))) {
                finUltima = p.y + p.alto;
                paginaUltima = p.pagina;
            }
        }
        // The first part starts on the first page, under what came before it.
        const TPasoImpresion *primera = nullptr;
        for (const TPasoImpresion &p : registro.Pasos)
            if (!primera && p.texto.contains(QStringLiteral("p001")))
                primera = &p;
        ASSERT_TRUE(primera);
        EXPECT_EQ(primera->pagina, 1);
        const TPasoImpresion *despues = registro.Buscar(QStringLiteral("DESPUÉS"));
        ASSERT_TRUE(despues);
        EXPECT_EQ(despues->pagina, paginaUltima);
        EXPECT_NEAR(despues->y, finUltima, 3.0);
        EXPECT_GE(despues->y, finUltima - 1e-6);
        // Every page of a table that goes on carries the table's titles above its part.
        if (QLatin1String(nombre) == QLatin1String("table row")) {
            for (int pag = 2; pag <= paginaUltima; ++pag) {
                const QList<TPasoImpresion> cuadros = cuadrosDePagina(pag);
                ASSERT_GE(cuadros.size(), 3) << pag;
                EXPECT_EQ(cuadros.at(1).texto, QStringLiteral("Rodal")) << pag;
            }
        }
    }
}

// Fault: a row ending inside the joint below it moved to the next page without the
// table's titles.
TEST_F(ImpresionTest, FilaQuePasaPorSuJuntaLlevaElEncabezado)
{
    GrillaPrueba g(kTabla + QStringLiteral("INSERT INTO t VALUES (1, 'uno', 'b', 'c'), (2, 'dos', 'b', 'c');"),
                   {{QStringLiteral("a"), QStringLiteral("Rodal"), 10}, {QStringLiteral("b"), QStringLiteral("B"), 10},
                    {QStringLiteral("c"), QStringLiteral("C"), 10}});
    encabezado(20);
    // Measure where the table's rows end, then place it so that the second row ends inside its joint.
    imp->Tabla(&g.grilla);
    const TPasoImpresion *uno = registro.Buscar(QStringLiteral("uno"));
    const TPasoImpresion *dos = registro.Buscar(QStringLiteral("dos"));
    ASSERT_TRUE(uno && dos);
    const double finDos = dos->y + dos->alto - MARGEN_SUP;
    imp->FinDocumento();
    nuevoDocumento();
    imp->AltoUtil = finDos - 0.1;
    imp->Tabla(&g.grilla);
    imp->FinDocumento();
    ASSERT_EQ(otraVista->GetNumPages(), 2);
    const QList<TPasoImpresion> p2 = cuadrosDePagina(2);
    ASSERT_GE(p2.size(), 2);
    EXPECT_EQ(p2.at(1).texto, QStringLiteral("Rodal"));
    EXPECT_EQ(registro.Buscar(QStringLiteral("dos"))->pagina, 2);
}
