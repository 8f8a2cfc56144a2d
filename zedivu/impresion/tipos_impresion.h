#pragma once
// Types and constants of the print layout layer (TImpresion). All lengths are millimetres.

// Page margins of every printed form.
constexpr double MARGEN_SUP = 10;
constexpr double MARGEN_IZQ = 20;
constexpr double MARGEN_DER = 10;
constexpr double MARGEN_INF = 20;
// Kept free above the bottom margin for the footer line of the print engine.
constexpr double RESERVA_PIE = 18;

enum TAlineamiento { taNinguno, taIzquierda, taDerecha, taCentrado, taJustificado };
enum TOrientacion { toNormal, toApaisado };
enum TTipoElemento { teMovimientoX, teMovimientoY, teTexto, teCuadro, teImagen, teCambioFont, teCambioBrush, teCambioPagina };
// Where the label of a field stands relative to its value box.
enum TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };

// What a placing operation placed: its width and height.
struct TDimensiones
{
    double Ancho = 0;
    double Alto = 0;
};
