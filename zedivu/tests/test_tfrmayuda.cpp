// The help window: the page of the form's sheet, the default page when it has none, and
// F1 in a form window.
#include "entrada/tfrmayuda.h"

#include "entrada/ventanaentrada.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

class Ayuda : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        QDir().mkpath(app + QStringLiteral("pres"));
        escribir(QStringLiteral("default.html"), "<p>Ayuda general</p>");
        escribir(QStringLiteral("PRUE_01.html"), "<p>Rodales del predio</p>");
    }

    void escribir(const QString &nombre, const char *html)
    {
        QFile f(app + QStringLiteral("pres/") + nombre);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(html);
    }

    QTemporaryDir dir;
    QString app;
};

TEST_F(Ayuda, PaginaPropiaOLaDeOmision)
{
    TfrmAyuda ayuda;
    ayuda.DirAplicacion = app;
    for (const auto &[pagina, texto] : {std::pair{"PRUE_01.html", "Rodales del predio"}, std::pair{"PRUE_02.html", "Ayuda general"},
                                        std::pair{"", "Ayuda general"}}) {
        ayuda.Pagina = QLatin1String(pagina);
        ayuda.FormActivate();
        EXPECT_EQ(ayuda.wbrPauta->toPlainText(), QLatin1String(texto)) << pagina;
    }
    EXPECT_EQ(ayuda.windowTitle(), QStringLiteral("Ayuda en Línea"));
    EXPECT_EQ(ayuda.size(), QSize(593, 457));
}

TEST_F(Ayuda, F1MuestraLaAyudaDeLaHojaActual)
{
    VentanaEntrada ventana;
    ventana.DirAplicacion = app;
    ventana.Paginas = new QTabWidget(&ventana);
    auto *hoja = new QWidget;
    ventana.Paginas->addTab(new QWidget, QStringLiteral("uno"));
    ventana.Paginas->addTab(hoja, QStringLiteral("dos"));
    auto *edit = new QLineEdit(hoja);
    ventana.CambiarHoja(1);
    QString mostrado, titulo;
    AlAbrirModal([&](QDialog *d) {
        auto *a = static_cast<TfrmAyuda *>(d);
        mostrado = a->wbrPauta->toPlainText();
        titulo = a->windowTitle();
        a->close();
    });
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(edit, &f1);
    EXPECT_EQ(titulo, QStringLiteral("Ayuda en Línea"));
    EXPECT_EQ(mostrado, QStringLiteral("Rodales del predio"));
}

TEST(AyudaConstruida, ElProgramaTraeLaPaginaDeOmision)
{
    TfrmAyuda ayuda;
    ayuda.DirAplicacion = DirProgramaConstruido();
    ayuda.Pagina = QStringLiteral("NADA_01.html");
    EXPECT_TRUE(QFileInfo(ayuda.ArchivoPagina()).isFile());
    QString mostrado;
    AlAbrirModal([&](QDialog *d) {
        mostrado = static_cast<TfrmAyuda *>(d)->wbrPauta->toPlainText();
        d->close();
    });
    ayuda.exec();
    EXPECT_TRUE(mostrado.startsWith(QStringLiteral("Ayuda en Línea"))) << mostrado.toStdString();
}

} // namespace
