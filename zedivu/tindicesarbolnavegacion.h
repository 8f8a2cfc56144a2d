#pragma once
// The navigation index: one entry per line of the navigation tree, owned by the list.
// Agregar inserts at the front, so a caller adding the optional form's lines, then the
// principal's, then the request form's gets them back in the order request, principal,
// optional. An index outside the list answers -1 / nullptr.
#include "tindicearbolnavegacion.h"

#include <memory>
#include <vector>

class TIndicesArbolNavegacion
{
public:
    void Agregar(TCustomMDIChild *formulario, int indiceLista);
    int Cantidad() const { return int(m_indices.size()); }
    void Limpiar() { m_indices.clear(); }

    int ObtenerIndiceAbsoluto(int i) const;
    int ObtenerIndiceRelativo(int i) const;
    TCustomMDIChild *ObtenerFormulario(int i) const;

private:
    void Renumerar();

    std::vector<std::unique_ptr<TIndiceArbolNavegacion>> m_indices;
};
