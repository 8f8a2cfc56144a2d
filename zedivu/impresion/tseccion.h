#pragma once
// A block of the layout recorded as drawing steps, so that it can be measured first and
// then placed whole on one page. Owns its elements.
#include "telementoseccion.h"

#include <memory>
#include <vector>

class TSeccion
{
public:
    TSeccion() = default;
    TSeccion(const TSeccion &) = delete;
    TSeccion &operator=(const TSeccion &) = delete;

    // Where the block starts (mm below the top of the printable area).
    double PosYInicio = 0;

    TElementoSeccion &Agregar(TTipoElemento tipo, const QString &texto = QString(), bool marco = false,
                              TAlineamiento alineamiento = taNinguno, double margen = 0, double alto = 0,
                              double ancho = 0);
    // Inserts before `indice` (0..Count(); beyond appends).
    TElementoSeccion &Insertar(int indice, TTipoElemento tipo, const QString &texto = QString(), bool marco = false,
                               TAlineamiento alineamiento = taNinguno, double margen = 0, double alto = 0,
                               double ancho = 0);
    int Count() const { return int(m_elementos.size()); }
    // Element i (0..Count()-1).
    const TElementoSeccion &Get(int i) const { return *m_elementos.at(size_t(i)); }

private:
    std::vector<std::unique_ptr<TElementoSeccion>> m_elementos;
};
