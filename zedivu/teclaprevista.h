#pragma once
// Key preview shared by form and register windows: a window that filters the whole
// application's events acts only on key presses aimed at one of its own controls.
class QEvent;
class QKeyEvent;
class QObject;
class QWidget;

// The key press `event` sent to `watched` when it is meant for `ventana` or a control inside
// it and has not been seen already on its way up from the focused control; otherwise null.
QKeyEvent *TeclaPrevista(QWidget *ventana, QObject *watched, QEvent *event);
