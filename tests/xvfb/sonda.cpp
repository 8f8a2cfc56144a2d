// Test-only probe of the person-like runs: loaded into the program with LD_PRELOAD under
// Xvfb, it tells a run where a control is on the screen, found by its window's title and
// its object name, its button text or its list item text, so that the runs click controls
// by name and never by pixel positions that depend on fonts and layout. The run still
// clicks and types through the X server as a person does.
//
// The run writes a request file "pedido" in the folder named by BRENVIK_SONDA; the probe
// answers in "respuesta". Requests, one field a line:
//   window title prefix, control [, row, column title [, boton]]
//       "x y" (screen coordinates): the control is first brought into view, scrolling
//       every area that holds it, and the point is answered only when it is on the screen
//       and the control is what a click there reaches; else "no" and why.
//   foco, window title prefix, control [, row, column title]
//       "si" when that control (that cell) has the keyboard, else "no" and who has it.
//   texto, window title prefix
//       the window's message (a message box's text, else its labels' texts), or "no";
//       an empty prefix names the message box that holds the program, titled or not.
//   foto, file
//       saves the screen there as PNG (for runs without ImageMagick's import): "0 0" or "no".
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

namespace {

// A point to click, or why there is none.
struct Punto {
    QPoint p;
    QString no;
};

Punto falta(const QString &porque)
{
    return {QPoint(), porque};
}

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
    // "": the message box on screen, which may have no title.
    if (titulo.isEmpty()) {
        for (auto it = ventanas.crbegin(); it != ventanas.crend(); ++it) {
            if ((*it)->isVisible() && qobject_cast<QMessageBox *>(*it))
                return *it;
        }
        return nullptr;
    }
    // The dialog that holds the program first.
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal->isVisible() && modal->windowTitle().startsWith(titulo))
        return modal;
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

QString nombreDe(const QWidget *w)
{
    if (!w)
        return QStringLiteral("nobody");
    QString n = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (!p->objectName().isEmpty() && !p->objectName().startsWith(QLatin1String("qt_"))) {
            n += QStringLiteral(" in ") + p->objectName();
            break;
        }
    }
    return n + QStringLiteral(" of window '") + w->window()->windowTitle() + QLatin1Char('\'');
}

// Scrolls every area that holds `w` (a document page in the document area, a page in a
// scroll area) until `r` (in w's coordinates) is in its viewport, innermost first. Item
// views are left to their own scrollTo.
void traerAVista(QWidget *w, const QRect &r)
{
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        auto *area = qobject_cast<QAbstractScrollArea *>(p);
        if (!area || qobject_cast<QAbstractItemView *>(p) || !area->viewport()->isAncestorOf(w))
            continue;
        const QRect visible = area->viewport()->rect();
        const QRect enVista(w->mapTo(area->viewport(), r.topLeft()), r.size());
        const auto desplazar = [](QScrollBar *barra, int desde, int hasta, int min, int max) {
            int d = 0;
            if (hasta > max)
                d = hasta - max;
            if (desde - d < min)
                d = desde - min;
            if (d != 0)
                barra->setValue(barra->value() + d);
        };
        desplazar(area->horizontalScrollBar(), enVista.left(), enVista.right(), visible.left(), visible.right());
        desplazar(area->verticalScrollBar(), enVista.top(), enVista.bottom(), visible.top(), visible.bottom());
    }
}

// The screen point of `local` in `w`, when it is on the screen and a click there reaches
// `blanco` (the control, or the view's viewport for an item).
Punto alcanzable(QWidget *w, const QPoint &local, QWidget *blanco)
{
    const QPoint p = w->mapToGlobal(local);
    const QScreen *pantalla = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!pantalla || !pantalla->geometry().contains(p))
        return falta(QStringLiteral("off the screen at %1 %2").arg(p.x()).arg(p.y()));
    QWidget *tocado = QApplication::widgetAt(p);
    if (tocado != blanco && !blanco->isAncestorOf(tocado))
        return falta(QStringLiteral("covered at %1 %2 by %3").arg(p.x()).arg(p.y()).arg(nombreDe(tocado)));
    return {p, QString()};
}

