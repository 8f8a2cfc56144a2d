#pragma once
// Paints a DBGrid's cells (current cell, edit button) and makes its cell editors: a list of
// descriptions for coded and lookup columns, a list with free text for pick lists, a line
// edit limited to the field's size and, for numbers, to digits with a decimal comma.
// At most one editor is open, always on the current cell; its text reaches the field only
// through commit(), and only when the user changed it. Internal to DBGrid.
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

class DBGrid;
class QComboBox;

class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit GridDelegate(DBGrid *grid);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // The view let the editor go (a reset, its own close): closing it again would be
    // closing an editor the view no longer has.
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;

    QWidget *editor() const { return m_editor; }
    QModelIndex editorIndex() const { return m_index; }
    // The open editor holds text the user typed and that is not in the field yet.
    bool modified() const { return m_editor && m_modified; }
    // Writes a changed editor's value to the field; false when refused (editor kept).
    bool commit() const;
    // Closes the editor without writing.
    void close();
    // Where a cell's edit button is drawn.
    static QRect buttonRect(const QRect &cell);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    // A key for the list window of a list editor; true when it was dealt with here.
    bool listKey(QComboBox *combo, QEvent *event);
    void userChanged() const;
    bool hasButton(const QModelIndex &index) const;

    DBGrid *m_grid;
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_index;
    mutable bool m_modified = false;
    mutable bool m_released = false;
    bool m_forwarding = false;
    mutable int m_listClosingKey = 0; // the key whose press may follow the list's closing
};
