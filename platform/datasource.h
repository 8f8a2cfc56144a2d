#pragma once
// The link between one dataset and the controls that show it (and detail datasets).
// Several data sources may share a dataset. A control connects to the signals; the form
// framework may set the std::function handlers instead (they run right after the signals).
//
//   stateChanged()       the dataset opened, closed or entered/left Edit or Insert
//   layoutChanged()      the set of rows or fields changed: open, close, refresh, filter,
//                        insert, post of an insert, delete, master moved
//   dataChanged(field)   a field of the current record changed (field), or the current
//                        record moved or was reloaded (nullptr)
// While the dataset's controls are disabled nothing is sent; EnableControls sends
// stateChanged, layoutChanged and dataChanged(nullptr) once. A disabled data source
// (setEnabled(false)) sends nothing.
#include "dataset.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class DataSource : public QObject
{
    Q_OBJECT

public:
    explicit DataSource(QObject *parent = nullptr);
    ~DataSource() override;

    Dataset *DataSet() const { return m_dataset; }
    void setDataSet(Dataset *dataset);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // Inactive when there is no dataset.
    DatasetState State() const;

    std::function<void(DataSource *, Field *)> OnDataChange;
    std::function<void(DataSource *)> OnStateChange;

    // Called by Dataset.
    void sendState();
    void sendLayout();
    void sendData(Field *field);
    void addDetail(Dataset *detail);
    void removeDetail(Dataset *detail);
    QList<Dataset *> details() const;

Q_SIGNALS:
    void stateChanged();
    void layoutChanged();
    void dataChanged(Field *field);

private:
    QPointer<Dataset> m_dataset;
    bool m_enabled = true;
    QList<QPointer<Dataset>> m_details;
};
