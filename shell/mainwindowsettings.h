#pragma once
// The main window's settings kept under QSettings("Varno", "Brenvik"): five integers.
#include <optional>

struct MainWindowSettings
{
    std::optional<int> top;       // Ventana_Arr
    std::optional<int> left;      // Ventana_Izq
    bool maximized = false;       // Estado_Ventana: 1 maximized, anything else normal
    std::optional<int> treeWidth; // Separador_Izq
    int consultorId = 0;          // Consultor_Id, 0 when absent

    // Reads the stored values; a value that is absent or not an integer stays empty.
    // Nothing is read when the settings store cannot be opened.
    static MainWindowSettings read();
    // Writes all five values (absent positions as 0). Returns false when the store
    // cannot be written.
    bool write() const;
};
