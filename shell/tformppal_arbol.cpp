// The navigation panel of the main window: the section tree, its panel and splitter, and
// the form windows' notifications.
#include "tformppal.h"

#include "iconos.h"
#include "tcustommdichild.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRegularExpression>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kAnchoPanel = 181;

// Pre-order position of an item among all items of the tree.
int indiceAbsoluto(QTreeWidget *arbol, QTreeWidgetItem *buscado)
{
    int indice = 0;
    for (QTreeWidgetItemIterator it(arbol); *it; ++it, ++indice) {
        if (*it == buscado)
            return indice;
    }
    return -1;
}

QTreeWidgetItem *nodoAbsoluto(QTreeWidget *arbol, int indice)
{
    QTreeWidgetItemIterator it(arbol);
    for (int i = 0; *it && i < indice; ++i)
        ++it;
    return *it;
}

int cantidadNodos(QTreeWidget *arbol)
{
    int n = 0;
    for (QTreeWidgetItemIterator it(arbol); *it; ++it)
        ++n;
    return n;
}

} // namespace

void TformPpal::crearPanelArbol()
{
    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *columna = new QVBoxLayout(Panel1);
    columna->setContentsMargins(2, 2, 0, 2);
    columna->setSpacing(2);

    auto *cabecera = new QHBoxLayout;
    cabecera->setSpacing(2);
    lblSecciones = new QLabel(QStringLiteral("Secciones de Formularios:"));
    lblSecciones->setObjectName(QStringLiteral("lblSecciones"));
    lblSecciones->installEventFilter(this);
    spbContraer = new QToolButton;
    spbContraer->setObjectName(QStringLiteral("spbContraer"));
    spbContraer->setIcon(iconoDe(Icono::Contraer));
    spbContraer->setAutoRaise(true);
    spbContraer->setFixedSize(18, 18);
    spbExpandir = new QToolButton;
    spbExpandir->setObjectName(QStringLiteral("spbExpandir"));
    spbExpandir->setIcon(iconoDe(Icono::Expandir));
    spbExpandir->setAutoRaise(true);
    spbExpandir->setFixedSize(18, 18);
    spbExpandir->hide();
    cabecera->addWidget(lblSecciones, 1);
    cabecera->addWidget(spbContraer);
    cabecera->addWidget(spbExpandir);
    columna->addLayout(cabecera);

    trvArbol = new QTreeWidget;
    trvArbol->setObjectName(QStringLiteral("trvArbol"));
    trvArbol->setHeaderHidden(true);
    trvArbol->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trvArbol->setMouseTracking(true); // hot tracking
    trvArbol->setSelectionMode(QAbstractItemView::SingleSelection);
    trvArbol->header()->setStretchLastSection(true);
    columna->addWidget(trvArbol, 1);

    mdiArea = new QMdiArea;
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    sptHorizontal = new QSplitter(Qt::Horizontal);
    sptHorizontal->setObjectName(QStringLiteral("sptHorizontal"));
    sptHorizontal->setChildrenCollapsible(false);
    sptHorizontal->addWidget(Panel1);
    sptHorizontal->addWidget(mdiArea);
    sptHorizontal->setStretchFactor(1, 1);
    sptHorizontal->setSizes({kAnchoPanel, 783 - kAnchoPanel});
    Panel1->setMinimumWidth(spbExpandir->width() + 2);
    setCentralWidget(sptHorizontal);

    connect(spbContraer, &QToolButton::clicked, this, &TformPpal::Contraer);
    connect(spbExpandir, &QToolButton::clicked, this, &TformPpal::Expandir);
    connect(sptHorizontal, &QSplitter::splitterMoved, this, &TformPpal::ajustarBotonesPanel);
    // The page follows the tree 100 ms after the selection settles, so that walking the
    // tree with the keyboard does not switch pages at every step.
    m_retardoArbol = new QTimer(this);
    m_retardoArbol->setSingleShot(true);
    m_retardoArbol->setInterval(100);
    connect(m_retardoArbol, &QTimer::timeout, this, [this] { trvArbolChange(trvArbol->currentItem()); });
    connect(trvArbol, &QTreeWidget::currentItemChanged, this, [this] {
        if (!m_cambiandoArbol)
            m_retardoArbol->start();
    });
}

