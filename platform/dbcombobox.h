#pragma once
// Data-aware combo box with a fixed list: Items() are shown, KeyItems() are stored (the
// item itself is stored when there are no keys). A value that is not in the list shows
// an empty choice and is kept. Choosing an entry writes the field at once.
#include "dataawarecontrol.h"

#include <QComboBox>
#include <QStringList>

class DBComboBox : public QComboBox, public DataAwareControl
{
    Q_OBJECT

public:
    explicit DBComboBox(QWidget *parent = nullptr);

    // Replaces the list; `keys` empty or as long as `items`.
    void setItems(const QStringList &items, const QStringList &keys = {});
    QStringList Items() const { return m_items; }
    QStringList KeyItems() const { return m_keys; }

protected:
    void loadValue() override;
    void updateReadOnly() override;
    void showPopup() override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QStringList m_items;
    QStringList m_keys;
    bool m_loading = false;
};
