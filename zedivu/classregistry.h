#pragma once
// Window classes by registered name, looked up without regard to case. A plug-in
// registers its window class when the library is loaded (through a static
// ClassRegistrar, usually by BRENVIK_REGISTER_WINDOW) and unregisters it when unloaded;
// the shell and the forms create windows by that name ("TFormKELU", "TFormPredios").
// One registry serves the whole process; it lives in this library.
#include <QString>
#include <QStringList>

class QWidget;

// Creates a window of a registered class; `owner` becomes its parent (may be null).
using WindowFactory = QWidget *(*)(QWidget *owner);

class ClassRegistry
{
public:
    static ClassRegistry &instance();

    // Adds `name`. A name already registered (in any case) keeps its first factory and
    // the call returns false.
    bool registerClass(const QString &name, WindowFactory factory);
    // Removes `name` when it is registered with this very factory, so that a library
    // unloading late cannot remove what another library registered under the same name.
    void unregisterClass(const QString &name, WindowFactory factory);
    // Removes `name` whatever its factory (the loader drops a library's classes this way).
    void unregisterClass(const QString &name);

    bool isRegistered(const QString &name) const;
    // Null when `name` is not registered.
    WindowFactory factory(const QString &name) const;
    // A new window of class `name` owned by `owner`; null when `name` is not registered.
    QWidget *create(const QString &name, QWidget *owner) const;
    // Registered names as they were registered, in no particular order.
    QStringList names() const;

private:
    ClassRegistry() = default;
};

// Registers a class for as long as the object lives: a plug-in defines one static
// instance, so loading the library registers and unloading it unregisters.
class ClassRegistrar
{
public:
    ClassRegistrar(const char *name, WindowFactory factory);
    ~ClassRegistrar();
    ClassRegistrar(const ClassRegistrar &) = delete;
    ClassRegistrar &operator=(const ClassRegistrar &) = delete;

private:
    QString m_name;
    WindowFactory m_factory;
};

// In a plug-in's window source: BRENVIK_REGISTER_WINDOW(TFormKelu, "TFormKELU")
// The class needs a constructor taking the owner widget.
#define BRENVIK_REGISTER_WINDOW(ClassName, RegisteredName)                                  \
    static const ClassRegistrar brenvikRegistrar_##ClassName(                               \
        RegisteredName, [](QWidget *owner) -> QWidget * { return new ClassName(owner); })