// The widget itself: brought into view, its centre (or the centre of what of it shows).
Punto widget(QWidget *w)
{
    traerAVista(w, w->rect());
    QRect r = w->rect();
    for (QWidget *p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        r &= QRect(w->mapFrom(p, QPoint(0, 0)), p->size());
    if (r.isEmpty())
        return falta(QStringLiteral("%1 is hidden by its containers").arg(nombreDe(w)));
    return alcanzable(w, r.center(), w);
}

// Item `i` of view `v`, scrolled to and brought into view; `boton`: near its right end.
Punto item(QAbstractItemView *v, const QRect &rect, bool boton)
{
    traerAVista(v->viewport(), rect);
    const QRect r = rect & v->viewport()->rect();
    if (r.isEmpty())
        return falta(QStringLiteral("the item is outside %1").arg(nombreDe(v)));
    return alcanzable(v->viewport(), boton ? QPoint(r.right() - 4, r.center().y()) : r.center(), v->viewport());
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

// The visible table of grid `grilla` with a column titled `columna`, and that column.
QTableView *tablaDe(QWidget *raiz, const QString &grilla, const QString &columna, int &c)
{
    for (QWidget *g : raiz->findChildren<QWidget *>(grilla)) {
        for (QTableView *v : g->findChildren<QTableView *>()) {
            if (v->isVisible() && v->model() && (c = columnaTitulada(v, columna)) >= 0)
                return v;
        }
    }
    return nullptr;
}

// A cell of the grid `grilla`: its row, and its column by title (columnaTitulada); the
// point is near the cell's right end when `boton` (where a column's "..." button is drawn).
Punto celda(QWidget *raiz, const QString &grilla, int fila, const QString &columna, bool boton)
{
    int c = -1;
    QTableView *v = tablaDe(raiz, grilla, columna, c);
    if (!v)
        return falta(QStringLiteral("no grid %1 with a column '%2'").arg(grilla, columna));
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
        return falta(QStringLiteral("row %1 of column '%2' of %3 is not shown").arg(fila).arg(columna, grilla));
    return item(v, r, boton);
}

// The visible widgets of window `raiz` named `nombre`: by object name, then by button text.
QList<QWidget *> controles(QWidget *raiz, const QString &nombre)
{
    QList<QWidget *> hallados;
    for (QWidget *w : raiz->findChildren<QWidget *>(nombre)) {
        if (w->isVisible())
            hallados.append(w);
    }
    if (hallados.isEmpty()) {
        for (QAbstractButton *b : raiz->findChildren<QAbstractButton *>()) {
            if (b->isVisible() && sinAtajo(b->text()) == nombre)
                hallados.append(b);
        }
    }
    return hallados;
}

Punto control(QWidget *raiz, const QString &nombre)
{
    if (auto *menu = qobject_cast<QMenu *>(raiz)) {
        for (QAction *a : menu->actions()) {
            if (a->objectName() == nombre || sinAtajo(a->text()) == nombre)
                return alcanzable(menu, menu->actionGeometry(a).center(), menu);
        }
        return falta(QStringLiteral("no entry '%1' in the menu").arg(nombre));
    }
    Punto p = falta(QStringLiteral("no control '%1'").arg(nombre));
    for (QWidget *w : controles(raiz, nombre)) {
        if ((p = widget(w)).no.isEmpty())
            return p;
    }
    if (!p.no.startsWith(QLatin1String("no control")))
        return p;
    for (QAbstractItemView *v : raiz->findChildren<QAbstractItemView *>()) {
        if (!v->isVisible() || !v->model() || v->model()->rowCount() == 0)
            continue;
        const QModelIndexList m = v->model()->match(v->model()->index(0, 0), Qt::DisplayRole, nombre, 1,
                                                    Qt::MatchFixedString | Qt::MatchRecursive);
        if (m.isEmpty())
            continue;
        v->scrollTo(m.first());
        return item(v, v->visualRect(m.first()), false);
    }
    return p;
}

// Whether `f` is `w` or inside it, counting the lists a cell's editor drops down (windows
// of their own).
bool dentroDe(const QWidget *f, const QWidget *w)
{
    for (; f; f = f->parentWidget()) {
        if (f == w)
            return true;
    }
    return false;
}

// "si" when the control named by `pedido` (window, control [, row, column]) has the
// keyboard, else "no" and who has it.
QString foco(const QStringList &pedido)
{
    QWidget *f = QApplication::focusWidget();
    QWidget *raiz = ventana(pedido.value(0));
    if (!raiz)
        return QStringLiteral("no window '%1'; the keyboard is in %2").arg(pedido.value(0), nombreDe(f));
    if (!f)
        return QStringLiteral("no: nobody has the keyboard");
    if (!pedido.value(2).isEmpty()) {
        int c = -1;
        QTableView *v = tablaDe(raiz, pedido.value(1), pedido.value(3), c);
        if (v && dentroDe(f, v)) {
            const QModelIndex i = v->currentIndex();
            const int fila = pedido.value(2).toInt();
            if (i.row() == fila && i.column() == c)
                return QStringLiteral("si");
            // A row still to be typed: the grid makes it with the first key.
            if (fila >= v->model()->rowCount() && (!i.isValid() || i.column() == c))
                return QStringLiteral("si");
            return QStringLiteral("no: the keyboard is in row %1, column '%2' of %3")
                .arg(i.row())
                .arg(piezasUnidas(v->model()->headerData(i.column(), Qt::Horizontal).toString()), pedido.value(1));
        }
        return QStringLiteral("no: the keyboard is in ") + nombreDe(f);
    }
    for (QWidget *w : controles(raiz, pedido.value(1))) {
        if (dentroDe(f, w) || w->focusProxy() == f)
            return QStringLiteral("si");
    }
    return QStringLiteral("no: the keyboard is in ") + nombreDe(f);
}

// The message window `titulo` shows.
QString texto(const QString &titulo)
{
    QWidget *raiz = ventana(titulo);
    if (!raiz)
        return QStringLiteral("no");
    if (auto *caja = qobject_cast<QMessageBox *>(raiz))
        return caja->text();
    if (titulo.isEmpty())
        return QStringLiteral("no");
    QStringList textos;
    for (QLabel *l : raiz->findChildren<QLabel *>()) {
        if (l->isVisible() && !l->text().isEmpty())
            textos.append(l->text());
    }
    return textos.join(QLatin1Char('\n'));
}

QString responderA(const QStringList &lineas)
{
    const QString que = lineas.value(0);
    if (que == QLatin1String("foto")) {
        QScreen *pantalla = QGuiApplication::primaryScreen();
        return pantalla && pantalla->grabWindow(0).save(lineas.value(1)) ? QStringLiteral("0 0") : QStringLiteral("no");
    }
    if (que == QLatin1String("foco"))
        return foco(lineas.mid(1));
    if (que == QLatin1String("texto"))
        return texto(lineas.value(1));
    QWidget *raiz = ventana(que);
    if (!raiz)
        return QStringLiteral("no window '%1'").arg(que);
    const Punto p = lineas.size() >= 4 && !lineas.value(3).isEmpty()
                        ? celda(raiz, lineas.value(1), lineas.value(2).toInt(), lineas.value(3),
                                lineas.value(4) == QLatin1String("boton"))
                        : control(raiz, lineas.value(1));
    if (!p.no.isEmpty())
        return QStringLiteral("no ") + p.no;
    return QStringLiteral("%1 %2").arg(p.p.x()).arg(p.p.y());
}

void responder(const QString &carpeta)
{
    QFile pedido(carpeta + QStringLiteral("/pedido"));
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()) || !pedido.open(QIODevice::ReadOnly))
        return;
    QStringList lineas = QString::fromUtf8(pedido.readAll()).split(QLatin1Char('\n'));
    pedido.close();
    pedido.remove();
    if (!lineas.isEmpty() && lineas.last().isEmpty())
        lineas.removeLast();
    QFile respuesta(carpeta + QStringLiteral("/respuesta.tmp"));
    if (!respuesta.open(QIODevice::WriteOnly))
        return;
    respuesta.write(responderA(lineas).toUtf8());
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
