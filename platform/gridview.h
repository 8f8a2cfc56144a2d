#pragma once
// The table view inside a DBGrid: grid keys (Escape, Enter, Down on the last row, Insert,
// Delete), the edit button click and the editor that stays open with AlwaysShowEditor.
// Internal to DBGrid.
#include <QTableView>

class DBGrid;

class GridView : public QTableView
{
    Q_OBJECT

public:
    explicit GridView(DBGrid *grid);

    // Recomputes header sizes and scroll ranges (after titles or columns changed).
    void relayout() { updateGeometries(); }
    void keyboardSearch(const QString &) override {}
    // With AlwaysShowEditor, opens the current cell's editor once events are processed.
    void openEditorIfAlwaysShown();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    DBGrid *m_grid;
    bool m_editorQueued = false;
};
