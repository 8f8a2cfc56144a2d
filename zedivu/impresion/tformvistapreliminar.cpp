#include "tformvistapreliminar.h"

#include "timpresion.h"
#include "pgtypes.h"
#include "tpgpreview.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const kZooms[] = {"  10", "  25", "  50", "  75", "100", "125", "150", "200", "300", "400"};
constexpr int kZoomInicial = 4;

QToolButton *boton(QWidget *padre, const char *nombre, const QString &texto, const QString &ayuda)
{
    auto *b = new QToolButton(padre);
    b->setObjectName(QLatin1String(nombre));
    b->setText(texto);
    b->setToolTip(ayuda);
    b->setAutoRaise(true);
    return b;
}

QLineEdit *contador(QWidget *padre, const char *nombre)
{
    auto *e = new QLineEdit(padre);
    e->setObjectName(QLatin1String(nombre));
    e->setReadOnly(true);
    e->setFixedWidth(36);
    e->setAlignment(Qt::AlignCenter);
    return e;
}

} // namespace

TformVistaPreliminar::TformVistaPreliminar(QWidget *owner, QPrintDialog *dialogo)
    : QDialog(owner)
    , PrintDialog1(dialogo)
{
    setObjectName(QStringLiteral("formVistaPreliminar"));
    setWindowTitle(QStringLiteral("Vista Preliminar"));
    resize(795, 632);
    // A resize is accepted only above 440 x 300.
    setMinimumSize(441, 301);

    auto *barra = new QWidget(this);
    barra->setObjectName(QStringLiteral("pnlBarra"));
    barra->setFixedHeight(33);
    auto *h = new QHBoxLayout(barra);
    h->setContentsMargins(4, 2, 4, 2);
    spbPrim = boton(barra, "spbPrim", QStringLiteral("|<"), QStringLiteral("Primera página"));
    spbAnte = boton(barra, "spbAnte", QStringLiteral("<"), QStringLiteral("Página anterior"));
    spbSgte = boton(barra, "spbSgte", QStringLiteral(">"), QStringLiteral("Página siguiente"));
    spbUlti = boton(barra, "spbUlti", QStringLiteral(">|"), QStringLiteral("Última página"));
    edtActual = contador(barra, "edtActual");
    edtTotal = contador(barra, "edtTotal");
    spbZoomMas = boton(barra, "spbZoomMas", QStringLiteral("+"), QStringLiteral("Acercar"));
    spbZoomMenos = boton(barra, "spbZoomMenos", QStringLiteral("-"), QStringLiteral("Alejar"));
    cmbZoom = new QComboBox(barra);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    for (const char *z : kZooms)
        cmbZoom->addItem(QLatin1String(z));
    cmbZoom->setCurrentIndex(kZoomInicial);
    btnCerrar = new QPushButton(QStringLiteral("Cerrar"), barra);
    btnCerrar->setObjectName(QStringLiteral("btnCerrar"));
    btnCerrar->setAutoDefault(false);

    h->addWidget(spbPrim);
    h->addWidget(spbAnte);
    h->addWidget(new QLabel(QStringLiteral("Página:"), barra));
    h->addWidget(edtActual);
    h->addWidget(new QLabel(QStringLiteral("/"), barra));
    h->addWidget(edtTotal);
    h->addWidget(spbSgte);
    h->addWidget(spbUlti);
    h->addSpacing(16);
    h->addWidget(spbZoomMenos);
    h->addWidget(spbZoomMas);
    h->addWidget(new QLabel(QStringLiteral("Zoom:"), barra));
    h->addWidget(cmbZoom);
    h->addWidget(new QLabel(QStringLiteral("%"), barra));
    h->addStretch();
    h->addWidget(btnCerrar);

    gmpHojas = new TPgPreview(this);
    gmpHojas->setObjectName(QStringLiteral("gmpHojas"));
    gmpHojas->SetCoordsRelativeTo(fromPage);
    gmpHojas->SetPaperSize(TPgPaperSize::Legal);
    gmpHojas->SetMaxZoom(400);
    gmpHojas->SetZoom(100);
    TPgPen margen;
    margen.Color = clSilver;
    margen.Style = psDot;
    gmpHojas->Margins().SetPen(margen);
    gmpHojas->Margins().SetVisible(true);
    gmpHojas->Header().SetShowLine(false);
    TPgFont pie = gmpHojas->Footer().CaptionLeft().Font();
    pie.Name = QStringLiteral("Times New Roman");
    for (int i = 0; i < 3; ++i)
        gmpHojas->Footer().GetIndexCaption(i).SetFont(pie);
    gmpHojas->Footer().CaptionLeft().SetCaption(QStringLiteral("Código de Verificación: 00000"));
    gmpHojas->Footer().SetVisible(true);
    gmpHojas->SetTitle(QStringLiteral("<Documento>"));
    gmpHojas->PgPrinter().SetPrintDialog(dialogo);
    gmpHojas->PgPrinter().SetShowPrintDialog(false);

    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(barra);
    v->addWidget(gmpHojas, 1);

    m_impresion = std::make_unique<TImpresion>(gmpHojas);
    Impresion = m_impresion.get();
    gmpHojas->OnNewPage = [this](TPgPreview *) { gmpHojasNewPage(); };
    gmpHojasNewPage();

    connect(spbPrim, &QToolButton::clicked, this, &TformVistaPreliminar::spbPrimClick);
    connect(spbAnte, &QToolButton::clicked, this, &TformVistaPreliminar::spbAnteClick);
    connect(spbSgte, &QToolButton::clicked, this, &TformVistaPreliminar::spbSgteClick);
    connect(spbUlti, &QToolButton::clicked, this, &TformVistaPreliminar::spbUltiClick);
    connect(spbZoomMas, &QToolButton::clicked, this, &TformVistaPreliminar::spbZoomMasClick);
    connect(spbZoomMenos, &QToolButton::clicked, this, &TformVistaPreliminar::spbZoomMenosClick);
    connect(cmbZoom, &QComboBox::currentIndexChanged, this, &TformVistaPreliminar::cmbZoomChange);
    connect(btnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    setWindowState(windowState() | Qt::WindowMaximized);
}

TformVistaPreliminar::~TformVistaPreliminar()
{
    // The layer unbinds itself from the control; the control must still be alive then.
    gmpHojas->OnNewPage = nullptr;
    m_impresion.reset();
}

void TformVistaPreliminar::gmpHojasNewPage()
{
    Impresion->NuevaHojaVista();
}

void TformVistaPreliminar::ajustarAPantalla()
{
    const QScreen *pantalla = screen();
    if (!pantalla)
        return;
    // The page at 100 % with the gap the control leaves around it, the scroll bars and the
    // button bar; the window frame is not part of the size.
    const int ppp = PgScreenPixelsPerInch();
    const int holgura = 60;
    const QSize deseado(int(gmpHojas->GetPageWidth().GetAsPixels(ppp)) + holgura,
                        int(gmpHojas->GetPageHeight().GetAsPixels(ppp)) + holgura + 33);
    const QRect disponible = pantalla->availableGeometry();
    const QSize marco = frameGeometry().size() - size();
    const QSize tamano = deseado.boundedTo(disponible.size() - marco - QSize(16, 16)).expandedTo(size());
    resize(tamano);
    move(disponible.center() - QPoint(tamano.width() + marco.width(), tamano.height() + marco.height()) / 2);
}

void TformVistaPreliminar::showEvent(QShowEvent *e)
{
    if (!m_ajustada) {
        m_ajustada = true;
        ajustarAPantalla();
    }
    FormShow();
    QDialog::showEvent(e);
}

void TformVistaPreliminar::FormShow()
{
    const int actual = gmpHojas->CurrentPage();
    const int total = gmpHojas->GetNumPages();
    edtActual->setText(QString::number(actual));
    edtTotal->setText(QString::number(total));
    spbPrim->setEnabled(actual > 1);
    spbAnte->setEnabled(actual > 1);
    spbSgte->setEnabled(actual < total);
    spbUlti->setEnabled(actual < total);
}

void TformVistaPreliminar::spbPrimClick()
{
    gmpHojas->FirstPage();
    FormShow();
}

void TformVistaPreliminar::spbAnteClick()
{
    gmpHojas->PriorPage();
    FormShow();
}

void TformVistaPreliminar::spbSgteClick()
{
    gmpHojas->NextPage();
    FormShow();
}

void TformVistaPreliminar::spbUltiClick()
{
    gmpHojas->LastPage();
    FormShow();
}

void TformVistaPreliminar::cmbZoomChange()
{
    gmpHojas->SetZoom(cmbZoom->currentText().trimmed().toInt());
}

void TformVistaPreliminar::ajustarBotonesZoom()
{
    spbZoomMas->setEnabled(cmbZoom->currentIndex() < cmbZoom->count() - 1);
    spbZoomMenos->setEnabled(cmbZoom->currentIndex() > 0);
    cmbZoomChange();
}

void TformVistaPreliminar::spbZoomMasClick()
{
    if (cmbZoom->currentIndex() < cmbZoom->count() - 1)
        cmbZoom->setCurrentIndex(cmbZoom->currentIndex() + 1);
    ajustarBotonesZoom();
}

void TformVistaPreliminar::spbZoomMenosClick()
{
    if (cmbZoom->currentIndex() > 0)
        cmbZoom->setCurrentIndex(cmbZoom->currentIndex() - 1);
    ajustarBotonesZoom();
}
