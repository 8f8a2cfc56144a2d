#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenvik"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Brenvik"));
    window.show();
    return app.exec();
}
