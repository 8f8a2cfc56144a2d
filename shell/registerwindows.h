#pragma once
// Register windows (properties, persons, consultants) opened by class name. The window
// class has a QString property DirAplicacion and Q_INVOKABLE operations MostrarModal()
// (shows itself modally and releases itself) and int MostrarModalSeleccion().
#include <QString>

class QWidget;

// Shows the register window of class `className` for editing; the window releases itself.
// Nothing happens when the class is not registered.
void MostrarModal(const QString &className, const QString &dirAplicacion, QWidget *owner);

// Shows the register window of class `className` for choosing a row and returns the
// chosen key, 0 for none or when the class is not registered.
int MostrarModalSeleccion(const QString &className, const QString &dirAplicacion, QWidget *owner);
