#include "tformselotro.h"

#include "util_bbdd.h"
#include "util_texto.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TformSelOtro::TformSelOtro(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("formSelOtro"));
    setWindowTitle(QStringLiteral("Ingreso del \"Otro\""));
    auto *capa = new QVBoxLayout(this);
    capa->addWidget(new QLabel(QStringLiteral("Usted a Seleccionado como opción \"OTRO\". "), this));
    capa->addWidget(new QLabel(QStringLiteral("Por Favor Especifique "), this));
    auto *fila = new QFormLayout;
    Otro = new QLineEdit(this);
    Otro->setObjectName(QStringLiteral("Otro"));
    Otro->setMaxLength(100); // otr_descripcion
    Otro->setMinimumWidth(260);
    fila->addRow(QStringLiteral("Otro:"), Otro);
    capa->addLayout(fila);
    auto *botones = new QDialogButtonBox(this);
    btnAceptar = botones->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    btnCancelar = botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    btnAceptar->setDefault(true);
    btnAceptar->setEnabled(false);
    capa->addWidget(botones);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Otro, &QLineEdit::textEdited, this, [this](const QString &texto) {
        const int cursor = Otro->cursorPosition();
        Otro->setText(Mayusculas(texto));
        Otro->setCursorPosition(cursor);
    });
    // A blank description would file an entry that says nothing.
    connect(Otro, &QLineEdit::textChanged, this,
            [this](const QString &texto) { btnAceptar->setEnabled(!texto.trimmed().isEmpty()); });
}

QStringList LevantaFormOtro(QStringList &claves, QStringList &textos, const QString &lista, const QString &directorio,
                            QWidget *padre)
{
    const QString minimo = Consulta(directorio + QStringLiteral("bbdd/bd.db"),
                                    QStringLiteral("SELECT min(otr_codigo) FROM otros WHERE otr_tce = ?"), {lista});
    const qint64 menor = minimo.toLongLong();
    const qint64 codigo = menor < 0 ? menor - 1 : -1;

    TformSelOtro dialogo(padre);
    if (dialogo.exec() != QDialog::Accepted)
        return {};
    const QString texto = dialogo.Otro->text().trimmed();
    if (texto.isEmpty())
        return {};
    const QString clave = QString::number(codigo);
    textos.append(texto);
    claves.append(clave);
    return {texto, clave};
}
