#pragma once
// One child registered for an open node of the exchange-XML writer: how to write it again
// for every further record of the node's dataset.
#include "tcolumnaxml.h"
#include "ttipoelementoxml.h"
#include "util_bbdd.h"

#include <QString>
#include <optional>

class TLineaXML
{
public:
    TLineaXML(const QString &tag, const QString &campo, TTipoElementoXML tipo, TTipoSeleccionMultiple tsm,
              const std::optional<TColumnaXML> &columna, const QString &nombre)
        : Tag(tag)
        , Campo(campo)
        , Tipo(tipo)
        , TSM(tsm)
        , Columna(columna)
        , Nombre(nombre)
    {
    }

    // Upper case, trimmed.
    QString Tag;
    // As registered: a literal, "@" + an upper-case field name, "#" for the running number,
    // or an upper-case field name (or a literal code) for a column-coded child.
    QString Campo;
    // What Campo means; a literal "#" or "@..." stays a literal.
    TTipoElementoXML Tipo;
    TTipoSeleccionMultiple TSM;
    // Set for a child written through the column rule.
    std::optional<TColumnaXML> Columna;
    // The element's name (node name + "." + tag), the same in every record.
    QString Nombre;

    // The field name of a teCampo line, without the "@" prefix.
    QString NombreCampo() const { return Campo.startsWith(QLatin1Char('@')) ? Campo.mid(1) : Campo; }
};
