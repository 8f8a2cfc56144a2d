#pragma once
// The printer's current paper and print settings, as the print commands read them before
// composing a printout (TCustomMDIChild::getPapelImpresora).
#include "pgprintertypes.h"

#include <QString>

struct TPapelImpresora
{
    // "Letter", "Legal", "A4", "A3" or "Custom".
    QString Nombre = QStringLiteral("Legal");
    TPgPrintQuality Calidad = gmMedium;
    int Copias = 1;
    bool Color = true;
    // Paper length and width of a custom paper (mm); 0 when the printer has none.
    double Largo = 0;
    double Ancho = 0;
};
