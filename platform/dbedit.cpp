#include "dbedit.h"

#include <algorithm>

#include <QFocusEvent>
#include <QKeyEvent>

DBEdit::DBEdit(QWidget *parent)
    : QLineEdit(parent)
    , DataAwareControl(this)
{
    connect(this, &QLineEdit::textEdited, this, &DBEdit::userEdited);
    connect(this, &QLineEdit::returnPressed, this, [this] { commit(); });
    updateReadOnly();
}

QString DBEdit::textOfField(const Field *field) const
{
    return field->DisplayText();
}

bool DBEdit::valueOfText(const QString &text, QVariant &value, QString &message) const
{
    const Field *f = field();
    QVariant stored;
    if (!f->toStored(text, stored)) {
        message = f->isNumeric() ? QStringLiteral("\"%1\" no es un número válido para el campo \"%2\"").arg(text, f->DisplayLabel())
                                 : QStringLiteral("\"%1\" no es un valor válido para el campo \"%2\"").arg(text, f->DisplayLabel());
        return false;
    }
    value = text;
    return true;
}

void DBEdit::loadValue()
{
    const Field *f = fieldLink()->active() ? field() : nullptr;
    m_loading = true;
    int limit = f && f->DataType() == FieldType::Text && f->Size() > 0 ? f->Size() : 32767;
    // A limit of the edit's own (property "maxChars", set where it is built) narrows it
    // for any field type.
    if (const int propio = property("maxChars").toInt(); propio > 0)
        limit = std::min(limit, propio);
    setMaxLength(limit);
    if (!m_pending || !f || !fieldLink()->editing()) {
        setText(f ? textOfField(f) : QString());
        m_pending = false;
        setInvalid(false);
        setCursorPosition(0);
    }
    setAlignment(f && f->isNumeric() ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    m_loading = false;
}

void DBEdit::updateReadOnly()
{
    setReadOnly(!editable());
    showReadOnlyLook(isReadOnly() && fieldLink()->active());
}

void DBEdit::userEdited()
{
    if (m_loading)
        return;
    // Entering Edit state reloads the control: keep what the user typed.
    const QString typed = text();
    const int cursor = cursorPosition();
    m_pending = true;
    if (!fieldLink()->edit()) {
        m_pending = false;
        loadValue();
        return;
    }
    if (text() != typed) {
        m_loading = true;
        setText(typed);
        setCursorPosition(cursor);
        m_loading = false;
    }
}

bool DBEdit::commit()
{
    if (!m_pending || m_loading)
        return true;
    if (!fieldLink()->active() || !fieldLink()->editing()) {
        m_pending = false;
        loadValue();
        return false;
    }
    QVariant value;
    QString message;
    if (!valueOfText(text(), value, message)) {
        setInvalid(true, message);
        Q_EMIT invalidInput(message);
        return false;
    }
    if (!fieldLink()->write(value)) {
        const QString why = QStringLiteral("El campo \"%1\" no aceptó el valor \"%2\"").arg(field()->DisplayLabel(), text());
        setInvalid(true, why);
        Q_EMIT invalidInput(why);
        return false;
    }
    m_pending = false;
    setInvalid(false);
    loadValue();
    return true;
}

void DBEdit::setInvalid(bool invalid, const QString &message)
{
    if (m_invalid == invalid)
        return;
    m_invalid = invalid;
    QPalette pal = palette();
    if (invalid) {
        m_validTextColor = pal.color(QPalette::Text);
        m_validToolTip = toolTip();
        pal.setColor(QPalette::Text, QColor(200, 0, 0));
        setToolTip(message);
    } else {
        pal.setColor(QPalette::Text, m_validTextColor);
        setToolTip(m_validToolTip);
    }
    setPalette(pal);
}

void DBEdit::focusOutEvent(QFocusEvent *event)
{
    commit();
    QLineEdit::focusOutEvent(event);
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    // Escape drops the typed text and shows the field again.
    if (event->key() == Qt::Key_Escape && m_pending) {
        m_pending = false;
        loadValue();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
