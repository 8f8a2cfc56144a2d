#include "tindicesarbolnavegacion.h"

void TIndicesArbolNavegacion::Agregar(TCustomMDIChild *formulario, int indiceLista)
{
    m_indices.insert(m_indices.begin(), std::make_unique<TIndiceArbolNavegacion>(formulario, indiceLista));
    Renumerar();
}

void TIndicesArbolNavegacion::Renumerar()
{
    // The relative index is the entry's position within its run of one form's entries.
    int relativo = 0;
    for (std::size_t i = 0; i < m_indices.size(); ++i) {
        const bool mismoFormulario = i > 0 && m_indices[i - 1]->Formulario() == m_indices[i]->Formulario();
        relativo = mismoFormulario ? relativo + 1 : 0;
        m_indices[i]->setIndices(int(i), relativo);
    }
}

int TIndicesArbolNavegacion::ObtenerIndiceAbsoluto(int i) const
{
    return i >= 0 && i < Cantidad() ? m_indices[std::size_t(i)]->IndiceAbsoluto() : -1;
}

int TIndicesArbolNavegacion::ObtenerIndiceRelativo(int i) const
{
    return i >= 0 && i < Cantidad() ? m_indices[std::size_t(i)]->IndiceRelativo() : -1;
}

TCustomMDIChild *TIndicesArbolNavegacion::ObtenerFormulario(int i) const
{
    return i >= 0 && i < Cantidad() ? m_indices[std::size_t(i)]->Formulario() : nullptr;
}
