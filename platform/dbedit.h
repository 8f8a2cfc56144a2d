#pragma once
// Data-aware single-line edit. Shows the field's display text (decimal comma, dd-mm-yyyy),
// enforces a text field's size, enters Edit state as the user types and writes the text to
// the field when the user leaves the edit or presses Enter. A null field shows empty and
// stays null unless the user changes the text.
//
// A text the field cannot take ("abc" in a number) is kept on screen, marked invalid and
// reported through invalidInput(); the field keeps its value and the next exit tries again.
#include "dataawarecontrol.h"

#include <QColor>
#include <QLineEdit>

class DBEdit : public QLineEdit, public DataAwareControl
{
    Q_OBJECT

public:
    explicit DBEdit(QWidget *parent = nullptr);

    // Writes pending typed text to the field now; false when the text was not accepted.
    bool commit();
    // The text differs from the field and has not been written yet.
    bool pendingInput() const { return m_pending; }
    bool inputInvalid() const { return m_invalid; }

Q_SIGNALS:
    // The typed text does not fit the field; `message` says why, in Spanish.
    void invalidInput(const QString &message);

protected:
    void loadValue() override;
    void updateReadOnly() override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    // The field's value as shown, and the conversion of typed text back to a value.
    virtual QString textOfField(const Field *field) const;
    virtual bool valueOfText(const QString &text, QVariant &value, QString &message) const;

private:
    void userEdited();
    void setInvalid(bool invalid, const QString &message = QString());

    bool m_pending = false;
    bool m_invalid = false;
    bool m_loading = false;
    QColor m_validTextColor;
    QString m_validToolTip;
};
