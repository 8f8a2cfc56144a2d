#include "dblookupcombobox.h"

#include "datacontrolslog.h"
#include "datasource.h"

DBLookupComboBox::DBLookupComboBox(QWidget *parent)
    : QComboBox(parent)
    , DataAwareControl(this)
{
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (m_loading || index < 0 || index >= m_listKeys.size())
            return;
        if (!fieldLink()->write(m_listKeys.at(index)))
            loadValue();
    });
    updateReadOnly();
}

void DBLookupComboBox::setListSource(DataSource *source, const QString &keyField, const QString &listField)
{
    for (const QMetaObject::Connection &c : std::as_const(m_listConnections))
        disconnect(c);
    m_listConnections.clear();
    m_listSource = source;
    m_keyField = keyField;
    m_listField = listField;
    if (source) {
        m_listConnections << connect(source, &DataSource::stateChanged, this, &DBLookupComboBox::loadList);
        m_listConnections << connect(source, &DataSource::layoutChanged, this, &DBLookupComboBox::loadList);
        m_listConnections << connect(source, &QObject::destroyed, this, &DBLookupComboBox::loadList);
    }
    loadList();
}

QStringList DBLookupComboBox::bindingErrors() const
{
    QStringList errors = DataAwareControl::bindingErrors();
    if (!m_listError.isEmpty())
        errors << m_listError;
    return errors;
}

void DBLookupComboBox::loadList()
{
    m_listKeys.clear();
    m_listError.clear();
    m_loading = true;
    clear();
    Dataset *ds = m_listSource ? m_listSource->DataSet() : nullptr;
    if (ds && ds->Active()) {
        const Field *key = ds->FindField(m_keyField);
        const Field *shown = ds->FindField(m_listField);
        if (!key || !shown) {
            m_listError = QStringLiteral("Campo \"%1\" no existe en DataSet \"%2\"").arg(key ? m_listField : m_keyField, ds->displayName());
            qCCritical(lcDataControls).noquote() << m_listError << "(lista de" << objectName() << ")";
        } else {
            const int rows = ds->rowCount();
            for (int r = 0; r < rows; ++r) {
                m_listKeys << ds->valueAt(r, key);
                addItem(ds->displayTextAt(r, shown));
            }
        }
    }
    m_loading = false;
    showBindingState();
    loadValue();
}

void DBLookupComboBox::loadValue()
{
    const Field *f = fieldLink()->active() ? field() : nullptr;
    int index = -1;
    if (f && !f->IsNull()) {
        const QString value = f->AsString();
        const Dataset *ds = m_listSource ? m_listSource->DataSet() : nullptr;
        const Field *key = ds ? ds->FindField(m_keyField) : nullptr;
        for (int i = 0; key && i < m_listKeys.size(); ++i) {
            if (key->textOf(m_listKeys.at(i)) == value) {
                index = i;
                break;
            }
        }
    }
    m_loading = true;
    setCurrentIndex(index);
    m_loading = false;
}

void DBLookupComboBox::updateReadOnly()
{
    if (bindingErrors().isEmpty())
        setEnabled(editable());
}
