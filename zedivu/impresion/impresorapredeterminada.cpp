#include "impresorapredeterminada.h"

#include <QPrinter>

QPrinter *ImpresoraPredeterminada()
{
    // Never destroyed: the print system's plug-ins are gone by the time statics die.
    static QPrinter *impresora = new QPrinter(QPrinter::HighResolution);
    return impresora;
}
