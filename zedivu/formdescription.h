#pragma once
// The in-memory model of a form description: what a form window is made of, as data.
// A description file (see FORMS.md) is parsed into it (FormDescriptionParser), code may
// build it directly (the generic form does, from the main database), FormBuilder makes
// the widgets, datasets and data sources from it and FormTemplate the form's template
// database. Plain values only: no widgets, no connections.
#include "field.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// A column of a working-database table: a data column, or a lookup or calculated field
// that the dataset adds on top.
struct ColumnDescription
{
    enum class Kind { Data, Lookup, Calculated };

    QString name;
    Kind kind = Kind::Data;
    FieldType type = FieldType::Text;
    int size = 0;          // characters of a text column
    QString label;         // display label: "Grupo | Título", "\n" breaks the line
    bool readOnly = false;
    QString defaultValue;  // the template's default, as typed (empty: none)
    QString displayFormat; // how a number is shown ("#.00"; empty: as it is)
    int displayWidth = 0;  // characters a printed table gives the column (0: the field's size)
    // Lookup: this dataset's key fields, the lookup table, its key fields and the result.
    QString keyFields;
    QString lookupTable;
    QString lookupKeyFields;
    QString resultField;
    int line = 0;
};

// A table of the working database, its dataset and its data source.
struct TableDescription
{
    QString name;         // table name in the working database ("kelu_desc")
    bool main = false;    // the form's main table: dataset "adsPpal", source "dsrcPpal"
    QString dataset;      // component names (defaults filled in by the parser)
    QString dataSource;
    QList<ColumnDescription> columns;
    // Master-detail: the master's data source (or table) and the linked fields.
    QString master;
    QString masterFields;
    QString detailFields;
    // Rows the template holds (each a list of column = value, values as typed).
    QList<QList<QPair<QString, QString>>> rows;
    int line = 0;

    const ColumnDescription *column(const QString &name) const;
};

// A read-only query dataset, on the working or the main database (lists of lookup combos).
struct QueryDescription
{
    QString dataset;
    QString dataSource;
    QString sql;
    bool mainDatabase = false;
    int line = 0;
};

struct GridColumnDescription
{
    QString field;
    QString title; // empty: the field's label
    int width = 0; // characters; 0: what suits the field
    bool readOnly = false;
    bool hidden = false;
    // The lookup list (a TTipoComboExterno name, "tceEspecie") or multi-selection list
    // (a TTipoSeleccionMultiple name, "tsmFlora") the form attaches to the column.
    QString list;
    int line = 0;
    // A fixed pick list (`item` lines): the texts shown and the values stored (empty: the
    // texts themselves).
    QStringList items;
    QStringList keys;
};

struct GridDescription
{
    QList<GridColumnDescription> columns; // empty: every visible column of the table
    QString footerCaption;                // "Total:" in the first column
    QString footerColumn;                 // the caption's column when not the first (at=)
    QString footerAlignment;              // the caption's alignment: left, center, right; empty: the column's
    QStringList footerSums;               // columns whose sum the footer shows
    int tag = 0;
    bool allowInsert = true;
    bool allowUpdate = true;
    bool allowDelete = true;
    bool allowAppend = true;
    int rows = 6;                         // visible rows
};

struct ControlDescription
{
    enum class Kind { Group, Row, Label, Heading, Edit, Date, Memo, Check, Combo, Lookup, Navigator, Button, Grid };

    Kind kind = Kind::Label;
    QString name;     // component name (defaults filled in by the parser)
    QString caption;  // label text, group title, check or button caption, field label
    QString source;   // table or data source name; empty: the main table
    QString field;
    bool external = false; // bound at run time to a sibling form (no binding at build)
    bool readOnly = false;
    bool hidden = false;
    bool warning = false;  // a label in the warning style
    int width = 0;         // characters; 0: what suits the field
    int maxLength = 0;     // edit: characters the user may type; 0: the field's size
    int lines = 4;         // memo height in lines
    QStringList items;     // combo: shown texts
    QStringList keys;      // combo: stored values (empty: the texts)
    QString listSource;    // lookup combo: list table or data source, key and shown field
    QString keyField;
    QString listField;
    GridDescription grid;
    QList<ControlDescription> children; // group and row
    int line = 0;
};

struct PageDescription
{
    QString name;    // "TabSheet1"
    QString outline; // its line in the section outline (none for the first page)
    int level = 1;   // tree level of that line
    QList<ControlDescription> controls;
    int line = 0;
};

// The field checks a dataset's before-post handler runs, in order.
struct ValidationDescription
{
    struct Entry
    {
        QString field;
        QStringList flags; // validation flag names, "tvNoVacio" ...
        std::optional<double> limit;
        int line = 0;
    };
    QString table;
    QList<Entry> entries;
    int line = 0;
};

// A form bound to a request form of its document ("parent dorvo"): its first page
// shows that form's property data, bound at run time (the parser writes the page).
struct ParentDescription
{
    QString code;        // lower case: "dorvo", "ferun"; empty: no parent
    QStringList options; // "ces" (assignees), "fir" (signatory), "ciu" (city)
    bool required = false; // an annex: refused without its request form
    int line = 0;
};

struct FormDescription
{
    QString fileName; // where it came from, for messages
    QString code;     // "KELU"
    QString caption;  // window caption
    QString title;    // the outline's title line
    int ancho = 0;    // scroll ranges
    int alto = 0;
    QString pageControl = QStringLiteral("PageControl1");
    // `sections runtime`: the pages carry no outline lines; the window writes its outline
    // when it opens (the generic form, from the main database).
    bool seccionesEnEjecucion = false;
    QList<TableDescription> tables;
    QList<QueryDescription> queries;
    QList<PageDescription> pages;
    QList<ValidationDescription> validations;
    ParentDescription parent;

    // The section outline: the title line, then the outline line of every page after the
    // first, one leading tab per level below the title, lines ended by CR LF (the title
    // alone with `sections runtime`).
    QString secciones() const;
    const TableDescription *mainTable() const;
    const TableDescription *table(const QString &name) const;
    // The table whose name, dataset or data source is `name` (case ignored), or null.
    const TableDescription *tableBySourceName(const QString &name) const;
    const QueryDescription *query(const QString &name) const;

    // Checks what can be checked without a database: names unique, references to
    // tables, columns and sources resolvable, validation flags known. Each problem is one
    // message "file:line: text"; empty when sound.
    QStringList check() const;
    // "file:line: " for messages.
    QString where(int line) const;

    // The 14 validation flag names in their fixed order.
    static const QStringList &validationFlagNames();
};
