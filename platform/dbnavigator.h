#pragma once
// Record navigator over a data source: first, prior, next, last, insert, delete, post and
// cancel, each enabled only when it can act. An operation that a Before* handler cancels
// (Abort) is dropped silently; nothing escapes into Qt. After an insert the focus goes to
// the new row's first editable cell in the window's grid over the same data source.
#include <QPointer>
#include <QWidget>

class DataSource;
class Dataset;
class QToolButton;

class DBNavigator : public QWidget
{
    Q_OBJECT

public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Post, Cancel, ButtonCount };

    explicit DBNavigator(QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return m_source; }
    // Read-only hides nothing but disables the editing buttons.
    void setControlReadOnly(bool readOnly);
    bool controlReadOnly() const { return m_readOnly; }

    QToolButton *button(Button which) const { return m_buttons[which]; }
    // What a click does (tests and keyboard shortcuts use it); false when the button is
    // disabled or the operation was cancelled.
    bool trigger(Button which);

private:
    void updateButtons();
    void focusNewRow();
    Dataset *dataSet() const;

    QPointer<DataSource> m_source;
    QList<QMetaObject::Connection> m_connections;
    QToolButton *m_buttons[ButtonCount] = {};
    bool m_readOnly = false;
};
