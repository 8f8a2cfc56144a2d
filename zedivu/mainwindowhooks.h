#pragma once
// What a form window tells the main window, synchronously, without this library knowing
// the main window: the shell implements the interface and installs it at start-up.
class QWidget;

class MainWindowHooks
{
public:
    virtual ~MainWindowHooks() = default;

    // A form was activated, or one of its fields failed validation and is shown:
    // the main window selects that form's current page in the navigation tree.
    virtual void formActivated(QWidget *form) = 0;
    // A form is closing: the main window empties the navigation tree.
    virtual void formClosed(QWidget *form) = 0;

    // The installed hooks, or null when no main window is installed (tests, start-up).
    // The installer keeps ownership and uninstalls (install(nullptr)) before it dies.
    static MainWindowHooks *instance();
    static void install(MainWindowHooks *hooks);

    // Convenience for the forms: forward to the installed hooks, if any.
    static void notifyFormActivated(QWidget *form);
    static void notifyFormClosed(QWidget *form);
};
