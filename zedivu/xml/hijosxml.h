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

// The text a grid column with a fixed pick list shows for the stored code of `f`: its
// pick list at the code's position in its key list; empty when the code is not listed.
inline QString textoDeLista(const TCustomMDIChild *form, const QString &grilla, const Field *f)
{
    const DBGrid *g = componentes::grilla(form, grilla);
    const GridColumn *c = g && f ? g->ColumnByFieldName(f->FieldName()) : nullptr;
    if (!c || f->IsNull())
        return {};
    const qsizetype i = c->KeyList().indexOf(f->AsString());
    return i < 0 ? QString() : c->PickList().value(i);
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

// VARIABLECLIMATICA per row of the form's climatic variables (adt<CODE>_var_cli): VARIABLE
// (through its grid column), VALOR, UNIDAD and, from the source row of the same variable
// (adt<CODE>_fte_inf; its coordinates in `norte` and `este`), FUENTE_INFORMACION, PERIODO,
// COORDENADA_N and COORDENADA_S. A variable and its source are paired by the variable, not
// by their positions in two tables that are sorted and edited apart. `unidad`: the
// variables' unit column; `grilla`: the variables' grid (empty: dbg<CODE>_var_cli). With
// `todasLasFuentes` every source row of the variable is written, in record order (none,
// one or several), else the first.
inline void variablesClimaticas(TXML &x, const TCustomMDIChild *form, componentes::CursoresGuardados &cursores,
                                const QString &norte, const QString &este, const QString &unidad = QStringLiteral("unidad"),
                                const QString &grilla = QString(), bool todasLasFuentes = false)
{
    using componentes::campo;
    const QString codigo = componentes::codigoDe(form);
    const QString grillaVariables = grilla.isEmpty() ? QStringLiteral("dbg") + codigo + QStringLiteral("_var_cli") : grilla;
    Dataset *variables = cursores(componentes::tabla(form, QStringLiteral("var_cli")));
    Dataset *fuentes = cursores(componentes::tabla(form, QStringLiteral("fte_inf")));
    const auto fuente = [&] {
        x.Hijo(QStringLiteral("FUENTE_INFORMACION"), campo(fuentes, QStringLiteral("fte")));
        x.Hijo(QStringLiteral("PERIODO"), campo(fuentes, QStringLiteral("per")));
        x.Hijo(QStringLiteral("COORDENADA_N"), campo(fuentes, norte));
        x.Hijo(QStringLiteral("COORDENADA_S"), campo(fuentes, este));
    };
    componentes::paraCadaRegistro(variables, [&](int) {
        x.AbrirNodo(QStringLiteral("VARIABLECLIMATICA"));
        const Field *var = campo(variables, QStringLiteral("var"));
        x.Hijo(QStringLiteral("VARIABLE"), var, columna(form, grillaVariables, QStringLiteral("var")));
        x.Hijo(QStringLiteral("VALOR"), campo(variables, QStringLiteral("val")));
        x.Hijo(QStringLiteral("UNIDAD"), campo(variables, unidad));
        if (var && !var->IsNull() && fuentes && fuentes->Active()) {
            if (todasLasFuentes)
                componentes::paraCadaRegistroDe(fuentes, QStringLiteral("var"), var->Value(), [&](int) { fuente(); });
            else if (fuentes->Locate(QStringLiteral("var"), var->Value()))
                fuente();
        }
        x.CerrarNodo();
    });
}

// HIDROGRAFIA per row of the form's hydrography (adt<CODE>_hidr): its stand or sector,
// MASAS (through its grid column), TEMPORALIDAD, DISTANCIA, ANCHO_MAX.
inline void hidrografia(TXML &x, const TCustomMDIChild *form, componentes::CursoresGuardados &cursores)
{
    using componentes::campo;
    const QString grilla = QStringLiteral("dbg") + componentes::codigoDe(form) + QStringLiteral("_hidr");
    Dataset *hidrografia = cursores(componentes::tabla(form, QStringLiteral("hidr")));
    componentes::paraCadaRegistro(hidrografia, [&](int) {
        x.AbrirNodo(QStringLiteral("HIDROGRAFIA"));
        unidadRodalOSector(x, hidrografia);
        x.Hijo(QStringLiteral("MASAS"), campo(hidrografia, QStringLiteral("masa")), columna(form, grilla, QStringLiteral("masa")));
        x.Hijo(QStringLiteral("TEMPORALIDAD"), campo(hidrografia, QStringLiteral("temp")));
        x.Hijo(QStringLiteral("DISTANCIA"), campo(hidrografia, QStringLiteral("dist")));
        x.Hijo(QStringLiteral("ANCHO_MAX"), campo(hidrografia, QStringLiteral("ancho")));
        x.CerrarNodo();
    });
}

} // namespace hijosxml
