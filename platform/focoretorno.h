#pragma once
class QWidget;

// Gives the keyboard back to `destino` after a modal window it opened has closed. A modal
// window closing does not hand the activation back to its parent under every window system
// (X without a window manager leaves no window active), and keys would go nowhere until the
// user clicked. A modal still open, or another window the handler left active, keeps it.
void DevolverFoco(QWidget *destino);
