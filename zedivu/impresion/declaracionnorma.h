#pragma once
// The sworn declarations the printouts share: the owner's that closes every management
// norm (two paragraphs, a blank line between them, three line breaks after, printed in a
// frameless box 150 x 50 mm under its heading, or a framed one 150 x 45 mm), and the applicant's under decree-law 701
// that the requests for a bonus certification and for several properties print; and the
// contents of the map every norm asks for.
#include "impresion/timpresion.h"

#include <QString>

inline QString DeclaracionJuradaNorma()
{
    return QStringLiteral(
        "Declaro bajo juramento que los datos proporcionados son verdaderos y que conozco las Normas de "
        "Manejo que contiene el presente documento, a las cuales me acojo y me comprometo a cumplir "
        "cabalmente, estando en conocimiento que lo contrario significa que su autorización queda "
        "invalidada automáticamente.\n\nDe igual modo, mediante el presente acto autorizo a los "
        "funcionarios de Okran para ingresar al predio a objeto de controlar el cumplimiento de la "
        "presente norma de manejo.\n\n\n");
}

// What the map attached to a management norm must show, as "· " items of a fixed text
// (ImpresionFormulario::textoFijo), under a heading of the form's own numbering.
inline QString ContenidoPlanoNorma()
{
    return QStringLiteral("# Se debe incluir al menos la siguiente información:\n"
                          "· Nombre del (de la) propietario(a)\n"
                          "· Nombre del predio, rol SII y ubicación administrativa\n"
                          "· Escala, base cartográfica y mapa de ubicación del predio\n"
                          "· Límites del predio, roles vecinos, norte magnético y coordenadas U.T.M.\n"
                          "· Red hidrográfica y caminos existentes.\n"
                          "· Identificación y límite de rodales a intervenir\n");
}

// The generic form's norm frames its declaration in a lower box.
enum class CajaDeclaracion { SinMarco, Enmarcada };

inline void ImprimirDeclaracionJuradaNorma(TImpresion *imp, CajaDeclaracion caja = CajaDeclaracion::SinMarco)
{
    const bool marco = caja == CajaDeclaracion::Enmarcada;
    imp->SubTitulo(QStringLiteral("DECLARACION JURADA DEL (DE LA) PROPIETARIO(A)"), taIzquierda);
    imp->Cr();
    imp->CuadroTexto(150, marco ? 45 : 50, DeclaracionJuradaNorma(), taIzquierda, 3, marco);
    imp->CrLf4();
}

// One sentence, printed as it stands.
inline QString DeclaracionJuradaDL701()
{
    return QStringLiteral("Declaro bajo juramento que los datos consignados en la presente solicitud son verdaderas, que "
                          "conozco y deseo acogerme a las disposiciones del D.L. Nº 701 de 1974.");
}
