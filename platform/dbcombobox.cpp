#include "dbcombobox.h"

#include <QKeyEvent>
#include <QWheelEvent>

DBComboBox::DBComboBox(QWidget *parent)
    : QComboBox(parent)
    , DataAwareControl(this)
{
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (m_loading || index < 0 || index >= m_items.size())
            return;
        if (!fieldLink()->write(m_keys.isEmpty() ? m_items.at(index) : m_keys.at(index)))
            loadValue();
    });
}

void DBComboBox::setItems(const QStringList &items, const QStringList &keys)
{
    m_items = items;
    m_keys = keys.size() == items.size() ? keys : QStringList();
    m_loading = true;
    clear();
    addItems(items);
    m_loading = false;
    loadValue();
}

void DBComboBox::loadValue()
{
    const Field *f = fieldLink()->active() ? field() : nullptr;
    int index = -1;
    if (f && !f->IsNull()) {
        const QString value = f->AsString();
        index = (m_keys.isEmpty() ? m_items : m_keys).indexOf(value);
    }
    m_loading = true;
    setCurrentIndex(index);
    m_loading = false;
}

void DBComboBox::updateReadOnly()
{
}

void DBComboBox::showPopup()
{
    if (editable())
        QComboBox::showPopup();
}

void DBComboBox::keyPressEvent(QKeyEvent *event)
{
    if (editable() || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        QComboBox::keyPressEvent(event);
    else
        event->accept();
}

void DBComboBox::wheelEvent(QWheelEvent *event)
{
    if (editable())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}
