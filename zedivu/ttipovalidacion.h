#pragma once
// The checks a form asks of a field before its row is posted, and a set of them (one bit
// per check, the check's ordinal being its bit number).
#include <QString>
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
    tvAnoActualMin,
};

class TTipoValidaciones
{
public:
    TTipoValidaciones() = default;
    TTipoValidaciones(std::initializer_list<TTipoValidacion> tipos)
    {
        for (TTipoValidacion t : tipos)
            m_bits |= quint16(1u << t);
    }
    bool contains(TTipoValidacion t) const { return m_bits & (1u << t); }
    void insert(TTipoValidacion t) { m_bits |= quint16(1u << t); }
    quint16 bits() const { return m_bits; }
    bool isEmpty() const { return m_bits == 0; }

private:
    quint16 m_bits = 0;
};

// The check named `nombre` ("tvNoVacio"); false when no check has that name.
bool TipoValidacionPorNombre(const QString &nombre, TTipoValidacion &tipo);
