#pragma once
// The window in which a form's printout is composed and, for the preview command, shown:
// the preview control gmpHojas with a tool bar (page navigation, page counters, zoom,
// "Cerrar"), and the layout layer Impresion (owned) that draws into it. The form's print
// and preview commands create it, choose the paper, let the form compose its pages and
// then print through the control or show the window modally.
#include <QDialog>

#include <memory>

class QComboBox;
class QLineEdit;
class QPrintDialog;
class QPushButton;
class QToolButton;
class TImpresion;
class TPgPreview;

class TformVistaPreliminar : public QDialog
{
    Q_OBJECT

public:
    // `dialogo` (not owned, may be null) is the print dialog the printer takes its printer
    // or output file from when printing.
    TformVistaPreliminar(QWidget *owner, QPrintDialog *dialogo);
    ~TformVistaPreliminar() override;

    TPgPreview *gmpHojas = nullptr;
    TImpresion *Impresion = nullptr;
    QPrintDialog *PrintDialog1 = nullptr;

    QToolButton *spbPrim = nullptr, *spbAnte = nullptr, *spbSgte = nullptr, *spbUlti = nullptr;
    QToolButton *spbZoomMas = nullptr, *spbZoomMenos = nullptr;
    QLineEdit *edtActual = nullptr, *edtTotal = nullptr;
    QComboBox *cmbZoom = nullptr;
    QPushButton *btnCerrar = nullptr;

    // The new-page handler of gmpHojas (also run once at creation).
    void gmpHojasNewPage();
    // Page counters and the enabled page buttons.
    void FormShow();
    void spbPrimClick();
    void spbAnteClick();
    void spbSgteClick();
    void spbUltiClick();
    void cmbZoomChange();
    void spbZoomMasClick();
    void spbZoomMenosClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void ajustarBotonesZoom();
    // The first show: large enough for the page at 100 %, within the screen.
    void ajustarAPantalla();
    std::unique_ptr<TImpresion> m_impresion;
    bool m_ajustada = false;
};
