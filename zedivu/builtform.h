#pragma once
// What FormBuilder made for one form window: the page control, the datasets and data
// sources in description order, and the checks of their bindings. It is a child of the
// form window and lives as long as it; every component it lists is a child of the window
// too, so findComponent<T>(window, name) finds them.
#include "formdescription.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTabWidget>

class Connection;
class DataSource;
class Dataset;
class QTabWidget;
class QWidget;

class BuiltForm : public QObject
{
    Q_OBJECT

public:
    BuiltForm(const FormDescription &description, QWidget *window);

    const FormDescription &description() const { return m_description; }
    QWidget *window() const;
    QTabWidget *pages() const { return m_pages; }
    // The main table's dataset ("adsPpal") and data source ("dsrcPpal").
    Dataset *mainDataset() const;
    DataSource *mainDataSource() const;
    // Working tables first, in description order, then the queries.
    const QList<Dataset *> &datasets() const { return m_datasets; }
    const QList<DataSource *> &dataSources() const { return m_sources; }
    // The data source a description names: a table, a dataset or a data source name
    // (case ignored); empty names the main table. Null when none.
    DataSource *dataSource(const QString &name) const;

    // Opens every dataset not open yet, tables in description order (lookups need their
    // tables first), then the queries. False when one failed; `errors` says which and why.
    bool openDatasets(QStringList *errors = nullptr);
    // Every binding that does not resolve now: a described column the table lacks, a
    // control or grid column naming a field its dataset lacks, a lookup list field. Only
    // open datasets are checked; empty when all is sound.
    QStringList bindingErrors() const;

    // For the builder.
    void setPages(QTabWidget *pages) { m_pages = pages; }
    void addDataset(Dataset *dataset, DataSource *source, const QStringList &names);
    void applyFieldProperties(Dataset *dataset);

private:
    FormDescription m_description;
    QPointer<QTabWidget> m_pages;
    QList<Dataset *> m_datasets;
    QList<DataSource *> m_sources;
    QHash<QString, DataSource *> m_sourceByName; // lower-case names
    QHash<const Dataset *, QStringList> m_fieldErrors;
};
