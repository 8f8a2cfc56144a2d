#include "gridcolumn.h"

#include "dataset.h"
#include "dbgrid.h"
#include "field.h"

#include <QFontMetrics>

GridColumn::GridColumn(DBGrid *grid, const QString &fieldName)
    : m_grid(grid)
    , m_fieldName(fieldName)
{
}

int GridColumn::Index() const
{
    return m_grid->indexOf(this);
}

void GridColumn::changed(bool geometry)
{
    m_grid->columnChanged(this, geometry);
}

void GridColumn::setFieldName(const QString &name)
{
    m_fieldName = name;
    changed(true);
}

Field *GridColumn::field() const
{
    const Dataset *ds = m_grid->DataSet();
    return ds ? ds->FindField(m_fieldName) : nullptr;
}

bool GridColumn::isLookup() const
{
    const Field *f = field();
    return f && f->Kind() == FieldKind::Lookup;
}

void GridColumn::setTitle(const QString &title)
{
    m_title = title;
    changed(true);
}

QString GridColumn::TitleCaption() const
{
    if (!m_title.isEmpty())
        return m_title;
    if (const Field *f = field())
        return f->DisplayLabel();
    return m_fieldName;
}

QStringList GridColumn::TitlePieces() const
{
    QStringList pieces = TitleCaption().split(QLatin1Char('|'));
    for (QString &p : pieces)
        p = p.trimmed();
    return pieces;
}

int GridColumn::Width() const
{
    if (m_width >= 0)
        return m_width;
    const QFontMetrics fm(m_grid->font());
    int chars = 10;
    if (const Field *f = field()) {
        switch (f->DataType()) {
        case FieldType::Text:
            chars = std::clamp(f->Size(), 4, 30);
            break;
        case FieldType::Memo:
            chars = 24;
            break;
        case FieldType::Boolean:
            chars = 4;
            break;
        default:
            chars = 10;
            break;
        }
    }
    int width = chars * fm.averageCharWidth() + 8;
    for (const QString &line : TitlePieces().last().split(QLatin1Char('\n')))
        width = std::max(width, fm.horizontalAdvance(line) + 10);
    return width;
}

void GridColumn::setWidth(int width)
{
    if (width == m_width)
        return;
    m_width = width;
    changed(true);
}

Qt::Alignment GridColumn::Alignment() const
{
    if (m_alignment)
        return m_alignment;
    const Field *f = field();
    return f && f->isNumeric() && m_keyList.isEmpty() ? Qt::AlignRight : Qt::AlignLeft;
}

void GridColumn::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    changed(false);
}

void GridColumn::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    changed(false);
}

void GridColumn::setVisible(bool visible)
{
    m_visible = visible;
    changed(true);
}

void GridColumn::setKeyList(const QStringList &keys)
{
    m_keyList = keys;
    changed(false);
}

void GridColumn::setPickList(const QStringList &items)
{
    m_pickList = items;
    changed(false);
}

void GridColumn::setButtonStyle(ButtonStyle style)
{
    m_buttonStyle = style;
    changed(false);
}

GridFooter &GridColumn::Footer(int row)
{
    while (m_footers.size() <= row)
        m_footers.append(GridFooter());
    return m_footers[row];
}

GridFooter GridColumn::footerAt(int row) const
{
    return m_footers.value(row);
}

bool GridColumn::descriptionOf(const QString &code, QString &description) const
{
    const qsizetype i = m_keyList.indexOf(code);
    if (i < 0 || i >= m_pickList.size())
        return false;
    description = m_pickList.at(i);
    return true;
}

QString GridColumn::displayTextOf(const QVariant &value) const
{
    const Field *f = field();
    if (!f)
        return QString();
    if (!m_keyList.isEmpty() && !value.isNull()) {
        QString description;
        if (descriptionOf(f->textOf(value), description))
            return description;
    }
    return f->displayTextOf(value);
}

QString GridColumn::DisplayTextAt(int row) const
{
    const Field *f = field();
    return f ? displayTextOf(f->DataSet()->valueAt(row, f)) : QString();
}

QString GridColumn::DisplayText() const
{
    const Field *f = field();
    return f ? displayTextOf(f->Value()) : QString();
}

bool GridColumn::canWrite() const
{
    const Field *f = field();
    if (!f || m_readOnly || !m_visible || f->ReadOnly())
        return false;
    switch (f->Kind()) {
    case FieldKind::Calculated:
        return false;
    case FieldKind::Lookup: {
        const Dataset *ds = f->DataSet();
        for (const QString &name : f->KeyFields().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const Field *key = ds->FindField(name.trimmed());
            if (!key || key->ReadOnly())
                return false;
        }
        return true;
    }
    case FieldKind::Data:
        return f->DataType() != FieldType::AutoInc;
    }
    return false;
}
