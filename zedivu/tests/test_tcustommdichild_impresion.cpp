// A form's printout: composed by a small test form, printed to PDF and previewed, with the
// footer, the signature lines and the closing block of the framework.
#include "tcustommdichild.h"

#include "connection.h"
#include "datasource.h"
#include "dbgrid.h"
#include "gridcolumn.h"
#include "impresion/impresorapredeterminada.h"
#include "impresion/timpresion.h"
#include "impresion/tformvistapreliminar.h"
#include "impresion/tpapelimpresora.h"
#include "impresion/tregistroimpresion.h"
#include "pdfatexto.h"
#include "scripteddialogs.h"
#include "table.h"
#include "tpgpreview.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

const char *const kEsquema =
    "CREATE TABLE bexa (id INTEGER PRIMARY KEY, nombre VARCHAR(60), ciu VARCHAR(40), fec DATETIME);"
    "INSERT INTO bexa VALUES (1, 'Fundo Los Robles', 'Talca', '2025-02-01 00:00:00');"
    "CREATE TABLE bexa_pro (id INTEGER PRIMARY KEY, nom VARCHAR(30), pat VARCHAR(30), mat VARCHAR(30),"
    "                       rut INTEGER, dv VARCHAR(1), firm BOOLEAN);"
    "INSERT INTO bexa_pro VALUES (1, 'Ana', 'Soto', 'Díaz', 11111111, '1', 1), (2, 'Luis', 'Mena', NULL, 5, '5', 0);"
    "CREATE TABLE bexa_rep (id INTEGER PRIMARY KEY, nom VARCHAR(30), pat VARCHAR(30), mat VARCHAR(30),"
    "                       rut INTEGER, dv VARCHAR(1), firm BOOLEAN);"
    "INSERT INTO bexa_rep VALUES (1, 'Ana', 'Soto', 'Díaz', 11111111, '1', 1), (2, 'Pedro', 'Rojas', 'Vera', 22222222, '2', 1);"
    "CREATE TABLE bexa_rod (id INTEGER PRIMARY KEY, num VARCHAR(10), especie VARCHAR(30), sup DOUBLE);";

const char *const kConsultor =
    "CREATE TABLE consultor (cons_id INTEGER PRIMARY KEY, cons_rut INTEGER, cons_dv VARCHAR(1),"
    " cons_paterno VARCHAR(50), cons_materno VARCHAR(50), cons_nombre VARCHAR(50), cons_profesion VARCHAR(1));"
    "INSERT INTO consultor VALUES (7, 9876543, 'K', 'Fuentes', 'Lagos', 'María', '1'), (8, 1, '9', 'Paz', 'Paz', 'Eva', '4');";

// A request form with its own signature tables, a grid of stands and a logo.
class TFormBEXA : public TCustomMDIChild
{
public:
    TFormBEXA(const QString &dir, int rodales)
    {
        Codigo = QStringLiteral("BEXA");
        DirAplicacion = dir;
        conexion.open(dir + QStringLiteral("bexa.db"), Connection::ReadWriteCreate);
        conexion.execScript(QString::fromUtf8(kEsquema));
        for (int i = 1; i <= rodales; ++i)
            conexion.exec(QStringLiteral("INSERT INTO bexa_rod (num, especie, sup) VALUES (?, ?, ?)"),
                          {QString::number(i), QStringLiteral("Pinus radiata"), 1.5 * i});
        adtBEXA.setConnection(&conexion);
        adtBEXA.setTableName(QStringLiteral("bexa"));
        adtBEXA.Open();
        adtRod.setConnection(&conexion);
        adtRod.setTableName(QStringLiteral("bexa_rod"));
        adtRod.Open();
        dsrcRod.setDataSet(&adtRod);
        dbgRodales.setDataSource(&dsrcRod);
        dbgRodales.addColumn(QStringLiteral("num"))->setTitle(QStringLiteral("Rodal|N°"));
        dbgRodales.addColumn(QStringLiteral("especie"))->setTitle(QStringLiteral("Rodal|Especie"));
        dbgRodales.addColumn(QStringLiteral("sup"))->setTitle(QStringLiteral("Superficie (ha)"));
        dbgRodales.setFooterRowCount(1);
        dbgRodales.Columns(0)->Footer(0).valueType = GridFooter::ValueType::StaticText;
        dbgRodales.Columns(0)->Footer(0).value = QStringLiteral("Total");
        dbgRodales.Columns(2)->Footer(0).valueType = GridFooter::ValueType::Sum;
        dbgRodales.updateFooters();
        DatasetPpal = &adtBEXA;
    }

