#pragma once
// What every data-aware control offers beside its widget: its binding (data source and
// field name, see FieldLink), a read-only switch of the form's own on top of the field's
// and the dataset's, the errors of its binding, and the look of a read-only replica of a
// sibling form's data (hint, grey text, light grey background, no editing).
#include "datasource.h"
#include "fieldlink.h"

#include <QColor>
#include <QString>
#include <QStringList>

class DataSource;
class QWidget;

class DataAwareControl
{
public:
    virtual ~DataAwareControl();

    // Binds (or re-binds) the control; false when the dataset is open and has no such
    // field (see bindingErrors()).
    virtual bool setDataSource(DataSource *source, const QString &fieldName);
    DataSource *dataSource() const { return m_link->dataSource(); }
    QString dataField() const { return m_link->fieldName(); }
    Field *field() const { return m_link->field(); }
    FieldLink *fieldLink() const { return m_link; }

    // Read-only by the form's decision; the control is also read-only while the field or
    // the dataset cannot be changed.
    void setControlReadOnly(bool readOnly);
    bool controlReadOnly() const { return m_readOnly; }
    // The user can change the value now.
    bool editable() const { return !m_readOnly && m_link->canModify(); }

    // Names that failed to resolve (empty when the binding is sound or not yet open).
    virtual QStringList bindingErrors() const;

    // Turns the control into a read-only replica: `hint` as its tool tip, text in grey
    // (112, 112, 112) on light grey (247, 247, 247), read-only (disabled where the
    // control has no read-only mode).
    virtual void showAsReplica(const QString &hint);

    static const QColor &replicaText();
    static const QColor &replicaBackground();

protected:
    explicit DataAwareControl(QWidget *self);
    // Shows the field's value again (also after a state change).
    virtual void loadValue() = 0;
    // Applies editable() to the widget.
    virtual void updateReadOnly() = 0;
    QWidget *self() const { return m_self; }
    // Shows a binding error on the control itself, so that it cannot go unnoticed.
    void showBindingState();
    // Gives a read-only edit a light grey background, so that the user sees it cannot be
    // typed into (a replica keeps its own colours).
    void showReadOnlyLook(bool readOnly);

private:
    QWidget *m_self;
    FieldLink *m_link;
    bool m_readOnly = false;
    QString m_normalToolTip;
    bool m_toolTipIsError = false;
    bool m_replica = false;
    bool m_greyed = false;
    QColor m_normalBase;
};
