#pragma once
// A dialog service for tests: records every box and answers from a queue (OK, or the
// box's cancel answer, when the queue is empty).
#include "dialogservice.h"

#include <QList>
#include <QStringList>

class RecordingDialogs final : public DialogService
{
public:
    RecordingDialogs() { DialogService::setInstance(this); }
    ~RecordingDialogs() override { DialogService::setInstance(nullptr); }

    int show(TMsgDlgType tipo, const QString &caption, const QString &texto, int botones) override
    {
        Q_UNUSED(caption);
        Q_UNUSED(botones);
        tipos << tipo;
        textos << texto;
        return respuestas.isEmpty() ? ID::OK : respuestas.takeFirst();
    }

    QList<TMsgDlgType> tipos;
    QStringList textos;
    QList<int> respuestas;
};