    void Nuevo() override {}
    QByteArray PrepararXML() override { return {}; }
    void ComponerImpresion(TImpresion *imp) override
    {
        if (registro)
            imp->setRegistro(registro);
        imp->IniDocumento();
        imp->IniEncabezado();
        imp->Imagen(DirAplicacion + QStringLiteral("img/logo.bmp"), 0.6, taIzquierda);
        imp->Cr();
        imp->DeltaY(-imp->PosY);
        imp->Texto(QStringLiteral("Form. BEXA (v.2.5)"), taDerecha);
        imp->CrLf();
        imp->Texto(QStringLiteral("(Uso Okran)"), taDerecha);
        imp->FinEncabezado();
        imp->CrLf();
        imp->Seccion();
        imp->Titulo(QStringLiteral("SOLICITUD DE CERTIFICACIÓN"));
        imp->Cr();
        imp->CrLf();
        imp->Seccion();
        imp->Campo(QStringLiteral("Nombre del predio:"), adtBEXA.FieldByName(QStringLiteral("nombre")), lpLeft);
        imp->Cr();
        imp->Seccion();
        imp->SubTitulo(QStringLiteral("1. Rodales"), taIzquierda);
        imp->Cr();
        imp->Tabla(&dbgRodales);
        prtUltimaSeccion(imp, ConsultorId, &adtBEXA, Codigo);
        imp->FinDocumento();
        vistaComponiendo = imp->Vista;
    }
    void ComponerDifrol(TImpresion *imp) override
    {
        imp->IniDocumento();
        imp->Seccion();
        imp->Texto(QStringLiteral("Señores Okran"), taIzquierda);
        imp->FinDocumento();
        vistaComponiendo = imp->Vista;
    }

    Connection conexion;
    Table adtBEXA;
    Table adtRod;
    DataSource dsrcRod;
    DBGrid dbgRodales;
    TRegistroImpresion *registro = nullptr;
    TPgPreview *vistaComponiendo = nullptr;
};

class ImpresionFormulario : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        dirApp = dir.path() + QLatin1Char('/');
        QDir().mkpath(dirApp + QStringLiteral("bbdd"));
        QDir().mkpath(dirApp + QStringLiteral("img"));
        Connection bd;
        ASSERT_TRUE(bd.open(dirApp + QStringLiteral("bbdd/bd.db"), Connection::ReadWriteCreate));
        ASSERT_TRUE(bd.execScript(QString::fromUtf8(kConsultor)));
        const QImage logo(QStringLiteral(BRENVIK_TEST_DIR "/../../data/img/logo.xpm"), "XPM");
        ASSERT_FALSE(logo.isNull());
        ASSERT_TRUE(logo.save(dirApp + QStringLiteral("img/logo.bmp"), "BMP"));
        TCustomMDIChild::setPapelImpresora(QStringLiteral("Legal"), 0, 0);
    }

    QTemporaryDir dir;
    QString dirApp;
    ScriptedDialogs dialogos;
};

} // namespace

