#include "tformppalnuevo.h"

TformPpalNuevo::TformPpalNuevo(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("formPpalNuevo"));
    setWindowTitle(QStringLiteral("Nuevo Formulario"));
}
