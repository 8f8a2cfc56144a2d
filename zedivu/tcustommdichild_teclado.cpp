// Keys of the form windows: the form sees every key of its controls first (key preview),
// turns the numeric-pad decimal into the other separator once and upper-cases what is
// typed, in the Spanish way.
#include "tcustommdichild.h"

#include "util_texto.h"

#include <QApplication>
#include <QKeyEvent>

bool TCustomMDIChild::conservaMinusculas(const QString &nombreVentana)
{
    return nombreVentana == QLatin1String("FormLOSMI") || nombreVentana == QLatin1String("FormTISA")
           || nombreVentana == QLatin1String("FormDALU");
}

bool TCustomMDIChild::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || m_reenviando)
        return false;
    auto *receptor = qobject_cast<QWidget *>(watched);
    if (!receptor || (receptor != this && !isAncestorOf(receptor)))
        return false;
    // A key the focused control ignored travels up to its parents: it was seen already.
    QWidget *foco = QApplication::focusWidget();
    if (foco && foco != receptor && (foco == this || isAncestorOf(foco)))
        return false;
    auto *e = static_cast<QKeyEvent *>(event);
    if (FrmEventoOnKeyDown(receptor, e))
        return true;
    const QString texto = e->text();
    if (texto.isEmpty() || !texto.at(0).isPrint() || conservaMinusculas(objectName()))
        return false;
    const QString nuevo = FrmEventoOnKeyPress(texto);
    if (nuevo == texto)
        return false;
    return enviarTecla(receptor, e->key(), nuevo, e->modifiers());
}

bool TCustomMDIChild::FrmEventoOnKeyDown(QWidget *receptor, QKeyEvent *e)
{
    Q_UNUSED(receptor);
    if ((e->modifiers() & Qt::KeypadModifier) && (e->key() == Qt::Key_Period || e->key() == Qt::Key_Comma))
        TeclaDecimal = true;
    // TODO: F1 opens the help window of PaginaAyuda() once the help window is in the
    // framework.
    return false;
}

QString TCustomMDIChild::FrmEventoOnKeyPress(const QString &texto)
{
    QString r = texto;
    if (TeclaDecimal && !r.isEmpty()) {
        if (r[0] == QLatin1Char('.'))
            r[0] = QLatin1Char(',');
        else if (r[0] == QLatin1Char(','))
            r[0] = QLatin1Char('.');
        TeclaDecimal = false;
    }
    return Mayusculas(r);
}

bool TCustomMDIChild::enviarTecla(QWidget *receptor, int tecla, const QString &texto, Qt::KeyboardModifiers modificadores)
{
    // The replacement goes to the same control; this filter lets it pass untouched.
    m_reenviando = true;
    QKeyEvent reemplazo(QEvent::KeyPress, tecla, modificadores, texto);
    QApplication::sendEvent(receptor, &reemplazo);
    m_reenviando = false;
    return true;
}
