#include "dialogservice.h"

#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Qt message boxes with Spanish button texts.
class QtDialogService final : public DialogService
{
public:
    int show(TMsgDlgType tipo, const QString &caption, const QString &texto, int botones) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(caption);
        box.setText(texto);
        switch (tipo) {
        case mtWarning: box.setIcon(QMessageBox::Warning); break;
        case mtError: box.setIcon(QMessageBox::Critical); break;
        case mtInformation: box.setIcon(QMessageBox::Information); break;
        case mtConfirmation: box.setIcon(QMessageBox::Question); break;
        case mtCustom: box.setIcon(QMessageBox::NoIcon); break;
        }
        struct Button { QMessageBox::ButtonRole role; const char *text; int id; };
        QList<Button> buttons;
        switch (botones & 0xF) {
        case MB::OKCANCEL: buttons = {{QMessageBox::AcceptRole, "Aceptar", ID::OK}, {QMessageBox::RejectRole, "Cancelar", ID::CANCEL}}; break;
        case MB::ABORTRETRYIGNORE: buttons = {{QMessageBox::RejectRole, "Anular", ID::ABORT}, {QMessageBox::AcceptRole, "Reintentar", ID::RETRY}, {QMessageBox::DestructiveRole, "Omitir", ID::IGNORE}}; break;
        case MB::YESNOCANCEL: buttons = {{QMessageBox::YesRole, "Sí", ID::YES}, {QMessageBox::NoRole, "No", ID::NO}, {QMessageBox::RejectRole, "Cancelar", ID::CANCEL}}; break;
        case MB::YESNO: buttons = {{QMessageBox::YesRole, "Sí", ID::YES}, {QMessageBox::NoRole, "No", ID::NO}}; break;
        case MB::RETRYCANCEL: buttons = {{QMessageBox::AcceptRole, "Reintentar", ID::RETRY}, {QMessageBox::RejectRole, "Cancelar", ID::CANCEL}}; break;
        default: buttons = {{QMessageBox::AcceptRole, "Aceptar", ID::OK}}; break;
        }
        QHash<QAbstractButton *, int> ids;
        for (const Button &b : buttons)
            ids.insert(static_cast<QAbstractButton *>(box.addButton(QString::fromUtf8(b.text), b.role)), b.id);
        box.exec();
        // Closing the box without a button counts as its cancel answer, or OK for a lone button.
        if (QAbstractButton *clicked = box.clickedButton())
            return ids.value(clicked, ID::CANCEL);
        return buttons.size() == 1 ? ID::OK : ID::CANCEL;
    }
};

QtDialogService &defaultService()
{
    static QtDialogService service;
    return service;
}

DialogService *g_service = nullptr;

} // namespace

DialogService *DialogService::instance()
{
    return g_service ? g_service : &defaultService();
}

void DialogService::setInstance(DialogService *service)
{
    g_service = service;
}

QString captionFor(TMsgDlgType tipo)
{
    switch (tipo) {
    case mtWarning: return QStringLiteral("Advertencia");
    case mtError: return QStringLiteral("Error");
    case mtInformation: return QStringLiteral("Información");
    case mtConfirmation: return QStringLiteral("Confirmación");
    case mtCustom: break;
    }
    return QString();
}

int DialogoWin32(TMsgDlgType tipo, const QString &texto, int botones)
{
    return DialogService::instance()->show(tipo, captionFor(tipo), texto, botones);
}

void ArchivoNoEncontrado(const QString &nombre)
{
    DialogoWin32(mtError, QStringLiteral("Falta uno de los archivos requeridos por la aplicación (%1).").arg(nombre.toUpper()), MB::OK);
}
