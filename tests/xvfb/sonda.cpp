// Test-only probe of the person-like runs: loaded into the program with LD_PRELOAD under
// Xvfb, it tells a run where a control is on the screen, found by its window's title and
// its object name, its button text or its list item text, so that the runs click controls
// by name and never by pixel positions that depend on fonts and layout. The run still
// clicks and types through the X server as a person does.
//
// The run writes a request file "pedido" in the folder named by BRENVIK_SONDA (lines:
// window title prefix, control, and for a grid cell its row and column title); the probe
// answers in "respuesta" with "x y" (screen coordinates) or "no". A request "foto" with a
// file name saves the screen there as PNG (for runs without ImageMagick's import) and
// answers "0 0", or "no" when it could not.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTableView>
#include <QTimer>

#include <optional>

namespace {

QWidget *ventana(const QString &titulo)
{
    const QList<QWidget *> ventanas = QApplication::topLevelWidgets();
    // "menu": the menu open on screen.
    if (titulo == QLatin1String("menu")) {
        for (QWidget *w : ventanas) {
            if (w->isVisible() && qobject_cast<QMenu *>(w))
                return w;
        }
        return nullptr;
    }
    for (auto it = ventanas.crbegin(); it != ventanas.crend(); ++it) {
        if ((*it)->isVisible() && (*it)->windowTitle().startsWith(titulo))
            return *it;
    }
    return nullptr;
}

QString sinAtajo(QString texto)
{
    return texto.remove(QLatin1Char('&')).trimmed();
}

QPoint centro(QWidget *w)
{
    return w->mapToGlobal(w->rect().center());
}

// A column title as a run names it: its pieces (the header levels split by "|"), each
// with blanks for line breaks and no blanks at its ends, joined by "|".
QString piezasUnidas(const QString &titulo)
{
    QStringList piezas = titulo.split(QLatin1Char('|'));
    for (QString &p : piezas)
        p = p.simplified();
    return piezas.join(QLatin1Char('|'));
}

// The column of view `v` titled `columna`: the whole title with blanks for line breaks
// first, then its pieces joined by "|"; -1 when none.
int columnaTitulada(const QTableView *v, const QString &columna)
{
    for (const bool porPiezas : {false, true}) {
        for (int c = 0; c < v->model()->columnCount(); ++c) {
            const QString titulo = v->model()->headerData(c, Qt::Horizontal).toString();
            if ((porPiezas ? piezasUnidas(titulo) : titulo.simplified()) == columna)
                return c;
        }
    }
    return -1;
}

// A cell of the grid `grilla`: its row, and its column by title (columnaTitulada); the
// point is near the cell's right end when `boton` (where a column's "..." button is drawn).
std::optional<QPoint> celda(QWidget *raiz, const QString &grilla, int fila, const QString &columna, bool boton)
{
    for (QWidget *g : raiz->findChildren<QWidget *>(grilla)) {
        for (QTableView *v : g->findChildren<QTableView *>()) {
            if (!v->isVisible() || !v->model())
                continue;
            if (const int c = columnaTitulada(v, columna); c >= 0) {
                const QModelIndex i = v->model()->index(fila, c);
                QRect r;
                if (i.isValid()) {
                    v->scrollTo(i);
                    r = v->visualRect(i);
                } else {
                    // A row still to be typed: where it will be, below the last one.
                    const int filas = v->model()->rowCount();
                    const int y = filas == 0 ? 0 : v->rowViewportPosition(filas - 1) + v->rowHeight(filas - 1);
                    r = QRect(v->columnViewportPosition(c), y, v->columnWidth(c), v->verticalHeader()->defaultSectionSize());
                }
                if (r.isEmpty())
                    return std::nullopt;
                return v->viewport()->mapToGlobal(boton ? QPoint(r.right() - 4, r.center().y()) : r.center());
            }
        }
    }
    return std::nullopt;
}

std::optional<QPoint> control(QWidget *raiz, const QString &nombre)
{
    if (auto *menu = qobject_cast<QMenu *>(raiz)) {
        for (QAction *a : menu->actions()) {
            if (a->objectName() == nombre || sinAtajo(a->text()) == nombre)
                return menu->mapToGlobal(menu->actionGeometry(a).center());
        }
        return std::nullopt;
    }
    for (QWidget *w : raiz->findChildren<QWidget *>(nombre)) {
        if (w->isVisible())
            return centro(w);
    }
    for (QAbstractButton *b : raiz->findChildren<QAbstractButton *>()) {
        if (b->isVisible() && sinAtajo(b->text()) == nombre)
            return centro(b);
    }
    for (QAbstractItemView *v : raiz->findChildren<QAbstractItemView *>()) {
        if (!v->isVisible() || !v->model() || v->model()->rowCount() == 0)
            continue;
        const QModelIndexList m = v->model()->match(v->model()->index(0, 0), Qt::DisplayRole, nombre, 1,
                                                    Qt::MatchFixedString | Qt::MatchRecursive);
        if (m.isEmpty())
            continue;
        v->scrollTo(m.first());
        const QRect r = v->visualRect(m.first());
        if (!r.isEmpty())
            return v->viewport()->mapToGlobal(r.center());
    }
    return std::nullopt;
}

void responder(const QString &carpeta)
{
    QFile pedido(carpeta + QStringLiteral("/pedido"));
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()) || !pedido.open(QIODevice::ReadOnly))
        return;
    const QStringList lineas = QString::fromUtf8(pedido.readAll()).split(QLatin1Char('\n'));
    pedido.close();
    pedido.remove();
    std::optional<QPoint> punto;
    if (lineas.value(0) == QLatin1String("foto")) {
        if (QScreen *pantalla = QGuiApplication::primaryScreen(); pantalla && pantalla->grabWindow(0).save(lineas.value(1)))
            punto = QPoint(0, 0);
    } else if (QWidget *raiz = ventana(lineas.value(0))) {
        if (lineas.size() >= 4 && !lineas.value(3).isEmpty())
            punto = celda(raiz, lineas.value(1), lineas.value(2).toInt(), lineas.value(3), lineas.value(4) == QLatin1String("boton"));
        else
            punto = control(raiz, lineas.value(1));
    }
    QFile respuesta(carpeta + QStringLiteral("/respuesta.tmp"));
    if (!respuesta.open(QIODevice::WriteOnly))
        return;
    respuesta.write(punto ? QByteArray::number(punto->x()) + ' ' + QByteArray::number(punto->y()) : QByteArray("no"));
    respuesta.close();
    QFile::remove(carpeta + QStringLiteral("/respuesta"));
    respuesta.rename(carpeta + QStringLiteral("/respuesta"));
}

void iniciar()
{
    const QString carpeta = qEnvironmentVariable("BRENVIK_SONDA");
    if (carpeta.isEmpty())
        return;
    auto *reloj = new QTimer(QCoreApplication::instance());
    QObject::connect(reloj, &QTimer::timeout, [carpeta] { responder(carpeta); });
    reloj->start(50);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(iniciar)
