#pragma once
// Field checks named by a form or register window for a column; a set of them is passed
// to Validar. The order is fixed: the ordinal is the bit in TTipoValidaciones.
#include <QtGlobal>

#include <initializer_list>

enum TTipoValidacion {
    tvNoVacio,
    tvUnico,
    tvPositivo,
    tvCeroPositivo,
    tvAnoValido,
    tvAnoActualMax,
    tvFechaValida,
    tvCoordenadaN,
    tvCoordenadaE,
    tvMenor,
    tvMenorIgual,
    tvMayorIgual,
    tvMayor,
    tvAnoActualMin
};

class TTipoValidaciones
{
public:
    TTipoValidaciones() = default;
    TTipoValidaciones(std::initializer_list<TTipoValidacion> flags)
    {
        for (TTipoValidacion f : flags)
            m_bits |= quint16(1u << f);
    }
    bool contains(TTipoValidacion f) const { return m_bits & (1u << f); }
    quint16 bits() const { return m_bits; }

private:
    quint16 m_bits = 0;
};
