#include "dbmemo.h"

#include <QTextCursor>

DBMemo::DBMemo(QWidget *parent)
    : QPlainTextEdit(parent)
    , DataAwareControl(this)
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::userEdited);
    updateReadOnly();
}

void DBMemo::loadValue()
{
    const Field *f = fieldLink()->active() ? field() : nullptr;
    if (m_pending && f && fieldLink()->editing())
        return;
    m_loading = true;
    setPlainText(f ? f->AsString() : QString());
    m_loading = false;
    m_pending = false;
}

void DBMemo::updateReadOnly()
{
    setReadOnly(!editable());
    showReadOnlyLook(isReadOnly() && fieldLink()->active());
}

void DBMemo::userEdited()
{
    if (m_loading)
        return;
    const QString typed = toPlainText();
    const int cursor = textCursor().position();
    m_pending = true;
    if (!fieldLink()->edit()) {
        m_pending = false;
        loadValue();
        return;
    }
    const Field *f = field();
    QString wanted = typed;
    if (f->DataType() == FieldType::Text && f->Size() > 0 && wanted.size() > f->Size())
        wanted.truncate(f->Size());
    if (toPlainText() != wanted) {
        m_loading = true;
        setPlainText(wanted);
        QTextCursor c = textCursor();
        c.setPosition(std::min(cursor, int(wanted.size())));
        setTextCursor(c);
        m_loading = false;
    }
}

bool DBMemo::commit()
{
    if (!m_pending)
        return true;
    m_pending = false;
    if (!fieldLink()->active() || !fieldLink()->editing()) {
        loadValue();
        return false;
    }
    const bool ok = fieldLink()->write(toPlainText());
    loadValue();
    return ok;
}

void DBMemo::focusOutEvent(QFocusEvent *event)
{
    commit();
    QPlainTextEdit::focusOutEvent(event);
}
