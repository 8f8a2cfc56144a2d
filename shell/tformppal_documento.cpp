// The document commands of the main window.
#include "tformppal.h"

// TODO: Save and Save As belong to the document cycle, which is not built yet; until then
// a form's close question that answers Yes saves nothing and the form stays modified.
void TformPpal::archGuardarExecute(QObject *sender)
{
    Q_UNUSED(sender);
}

void TformPpal::archGuardarComoExecute(QObject *sender)
{
    Q_UNUSED(sender);
}
