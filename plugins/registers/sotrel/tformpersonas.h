#pragma once
// The persons register (table persona): the owners and legal representatives of the
// properties, which the property register ticks as owners.
#include "registros/tregistrotabla.h"

class TFormPersonas : public TRegistroTabla
{
public:
    explicit TFormPersonas(QWidget *owner = nullptr);

    static DescripcionRegistro descripcion();
};
