// A register-like window for the loader tests, built once per class name. It answers a
// choice with the next value of the application's "testSelecciones" list, or else with
// its "testSeleccion" property, and counts its edits in "testMostrarModal", so that
// tests see what the shell called.
#include "classregistry.h"

#include <QCoreApplication>
#include <QDialog>
#include <QVariantList>

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
        QVariantList pendientes = qApp->property("testSelecciones").toList();
        if (pendientes.isEmpty())
            return qApp->property("testSeleccion").toInt();
        const int respuesta = pendientes.takeFirst().toInt();
        qApp->setProperty("testSelecciones", pendientes);
        return respuesta;
    }

    QString DirAplicacion;
};

BRENVIK_REGISTER_WINDOW(TestWindow, TEST_CLASS_NAME);

#include "testwindow.moc"
