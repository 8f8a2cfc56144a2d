#include "tcustommodalchild.h"

#include "teclaprevista.h"
#include "abort.h"
#include "dataset.h"
#include "dialogservice.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "util_bbdd.h"
#include "util_texto.h"

#include <QApplication>
#include <QDate>
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
    const auto falla = [campo](const QString &mensaje) { return MensajeCampo(campo->DisplayLabel(), mensaje) + QLatin1Char('.'); };
    if (campo->IsNull() || campo->AsString().trimmed().isEmpty())
        return flags.contains(tvNoVacio) ? falla(QStringLiteral("no puede quedar vacío")) : QString();
    const double valor = campo->isNumeric() ? campo->AsFloat() : campo->AsString().trimmed().toDouble();
    const int anoActual = QDate::currentDate().year();
    if (flags.contains(tvPositivo) && valor == 0)
        return falla(QStringLiteral("no puede ser nulo"));
    if ((flags.contains(tvPositivo) || flags.contains(tvCeroPositivo)) && valor < 0)
        return falla(QStringLiteral("no puede contener valores negativos"));
    if (flags.contains(tvAnoActualMax) && (valor < 1900 || valor > anoActual))
        return falla(QStringLiteral("sólo permite valores de año entre 1900 y ") + QString::number(anoActual));
    if (flags.contains(tvAnoActualMin) && valor < anoActual)
        return falla(QStringLiteral("El año debe ser mayor o igual que el año en curso"));
    if (flags.contains(tvAnoValido) && (valor < 1900 || valor > 2029))
        return falla(QStringLiteral("sólo permite valores de año entre 1900 y 2029"));
    if (flags.contains(tvCoordenadaN) && (valor < 2000000 || valor > 6000000))
        return falla(QStringLiteral("sólo acepta coordenadas entre 2.000.000 y 6.000.000"));
    if (flags.contains(tvCoordenadaE) && (valor < 200000 || valor > 900000))
        return falla(QStringLiteral("sólo acepta coordenadas entre 200.000 y 900.000"));
    return QString();
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
    const QStringList partes = texto.split(QLatin1Char('-'));
    bool ok = (texto.size() == 8 || texto.size() == 10) && partes.size() == 3 && partes[0].size() == 2
              && partes[1].size() == 2;
    int dia = 0, mes = 0, ano = 0;
    if (ok) {
        bool okDia = false, okMes = false, okAno = false;
        dia = partes[0].toInt(&okDia);
        mes = partes[1].toInt(&okMes);
        ano = partes[2].toInt(&okAno);
        ok = okDia && okMes && okAno && partes[2].size() == texto.size() - 6;
    }
    if (!ok)
        return MensajeCampo(etiqueta, QStringLiteral("posee un formato de fecha inválido.\n"
                                                     "El formato correcto es DD-MM-AA o DD-MM-AAAA."));
    if (partes[2].size() == 2)
        ano += ano < 30 ? 2000 : 1900;
    const int anoActual = QDate::currentDate().year();
    if (ano < 1900 || ano > anoActual)
        return MensajeCampo(etiqueta, QStringLiteral("posee un año fuera de rango.\nEl rango válido comprende desde 1900 hasta ")
                                          + QString::number(anoActual));
    const QDate d(ano, mes, dia);
    if (!d.isValid())
        return MensajeCampo(etiqueta, QStringLiteral("posee una fecha inválida o imposible de ocurrir"));
    if (fecha)
        *fecha = d;
    return QString();
}

bool TCustomModalChild::ValidarFecha(Field *campo, const QString &texto)
{
    QDate fecha;
    const QString mensaje = FallaFecha(campo->DisplayLabel(), texto, &fecha);
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
