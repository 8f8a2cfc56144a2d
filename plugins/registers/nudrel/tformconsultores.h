#pragma once
// The consultants register (table consultor): the program opens it to choose the
// consultant who works with it, and on a fresh installation he registers himself here.
#include "registros/tregistrotabla.h"

class TFormConsultores : public TRegistroTabla
{
public:
    explicit TFormConsultores(QWidget *owner = nullptr);

    static DescripcionRegistro descripcion();
};
