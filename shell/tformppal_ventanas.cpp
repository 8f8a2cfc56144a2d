// Window management and clipboard commands of the main window.
#include "tformppal.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

// The widget that takes the clipboard command: spin boxes and editable combo boxes
// delegate to their line edit.
QWidget *destinoPortapapeles(QWidget *foco)
{
    if (auto *combo = qobject_cast<QComboBox *>(foco); combo && combo->lineEdit())
        return combo->lineEdit();
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(foco))
        return spin->findChild<QLineEdit *>();
    return foco;
}

} // namespace

void TformPpal::mosaico(Qt::Orientation orientacion)
{
    QList<QMdiSubWindow *> ventanas;
    for (QMdiSubWindow *w : mdiArea->subWindowList(QMdiArea::StackingOrder)) {
        if (!w->isMinimized() && w->isVisible())
            ventanas << w;
    }
    if (ventanas.isEmpty())
        return;
    const QRect area = mdiArea->viewport()->rect();
    const int n = int(ventanas.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = ventanas[i];
        if (w->isMaximized())
            w->showNormal();
        if (orientacion == Qt::Horizontal) {
            // One below the other, each as wide as the area.
            const int alto = area.height() / n;
            w->setGeometry(0, i * alto, area.width(), i == n - 1 ? area.height() - i * alto : alto);
        } else {
            const int ancho = area.width() / n;
            w->setGeometry(i * ancho, 0, i == n - 1 ? area.width() - i * ancho : ancho, area.height());
        }
    }
}

void TformPpal::enviarPortapapeles(const char *operacion)
{
    QMdiSubWindow *activa = mdiArea->currentSubWindow();
    QWidget *foco = QApplication::focusWidget();
    if (!activa || !foco || !activa->isAncestorOf(foco))
        return;
    // Whatever editor has the focus does its own cut, copy or paste, if it has one.
    QWidget *destino = destinoPortapapeles(foco);
    if (destino && destino->metaObject()->indexOfMethod(QByteArray(operacion) + "()") >= 0)
        QMetaObject::invokeMethod(destino, operacion, Qt::DirectConnection);
}

void TformPpal::actualizarMenuVentana()
{
    mnuVentana->clear();
    mnuVentana->addActions({ventCascada, ventMosaHorizontal, ventMosaVertical});
    const QList<QMdiSubWindow *> ventanas = mdiArea->subWindowList();
    if (ventanas.isEmpty())
        return;
    mnuVentana->addSeparator();
    int numero = 0;
    for (QMdiSubWindow *w : ventanas) {
        QAction *accion = mnuVentana->addAction(QStringLiteral("&%1 %2").arg(++numero).arg(w->windowTitle()));
        accion->setCheckable(true);
        accion->setChecked(w == mdiArea->currentSubWindow());
        connect(accion, &QAction::triggered, this, [this, w] { mdiArea->setActiveSubWindow(w); });
    }
}
