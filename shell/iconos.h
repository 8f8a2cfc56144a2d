#pragma once
// Tool-bar and panel icons, drawn in code so that no image file has to ship.
#include <QIcon>

enum class Icono {
    Nuevo,
    Abrir,
    Guardar,
    Imprimir,
    Cortar,
    Copiar,
    Pegar,
    Cascada,
    MosaicoHorizontal,
    MosaicoVertical,
    Predios,
    Personas,
    Consultores,
    Contraer,
    Expandir,
};

QIcon iconoDe(Icono icono);
