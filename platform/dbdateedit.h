#pragma once
// Data-aware date edit: shows and takes dates as dd-mm-yyyy (dd/mm/yyyy and two-digit
// years are not guessed at); an empty text clears the field.
#include "dbedit.h"

class DBDateEdit : public DBEdit
{
    Q_OBJECT

public:
    explicit DBDateEdit(QWidget *parent = nullptr);

protected:
    QString textOfField(const Field *field) const override;
    bool valueOfText(const QString &text, QVariant &value, QString &message) const override;
};
