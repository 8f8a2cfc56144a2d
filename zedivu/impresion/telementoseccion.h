#pragma once
// One recorded drawing step of a layout block (see TImpresion): a cursor move, a text, a
// box, an image or a change of font or brush, kept to be replayed when the block is placed.
#include "tipos_impresion.h"

#include <QString>

class TElementoSeccion
{
public:
    TTipoElemento Tipo = teMovimientoX;
    // Width of a text or box; distance of teMovimientoX; font size of teCambioFont (0: keep);
    // colour of teCambioBrush (0: keep).
    double Ancho = 0;
    // Height of a text or box; distance of teMovimientoY; 1 for bold in teCambioFont.
    double Alto = 0;
    // Inner margin of a box; scale of an image.
    double Margen = 0;
    // The text, the image file, or the font name (empty: keep the font).
    QString Texto;
    TAlineamiento Alineamiento = taNinguno;
    // A frame, filled with the current brush, round the box.
    bool Marco = false;
};
