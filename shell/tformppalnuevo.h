#pragma once
// The new-document dialog: the combinations of forms that can be created, one item per
// row of table formularios in form_id order, each with its icon img/form<extension>.bmp.
// Created once at start-up and shown modally by New.
#include <QDialog>

class QListWidget;
class QPushButton;

class TformPpalNuevo : public QDialog
{
    Q_OBJECT

public:
    // Reads the combinations from `dirAplicacion` + "bbdd/bd.db" (the program directory,
    // ending in "/"); an unreadable database leaves the list empty.
    explicit TformPpalNuevo(const QString &dirAplicacion, QWidget *parent = nullptr);

    // form_id of the selected combination; 0 when none is selected.
    int FormIdElegido() const;

    QListWidget *ListView1;
    QPushButton *btnAceptar;
    QPushButton *btnCancelar;

protected:
    void showEvent(QShowEvent *e) override;
};
