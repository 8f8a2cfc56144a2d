#pragma once
// Children that the plans' exchange XML writes alike, on top of the writer (TXML).
#include "componentesformulario.h"
#include "util_texto.h"
#include "xml/txml.h"

namespace hijosxml {

// The grid column that shows a coded field, for the writer's column rule: a free "other"
// entry is written as the list's "other" code with its text beside it. Only the agency's
// coded lists take it; any other value goes as stored.
inline TColumnaXML columna(const TCustomMDIChild *form, const QString &grilla, const QString &campo)
{
    const DBGrid *g = componentes::grilla(form, grilla);
    return TColumnaXML(g ? g->ColumnByFieldName(campo) : nullptr);
}

// A row that names one stand (`num`, TIPO_UNIDAD 1) or one sector (`num_sec`, 2):
// TIPO_UNIDAD and UNIDAD; nothing when it names neither.
inline void unidadRodalOSector(TXML &x, const Dataset *ds)
{
    using componentes::campo;
    using componentes::texto;
    if (!texto(campo(ds, QStringLiteral("num"))).isEmpty()) {
        x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("1"));
        x.Hijo(QStringLiteral("UNIDAD"), campo(ds, QStringLiteral("num")));
    } else if (!texto(campo(ds, QStringLiteral("num_sec"))).isEmpty()) {
        x.Hijo(QStringLiteral("TIPO_UNIDAD"), QStringLiteral("2"));
        x.Hijo(QStringLiteral("UNIDAD"), campo(ds, QStringLiteral("num_sec")));
    }
}

// One child per entry of a comma list of stand or sector numbers, in the capitals in which
// the stands and sectors themselves are written.
inline void entradasDeLista(TXML &x, const QString &tag, const Field *lista)
{
    for (const QString &entrada : Explode(componentes::texto(lista), QStringLiteral(",")))
        x.Hijo(tag, Mayusculas(entrada.trimmed()));
}

} // namespace hijosxml
