#pragma once
// The column titles of a DBGrid. A title's parts separated by "|" are header levels: every
// part but the last is a group cell, shown once over adjacent visible columns that have the
// same groups down to that level; the last part fills the rest of the header's height.
// Line breaks in a part give it several lines. Internal to DBGrid.
#include <QHeaderView>

class DBGrid;

class GridHeader : public QHeaderView
{
    Q_OBJECT

public:
    GridHeader(DBGrid *grid, QWidget *parent);

    // One group cell: the visible columns first..last (logical indexes, adjacent on
    // screen) under the group text.
    struct Span
    {
        int first;
        int last;
        QString text;
    };

    QSize sizeHint() const override;
    // Heights of the group levels, top first (one fewer than the levels).
    QList<int> groupHeights() const;
    // The group cells of a level, left to right.
    QList<Span> groupSpans(int level) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<int> visibleSections() const;
    QStringList piecesOf(int logical) const;
    int textHeight(const QString &text) const;
    void paintCell(QPainter &painter, const QRect &rect, const QString &text) const;

    DBGrid *m_grid;
};
