#pragma once
// Data-aware lookup combo: the field holds a key; the list shows `ListField` of the rows
// of `ListSource`'s dataset and stores the chosen row's `KeyField`. A key that no row
// holds shows empty and is kept. The list follows its dataset (open, refresh, filter).
// Read-only (and replica) means disabled: a lookup combo has no read-only look.
#include "dataawarecontrol.h"
#include "datasource.h"

#include <QComboBox>
#include <QPointer>
#include <QVariantList>

class DBLookupComboBox : public QComboBox, public DataAwareControl
{
    Q_OBJECT

public:
    explicit DBLookupComboBox(QWidget *parent = nullptr);

    // Binds the list; names are resolved when the list's dataset is open.
    void setListSource(DataSource *source, const QString &keyField, const QString &listField);
    DataSource *ListSource() const { return m_listSource; }
    QString KeyField() const { return m_keyField; }
    QString ListField() const { return m_listField; }

    QStringList bindingErrors() const override;
    // The keys of the list rows, in list order (for tests and callers that pick by key).
    QVariantList listKeys() const { return m_listKeys; }

protected:
    void loadValue() override;
    void updateReadOnly() override;

private:
    void loadList();

    QPointer<DataSource> m_listSource;
    QString m_keyField;
    QString m_listField;
    QString m_listError;
    QVariantList m_listKeys;
    QList<QMetaObject::Connection> m_listConnections;
    bool m_loading = false;
};
