#include "tlistaelementosxml.h"

#include "dataset.h"

TListaElementosXML::TListaElementosXML(Dataset *ds, int nodo)
    : m_dataset(ds)
    , m_nodo(nodo)
{
}

void TListaElementosXML::Add(const QString &tag, const QString &campo, TTipoElementoXML tipo, TTipoSeleccionMultiple tsm,
                             const QString &nombre)
{
    m_lineas.emplace_back(tag, campo, tipo, tsm, std::nullopt, nombre);
}

void TListaElementosXML::Add(const QString &tag, const QString &campo, TTipoElementoXML tipo, const TColumnaXML &columna,
                             const QString &nombre)
{
    m_lineas.emplace_back(tag, campo, tipo, tsmNinguno, columna, nombre);
}
