#pragma once
// A dialog service for tests: while it lives it is the installed service; it records
// every box shown (kind, caption, text, buttons) and answers from a queue, giving
// `porDefecto` once the queue is empty. Destroying it reinstalls the previous service.
#include "dialogservice.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>

class ScriptedDialogs final : public DialogService
{
public:
    struct Box
    {
        TMsgDlgType tipo;
        QString caption;
        QString texto;
        int botones;
    };

    explicit ScriptedDialogs(int porDefecto = ID::OK)
        : porDefecto(porDefecto), previous_(DialogService::instance())
    {
        DialogService::setInstance(this);
    }
    ~ScriptedDialogs() override { DialogService::setInstance(previous_); }
    ScriptedDialogs(const ScriptedDialogs &) = delete;
    ScriptedDialogs &operator=(const ScriptedDialogs &) = delete;

    int show(TMsgDlgType tipo, const QString &caption, const QString &texto, int botones) override
    {
        boxes.append({tipo, caption, texto, botones});
        if (alMostrar)
            alMostrar();
        return respuestas.isEmpty() ? porDefecto : respuestas.takeFirst();
    }

    // Queues answers (ID::*) for the next boxes, in order.
    ScriptedDialogs &responder(std::initializer_list<int> ids)
    {
        for (int id : ids)
            respuestas.append(id);
        return *this;
    }

    QStringList textos() const
    {
        QStringList result;
        for (const Box &b : boxes)
            result << b.texto;
        return result;
    }

    QList<Box> boxes;
    QList<int> respuestas;
    int porDefecto;
    // Called as each box is shown, to look at the program's state at that moment.
    std::function<void()> alMostrar;

private:
    DialogService *previous_;
};
