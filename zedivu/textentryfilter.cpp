#include "textentryfilter.h"

#include "util_texto.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

TextEntryFilter::TextEntryFilter(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

TextEntryFilter::~TextEntryFilter()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

QString TextEntryFilter::transform(const QString &typed, bool keypadDecimal, QWidget *control)
{
    if (keypadDecimal)
        m_teclaDecimal = true;
    QString out = typed;
    if (m_teclaDecimal && (out == QLatin1String(".") || out == QLatin1String(","))) {
        out = out == QLatin1String(".") ? QStringLiteral(",") : QStringLiteral(".");
        m_teclaDecimal = false;
    }
    if (m_upperCase && !(keepCase && keepCase(control)))
        out = Mayusculas(out);
    return out;
}

bool TextEntryFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || m_resending || !m_window)
        return false;
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control || (control != m_window && !m_window->isAncestorOf(control)))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QString typed = key->text();
    const bool keypadDecimal = (key->modifiers() & Qt::KeypadModifier)
                               && (key->key() == Qt::Key_Period || key->key() == Qt::Key_Comma || key->key() == Qt::Key_Delete);
    if (typed.isEmpty() || !typed.at(0).isPrint()) {
        // The decimal key may come without text (some layouts send Delete); it still arms the swap.
        if (keypadDecimal)
            m_teclaDecimal = true;
        return false;
    }
    const QString wanted = transform(typed, keypadDecimal, control);
    if (wanted == typed)
        return false;
    int code = key->key();
    if (wanted == QLatin1String(","))
        code = Qt::Key_Comma;
    else if (wanted == QLatin1String("."))
        code = Qt::Key_Period;
    QKeyEvent replacement(QEvent::KeyPress, code, key->modifiers() & ~Qt::KeypadModifier, wanted, key->isAutoRepeat(), ushort(key->count()));
    // The replacement passes this filter again on its way in; let it through unchanged.
    m_resending = true;
    QCoreApplication::sendEvent(watched, &replacement);
    m_resending = false;
    return true;
}
