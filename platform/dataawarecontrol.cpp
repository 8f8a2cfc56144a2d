#include "dataawarecontrol.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

DataAwareControl::DataAwareControl(QWidget *self)
    : m_self(self)
    , m_link(new FieldLink(self))
{
    QObject::connect(m_link, &FieldLink::valueChanged, self, [this] { loadValue(); });
    QObject::connect(m_link, &FieldLink::stateChanged, self, [this] {
        updateReadOnly();
        showBindingState();
    });
}

DataAwareControl::~DataAwareControl()
{
    // The widget part is being destroyed: no more calls into it.
    QObject::disconnect(m_link, nullptr, m_self, nullptr);
}

bool DataAwareControl::setDataSource(DataSource *source, const QString &fieldName)
{
    const bool ok = m_link->bind(source, fieldName);
    updateReadOnly();
    showBindingState();
    loadValue();
    return ok;
}

void DataAwareControl::setControlReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    updateReadOnly();
}

QStringList DataAwareControl::bindingErrors() const
{
    return m_link->error().isEmpty() ? QStringList() : QStringList{m_link->error()};
}

void DataAwareControl::showBindingState()
{
    const QStringList errors = bindingErrors();
    if (!errors.isEmpty()) {
        if (!m_toolTipIsError)
            m_normalToolTip = m_self->toolTip();
        m_self->setToolTip(errors.join(QLatin1Char('\n')));
        m_toolTipIsError = true;
        m_self->setEnabled(false);
    } else if (m_toolTipIsError) {
        m_self->setToolTip(m_normalToolTip);
        m_toolTipIsError = false;
        m_self->setEnabled(true);
    }
}

void DataAwareControl::showReadOnlyLook(bool readOnly)
{
    if (m_replica || readOnly == m_greyed)
        return;
    QPalette pal = m_self->palette();
    if (readOnly) {
        m_normalBase = pal.color(QPalette::Active, QPalette::Base);
        pal.setColor(QPalette::Base, QColor(240, 240, 240));
    } else {
        pal.setColor(QPalette::Base, m_normalBase);
    }
    m_self->setPalette(pal);
    m_greyed = readOnly;
}

void DataAwareControl::showAsReplica(const QString &hint)
{
    m_replica = true;
    m_self->setToolTip(hint);
    m_normalToolTip = hint;
    QPalette pal = m_self->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Text, replicaText());
        pal.setColor(group, QPalette::WindowText, replicaText());
        pal.setColor(group, QPalette::ButtonText, replicaText());
        pal.setColor(group, QPalette::Base, replicaBackground());
        pal.setColor(group, QPalette::Button, replicaBackground());
    }
    m_self->setPalette(pal);
    m_self->setAutoFillBackground(true);
    setControlReadOnly(true);
}

const QColor &DataAwareControl::replicaText()
{
    static const QColor c(112, 112, 112);
    return c;
}

const QColor &DataAwareControl::replicaBackground()
{
    static const QColor c(247, 247, 247);
    return c;
}
