#pragma once
// The open-document dialog: the document index grouped by property.
#include <QDialog>

// TODO: the browser of the document index arrives with the document commands.
class TFormPpalForms : public QDialog
{
    Q_OBJECT

public:
    explicit TFormPpalForms(QWidget *parent = nullptr);
};
