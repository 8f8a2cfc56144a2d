#include "teclaprevista.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

QKeyEvent *TeclaPrevista(QWidget *ventana, QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return nullptr;
    auto *receptor = qobject_cast<QWidget *>(watched);
    if (!receptor || (receptor != ventana && !ventana->isAncestorOf(receptor)))
        return nullptr;
    // A key the focused control ignored travels up to its parents: it was seen already.
    QWidget *foco = QApplication::focusWidget();
    if (foco && foco != receptor && (foco == ventana || ventana->isAncestorOf(foco)))
        return nullptr;
    return static_cast<QKeyEvent *>(event);
}
