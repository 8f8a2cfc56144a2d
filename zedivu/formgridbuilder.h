#pragma once
// The grid part of FormBuilder: makes a described grid (columns, titles, widths, footer,
// read-only and hidden columns, allowed operations, Tag) and checks the grids' bindings.
#include "formdescription.h"

#include <QStringList>

class DataSource;
class QWidget;

class FormGridBuilder
{
public:
    // The grid widget, a child of `parent`, bound to `source` (null for a grid bound at
    // run time to a sibling form). The described table of the grid's source gives the
    // columns when the grid lists none, and the widths that suit them.
    static QWidget *build(const ControlDescription &grid, DataSource *source, const FormDescription &form, QWidget *parent);
    // The fields that the grids under `window` name and their open datasets lack.
    static QStringList bindingErrors(const QWidget *window);
};
