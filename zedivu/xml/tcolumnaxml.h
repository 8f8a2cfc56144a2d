#pragma once
// What the exchange-XML writer reads of a coded grid column: the key list (the codes, as
// text), the pick list (the texts shown, in the same order) and the minimum width, in which
// a column whose list has an "other" entry keeps minus that entry's code.
// A plain value: the writer keeps its own copy, so the column may change or go away after
// the call that passed it. A pointer to any column that offers KeyList(), PickList() and
// MinWidth() (the data grid's GridColumn) converts to it, so PrepararXML passes the grid's
// column as it stands; a null column gives empty lists.
#include <QString>
#include <QStringList>

#include <concepts>

class TColumnaXML
{
public:
    TColumnaXML() = default;
    TColumnaXML(const QStringList &keyList, const QStringList &pickList, int minWidth = 0)
        : KeyList(keyList)
        , PickList(pickList)
        , MinWidth(minWidth)
    {
    }

    template <class Columna>
        requires requires(const Columna &c) {
            { c.KeyList() } -> std::convertible_to<QStringList>;
            { c.PickList() } -> std::convertible_to<QStringList>;
            { c.MinWidth() } -> std::convertible_to<int>;
        }
    TColumnaXML(const Columna *columna)
    {
        if (columna) {
            KeyList = columna->KeyList();
            PickList = columna->PickList();
            MinWidth = columna->MinWidth();
        }
    }

    // The code of the list's "other" entry.
    int CodigoOtro() const { return -MinWidth; }

    // The text shown for the key `clave` (exact comparison); false when the key list does
    // not hold it or the pick list has no entry at its position.
    bool TextoDeClave(const QString &clave, QString &texto) const
    {
        const qsizetype i = KeyList.indexOf(clave);
        if (i < 0 || i >= PickList.size())
            return false;
        texto = PickList.at(i);
        return true;
    }

    QStringList KeyList;
    QStringList PickList;
    int MinWidth = 0;
};
