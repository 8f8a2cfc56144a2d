#pragma once
// Register windows (properties, persons, consultants) opened by class name.
#include <QString>

class QWidget;

// Shows the register window of class `className` for editing; the window releases itself.
// Nothing happens when the class is not registered.
void MostrarModal(const QString &className, const QString &dirAplicacion, QWidget *owner);

// Shows the register window of class `className` for choosing a row and returns the
// chosen key, 0 for none or when the class is not registered.
int MostrarModalSeleccion(const QString &className, const QString &dirAplicacion, QWidget *owner);
