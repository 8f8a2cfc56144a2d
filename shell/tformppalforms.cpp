#include "tformppalforms.h"

TFormPpalForms::TFormPpalForms(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPpalForms"));
    setWindowTitle(QStringLiteral("Formularios"));
    resize(697, 435);
}
