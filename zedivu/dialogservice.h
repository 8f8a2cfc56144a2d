#pragma once
// The one place through which the system shows message boxes. The default service shows
// Qt message boxes with the Spanish captions and buttons; tests install a scripted one
// that records every box and answers from a queue.
#include <QString>

// Kind of a message box; the caption follows from it.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Button sets and answers keep the classic message-box numbers because callers compare
// against them and pass them through unchanged.
namespace MB {
constexpr int OK = 0x0;
constexpr int OKCANCEL = 0x1;
constexpr int ABORTRETRYIGNORE = 0x2;
constexpr int YESNOCANCEL = 0x3;
constexpr int YESNO = 0x4;
constexpr int RETRYCANCEL = 0x5;
}
namespace ID {
constexpr int OK = 1;
constexpr int CANCEL = 2;
constexpr int ABORT = 3;
constexpr int RETRY = 4;
constexpr int IGNORE = 5;
constexpr int YES = 6;
constexpr int NO = 7;
}

class DialogService
{
public:
    virtual ~DialogService() = default;
    // Shows one modal box and returns the answer (ID::*). `botones` is an MB:: set.
    virtual int show(TMsgDlgType tipo, const QString &caption, const QString &texto, int botones) = 0;

    // The service in use; never null. setInstance(nullptr) restores the default one.
    // The caller keeps ownership of what it installs.
    static DialogService *instance();
    static void setInstance(DialogService *service);
};

// Caption of each kind: "Advertencia", "Error", "Información", "Confirmación", "".
QString captionFor(TMsgDlgType tipo);

// A box of the given kind with its caption; returns the answer.
int DialogoWin32(TMsgDlgType tipo, const QString &texto, int botones);

// "Falta uno de los archivos requeridos por la aplicación (<NOMBRE>)." as an error box.
void ArchivoNoEncontrado(const QString &nombre);