TEST_F(ImpresionFormulario, ImprimeAPdfConPieFirmasYCierre)
{
    TFormBEXA form(dirApp, 70);
    form.ConsultorId = 7;
    form.HashXML = QStringLiteral("ABCDEF0123456789ABCDEF0123456789");
    const QString pdf = dir.filePath(QStringLiteral("bexa.pdf"));
    QPrinter impresora;
    impresora.setOutputFileName(pdf);
    QPrintDialog dialogo(&impresora);
    form.DialogoImpresion = &dialogo;
    QString error;
    ASSERT_TRUE(form.Imprimir(&error)) << error.toStdString();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_TRUE(dialogos.boxes.isEmpty());

    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    const QStringList paginas = texto.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(paginas.size(), 2);
    const int total = int(paginas.size());
    for (int i = 0; i < total; ++i) {
        const QString &p = paginas.at(i);
        EXPECT_TRUE(p.contains(QStringLiteral("Código de Verificación: ABCDE"))) << i;
        EXPECT_TRUE(p.contains(QStringLiteral("Página %1 de %2").arg(i + 1).arg(total))) << i;
        EXPECT_TRUE(p.contains(QStringLiteral("Form. BEXA (v.2.5)"))) << i;
    }
    const QString &ultima = paginas.last();
    EXPECT_TRUE(texto.contains(QStringLiteral("SOLICITUD DE CERTIFICACIÓN")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Fundo Los Robles")));
    // The owner signs once, as owner; the other representative signs too.
    EXPECT_EQ(texto.count(QStringLiteral("Ana Soto Díaz")), 1);
    EXPECT_TRUE(ultima.contains(QStringLiteral("RUT:11111111-1")));
    EXPECT_TRUE(ultima.contains(QStringLiteral("Pedro Rojas Vera")));
    EXPECT_FALSE(texto.contains(QStringLiteral("Luis Mena")));
    EXPECT_TRUE(ultima.contains(QStringLiteral("Nombre del (de la) autor(a) del estudio técnico: Fuentes Lagos, María")));
    EXPECT_TRUE(ultima.contains(QStringLiteral("Profesión: INGENIERO FORESTAL")));
    EXPECT_TRUE(ultima.contains(QStringLiteral("RUT: 9876543-K")));
    EXPECT_TRUE(ultima.contains(QStringLiteral("Ciudad y Fecha: Talca, 01-02-2025")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Total")));

    // A picture of the first and last pages, for a person to look at.
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        const QString png = QStringLiteral(BRENVIK_BIN_DIR "/../testhome/impresion_bexa");
        QDir().mkpath(QFileInfo(png).path());
        QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"), pdf, png});
    }
}

TEST_F(ImpresionFormulario, DocumentoNuncaExportadoImprimeCeros)
{
    TFormBEXA form(dirApp, 1);
    form.ConsultorId = 8; // profession 4: no author block
    TRegistroImpresion registro;
    form.registro = &registro;
    QTimer::singleShot(0, [] {
        if (auto *w = qobject_cast<TformVistaPreliminar *>(QApplication::activeModalWidget())) {
            // What the user sees, for a person to look at.
            w->showNormal();
            w->resize(900, 700);
            w->cmbZoom->setCurrentIndex(2);
            QApplication::processEvents();
            w->grab().save(QStringLiteral(BRENVIK_BIN_DIR "/../testhome/vista_preliminar.png"));
            w->reject();
        }
    });
    form.Previsualizar();
    ASSERT_TRUE(form.vistaComponiendo);
    EXPECT_FALSE(registro.Buscar(QStringLiteral("Firma:  __________________________")) == nullptr);
    EXPECT_EQ(registro.Buscar(QStringLiteral("Profesión: INGENIERO FORESTAL")), nullptr);
    const TPasoImpresion *ciudad = registro.Buscar(QStringLiteral("Ciudad y Fecha: Talca, 01-02-2025"));
    ASSERT_TRUE(ciudad);
}

TEST_F(ImpresionFormulario, PieConCodigoOCeros)
{
    struct Caso
    {
        QString hash;
        QString pie;
    };
    for (const Caso &c : {Caso{QString(), QStringLiteral("Código de Verificación: 00000")},
                          Caso{QStringLiteral("0F1E2D3C4B5A69788796A5B4C3D2E1F0"), QStringLiteral("Código de Verificación: 0F1E2")}}) {
        TFormBEXA form(dirApp, 1);
        form.HashXML = c.hash;
        QString pie;
        QString derecha;
        QTimer::singleShot(0, [&] {
            if (auto *w = qobject_cast<TformVistaPreliminar *>(QApplication::activeModalWidget())) {
                pie = w->gmpHojas->Footer().CaptionLeft().Caption();
                derecha = w->gmpHojas->Footer().CaptionRight().Caption();
                w->reject();
            }
        });
        form.Previsualizar();
        EXPECT_EQ(pie, c.pie);
        EXPECT_EQ(derecha, QStringLiteral("Página {PAGE} de {NUMPAGES}"));
    }
}

TEST_F(ImpresionFormulario, CartaSinCodigoDeVerificacion)
{
    TFormBEXA form(dirApp, 1);
    form.HashXML = QStringLiteral("ABCDEF0123456789ABCDEF0123456789");
    QString pie = QStringLiteral("sin leer");
    QTimer::singleShot(0, [&] {
        if (auto *w = qobject_cast<TformVistaPreliminar *>(QApplication::activeModalWidget())) {
            pie = w->gmpHojas->Footer().CaptionLeft().Caption();
            w->reject();
        }
    });
    form.PrevisualizarDifrol();
    EXPECT_TRUE(pie.isEmpty());
}

// A missing logo is told to the user; the printout is still made.
TEST_F(ImpresionFormulario, LogoQueFaltaSeAvisa)
{
    QFile::remove(dirApp + QStringLiteral("img/logo.bmp"));
    TFormBEXA form(dirApp, 1);
    const QString pdf = dir.filePath(QStringLiteral("sinlogo.pdf"));
    QPrinter impresora;
    impresora.setOutputFileName(pdf);
    QPrintDialog dialogo(&impresora);
    form.DialogoImpresion = &dialogo;
    EXPECT_TRUE(form.Imprimir());
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.contains(QStringLiteral("img/logo.bmp no existe")));
    EXPECT_TRUE(QFileInfo::exists(pdf));
}

class PapelImpresora : public ::testing::TestWithParam<const char *>
{};

TEST_P(PapelImpresora, SeLeeComoSeDejo)
{
    TCustomMDIChild::setPapelImpresora(QLatin1String(GetParam()), 0, 0);
    EXPECT_EQ(TCustomMDIChild::getPapelImpresora().Nombre, QLatin1String(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Nombres, PapelImpresora, ::testing::Values("Letter", "Legal", "A4", "A3"));

TEST(PapelImpresoraCustom, GuardaLargoYAncho)
{
    TCustomMDIChild::setPapelImpresora(QStringLiteral("Custom"), 330, 216);
    const TPapelImpresora p = TCustomMDIChild::getPapelImpresora();
    EXPECT_EQ(p.Nombre, QStringLiteral("Custom"));
    EXPECT_NEAR(p.Largo, 330, 0.5);
    EXPECT_NEAR(p.Ancho, 216, 0.5);
    TCustomMDIChild::setPapelImpresora(QStringLiteral("Legal"), 0, 0);
}