bool TformPpal::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == lblSecciones && e->type() == QEvent::MouseButtonDblClick) {
        Contraer();
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void TformPpal::Contraer()
{
    const int ancho = spbExpandir->width() + 2;
    sptHorizontal->setSizes({ancho, sptHorizontal->width() - ancho});
    spbContraer->hide();
    spbExpandir->show();
}

void TformPpal::Expandir()
{
    const int ancho = centralWidget()->width() / 5;
    sptHorizontal->setSizes({ancho, sptHorizontal->width() - ancho});
    spbExpandir->hide();
    spbContraer->show();
}

void TformPpal::ajustarBotonesPanel()
{
    const int ancho = sptHorizontal->sizes().value(0);
    const bool ancha = ancho > spbExpandir->width() + 2;
    spbContraer->setVisible(ancha);
    spbExpandir->setVisible(!ancha);
}

void TformPpal::CargarArbol(const QString &texto)
{
    m_cambiandoArbol = true;
    trvArbol->clear();
    QList<QTreeWidgetItem *> padres; // the last item of each level
    const QStringList lineas = texto.split(QRegularExpression(QStringLiteral("\r\n|\n")));
    for (const QString &linea : lineas) {
        if (linea.trimmed().isEmpty())
            continue;
        int nivel = 0;
        while (nivel < linea.size() && linea.at(nivel) == QLatin1Char('\t'))
            ++nivel;
        nivel = qMin(nivel, int(padres.size()));
        auto *item = nivel == 0 ? new QTreeWidgetItem(trvArbol) : new QTreeWidgetItem(padres.at(nivel - 1));
        item->setText(0, linea.mid(nivel));
        padres.resize(nivel);
        padres << item;
    }
    trvArbol->expandAll();
    trvArbol->setCurrentItem(nullptr);
    m_retardoArbol->stop();
    m_cambiandoArbol = false;
    ensancharArbol();
}

void TformPpal::ensancharArbol()
{
    // The panel widens to show its entries whole, up to two fifths of the window; a panel
    // the consultant collapsed stays collapsed.
    const QList<int> anchos = sptHorizontal->sizes();
    const int actual = anchos.value(0);
    if (!trvArbol->isVisible() || anchos.size() < 2 || actual <= spbExpandir->width() + 2)
        return;
    const int alrededor = actual - trvArbol->viewport()->width();
    const int necesario = static_cast<const QAbstractItemView *>(trvArbol)->sizeHintForColumn(0) + alrededor + 4;
    const int total = anchos.value(0) + anchos.value(1);
    const int ancho = std::min(necesario, total * 2 / 5);
    if (ancho > actual)
        sptHorizontal->setSizes({ancho, total - ancho});
}

void TformPpal::trvArbolChange(QTreeWidgetItem *actual)
{
    if (m_cambiandoArbol || !actual || !documentoAbierto())
        return;
    // A section heading leads to its first page.
    if (actual->childCount() > 0) {
        m_cambiandoArbol = true;
        trvArbol->setCurrentItem(actual->child(0));
        m_cambiandoArbol = false;
        actual = actual->child(0);
    }
    const int indice = indiceAbsoluto(trvArbol, actual);
    TCustomMDIChild *formulario = IndicesArbol.ObtenerFormulario(indice);
    if (!formulario)
        return;
    // Activating the form would select its current page in the tree: the page the user
    // chose must win, so that notification is held back while the form comes forward.
    m_navegando = true;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(formulario->parentWidget()))
        mdiArea->setActiveSubWindow(sub);
    formulario->CambiarHoja(IndicesArbol.ObtenerIndiceRelativo(indice));
    m_ultimoFormularioActivo = formulario;
    m_navegando = false;
    QCoreApplication::processEvents();
}

void TformPpal::formActivated(QWidget *form)
{
    if (!m_navegando)
        RefrescarArbolNavegacion(qobject_cast<TCustomMDIChild *>(form));
}

void TformPpal::formClosed(QWidget *form)
{
    Q_UNUSED(form);
    LimpiarArbolNavegacion();
}

void TformPpal::RefrescarArbolNavegacion(TCustomMDIChild *formulario)
{
    // The form announcing itself is the one becoming active; the MDI area may not have
    // switched yet.
    if (!formulario) {
        QMdiSubWindow *activa = mdiArea->currentSubWindow();
        formulario = activa ? qobject_cast<TCustomMDIChild *>(activa->widget()) : nullptr;
    }
    if (!formulario)
        return;
    const int nodos = cantidadNodos(trvArbol);
    m_cambiandoArbol = true;
    for (int i = 0; i < IndicesArbol.Cantidad() && i < nodos; ++i) {
        if (IndicesArbol.ObtenerFormulario(i) == formulario && IndicesArbol.ObtenerIndiceRelativo(i) == formulario->HojaActual)
            trvArbol->setCurrentItem(nodoAbsoluto(trvArbol, i));
    }
    m_cambiandoArbol = false;
    m_ultimoFormularioActivo = formulario;
}

void TformPpal::LimpiarArbolNavegacion()
{
    CargarArbol(QString());
    // The entries point at the closing forms; none may outlive them.
    IndicesArbol.Limpiar();
}
