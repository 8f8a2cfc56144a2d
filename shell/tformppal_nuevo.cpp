// Creating a document's form windows, and the New command.
#include "tformppal.h"

#include "dialogservice.h"
#include "formulariosdocumento.h"
#include "reservatemporal.h"
#include "tformppalnuevo.h"
#include "workingdatabases.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTreeWidget>

namespace {

// Lines of an outline as the tree shows them: one node per non-empty line.
int lineasEsquema(const QString &secciones)
{
    int n = 0;
    for (const QString &linea : secciones.split(QRegularExpression(QStringLiteral("\r\n|\n"))))
        if (!linea.trimmed().isEmpty())
            ++n;
    return n;
}

class CursorEspera
{
public:
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
    CursorEspera(const CursorEspera &) = delete;
    CursorEspera &operator=(const CursorEspera &) = delete;
};

} // namespace

void TformPpal::descartarFormularios()
{
    LimpiarArbolNavegacion();
    // Not closed: a document that was never built has nothing to ask or save.
    cerrarVentanasFormularios();
    borrarBasesTrabajo();
}

bool TformPpal::SubNuevo(bool sinFaltantes)
{
    IndicesArbol.Limpiar();
    const CursorEspera cursor;
    QCoreApplication::processEvents();

    if (!QFileInfo(DirAplicacion + QStringLiteral("bbdd/") + CodigoPpal + QStringLiteral(".db")).isFile()) {
        ArchivoNoEncontrado(CodigoPpal + QStringLiteral(".db"));
        return false;
    }

    // Principal, request and optional form, in this order; an empty code is no form.
    const QString codigos[] = {CodigoPpal, ListaFormularios.GetCombinacionSolicitud(Combinacion),
                               ListaFormularios.GetCombinacionOpcional1(Combinacion)};
    TCustomMDIChild *creados[3] = {nullptr, nullptr, nullptr};
    for (int i = 0; i < 3; ++i) {
        if (codigos[i].isEmpty())
            continue;
        creados[i] = MostrarMDI(codigos[i]);
        const bool sinPaquete = !creados[i] && !m_paquetes.slot(ListaFormularios.GetIndice(codigos[i]));
        if (!creados[i] && i > 0 && sinPaquete && !sinFaltantes)
            continue;
        if (!creados[i]) {
            descartarFormularios();
            DialogoWin32(mtError,
                         QStringLiteral("No se pudo crear el documento: el formulario \"%1\" no está disponible.\n"
                                        "Se cerraron los formularios ya creados.")
                             .arg(codigos[i]),
                         MB::OK);
            return false;
        }
    }
    TCustomMDIChild *principal = creados[0], *solicitud = creados[1], *opcional = creados[2];

    // The tree shows request, principal, optional; the index is filled back to front.
    QString arbol = principal->Secciones;
    if (opcional)
        arbol += QStringLiteral("\r\n") + opcional->Secciones;
    if (solicitud)
        arbol = solicitud->Secciones + QStringLiteral("\r\n") + arbol;
    for (TCustomMDIChild *f : {opcional, principal, solicitud}) {
        if (!f)
            continue;
        for (int linea = lineasEsquema(f->Secciones); linea > 0; --linea)
            IndicesArbol.Agregar(f, f->IndiceLista);
    }
    CargarArbol(arbol);
    QCoreApplication::processEvents();

    const QString nombreCompleto = ListaFormularios.GetNombreCompleto(CodigoPpal, Combinacion);
    const QList<QPointer<TCustomMDIChild>> lista = formularios(mdiArea);
    for (TCustomMDIChild *f : lista) {
        f->Hermanos.clear();
        for (TCustomMDIChild *otro : lista)
            if (otro != f)
                f->Hermanos.append(otro);
    }
    for (TCustomMDIChild *f : lista) {
        f->ConexionesExternas();
        if (!f->EstablecerBBDD()) {
            // The form told what failed; a document without a working database is no document.
            descartarFormularios();
            return false;
        }
        f->InicializarDatasetPpal(nombreCompleto);
    }
    if (m_reserva)
        m_reserva->Anotar(WorkingDatabases::paths());
    return true;
}

void TformPpal::mostrarPrimeraPagina()
{
    // The first line of the tree is a heading: its first page comes forward.
    if (QTreeWidgetItem *primero = trvArbol->topLevelItem(0)) {
        m_cambiandoArbol = true;
        trvArbol->setCurrentItem(primero);
        m_cambiandoArbol = false;
        trvArbolChange(primero);
    }
}

void TformPpal::archNuevoExecute()
{
    if (!archCerrarExecute())
        return;
    QCoreApplication::processEvents();
    ConsultorDocumento = ConsultorActual;
    if (!m_nuevo || m_nuevo->exec() != QDialog::Accepted || m_nuevo->FormIdElegido() == 0) {
        ActualizarBotones();
        return;
    }
    setEnabled(false);
    Combinacion = m_nuevo->FormIdElegido();
    CodigoPpal = ListaFormularios.GetCombinacionPrincipal(Combinacion);
    if (SubNuevo(false)) {
        for (TCustomMDIChild *f : formularios(mdiArea)) {
            f->Modificado = false;
            f->Ocupado = false;
            f->Respondido = true;
        }
        if (TCustomMDIChild *activo = formularioActivo(mdiArea))
            activo->ActualizarTitulo();
    }
    setEnabled(true);
    mostrarPrimeraPagina();
    ActualizarBotones();
}
