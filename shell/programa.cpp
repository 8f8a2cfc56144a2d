#include "programa.h"

#include "terminacion.h"
#include "tformppal.h"
#include "tformppalacercade.h"
#include "tformppalforms.h"
#include "tformppalnuevo.h"
#include "traduccionqt.h"

#include <QApplication>

#include <memory>

int EjecutarBrenvik(QApplication &app, const QString &dirAplicacion)
{
    QApplication::setApplicationName(QStringLiteral("Brenvik"));
    QApplication::setOrganizationName(QStringLiteral("Varno"));
    InstalarTraduccionQt();

    // Destroyed in reverse order: the dialogs first, the main window (which unloads the
    // plug-ins) last.
    auto ppal = std::make_unique<TformPpal>(dirAplicacion);
    if (ppal->terminado() || TerminacionSolicitada())
        return 1;
    auto nuevo = std::make_unique<TformPpalNuevo>(ppal->DirAplicacion);
    auto acercaDe = std::make_unique<TformPpalAcercade>();
    auto forms = std::make_unique<TFormPpalForms>(ppal->DirAplicacion);
    ppal->setDialogos(nuevo.get(), acercaDe.get(), forms.get());

    ppal->show();
    const int codigo = app.exec();
    return TerminacionSolicitada() ? 1 : codigo;
}
