#include "datasource.h"

DataSource::DataSource(QObject *parent)
    : QObject(parent)
{
}

DataSource::~DataSource()
{
    if (m_dataset)
        m_dataset->removeDataSource(this);
}

void DataSource::setDataSet(Dataset *dataset)
{
    if (m_dataset == dataset)
        return;
    if (m_dataset)
        m_dataset->removeDataSource(this);
    m_dataset = dataset;
    if (m_dataset)
        m_dataset->addDataSource(this);
    sendState();
    sendLayout();
    for (Dataset *detail : details())
        detail->masterChanged();
}

void DataSource::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    if (m_enabled) {
        sendState();
        sendLayout();
    }
}

DatasetState DataSource::State() const
{
    return m_dataset ? m_dataset->State() : DatasetState::Inactive;
}

void DataSource::sendState()
{
    if (!m_enabled)
        return;
    Q_EMIT stateChanged();
    if (OnStateChange)
        OnStateChange(this);
}

void DataSource::sendLayout()
{
    if (!m_enabled)
        return;
    Q_EMIT layoutChanged();
    if (OnDataChange)
        OnDataChange(this, nullptr);
}

void DataSource::sendData(Field *field)
{
    if (!m_enabled)
        return;
    Q_EMIT dataChanged(field);
    if (OnDataChange)
        OnDataChange(this, field);
}

void DataSource::addDetail(Dataset *detail)
{
    for (const QPointer<Dataset> &d : std::as_const(m_details))
        if (d == detail)
            return;
    m_details.append(detail);
}

void DataSource::removeDetail(Dataset *detail)
{
    m_details.removeIf([detail](const QPointer<Dataset> &d) { return d.isNull() || d == detail; });
}

QList<Dataset *> DataSource::details() const
{
    QList<Dataset *> out;
    for (const QPointer<Dataset> &d : m_details)
        if (d)
            out.append(d.data());
    return out;
}
