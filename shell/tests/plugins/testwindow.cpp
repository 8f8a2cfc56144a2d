// A register-like window for the loader tests, built once per class name. It answers a
// choice with the application's "testSeleccion" property and counts its edits in
// "testMostrarModal", so that tests see what the shell called.
#include "classregistry.h"

#include <QCoreApplication>
#include <QDialog>

class TestWindow : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString DirAplicacion MEMBER DirAplicacion)

public:
    explicit TestWindow(QWidget *owner) : QDialog(owner) {}

    Q_INVOKABLE void MostrarModal()
    {
        qApp->setProperty("testMostrarModal", qApp->property("testMostrarModal").toInt() + 1);
        qApp->setProperty("testDirAplicacion", DirAplicacion);
        deleteLater();
    }
    Q_INVOKABLE int MostrarModalSeleccion()
    {
        qApp->setProperty("testDirAplicacion", DirAplicacion);
        return qApp->property("testSeleccion").toInt();
    }

    QString DirAplicacion;
};

BRENVIK_REGISTER_WINDOW(TestWindow, TEST_CLASS_NAME);

#include "testwindow.moc"
