// Register commands, the consultant choice and the creation of form windows by code.
#include "tformppal.h"

#include "cargarlibreria.h"
#include "classregistry.h"
#include "consultasppal.h"
#include "fallaprogramacion.h"
#include "tcustommdichild.h"
#include "dialogservice.h"
#include "registerwindows.h"
#include "terminacion.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>

void TformPpal::ElegirConsultor()
{
    const QString clase = QStringLiteral("TFormConsultores");
    QDir::setCurrent(DirAplicacion);
    int id = 0;
    while (id == 0) {
        id = MostrarModalSeleccion(clase, DirAplicacion, this);
        if (id != 0)
            break;
        DialogoWin32(mtError,
                     QStringLiteral("Ha cerrado esta ventana sin haber escogido ningún consultor.\n"
                                    "Debe seleccionarse un consultor para llenar las solicitudes."),
                     MB::OK);
        // Without the consultants register nobody can ever choose: insisting would keep
        // the program alive for nothing, and without a consultant it cannot work.
        if (!ClassRegistry::instance().isRegistered(clase) || TerminacionSolicitada()) {
            if (ConsultorActual == 0) {
                m_terminado = true;
                SolicitarTerminacion();
                close();
            }
            return;
        }
    }
    if (id > 0) {
        ConsultorActual = id;
        setWindowTitle(QStringLiteral("Brenvik - ") + ConsultasPpal::nombreConsultor(baseDatosPpal(), id, false));
    }
}

TCustomMDIChild *TformPpal::MostrarMDI(const QString &codigo)
{
    if (codigo.isEmpty())
        return nullptr;
    // A form type outside the table's 100 slots (or unknown to the list) cannot be loaded.
    const int indice = ListaFormularios.GetIndice(codigo);
    PluginLibrary *biblioteca = m_paquetes.slot(indice);
    if (!biblioteca && FormPackageTable::hasSlot(indice)) {
        biblioteca = CargarLibreria(m_loader, codigo, false);
        m_paquetes.setSlot(indice, biblioteca);
    }
    if (!biblioteca) {
        DialogoWin32(mtError, QStringLiteral("No se pudo instanciar la librería del formulario \"%1\".").arg(codigo), MB::OK);
        return nullptr;
    }
    const QString clase = QStringLiteral("TForm") + codigo;
    QDir::setCurrent(DirAplicacion);
    QWidget *ventana = ClassRegistry::instance().create(clase, nullptr);
    auto *formulario = qobject_cast<TCustomMDIChild *>(ventana);
    if (!formulario) {
        delete ventana;
        FallaProgramacion(QStringLiteral("Clase \"%1\" no ha sido registrada. No se puede instanciar el formulario.").arg(clase),
                          "ppal", __LINE__);
        return nullptr;
    }
    QMdiSubWindow *subventana = mdiArea->addSubWindow(formulario);
    formulario->DirAplicacion = DirAplicacion;
    formulario->Codigo = codigo.toUpper();
    formulario->TisoCodigo = ListaFormularios.GetCodigo(codigo);
    formulario->CodigoPpal = CodigoPpal;
    formulario->IndiceLista = indice;
    formulario->HojaActual = 0;
    formulario->ConsultorId = ConsultorDocumento;
    formulario->OnActualizarBotones = [this](QObject *) { ActualizarBotones2(); };
    formulario->OnGuardarComo = [this](QObject *sender) { archGuardarComoExecute(sender); };
    formulario->OnGuardar = [this](QObject *sender) { archGuardarExecute(sender); };
    formulario->DialogoImpresion = dlgImprimir;
    if (codigo.compare(QStringLiteral("LUMO"), Qt::CaseInsensitive) == 0)
        formulario->Tag = Combinacion;
    formulario->Nuevo();
    // Shown once Nuevo has built it (and possibly maximised it), at the size it asks for.
    if (!subventana->isVisible()) {
        subventana->adjustSize();
        subventana->show();
    }
    return formulario;
}
