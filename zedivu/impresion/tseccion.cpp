#include "tseccion.h"

#include <algorithm>

namespace {

std::unique_ptr<TElementoSeccion> crear(TTipoElemento tipo, const QString &texto, bool marco,
                                        TAlineamiento alineamiento, double margen, double alto, double ancho)
{
    auto e = std::make_unique<TElementoSeccion>();
    e->Tipo = tipo;
    e->Texto = texto;
    e->Marco = marco;
    e->Alineamiento = alineamiento;
    e->Margen = margen;
    e->Alto = alto;
    e->Ancho = ancho;
    return e;
}

} // namespace

TElementoSeccion &TSeccion::Agregar(TTipoElemento tipo, const QString &texto, bool marco,
                                    TAlineamiento alineamiento, double margen, double alto, double ancho)
{
    return Insertar(Count(), tipo, texto, marco, alineamiento, margen, alto, ancho);
}

TElementoSeccion &TSeccion::Insertar(int indice, TTipoElemento tipo, const QString &texto, bool marco,
                                     TAlineamiento alineamiento, double margen, double alto, double ancho)
{
    const size_t pos = indice < 0 ? 0 : std::min(size_t(indice), m_elementos.size());
    auto it = m_elementos.insert(m_elementos.begin() + std::ptrdiff_t(pos),
                                 crear(tipo, texto, marco, alineamiento, margen, alto, ancho));
    return **it;
}
