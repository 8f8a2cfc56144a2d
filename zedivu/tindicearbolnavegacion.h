#pragma once
// One line of the navigation tree: which form window and which of its pages it shows.
class TCustomMDIChild;

class TIndiceArbolNavegacion
{
public:
    TIndiceArbolNavegacion(TCustomMDIChild *formulario, int indiceLista)
        : m_formulario(formulario)
        , m_indiceLista(indiceLista)
    {
    }

    // Position of the line in the whole list.
    int IndiceAbsoluto() const { return m_indiceAbsoluto; }
    // Page number within its form, from 0.
    int IndiceRelativo() const { return m_indiceRelativo; }
    // The form's index in the form-type list (kept, not used here).
    int IndiceLista() const { return m_indiceLista; }
    // Not owned.
    TCustomMDIChild *Formulario() const { return m_formulario; }

    void setIndices(int absoluto, int relativo)
    {
        m_indiceAbsoluto = absoluto;
        m_indiceRelativo = relativo;
    }

private:
    int m_indiceAbsoluto = 0;
    int m_indiceRelativo = 0;
    TCustomMDIChild *m_formulario;
    int m_indiceLista;
};
