#pragma once
// The typing rules of a form window, applied to every key typed in any of its controls:
// letters go to upper case with the Spanish rule (Mayuscula: also ñ á é í ó ú ü), and the
// numeric-pad decimal key swaps "." and "," once (TeclaDecimal). The form window creates
// one, owned by itself; it watches the application's key events and acts only on those
// aimed at a widget inside that window. Windows that keep what is typed turn upper-casing
// off; `keepCase` lets a window keep the case for some controls only.
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QKeyEvent;
class QWidget;

class TextEntryFilter : public QObject
{
    Q_OBJECT

public:
    explicit TextEntryFilter(QWidget *window);
    ~TextEntryFilter() override;

    bool upperCase() const { return m_upperCase; }
    void setUpperCase(bool upperCase) { m_upperCase = upperCase; }
    // Receives the control a key is aimed at; true keeps the typed case for it.
    std::function<bool(QWidget *control)> keepCase;

    // The numeric-pad decimal key was pressed and the next "." or "," will be swapped.
    bool teclaDecimal() const { return m_teclaDecimal; }
    void setTeclaDecimal(bool pending) { m_teclaDecimal = pending; }

    // The text delivered in place of `typed` (what a key press carries), updating the
    // decimal-key state: `keypadDecimal` marks the numeric-pad decimal key itself.
    QString transform(const QString &typed, bool keypadDecimal, QWidget *control = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    bool m_upperCase = true;
    bool m_teclaDecimal = false;
    bool m_resending = false;
};
