#pragma once
// One column of a DBGrid, bound to a field of the grid's dataset by name. The grid owns its
// columns; a column pointer stays valid until the column is removed or the grid destroyed.
//
// Title: the caption shown in the grid's header, the field's display label unless set.
// A line break in it starts a new line; the parts separated by "|" are header levels: the
// parts before the last name column groups ("Coordenadas UTM | N"), and adjacent columns
// that share a group are shown under one cell.
//
// Coded columns: a non-empty KeyList holds the codes the field stores and PickList the
// descriptions shown, at the same positions. The cell shows the description of the
// field's code, or the field's text as is when the code is not in the key list; the editor
// lists the descriptions and writes the code. A PickList without KeyList offers texts that
// are stored as they stand. The lists may be changed at any time (the framework appends
// free "other" entries from the update-data handler); MinWidth carries, negated, the code
// of a list's "other" entry.
//
// Lookup columns: a column bound to a lookup field ("num_look") shows the looked-up value
// and its editor lists the values of the lookup dataset; choosing one writes the key.
#include "gridfooter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class DBGrid;
class Field;

class GridColumn
{
public:
    enum class ButtonStyle { Auto, Ellipsis, None };

    // Called when an edited cell value is about to be written to the field. `text` is what
    // the user typed or chose (the description in a coded column); `value` is what will be
    // written: the code in a coded column, the typed text otherwise. The handler may change
    // both, or set `handled` to write nothing. It may throw EAbort to refuse the value.
    using UpdateDataEvent = std::function<void(GridColumn *column, QString &text, QVariant &value, bool &handled)>;
    // Called when the column's edit button ("...") is clicked on the current row.
    using EditButtonClickEvent = std::function<void(GridColumn *column, bool &handled)>;

    GridColumn(DBGrid *grid, const QString &fieldName);

    DBGrid *Grid() const { return m_grid; }
    // Position among the grid's columns.
    int Index() const;

    QString FieldName() const { return m_fieldName; }
    void setFieldName(const QString &name);
    // The bound field of the grid's dataset, or null (no dataset, or no such field).
    Field *field() const;
    // The bound field is a lookup field.
    bool isLookup() const;

    // The explicit title, empty when the field's label is used.
    QString Title() const { return m_title; }
    void setTitle(const QString &title);
    // The title shown: the explicit title or the field's display label or the field name.
    QString TitleCaption() const;
    // TitleCaption split at "|", each part trimmed; at least one part.
    QStringList TitlePieces() const;

    // Width in pixels; until set, a width that suits the field and the title.
    int Width() const;
    void setWidth(int width);
    int MinWidth() const { return m_minWidth; }
    void setMinWidth(int minWidth) { m_minWidth = minWidth; }
    // Horizontal alignment of the cells; until set, right for numbers, left otherwise.
    Qt::Alignment Alignment() const;
    void setAlignment(Qt::Alignment alignment);
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    const QStringList &KeyList() const { return m_keyList; }
    QStringList &KeyList() { return m_keyList; }
    void setKeyList(const QStringList &keys);
    const QStringList &PickList() const { return m_pickList; }
    QStringList &PickList() { return m_pickList; }
    void setPickList(const QStringList &items);
    // The editor's list drops down at the first character typed into it.
    bool AutoDropDown() const { return m_autoDropDown; }
    void setAutoDropDown(bool autoDropDown) { m_autoDropDown = autoDropDown; }
    ButtonStyle buttonStyle() const { return m_buttonStyle; }
    void setButtonStyle(ButtonStyle style);

    // Footer cell of footer row `row` (created empty on first use).
    GridFooter &Footer(int row = 0);
    GridFooter footerAt(int row) const;

    // The text the cell shows for a value of the bound field (pick list applied).
    QString displayTextOf(const QVariant &value) const;
    // The text the cell shows in a display row of the dataset (see Dataset::rowCount).
    QString DisplayTextAt(int row) const;
    // The text the cell shows in the current record.
    QString DisplayText() const;
    // The description of `code` in the pick list; false when the key list does not hold it.
    bool descriptionOf(const QString &code, QString &description) const;

    // The column can be written in principle: visible, not read-only, its field writable.
    // The grid adds its own conditions (options, dataset state, allowed operations).
    bool canWrite() const;

    UpdateDataEvent OnUpdateData;
    EditButtonClickEvent OnEditButtonClick;

private:
    friend class DBGrid; // takes widths resized by the user without echoing them back
    void changed(bool geometry);

    DBGrid *m_grid;
    QString m_fieldName;
    QString m_title;
    int m_width = -1;
    int m_minWidth = 0;
    Qt::Alignment m_alignment;
    bool m_readOnly = false;
    bool m_visible = true;
    int m_tag = 0;
    QStringList m_keyList;
    QStringList m_pickList;
    bool m_autoDropDown = false;
    ButtonStyle m_buttonStyle = ButtonStyle::Auto;
    QList<GridFooter> m_footers;
};
