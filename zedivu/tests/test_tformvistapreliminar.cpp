// The preview window: page counters and buttons, zoom list and buttons, and the page header
// on every page.
#include "impresion/tformvistapreliminar.h"

#include "impresion/timpresion.h"
#include "tpgpreview.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Composes `bloques` blocks of 100 mm below a small header.
void componer(TformVistaPreliminar &w, int bloques)
{
    TImpresion *imp = w.Impresion;
    imp->IniDocumento();
    imp->IniEncabezado();
    imp->Texto(QStringLiteral("Form. PRUEBA (v.2.5)"), taDerecha);
    imp->FinEncabezado();
    imp->Seccion();
    for (int i = 0; i < bloques; ++i) {
        imp->CuadroTexto(60, 100, QStringLiteral("Bloque %1").arg(i + 1), taIzquierda, 1, true);
        imp->Cr();
        imp->Seccion();
    }
    imp->FinDocumento();
    w.FormShow();
}

} // namespace

TEST(TformVistaPreliminar, SeCreaConSusValoresIniciales)
{
    TformVistaPreliminar w(nullptr, nullptr);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vista Preliminar"));
    EXPECT_EQ(w.cmbZoom->count(), 10);
    EXPECT_EQ(w.cmbZoom->currentText(), QStringLiteral("100"));
    EXPECT_EQ(w.gmpHojas->Zoom(), 100);
    EXPECT_EQ(w.gmpHojas->PaperSize(), TPgPaperSize::Legal);
    EXPECT_EQ(w.gmpHojas->Footer().CaptionLeft().Caption(), QStringLiteral("Código de Verificación: 00000"));
    // Legal: 355.6 x 215.9 mm less the margins and the footer's reserve.
    EXPECT_NEAR(w.Impresion->AnchoUtil, 215.9 - 30, 0.01);
    EXPECT_NEAR(w.Impresion->AltoUtil, 355.6 - 48, 0.01);
}

TEST(TformVistaPreliminar, UnaPaginaDejaLosBotonesDePaginaApagados)
{
    TformVistaPreliminar w(nullptr, nullptr);
    componer(w, 1);
    EXPECT_EQ(w.edtActual->text(), QStringLiteral("1"));
    EXPECT_EQ(w.edtTotal->text(), QStringLiteral("1"));
    for (QToolButton *b : {w.spbPrim, w.spbAnte, w.spbSgte, w.spbUlti})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
}

TEST(TformVistaPreliminar, NavegaEntrePaginas)
{
    TformVistaPreliminar w(nullptr, nullptr);
    componer(w, 5); // two blocks a page
    ASSERT_EQ(w.gmpHojas->GetNumPages(), 3);
    EXPECT_EQ(w.edtTotal->text(), QStringLiteral("3"));
    EXPECT_FALSE(w.spbAnte->isEnabled());
    EXPECT_TRUE(w.spbSgte->isEnabled());
    w.spbSgteClick();
    EXPECT_EQ(w.edtActual->text(), QStringLiteral("2"));
    EXPECT_TRUE(w.spbPrim->isEnabled());
    EXPECT_TRUE(w.spbUlti->isEnabled());
    w.spbUltiClick();
    EXPECT_EQ(w.edtActual->text(), QStringLiteral("3"));
    EXPECT_FALSE(w.spbSgte->isEnabled());
    EXPECT_FALSE(w.spbUlti->isEnabled());
    w.spbAnteClick();
    EXPECT_EQ(w.gmpHojas->CurrentPage(), 2);
    w.spbPrimClick();
    EXPECT_EQ(w.gmpHojas->CurrentPage(), 1);
}

// Zooming in from "300" reaches "400" and turns the zoom-in button off; zooming out from
// "  25" reaches "  10" and turns the zoom-out button off.
TEST(TformVistaPreliminar, ZoomHastaLosExtremos)
{
    TformVistaPreliminar w(nullptr, nullptr);
    w.cmbZoom->setCurrentIndex(8);
    w.spbZoomMasClick();
    EXPECT_EQ(w.cmbZoom->currentText(), QStringLiteral("400"));
    EXPECT_EQ(w.gmpHojas->Zoom(), 400);
    EXPECT_FALSE(w.spbZoomMas->isEnabled());
    EXPECT_TRUE(w.spbZoomMenos->isEnabled());
    w.spbZoomMasClick();
    EXPECT_EQ(w.gmpHojas->Zoom(), 400);

    w.cmbZoom->setCurrentIndex(1);
    w.spbZoomMenosClick();
    EXPECT_EQ(w.cmbZoom->currentText(), QStringLiteral("  10"));
    EXPECT_EQ(w.gmpHojas->Zoom(), 10);
    EXPECT_FALSE(w.spbZoomMenos->isEnabled());
    EXPECT_TRUE(w.spbZoomMas->isEnabled());
}

TEST(TformVistaPreliminar, CerrarRechazaElDialogo)
{
    TformVistaPreliminar w(nullptr, nullptr);
    w.show();
    w.btnCerrar->click();
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_FALSE(w.isVisible());
}
