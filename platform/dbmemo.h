#pragma once
// Data-aware multi-line text. Enters Edit state as the user types and writes the text to
// the field when the user leaves it; Tab moves on rather than typing a tab. A field with
// a size (a text column) holds no more than that many characters.
#include "dataawarecontrol.h"

#include <QPlainTextEdit>

class DBMemo : public QPlainTextEdit, public DataAwareControl
{
    Q_OBJECT

public:
    explicit DBMemo(QWidget *parent = nullptr);

    // Writes pending typed text to the field now; false when refused.
    bool commit();
    bool pendingInput() const { return m_pending; }

protected:
    void loadValue() override;
    void updateReadOnly() override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void userEdited();

    bool m_pending = false;
    bool m_loading = false;
};
