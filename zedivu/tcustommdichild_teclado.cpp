// Keys of the form windows: the form sees every key of its controls first (key preview),
// turns the numeric-pad decimal into the other separator once, upper-cases what is typed,
// in the Spanish way, and moves through grids with Enter (Tab and the arrows become Enter).
#include "tcustommdichild.h"

#include "teclaprevista.h"
#include "dataset.h"
#include "dbgrid.h"
#include "gridcolumn.h"
#include "util_texto.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTableView>

bool TCustomMDIChild::conservaMinusculas(const QString &nombreVentana)
{
    return nombreVentana == QLatin1String("FormLOSMI") || nombreVentana == QLatin1String("FormTISA")
           || nombreVentana == QLatin1String("FormDALU");
}

bool TCustomMDIChild::eventFilter(QObject *watched, QEvent *event)
{
    return filtrarTecla(watched, event, !conservaMinusculas(objectName()));
}

bool TCustomMDIChild::filtrarTecla(QObject *watched, QEvent *event, bool convertir, bool mayusculas)
{
    QKeyEvent *e = m_reenviando ? nullptr : TeclaPrevista(this, watched, event);
    if (!e)
        return false;
    auto *receptor = static_cast<QWidget *>(watched);
    if (FrmEventoOnKeyDown(receptor, e))
        return true;
    const QString texto = e->text();
    if (texto.isEmpty() || !texto.at(0).isPrint() || !convertir)
        return false;
    QString nuevo = texto;
    if (mayusculas)
        nuevo = FrmEventoOnKeyPress(texto);
    else
        cambiarDecimal(nuevo);
    if (nuevo == texto)
        return false;
    // A swapped separator arrives as the plain key of that separator.
    int tecla = e->key();
    Qt::KeyboardModifiers modificadores = e->modifiers();
    if (nuevo == QLatin1String(",") || nuevo == QLatin1String(".")) {
        tecla = nuevo == QLatin1String(",") ? Qt::Key_Comma : Qt::Key_Period;
        modificadores &= ~Qt::KeypadModifier;
    }
    return enviarTecla(receptor, tecla, nuevo, modificadores);
}

bool TCustomMDIChild::FrmEventoOnKeyDown(QWidget *receptor, QKeyEvent *e)
{
    // The decimal key only: with Num Lock off the same key is Delete, which arms nothing.
    if ((e->modifiers() & Qt::KeypadModifier) && (e->key() == Qt::Key_Period || e->key() == Qt::Key_Comma))
        TeclaDecimal = true;
    // In a grid, Tab is Enter (Shift+Tab: Enter one column back); on the grid itself, not
    // in a cell editor, Right is Enter and Left on a lookup column is Enter one column back.
    if (DBGrid *grilla = DBGrid::fromWidget(receptor)) {
        const bool enRejilla = receptor == grilla || receptor == grilla->view() || receptor == grilla->view()->viewport();
        const GridColumn *columna = grilla->SelectedColumn();
        bool enter = false;
        if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
            enter = true;
            if (e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier))
                Retroceder = true;
        } else if (enRejilla && e->key() == Qt::Key_Right) {
            enter = true;
        } else if (enRejilla && e->key() == Qt::Key_Left && columna && columna->KeyList().size() > 1) {
            enter = true;
            Retroceder = true;
        }
        if (enter)
            return enviarTecla(receptor, Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier);
    }
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        MostrarAyuda();
        return true;
    }
    return false;
}

QString TCustomMDIChild::FrmEventoOnKeyPress(const QString &texto)
{
    QString r = texto;
    cambiarDecimal(r);
    return Mayusculas(r);
}

void TCustomMDIChild::cambiarDecimal(QString &texto)
{
    if (!TeclaDecimal || texto.isEmpty())
        return;
    if (texto[0] == QLatin1Char('.'))
        texto[0] = QLatin1Char(',');
    else if (texto[0] == QLatin1Char(','))
        texto[0] = QLatin1Char('.');
    TeclaDecimal = false;
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

void TCustomMDIChild::DbgEventoOnKeyPress(DBGrid *grilla, QChar &tecla)
{
    if (tecla != QLatin1Char('\r') || !grilla)
        return;
    Dataset *ds = grilla->DataSet();
    if (!ds || (ds->State() != DatasetState::Edit && ds->State() != DatasetState::Insert))
        return;
    const int ultima = grilla->ColumnCount() - 1;
    if (Retroceder) {
        Retroceder = false;
        const int actual = grilla->SelectedIndex();
        grilla->setSelectedIndex(actual <= 0 ? ultima : actual - 1);
        return;
    }
    if (grilla->SelectedIndex() >= ultima) {
        if (!ds->Post())
            return;
        if ((grilla->allowedOperations() & DBGrid::AllowAppend) && !grilla->ReadOnly() && ds->Append())
            grilla->setSelectedIndex(0);
    } else {
        grilla->setSelectedIndex(grilla->SelectedIndex() + 1);
    }
}

void TCustomMDIChild::DbgEventoOnExit(DBGrid *grilla)
{
    if (!grilla || grilla->Tag() != 1)
        return;
    Dataset *ds = grilla->DataSet();
    if (ds && ds->Active() && (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert) && !ds->Post())
        return;
    DbgEventoOnExitEspecial(grilla);
}
