#include "terminacion.h"

#include <QCoreApplication>

namespace {
bool g_terminar = false;
}

void SolicitarTerminacion()
{
    g_terminar = true;
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
