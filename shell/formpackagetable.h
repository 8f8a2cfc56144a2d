#pragma once
// The form plug-ins by form-type index (1 to 100): which library serves each form type.
// Slots only point into the loader, which owns and unloads the libraries.
#include "pluginlibrary.h"

#include <array>

class FormPackageTable
{
public:
    static constexpr int Size = 100;

    static bool hasSlot(int indice) { return indice >= 1 && indice <= Size; }
    // Null for an empty slot or an index without slot.
    PluginLibrary *slot(int indice) const { return hasSlot(indice) ? m_slots[indice - 1] : nullptr; }
    void setSlot(int indice, PluginLibrary *library)
    {
        if (hasSlot(indice))
            m_slots[indice - 1] = library;
    }
    // Empties the first `n` slots.
    void clear(int n = Size)
    {
        for (int i = 1; i <= n && i <= Size; ++i)
            m_slots[i - 1] = nullptr;
    }

private:
    std::array<PluginLibrary *, Size> m_slots{};
};
