#include "registerwindows.h"

#include "classregistry.h"
#include "shelllog.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

namespace {

// Register windows are reached like the forms reach the property register: through the
// meta-object, so a register window class declares DirAplicacion as a property and its
// two operations Q_INVOKABLE (int MostrarModalSeleccion(), void MostrarModal()).
QWidget *crearRegistro(const QString &className, const QString &dirAplicacion, QWidget *owner)
{
    QWidget *window = ClassRegistry::instance().create(className, owner);
    if (window)
        window->setProperty("DirAplicacion", dirAplicacion);
    return window;
}

class WaitCursor
{
public:
    WaitCursor()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents();
    }
    ~WaitCursor() { restore(); }
    void restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};

} // namespace

void MostrarModal(const QString &className, const QString &dirAplicacion, QWidget *owner)
{
    QDir::setCurrent(dirAplicacion);
    WaitCursor cursor;
    QWidget *window = crearRegistro(className, dirAplicacion, owner);
    cursor.restore();
    if (!window)
        return;
    if (!QMetaObject::invokeMethod(window, "MostrarModal", Qt::DirectConnection)) {
        qCWarning(lcShell) << "register window" << className << "cannot be shown for editing";
        delete window;
    }
}

int MostrarModalSeleccion(const QString &className, const QString &dirAplicacion, QWidget *owner)
{
    WaitCursor cursor;
    QWidget *window = crearRegistro(className, dirAplicacion, owner);
    cursor.restore();
    if (!window)
        return 0;
    int key = 0;
    if (!QMetaObject::invokeMethod(window, "MostrarModalSeleccion", Qt::DirectConnection, Q_RETURN_ARG(int, key)))
        qCWarning(lcShell) << "register window" << className << "cannot be shown for choosing";
    delete window;
    return key;
}
