#pragma once
// The link of one data-aware control to one field of a data source's dataset.
//
// The field is named, and the name is resolved as soon as the dataset is open (at once
// when it already is, else when it opens). A name the dataset does not have is a fault of
// the form: it is logged as critical, kept in error() and the control shows it; it never
// passes silently. Re-binding (bind again, e.g. to a sibling form's data source) replaces
// the link.
//
// Every dataset operation a control starts from a Qt event goes through run(): an EAbort
// from a Before* handler is dropped silently there (the operation is cancelled) and a
// DatasetError is logged; neither escapes into Qt.
#include "datasource.h"
#include "field.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

class DataSource;
class Dataset;

class FieldLink : public QObject
{
    Q_OBJECT

public:
    explicit FieldLink(QObject *parent = nullptr);

    // False (error() says why) when the dataset is open and has no such field. An empty
    // name or no source unbinds.
    bool bind(DataSource *source, const QString &fieldName);
    DataSource *dataSource() const { return m_source; }
    Dataset *dataSet() const;
    QString fieldName() const { return m_fieldName; }
    // Null while the dataset has not been opened or when the name did not resolve.
    Field *field() const { return m_field; }
    // Empty unless the name failed to resolve.
    QString error() const { return m_error; }

    // The dataset is open and the field resolved.
    bool active() const;
    // The user may change the value: active, the dataset writable, the field not read-only.
    bool canModify() const;
    // The dataset is in Edit or Insert state.
    bool editing() const;

    // Puts the dataset into Edit (unless it is editing already). False when refused.
    bool edit();
    // Writes a value (text or typed) to the field, entering Edit first. False when the
    // value does not fit the field (the value stays as it was) or the edit was refused.
    bool write(const QVariant &value);

    // Runs a dataset operation started by the user; false when it was cancelled by an
    // abort or failed with a DatasetError (logged).
    static bool run(const std::function<void()> &operation);

Q_SIGNALS:
    // The control must show the value again: the field changed, the record moved, the
    // dataset opened, closed or changed state.
    void valueChanged();
    // The dataset changed state (also open and close); the control may need to change its
    // read-only look.
    void stateChanged();

private:
    void resolve();
    void onData(Field *field);

    QPointer<DataSource> m_source;
    QString m_fieldName;
    Field *m_field = nullptr;
    QPointer<Dataset> m_fieldDataset; // guards m_field
    QString m_error;
    QList<QMetaObject::Connection> m_connections;
};
