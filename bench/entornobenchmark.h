#pragma once
// What a benchmark program sets up before its QApplication: a home folder of its own, so
// working databases and settings never touch the user's, and the offscreen platform unless
// another one is asked for.
#include <QTemporaryDir>

class EntornoBenchmark
{
public:
    EntornoBenchmark()
    {
        qputenv("HOME", m_home.path().toLocal8Bit());
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

private:
    QTemporaryDir m_home;
};
