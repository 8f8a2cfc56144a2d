#pragma once
// The children registered for one open node of the exchange-XML writer, in registration
// order, and the dataset the node repeats over (null for a plain node; not owned).
#include "tlineaxml.h"

#include <QPointer>
#include <vector>

class Dataset;

class TListaElementosXML
{
public:
    // `nodo` is the node's element in the writer's tree.
    TListaElementosXML(Dataset *ds, int nodo);

    void Add(const QString &tag, const QString &campo, TTipoElementoXML tipo, TTipoSeleccionMultiple tsm,
             const QString &nombre);
    void Add(const QString &tag, const QString &campo, TTipoElementoXML tipo, const TColumnaXML &columna,
             const QString &nombre);

    int Contar() const { return int(m_lineas.size()); }
    // 0-based; i must be below Contar().
    const TLineaXML &Linea(int i) const { return m_lineas.at(std::size_t(i)); }
    QString GetTag(int i) const { return Linea(i).Tag; }
    QString GetCampo(int i) const { return Linea(i).Campo; }
    TTipoSeleccionMultiple GetTSM(int i) const { return Linea(i).TSM; }
    // Null for a line without a column.
    const TColumnaXML *GetCol(int i) const { return Linea(i).Columna ? &*Linea(i).Columna : nullptr; }

    // Null for a plain node, or when the dataset was destroyed while the node was open.
    Dataset *DataSet() const { return m_dataset.data(); }
    int Nodo() const { return m_nodo; }

private:
    QPointer<Dataset> m_dataset;
    int m_nodo;
    std::vector<TLineaXML> m_lineas;
};
