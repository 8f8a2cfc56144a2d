#pragma once
// One footer cell of a grid column: a fixed caption ("Total:") or an aggregate of a field
// over all rows of the grid's dataset, kept current by the grid after edits, posts and
// deletes. The print layer reads the same values to print a table's footer row.
#include <QString>
#include <Qt>

struct GridFooter
{
    enum class ValueType { None, StaticText, Sum, Avg, Count };

    ValueType valueType = ValueType::None;
    // The caption of a StaticText footer.
    QString value;
    // The field aggregated; empty means the column's own field.
    QString fieldName;
    // Horizontal alignment; none set means the column's alignment.
    Qt::Alignment alignment;
};
