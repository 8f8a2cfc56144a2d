#include "terminacion.h"

#include <QCoreApplication>
#include <QThread>

namespace {
bool g_terminar = false;
}

void SolicitarTerminacion()
{
    g_terminar = true;
    // Outside an event loop, exit() would make the next loop of this thread (a message
    // box's, say) return at once; main() checks the request before it starts its loop.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(1);
}

bool TerminacionSolicitada()
{
    return g_terminar;
}

void ReiniciarTerminacion()
{
    g_terminar = false;
}
