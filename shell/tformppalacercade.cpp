#include "tformppalacercade.h"

#include "util_texto.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel *titulo(const QString &texto, int pixeles)
{
    auto *label = new QLabel(texto);
    QFont fuente(QStringLiteral("Arial"));
    fuente.setPixelSize(pixeles);
    fuente.setBold(true);
    label->setFont(fuente);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TformPpalAcercade::TformPpalAcercade(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("formPpalAcercade"));
    setWindowTitle(QStringLiteral(" Acerca de ..."));

    auto *columna = new QVBoxLayout(this);
    columna->setContentsMargins(24, 18, 24, 14);
    columna->setSpacing(8);
    columna->addWidget(titulo(QStringLiteral("Brenvik"), 24));
    columna->addWidget(titulo(QStringLiteral("Formularios Forestales para Okran"), 16));

    auto *version = new QHBoxLayout;
    version->setSpacing(0);
    version->addStretch();
    version->addWidget(new QLabel(QStringLiteral("Versión: ")));
    lblVersion = new QLabel;
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    version->addWidget(lblVersion);
    version->addStretch();
    columna->addLayout(version);

    auto *cerrar = new QPushButton(QStringLiteral("&Cerrar"));
    cerrar->setObjectName(QStringLiteral("btnCerrar"));
    cerrar->setDefault(true);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cerrar);
    botones->addStretch();
    columna->addSpacing(6);
    columna->addLayout(botones);
    setFixedSize(sizeHint());
}

void TformPpalAcercade::showEvent(QShowEvent *e)
{
    lblVersion->setText(ObtenerVersionArchivo());
    if (const QScreen *pantalla = screen())
        move(pantalla->availableGeometry().center() - rect().center());
    QDialog::showEvent(e);
}
