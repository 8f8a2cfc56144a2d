#include "builtform.h"

#include "connection.h"
#include "dataawarecontrol.h"
#include "formgridbuilder.h"
#include "dataset.h"
#include "datasource.h"

#include <QTabWidget>
#include <QWidget>

BuiltForm::BuiltForm(const FormDescription &description, QWidget *window)
    : QObject(window)
    , m_description(description)
{
    setObjectName(QStringLiteral("BuiltForm"));
}

QWidget *BuiltForm::window() const
{
    return qobject_cast<QWidget *>(parent());
}

Dataset *BuiltForm::mainDataset() const
{
    const TableDescription *t = m_description.mainTable();
    DataSource *s = t ? dataSource(t->dataSource) : nullptr;
    return s ? s->DataSet() : nullptr;
}

DataSource *BuiltForm::mainDataSource() const
{
    const TableDescription *t = m_description.mainTable();
    return t ? dataSource(t->dataSource) : nullptr;
}

DataSource *BuiltForm::dataSource(const QString &name) const
{
    if (name.isEmpty())
        return mainDataSource();
    return m_sourceByName.value(name.toLower(), nullptr);
}

void BuiltForm::addDataset(Dataset *dataset, DataSource *source, const QStringList &names)
{
    m_datasets << dataset;
    m_sources << source;
    for (const QString &n : names)
        if (!n.isEmpty())
            m_sourceByName.insert(n.toLower(), source);
    connect(source, &DataSource::stateChanged, this, [this, dataset] {
        if (dataset->Active())
            applyFieldProperties(dataset);
    });
}

void BuiltForm::applyFieldProperties(Dataset *dataset)
{
    const TableDescription *t = m_description.tableBySourceName(dataset->objectName());
    if (!t)
        return;
    QStringList errors;
    for (const ColumnDescription &c : t->columns) {
        Field *f = dataset->FindField(c.name);
        if (!f) {
            errors << QStringLiteral("Campo \"%1\" no existe en DataSet \"%2\" (tabla %3)").arg(c.name, dataset->objectName(), t->name);
            continue;
        }
        if (!c.label.isEmpty())
            f->setDisplayLabel(c.label);
        if (c.readOnly)
            f->setReadOnly(true);
        if (!c.displayFormat.isEmpty())
            f->setDisplayFormat(c.displayFormat);
        if (c.displayWidth > 0)
            f->setDisplayWidth(c.displayWidth);
    }
    m_fieldErrors.insert(dataset, errors);
}

bool BuiltForm::openDatasets(QStringList *errors)
{
    bool ok = true;
    for (Dataset *ds : std::as_const(m_datasets)) {
        if (ds->Active())
            continue;
        if (!ds->Open()) {
            ok = false;
            if (errors)
                *errors << QStringLiteral("No se pudo abrir \"%1\": %2").arg(ds->objectName(), ds->lastError().text());
        }
    }
    return ok;
}

QStringList BuiltForm::bindingErrors() const
{
    QStringList errors;
    for (const Dataset *ds : m_datasets)
        errors << m_fieldErrors.value(ds);
    const QWidget *w = window();
    if (!w)
        return errors;
    for (QWidget *child : w->findChildren<QWidget *>()) {
        if (const auto *control = dynamic_cast<const DataAwareControl *>(child)) {
            for (const QString &e : control->bindingErrors())
                errors << QStringLiteral("%1: %2").arg(child->objectName(), e);
        }
    }
    errors << FormGridBuilder::bindingErrors(w);
    return errors;
}
