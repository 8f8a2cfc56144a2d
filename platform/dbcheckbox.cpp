#include "dbcheckbox.h"


DBCheckBox::DBCheckBox(QWidget *parent)
    : QCheckBox(parent)
    , DataAwareControl(this)
{
    connect(this, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_loading || !editable())
            return;
        if (!fieldLink()->write(checked))
            loadValue();
    });
    updateReadOnly();
}

void DBCheckBox::loadValue()
{
    const Field *f = fieldLink()->active() ? field() : nullptr;
    m_loading = true;
    setChecked(f && !f->IsNull() && f->AsBoolean());
    m_loading = false;
}

void DBCheckBox::updateReadOnly()
{
    setFocusPolicy(editable() ? Qt::StrongFocus : Qt::NoFocus);
}

// A check box has no read-only mode of its own: a click leaves it as it is.
void DBCheckBox::nextCheckState()
{
    if (editable())
        QCheckBox::nextCheckState();
}
