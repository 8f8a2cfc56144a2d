#include "dbdateedit.h"

#include "chileantext.h"

DBDateEdit::DBDateEdit(QWidget *parent)
    : DBEdit(parent)
{
    setPlaceholderText(QStringLiteral("dd-mm-aaaa"));
}

QString DBDateEdit::textOfField(const Field *field) const
{
    const QDateTime dt = field->AsDateTime();
    return dt.isValid() ? ChileanText::fromDate(dt.date()) : field->AsString();
}

bool DBDateEdit::valueOfText(const QString &text, QVariant &value, QString &message) const
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        value = QVariant();
        return true;
    }
    const auto dt = ChileanText::toDateTime(t);
    if (!dt || t.size() < 10) {
        message = QStringLiteral("\"%1\" no es una fecha válida. El formato correcto es DD-MM-AAAA").arg(t);
        return false;
    }
    value = QDateTime(dt->date(), QTime(0, 0));
    return true;
}
