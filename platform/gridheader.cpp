#include "gridheader.h"

#include "dbgrid.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace {

// The group parts 0..level of two titles are the same.
bool sameGroups(const QStringList &a, const QStringList &b, int level)
{
    if (a.size() <= level + 1 || b.size() <= level + 1)
        return false;
    for (int i = 0; i <= level; ++i)
        if (a.at(i) != b.at(i))
            return false;
    return true;
}

int sum(const QList<int> &values, int count)
{
    int total = 0;
    for (int i = 0; i < count && i < values.size(); ++i)
        total += values.at(i);
    return total;
}

} // namespace

GridHeader::GridHeader(DBGrid *grid, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
    , m_grid(grid)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
}

QStringList GridHeader::piecesOf(int logical) const
{
    const GridColumn *column = m_grid->Columns(logical);
    return column ? column->TitlePieces() : QStringList{QString()};
}

QList<int> GridHeader::visibleSections() const
{
    QList<int> out;
    for (int v = 0; v < count(); ++v) {
        const int logical = logicalIndex(v);
        if (!isSectionHidden(logical))
            out.append(logical);
    }
    return out;
}

int GridHeader::textHeight(const QString &text) const
{
    return int(text.count(QLatin1Char('\n')) + 1) * fontMetrics().lineSpacing() + 6;
}

QList<int> GridHeader::groupHeights() const
{
    QList<int> heights;
    for (int logical : visibleSections()) {
        const QStringList pieces = piecesOf(logical);
        for (int level = 0; level + 1 < pieces.size(); ++level) {
            if (heights.size() <= level)
                heights.append(0);
            heights[level] = std::max(heights.at(level), textHeight(pieces.at(level)));
        }
    }
    return heights;
}

QSize GridHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    const QList<int> groups = groupHeights();
    int height = textHeight(QString());
    for (int logical : visibleSections()) {
        const QStringList pieces = piecesOf(logical);
        height = std::max(height, sum(groups, int(pieces.size()) - 1) + textHeight(pieces.last()));
    }
    size.setHeight(height);
    return size;
}

QList<GridHeader::Span> GridHeader::groupSpans(int level) const
{
    const QList<int> sections = visibleSections();
    QList<QStringList> pieces;
    for (int logical : sections)
        pieces.append(piecesOf(logical));
    QList<Span> spans;
    for (int i = 0; i < sections.size();) {
        if (pieces.at(i).size() <= level + 1) {
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < sections.size() && sameGroups(pieces.at(i), pieces.at(j), level))
            ++j;
        spans.append(Span{sections.at(i), sections.at(j - 1), pieces.at(i).at(level)});
        i = j;
    }
    return spans;
}

void GridHeader::paintCell(QPainter &painter, const QRect &rect, const QString &text) const
{
    QStyleOptionHeader option;
    option.initFrom(this);
    option.rect = rect;
    option.orientation = Qt::Horizontal;
    option.state |= QStyle::State_Raised | QStyle::State_Horizontal;
    if (isEnabled())
        option.state |= QStyle::State_Enabled;
    style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect.adjusted(3, 2, -3, -2), Qt::AlignCenter, text);
}

void GridHeader::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QList<int> sections = visibleSections();
    const QList<int> groups = groupHeights();
    const int height = viewport()->height();

    QStyleOptionHeader empty;
    empty.initFrom(this);
    empty.rect = viewport()->rect();
    style()->drawControl(QStyle::CE_HeaderEmptyArea, &empty, &painter, this);

    QList<QStringList> pieces;
    for (int logical : sections)
        pieces.append(piecesOf(logical));

    for (int level = 0; level < groups.size(); ++level) {
        for (const Span &span : groupSpans(level)) {
            const int x = sectionViewportPosition(span.first);
            const int width = sectionViewportPosition(span.last) + sectionSize(span.last) - x;
            paintCell(painter, QRect(x, sum(groups, level), width, groups.at(level)), span.text);
        }
    }
    for (int i = 0; i < sections.size(); ++i) {
        const int y = sum(groups, int(pieces.at(i).size()) - 1);
        paintCell(painter, QRect(sectionViewportPosition(sections.at(i)), y, sectionSize(sections.at(i)), height - y),
                  pieces.at(i).last());
    }
}
