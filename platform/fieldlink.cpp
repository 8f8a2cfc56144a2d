#include "fieldlink.h"

#include "abort.h"
#include "datacontrolslog.h"
#include "dataseterror.h"
#include "datasource.h"

FieldLink::FieldLink(QObject *parent)
    : QObject(parent)
{
}

bool FieldLink::bind(DataSource *source, const QString &fieldName)
{
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    m_fieldName = fieldName;
    m_field = nullptr;
    m_error.clear();
    if (source && !fieldName.isEmpty()) {
        m_connections << connect(source, &DataSource::stateChanged, this, [this] {
            resolve();
            Q_EMIT stateChanged();
            Q_EMIT valueChanged();
        });
        m_connections << connect(source, &DataSource::layoutChanged, this, [this] {
            resolve();
            Q_EMIT valueChanged();
        });
        m_connections << connect(source, &DataSource::dataChanged, this, &FieldLink::onData);
        m_connections << connect(source, &QObject::destroyed, this, [this] {
            m_field = nullptr;
            Q_EMIT stateChanged();
            Q_EMIT valueChanged();
        });
        resolve();
    }
    Q_EMIT stateChanged();
    Q_EMIT valueChanged();
    return m_error.isEmpty();
}

Dataset *FieldLink::dataSet() const
{
    return m_source ? m_source->DataSet() : nullptr;
}

void FieldLink::resolve()
{
    Dataset *ds = dataSet();
    if (m_field && m_fieldDataset == ds)
        return;
    m_field = nullptr;
    if (!ds || !ds->Active())
        return;
    m_field = ds->FindField(m_fieldName);
    const bool reported = m_fieldDataset == ds && !m_error.isEmpty();
    m_fieldDataset = ds;
    if (m_field) {
        m_error.clear();
        return;
    }
    if (reported)
        return;
    m_error = QStringLiteral("Campo \"%1\" no existe en DataSet \"%2\"").arg(m_fieldName, ds->displayName());
    qCCritical(lcDataControls).noquote() << m_error << "(control" << parent() << ")";
}

void FieldLink::onData(Field *field)
{
    // A lookup or calculated field changes with the fields it comes from, which the
    // dataset reports under their own names.
    if (!field || field == m_field || (m_field && m_field->Kind() != FieldKind::Data))
        Q_EMIT valueChanged();
}

bool FieldLink::active() const
{
    const Dataset *ds = dataSet();
    return m_field && m_fieldDataset == ds && ds->Active();
}

bool FieldLink::canModify() const
{
    return active() && dataSet()->CanModify() && !m_field->ReadOnly();
}

bool FieldLink::editing() const
{
    const Dataset *ds = dataSet();
    return ds && (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert);
}

bool FieldLink::edit()
{
    if (!canModify())
        return false;
    if (editing())
        return true;
    bool ok = false;
    run([&] { ok = dataSet()->Edit(); });
    return ok && editing();
}

bool FieldLink::write(const QVariant &value)
{
    if (!edit())
        return false;
    bool ok = false;
    run([&] { ok = m_field->setValue(value); });
    return ok;
}

bool FieldLink::run(const std::function<void()> &operation)
{
    try {
        return catchAbort(operation);
    } catch (const DatasetError &e) {
        qCWarning(lcDataControls).noquote() << e.message();
        return false;
    } catch (const std::exception &e) {
        qCCritical(lcDataControls) << "operation failed:" << e.what();
        return false;
    }
}
