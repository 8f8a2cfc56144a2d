#pragma once
// The "other" dialog: asks for the free description of an entry that the user chose as
// "OTRO" in a coded list. What is typed is upper-cased as it is typed.
#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;

class TformSelOtro : public QDialog
{
    Q_OBJECT

public:
    explicit TformSelOtro(QWidget *parent = nullptr);

    QLineEdit *Otro = nullptr;
    QPushButton *btnAceptar = nullptr; // enabled while Otro holds more than blanks
    QPushButton *btnCancelar = nullptr;
};

// Asks for a free description for the list of kind `lista` (its name, "tceEspecie") and
// gives it the next free code: one below the lowest code of that kind in table `otros` of
// `directorio` + "bbdd/bd.db", or -1 for the kind's first entry. On OK returns {text, code}
// and appends the text to `textos` and the code to `claves` (a column's pick and key
// lists); on Cancel returns an empty list and appends nothing. Storing the new entry in
// `otros` is the caller's (TCustomMDIChild::ColEventoOnUpdateData).
QStringList LevantaFormOtro(QStringList &claves, QStringList &textos, const QString &lista, const QString &directorio,
                            QWidget *padre = nullptr);
