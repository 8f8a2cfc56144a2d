#pragma once
// The program's start-up and run: the main window and its dialogs, created in order.
#include <QString>

class QApplication;

// Creates the main window (hidden), the new-document dialog, the about box and the
// open-document dialog, shows the main window and runs the event loop. Returns the exit
// code; a failed start-up returns 1 without showing anything. `dirAplicacion` is the
// program directory (empty: the executable's).
int EjecutarBrenvik(QApplication &app, const QString &dirAplicacion = QString());
