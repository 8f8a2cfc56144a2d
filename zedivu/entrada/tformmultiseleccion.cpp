#include "tformmultiseleccion.h"

#include "util_bbdd.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

std::function<void()> TformMultiSeleccion::Pitido = [] { QApplication::beep(); };

TformMultiSeleccion::TformMultiSeleccion(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("formMultiSeleccion"));
    setWindowTitle(QStringLiteral("Selección Múltiple"));
    resize(320, 400);
    auto *capa = new QVBoxLayout(this);
    clbMulti = new QListWidget(this);
    clbMulti->setObjectName(QStringLiteral("clbMulti"));
    capa->addWidget(clbMulti);
    auto *botones = new QDialogButtonBox(this);
    btnAceptar = botones->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    btnCancelar = botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    btnAceptar->setDefault(true);
    capa->addWidget(botones);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(clbMulti, &QListWidget::itemDoubleClicked, this, &TformMultiSeleccion::clbMultiDblClick);
}

void TformMultiSeleccion::cargar(const QStringList &items, const QStringList &actuales)
{
    QStringList marcar;
    for (const QString &a : actuales)
        marcar << a.trimmed();
    clbMulti->clear();
    for (const QString &i : items) {
        auto *item = new QListWidgetItem(i.trimmed(), clbMulti);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(marcar.contains(i.trimmed(), Qt::CaseInsensitive) ? Qt::Checked : Qt::Unchecked);
    }
    // Wide enough for the longest entry (whole scientific names), within the screen.
    const QMargins margenes = layout()->contentsMargins();
    int ancho = clbMulti->sizeHintForColumn(0) + 2 * clbMulti->frameWidth()
                + clbMulti->verticalScrollBar()->sizeHint().width() + margenes.left() + margenes.right() + 4;
    if (const QScreen *pantalla = screen())
        ancho = std::min(ancho, pantalla->availableGeometry().width() * 9 / 10);
    if (ancho > width())
        resize(ancho, height());
}

QStringList TformMultiSeleccion::marcados() const
{
    QStringList r;
    for (int i = 0; i < clbMulti->count(); ++i) {
        if (clbMulti->item(i)->checkState() == Qt::Checked)
            r << clbMulti->item(i)->text();
    }
    return r;
}

void TformMultiSeleccion::clbMultiDblClick(QListWidgetItem *item)
{
    if (item)
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

std::optional<QStringList> LevantarForm(const QStringList &items, const QStringList &actuales, QWidget *padre)
{
    if (items.isEmpty()) {
        if (TformMultiSeleccion::Pitido)
            TformMultiSeleccion::Pitido();
        return std::nullopt;
    }
    TformMultiSeleccion ventana(padre);
    ventana.cargar(items, actuales);
    if (ventana.exec() == QDialog::Accepted)
        return ventana.marcados();
    return actuales;
}

std::optional<QStringList> MultiSeleccion(const QString &archivo, const QString &sql, const QStringList &actuales,
                                          const QVariantList &params, QWidget *padre)
{
    return LevantarForm(Consulta2(archivo, sql, params), actuales, padre);
}

std::optional<QStringList> MultiSeleccion(Connection *conexion, const QString &sql, const QStringList &actuales,
                                          const QVariantList &params, QWidget *padre)
{
    return LevantarForm(Consulta2(conexion, sql, params), actuales, padre);
}
