#pragma once
// The new-document dialog: the combinations of forms that can be created.
#include <QDialog>

// TODO: the list of combinations and its icons arrive with the document commands.
class TformPpalNuevo : public QDialog
{
    Q_OBJECT

public:
    explicit TformPpalNuevo(QWidget *parent = nullptr);
};
