#include "pitido.h"

#include <QApplication>

namespace Pitido {

std::function<void()> &Sonido()
{
    static std::function<void()> sonido = [] { QApplication::beep(); };
    return sonido;
}

void Sonar()
{
    if (Sonido())
        Sonido()();
}

} // namespace Pitido
