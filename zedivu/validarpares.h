#pragma once
// The rows that carry pairs of fields given together, a resolution's number and its date:
// checked from the form's before-post handler.
#include <QList>
#include <QPair>
#include <QString>

class Dataset;
class TCustomMDIChild;

// Each pair (number, date) of the row is given whole or not at all: one given in part
// must have its number and a valid date, checked through the form's Validar (which
// aborts). A field the user cleared (an empty text) counts as not given. True when the
// row gives some pair.
bool ValidarPares(TCustomMDIChild *form, Dataset *ds, const QList<QPair<QString, QString>> &pares);
