#include "tformtisa.h"

#include "abort.h"

QByteArray TFormTISA::PrepararXML()
{
    // Better no exchange file than one without the plan.
    DialogoError(QStringLiteral("La exportación del formulario TISA al archivo de intercambio aún no está disponible"));
    Abort();
}
