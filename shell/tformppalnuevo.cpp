#include "tformppalnuevo.h"

#include "shelllog.h"
#include "util_bbdd.h"

#include <QBitmap>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kIcono = 48;

// The icon of a combination with lime green as its transparent colour; null when the file
// is missing or unreadable.
QIcon iconoFormulario(const QString &archivo)
{
    QPixmap imagen;
    if (!QFileInfo(archivo).isFile() || !imagen.load(archivo))
        return QIcon();
    imagen.setMask(imagen.createMaskFromColor(QColor(0, 255, 0), Qt::MaskInColor));
    return QIcon(imagen);
}

} // namespace

TformPpalNuevo::TformPpalNuevo(const QString &dirAplicacion, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("formPpalNuevo"));
    setWindowTitle(QStringLiteral("Nuevo Formulario"));
    resize(600, 460);

    ListView1 = new QListWidget;
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(QSize(kIcono, kIcono));
    ListView1->setGridSize(QSize(172, 118));
    ListView1->setMovement(QListView::Static);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setWordWrap(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);

    btnAceptar = new QPushButton(QStringLiteral("Aceptar"));
    btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
    btnAceptar->setDefault(true);
    btnAceptar->setEnabled(false);
    btnCancelar = new QPushButton(QStringLiteral("Cancelar"));
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    connect(btnAceptar, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnAceptar);
    botones->addWidget(btnCancelar);
    auto *columna = new QVBoxLayout(this);
    columna->addWidget(ListView1, 1);
    columna->addLayout(botones);

    // A choice made with the mouse or the keyboard enables Aceptar; a double click on an
    // item accepts it.
    connect(ListView1, &QListWidget::itemSelectionChanged, this,
            [this] { btnAceptar->setEnabled(!ListView1->selectedItems().isEmpty()); });
    connect(ListView1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        if (item && item->isSelected())
            accept();
    });

    const QString bd = dirAplicacion + QStringLiteral("bbdd/bd.db");
    const QList<QStringList> filas =
        Consulta3(bd, QStringLiteral("SELECT form_id, form_descripcion, form_extension FROM formularios ORDER BY form_id"));
    if (const SqlError error = UltimoErrorBBDD(); error.isValid())
        qCWarning(lcShell).noquote() << error.text();
    for (const QStringList &fila : filas) {
        const QString extension = fila.value(2);
        // This combination's description in the catalogue is not what consultants know it by.
        const QString texto = extension.compare(QStringLiteral("zvq"), Qt::CaseInsensitive) == 0
                                  ? QStringLiteral("Aviso de Ejecución para P.M: Bosque Nativo ingresados antes de 26/03/2010")
                                  : fila.value(1);
        auto *item = new QListWidgetItem(iconoFormulario(dirAplicacion + QStringLiteral("img/form") + extension + QStringLiteral(".bmp")),
                                         texto, ListView1);
        item->setData(Qt::UserRole, fila.value(0).toInt());
        item->setToolTip(texto);
    }
}

int TformPpalNuevo::FormIdElegido() const
{
    const QList<QListWidgetItem *> elegidos = ListView1->selectedItems();
    return elegidos.isEmpty() ? 0 : elegidos.first()->data(Qt::UserRole).toInt();
}

void TformPpalNuevo::showEvent(QShowEvent *e)
{
    if (const QScreen *pantalla = screen())
        move(pantalla->availableGeometry().center() - rect().center());
    QDialog::showEvent(e);
}
