#include "formgridbuilder.h"

#include <QFrame>

QWidget *FormGridBuilder::build(const ControlDescription &grid, DataSource *source, QWidget *parent)
{
    Q_UNUSED(source);
    auto *placeholder = new QFrame(parent);
    placeholder->setObjectName(grid.name);
    placeholder->setFrameShape(QFrame::StyledPanel);
    placeholder->setMinimumHeight(grid.grid.rows * 20 + 24);
    return placeholder;
}

QStringList FormGridBuilder::bindingErrors(const QWidget *window)
{
    Q_UNUSED(window);
    return {};
}
