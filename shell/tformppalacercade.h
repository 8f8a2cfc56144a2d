#pragma once
// The about box: program name, subtitle and version.
#include <QDialog>

class QLabel;

class TformPpalAcercade : public QDialog
{
    Q_OBJECT

public:
    explicit TformPpalAcercade(QWidget *parent = nullptr);

    QLabel *lblVersion;

protected:
    void showEvent(QShowEvent *e) override;
};
