#include "tcustommodalchild.h"

#include "teclaprevista.h"
#include "abort.h"
#include "classregistry.h"
#include "connection.h"
#include "dataset.h"
#include "dialogservice.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "util_bbdd.h"
#include "util_texto.h"
#include "validacion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFileInfo>
#include <QKeyEvent>

namespace {
const QChar kComilla = QLatin1Char('"');
}

TCustomModalChild::TCustomModalChild(QWidget *owner)
    : QDialog(owner)
{
    // Key preview: every key typed in any control of this window passes here first.
    qApp->installEventFilter(this);
}

TCustomModalChild::~TCustomModalChild() = default;

bool TCustomModalChild::eventFilter(QObject *watched, QEvent *event)
{
    QKeyEvent *e = m_reenviando ? nullptr : TeclaPrevista(this, watched, event);
    if (!e)
        return false;
    auto *receptor = static_cast<QWidget *>(watched);
    const QString texto = e->text();
    if (texto.isEmpty() || !texto.at(0).isPrint())
        return false;
    const QString nuevo = Mayusculas(texto);
    if (nuevo == texto)
        return false;
    m_reenviando = true;
    QKeyEvent reemplazo(QEvent::KeyPress, e->key(), e->modifiers(), nuevo);
    QApplication::sendEvent(receptor, &reemplazo);
    m_reenviando = false;
    return true;
}

int TCustomModalChild::Dialogo(int tipo, const QString &texto, int botones)
{
    // Modal over the application: a register embedded in another widget is a fault.
    if (parentWidget() && !parentWidget()->isWindow())
        FALLA_PROGRAMACION(QStringLiteral("Owner de este TCustomModalChild (") + objectName()
                           + QStringLiteral(") no es de TApplication !"));
    return DialogoWin32(TMsgDlgType(tipo), texto, botones);
}

QString TCustomModalChild::MensajeCampo(const QString &etiqueta, const QString &mensaje)
{
    return QStringLiteral("Error en Mantenedor:\n\nEl campo ") + kComilla + etiqueta + kComilla + QLatin1Char(' ')
           + mensaje;
}

QString TCustomModalChild::FallaValidacion(Field *campo, TTipoValidaciones flags)
{
    // The register checks are the form checks without uniqueness, dates and limits.
    TTipoValidaciones propios;
    for (TTipoValidacion t : {tvNoVacio, tvPositivo, tvCeroPositivo, tvAnoActualMax, tvAnoActualMin, tvAnoValido,
                              tvCoordenadaN, tvCoordenadaE}) {
        if (flags.contains(t))
            propios.insert(t);
    }
    const QString mensaje = ComprobarCampo(campo, propios, QDate::currentDate().year(), nullptr);
    if (mensaje.isEmpty())
        return {};
    return MensajeCampo(EtiquetaCampo(campo), mensaje) + QLatin1Char('.');
}

void TCustomModalChild::Validar(Field *campo, TTipoValidaciones flags)
{
    const QString mensaje = FallaValidacion(campo, flags);
    if (mensaje.isEmpty())
        return;
    Dialogo(mtWarning, mensaje, MB::OK);
    Abort();
}

QString TCustomModalChild::FallaFecha(const QString &etiqueta, const QString &texto, QDate *fecha)
{
    QString mensaje;
    const std::optional<QDate> leida = LeerFechaValidacion(texto, QDate::currentDate().year(), mensaje);
    if (!leida) {
        // The register's format message closes with a full stop, the form's does not.
        if (mensaje.startsWith(QLatin1String("posee un formato")))
            mensaje += QLatin1Char('.');
        return MensajeCampo(etiqueta, mensaje);
    }
    if (fecha)
        *fecha = *leida;
    return {};
}

bool TCustomModalChild::ValidarFecha(Field *campo, const QString &texto)
{
    QDate fecha;
    const QString mensaje = FallaFecha(EtiquetaCampo(campo), texto, &fecha);
    if (!mensaje.isEmpty()) {
        Dialogo(mtWarning, mensaje, MB::OK);
        return false;
    }
    campo->setAsDateTime(fecha.startOfDay());
    return true;
}

void TCustomModalChild::ValidarRUT(Dataset *ds, const QString &campoRut, const QString &campoDv)
{
    Field *rut = ds->FindField(campoRut);
    Field *dv = ds->FindField(campoDv);
    if (!rut || !dv) {
        FALLA_PROGRAMACION(QStringLiteral("campo ") + kComilla + campoRut + QStringLiteral("\" o \"") + campoDv
                           + QStringLiteral("\" no encontrado"));
        return;
    }
    if (QString(DigitoVerificador(rut->AsString())) == dv->AsString().trimmed().toUpper())
        return;
    Dialogo(mtWarning, QStringLiteral("Error en Mantenedor:\n\nEl dígito verificador no concuerda con el RUT ingresado."),
            MB::OK);
    Abort();
}

bool TCustomModalChild::AbrirBaseDatos(Connection *conexion)
{
    const QString archivo = DirAplicacion + QStringLiteral("bbdd/bd.db");
    if (!QFileInfo::exists(archivo)) {
        ArchivoNoEncontrado(QStringLiteral("bd.db"));
        return false;
    }
    if (conexion->open(archivo, Connection::ReadWrite))
        return true;
    Dialogo(mtError, QStringLiteral("No se pudo abrir la base de datos:\n") + conexion->lastError().text(), MB::OK);
    return false;
}

void TCustomModalChild::reject()
{
    if (Editando || Creando)
        return;
    QDialog::reject();
}

void TCustomModalChild::closeEvent(QCloseEvent *event)
{
    if (Editando || Creando) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

namespace {

TCustomModalChild *crearRegistro(const QString &clase, const QString &dirAplicacion, QWidget *owner)
{
    // Register windows are modal over the application: a control or a form inside the
    // main window hands its top-level window over.
    QWidget *ventana = ClassRegistry::instance().create(clase, owner ? owner->window() : nullptr);
    auto *registro = qobject_cast<TCustomModalChild *>(ventana);
    if (!registro) {
        delete ventana;
        return nullptr;
    }
    registro->DirAplicacion = dirAplicacion;
    return registro;
}

} // namespace

void TCustomModalChild::MostrarRegistro(const QString &clase, const QString &dirAplicacion, QWidget *owner)
{
    if (TCustomModalChild *registro = crearRegistro(clase, dirAplicacion, owner))
        registro->MostrarModal(); // releases itself
}

int TCustomModalChild::SeleccionarEnRegistro(const QString &clase, const QString &dirAplicacion, QWidget *owner)
{
    TCustomModalChild *registro = crearRegistro(clase, dirAplicacion, owner);
    if (!registro)
        return 0;
    const int clave = registro->MostrarModalSeleccion();
    delete registro;
    return clave;
}
