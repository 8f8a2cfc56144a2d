#include "focoretorno.h"

#include <QApplication>
#include <QWidget>

void DevolverFoco(QWidget *destino)
{
    if (!destino || QApplication::activeModalWidget())
        return;
    QWidget *ventana = destino->window();
    QWidget *activa = QApplication::activeWindow();
    if (activa && activa != ventana)
        return;
    if (!activa)
        ventana->activateWindow();
    destino->setFocus(Qt::OtherFocusReason);
}
