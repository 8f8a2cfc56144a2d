#pragma once
// The dialog service of benchmarks: every message goes to the log and is answered OK, so
// that nothing waits for a person.
#include "dialogservice.h"

class SilencioBenchmark : public DialogService
{
public:
    int show(TMsgDlgType, const QString &, const QString &texto, int) override
    {
        qWarning("dialog: %s", qPrintable(texto));
        return ID::OK;
    }
};
