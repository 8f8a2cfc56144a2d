#include "formgridbuilder.h"

#include "dataset.h"
#include "datasource.h"
#include "dbgrid.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

namespace {

// The columns a grid shows when its description lists none: every column of the table
// but the auto-increment key, a lookup field standing in for its key column.
QList<GridColumnDescription> defaultColumns(const TableDescription *table)
{
    QList<GridColumnDescription> out;
    if (!table)
        return out;
    QHash<QString, QString> lookupOfKey;
    for (const ColumnDescription &c : table->columns)
        if (c.kind == ColumnDescription::Kind::Lookup && !c.keyFields.contains(QLatin1Char(';')))
            lookupOfKey.insert(c.keyFields.toLower(), c.name);
    for (const ColumnDescription &c : table->columns) {
        if (c.type == FieldType::AutoInc || c.kind == ColumnDescription::Kind::Lookup)
            continue;
        GridColumnDescription g;
        g.field = lookupOfKey.value(c.name.toLower(), c.name);
        out << g;
    }
    return out;
}

int titleLines(const QString &title)
{
    int most = 1;
    for (const QString &piece : title.split(QLatin1Char('|')))
        most = std::max<int>(most, int(piece.trimmed().count(QLatin1Char('\n'))) + 1);
    return most + int(title.count(QLatin1Char('|')));
}

// Characters a column needs: its values' usual width or its widest title line.
int columnChars(const TableDescription *table, const FormDescription *form, const QString &field, const QString &title)
{
    int chars = 10;
    const ColumnDescription *c = table ? table->column(field) : nullptr;
    if (c && c->kind == ColumnDescription::Kind::Lookup && form)
        if (const TableDescription *lt = form->table(c->lookupTable))
            c = lt->column(c->resultField);
    if (c) {
        switch (c->type) {
        case FieldType::Text: chars = std::clamp(c->size, 4, 30); break;
        case FieldType::Memo: chars = 24; break;
        case FieldType::DateTime: chars = 11; break;
        case FieldType::Boolean: chars = 4; break;
        default: chars = 9; break;
        }
    }
    for (const QString &piece : title.split(QLatin1Char('|')).last().split(QLatin1Char('\n')))
        chars = std::max<int>(chars, int(piece.trimmed().size()));
    return chars;
}

} // namespace

QWidget *FormGridBuilder::build(const ControlDescription &c, DataSource *source, const FormDescription &form, QWidget *parent)
{
    const GridDescription &g = c.grid;
    const TableDescription *table = c.external ? nullptr : form.tableBySourceName(c.source);
    auto *grid = new DBGrid(parent);
    grid->setObjectName(c.name);
    grid->setTag(g.tag);
    grid->setOptions(DBGrid::Editing | DBGrid::Indicator);
    DBGrid::AllowedOperations allowed;
    if (g.allowInsert)
        allowed |= DBGrid::AllowInsert;
    if (g.allowUpdate)
        allowed |= DBGrid::AllowUpdate;
    if (g.allowDelete)
        allowed |= DBGrid::AllowDelete;
    if (g.allowAppend)
        allowed |= DBGrid::AllowAppend;
    grid->setAllowedOperations(allowed);
    grid->setReadOnly(c.readOnly);

    const QList<GridColumnDescription> columns = g.columns.isEmpty() ? defaultColumns(table) : g.columns;
    const int charWidth = grid->fontMetrics().averageCharWidth();
    QStringList titles;
    for (const GridColumnDescription &d : columns) {
        QString title = d.title;
        if (title.isEmpty() && table)
            if (const ColumnDescription *cd = table->column(d.field))
                title = cd->label.isEmpty() ? cd->name : cd->label;
        titles << title;
    }
    // The upper title pieces of column i that head it alone (no neighbour shares the group).
    const auto ownGroups = [&titles](qsizetype i) {
        const QStringList pieces = titles.at(i).split(QLatin1Char('|'));
        QStringList own;
        for (qsizetype k = 0; k + 1 < pieces.size(); ++k) {
            const auto shares = [&](qsizetype j) {
                if (j < 0 || j >= titles.size())
                    return false;
                const QStringList other = titles.at(j).split(QLatin1Char('|'));
                return other.size() > k + 1 && other.mid(0, k + 1) == pieces.mid(0, k + 1);
            };
            if (!shares(i - 1) && !shares(i + 1))
                own << pieces.at(k);
        }
        return own;
    };
    int lines = 1;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const GridColumnDescription &d = columns.at(i);
        GridColumn *col = grid->addColumn(d.field);
        if (!d.title.isEmpty())
            col->setTitle(d.title);
        col->setReadOnly(d.readOnly);
        col->setVisible(!d.hidden);
        if (!d.items.isEmpty()) {
            col->setPickList(d.items);
            col->setKeyList(d.keys.isEmpty() ? d.items : d.keys);
        }
        const QString &title = titles.at(i);
        // Characters are counted at the font's average width; a title line in wider
        // letters is measured, so that every title fits its column, and so is a group
        // title that heads this column alone.
        int width = charWidth * (d.width > 0 ? d.width : columnChars(table, &form, d.field, title)) + 12;
        for (const QString &piece : title.split(QLatin1Char('|')).last().split(QLatin1Char('\n')) + ownGroups(i))
            width = std::max(width, grid->fontMetrics().horizontalAdvance(piece.trimmed()) + 12);
        col->setWidth(width);
        lines = std::max(lines, titleLines(title));
    }
    if (!g.footerCaption.isEmpty() || !g.footerSums.isEmpty()) {
        grid->setFooterRowCount(1);
        grid->setSumListActive(true);
        GridColumn *rotulo = g.footerColumn.isEmpty() ? grid->Columns(0) : grid->ColumnByFieldName(g.footerColumn);
        if (rotulo) {
            GridFooter &f = rotulo->Footer(0);
            f.valueType = GridFooter::ValueType::StaticText;
            f.value = g.footerCaption;
            if (g.footerAlignment == QLatin1String("right"))
                f.alignment = Qt::AlignRight;
            else if (g.footerAlignment == QLatin1String("center"))
                f.alignment = Qt::AlignHCenter;
            else if (g.footerAlignment == QLatin1String("left"))
                f.alignment = Qt::AlignLeft;
        }
        for (const QString &sum : g.footerSums) {
            if (GridColumn *col = grid->ColumnByFieldName(sum)) {
                GridFooter &f = col->Footer(0);
                f.valueType = GridFooter::ValueType::Sum;
                f.fieldName = sum;
            }
        }
    }
    grid->setDataSource(source);

    // Tall enough for the titles, the described number of rows and the footer.
    const int rowHeight = grid->fontMetrics().height() + 8;
    const int footer = grid->FooterRowCount() * rowHeight;
    grid->setFixedHeight(lines * (grid->fontMetrics().height() + 4) + 8 + std::max(g.rows, 1) * rowHeight + footer
                         + grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 6);
    return grid;
}

QStringList FormGridBuilder::bindingErrors(const QWidget *window)
{
    QStringList errors;
    for (const DBGrid *grid : window->findChildren<DBGrid *>()) {
        const Dataset *ds = grid->DataSet();
        QString error;
        if (ds && ds->Active() && !grid->checkBindings(&error))
            errors << error;
    }
    return errors;
}
