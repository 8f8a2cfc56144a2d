#pragma once
// A recording of what the layout layer put on the pages, step by step, in page
// millimetres. Attach one to a TImpresion (setRegistro) to see what a form laid out
// without reading the page objects of the print engine; tests use it.
#include "tipos_impresion.h"

#include <QList>
#include <QString>

struct TPasoImpresion
{
    enum Tipo { PaginaNueva, Texto, Cuadro, Imagen };
    Tipo tipo = Texto;
    int pagina = 1;           // 1-based page the step went to
    double x = 0, y = 0;      // top-left corner on the page, mm
    double ancho = 0, alto = 0;
    QString texto;            // text, or image file
    bool marco = false;       // a framed box
    int tamanoFuente = 0;     // points
    bool negrita = false;
    TAlineamiento alineamiento = taNinguno;
    bool apaisada = false;    // PaginaNueva: the page is landscape
};

class TRegistroImpresion
{
public:
    QList<TPasoImpresion> Pasos;

    // The first text or box step whose text equals `texto` (blanks at the ends ignored);
    // null when none.
    const TPasoImpresion *Buscar(const QString &texto) const
    {
        for (const TPasoImpresion &p : Pasos)
            if ((p.tipo == TPasoImpresion::Texto || p.tipo == TPasoImpresion::Cuadro) && p.texto.trimmed() == texto.trimmed())
                return &p;
        return nullptr;
    }
    QList<TPasoImpresion> DeTipo(TPasoImpresion::Tipo tipo) const
    {
        QList<TPasoImpresion> r;
        for (const TPasoImpresion &p : Pasos)
            if (p.tipo == tipo)
                r.append(p);
        return r;
    }
};
